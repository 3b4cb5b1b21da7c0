// Range checks and value texts of parameter writes, as they reach the wire.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>
#include <string>

#include "driver/parametermap.h"
#include "driver/vekzan1.h"
#include "tests/support/scriptedport.h"

namespace {

using testsupport::ScriptedPorts;

constexpr int kPort = 1;

struct WriteCase {
    const char* name;
    double value;
    const char* frame;  // what goes on the wire; empty when refused
    int expected;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name << '=' << c.value;
}

class ParameterWrite : public testing::TestWithParam<WriteCase> {
  protected:
    void SetUp() override { ASSERT_EQ(VEKZAN1_Open(kPort), 0); }
    ScriptedPorts m_ports;
};

TEST_P(ParameterWrite, SendsTheValueTextOrRefusesTheValue) {
    const WriteCase& c = GetParam();
    m_ports.script().answerNextWrite("\x06");
    EXPECT_EQ(VEKZAN1_ParameterSchreiben(kPort, 1, c.name, c.value), c.expected);
    EXPECT_EQ(m_ports.script().written, c.frame);
}

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Driver, ParameterWrite,
    testing::Values(
        WriteCase{"P1", 2.5, "#1P1W2.5000\r", 0}, WriteCase{"P1", 12.34567, "#1P1W12.346\r", 0},
        WriteCase{"P1", -150, "#1P1W-150.00\r", 0}, WriteCase{"P1", 1234.56, "#1P1W1234.6\r", 0},
        WriteCase{"P1", 10000, "#1P1W10000\r", 0}, WriteCase{"P1", 9.99996, "#1P1W10.0000\r", 0},
        WriteCase{"P1", -99999, "#1P1W-99999\r", 0}, WriteCase{"P1", 99999, "#1P1W99999\r", 0},
        WriteCase{"I2", -0.00001, "#1I2W0.0000\r", 0}, WriteCase{"D2", 0, "#1D2W0.0000\r", 0},
        WriteCase{"P1", 99999.5, "", -500025}, WriteCase{"I1", -100000, "", -500026},
        WriteCase{"D1", kNaN, "", -500027}, WriteCase{"P2", kInf, "", -500068},
        WriteCase{"I2", -kInf, "", -500069}, WriteCase{"D2", 1e6, "", -500070},
        WriteCase{"soll1", 2.5, "#1S1W2.500\r", 0}, WriteCase{"soll2", 0, "#1S2W0.000\r", 0},
        WriteCase{"soll2", 10, "#1S2W10.000\r", 0}, WriteCase{"soll2", -0.001, "", -500071},
        WriteCase{"soll2", 10.001, "", -500071}, WriteCase{"soll1", kNaN, "", -500028},
        WriteCase{"anfangssoll1", 1.2345, "#1S5W1.234\r", 0},
        WriteCase{"anfangssoll1", 11, "", -500029}, WriteCase{"anfangssoll2", 3, "#1S6W3.000\r", 0},
        WriteCase{"anfangssoll2", kNaN, "", -500072}, WriteCase{"max1", 10, "#1H1W10.000\r", 0},
        WriteCase{"max1", 10.5, "", -500030}, WriteCase{"min1", -1, "", -500031},
        WriteCase{"max2", kInf, "", -500073}, WriteCase{"min2", 0.5, "#1L2W0.500\r", 0},
        WriteCase{"min2", 20, "", -500074}, WriteCase{"betriebsart1", 2, "#1M1W2\r", 0},
        WriteCase{"betriebsart1", 3, "#1M1W3\r", 0}, WriteCase{"betriebsart1", 2.5, "", -500032},
        WriteCase{"betriebsart1", 0, "", -500032}, WriteCase{"betriebsart2", 1, "#1M2W1\r", 0},
        WriteCase{"betriebsart2", kNaN, "", -500075},
        WriteCase{"anstiegszeit1", 1000, "#1F1W1000.0\r", 0},
        WriteCase{"anstiegszeit1", 250, "#1F1W250.00\r", 0},
        WriteCase{"anstiegszeit1", 99.9999, "#1F1W100.000\r", 0},
        WriteCase{"anstiegszeit1", 1000.5, "", -500033},
        WriteCase{"anstiegszeit2", -0.5, "", -500076},
        WriteCase{"stellgroesse1", 7.25, "#1V1W7.250\r", 0},
        WriteCase{"stellgroesse1", 10.2, "", -500034},
        WriteCase{"stellgroesse2", -kInf, "", -500077}, WriteCase{"modus1", 1, "#1M3W0001\r", 0},
        WriteCase{"modus1", -0.1, "", -500078}, WriteCase{"modus2", 0.49, "#1M4W0000\r", 0},
        WriteCase{"modus2", 0.5, "#1M4W0001\r", 0}, WriteCase{"modus2", 1.2, "", -500079},
        WriteCase{"modus2", kNaN, "", -500079}),
    [](const auto& info) { return "Row" + std::to_string(info.index); });

TEST(ParameterMap, ReadCodesCoverAllTwentyFourNames) {
    ScriptedPorts ports;
    ASSERT_EQ(VEKZAN1_Open(kPort), 0);
    std::string expected;
    for (const auto& p : vekzan1::ParameterMap()) {
        const std::string code{p.codeLetter, p.codeDigit};
        ports.script().answerNextWrite("\x06#4" + code + "R1.5\r");
        double value = 0;
        ASSERT_EQ(VEKZAN1_ParameterLesen(kPort, 4, std::string(p.name).c_str(), &value), 0)
            << p.name;
        EXPECT_EQ(value, 1.5);
        expected += "#4" + code + "R\r";
    }
    EXPECT_EQ(vekzan1::ParameterMap().size(), 24u);
    EXPECT_EQ(ports.script().written, expected);
}

TEST(ParameterMap, WireTextIgnoresTheProcessLocale) {
    // The operator program runs under the user's locale, where "," may be the decimal point.
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale";
    ScriptedPorts ports;
    ASSERT_EQ(VEKZAN1_Open(kPort), 0);
    ports.script().answerNextWrite("\x06");
    ports.script().answerNextWrite("\x06#1P1R2.5000\r");
    const int written = VEKZAN1_ParameterSchreiben(kPort, 1, "P1", 2.5);
    double value = 0;
    const int read = VEKZAN1_ParameterLesen(kPort, 1, "P1", &value);
    std::setlocale(LC_NUMERIC, previous.c_str());
    EXPECT_EQ(written, 0);
    EXPECT_EQ(read, 0);
    EXPECT_EQ(value, 2.5);
    EXPECT_EQ(ports.script().written, "#1P1W2.5000\r#1P1R\r");
}

}  // namespace
