// The scaling as the window shows it, the settings file loaded into the
// window and parameter files between the window and the disk.
#include <cstdio>
#include <sstream>

#include "app/einstellungen.h"
#include "app/parameterdatei.h"
#include "app/skalierung.h"
#include "config/ZAN1Func.h"
#include "config/ZAN1Konfig.h"
#include "tests/app/fenster.h"
#include "tests/ini/testfiles.h"
#include "tests/support/tempdir.h"

namespace {

const std::filesystem::path kFiles = ZAN1_CONFIG_TESTFILES;
// A parameter file built by hand from the byte offsets, not from the record
// type; data/valid.txt says what loading it shows.
const std::filesystem::path kValid = ZAN1_FUZZ_CORPUS "/valid.zan";

const userint::ControlState& C(int panel, int control) {
    return *userint::FindControl(panel, control);
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[512];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// Records and configuration pages as the case tables write them:
// "vmin vmax einheitmin einheitmax 'einheit'".
std::string Text(const Konfigstruktur& k) {
    return Format("%.10g %.10g %.10g %.10g '%s'", k.vmin, k.vmax, k.einheitmin, k.einheitmax,
                  k.einheit);
}
constexpr int kSeite[] = {TABKONFIG_SKALMIN_VOLT, TABKONFIG_SKALMAX_VOLT,
                          TABKONFIG_SKALMIN_UMGERECHNET, TABKONFIG_SKALMAX_UMGERECHNET};
std::string Seite(int s) {
    return Format("%.10g %.10g %.10g %.10g '%s'", C(s, kSeite[0]).number, C(s, kSeite[1]).number,
                  C(s, kSeite[2]).number, C(s, kSeite[3]).number,
                  C(s, TABKONFIG_SKAL_EINHEIT).text.c_str());
}
// Types both pages in, as the operator would, and applies them.
int Skalieren(const std::string& seite1, const std::string& seite2) {
    for (const auto& [s, text] :
         {std::pair{konfigtabRegler1, seite1}, {konfigtabRegler2, seite2}}) {
        double v[4] = {};
        char einheit[16] = "";
        std::sscanf(text.c_str(), "%lf %lf %lf %lf '%15[^']'", &v[0], &v[1], &v[2], &v[3], einheit);
        for (int i = 0; i < 4; ++i)
            SetCtrlVal(s, kSeite[i], v[i]);
        SetCtrlVal(s, TABKONFIG_SKAL_EINHEIT, einheit);
    }
    return NeueSkalierungSetzen();
}

// Every scaled control of a channel: setpoint at power-on, ramp, setpoint and
// actual value (number, range, precision, increment), then the unit labels.
std::string Kanal(int n) {
    const int t = n == 1 ? tabpanelRegler1 : tabpanelRegler2;
    const auto& a = C(t, TABPANEL_ANFANGSSOLLWERT_);
    const auto& r = C(t, TABPANEL_ANSTIEGSZEIT);
    const auto& s = C(panelHandle, n == 1 ? PANEL_SOLLWERT1 : PANEL_SOLLWERT2);
    const auto& i = C(panelHandle, n == 1 ? PANEL_ISTWERT1 : PANEL_ISTWERT2);
    return Format(
        "%.10g [%.10g..%.10g] p%d, %.10g [%.10g..%.10g], %.10g [%.10g..%.10g] p%d i%.10g, "
        "%.10g p%d, %s%s%s%s",
        a.number, a.min, a.max, a.precision, r.number, r.min, r.max, s.number, s.min, s.max,
        s.precision, s.increment, i.number, i.precision,
        C(t, TABPANEL_ANFANGSSOLLWERTEINHEI).text.c_str(),
        C(t, TABPANEL_ANSTEIGSZEITEINHEIT).text.c_str(),
        C(panelHandle, n == 1 ? PANEL_SOLLWERTEINHEIT1 : PANEL_SOLLWERTEINHEIT2).text.c_str(),
        C(panelHandle, n == 1 ? PANEL_ISTWERTEINHEIT1 : PANEL_ISTWERTEINHEIT2).text.c_str());
}

// The zoom limits with their ranges and labels, then the chart's axis.
std::string Zoom() {
    const auto& lo = C(panelHandle, PANEL_GRAPHZOOMMIN);
    const auto& hi = C(panelHandle, PANEL_GRAPHZOOMMAX);
    const auto& chart = C(panelHandle, PANEL_STRIPCHART);
    return Format("%.10g [%.10g..%.10g] %.10g [%.10g..%.10g] %s%s, %.10g..%.10g %s", lo.number,
                  lo.min, lo.max, hi.number, hi.min, hi.max,
                  C(panelHandle, PANEL_ZOOMMINEINHEIT).text.c_str(),
                  C(panelHandle, PANEL_ZOOMMAXEINHEIT).text.c_str(), chart.axisMin, chart.axisMax,
                  chart.yName.c_str());
}

// Fresh panels, default records and an empty current directory per test; the
// file dialogs answer m_antwort.
class Config : public fenster::Fenster, userint::Dialogs {
  protected:
    void SetUp() override {
        ASSERT_FALSE(m_directory.path().empty());
        Neu();
    }
    void TearDown() override {
        userint::SetDialogs(nullptr);
        Fenster::TearDown();
    }
    void Neu() {
        reset();
        userint::SetDialogs(this);
    }
    void message(const std::string&, const std::string&) override {}
    bool confirm(const std::string&, const std::string&) override { return false; }
    int selectFile(const userint::FileSelectRequest&, std::string* path) override {
        *path = m_antwort;
        return m_antwort.empty() ? VAL_NO_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
    }
    int Speichern(const std::string& path) { return m_antwort = path, SchreibeParameterInDatei(); }
    int Laden(const std::string& path) { return m_antwort = path, LeseParameterAusDatei(); }

    testsupport::TemporaryCurrentDirectory m_directory;
    std::string m_antwort;
};

TEST_F(Config, NewScalingsPresentEveryScaledControl) {
    for (const auto& f : testfiles::Cases(kFiles / "skalierungen.txt", 6, 20)) {
        SCOPED_TRACE(f[0]);
        Neu();
        for (const int n : {0, 1}) {  // volts before the channels take % and mm
            const int t = n == 0 ? tabpanelRegler1 : tabpanelRegler2;
            SetCtrlVal(t, TABPANEL_ANFANGSSOLLWERT_, 2.0 + n);
            SetCtrlVal(t, TABPANEL_ANSTIEGSZEIT, 300.0 + 100 * n);
            SetCtrlVal(panelHandle, n == 0 ? PANEL_SOLLWERT1 : PANEL_SOLLWERT2, 2.5 + 2.5 * n);
            SetCtrlVal(panelHandle, n == 0 ? PANEL_ISTWERT1 : PANEL_ISTWERT2, 4.0 + 2 * n);
        }
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, 5.0);
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, 40.0);
        ASSERT_EQ(Skalieren("0 10 0 100 '%'", "0 10 0 500 'mm'"), 0);
        EXPECT_EQ(Skalieren(f[1], f[2]), std::stoi(f[3]));
        EXPECT_EQ(Kanal(1) + " | " + Kanal(2) + " | " + Zoom(), f[4] + " | " + f[5] + " | " + f[6]);
    }
}

TEST_F(Config, SetPrecisionFollowsTheMagnitudeOfPIAndD) {
    const int felder[] = {TABPANEL_PANTEIL, TABPANEL_IANTEIL, TABPANEL_DANTEIL};
    const double werte[] = {10.0, -150.0, 12345.0, 999.99, -1000.0, 100.0};
    const auto seite = [](int i) { return i < 3 ? tabpanelRegler1 : tabpanelRegler2; };
    for (int i = 0; i < 6; ++i)
        SetCtrlVal(seite(i), felder[i % 3], werte[i]);
    SetPrecision();
    std::string stellen;
    for (int i = 0; i < 6; ++i)
        stellen += std::to_string(C(seite(i), felder[i % 3]).precision);
    EXPECT_EQ(stellen, "320212");
}

// Before each case: port 2, address 2, zoom 3..7, page 1 shows 50 as its top
// and both records are 0..100 %. A failed load leaves every control alone.
TEST_F(Config, LoadIniTakesWhatTheFileHolds) {
    for (const auto& f : testfiles::Cases(kFiles / "einstellungen.txt", 5, 19)) {
        SCOPED_TRACE(f[0]);
        Neu();
        std::filesystem::remove_all(kIniDateiname);
        SetCtrlVal(panelHandle, PANEL_PORT, 2);
        SetCtrlVal(panelHandle, PANEL_ADRESSE, 2);
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, 3.0);
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, 7.0);
        SetCtrlVal(konfigtabRegler1, TABKONFIG_SKALMAX_UMGERECHNET, 50.0);
        LaufendesProgramm().konfig.fill({0, 10, 0, 100, "%"});
        if (f[1] == "<directory>") std::filesystem::create_directory(kIniDateiname);
        if (!f[1].starts_with("<")) testfiles::Put(kIniDateiname, "[ZAN1]\r\n" + f[1]);
        EXPECT_EQ(LoadIni(), std::stoi(f[2]));
        EXPECT_EQ(
            Format("%g %g %g %g", C(panelHandle, PANEL_PORT).number,
                   C(panelHandle, PANEL_ADRESSE).number, C(panelHandle, PANEL_GRAPHZOOMMIN).number,
                   C(panelHandle, PANEL_GRAPHZOOMMAX).number),
            f[3]);
        EXPECT_EQ(Text(LaufendesProgramm().konfig[0]) + ", " + Text(LaufendesProgramm().konfig[1]) +
                      " / " + Seite(konfigtabRegler1) + ", " + Seite(konfigtabRegler2),
                  f[4] + " / " + (f[5] == "=" ? f[4] : f[5]));
    }
}

// Defaults byte for byte; settings.ini, loaded as einstellungen.txt says, is
// written back as it was, the zoom in volts.
// The nine controls of a controller page, in file order.
constexpr int kRegler[] = {TABPANEL_PANTEIL,      TABPANEL_IANTEIL,     TABPANEL_DANTEIL,
                           TABPANEL_STELLMIN,     TABPANEL_STELLMAX,    TABPANEL_ANFANGSSOLLWERT_,
                           TABPANEL_ANSTIEGSZEIT, TABPANEL_BETRIEBSART, TABPANEL_MODUSISTWERTNULL};

// Everything a load may change, one line each: records and pages, channel 1,
// channel 2, zoom, then both controller pages.
std::string Alles() {
    const auto& konfig = LaufendesProgramm().konfig;
    std::string s = Text(konfig[0]) + ", " + Text(konfig[1]) + ", " + Seite(konfigtabRegler1) +
                    ", " + Seite(konfigtabRegler2) + "\n" + Kanal(1) + "\n" + Kanal(2) + "\n" +
                    Zoom() + "\n";
    for (const int seite : {tabpanelRegler1, tabpanelRegler2})
        for (const int control : kRegler)
            s += Format("%.17g%c", C(seite, control).number, control == kRegler[8] ? '\n' : ' ');
    return s;
}

// Whatever was shown before, valid.zan loads as data/valid.txt says; the
// setpoint is not in the file and keeps its number. A refused file changes
// nothing, a tolerated change loads like the file itself, and saving what was
// loaded gives the file back.
TEST_F(Config, ParameterFilesLoadOnlyWhenEveryCheckPassesAndSaveTheirLayout) {
    std::string erwartet;
    for (const auto& f : testfiles::Cases(kFiles / "valid.txt", 1, 6))
        erwartet += f[1] + "\n";
    for (const auto& f : testfiles::Cases(kFiles / "ladepruefungen.txt", 3, 47)) {
        SCOPED_TRACE(f[0]);
        Neu();
        SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 0.5);
        const std::string vorher = Alles();
        std::string bytes = testfiles::Bytes(kValid), was, wert;
        std::size_t an = 0;
        for (std::istringstream aenderungen(f[1]); aenderungen >> was >> an;) {
            if (was == "size") {
                bytes.resize(an);
            } else if (aenderungen >> wert; was == "f64") {
                const double zahl = std::strtod(wert.c_str(), nullptr);
                bytes.replace(an, 8, reinterpret_cast<const char*>(&zahl), 8);
            } else {
                for (std::size_t i = 0; i < wert.size(); i += 2)
                    bytes[an + i / 2] = static_cast<char>(std::stoi(wert.substr(i, 2), 0, 16));
            }
        }
        testfiles::Put("f.zan", bytes);
        EXPECT_EQ(Laden("f.zan"), std::stoi(f[2]));
        EXPECT_EQ(Alles(), f[2] == "0" ? erwartet : vorher);
    }
    ASSERT_EQ(Laden(kValid), 0);
    ASSERT_EQ(Speichern("p.zan"), 0);
    EXPECT_EQ(testfiles::Bytes("p.zan"), testfiles::Bytes(kValid));
}

TEST_F(Config, FailedOrCancelledDialogsKeepFilesAndControls) {
    const std::string vorher = Alles();
    EXPECT_EQ(Speichern(""), 0);
    EXPECT_EQ(Laden(""), 0);
    EXPECT_TRUE(std::filesystem::is_empty("."));
    EXPECT_EQ(Laden("fehlt.zan"), kFehlerParameterdateiLadenOeffnen);
    EXPECT_EQ(Alles(), vorher);
}

}  // namespace
