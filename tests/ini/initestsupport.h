#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/ini/ini.h"

namespace initest {

namespace fs = std::filesystem;

inline fs::path DataFile(const std::string& name) {
    return fs::path(ZAN1_INI_TESTFILES) / "data" / name;
}
inline fs::path GoldenFile(const std::string& name) {
    return fs::path(ZAN1_INI_TESTFILES) / "golden" / name;
}

inline std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
inline void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

inline std::string RawValue(IniHandle ini, const char* section, const char* item) {
    char buffer[512];
    const int found = Ini_GetRawStringIntoBuffer(ini, section, item, buffer, sizeof buffer);
    return found == 1 ? std::string(buffer) : "<absent>";
}

// Each test gets its own empty directory.
class IniFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "initest.XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        m_dir = pattern;
    }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path Path(const std::string& name) const { return m_dir / name; }

    // The bytes the object writes.
    std::string Written(IniHandle ini) {
        EXPECT_EQ(Ini_WriteToFile(ini, Path("written.ini").c_str()), 0);
        return ReadBytes(Path("written.ini"));
    }

    fs::path m_dir;
};

}  // namespace initest
