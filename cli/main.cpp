#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/run.h"
#include "platform/commandline.h"

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

void Interrupt(int) {
    gInterrupted = 1;
}

}  // namespace

int main(int argc, char** argv) {
    const platform::Utf8Console console;
    // Let monitor finish its row and close the port on Ctrl-C.
    std::signal(SIGINT, Interrupt);
    std::signal(SIGTERM, Interrupt);
    return zan1ctl::Run(platform::ProgramArguments(argc, argv), std::cout, std::cerr,
                        [] { return gInterrupted == 0; });
}
