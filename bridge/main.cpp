// zan1bridge: publishes the ZAN-1 modules of one or more lines to an MQTT broker.
#include <mosquitto.h>

#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>

#include "bridge/bridge.h"
#include "bridge/bridgeconfig.h"
#include "bridge/mqttlink.h"
#include "errors/VEK_errorV3.h"
#include "platform/stopsignal.h"
#include "platform/version.h"

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;

constexpr const char* kHelp =
    "usage: zan1bridge [--config FILE] [--help | --version]\n"
    "Publishes the ZAN-1 modules of the configured lines to an MQTT broker: their\n"
    "actual values and status as <prefix>/<line>/<address>/state, id and status\n"
    "(online/offline), errors; with writes = 1 it takes commands on\n"
    "<prefix>/<line>/<address>/set/<parameter>. FILE defaults to " ZAN1_DEFAULT_CONFIG
    ".\n"
    "Ends on SIGTERM or SIGINT, publishing every module offline.\n";

// Waits on this thread until the stop token is set.
void WaitForStop(std::stop_token stop) {
    std::mutex mutex;
    std::condition_variable_any stopped;
    std::unique_lock lock(mutex);
    stopped.wait(lock, stop, [] { return false; });
}

}  // namespace

int main(int argc, char** argv) {
    // Before any other thread: the signals are taken by a thread of their own.
    const platform::StopOnSignal stop;
    std::string path = ZAN1_DEFAULT_CONFIG;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("zan1bridge %s\n", ProgramVersion());
            return 0;
        }
        if (arg == "--config" && i + 1 < argc) {
            path = argv[++i];
        } else if (arg.starts_with("--config=")) {
            path = arg.substr(9);
        } else {
            std::fprintf(stderr, "zan1bridge: unknown argument %s\n%s", argv[i], kHelp);
            return kUsageError;
        }
    }
    std::string reason;
    const auto config = bridge::ReadBridgeConfig(path, &reason);
    if (!config) {
        std::fprintf(stderr, "zan1bridge: %s\n", reason.c_str());
        return kUsageError;
    }
    VEK_Fehlersprache(config->english ? 2 : 1);
    mosquitto_lib_init();
    int status = 0;
    {
        bridge::Bridge* lines = nullptr;
        const auto link = bridge::MqttLink::create(
            *config,
            [&lines](const std::string& topic, const std::string& payload) {
                if (lines) lines->command(topic, payload);
            },
            &reason);
        if (link) {
            bridge::Bridge bridge(*config, *link);
            lines = &bridge;
            bridge.start();
            link->start();
            WaitForStop(stop.token());
            bridge.stop();
            link->stop();
            lines = nullptr;
        } else {
            std::fprintf(stderr, "zan1bridge: %s\n", reason.c_str());
            status = kFailed;
        }
    }
    mosquitto_lib_cleanup();
    return status;
}
