#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "initestsupport.h"

namespace {

using initest::IniFileTest;
using initest::ReadBytes;

using IniWrite = IniFileTest;

TEST_F(IniWrite, FiveLineExampleIsSortedWithCrLfAndReplacesDuplicates) {
    IniPtr ini = MakeIni(true);
    ASSERT_EQ(Ini_PutInt(ini.get(), "ZAN1", " COMPORT", 9), 0);
    ASSERT_EQ(Ini_PutInt(ini.get(), "ZAN1", "comport", 3), 0);
    ASSERT_EQ(Ini_PutInt(ini.get(), " zan1 ", "adresse", 1), 0);
    ASSERT_EQ(Ini_PutRawString(ini.get(), "ZAN1", "einheit1", "mm"), 0);
    EXPECT_EQ(Written(ini.get()), ReadBytes(initest::GoldenFile("five_lines.ini")));
}

// The fourteen program keys come out in one order whatever order they were put in.
class IniWriteOrder : public IniFileTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(IniWriteOrder, SettingsFileMatchesGolden) {
    // kind i: integer, d: double, s: raw string
    struct Setting {
        const char* name;
        char kind;
        double number;
        const char* text;
    };
    // clang-format off
    std::vector<Setting> settings = {
        {"zoommin", 'd', -20, ""}, {"zoommax", 'd', 120, ""}, {"vmin2", 'd', 0, ""},
        {"vmin1", 'd', 0.1, ""}, {"vmax2", 'd', 10, ""}, {"vmax1", 'd', 10, ""},
        {"einheitmin2", 'd', -1.5, ""}, {"einheitmin1", 'd', 0, ""}, {"einheitmax2", 'd', 16, ""},
        {"einheitmax1", 'd', 100, ""}, {"einheit2", 's', 0, "bar"}, {"einheit1", 's', 0, "mm"},
        {"comport", 'i', 2, ""}, {"adresse", 'i', 1, ""}};
    // clang-format on
    if (GetParam() > 0) {
        std::shuffle(settings.begin(), settings.end(), std::mt19937(GetParam()));
    }
    IniPtr ini = MakeIni(true);
    for (const Setting& s : settings) {
        const int rc = s.kind == 'i' ? Ini_PutInt(ini.get(), "ZAN1", s.name, std::lround(s.number))
                       : s.kind == 'd' ? Ini_PutDouble(ini.get(), "ZAN1", s.name, s.number)
                                       : Ini_PutRawString(ini.get(), "ZAN1", s.name, s.text);
        ASSERT_EQ(rc, 0) << s.name;
    }
    EXPECT_EQ(Written(ini.get()), ReadBytes(initest::GoldenFile("settings.ini")));
}

INSTANTIATE_TEST_SUITE_P(PutOrders, IniWriteOrder, ::testing::Range(0u, 5u));

TEST_F(IniWrite, UnsortedObjectKeepsPutOrderAndReplacesInPlace) {
    IniPtr ini = MakeIni(false);
    Ini_PutInt(ini.get(), "S", "b", 1);
    Ini_PutInt(ini.get(), "S", "a", 2);
    Ini_PutInt(ini.get(), "R", "c", 3);
    Ini_PutInt(ini.get(), "S", "B", 4);
    EXPECT_EQ(Written(ini.get()), "[S]\r\nB = 4\r\na = 2\r\n\r\n[R]\r\nc = 3\r\n\r\n");
}

TEST_F(IniWrite, EmptyObjectGivesEmptyFile) {
    IniPtr ini = MakeIni(true);
    initest::WriteBytes(Path("written.ini"), "old content");
    EXPECT_EQ(Written(ini.get()), "");
}

TEST_F(IniWrite, ValuesOver80CharactersBecomeContinuationLines) {
    IniPtr ini = MakeIni(true);
    const std::string eighty(80, 'a');
    Ini_PutRawString(ini.get(), "S", "fits", eighty.c_str());
    Ini_PutRawString(ini.get(), "S", "long", (eighty + std::string(80, 'b') + "c").c_str());
    EXPECT_EQ(Written(ini.get()), "[S]\r\nfits = \"" + eighty + "\"\r\nlong Line0001 = \"" +
                                      eighty + "\"\r\nlong Line0002 = \"" + std::string(80, 'b') +
                                      "\"\r\nlong Line0003 = \"c\"\r\n\r\n");
}

struct NumberCase {
    double value;
    const char* text;
};

void PrintTo(const NumberCase& c, std::ostream* os) {
    *os << c.text;
}

class IniDoubleText : public ::testing::TestWithParam<NumberCase> {};

TEST_P(IniDoubleText, FormattedLikePercentPoint16g) {
    IniPtr ini = MakeIni(true);
    ASSERT_EQ(Ini_PutDouble(ini.get(), "ZAN1", "vmin1", GetParam().value), 0);
    EXPECT_EQ(initest::RawValue(ini.get(), "ZAN1", "vmin1"), GetParam().text);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, IniDoubleText, ::testing::Values(
    NumberCase{0.1, "0.1"}, NumberCase{10.0, "10"}, NumberCase{-1.5, "-1.5"},
    NumberCase{0.1 + 0.2, "0.3"}, NumberCase{1e300, "1e+300"}, NumberCase{1e-5, "1e-05"},
    NumberCase{123456789012345678.0, "1.234567890123457e+17"}, NumberCase{kInf, "inf"},
    NumberCase{-kInf, "-inf"}));
// clang-format on

using IniWriteFailure = IniFileTest;

TEST_F(IniWriteFailure, UnwritableTargetsAreRefusedAndLeftAlone) {
    initest::WriteBytes(Path("plain"), "x");
    std::filesystem::create_directory(Path("dir.ini"));
    IniPtr ini = MakeIni(true);
    Ini_PutInt(ini.get(), "S", "a", 1);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), Path("plain/target.ini").c_str()), kIniNotWritable);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), Path("dir.ini").c_str()), kIniNotWritable);
    EXPECT_EQ(ReadBytes(Path("plain")), "x");
    EXPECT_TRUE(std::filesystem::is_directory(Path("dir.ini")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_dir), {}), 2);  // no temp file
}

TEST_F(IniWriteFailure, TakenTempNamesAreSkippedAndKept) {
    initest::WriteBytes(Path("ini$$0.TMP"), "someone else's");
    IniPtr ini = MakeIni(true);
    Ini_PutInt(ini.get(), "S", "a", 1);
    ASSERT_EQ(Written(ini.get()), "[S]\r\na = 1\r\n\r\n");
    EXPECT_EQ(ReadBytes(Path("ini$$0.TMP")), "someone else's");
    EXPECT_FALSE(std::filesystem::exists(Path("ini$$1.TMP")));
    for (int i = 1; i < 1000; ++i) {
        initest::WriteBytes(Path("ini$$" + std::to_string(i) + ".TMP"), "");
    }
    Ini_PutInt(ini.get(), "S", "a", 2);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), Path("written.ini").c_str()), kIniNoTempName);
    EXPECT_EQ(ReadBytes(Path("written.ini")), "[S]\r\na = 1\r\n\r\n");
}

}  // namespace
