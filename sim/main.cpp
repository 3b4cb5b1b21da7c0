// zan1sim: a simulated ZAN-1 bus on a pseudo-terminal, until SIGINT or SIGTERM.
#include <pthread.h>
#include <signal.h>

#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/version.h"
#include "sim/commandline.h"
#include "sim/devicelink.h"
#include "sim/ptyserver.h"

int main(int argc, char** argv) {
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    std::string error;
    const auto commandLine = zan1sim::ParseCommandLine(args, &error);
    if (!commandLine) {
        std::cerr << "zan1sim: " << error << "\n" << zan1sim::Usage();
        return 2;
    }
    if (commandLine->help) {
        std::cout << zan1sim::Usage();
        return 0;
    }
    if (commandLine->version) {
        std::cout << "zan1sim " << ProgramVersion() << "\n";
        return 0;
    }

    // Blocked before the server thread starts, so only sigwait below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    const auto server = zan1sim::PtyServer::start(commandLine->options, &error);
    if (!server) {
        std::cerr << "zan1sim: " << error << "\n";
        return 1;
    }
    // The link exists before the path is printed, so whoever waits for the
    // first line can use either.
    std::optional<zan1sim::DeviceLink> link;
    if (!commandLine->link.empty()) {
        auto created = zan1sim::DeviceLink::create(server->devicePath(), commandLine->link, &error);
        if (!created) {
            std::cerr << "zan1sim: " << error << "\n";
            return 1;
        }
        link.emplace(std::move(*created));
    }
    std::cout << server->devicePath() << std::endl;

    int signal = 0;
    sigwait(&stopSignals, &signal);
    return 0;
}
