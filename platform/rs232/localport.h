// The backend for a device path of this system, one of them built in:
//  - ttyport.cpp: a termios tty in raw mode with the given line settings, no
//    flow control. Linux pseudo-terminals keep 8N1 whatever is asked, and the
//    C library then reports EINVAL: the backend checks what took effect and
//    accepts exactly that case, so the same code serves a pty and a real
//    adapter. The port is held exclusively until it is closed: TIOCEXCL, and
//    an advisory flock, which binds root too.
//  - comport.cpp: a Windows COM port ("\\.\COM3") through the Win32 API,
//    without flow control; Windows opens a COM port exclusively anyway.
#pragma once

#include <memory>
#include <string>

#include "platform/rs232/serialport.h"

namespace rs232 {

// nullptr on failure, with the errno of the failing step in *error (ENOTTY
// for a device that is no serial port, EBUSY for one another program holds).
std::unique_ptr<SerialPort> OpenLocalPort(const std::string& device, const LineSettings& settings,
                                          int* error);

}  // namespace rs232
