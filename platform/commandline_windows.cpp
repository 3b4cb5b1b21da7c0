#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include "platform/commandline.h"
#include "platform/windowsapi.h"

namespace platform {

// argv holds the ANSI code page's version of the arguments, which loses
// every character it has not: the wide command line keeps them all.
std::vector<std::string> ProgramArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide) return {argv + 1, argv + argc};
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(Narrow(wide[i]));
    LocalFree(wide);
    return arguments;
}

// Without a console (output redirected, or none at all) there is nothing to set.
Utf8Console::Utf8Console() : m_previousCodePage(GetConsoleOutputCP()) {
    if (m_previousCodePage != 0) SetConsoleOutputCP(CP_UTF8);
}

Utf8Console::~Utf8Console() {
    if (m_previousCodePage != 0) SetConsoleOutputCP(m_previousCodePage);
}

}  // namespace platform
