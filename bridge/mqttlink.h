// The bridge's connection to the broker, over libmosquitto on a network
// thread of our own: TLS and password as configured, the bridge's status as
// Last Will ("offline", retained) and "online" on every connect; connects and
// reconnects by itself, after a pause doubling from 1 s to 60 s, also when
// the broker is not there at start. While the broker is away, or lags
// more than kMaxPending messages behind, messages are dropped and counted; the
// count goes out on <prefix>/bridge/dropped at the next connect, followed by
// the latest retained message of every topic, so the broker is up to date.
#pragma once

#include <atomic>
#include <chrono>
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

    // Starts the network thread, which keeps connecting until stop.
    void start();
    // Publishes the bridge "offline", disconnects (waiting at most
    // kDrainTime for that) and ends the network thread.
    void stop();

    void publish(const std::string& topic, const std::string& payload, bool retained) override;

    bool connected() const { return m_connected; }

    static constexpr int kMaxPending = 10000;
    static constexpr std::chrono::seconds kDrainTime{2};

  private:
    MqttLink(const BridgeConfig& config, CommandHandler onCommand);
    static void OnConnect(mosquitto*, void* self, int code);
    static void OnDisconnect(mosquitto*, void* self, int);
    static void OnPublish(mosquitto*, void* self, int mid);
    void run(std::stop_token stop);
    void connectedNow();
    // Hands a message to libmosquitto when it can take one; counts it dropped otherwise.
    void send(const std::string& topic, const std::string& payload, bool retained);

    const BridgeConfig& m_config;
    CommandHandler m_onCommand;
    std::unique_ptr<mosquitto, void (*)(mosquitto*)> m_client;
    std::atomic<bool> m_connected{false};
    std::chrono::seconds m_pause{1};  // the network thread's own
    std::atomic<int> m_pending{0};
    std::atomic<std::uint64_t> m_dropped{0};
    std::mutex m_retainedMutex;  // also keeps retained sends in order with the replay
    std::map<std::string, std::string> m_retained;
    std::jthread m_thread;
};

}  // namespace bridge
