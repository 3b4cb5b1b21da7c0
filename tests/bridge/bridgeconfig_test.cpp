// What zan1bridge takes from its configuration file, and what it refuses
// with the section and key named.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "bridge/bridgeconfig.h"
#include "tests/support/casetable.h"
#include "tests/support/tempdir.h"

namespace {

TEST(BridgeConfig, RefusesWhatCannotWorkWithTheSectionAndKeyNamed) {
    const testsupport::TemporaryCurrentDirectory dir;
    testsupport::RunCaseTable(ZAN1_BRIDGE_CONFIGS, 9, [](const std::string& line) {
        const auto bar = line.rfind(" | ");
        if (bar == std::string::npos) return false;
        const std::string wanted = line.substr(bar + 3);
        std::string text = "[Bridge]\nbroker = mqtt://127.0.0.1\n" + line.substr(0, bar) + "\n";
        for (std::size_t at; (at = text.find("\\n")) != std::string::npos;)
            text.replace(at, 2, "\n");
        std::ofstream("bridge.ini") << text;
        std::string reason;
        const auto config = bridge::ReadBridgeConfig("bridge.ini", &reason);
        if (wanted == "ok") {
            EXPECT_TRUE(config) << reason;
        } else {
            EXPECT_FALSE(config);
            EXPECT_TRUE(std::regex_search(reason, std::regex(wanted))) << reason;
        }
        return true;
    });
}

}  // namespace
