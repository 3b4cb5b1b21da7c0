// zan1ctl ports over a made-up /dev and /sys, with a port map beside them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/ports.h"
#include "tests/support/tempdir.h"

namespace {

namespace fs = std::filesystem;

void Link(const fs::path& link, const fs::path& target) {
    fs::create_directories(link.parent_path());
    std::error_code alreadyThere;
    fs::create_symlink(target, link, alreadyThere);
}

TEST(Ports, StableNamesThenAdaptersThenOnboardPortsWithHardwareThenTheMapsOthers) {
    testsupport::TemporaryCurrentDirectory directory;
    std::ostringstream none;
    zan1ctl::ListPorts(none, "dev", "sys");
    EXPECT_TRUE(none.str().starts_with("No serial devices found.\n"));
    fs::create_directories("dev");
    // Made in an order that is neither numeric nor alphabetic, either way round.
    for (const char* node : {"ttyUSB2", "ttyUSB10", "ttyUSB1", "ttyUSB", "ttyUSBx", "ttyACM0",
                             "ttyS0", "ttyS1", "ttyS2", "ttyS4", "ttyS31", "tty0", "console"})
        std::ofstream(fs::path("dev") / node);
    Link("dev/serial/by-id/usb-FTDI_A502-port0", "../../ttyUSB10");
    Link("dev/serial/by-id/usb-Arduino-if00", "../../ttyACM0");
    // A ttyS, its device, then the subsystems of the device and its parents: older
    // kernels link a ttyS straight to its device, newer ones through serial-base.
    const std::vector<std::vector<const char*>> ttys = {
        {"ttyS0", "pnp0/00:05/00:05:0/00:05:0.0", "serial-base", "serial-base", "pnp"},
        {"ttyS1", "platform/serial8250", "platform"},
        {"ttyS2", "platform/serial8250/0/0.2", "serial-base", "serial-base", "platform"},
        {"ttyS4", "pci0000:00/0000:00:16.3", "pci"}};
    for (const auto& tty : ttys) {
        fs::path device = fs::absolute("sys/devices") / tty[1];
        Link(fs::path("sys/class/tty") / tty[0] / "device", device);
        for (std::size_t i = 2; i < tty.size(); ++i, device = device.parent_path())
            Link(device / "subsystem", fs::path("/sys/bus") / tty[i]);
    }
    // Beyond the devices found: the simulator's pty and a serial device server.
    std::ofstream("zan1ports.ini")
        << "[Ports]\ncom2 = dev/serial/by-id/usb-FTDI_A502-port0\ncom3 = dev/ttyS4\n"
           "com4 = dev/ttyUSB2\ncom6 = /dev/pts/7\ncom7 = tcp://10.0.0.5:4001\ncom8 = /dev/pts/7\n";
    std::ostringstream out;
    zan1ctl::ListPorts(out, "dev", "sys");
    const auto hint = out.str().find("\nTo map");
    EXPECT_EQ(out.str().substr(0, hint),
              "dev/serial/by-id/usb-Arduino-if00 -> dev/ttyACM0\n"
              "dev/serial/by-id/usb-FTDI_A502-port0 -> dev/ttyUSB10  COM 2\n"
              "dev/ttyUSB1\n"
              "dev/ttyUSB2  COM 4\n"
              "dev/ttyUSB10  COM 2\n"
              "dev/ttyACM0\n"
              "dev/ttyS0  COM 1 (default)\n"
              "dev/ttyS4  COM 3, COM 5 (default)\n"
              "/dev/pts/7 (mapped)  COM 6, COM 8\n"
              "tcp://10.0.0.5:4001 (mapped)  COM 7\n");
    EXPECT_NE(out.str().find("\"comN = DEVICE\" under [Ports] in zan1ports.ini", hint),
              std::string::npos);
}

}  // namespace
