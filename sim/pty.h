// A pseudo-terminal for the simulated line. The terminal side is in raw mode
// (no echo, no line editing) and stays open as long as the pair lives: without
// it, reads on the master fail with EIO whenever the client closes the port.
#pragma once

#include <optional>
#include <string>

#include "platform/uniquefd.h"

namespace zan1sim {

using platform::UniqueFd;

struct Pty {
    UniqueFd master;    // non-blocking
    UniqueFd terminal;  // our own hold on the terminal side
    std::string path;   // e.g. /dev/pts/7, what clients open
};

// nullopt and a message in *error when no pseudo-terminal can be had.
std::optional<Pty> OpenPty(std::string* error);

}  // namespace zan1sim
