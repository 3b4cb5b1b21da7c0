// N unpaced parameter reads against the simulator on a pty, nothing else: a
// run to count system calls (scripts/count-syscalls.sh). readloop N [DEVICE]:
// with a device (a simulator's pty, tcp://HOST:PORT) no simulator of its own.
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "driver/vekzan1.h"
#include "platform/rs232/portmap.h"
#include "sim/ptyserver.h"

int main(int argc, char** argv) {
    const long reads = argc > 1 ? std::atol(argv[1]) : 1000;
    std::string device = argc > 2 ? argv[2] : "";
    std::unique_ptr<zan1sim::PtyServer> sim;
    if (device.empty()) {
        std::string error;
        sim = zan1sim::PtyServer::start(zan1sim::Options{}, &error);
        if (!sim) {
            std::fprintf(stderr, "readloop: %s\n", error.c_str());
            return 1;
        }
        device = sim->devicePath();
    }
    rs232::SetPortDevice(1, device);
    if (VEKZAN1_Open(1) != 0 || VEKZAN1_Timeout(1, 1.0) != 0) {
        std::fprintf(stderr, "readloop: cannot open %s\n", device.c_str());
        return 1;
    }
    double value = 0;
    for (long i = 0; i < reads; ++i) {
        if (const int code = VEKZAN1_ParameterLesen(1, 1, "istwert1", &value); code != 0) {
            std::fprintf(stderr, "readloop: read %ld failed: %d\n", i, code);
            return 1;
        }
    }
    return VEKZAN1_Close(1) == 0 ? 0 : 1;
}
