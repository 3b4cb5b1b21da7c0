// A command-line program's edges: its arguments as UTF-8, and a console that
// shows the UTF-8 it prints. On Windows both are code pages unless asked.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The arguments after the program's name.
std::vector<std::string> ProgramArguments(int argc, char** argv);

// Sets the console to UTF-8 output while it lives and gives the console its
// own code page back at the end, as other programs expect it.
class Utf8Console {
  public:
    Utf8Console();
    ~Utf8Console();
    Utf8Console(const Utf8Console&) = delete;
    Utf8Console& operator=(const Utf8Console&) = delete;

  private:
    [[maybe_unused]] unsigned m_previousCodePage = 0;  // Windows only
};

}  // namespace platform
