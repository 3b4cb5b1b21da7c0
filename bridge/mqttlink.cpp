#include "bridge/mqttlink.h"

#include <mosquitto.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>

#include "bridge/messages.h"

namespace bridge {
namespace {

constexpr int kKeepAliveSeconds = 30;
constexpr auto kFirstPause = std::chrono::seconds(1);
constexpr auto kLongestPause = std::chrono::seconds(60);
// How long one turn of the network loop waits for the socket; a publish from
// another thread wakes it at once.
constexpr int kLoopWaitMs = 100;
constexpr int kWillQos = 1;

const char* OrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

// The first line of the password file, without its line end.
bool ReadPassword(const std::string& path, std::string* password, std::string* reason) {
    std::ifstream file(path);
    if (!file) {
        *reason = "password_file " + path + ": " + std::strerror(errno);
        return false;
    }
    std::getline(file, *password);
    if (!password->empty() && password->back() == '\r') password->pop_back();
    return true;
}

void Log(const std::string& text) {
    std::fprintf(stderr, "zan1bridge: %s\n", text.c_str());
}

}  // namespace

MqttLink::MqttLink(const BridgeConfig& config, CommandHandler onCommand)
    : m_config(config),
      m_onCommand(std::move(onCommand)),
      m_client(mosquitto_new(config.broker.clientId.c_str(), true, this), mosquitto_destroy) {}

std::unique_ptr<MqttLink> MqttLink::create(const BridgeConfig& config, CommandHandler onCommand,
                                           std::string* reason) {
    std::unique_ptr<MqttLink> link(new MqttLink(config, std::move(onCommand)));
    mosquitto* client = link->m_client.get();
    if (!client) {
        *reason = "cannot create the MQTT client: " + std::string(std::strerror(errno));
        return nullptr;
    }
    const BrokerConfig& broker = config.broker;
    if (!broker.user.empty()) {
        std::string password;
        if (!broker.passwordFile.empty() && !ReadPassword(broker.passwordFile, &password, reason)) {
            return nullptr;
        }
        mosquitto_username_pw_set(client, broker.user.c_str(),
                                  broker.passwordFile.empty() ? nullptr : password.c_str());
    }
    if (broker.tls) {
        const int tls = mosquitto_tls_set(client, broker.caFile.c_str(), nullptr,
                                          OrNull(broker.certFile), OrNull(broker.keyFile), nullptr);
        if (tls != MOSQ_ERR_SUCCESS) {
            *reason = "TLS files (ca_file, cert_file, key_file): " +
                      std::string(mosquitto_strerror(tls)) + " - are they there and readable?";
            return nullptr;
        }
    }
    const std::string offline = "offline";
    mosquitto_will_set(client, BridgeStatusTopic(config.prefix).c_str(),
                       static_cast<int>(offline.size()), offline.data(), kWillQos, true);
    mosquitto_threaded_set(client, true);
    mosquitto_connect_callback_set(client, OnConnect);
    mosquitto_disconnect_callback_set(client, OnDisconnect);
    mosquitto_publish_callback_set(client, OnPublish);
    mosquitto_message_callback_set(client, [](mosquitto*, void* self, const mosquitto_message* m) {
        auto* link = static_cast<MqttLink*>(self);
        link->m_onCommand(m->topic, std::string(static_cast<const char*>(m->payload),
                                                static_cast<std::size_t>(m->payloadlen)));
    });
    return link;
}

MqttLink::~MqttLink() {
    stop();
}

void MqttLink::start() {
    m_thread = std::jthread([this](std::stop_token stop) { run(std::move(stop)); });
}

void MqttLink::stop() {
    if (!m_thread.joinable()) return;
    if (m_connected) {
        const std::lock_guard lock(m_retainedMutex);
        send(BridgeStatusTopic(m_config.prefix), "offline", true);
        mosquitto_disconnect(m_client.get());
    }
    m_thread.request_stop();
    m_thread.join();
    m_connected = false;
}

void MqttLink::run(std::stop_token stop) {
    const BrokerConfig& broker = m_config.broker;
    const std::string where = broker.host + ":" + std::to_string(broker.port);
    std::mutex mutex;
    std::condition_variable_any never;
    bool reported = false;
    while (!stop.stop_requested()) {
        int code = mosquitto_connect_async(m_client.get(), broker.host.c_str(), broker.port,
                                           kKeepAliveSeconds);
        std::optional<std::chrono::steady_clock::time_point> drainEnd;
        while (code == MOSQ_ERR_SUCCESS) {
            code = mosquitto_loop(m_client.get(), kLoopWaitMs, 1);
            if (m_connected) reported = false;
            // Stopping: the disconnect, queued after the last messages, ends the loop.
            if (stop.stop_requested()) {
                const auto now = std::chrono::steady_clock::now();
                if (!drainEnd) drainEnd = now + kDrainTime;
                if (!m_connected || now > *drainEnd) return;
            }
        }
        if (stop.stop_requested()) return;
        if (!reported) {
            std::string why = mosquitto_strerror(code);
            if (why.ends_with('.')) why.pop_back();
            Log("broker " + where + ": " + why + "; trying again");
            reported = true;
        }
        std::unique_lock lock(mutex);
        never.wait_for(lock, stop, m_pause, [] { return false; });
        m_pause = std::min(m_pause * 2, kLongestPause);
    }
}

void MqttLink::publish(const std::string& topic, const std::string& payload, bool retained) {
    if (!retained) return send(topic, payload, false);
    const std::lock_guard lock(m_retainedMutex);
    m_retained[topic] = payload;
    send(topic, payload, true);
}

void MqttLink::send(const std::string& topic, const std::string& payload, bool retained) {
    if (!m_connected || m_pending >= kMaxPending) {
        ++m_dropped;
        return;
    }
    ++m_pending;
    const int sent =
        mosquitto_publish(m_client.get(), nullptr, topic.c_str(), static_cast<int>(payload.size()),
                          payload.data(), 0, retained);
    if (sent != MOSQ_ERR_SUCCESS) {
        --m_pending;
        ++m_dropped;
    }
}

void MqttLink::connectedNow() {
    m_pending = 0;
    m_connected = true;
    // Also with writes off: a command is refused with a reason, not ignored.
    mosquitto_subscribe(m_client.get(), nullptr, CommandFilter(m_config.prefix).c_str(), 0);
    const std::lock_guard lock(m_retainedMutex);
    send(BridgeStatusTopic(m_config.prefix), "online", true);
    if (const std::uint64_t dropped = m_dropped.exchange(0); dropped > 0) {
        send(m_config.prefix + "/bridge/dropped", "{\"dropped\":" + std::to_string(dropped) + "}",
             false);
    }
    for (const auto& [topic, payload] : m_retained)
        send(topic, payload, true);
}

void MqttLink::OnConnect(mosquitto*, void* self, int code) {
    auto* link = static_cast<MqttLink*>(self);
    const BrokerConfig& broker = link->m_config.broker;
    const std::string where = broker.host + ":" + std::to_string(broker.port);
    if (code != 0) {
        Log("broker " + where + " refused the connection: " + mosquitto_connack_string(code) +
            (code == 4 || code == 5 ? " (check user and password_file)" : ""));
        return;
    }
    Log("connected to broker " + where);
    link->m_pause = kFirstPause;
    link->connectedNow();
}

void MqttLink::OnDisconnect(mosquitto*, void* self, int) {
    auto* link = static_cast<MqttLink*>(self);
    link->m_connected = false;
}

void MqttLink::OnPublish(mosquitto*, void* self, int) {
    auto* link = static_cast<MqttLink*>(self);
    if (link->m_pending > 0) --link->m_pending;
}

}  // namespace bridge
