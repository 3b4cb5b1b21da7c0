#include <string>

#include "initestsupport.h"

namespace {

using initest::DataFile;
using initest::IniFileTest;

IniPtr ReadData(const std::string& name, bool autoSort = true) {
    IniPtr ini = MakeIni(autoSort);
    EXPECT_EQ(Ini_ReadFromFile(ini.get(), DataFile(name).c_str()), 0) << name;
    return ini;
}

using IniRead = IniFileTest;

TEST_F(IniRead, BlanksAroundNamesAndLetterCaseDoNotMatter) {
    IniPtr ini = ReadData("blanks_case.ini");
    int value = 0;
    EXPECT_EQ(Ini_GetInt(ini.get(), "ZAN1", "comport", &value), 1);
    EXPECT_EQ(value, 7);
    EXPECT_EQ(Ini_GetInt(ini.get(), " zAn1\t", " COMPORT ", &value), 1);
}

// Each reading rule has a small input file and the golden file the object then writes.
struct ReadCase {
    const char* input;
    const char* golden;
    bool autoSort;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.input;
}

class IniReadRule : public IniFileTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(IniReadRule, RewritesAsGolden) {
    IniPtr ini = ReadData(GetParam().input, GetParam().autoSort);
    EXPECT_EQ(Written(ini.get()), initest::ReadBytes(initest::GoldenFile(GetParam().golden)))
        << GetParam().input;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, IniReadRule, ::testing::Values(
    // every line-end convention, with or without a final one, reads like CR LF
    ReadCase{"crlf.ini", "five_lines.ini", true}, ReadCase{"lf_only.ini", "five_lines.ini", true},
    ReadCase{"cr_only.ini", "five_lines.ini", true},
    ReadCase{"no_final_line_end.ini", "five_lines.ini", true},
    ReadCase{"mixed_line_ends.ini", "five_lines.ini", true},
    ReadCase{"ignored_lines.ini", "ignored_lines.ini", true},
    ReadCase{"quotes.ini", "quotes.ini", true},
    ReadCase{"headers.ini", "headers.ini", true},
    ReadCase{"long_lines.ini", "long_lines.ini", true},
    ReadCase{"chunk_border.ini", "chunk_border.ini", true},
    ReadCase{"continuation.ini", "continuation.ini", false},
    ReadCase{"unsorted.ini", "unsorted_sorted.ini", true},
    ReadCase{"unsorted.ini", "unsorted_kept.ini", false}));
// clang-format on

TEST_F(IniRead, MissingFileOrDirectoryCannotBeOpened) {
    IniPtr ini = MakeIni(true);
    EXPECT_EQ(Ini_ReadFromFile(ini.get(), Path("missing.ini").c_str()), kIniCannotOpen);
    EXPECT_EQ(Ini_ReadFromFile(ini.get(), m_dir.c_str()), kIniCannotOpen);
    EXPECT_EQ(Written(ini.get()), "");
}

}  // namespace
