// The platform functions that Windows has files of its own for, run under wine.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

#include "platform/atomicfile.h"
#include "platform/fileio.h"
#include "platform/ini/ininumber.h"
#include "platform/isotime.h"
#include "platform/uniquefd.h"

namespace {

namespace fs = std::filesystem;
using platform::ReplaceStep;

std::string Utf8(const fs::path& path) {
    const std::u8string text = path.generic_u8string();
    return std::string(text.begin(), text.end());
}

std::string Read(const std::string& path) {
    const platform::UniqueFd fd(platform::OpenFile(path, O_RDONLY));
    char bytes[64];
    const int n = fd.valid() ? _read(fd.get(), bytes, sizeof bytes) : -1;
    return n < 0 ? "<missing>" : std::string(bytes, static_cast<std::size_t>(n));
}

platform::ReplaceResult Replace(const std::string& path, const std::string& text) {
    return platform::ReplaceFile(path, O_WRONLY, platform::RandomTempName, [&](int fd) {
        return text.empty() ? EIO : platform::WriteAll(fd, text.data(), text.size());
    });
}

// File names are UTF-8 inside and must reach Windows as the same characters.
TEST(WindowsPlatform, ReplacesFilesWholeUnderUtf8Names) {
    const fs::path folder = fs::temp_directory_path() / u8"zan1 \u00e4";
    fs::remove_all(folder);
    fs::create_directory(folder);
    const std::string file = Utf8(folder / u8"Satz \u00fc.zan");
    const struct {
        std::string path, text;
        ReplaceStep step;
        int error;
        std::string after;
    } cases[] = {
        {file, "eins", ReplaceStep::kDone, 0, "eins"},
        {file, "zwei", ReplaceStep::kDone, 0, "zwei"},
        {file, "", ReplaceStep::kWrite, EIO, "zwei"},
        {Utf8(folder), "x", ReplaceStep::kTargetNotWritable, EINVAL, "<missing>"},
        {Utf8(folder / "nicht da" / "x.zan"), "x", ReplaceStep::kTargetNotWritable, ENOENT,
         "<missing>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path + " <- " + c.text);
        const platform::ReplaceResult result = Replace(c.path, c.text);
        EXPECT_EQ(result.step, c.step);
        EXPECT_EQ(result.error, c.error);
        EXPECT_EQ(Read(c.path), c.after);
    }
    // No temporary file is left, and the name is the one asked for.
    std::vector<fs::path> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename());
    EXPECT_EQ(names, std::vector<fs::path>{u8"Satz \u00fc.zan"});
    fs::remove_all(folder);
}

// strtod of Windows reads the process locale; the settings file must not.
TEST(WindowsPlatform, ReadsNumbersAsStrtodInTheCLocale) {
    using ini_detail::ParseResult;
    const struct {
        const char* text;
        ParseResult result;
        double value;
    } cases[] = {
        {"1.5", ParseResult::kOk, 1.5},       {" +2.25", ParseResult::kOk, 2.25},
        {"-5e-1", ParseResult::kOk, -0.5},    {"1,5", ParseResult::kInvalid, 1},
        {"+-1", ParseResult::kInvalid, 0},    {"1e999", ParseResult::kInvalid, 0},
        {"4e-320", ParseResult::kOk, 4e-320}, {"2 ", ParseResult::kInvalid, 2},
    };
    for (const auto& c : cases) {
        double value = -1;
        EXPECT_EQ(ini_detail::ParseDouble(c.text, &value), c.result) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

TEST(WindowsPlatform, WritesLocalTimeWithItsOffset) {
    _putenv("TZ=XYZ-2");
    _tzset();
    std::string text;
    platform::AppendIsoLocalTime(text, std::chrono::system_clock::from_time_t(3600));
    EXPECT_EQ(text, "1970-01-01T03:00:00.000+02:00");
}

}  // namespace
