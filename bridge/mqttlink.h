// The bridge's connection to the broker, over libmosquitto's own network
// thread: TLS and password as configured, the bridge's status as Last Will
// ("offline", retained) and "online" on every connect, reconnects by itself
// with a pause doubling from 1 s to 60 s. While the broker is away, or lags
// more than kMaxPending messages behind, messages are dropped and counted; the
// count goes out on <prefix>/bridge/dropped at the next connect, followed by
// the latest retained message of every topic, so the broker is up to date.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "bridge/bridgeconfig.h"
#include "bridge/outbox.h"

struct mosquitto;

namespace bridge {

class MqttLink : public Outbox {
  public:
    // Called on libmosquitto's thread for each message on the command filter.
    using CommandHandler =
        std::function<void(const std::string& topic, const std::string& payload)>;

    // nullptr and a reason when the client cannot be set up (password or TLS
    // files, out of memory). Needs mosquitto_lib_init first.
    static std::unique_ptr<MqttLink> create(const BridgeConfig& config, CommandHandler onCommand,
                                            std::string* reason);
    ~MqttLink() override;
    MqttLink(const MqttLink&) = delete;
    MqttLink& operator=(const MqttLink&) = delete;

    // Starts connecting; the network thread keeps trying until stop.
    void start();
    // Publishes the bridge "offline", disconnects and ends the network thread.
    void stop();

    void publish(const std::string& topic, const std::string& payload, bool retained) override;

    bool connected() const { return m_connected; }

    static constexpr int kMaxPending = 10000;

  private:
    MqttLink(const BridgeConfig& config, CommandHandler onCommand);
    static void OnConnect(mosquitto*, void* self, int code);
    static void OnDisconnect(mosquitto*, void* self, int code);
    static void OnPublish(mosquitto*, void* self, int mid);
    void connectedNow();
    // Hands a message to libmosquitto when it can take one; counts it dropped otherwise.
    void send(const std::string& topic, const std::string& payload, bool retained);

    const BridgeConfig& m_config;
    CommandHandler m_onCommand;
    std::unique_ptr<mosquitto, void (*)(mosquitto*)> m_client;
    std::atomic<bool> m_connected{false};
    std::atomic<bool> m_started{false};
    std::atomic<int> m_pending{0};
    std::atomic<std::uint64_t> m_dropped{0};
    std::mutex m_retainedMutex;  // also keeps retained sends in order with the replay
    std::map<std::string, std::string> m_retained;
    std::jthread m_connector;  // the first connect; ends once it got under way
};

}  // namespace bridge
