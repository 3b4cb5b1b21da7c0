#include "sim/bus.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "driver/parametermap.h"
#include "sim/commandline.h"

namespace zan1sim {
namespace {

using namespace std::chrono_literals;

// The byte notation of bus_cases.txt.
std::string Bytes(const std::string& text) {
    static const std::map<std::string, char> kNames{
        {"ACK", 0x06}, {"NAK", 0x15}, {"CAN", 0x18}, {"CR", '\r'}};
    static const std::regex kToken("<([A-Z]+|[0-9A-F]{2})>|.");
    std::string out;
    for (std::sregex_iterator m(text.begin(), text.end(), kToken), end; m != end; ++m) {
        const std::string name = (*m)[1];
        out += name.empty()         ? m->str()[0]
               : kNames.count(name) ? kNames.at(name)
                                    : char(std::stoi(name, nullptr, 16));
    }
    return text == "-" ? "" : out;
}

// Each case builds the bus from zan1sim's arguments, as the program does.
TEST(Bus, AnswersLikeTheCases) {
    std::ifstream file(SIM_BUS_CASES);
    ASSERT_TRUE(file) << SIM_BUS_CASES;
    std::string line;
    for (int n = 1; std::getline(file, line); ++n) {
        if (line.empty() || line[0] == '#') continue;
        SCOPED_TRACE("bus_cases.txt:" + std::to_string(n));
        std::istringstream in(line);
        std::vector<std::string> words;
        for (std::string word; in >> word && word != "|";)
            words.push_back(word);
        std::string error;
        const auto commandLine =
            ParseCommandLine(std::vector<std::string_view>(words.begin(), words.end()), &error);
        const std::string rest = line.substr(line.find('|') + 1);
        std::string outcome;
        std::istringstream(rest) >> outcome;
        if (outcome == "refused") {
            EXPECT_FALSE(commandLine);
            EXPECT_NE(error, "");
            continue;
        }
        ASSERT_TRUE(commandLine) << error;
        EXPECT_EQ(commandLine->help, outcome == "usage");
        if (commandLine->help) continue;
        const SimTime powerOn{};
        SimTime now = powerOn;
        Bus bus(commandLine->options, powerOn);
        std::istringstream steps(rest);
        for (std::string step; std::getline(steps, step, ';');) {
            std::istringstream s(step);
            std::string first, arrow, answer;
            s >> first >> arrow >> answer;
            if (first[0] == '@') {
                now = powerOn + std::chrono::seconds(std::stoi(first.substr(1)));
            } else if (arrow.empty()) {
                bus.SetFault(first[0] - '0', ParseFault(first.substr(2)).value_or(Fault::None));
            } else {
                EXPECT_EQ(bus.Handle(Bytes(first) + "\r", now), Bytes(answer)) << first;
            }
        }
    }
}

TEST(Bus, ParameterIsWhatAReadWouldSay) {
    Options options;
    options.devices = {{1, ""}, {4, "ACME", true}};
    Bus bus(options, SimTime{});
    EXPECT_EQ(bus.Parameter(4, "soll1", SimTime{}), std::nullopt);  // foreign
    // The actual value with the three decimals of its answer.
    const auto actual = bus.Parameter(1, "istwert1", SimTime{} + 3s);
    const double exact = bus.FindModule(1)->channel(1).actualValue();
    ASSERT_GT(exact, 0.1);
    EXPECT_EQ(actual, std::round(exact * 1000) / 1000);
}

TEST(Module, AnalogInputsRunAQuarterPeriodApart) {
    Module module("VEK-ZAN1B-SIM", SimTime{});
    for (const char* name : {"betriebsart1", "betriebsart2", "anstiegszeit1", "anstiegszeit2"}) {
        ASSERT_TRUE(module.Write(*vekzan1::FindParameter(name), name[0] == 'b' ? 2 : 0));
    }
    // 7.5 s is a quarter of the period: 5 V + 2 V sin on channel 1, + 2 V cos on channel 2.
    module.AdvanceTo(SimTime{} + 7510ms);
    module.AdvanceTo(SimTime{} + 1s);  // the past changes nothing
    EXPECT_NEAR(module.channel(1).workingSetpoint(), 7.0, 1e-9);
    EXPECT_NEAR(module.channel(2).workingSetpoint(), 5.0, 1e-9);
}

}  // namespace
}  // namespace zan1sim
