#include <iostream>

#include "cli/run.h"
#include "platform/commandline.h"
#include "platform/stopsignal.h"

int main(int argc, char** argv) {
    // Before any other thread. A signal ends monitor and scan early, with the
    // port closed and status 0.
    const platform::StopOnSignal stop;
    const platform::Utf8Console console;
    return zan1ctl::Run(platform::ProgramArguments(argc, argv), std::cout, std::cerr, stop.token());
}
