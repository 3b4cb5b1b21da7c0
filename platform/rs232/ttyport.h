// The termios backend: a tty device in raw mode with the given line settings,
// no flow control. Linux pseudo-terminals keep 8N1 whatever is asked, and the C
// library then reports EINVAL: the backend checks what took effect and accepts
// exactly that case, so the same code serves a pty and a real adapter.
#pragma once

#include <memory>
#include <string>

#include "platform/rs232/serialport.h"

namespace rs232 {

std::unique_ptr<SerialPort> OpenTtyPort(const std::string& device, const LineSettings& settings);

}  // namespace rs232
