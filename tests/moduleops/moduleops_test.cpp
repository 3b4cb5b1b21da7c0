// The module operations over a scripted port, through their arguments and
// results: the held port, the open-on-demand rule, the scan, the parameter
// sets, and the reason a failed port step carries.
#include <gtest/gtest.h>

#include <cerrno>
#include <map>
#include <sstream>
#include <stop_token>
#include <string>
#include <vector>

#include "config/ZAN1Func.h"
#include "moduleops/ZAN1Com.h"
#include "moduleops/ueberwachung.h"
#include "platform/rs232/portmap.h"
#include "tests/support/casetable.h"
#include "tests/support/scriptedport.h"

namespace {

constexpr int kPort = 3;

// The frames sent, in short words: "4M1R 4S1W2.500" is "#4M1R\r#4S1W2.500\r".
std::string Frames(const std::string& words) {
    std::istringstream in(words);
    std::string frames;
    for (std::string word; in >> word;)
        frames += "#" + word + "\r";
    return frames;
}

class ModuleOps : public testing::Test {
  protected:
    testsupport::PortScript& script() { return m_ports.script(); }
    // One answer per write: "4M1R2" is ACK "#4M1R2" CR, "ACK" and "NAK" stand
    // alone, "-" stays silent.
    void answer(const std::string& words) {
        std::istringstream in(words);
        for (std::string w; in >> w;) {
            script().answerNextWrite(w == "-"     ? ""
                                     : w == "ACK" ? "\x06"
                                     : w == "NAK" ? "\x15"
                                                  : "\x06#" + w + "\r");
        }
    }

    testsupport::ScriptedPorts m_ports;
    Leitung m_leitung;  // closed before the scripted ports go
};

// One port held at a time: opening another closes the old one first, -1
// closes; a port whose timeout cannot be set stays held.
TEST_F(ModuleOps, OneHeldPortSwitchedByNumber) {
    const struct {
        int port, failOpen, failTimeout, code, held, closes;
    } kSchritte[] = {
        {4, 0, 0, 0, 4, 0},         // opens
        {4, 0, 0, 0, 4, 0},         // already open: nothing happens
        {6, 0, 0, 0, 6, 1},         // the old one is closed first
        {5, 1, 0, -100002, -1, 2},  // does not open: none held
        {5, 0, 1, -111004, 5, 2},   // open and held all the same
        {-1, 0, 0, 0, -1, 3},       // closes
    };
    for (const auto& s : kSchritte) {
        script().failOpen = s.failOpen;
        script().failTimeout = s.failTimeout;
        EXPECT_EQ(m_leitung.OpenComPort(s.port).code, s.code) << s.port;
        EXPECT_EQ(m_leitung.gehalten(), s.held);
        EXPECT_EQ(script().closes, s.closes);
    }
    EXPECT_EQ(script().timeout, 1.0);
}

double gIstwert[2];
std::array<Arbeitswert, 2> gArbeitswerte;
std::array<std::optional<ReglerParameter>, 2> gGelesen;
const Ziel kZiel{kPort, 1};
// The controller pages' defaults, which every module takes.
const ReglerParameter kRegler{0, 1, 0, 0, 10, 0, 1000, 1, 0, {}};

const struct Operation {
    const char* name;
    Result (*run)(Leitung&);
    std::string answers;  // that let it succeed
    bool reportsErrors;   // the scan shows a silent bus in its results only
} kOperations[] = {
    {"ZAN1Scann", [](Leitung& l) { return ZAN1Scann(l, kPort, {}, [](const ScanMeldung&) {}); }, "",
     false},
    {"IDLesen", [](Leitung& l) { return IDLesen(l, kZiel).result; }, "1VEK-ZAN1B", true},
    {"SollwertSchreiben", [](Leitung& l) { return SollwertSchreiben(l, kZiel, 2, 1.5); }, "ACK",
     true},
    {"StellwertSchreiben", [](Leitung& l) { return StellwertSchreiben(l, kZiel, 1, 4.2); }, "ACK",
     true},
    {"IstwerteLesen",
     [](Leitung& l) { return IstwerteLesen(l, kZiel, &gIstwert[0], &gIstwert[1]); }, "1V5R1 1V6R2",
     true},
    {"ArbeitswerteLesen", [](Leitung& l) { return ArbeitswerteLesen(l, kZiel, &gArbeitswerte); },
     "1M1R2 1M2R2", true},
    {"ParametersatzLesen",
     [](Leitung& l) {
         return ParametersatzLesen(
             l, kZiel, [] {}, &gGelesen);
     },
     "1P1R1 1I1R1 1D1R1 1S5R1 1L1R1 1H1R1 1F1R1 1M1R1 1M3R1 "
     "1P2R1 1I2R1 1D2R1 1S6R1 1L2R1 1H2R1 1F2R1 1M2R1 1M4R1",
     true},
    {"ParametersatzSchreiben",
     [](Leitung& l) {
         return ParametersatzSchreiben(l, kZiel, {kRegler, kRegler}, [] {});
     },
     "ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK ACK", true},
};

// Without a held port an operation opens the given one and closes it on
// every way out; a held port stays open. A failed open says which device and
// why, and sends nothing.
TEST_F(ModuleOps, EveryOperationOpensOnDemand) {
    for (const Operation& op : kOperations) {
        SCOPED_TRACE(op.name);
        script() = {};
        answer(op.answers);
        EXPECT_EQ(op.run(m_leitung).code, 0);
        EXPECT_EQ(script().device, rs232::DefaultDeviceForPort(kPort));
        EXPECT_EQ(op.run(m_leitung).code < 0, op.reportsErrors);  // nothing answers now
        script().failTimeout = true;
        EXPECT_EQ(op.run(m_leitung).code, -111004);
        EXPECT_EQ(script().closes, 3);
        EXPECT_EQ(m_leitung.gehalten(), -1);  // not taken for a held port afterwards
        const std::string written = script().written;
        script().failOpen = true;
        script().openError = ENOENT;
        const Result failed = op.run(m_leitung);
        EXPECT_EQ(failed.code, -100002);
        EXPECT_EQ(std::get<rs232::PortFailure>(failed.reason).device,
                  rs232::DefaultDeviceForPort(kPort));
        EXPECT_EQ(script().written, written);

        script().failOpen = script().failTimeout = false;
        ASSERT_EQ(m_leitung.OpenComPort(kPort).code, 0);
        answer(op.answers);
        EXPECT_EQ(op.run(m_leitung).code, 0);
        EXPECT_EQ(script().closes, 3);
        EXPECT_EQ(m_leitung.gehalten(), kPort);
        m_leitung.CloseComPort();
    }
    const std::string written = script().written;
    EXPECT_EQ(SollwertSchreiben(m_leitung, kZiel, 3, 1).code, 0);  // no such channel: nothing sent
    EXPECT_EQ(StellwertSchreiben(m_leitung, kZiel, 0, 1).code, 0);
    EXPECT_EQ(script().written, written);
}

// Every address once, in order, each told before and after its probe; a
// stop asked for ends the scan after the address in flight.
TEST_F(ModuleOps, ScanReportsEveryAddressAndStopsWhenAsked) {
    answer("1VEK-ZAN1B - 3FREMD");
    std::stop_source stop;
    std::string seen;
    EXPECT_EQ(ZAN1Scann(m_leitung, kPort, stop.get_token(),
                        [&](const ScanMeldung& m) {
                            if (m.art == ScanMeldung::Art::Suche) seen += std::to_string(m.adresse);
                            if (m.art == ScanMeldung::Art::Ergebnis)
                                seen += ":" + (m.result.ok() ? m.id : "-") + " ";
                            if (m.adresse == 3 && m.art == ScanMeldung::Art::Ergebnis)
                                stop.request_stop();
                        })
                  .code,
              0);
    EXPECT_EQ(seen, "1:VEK-ZAN1B 2:- 3:FREMD ");
    EXPECT_EQ(script().written, Frames("1IDR 2IDR 3IDR"));
    EXPECT_EQ(script().closes, 1);
}

// Mode 1 gives the setpoint, mode 3 the manipulated value, mode 2 neither; a
// failure keeps what the channel before it gave.
TEST_F(ModuleOps, WorkingValuesFollowTheMode) {
    answer("4M1R1 4S1R2.500 4M2R3 4V2R7.000");
    std::array<Arbeitswert, 2> w;
    EXPECT_EQ(ArbeitswerteLesen(m_leitung, {kPort, 4}, &w).code, 0);
    EXPECT_EQ(script().written, Frames("4M1R 4S1R 4M2R 4V2R"));
    EXPECT_TRUE(w[0].sollwert == 2.5 && !w[0].stellwert && !w[1].sollwert && w[1].stellwert == 7);
    answer("4M1R2 -");
    w = {};
    EXPECT_EQ(ArbeitswerteLesen(m_leitung, {kPort, 4}, &w).code, -403052);
    EXPECT_TRUE(!w[0].sollwert && !w[0].stellwert && !w[1].sollwert && !w[1].stellwert);
}

// A poll schedule's rows until a stop, and the first failed poll, which ends it.
TEST_F(ModuleOps, WatchingPollsUntilTold) {
    answer("1V5R1 1V6R2 1V5R3 1V6R4 1V5R5 -");
    std::vector<double> werte;
    std::stop_source halt;
    const auto melden = [&](const Messung& m) {
        werte.insert(werte.end(), {m.volt1, m.volt2});
        if (werte.size() == 4) halt.request_stop();
    };
    EXPECT_EQ(IstwerteUeberwachen(m_leitung, kZiel, std::chrono::milliseconds(1), 0,
                                  halt.get_token(), melden)
                  .code,
              0);
    EXPECT_EQ(
        IstwerteUeberwachen(m_leitung, kZiel, std::chrono::milliseconds(1), 5, {}, melden).code,
        -403052);
    EXPECT_EQ(werte, (std::vector<double>{1, 2, 3, 4}));
}

// The page field of a parameterset.txt line as a member of the record.
const std::map<std::string, double ReglerParameter::*> kFelder = {
    {"PANTEIL", &ReglerParameter::panteil},
    {"IANTEIL", &ReglerParameter::ianteil},
    {"DANTEIL", &ReglerParameter::danteil},
    {"ANFANGSSOLLWERT_", &ReglerParameter::anfangssollwert},
    {"STELLMIN", &ReglerParameter::stellmin},
    {"STELLMAX", &ReglerParameter::stellmax},
    {"ANSTIEGSZEIT", &ReglerParameter::anstiegszeit},
    {"BETRIEBSART", &ReglerParameter::betriebsart},
};

double Feld(const ReglerParameter& r, const std::string& name) {
    return name == "MODUSISTWERTNULL" ? r.modusistwertnull : r.*kFelder.at(name);
}

// A channel is given out only once its whole set has arrived; as pages under
// the scaling it shows what parameterset.txt says, and written back from
// those pages it sends the texts the table gives. Writing stops at the first
// refusal.
TEST_F(ModuleOps, ParameterSetsBetweenModuleAndPages) {
    struct Zeile {
        std::string code, feld, antwort;
        double seite;
        std::string text;
    };
    std::vector<Zeile> satz;
    testsupport::RunCaseTable(ZAN1_TEST_DATA "/parameterset.txt", 18, [&](const std::string& l) {
        Zeile z;
        std::string seite;
        std::istringstream(l) >> z.code >> z.feld >> z.antwort >> seite >> z.text;
        satz.push_back(z);
        return (kFelder.count(z.feld) || z.feld == "MODUSISTWERTNULL") &&
               testsupport::ReadNumber(seite, &satz.back().seite) && !z.text.empty();
    });
    const std::array<Konfigstruktur, 2> konfig = {Konfigstruktur{0, 10, 0, 100, "%"},
                                                  Konfigstruktur{0, 10, 100, 200, "mm"}};
    for (const std::size_t failsAt : {18, 0, 8, 9, 17}) {
        SCOPED_TRACE(failsAt);
        script() = {};
        std::string reads, writes;
        for (std::size_t i = 0; i <= failsAt && i < satz.size(); ++i) {
            answer(i < failsAt ? "5" + satz[i].code + "R" + satz[i].antwort : "NAK");
            reads += "5" + satz[i].code + "R ";
            writes += "5" + satz[i].code + "W" + satz[i].text + " ";
        }
        std::array<std::optional<ReglerParameter>, 2> gelesen;
        int begonnen = 0;
        EXPECT_EQ(ParametersatzLesen(
                      m_leitung, {kPort, 5}, [&] { ++begonnen; }, &gelesen)
                      .code,
                  failsAt == 18 ? 0 : -402050);
        EXPECT_EQ(script().written, Frames(reads));
        EXPECT_EQ(begonnen, 1);
        EXPECT_EQ(gelesen[0].has_value(), failsAt >= 9);
        EXPECT_EQ(gelesen[1].has_value(), failsAt == 18);
        std::array<ReglerParameter, 2> seiten{};
        for (std::size_t i = 0; i < satz.size(); ++i) {
            ReglerParameter& seite = seiten[i / 9];
            if (satz[i].feld == "MODUSISTWERTNULL") {
                seite.modusistwertnull = static_cast<int>(satz[i].seite);
            } else {
                seite.*kFelder.at(satz[i].feld) = satz[i].seite;
            }
            if (gelesen[i / 9]) {
                EXPECT_DOUBLE_EQ(Feld(ReglerAufSeite(*gelesen[i / 9], konfig[i / 9]), satz[i].feld),
                                 satz[i].seite)
                    << i;
            }
        }
        script().written.clear();
        for (std::size_t i = 0; i < failsAt; ++i)
            answer("ACK");
        answer("NAK");
        const std::array<ReglerParameter, 2> modul = {ReglerFuerModul(seiten[0], konfig[0]),
                                                      ReglerFuerModul(seiten[1], konfig[1])};
        EXPECT_EQ(ParametersatzSchreiben(m_leitung, {kPort, 5}, modul, [] {}).code,
                  failsAt == 18 ? 0 : -402040);
        EXPECT_EQ(script().written, Frames(writes));
    }
}

}  // namespace
