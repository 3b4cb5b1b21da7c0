// zan1ctl ports: the serial devices of this machine, each with the port
// numbers zan1ports.ini gives it, then what else the file maps (a pty, a
// serial device server), and how to map one. Opens no port.
#pragma once

#include <filesystem>
#include <iosfwd>

namespace zan1ctl {

void ListPorts(std::ostream& out, const std::filesystem::path& dev = "/dev",
               const std::filesystem::path& sys = "/sys");

}  // namespace zan1ctl
