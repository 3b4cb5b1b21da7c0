#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/run.h"

namespace {

volatile std::sig_atomic_t gInterrupted = 0;

void Interrupt(int) {
    gInterrupted = 1;
}

}  // namespace

int main(int argc, char** argv) {
    // Let monitor finish its row and close the port on Ctrl-C.
    std::signal(SIGINT, Interrupt);
    std::signal(SIGTERM, Interrupt);
    const std::vector<std::string> args(argv + 1, argv + argc);
    return zan1ctl::Run(args, std::cout, std::cerr, [] { return gInterrupted == 0; });
}
