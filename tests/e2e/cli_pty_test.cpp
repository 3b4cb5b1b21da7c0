// zan1ctl runs against the simulated bus on a real pseudo-terminal.
#include <dirent.h>
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "cli/run.h"
#include "platform/rs232/rs232.h"
#include "tests/e2e/simfixture.h"

namespace {

using zan1sim::Fault;

struct Result {
    int status;
    std::string out;
    std::string err;
};

class CliOnPty : public SimBus {
  protected:
    Result run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--port", std::to_string(kPort)});
        std::ostringstream out;
        std::ostringstream err;
        const int status = zan1ctl::Run(args, out, err, [] { return true; });
        return {status, out.str(), err.str()};
    }
};

int OpenDescriptors() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir))
            ++count;
        closedir(dir);
    }
    return count;
}

TEST_F(CliOnPty, ScanListsEveryAddress) {
    startBus({{{2, ""}, {5, "VEK-ZAN1B-FUENF"}, {3, "WAAGE-7", true}}, {}, false});
    if (IsSkipped()) return;
    const Result r = run({"scan"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1 -\n2 VEK-ZAN1B-SIM\n3 WAAGE-7\n4 -\n5 VEK-ZAN1B-FUENF\n6 -\n7 -\n8 -\n");
    EXPECT_EQ(r.err, "");
}

TEST_F(CliOnPty, SetGetStatusAndMonitor) {
    startBus({});
    if (IsSkipped()) return;
    Result r = run({"set", "soll1=2.5", "P2=-150", "modus2=1"});
    ASSERT_EQ(r.status, 0) << r.err;
    const auto frames = sim().frames();
    ASSERT_GE(frames.size(), 3u);
    EXPECT_EQ(frames[frames.size() - 3], "#1S1W2.500\r");
    EXPECT_EQ(frames[frames.size() - 2], "#1P2W-150.00\r");
    EXPECT_EQ(frames[frames.size() - 1], "#1M4W0001\r");

    r = run({"get", "soll1", "P2", "modus2"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "soll1=2.5\nP2=-150\nmodus2=1\n");

    r = run({"status"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(std::regex_match(r.out, std::regex("[0-9]+ \\(0x[0-9A-F]{2}\\)\n"))) << r.out;

    r = run({"monitor", "--interval", "0.01", "--count", "3"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "t_s,istwert1_V,istwert2_V");
    int rows = 0;
    while (std::getline(lines, line)) {
        EXPECT_TRUE(std::regex_match(line, std::regex("[0-9]+\\.[0-9]{3},[0-9.]+,[0-9.]+")))
            << line;
        ++rows;
    }
    EXPECT_EQ(rows, 3);
}

TEST_F(CliOnPty, FailuresPrintOneLineAndStopTheWrites) {
    startBus({});
    if (IsSkipped()) return;
    Result r = run({"set", "soll1=3", "soll2=11", "soll1=4"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zan1ctl: Fehler 500071: Parameter außerhalb der Grenzwerte\n");
    EXPECT_EQ(sim().parameter(1, "soll1"), 3);

    sim().setFault(1, Fault::Nak);
    r = run({"--english", "get", "P1"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "zan1ctl: Fehler 402050: Errormessage (NAK) received from device\n");

    r = run({"--address", "9", "id"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "zan1ctl: Fehler 400005: Unzulässige Geräteadresse\n");

    r = run({"get"});
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("usage: zan1ctl"), std::string::npos);
}

TEST_F(CliOnPty, PortIsReleasedOnEveryPath) {
    startBus({});
    if (IsSkipped()) return;
    const int before = OpenDescriptors();
    for (int i = 0; i < 50; ++i) {
        sim().setFault(1, i % 2 ? Fault::Nak : Fault::None);
        run({"get", "istwert1"});
        run({"set", "soll1=99"});
    }
    EXPECT_EQ(OpenDescriptors(), before);
    EXPECT_LT(CloseCom(kPort), 0);  // nothing left open
}

}  // namespace
