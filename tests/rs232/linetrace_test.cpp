// The trace of the line, over scripted ports driven by the module driver.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>
#include <chrono>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "driver/vekzan1.h"
#include "platform/rs232/linetrace.h"
#include "platform/rs232/rs232.h"
#include "tests/support/scriptedport.h"
#include "tests/support/tempdir.h"

namespace {

using namespace std::chrono;

constexpr int kPort = 2;

std::string Contents(const std::string& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}

class LineTrace : public testing::Test {
  protected:
    void SetUp() override {
        setenv("TZ", "CET-1", 1);  // local time is an hour ahead
        tzset();
        rs232::SetLineTraceClock([this] { return m_now; });
    }
    void TearDown() override {
        CloseCom(kPort);
        rs232::StopLineTrace();
        rs232::SetLineTraceClock(nullptr);
    }
    void transaction(const std::string& answer, const std::function<int()>& operation,
                     int expected) {
        CloseCom(kPort);
        ASSERT_EQ(OpenComConfig(kPort, "/dev/ttyUSB0", 9600, rs232::kParityOdd, 7, 1, 512, 512), 0);
        ASSERT_EQ(SetComTime(kPort, 0.01), 0);
        m_ports.script().answerNextWrite(answer);
        EXPECT_EQ(operation(), expected) << answer;
    }

    testsupport::TemporaryCurrentDirectory m_directory;
    testsupport::ScriptedPorts m_ports;
    system_clock::time_point m_now = sys_days{year{2026} / 12 / 7} + 9h + 15min + 2s + 123ms;
};

// Appended to what the file holds, as trace.golden shows; lines wait in the
// buffer until a second has passed or the port closes.
TEST_F(LineTrace, OneLinePerFrameWithItsTimeDeviceAndDirection) {
    std::ofstream("line.log") << "before\n";
    ASSERT_EQ(rs232::StartLineTrace("line.log", rs232::TraceMode::Append), 0);
    double value = 0;
    char id[32];
    const auto read = [&] { return VEKZAN1_ParameterLesen(kPort, 1, "istwert1", &value); };
    const auto write = [](int address) {
        return [address] { return VEKZAN1_ParameterSchreiben(kPort, address, "soll1", 2.5); };
    };
    transaction("\x06#1V5R2.500\r", read, 0);
    EXPECT_EQ(Contents("line.log"), "before\n");
    transaction("\x06", write(1), 0);
    transaction("\x15", read, -402050);
    transaction("", read, -403052);
    transaction("", write(9), 0);  // every module: nothing answers, nothing awaited
    transaction("\x06#1V5<\x01\x7f\r", read, -404055);
    transaction(
        std::string("\x06#1ZA\0", 6), [&] { return VEKZAN1_IDLesen(kPort, 1, id); }, -404013);
    const auto readAll = [this] {  // a second later; frames end at CR, a lone NAK or CAN
        m_now += 1077ms;
        int bytes = 0;
        for (ComWrt(kPort, "#", 1); ComRdByte(kPort) >= 0;)
            ++bytes;
        return bytes;
    };
    transaction("\x15\x06#1\r\x18\x06", readAll, 7);
    EXPECT_TRUE(Contents("line.log").ends_with("03.200 /dev/ttyUSB0 -> #\n"));
    ASSERT_EQ(CloseCom(kPort), 0);
    ASSERT_EQ(rs232::StopLineTrace(), 0);
    EXPECT_EQ(Contents("line.log"), Contents(ZAN1_TEST_DATA "/trace.golden"));
}

TEST_F(LineTrace, FailuresEndTheTraceAndTellWhy) {
    EXPECT_EQ(rs232::StartLineTrace("no/such/dir.log", rs232::TraceMode::Replace), ENOENT);
    EXPECT_FALSE(rs232::LineTraceRunning());
    ASSERT_EQ(rs232::StartLineTrace("/dev/full", rs232::TraceMode::Replace), 0);
    transaction(
        "\x06", [] { return VEKZAN1_ParameterSchreiben(kPort, 1, "soll1", 2.5); }, 0);
    for (int i = 0; i < 200 && rs232::LineTraceRunning(); ++i)  // a full buffer goes out at once
        ComWrt(kPort, "#1S1W2.500\r", 11);
    EXPECT_FALSE(rs232::LineTraceRunning());
    EXPECT_EQ(ComWrt(kPort, "#1S1W2.500\r", 11), 11);  // the port works on without its trace
    EXPECT_EQ(rs232::StopLineTrace(), ENOSPC);
    EXPECT_EQ(rs232::StopLineTrace(), 0);
}

}  // namespace
