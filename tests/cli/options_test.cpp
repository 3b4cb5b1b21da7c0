// zan1ctl's command line, by the cases of commandlines.txt, its usage and its
// number text.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/options.h"
#include "driver/parametermap.h"
#include "tests/support/casetable.h"

namespace {

// What a command line asks for, in one line.
std::string Parsed(const std::string& line) {
    std::istringstream words(line);
    std::vector<std::string> args;
    for (std::string word; words >> word;)
        args.push_back(word);
    std::string reason;
    const auto o = zan1ctl::ParseOptions(args, &reason);
    if (!o) return reason.empty() ? "refused without a reason" : "refused";
    std::ostringstream s;
    s << "port " << o->port << " device '" << o->device << "' address " << o->address
      << (o->english ? " english" : "") << (o->help ? " help" : "");
    if (!o->trace.empty()) s << " trace '" << o->trace << "'";
    if (!o->command.empty()) s << ' ' << o->command;
    for (const auto& word : o->arguments)
        s << ' ' << word;
    for (const auto& assignment : o->assignments)
        s << " [" << assignment.name << '=' << assignment.value << ']';
    if (o->command == "monitor") s << " every " << o->intervalSeconds << " count " << o->count;
    return s.str();
}

TEST(Options, ReadEveryCommandLineOfTheTable) {
    testsupport::RunCaseTable(ZAN1_COMMAND_LINES, 43, [](const std::string& line) {
        const auto bar = line.find(" | ");
        if (bar == std::string::npos) return false;
        EXPECT_EQ(Parsed(line.substr(0, bar)), line.substr(bar + 3));
        return true;
    });
}

// A script writer finds in --help every name get and set take.
TEST(Options, TheUsageNamesEveryParameter) {
    std::istringstream usage{std::string(zan1ctl::kUsage)};
    std::set<std::string> words;
    for (std::string word; usage >> word;)
        words.insert(word);
    for (const vekzan1::Parameter& p : vekzan1::ParameterMap())
        EXPECT_TRUE(words.contains(std::string(p.name))) << p.name;
}

TEST(NumberText, IsTheShortestPlainDecimal) {
    const std::pair<double, const char*> cases[] = {
        {2.5, "2.5"}, {1e5, "100000"}, {-150, "-150"}, {0.0001, "0.0001"}, {-0.0, "0"}};
    for (const auto& [value, text] : cases)
        EXPECT_EQ(zan1ctl::NumberText(value), text);
}

}  // namespace
