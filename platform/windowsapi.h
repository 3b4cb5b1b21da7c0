// The edges to the wide Windows API: UTF-8 inside the program, UTF-16 in the
// calls; and Windows error numbers as the errno values the rest of the
// program explains. Windows only.
#pragma once

#include <string>

namespace platform {

// Invalid UTF-8 becomes U+FFFD, so a bad name fails to open rather than
// opening another file.
std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& utf16);

// The errno for a GetLastError() value; EIO for those without a match.
int ErrnoFromWindowsError(unsigned long error);

}  // namespace platform
