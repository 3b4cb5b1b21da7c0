// Every failure site of the four transactions, driven through a scripted port.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "driver/vekzan1.h"
#include "tests/support/scriptedport.h"

namespace {

using testsupport::PortScript;
using testsupport::ScriptedPorts;

enum class Op { Identification, ParameterRead, Status, ParameterWrite };

struct CodeCase {
    const char* name;
    Op op;
    std::function<void(PortScript&)> setup;
    int expected;
};

void PrintTo(const CodeCase& c, std::ostream* os) {
    *os << c.name;
}

constexpr int kPort = 3;

int RunOperation(Op op) {
    char text[32] = "unchanged";
    double value = -7;
    int status = -7;
    switch (op) {
        case Op::Identification:
            return VEKZAN1_IDLesen(kPort, 1, text);
        case Op::ParameterRead:
            return VEKZAN1_ParameterLesen(kPort, 1, "P1", &value);
        case Op::Status:
            return VEKZAN1_StatusLesen(kPort, 1, &status);
        case Op::ParameterWrite:
            return VEKZAN1_ParameterSchreiben(kPort, 1, "soll1", 2.5);
    }
    return 1;
}

void Answer(PortScript& s, const std::string& bytes) {
    s.answerNextWrite(bytes);
}

std::vector<CodeCase> Cases() {
    const auto failFlushIn = [](PortScript& s) { s.failFlushInput = true; };
    const auto failFlushOut = [](PortScript& s) { s.failFlushOutput = true; };
    const auto failWrite = [](PortScript& s) { s.failWrite = true; };
    const auto shortWrite = [](PortScript& s) { s.acceptAtMost = 5; };
    const auto stuckQueue = [](PortScript& s) { s.outputQueueReports = 1 << 30; };
    const auto unknownQueue = [](PortScript& s) { s.outputQueueUnknown = true; };
    const auto nak = [](PortScript& s) { Answer(s, "\x15"); };
    const auto can = [](PortScript& s) { Answer(s, "\x18"); };
    const auto silent = [](PortScript&) {};
    const auto highBitFirst = [](PortScript& s) { s.answerNextWrite(std::deque<int>{0x86}); };
    const auto notAck = [](PortScript& s) { Answer(s, "?"); };
    const auto cut = [](PortScript& s) { Answer(s, "\x06#1"); };
    const auto highBitInside = [](PortScript& s) {
        s.answerNextWrite(std::deque<int>{0x06, '#', '1' | 0x80, '\r'});
    };
    const auto wrongAddress = [](PortScript& s) { Answer(s, "\x06#2xx\r"); };

    using enum Op;
    return {
        {"IdFlushIn", Identification, failFlushIn, -124066},
        {"IdFlushOut", Identification, failFlushOut, -123067},
        {"IdWrite", Identification, failWrite, -101007},
        {"IdShortWrite", Identification, shortWrite, -114008},
        {"IdStuckQueue", Identification, stuckQueue, -101007},
        {"IdUnknownQueue", Identification, unknownQueue, -101007},
        {"IdNak", Identification, nak, -402009},
        {"IdCan", Identification, can, -405010},
        {"IdSilent", Identification, silent, -403011},
        {"IdHighBitFirst", Identification, highBitFirst, -403011},
        {"IdNotAck", Identification, notAck, -404012},
        {"IdCut", Identification, cut, -404013},
        {"IdHighBitInside", Identification, highBitInside, -404013},
        {"IdMalformed", Identification, wrongAddress, -404014},

        {"ReadFlushIn", ParameterRead, failFlushIn, -112047},
        {"ReadFlushOut", ParameterRead, failFlushOut, -112047},
        {"ReadWrite", ParameterRead, failWrite, -101048},
        {"ReadShortWrite", ParameterRead, shortWrite, -114049},
        {"ReadStuckQueue", ParameterRead, stuckQueue, -101048},
        {"ReadNak", ParameterRead, nak, -402050},
        {"ReadCan", ParameterRead, can, -405051},
        {"ReadSilent", ParameterRead, silent, -403052},
        {"ReadNotAck", ParameterRead, notAck, -404053},
        {"ReadCut", ParameterRead, cut, -404054},
        {"ReadMalformed", ParameterRead, wrongAddress, -404055},

        {"StatusFlushIn", Status, failFlushIn, -124066},
        {"StatusFlushOut", Status, failFlushOut, -123067},
        {"StatusWrite", Status, failWrite, -101058},
        {"StatusShortWrite", Status, shortWrite, -114059},
        {"StatusUnknownQueue", Status, unknownQueue, -101058},
        {"StatusNak", Status, nak, -402060},
        {"StatusCan", Status, can, -405061},
        {"StatusSilent", Status, silent, -403062},
        {"StatusNotAck", Status, notAck, -404063},
        {"StatusCut", Status, cut, -404064},
        {"StatusMalformed", Status, wrongAddress, -404065},

        {"WriteFlushIn", ParameterWrite, failFlushIn, -112037},
        {"WriteFlushOut", ParameterWrite, failFlushOut, -112037},
        {"WriteWrite", ParameterWrite, failWrite, -101038},
        {"WriteShortWrite", ParameterWrite, shortWrite, -101039},
        {"WriteStuckQueue", ParameterWrite, stuckQueue, -101038},
        {"WriteNak", ParameterWrite, nak, -402040},
        {"WriteCan", ParameterWrite, can, -405041},
        {"WriteSilent", ParameterWrite, silent, -403042},
        {"WriteHighBit", ParameterWrite, highBitFirst, -403042},
        {"WriteNotAck", ParameterWrite, notAck, -404043},
    };
}

class CodeTable : public testing::TestWithParam<CodeCase> {
  protected:
    void SetUp() override {
        ASSERT_EQ(VEKZAN1_Open(kPort), 0);
        // A stuck queue must give up after the line time plus this timeout.
        ASSERT_EQ(VEKZAN1_Timeout(kPort, 0.05), 0);
    }
    ScriptedPorts m_ports;
};

TEST_P(CodeTable, EachFailureSiteReturnsItsOwnCode) {
    GetParam().setup(m_ports.script());
    EXPECT_EQ(RunOperation(GetParam().op), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Driver, CodeTable, testing::ValuesIn(Cases()),
                         [](const auto& info) { return std::string(info.param.name); });

class Transactions : public testing::Test {
  protected:
    void SetUp() override { ASSERT_EQ(VEKZAN1_Open(kPort), 0); }
    PortScript& script() { return m_ports.script(); }
    ScriptedPorts m_ports;
};

TEST_F(Transactions, OutputOnFailureStaysUntouched) {
    script().answerNextWrite("\x15");
    char text[32] = "unchanged";
    EXPECT_EQ(VEKZAN1_IDLesen(kPort, 1, text), -402009);
    EXPECT_STREQ(text, "unchanged");
    script().answerNextWrite("\x06#1P1Rx\r");
    double value = -7;
    EXPECT_EQ(VEKZAN1_ParameterLesen(kPort, 1, "P1", &value), -404055);
    EXPECT_EQ(value, -7);
    script().answerNextWrite("\x06#1STR1F\r");
    int status = -7;
    EXPECT_EQ(VEKZAN1_StatusLesen(kPort, 1, &status), -404065);
    EXPECT_EQ(status, -7);
}

TEST_F(Transactions, AddressOutOfRangeSendsNothing) {
    char text[32];
    double value = 0;
    int status = 0;
    EXPECT_EQ(VEKZAN1_IDLesen(kPort, 0, text), -400005);
    EXPECT_EQ(VEKZAN1_IDLesen(kPort, 9, text), -400005);
    EXPECT_EQ(VEKZAN1_ParameterLesen(kPort, 9, "P1", &value), -400044);
    EXPECT_EQ(VEKZAN1_ParameterLesen(kPort, -1, "P1", &value), -400044);
    EXPECT_EQ(VEKZAN1_StatusLesen(kPort, 9, &status), -400056);
    EXPECT_EQ(VEKZAN1_ParameterSchreiben(kPort, 0, "P1", 1), -400024);
    EXPECT_EQ(VEKZAN1_ParameterSchreiben(kPort, 10, "P1", 1), -400024);
    EXPECT_EQ(VEKZAN1_ParameterLesen(kPort, 1, "Soll1", &value), -401045);
    EXPECT_EQ(VEKZAN1_ParameterSchreiben(kPort, 1, "istwert1", 1), -401035);
    EXPECT_EQ(VEKZAN1_ParameterSchreiben(kPort, 1, "nichts", 1), -401035);
    EXPECT_EQ(script().written, "");
    EXPECT_EQ(script().reads, 0);
}

TEST_F(Transactions, DeviceFunctionIsNeverDefined) {
    for (int address = 0; address <= 9; ++address) {
        EXPECT_EQ(VEKZAN1_DeviceFunction(kPort, address), -401016);
    }
    EXPECT_EQ(VEKZAN1_DeviceFunction(kPort, 10), -400015);
    EXPECT_EQ(VEKZAN1_DeviceFunction(kPort, -1), -400015);
    EXPECT_EQ(script().written, "");
}

TEST_F(Transactions, ReadsSendSixBytesAndTakeTheirAnswers) {
    script().answerNextWrite("\x06#2VEK-ZAN1B\r");
    char text[32];
    ASSERT_EQ(VEKZAN1_IDLesen(kPort, 2, text), 0);
    EXPECT_STREQ(text, "VEK-ZAN1B");

    script().answerNextWrite("\x06#3STR$1F\r");
    int status = 0;
    ASSERT_EQ(VEKZAN1_StatusLesen(kPort, 3, &status), 0);
    EXPECT_EQ(status, 31);

    script().answerNextWrite("\x06#0P1R-150.00\r");
    double value = 0;
    ASSERT_EQ(VEKZAN1_ParameterLesen(kPort, 0, "P1", &value), 0);
    EXPECT_EQ(value, -150);

    script().answerNextWrite("\x06#1V5R2.345\r");
    ASSERT_EQ(VEKZAN1_ParameterLesen(kPort, 1, "istwert1", &value), 0);
    EXPECT_DOUBLE_EQ(value, 2.345);
    EXPECT_EQ(script().written, "#2IDR\r#3STR\r#0P1R\r#1V5R\r");
}

TEST_F(Transactions, StaleInputIsDiscardedBeforeTheCommand) {
    for (char c : std::string("\x06#1VEK-OLD\r"))
        script().inputQueue.push_back(c);
    char text[32];
    EXPECT_EQ(VEKZAN1_IDLesen(kPort, 1, text), -403011);
    script().inputQueue.push_back(0x15);
    script().answerNextWrite("\x06#1VEK-NEW\r");
    ASSERT_EQ(VEKZAN1_IDLesen(kPort, 1, text), 0);
    EXPECT_STREQ(text, "VEK-NEW");
}

TEST_F(Transactions, BroadcastWriteReturnsOnceSent) {
    ASSERT_EQ(VEKZAN1_ParameterSchreiben(kPort, 9, "soll1", 2.5), 0);
    EXPECT_EQ(script().written, "#9S1W2.500\r");
    EXPECT_EQ(script().reads, 0);
}

TEST_F(Transactions, WriteWaitsForTheQueueToDrain) {
    script().outputQueueReports = 3;
    script().answerNextWrite("\x06");
    EXPECT_EQ(VEKZAN1_ParameterSchreiben(kPort, 1, "P1", 1), 0);
    EXPECT_EQ(script().outputQueueReports, 0);
}

struct AnswerCase {
    const char* name;
    Op op;
    const char* answer;
    int expected;
};

void PrintTo(const AnswerCase& c, std::ostream* os) {
    *os << c.name;
}

class AnswerForm : public testing::TestWithParam<AnswerCase> {
  protected:
    void SetUp() override { ASSERT_EQ(VEKZAN1_Open(kPort), 0); }
    ScriptedPorts m_ports;
};

TEST_P(AnswerForm, IsCheckedFieldByField) {
    m_ports.script().answerNextWrite(GetParam().answer);
    EXPECT_EQ(RunOperation(GetParam().op), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Driver, AnswerForm,
    testing::Values(
        AnswerCase{"Id26Chars", Op::Identification, "\x06#1ABCDEFGHIJKLMNOPQRSTUVWXYZ\r", 0},
        AnswerCase{"Id27Chars", Op::Identification, "\x06#1ABCDEFGHIJKLMNOPQRSTUVWXYZ0\r", -404014},
        AnswerCase{"IdBlankInside", Op::Identification, "\x06#1VEK ZAN1\r", -404014},
        AnswerCase{"IdEmpty", Op::Identification, "\x06#1\r", -404014},
        AnswerCase{"IdNoHash", Op::Identification, "\x06*1VEK\r", -404014},
        AnswerCase{"ReadOtherCode", Op::ParameterRead, "\x06#1S2R2.500\r", -404055},
        AnswerCase{"ReadNotANumber", Op::ParameterRead, "\x06#1P1Rabc\r", -404055},
        AnswerCase{"ReadInfinity", Op::ParameterRead, "\x06#1P1Rinf\r", -404055},
        AnswerCase{"ReadTrailing", Op::ParameterRead, "\x06#1P1R2.5x\r", -404055},
        AnswerCase{"ReadWriteMark", Op::ParameterRead, "\x06#1P1W2.5\r", -404055},
        AnswerCase{"ReadLongest", Op::ParameterRead, "\x06#1P1R-12345.678901\r", 0},
        AnswerCase{"ReadTooLong", Op::ParameterRead, "\x06#1P1R-12345.6789012\r", -404055},
        AnswerCase{"StatusLowerHex", Op::Status, "\x06#1STR$af\r", 0},
        AnswerCase{"StatusOneDigit", Op::Status, "\x06#1STR$F\r", -404065},
        AnswerCase{"StatusNoDollar", Op::Status, "\x06#1STR1F\r", -404065},
        AnswerCase{"StatusThreeDigits", Op::Status, "\x06#1STR$1FF\r", -404065}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PortOperations, ReportTheirOwnCodes) {
    ScriptedPorts ports;
    ports.script().failOpen = true;
    EXPECT_EQ(VEKZAN1_Open(2), -100002);
    ports.script().failOpen = false;
    ASSERT_EQ(VEKZAN1_Open(2), 0);
    EXPECT_EQ(ports.script().settings.baudRate, 9600);
    EXPECT_EQ(ports.script().settings.dataBits, 7);
    EXPECT_EQ(ports.script().settings.parity, 1);
    EXPECT_EQ(ports.script().settings.stopBits, 1);
    EXPECT_EQ(VEKZAN1_Open(2), -100002);  // already open
    ports.script().failTimeout = true;
    EXPECT_EQ(VEKZAN1_Timeout(2, 1.0), -111004);
    ports.script().failClose = true;
    EXPECT_EQ(VEKZAN1_Close(2), -103003);
    EXPECT_EQ(VEKZAN1_Close(2), -103003);  // no longer open
    EXPECT_EQ(VEKZAN1_Timeout(2, 1.0), -111004);
}

TEST(Hexchar2Int, MapsHexDigitsOnly) {
    const std::string digits = "0123456789abcdefABCDEF";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        EXPECT_EQ(Hexchar2Int(digits[i]), i < 16 ? static_cast<int>(i) : static_cast<int>(i) - 6);
    }
    for (char c : std::string("gG /:@`\r"))
        EXPECT_EQ(Hexchar2Int(c), -1) << c;
}

}  // namespace
