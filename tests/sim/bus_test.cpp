#include "sim/bus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

namespace zan1sim {
namespace {

using namespace std::chrono_literals;

const SimTime kPowerOn{};

Options TwoModulesAndForeign() {
    Options options;
    options.devices = {{1, ""}, {2, "VEK-ZAN1B-X7"}, {4, "ACME-DMM-42", true}};
    return options;
}

struct Exchange {
    std::string frame;
    std::string answer;
};

void PrintTo(const Exchange& e, std::ostream* os) {
    *os << testing::PrintToString(e.frame);
}

class BusAnswers : public testing::TestWithParam<Exchange> {};

// Every read right at power-on, so the values are the power-on values.
TEST_P(BusAnswers, AtPowerOn) {
    Bus bus(TwoModulesAndForeign(), kPowerOn);
    EXPECT_EQ(bus.Handle(GetParam().frame, kPowerOn), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(Identification, BusAnswers,
                         testing::Values(Exchange{"#1IDR\r", "\x06#1VEK-ZAN1B-SIM\r"},
                                         Exchange{"#2IDR\r", "\x06#2VEK-ZAN1B-X7\r"},
                                         Exchange{"#4IDR\r", "\x06#4ACME-DMM-42\r"},
                                         Exchange{"#1STR\r", "\x06#1STR$00\r"}));

INSTANTIATE_TEST_SUITE_P(
    PowerOnValues, BusAnswers,
    testing::Values(
        Exchange{"#1P1R\r", "\x06#1P1R1.0000\r"}, Exchange{"#1I1R\r", "\x06#1I1R0.5000\r"},
        Exchange{"#1D2R\r", "\x06#1D2R0.0000\r"}, Exchange{"#1S1R\r", "\x06#1S1R2.500\r"},
        Exchange{"#1S2R\r", "\x06#1S2R5.000\r"}, Exchange{"#2S5R\r", "\x06#2S5R2.500\r"},
        Exchange{"#2S6R\r", "\x06#2S6R5.000\r"}, Exchange{"#1H1R\r", "\x06#1H1R10.000\r"},
        Exchange{"#1L2R\r", "\x06#1L2R0.000\r"}, Exchange{"#1M1R\r", "\x06#1M1R1\r"},
        Exchange{"#1M2R\r", "\x06#1M2R1\r"}, Exchange{"#1M3R\r", "\x06#1M3R0\r"},
        Exchange{"#1M4R\r", "\x06#1M4R0\r"}, Exchange{"#1F2R\r", "\x06#1F2R1.000\r"},
        Exchange{"#1V1R\r", "\x06#1V1R0.000\r"}, Exchange{"#1V6R\r", "\x06#1V6R0.000\r"}));

INSTANTIATE_TEST_SUITE_P(
    Silence, BusAnswers,
    testing::Values(Exchange{"#3IDR\r", ""},  // nobody at 3
                    Exchange{"#0P1R\r", ""}, Exchange{"#9P1R\r", ""}, Exchange{"#9IDR\r", ""},
                    Exchange{"#4P1R\r", ""},  // the foreign device knows identification only
                    Exchange{"#4STR\r", ""}, Exchange{"#4S1W1.000\r", ""},
                    Exchange{"#9S1W1.000\r", ""}, Exchange{"#A\r", ""}));

INSTANTIATE_TEST_SUITE_P(Refused, BusAnswers,
                         testing::Values(Exchange{"#1X1R\r", "\x15"}, Exchange{"#1P3R\r", "\x15"},
                                         Exchange{"#1P1X\r", "\x15"}, Exchange{"#1P1R5\r", "\x15"},
                                         Exchange{"#1IDR1\r", "\x15"}, Exchange{"#1\r", "\x15"},
                                         Exchange{"#1P1\r", "\x15"}, Exchange{"#1IDWX\r", "\x15"},
                                         Exchange{"#1STW00\r", "\x15"},
                                         Exchange{"#1V5W1.000\r", "\x15"},
                                         Exchange{"#1V6W1.000\r", "\x15"},
                                         Exchange{"#1Q1W1.000\r", "\x15"}));

struct WriteCase {
    std::string write;
    bool accepted;
    std::string read;   // read command for the same object
    std::string value;  // number in the read answer after the write
};

void PrintTo(const WriteCase& w, std::ostream* os) {
    *os << testing::PrintToString(w.write);
}

class BusWrites : public testing::TestWithParam<WriteCase> {};

TEST_P(BusWrites, AnswerAndReadBack) {
    const WriteCase& w = GetParam();
    Bus bus(TwoModulesAndForeign(), kPowerOn);
    EXPECT_EQ(bus.Handle(w.write, kPowerOn), w.accepted ? "\x06" : "\x15");
    EXPECT_EQ(bus.Handle(w.read, kPowerOn), "\x06" + w.read.substr(0, 5) + w.value + "\r");
}

INSTANTIATE_TEST_SUITE_P(
    Accepted, BusWrites,
    testing::Values(WriteCase{"#1P1W2.5000\r", true, "#1P1R\r", "2.5000"},
                    WriteCase{"#1P1W12.346\r", true, "#1P1R\r", "12.346"},
                    WriteCase{"#1P1W-150.00\r", true, "#1P1R\r", "-150.00"},
                    WriteCase{"#1I2W1234.6\r", true, "#1I2R\r", "1234.6"},
                    WriteCase{"#1D1W-99999\r", true, "#1D1R\r", "-99999"},
                    WriteCase{"#1P2W99999\r", true, "#1P2R\r", "99999"},
                    WriteCase{"#1S1W10.000\r", true, "#1S1R\r", "10.000"},
                    WriteCase{"#1S2W0.000\r", true, "#1S2R\r", "0.000"},
                    WriteCase{"#2S5W7.250\r", true, "#2S5R\r", "7.250"},
                    WriteCase{"#1H2W8.000\r", true, "#1H2R\r", "8.000"},
                    WriteCase{"#1L1W1.500\r", true, "#1L1R\r", "1.500"},
                    WriteCase{"#1F1W1000.0\r", true, "#1F1R\r", "1000.0"},
                    WriteCase{"#1F2W250.00\r", true, "#1F2R\r", "250.00"},
                    WriteCase{"#1M1W3\r", true, "#1M1R\r", "3"},
                    WriteCase{"#1M2W2\r", true, "#1M2R\r", "2"},
                    WriteCase{"#1M3W0001\r", true, "#1M3R\r", "1"},
                    WriteCase{"#1M4W0000\r", true, "#1M4R\r", "0"},
                    // In mode 1 a read of stellgroesse shows the controller, not the write.
                    WriteCase{"#1V1W7.500\r", true, "#1V1R\r", "0.000"}));

INSTANTIATE_TEST_SUITE_P(OutOfRange, BusWrites,
                         testing::Values(WriteCase{"#1P1W100000\r", false, "#1P1R\r", "1.0000"},
                                         WriteCase{"#1P1W-99999.5\r", false, "#1P1R\r", "1.0000"},
                                         WriteCase{"#1S1W10.001\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1S1W-0.001\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1F1W1000.5\r", false, "#1F1R\r", "1.000"},
                                         WriteCase{"#1M1W4\r", false, "#1M1R\r", "1"},
                                         WriteCase{"#1M1W0\r", false, "#1M1R\r", "1"},
                                         WriteCase{"#1M3W0002\r", false, "#1M3R\r", "0"},
                                         WriteCase{"#1M3W000A\r", false, "#1M3R\r", "0"}));

INSTANTIATE_TEST_SUITE_P(Malformed, BusWrites,
                         testing::Values(WriteCase{"#1S1W+2.000\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1S1W2,000\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1S1W.500\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1S1W2.\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1S1W 2.000\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1S1W2e0\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1S1W--2\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1S1W\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1S1Wnan\r", false, "#1S1R\r", "2.500"},
                                         WriteCase{"#1M1W2.0\r", false, "#1M1R\r", "1"},
                                         WriteCase{"#1M1W02\r", false, "#1M1R\r", "1"},
                                         WriteCase{"#1M3W1\r", false, "#1M3R\r", "0"},
                                         WriteCase{"#1M3W00001\r", false, "#1M3R\r", "0"}));

TEST(BusBroadcast, WritesEveryModuleSilentlyExceptRefusingOnes) {
    Options options = TwoModulesAndForeign();
    options.devices.push_back({3, ""});
    options.faults = {{2, Fault::Nak}, {3, Fault::Silent}};
    Bus bus(options, kPowerOn);

    EXPECT_EQ(bus.Handle("#9S1W7.000\r", kPowerOn), "");
    EXPECT_EQ(bus.Parameter(1, "soll1", kPowerOn), 7.0);
    EXPECT_EQ(bus.Parameter(2, "soll1", kPowerOn), 2.5);  // refused under nak
    EXPECT_EQ(bus.Parameter(3, "soll1", kPowerOn), 7.0);  // acted, answer lost anyway

    EXPECT_EQ(bus.Handle("#9S1W11.000\r", kPowerOn), "");
    EXPECT_EQ(bus.Parameter(1, "soll1", kPowerOn), 7.0);
}

TEST(BusParameter, ReturnsWhatAReadWouldSay) {
    Bus bus(TwoModulesAndForeign(), kPowerOn);
    EXPECT_EQ(bus.Parameter(2, "anfangssoll2", kPowerOn), 5.0);
    EXPECT_EQ(bus.Parameter(1, "betriebsart1", kPowerOn), 1.0);
    EXPECT_EQ(bus.Parameter(4, "soll1", kPowerOn), std::nullopt);  // foreign
    EXPECT_EQ(bus.Parameter(3, "soll1", kPowerOn), std::nullopt);  // nobody
    EXPECT_EQ(bus.Parameter(1, "Soll1", kPowerOn), std::nullopt);

    // Only the answer's digits: the actual value has 3 decimals.
    const SimTime later = kPowerOn + 3s;
    const auto read = bus.Parameter(1, "istwert1", later);
    const double actual = bus.FindModule(1)->channel(1).actualValue();
    ASSERT_TRUE(read.has_value());
    EXPECT_NE(*read, actual);
    EXPECT_NEAR(*read, actual, 0.0005);
}

struct FaultCase {
    Fault fault;
    std::string frame;
    std::string answer;
    bool applied;  // for writes: did soll1 change to 7
};

void PrintTo(const FaultCase& f, std::ostream* os) {
    *os << static_cast<int>(f.fault) << " " << testing::PrintToString(f.frame);
}

class BusFaults : public testing::TestWithParam<FaultCase> {};

TEST_P(BusFaults, ShapeTheAnswer) {
    const FaultCase& f = GetParam();
    Options options = TwoModulesAndForeign();
    options.faults = {{1, f.fault}, {4, f.fault}};
    Bus bus(options, kPowerOn);
    EXPECT_EQ(bus.Handle(f.frame, kPowerOn), f.answer);
    EXPECT_EQ(bus.Parameter(1, "soll1", kPowerOn), f.applied ? 7.0 : 2.5);
    // Other addresses are unaffected.
    EXPECT_EQ(bus.Handle("#2IDR\r", kPowerOn), "\x06#2VEK-ZAN1B-X7\r");
}

const std::string kWrite = "#1S1W7.000\r";
const std::string kRead = "#1S1R\r";

INSTANTIATE_TEST_SUITE_P(
    Kinds, BusFaults,
    testing::Values(
        FaultCase{Fault::None, kWrite, "\x06", true},
        FaultCase{Fault::Silent, "#1IDR\r", "", false}, FaultCase{Fault::Silent, kWrite, "", true},
        FaultCase{Fault::Nak, "#1IDR\r", "\x15", false},
        FaultCase{Fault::Nak, kWrite, "\x15", false},
        FaultCase{Fault::Nak, "#4IDR\r", "\x15", false},
        FaultCase{Fault::Can, kRead, "\x18", false}, FaultCase{Fault::Can, kWrite, "\x18", false},
        FaultCase{Fault::Garbled, "#1IDR\r", "\x06#2VEK-ZAN1B-SIM\r", false},
        FaultCase{Fault::Garbled, kRead, "\x06#2S1R2.500\r", false},
        FaultCase{Fault::Garbled, "#4IDR\r", "\x06#5ACME-DMM-42\r", false},
        FaultCase{Fault::Garbled, kWrite, "?", true},
        FaultCase{Fault::Garbled, "#1S1W99.000\r", "?", false},
        FaultCase{Fault::Cut, "#1IDR\r", "\x06#1VEK-ZA", false},
        FaultCase{Fault::Cut, kRead, "\x06#1S1R", false}, FaultCase{Fault::Cut, kWrite, "", true},
        FaultCase{Fault::HighBit, "#1STR\r", "\x86\xA3\xB1\xD3\xD4\xD2\xA4\xB0\xB0\x8D", false},
        FaultCase{Fault::HighBit, kWrite, "\x86", true}));

TEST(BusFaults, SetFaultChangesTheNextAnswer) {
    Bus bus(TwoModulesAndForeign(), kPowerOn);
    bus.SetFault(1, Fault::Can);
    EXPECT_EQ(bus.Handle("#1IDR\r", kPowerOn), "\x18");
    bus.SetFault(1, Fault::None);
    EXPECT_EQ(bus.Handle("#1IDR\r", kPowerOn), "\x06#1VEK-ZAN1B-SIM\r");
}

TEST(FaultNames, ParseEveryKindAndNothingElse) {
    EXPECT_EQ(ParseFault("silent"), Fault::Silent);
    EXPECT_EQ(ParseFault("nak"), Fault::Nak);
    EXPECT_EQ(ParseFault("can"), Fault::Can);
    EXPECT_EQ(ParseFault("garbled"), Fault::Garbled);
    EXPECT_EQ(ParseFault("cut"), Fault::Cut);
    EXPECT_EQ(ParseFault("highbit"), Fault::HighBit);
    EXPECT_EQ(ParseFault("NAK"), std::nullopt);
    EXPECT_EQ(ParseFault("none"), std::nullopt);
    EXPECT_EQ(ParseFault(""), std::nullopt);
}

}  // namespace
}  // namespace zan1sim
