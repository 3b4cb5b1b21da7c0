#include <cstring>
#include <limits>

#include "initestsupport.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr int kNotInt = kIniNotInteger;
constexpr int kNotNum = kIniNotNumber;

struct GetCase {
    const char* text;
    int result;
    double value;  // 42: output untouched
};

void PrintTo(const GetCase& c, std::ostream* os) {
    *os << '"' << c.text << '"';
}

class IniGetInt : public ::testing::TestWithParam<GetCase> {};
class IniGetDouble : public ::testing::TestWithParam<GetCase> {};

TEST_P(IniGetInt, ConvertsOrRefuses) {
    IniPtr ini = MakeIni(true);
    Ini_PutRawString(ini.get(), "S", "k", GetParam().text);
    int value = 42;
    EXPECT_EQ(Ini_GetInt(ini.get(), "S", "k", &value), GetParam().result) << GetParam().text;
    EXPECT_EQ(value, GetParam().value);
}

TEST_P(IniGetDouble, ConvertsLikeStrtod) {
    IniPtr ini = MakeIni(true);
    Ini_PutRawString(ini.get(), "S", "k", GetParam().text);
    double value = 42;
    EXPECT_EQ(Ini_GetDouble(ini.get(), "S", "k", &value), GetParam().result) << GetParam().text;
    EXPECT_EQ(value, GetParam().value);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Values, IniGetInt, ::testing::Values(
    GetCase{"7", 1, 7}, GetCase{" \t+7 ", 1, 7}, GetCase{"2147483647", 1, 2147483647},
    GetCase{"-2147483648", 1, -2147483648.0}, GetCase{"2147483648", kNotInt, 42},
    GetCase{"-2147483649", kNotInt, 42}, GetCase{"99999999999999999999", kNotInt, 42},
    GetCase{"7x", kNotInt, 42}, GetCase{"7 7", kNotInt, 42}, GetCase{"+-7", kNotInt, 42},
    GetCase{"+", kNotInt, 42}, GetCase{"1.0", kNotInt, 42}, GetCase{"  ", 0, 42}));

INSTANTIATE_TEST_SUITE_P(Values, IniGetDouble, ::testing::Values(
    GetCase{"0.1", 1, 0.1}, GetCase{" -2.5e3", 1, -2500}, GetCase{"Inf", 1, kInf},
    GetCase{"+INF", 1, kInf}, GetCase{"-inf", 1, -kInf},
    GetCase{"4.940656458412465e-324", 1, std::numeric_limits<double>::denorm_min()},
    GetCase{"1.5x", kNotNum, 1.5}, GetCase{"1,5", kNotNum, 1.0}, GetCase{"2.5 ", kNotNum, 2.5},
    GetCase{"abc", kNotNum, 0.0}, GetCase{"+-1", kNotNum, 0.0}, GetCase{"1e999", kNotNum, kInf},
    GetCase{"1e-999", kNotNum, 0.0}, GetCase{"", 0, 42}));
// clang-format on

TEST(IniLookup, RawStringsAreCutAndAbsentItemsLeaveOutputsAlone) {
    IniPtr ini = MakeIni(true);
    Ini_PutRawString(ini.get(), "ZAN1", "einheit1", "abcdef");
    char buffer[6] = "junk";
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(ini.get(), "ZAN1", "einheit1", buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "abcde");
    Ini_PutRawString(ini.get(), "ZAN1", "empty", "");
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(ini.get(), "ZAN1", "empty", buffer, sizeof buffer), 1);
    EXPECT_STREQ(buffer, "");
    std::strcpy(buffer, "junk");
    EXPECT_EQ(Ini_GetRawStringIntoBuffer(ini.get(), "ZAN1", "missing", buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    int i = 42;
    double d = 42;
    EXPECT_EQ(Ini_GetInt(ini.get(), "ZAN1", "adresse", &i), 0);
    EXPECT_EQ(Ini_GetDouble(ini.get(), "Other", "einheit1", &d), 0);
    EXPECT_EQ(i + d, 84);
}

TEST(IniArguments, NullArgumentsAreRefused) {
    IniPtr ini = MakeIni(true);
    int i = 0;
    EXPECT_EQ(Ini_PutInt(nullptr, "S", "k", 1), kIniNullArgument);
    EXPECT_EQ(Ini_PutRawString(ini.get(), "S", "k", nullptr), kIniNullArgument);
    EXPECT_EQ(Ini_WriteToFile(ini.get(), nullptr), kIniNullArgument);
    EXPECT_EQ(Ini_GetInt(ini.get(), nullptr, "k", &i), kIniNullArgument);
    EXPECT_EQ(Ini_GetDouble(ini.get(), "S", "k", nullptr), kIniNullArgument);
}

}  // namespace
