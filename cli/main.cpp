#include <iostream>

#include "cli/run.h"
#include "cli/stopsignal.h"
#include "platform/commandline.h"

int main(int argc, char** argv) {
    // Before any other thread. A signal ends monitor and scan early, with the
    // port closed and status 0.
    const zan1ctl::StopOnSignal stop;
    const platform::Utf8Console console;
    return zan1ctl::Run(platform::ProgramArguments(argc, argv), std::cout, std::cerr, stop.token());
}
