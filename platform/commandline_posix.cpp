#include "platform/commandline.h"

namespace platform {

// argv is UTF-8 already in the locales we run in.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
    return {argv + 1, argv + argc};
}

Utf8Console::Utf8Console() = default;
Utf8Console::~Utf8Console() = default;

}  // namespace platform
