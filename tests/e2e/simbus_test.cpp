// The driver and zan1ctl against the simulated bus on a real pseudo-terminal.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "cli/options.h"
#include "cli/run.h"
#include "driver/vekzan1.h"
#include "platform/rs232/rs232.h"
#include "tests/e2e/simfixture.h"
#include "tests/support/tempdir.h"

namespace {

using zan1sim::Fault;

class OnBus : public SimBus {
  protected:
    // "exit status|standard output|standard error" of one zan1ctl run, on the
    // bus's port unless a device is given. A monitor stops after polls rows.
    static std::string run(std::vector<std::string> args, int polls = 100) {
        if (args[0] != "--device") args.insert(args.begin(), {"--port", std::to_string(kPort)});
        std::ostringstream out;
        std::ostringstream err;
        const int status = zan1ctl::Run(args, out, err, [&polls] { return polls-- > 0; });
        return std::to_string(status) + '|' + out.str() + '|' + err.str();
    }
};

TEST_F(OnBus, ScanListsEveryAddress) {
    startBus({{{2, ""}, {5, "VEK-ZAN1B-FUENF"}, {3, "WAAGE-7", true}}, {}, false});
    if (IsSkipped()) return;
    EXPECT_EQ(run({"scan"}),
              "0|1 -\n2 VEK-ZAN1B-SIM\n3 WAAGE-7\n4 -\n5 VEK-ZAN1B-FUENF\n6 -\n7 -\n8 -\n|");
    EXPECT_EQ(run({"--device", sim().devicePath(), "--address", "5", "id"}),
              "0|VEK-ZAN1B-FUENF\n|");
}

TEST_F(OnBus, WritesInOrderReadsBackAndMonitors) {
    startBus({{{1, ""}, {2, ""}}, {}, false});
    if (IsSkipped()) return;
    EXPECT_EQ(run({"set", "soll1=2.5", "P2=-150", "modus2=1"}), "0||");
    EXPECT_EQ(run({"--address", "9", "set", "soll2=7.125"}), "0||");  // every module, no answer
    EXPECT_EQ(run({"get", "soll1", "P2", "modus2", "soll2"}),
              "0|soll1=2.5\nP2=-150\nmodus2=1\nsoll2=7.125\n|");
    EXPECT_EQ(sim().parameter(2, "soll2"), 7.125);

    const std::string status = run({"status"});
    EXPECT_TRUE(std::regex_match(status, std::regex("0\\|[0-9]+ \\(0x[0-9A-F]{2}\\)\n\\|")))
        << status;

    const std::string head = "0\\|t_s,istwert1_V,istwert2_V\n";
    const std::string row = "[0-9]+\\.[0-9]{3},[0-9.]+,[0-9.]+\n";
    const std::string counted = run({"monitor", "--interval", "0.01", "--count", "3"});
    EXPECT_TRUE(std::regex_match(counted, std::regex(head + "(" + row + "){3}\\|"))) << counted;
    const std::string stopped = run({"monitor", "--interval", "0.01"}, 2);
    EXPECT_TRUE(std::regex_match(stopped, std::regex(head + "(" + row + "){2}\\|"))) << stopped;
}

TEST_F(OnBus, FailuresPrintOneLineStopTheWritesAndReleaseThePort) {
    startBus({});
    if (IsSkipped()) return;
    EXPECT_EQ(run({"set", "soll1=3", "soll2=11", "soll1=4"}),
              "1||zan1ctl: Fehler 500071: Parameter außerhalb der Grenzwerte\n");
    EXPECT_EQ(sim().parameter(1, "soll1"), 3);
    sim().setFault(1, Fault::Nak);
    EXPECT_EQ(run({"--english", "get", "P1", "P2"}),
              "1||zan1ctl: Error 402050: Errormessage (NAK) received from device\n");
    EXPECT_EQ(run({"status"}),
              "1||zan1ctl: Fehler 402060: Fehlermeldung (NAK) vom Gerät erhalten\n");
    EXPECT_EQ(run({"--address", "9", "id"}),
              "1||zan1ctl: Fehler 400005: Unzulässige Geräteadresse\n");
    EXPECT_EQ(run({"--device", "/nonexistent/tty", "id"}),
              "1||zan1ctl: Fehler 100002: Fehler beim öffnen der seriellen Schnittstelle "
              "(/nonexistent/tty: nicht vorhanden)\n");
    EXPECT_EQ(run({"get"}),
              "2||zan1ctl: get needs at least one parameter\n" + std::string(zan1ctl::kUsage));
    EXPECT_EQ(run({"--help"}), "0|" + std::string(zan1ctl::kUsage) + "|");
    sim().setFault(1, Fault::None);
    EXPECT_EQ(run({"id"}), "0|VEK-ZAN1B-SIM\n|");
    EXPECT_LT(CloseCom(kPort), 0);  // nothing left open
}

// The trace appends a line per frame; a trace that cannot be opened stops the
// run, one that cannot be written is reported after the command's output.
TEST_F(OnBus, TracesTheLine) {
    startBus({});
    if (IsSkipped()) return;
    const testsupport::TemporaryCurrentDirectory directory;
    for (int again = 0; again < 2; ++again)
        EXPECT_EQ(run({"--trace", "line.log", "id"}), "0|VEK-ZAN1B-SIM\n|");
    std::ostringstream text;
    text << std::ifstream("line.log").rdbuf();
    const std::string line =
        "[0-9]{4}-[0-9]{2}-[0-9]{2}T[0-9]{2}:[0-9]{2}:[0-9]{2}\\.[0-9]{3} " + sim().devicePath();
    const std::string once = line + " -> #1IDR<CR>\n" + line + " <- <ACK>#1VEK-ZAN1B-SIM<CR>\n";
    EXPECT_TRUE(std::regex_match(text.str(), std::regex(once + once))) << text.str();
    EXPECT_EQ(run({"--trace", "no/dir.log", "id"}),
              "1||zan1ctl: Fehler 130150: Fehler beim Öffnen des Verkehrsprotokolls (no/dir.log: "
              "Ordner nicht vorhanden)\n");
    EXPECT_EQ(run({"--english", "--trace", "/dev/full", "id"}),
              "1|VEK-ZAN1B-SIM\n|zan1ctl: Error 131151: Error writing the traffic log (/dev/full: "
              "disk full)\n");
}

// The simulator goes away while zan1ctl polls it, as an unplugged adapter does.
TEST_F(OnBus, ADeviceThatGoesAwayIsReportedWithTheCodeOfTheStepThatFailed) {
    startBus({});
    if (IsSkipped()) return;
    const std::string device = sim().devicePath();
    std::ostringstream out;
    std::ostringstream err;
    int polls = 0;
    EXPECT_EQ(zan1ctl::Run({"--port", std::to_string(kPort), "monitor", "--interval", "0.01"}, out,
                           err, [&] { return ++polls != 2 || (stopBus(), true); }),
              1);
    EXPECT_EQ(err.str(),
              "zan1ctl: Fehler 112047: Fehler beim Leeren des Schreib- oder Leesepuffers "
              "der seriellen Schnittstelle (" +
                  device + ": Gerät wurde getrennt)\n");
}

TEST_F(OnBus, EachFaultGivesTheDriversCodeAndSpoilsNoLaterTransaction) {
    startBus({});
    if (IsSkipped()) return;
    ASSERT_EQ(VEKZAN1_Open(kPort), 0);
    ASSERT_EQ(VEKZAN1_Timeout(kPort, 0.2), 0);  // short, so that the silent cases stay quick
    const std::tuple<Fault, int, int, int> cases[] = {
        {Fault::Silent, -403052, -403042, -403011}, {Fault::Nak, -402050, -402040, -402009},
        {Fault::Can, -405051, -405041, -405010},    {Fault::Garbled, -404055, -404043, -404014},
        {Fault::Cut, -404054, -403042, -404013},    {Fault::HighBit, -403052, -403042, -403011},
    };
    for (const auto& [fault, read, write, identification] : cases) {
        SCOPED_TRACE(static_cast<int>(fault));
        sim().setFault(1, fault);
        double value = 0;
        char text[32];
        EXPECT_EQ(VEKZAN1_ParameterLesen(kPort, 1, "istwert1", &value), read);
        EXPECT_EQ(VEKZAN1_ParameterSchreiben(kPort, 1, "soll1", 4), write);
        EXPECT_EQ(VEKZAN1_IDLesen(kPort, 1, text), identification);
        sim().setFault(1, Fault::None);
        EXPECT_EQ(VEKZAN1_IDLesen(kPort, 1, text), 0);
    }
    EXPECT_EQ(VEKZAN1_Close(kPort), 0);
}

}  // namespace
