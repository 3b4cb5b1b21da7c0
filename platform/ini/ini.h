#pragma once

// Settings object and INI text files. Sections and items are kept in name order
// (letter case ignored) when the object sorts; names are compared without regard to
// case and surrounding white space. Values are stored as text; numbers are written
// and read independently of the process locale.
//
// Every int result is 0 for success or one of the negative codes below; look-ups
// return 1 when found and 0 when absent. A null object or a null required argument
// gives kIniNullArgument. The object is owned by the caller from Ini_New until
// Ini_Dispose; C++ callers use IniPtr so it is released on every path.

#include <cstddef>
#include <memory>

struct IniObject;
using IniHandle = IniObject*;

inline constexpr int kIniOutOfMemory = -12;
inline constexpr int kIniNullArgument = -65;
inline constexpr int kIniStatFailed = -91;
inline constexpr int kIniIoError = -93;
inline constexpr int kIniFileNotFound = -94;
inline constexpr int kIniNotWritable = -95;
inline constexpr int kIniDiskFull = -97;
inline constexpr int kIniCannotOpen = -5001;
inline constexpr int kIniReadError = -5002;
inline constexpr int kIniNoTempName = -5003;
inline constexpr int kIniCannotCreateTemp = -5004;
inline constexpr int kIniNotInteger = -5021;
inline constexpr int kIniNotNumber = -5023;

// A new empty object, or nullptr when memory is exhausted. autoSort is 0 or 1.
IniHandle Ini_New(int autoSort) noexcept;
void Ini_Dispose(IniHandle ini) noexcept;

// Puts replace every item of the same name in the section (creating the section if
// needed). Integers are written as "%ld", doubles as "%.16g"; raw strings unchanged
// and quoted.
int Ini_PutInt(IniHandle ini, const char* section, const char* item, long value) noexcept;
int Ini_PutDouble(IniHandle ini, const char* section, const char* item, double value) noexcept;
int Ini_PutRawString(IniHandle ini, const char* section, const char* item,
                     const char* text) noexcept;

// Writes through a temporary file "ini$$N.TMP" that then replaces the target (the
// file a symbolic link ends in, keeping its mode); on failure the target keeps its
// content and no temporary file is left behind. A target that is not a regular file
// gives kIniNotWritable.
int Ini_WriteToFile(IniHandle ini, const char* path) noexcept;
// Adds the sections of the file to the object. A failed read keeps what was read.
int Ini_ReadFromFile(IniHandle ini, const char* path) noexcept;

// 1 and *out set, 0 when absent or blank (out untouched), kIniNotInteger otherwise
// (out untouched). Accepts [ws][+|-]digits[ws] within the 32-bit range.
int Ini_GetInt(IniHandle ini, const char* section, const char* item, int* out) noexcept;
// 1 and *out set, 0 when absent or blank (out untouched). kIniNotNumber when the text
// is not entirely a number or out of range; *out then holds its convertible leading
// part (0.0 if none).
int Ini_GetDouble(IniHandle ini, const char* section, const char* item, double* out) noexcept;
// Empties the buffer, then copies the value cut to bufferSize - 1 bytes: 1, or 0 when
// absent. A zero-sized buffer is left alone.
int Ini_GetRawStringIntoBuffer(IniHandle ini, const char* section, const char* item, char* buffer,
                               std::size_t bufferSize) noexcept;

// The number of sections, or kIniNullArgument.
int Ini_NumberOfSections(IniHandle ini) noexcept;
// The name of the index-th section (1 for the first, in the object's order),
// copied like a raw string: 1, or 0 when there is no such section.
int Ini_NthSectionName(IniHandle ini, int index, char* buffer, std::size_t bufferSize) noexcept;

struct IniDeleter {
    void operator()(IniObject* ini) const noexcept { Ini_Dispose(ini); }
};
using IniPtr = std::unique_ptr<IniObject, IniDeleter>;

// Empty IniPtr when memory is exhausted.
IniPtr MakeIni(bool autoSort) noexcept;
