#include "sim/bus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <map>
#include <optional>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "driver/parametermap.h"
#include "sim/commandline.h"
#include "tests/support/casetable.h"

namespace zan1sim {
namespace {

using namespace std::chrono_literals;

// The byte notation of bus_cases.txt; nullopt for a name in <> that is none.
std::optional<std::string> Bytes(const std::string& text) {
    static const std::map<std::string, char> kNames{
        {"ACK", 0x06}, {"NAK", 0x15}, {"CAN", 0x18}, {"CR", '\r'}};
    static const std::regex kToken("<([^>]*)>|."), kHex("[0-9A-F]{2}");
    std::string out;
    for (std::sregex_iterator m(text.begin(), text.end(), kToken), end; m != end; ++m) {
        const std::string name = (*m)[1];
        if (!(*m)[1].matched) {
            out += m->str()[0];
        } else if (kNames.count(name)) {
            out += kNames.at(name);
        } else if (std::regex_match(name, kHex)) {
            out += char(std::stoi(name, nullptr, 16));
        } else {
            return std::nullopt;
        }
    }
    return text == "-" ? "" : out;
}

// One step of a case; false for a step that is none.
bool Step(Bus& bus, const std::string& step, SimTime powerOn, SimTime* now) {
    static const std::regex kStep(R"(\s*(?:@(\d+)s|(\d):(\w+)|(\S+)\s+=>\s+(\S+))\s*)");
    std::smatch m;
    if (!std::regex_match(step, m, kStep)) return false;
    if (m[1].matched) {
        *now = powerOn + std::chrono::seconds(std::stoi(m[1]));
        return true;
    }
    if (m[2].matched) {
        const auto fault = m[3] == "none" ? Fault::None : ParseFault(m[3].str());
        if (fault) bus.setFault(m[2].str()[0] - '0', *fault);
        return fault.has_value();
    }
    const auto frame = Bytes(m[4]), answer = Bytes(m[5]);
    if (!frame || !answer) return false;
    EXPECT_EQ(bus.handle(*frame + "\r", *now), *answer) << m[4];
    return true;
}

// Each case builds the bus from zan1sim's arguments, as the program does.
TEST(Bus, AnswersLikeTheCases) {
    testsupport::RunCaseTable(SIM_BUS_CASES, 70, [](const std::string& line) {
        const auto bar = line.find('|');
        if (bar == std::string::npos) return false;
        std::istringstream in(line.substr(0, bar));
        std::vector<std::string> words;
        for (std::string word; in >> word;)
            words.push_back(word);
        std::string error;
        const auto commandLine =
            ParseCommandLine(std::vector<std::string_view>(words.begin(), words.end()), &error);
        const std::string rest = line.substr(bar + 1);
        std::istringstream outcomes(rest);
        std::string outcome, more;
        if (outcomes >> outcome && outcome == "refused") {
            EXPECT_FALSE(commandLine);
            EXPECT_NE(error, "");
            return !(outcomes >> more);
        }
        EXPECT_TRUE(commandLine) << error;
        if (!commandLine) return true;
        EXPECT_EQ(commandLine->help, outcome == "usage");
        if (outcome == "usage" || commandLine->help) return !(outcomes >> more);
        const SimTime powerOn{};
        SimTime now = powerOn;
        Bus bus(commandLine->options, powerOn);
        std::istringstream steps(rest);
        int count = 0;
        for (std::string step; std::getline(steps, step, ';'); ++count) {
            if (!Step(bus, step, powerOn, &now)) return false;
        }
        return count > 0;
    });
}

TEST(Bus, ParameterIsWhatAReadWouldSay) {
    Options options;
    options.devices = {{1, ""}, {4, "ACME", true}};
    Bus bus(options, SimTime{});
    EXPECT_EQ(bus.parameter(4, "soll1", SimTime{}), std::nullopt);  // foreign
    // The actual value with the three decimals of its answer.
    const auto actual = bus.parameter(1, "istwert1", SimTime{} + 3s);
    const double exact = bus.FindModule(1)->channel(1).actualValue();
    ASSERT_GT(exact, 0.1);
    EXPECT_EQ(actual, std::round(exact * 1000) / 1000);
}

TEST(Module, AnalogInputsRunAQuarterPeriodApart) {
    Module module("VEK-ZAN1B-SIM", SimTime{});
    for (const char* name : {"betriebsart1", "betriebsart2", "anstiegszeit1", "anstiegszeit2"}) {
        ASSERT_TRUE(module.write(*vekzan1::FindParameter(name), name[0] == 'b' ? 2 : 0));
    }
    // 7.5 s is a quarter of the period: 5 V + 2 V sin on channel 1, + 2 V cos on channel 2.
    module.advanceTo(SimTime{} + 7510ms);
    module.advanceTo(SimTime{} + 1s);  // the past changes nothing
    EXPECT_NEAR(module.channel(1).workingSetpoint(), 7.0, 1e-9);
    EXPECT_NEAR(module.channel(2).workingSetpoint(), 5.0, 1e-9);
}

}  // namespace
}  // namespace zan1sim
