// zan1ctl's command line and its number text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/commands.h"
#include "cli/options.h"

namespace {

using zan1ctl::ParseOptions;

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    std::string word;
    for (char c : line + ' ') {
        if (c != ' ') {
            word += c;
        } else if (!word.empty()) {
            words.push_back(word);
            word.clear();
        }
    }
    return words;
}

TEST(Options, DefaultsAndGlobalOptions) {
    std::string reason;
    auto o = ParseOptions(Words("scan"), &reason);
    ASSERT_TRUE(o) << reason;
    EXPECT_EQ(o->port, 1);
    EXPECT_EQ(o->address, 1);
    EXPECT_FALSE(o->english);
    EXPECT_EQ(o->device, "");

    o = ParseOptions(Words("--device /dev/pts/4 --address 9 --english set soll1=2.5 P1=-1e2"),
                     &reason);
    ASSERT_TRUE(o) << reason;
    EXPECT_EQ(o->device, "/dev/pts/4");
    EXPECT_EQ(o->address, 9);
    EXPECT_TRUE(o->english);
    ASSERT_EQ(o->assignments.size(), 2u);
    EXPECT_EQ(o->assignments[1].name, "P1");
    EXPECT_EQ(o->assignments[1].value, -100);

    o = ParseOptions(Words("--port 3 monitor --count 5 --interval 0.5"), &reason);
    ASSERT_TRUE(o) << reason;
    EXPECT_EQ(o->port, 3);
    EXPECT_EQ(o->count, 5);
    EXPECT_EQ(o->intervalSeconds, 0.5);

    o = ParseOptions(Words("--port 3 --help"), &reason);
    ASSERT_TRUE(o);
    EXPECT_TRUE(o->help);
}

class UsageError : public testing::TestWithParam<const char*> {};

TEST_P(UsageError, IsRefusedWithAReason) {
    std::string reason;
    EXPECT_FALSE(ParseOptions(Words(GetParam()), &reason));
    EXPECT_FALSE(reason.empty());
}

INSTANTIATE_TEST_SUITE_P(Cli, UsageError,
                         testing::Values("", "--port", "--port x scan", "--port 1 --device /x id",
                                         "--address one id", "--address 1.5 id", "frobnicate",
                                         "--verbose scan", "get", "set", "set soll1",
                                         "set soll1=", "set soll1=2,5", "set =3", "scan extra",
                                         "monitor --count 0", "monitor --interval -1",
                                         "monitor --interval nan", "status --count 3"));

TEST(NumberText, IsTheShortestPlainDecimal) {
    EXPECT_EQ(zan1ctl::NumberText(2.5), "2.5");
    EXPECT_EQ(zan1ctl::NumberText(10000), "10000");
    EXPECT_EQ(zan1ctl::NumberText(-150), "-150");
    EXPECT_EQ(zan1ctl::NumberText(0.0001), "0.0001");
    EXPECT_EQ(zan1ctl::NumberText(-0.0), "0");
    EXPECT_EQ(zan1ctl::NumberText(2.345), "2.345");
}

}  // namespace
