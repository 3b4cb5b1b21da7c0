#include "sim/commandline.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace zan1sim {
namespace {

std::optional<CommandLine> Parse(std::vector<std::string_view> args, std::string* error = nullptr) {
    return ParseCommandLine(args, error);
}

// "A:ID" for a module, "A!ID" for a foreign device.
std::vector<std::string> Describe(const std::vector<Device>& devices) {
    std::vector<std::string> out;
    for (const Device& d : devices) {
        out.push_back(std::to_string(d.address) + (d.foreign ? "!" : ":") + d.identification);
    }
    return out;
}

TEST(CommandLineParsing, NoArgumentsMeansTheDefaultBus) {
    const auto c = Parse({});
    ASSERT_TRUE(c);
    EXPECT_TRUE(c->options.devices.empty());
    EXPECT_EQ(Describe(EffectiveDevices(c->options)), std::vector<std::string>{"1:VEK-ZAN1B-SIM"});
    EXPECT_TRUE(c->link.empty());
    EXPECT_FALSE(c->options.realtime);
    EXPECT_FALSE(c->help);
}

TEST(CommandLineParsing, EveryOption) {
    const auto c =
        Parse({"--link", "/tmp/zan", "--module", "3", "--module", "5=VEK-ZAN1B-R2", "--foreign",
               "7=ACME-DMM", "--realtime", "--fault", "5:cut", "--fault", "7:highbit"});
    ASSERT_TRUE(c);
    EXPECT_EQ(c->link, "/tmp/zan");
    EXPECT_EQ(Describe(c->options.devices),
              (std::vector<std::string>{"3:VEK-ZAN1B-SIM", "5:VEK-ZAN1B-R2", "7!ACME-DMM"}));
    EXPECT_TRUE(c->options.realtime);
    EXPECT_EQ(c->options.faults,
              (std::vector<std::pair<int, Fault>>{{5, Fault::Cut}, {7, Fault::HighBit}}));
}

TEST(CommandLineParsing, ForeignDevicesAloneKeepTheDefaultModule) {
    const auto c = Parse({"--foreign", "2=OTHER", "--fault", "1:nak"});
    ASSERT_TRUE(c);
    EXPECT_EQ(Describe(c->options.devices),
              (std::vector<std::string>{"1:VEK-ZAN1B-SIM", "2!OTHER"}));
}

class BadCommandLine : public testing::TestWithParam<std::vector<std::string_view>> {};

TEST_P(BadCommandLine, IsRefusedWithAMessage) {
    std::string error;
    EXPECT_FALSE(ParseCommandLine(GetParam(), &error));
    EXPECT_FALSE(error.empty());
}

using Args = std::vector<std::string_view>;

INSTANTIATE_TEST_SUITE_P(
    Arguments, BadCommandLine,
    testing::Values(Args{"--bogus"}, Args{"stray"}, Args{"--link"}, Args{"--link", ""},
                    Args{"--link", "/a", "--link", "/b"}, Args{"--module"}, Args{"--module", "0"},
                    Args{"--module", "9"}, Args{"--module", "12"}, Args{"--module", "x"},
                    Args{"--module", "1="}, Args{"--module", "1=two words"},
                    Args{"--module", "1=caf\xc3\xa9"}, Args{"--module", "1", "--module", "1"},
                    Args{"--module", "1", "--foreign", "1=X"}, Args{"--foreign", "2"},
                    Args{"--foreign", "2="}, Args{"--fault", "1"}, Args{"--fault", "1:loud"},
                    Args{"--fault", "9:nak"}, Args{"--fault", "2:nak"},  // no device at 2
                    Args{"--fault", "1:nak", "--fault", "1:can"}, Args{"--realtime=1"}));

}  // namespace
}  // namespace zan1sim
