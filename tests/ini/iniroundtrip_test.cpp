#include <algorithm>
#include <clocale>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "initestsupport.h"

namespace {

using IniRoundTrip = initest::IniFileTest;

TEST_F(IniRoundTrip, ManyPutsInAnyOrderReadBack) {
    const std::vector<std::string> texts = {"",
                                            "mm",
                                            "  padded  ",
                                            "a \"b\" c",
                                            "x ; y = z",
                                            std::string(81, 'L') + "t",
                                            std::string(400, 'q')};
    std::vector<int> order(1000);
    std::iota(order.begin(), order.end(), 0);
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    IniPtr ini = MakeIni(true);
    for (const int k : order) {  // item k: integer, double or text by k % 3
        const std::string section = "Sec" + std::to_string(k % 17), item = std::to_string(k);
        const char *s = section.c_str(), *i = item.c_str();
        ASSERT_EQ(k % 3 == 0   ? Ini_PutInt(ini.get(), s, i, 2000000000L - 4001L * k * k)
                  : k % 3 == 1 ? Ini_PutDouble(ini.get(), s, i, (k - 500) * 1234.5678901 / 7)
                               : Ini_PutRawString(ini.get(), s, i, texts[k % 7].c_str()),
                  0);
    }
    const std::string first = Written(ini.get());
    IniPtr back = MakeIni(true);
    ASSERT_EQ(Ini_ReadFromFile(back.get(), Path("written.ini").c_str()), 0);
    for (int k = 0; k < 1000; ++k) {
        const std::string section = "SEC" + std::to_string(k % 17), item = std::to_string(k);
        const char *s = section.c_str(), *i = item.c_str();
        int integer = 0;
        double number = 0;
        if (k % 3 == 0) {
            ASSERT_EQ(Ini_GetInt(back.get(), s, i, &integer), 1) << k;
            EXPECT_EQ(integer, 2000000000L - 4001L * k * k);
        } else if (k % 3 == 1) {
            ASSERT_EQ(Ini_GetDouble(back.get(), s, i, &number), 1) << k;
            EXPECT_DOUBLE_EQ(number, (k - 500) * 1234.5678901 / 7);
        } else {
            EXPECT_EQ(initest::RawValue(back.get(), s, i), texts[k % 7]) << k;
        }
    }
    EXPECT_EQ(Written(back.get()), first);
}

TEST_F(IniRoundTrip, ExtremeDoublesReadBack) {
    using Limits = std::numeric_limits<double>;
    const std::vector<double> values = {
        Limits::infinity(), -Limits::infinity(),  Limits::max(), Limits::lowest(),
        Limits::min(),      Limits::denorm_min(), -0.0,          1.7976931348623155e308,
        Limits::quiet_NaN()};
    IniPtr ini = MakeIni(true);
    for (std::size_t k = 0; k < values.size(); ++k) {
        Ini_PutDouble(ini.get(), "D", std::to_string(k).c_str(), values[k]);
    }
    Written(ini.get());
    IniPtr back = MakeIni(true);
    ASSERT_EQ(Ini_ReadFromFile(back.get(), Path("written.ini").c_str()), 0);
    for (std::size_t k = 0; k < values.size(); ++k) {
        double value = 0;
        ASSERT_EQ(Ini_GetDouble(back.get(), "D", std::to_string(k).c_str(), &value), 1) << k;
        if (std::isnan(values[k])) {
            EXPECT_TRUE(std::isnan(value));
        } else {
            EXPECT_DOUBLE_EQ(value, values[k]) << k;  // 16 digits are within one unit
            EXPECT_EQ(std::signbit(value), std::signbit(values[k])) << k;
        }
    }
}

// A GUI program may switch LC_NUMERIC to a decimal-comma locale.
TEST_F(IniRoundTrip, DecimalCommaLocaleChangesNothing) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr) {
        GTEST_SKIP() << "locale de_DE.UTF-8 not installed";
    }
    IniPtr ini = MakeIni(true);
    Ini_PutDouble(ini.get(), "S", "vmin1", 0.25);
    const std::string written = Written(ini.get());
    IniPtr back = MakeIni(true);
    Ini_ReadFromFile(back.get(), Path("written.ini").c_str());
    double value = 0;
    const int result = Ini_GetDouble(back.get(), "S", "vmin1", &value);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(written, "[S]\r\nvmin1 = 0.25\r\n\r\n");
    EXPECT_EQ(result, 1);
    EXPECT_EQ(value, 0.25);
}

}  // namespace
