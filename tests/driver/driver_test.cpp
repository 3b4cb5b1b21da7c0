// Every driver operation through a scripted port: the bytes it sends, the
// answers it accepts, its result and the code of each failure site. The cases
// are the lines of cases.txt.
#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "driver/vekzan1.h"
#include "platform/rs232/rs232.h"
#include "tests/ini/testfiles.h"
#include "tests/support/casetable.h"
#include "tests/support/scriptedport.h"

namespace {

using testsupport::PortScript;

constexpr int kPort = 3;

std::string Bytes(const std::string& field) {
    return field == "-" ? "" : testfiles::Field(field);
}

// Both directions stay clear of the process locale.
double Number(const std::string& text) {
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return value;
}

std::string Text(double value) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

// What each fault word of the table does to the port.
const std::map<std::string, void (*)(PortScript&)> kFaults{
    {"-", [](PortScript&) {}},
    {"flushin", [](PortScript& s) { s.failFlushInput = true; }},
    {"flushout", [](PortScript& s) { s.failFlushOutput = true; }},
    {"write", [](PortScript& s) { s.failWrite = true; }},
    {"short", [](PortScript& s) { s.acceptAtMost = 5; }},
    {"stuck", [](PortScript& s) { s.outputQueueReports = 1 << 30; }},
    {"unknownq", [](PortScript& s) { s.outputQueueUnknown = true; }},
    {"pending", [](PortScript& s) { s.outputQueueReports = 3; }},
    {"stale", [](PortScript& s) { s.inputQueue = {0x15}; }},
    {"open", [](PortScript& s) { s.failOpen = true; }},
    {"close", [](PortScript& s) { s.failClose = true; }},
    {"timeout", [](PortScript& s) { s.failTimeout = true; }}};

// The code and the result of one call; "-" for a result the call left alone.
std::pair<int, std::string> Call(const std::string& op, int address, const std::string& argument,
                                 const PortScript& s) {
    const std::string name = argument.substr(0, argument.find('='));
    const char* parameter = name == "-" ? nullptr : name.c_str();
    char text[32] = "-";
    int status = -1;
    double value = NAN;
    int code = 1;
    if (op == "open" && CloseCom(kPort) == 0) code = VEKZAN1_Open(kPort);
    if (op == "close") code = VEKZAN1_Close(kPort);
    if (op == "timeout") code = VEKZAN1_Timeout(kPort, Number(argument));
    if (op == "device") code = VEKZAN1_DeviceFunction(kPort, address);
    if (op == "id") code = VEKZAN1_IDLesen(kPort, address, text);
    if (op == "status") code = VEKZAN1_StatusLesen(kPort, address, &status);
    if (op == "read") code = VEKZAN1_ParameterLesen(kPort, address, parameter, &value);
    if (op == "write") {
        code = VEKZAN1_ParameterSchreiben(kPort, address, parameter,
                                          Number(argument.substr(name.size() + 1)));
    }
    std::string result = text;
    if (status != -1) result = std::to_string(status);
    if (!std::isnan(value)) result = Text(value);
    if (op == "timeout") result = Text(GetComTime(kPort));
    const auto& l = s.settings;
    if (op == "open" && code == 0) {
        result = std::to_string(l.baudRate) + '/' + std::to_string(l.dataBits) + '/' +
                 std::to_string(l.parity) + '/' + std::to_string(l.stopBits);
    }
    return {code, result};
}

// One case; false for a line that is none.
bool RunCase(const std::string& line) {
    static const std::set<std::string> kOperations{"open", "close",  "timeout", "device",
                                                   "id",   "status", "read",    "write"};
    std::istringstream fields(line);
    std::string op, argument, fault, answer, wire, result, more;
    int address = 0, code = 0;
    double number = 0;
    if (!(fields >> op >> address >> argument >> fault >> answer >> wire >> code >> result) ||
        fields >> more || !kOperations.count(op) || !kFaults.count(fault))
        return false;
    // The seconds of a timeout, the value after "name=" of a write.
    const std::string value = argument.substr(argument.find('=') + 1);
    if ((op == "timeout" || op == "write") && !testsupport::ReadNumber(value, &number))
        return false;
    testsupport::ScriptedPorts ports;
    PortScript& s = ports.script();
    EXPECT_EQ(VEKZAN1_Open(kPort), 0);
    // A stuck output queue gives up after the line time plus this timeout.
    EXPECT_EQ(VEKZAN1_Timeout(kPort, 0.05), 0);
    kFaults.at(fault)(s);
    if (answer != "-") s.answerNextWrite(Bytes(answer));
    EXPECT_EQ(Call(op, address, argument, s), std::make_pair(code, result));
    EXPECT_EQ(s.written, Bytes(wire));
    // Nothing succeeds before the command has left the output queue.
    EXPECT_TRUE(code != 0 || s.outputQueueReports == 0);
    return true;
}

// The table with LC_NUMERIC set to `locale`; false when there is no such locale.
bool FollowsTheTableIn(const char* locale) {
    const std::string previous = std::setlocale(LC_NUMERIC, nullptr);
    if (!std::setlocale(LC_NUMERIC, locale)) return false;
    testsupport::RunCaseTable(ZAN1_DRIVER_CASES, 231, RunCase);
    std::setlocale(LC_NUMERIC, previous.c_str());
    return true;
}

TEST(Driver, FollowsTheCaseTable) {
    EXPECT_TRUE(FollowsTheTableIn("C"));
}

// The operator program runs under the user's locale, where "," may be the decimal point.
TEST(Driver, FollowsTheCaseTableUnderADecimalComma) {
    if (!FollowsTheTableIn("de_DE.UTF-8")) GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
}

}  // namespace
