// The operator window's callbacks over a scripted port: connecting and
// polling, the module commands, the entry checks, the chart zoom, the
// configuration panel, the parameter files, start-up and the end.
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/ZAN1BSteuerung.h"
#include "app/fehleranzeige.h"
#include "app/maincallbacks.h"
#include "app/messwertaufzeichnung.h"
#include "app/resource.h"
#include "app/sprache.h"
#include "config/ZAN1Konfig.h"
#include "errors/VEK_errorV3.h"
#include "platform/version.h"
#include "tests/app/fenster.h"
#include "tests/support/casetable.h"
#include "tests/support/tempdir.h"

namespace {

using fenster::Control;
using fenster::Frames;
using fenster::Num;
using fenster::Skalieren;
using fenster::Warten;

// The cases of a table beside the test, as fields between blanks.
template <typename Run>
void Faelle(const std::string& datei, int mindestens, Run run) {
    testsupport::RunCaseTable(
        std::string(ZAN1_TEST_DATA) + "/" + datei, mindestens, [&run](const std::string& line) {
            std::istringstream in(line);
            return run(std::vector<std::string>(std::istream_iterator<std::string>(in), {}));
        });
}

// Records each message box as "title|polling on" and answers a file dialog with file.
struct Dialogs : userint::Dialogs {
    void message(const std::string& title, const std::string&) override {
        popups.push_back(title + "|" + std::to_string(LaufendesProgramm().istwerteAbfragen));
    }
    bool confirm(const std::string& title, const std::string&) override {
        popups.push_back(title + "?");
        return ja;
    }
    int selectFile(const userint::FileSelectRequest&, std::string* path) override {
        whileOpen();
        *path = file;
        return file.empty() ? VAL_NO_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
    }
    std::vector<std::string> popups;
    std::string file;
    std::function<void()> whileOpen = [] {};  // what the event loop does behind the dialog
    bool ja = true;                           // the answer to a question
};

class MainWindow : public fenster::Fenster {
  protected:
    void reset() override {
        Fenster::reset();
        m_dialogs = {};
        userint::SetDialogs(&m_dialogs);
    }
    static void Menu(int item) { ASSERT_TRUE(userint::DispatchMenu(panelHandle, item)); }
    static void Verbinden(int gedrueckt) {
        SetCtrlVal(panelHandle, PANEL_VERBINDEN, gedrueckt);
        Commit(panelHandle, PANEL_VERBINDEN);
    }
    static void Tick() {
        ASSERT_TRUE(userint::DispatchTimerTick(panelHandle, PANEL_TIMER));
        Warten();
    }
    static double Fehler() { return Num(panelHandle, PANEL_FEHLERNUMMER); }
    // The port held open, as the scripted ports count.
    int offen() { return script().opens - script().closes; }
    // The connection as the operator sees it, as a whole.
    void ExpectConnected(bool an) {
        EXPECT_EQ(Num(panelHandle, PANEL_VERBINDEN), an);
        EXPECT_EQ(LaufendesProgramm().istwerteAbfragen, an);
        EXPECT_EQ(offen(), an ? 1 : 0);
        for (int c : {PANEL_ISTWERT1, PANEL_ISTWERTEINHEIT1, PANEL_ISTWERT2, PANEL_ISTWERTEINHEIT2})
            EXPECT_EQ(userint::FindControl(panelHandle, c)->dimmed, !an) << c;
        EXPECT_EQ(userint::FindControl(panelHandle, PANEL_PORT)->dimmed, an);
    }

    Dialogs m_dialogs;
    testsupport::TemporaryCurrentDirectory m_directory;
};

// Connecting warns once per run before polling starts; the timer polls while
// connected; the toggle and a failed poll end it alike.
TEST_F(MainWindow, ConnectPollAndDisconnect) {
    Skalieren(1, 0, 100);
    Skalieren(2, 100, 200);
    Tick();
    FehlerSetzen(-403011);
    answer("1M1R2 1M2R2");
    Verbinden(1);
    ExpectConnected(true);
    EXPECT_EQ(Fehler(), 0);
    EXPECT_EQ(m_dialogs.popups, std::vector<std::string>{"Info|0"});

    FehlerSetzen(-403011);
    answer("1V5R2.500 1V6R5.000");
    Tick();
    EXPECT_EQ(script().written, Frames("1M1R 1M2R 1V5R 1V6R"));
    EXPECT_EQ(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 0), std::vector<double>{25});
    EXPECT_EQ(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 1), std::vector<double>{150});
    EXPECT_EQ(Num(panelHandle, PANEL_ISTWERT1) + Num(panelHandle, PANEL_ISTWERT2), 175);
    EXPECT_EQ(Fehler(), 403011);  // a good poll leaves the display alone
    Tick();                       // nothing answers
    ExpectConnected(false);
    EXPECT_EQ(Fehler(), 403052);

    answer("1M1R2 1M2R2");
    Verbinden(1);
    ExpectConnected(true);
    FehlerSetzen(-403011);
    Verbinden(0);
    ExpectConnected(false);
    EXPECT_EQ(Fehler(), 403011);  // a disconnect keeps the display
    EXPECT_EQ(m_dialogs.popups.size(), 1u);
    // Each connection's curve ends in a gap; the legend names channel and unit.
    const userint::ControlState& chart = *userint::FindControl(panelHandle, PANEL_STRIPCHART);
    EXPECT_EQ(chart.chartCount, 3);
    EXPECT_TRUE(std::isnan(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 1)[1]));
    EXPECT_EQ(chart.traceNames, (std::vector<std::string>{"Istwert 1 [V]", "Istwert 2 [V]"}));
}

// "Schreiben" asks first while the pages hold a set that was neither read
// nor loaded for the address in ADRESSE; "Nein" sends nothing.
TEST_F(MainWindow, WritingUncheckedValuesAsksFirst) {
    m_dialogs.ja = false;
    Commit(panelHandle, PANEL_SCHREIBEN);
    EXPECT_EQ(m_dialogs.popups, std::vector<std::string>{"Parametersatz schreiben?"});
    EXPECT_EQ(script().written, "");
    answer(fenster::kAcks + " 1P1R1 1I1R1 1D1R1 1S5R1 1L1R1 1H1R9 1F1R1 1M1R1 1M3R1 " +
           "1P2R1 1I2R1 1D2R1 1S6R1 1L2R1 1H2R9 1F2R1 1M2R1 1M4R1");
    m_dialogs.ja = true;
    Commit(panelHandle, PANEL_SCHREIBEN);  // written and read back: known now
    EXPECT_EQ(Fehler(), 0);
    answer(fenster::kAcks + " -");
    Commit(panelHandle, PANEL_SCHREIBEN);
    EXPECT_EQ(m_dialogs.popups.size(), 2u);
    SetCtrlVal(panelHandle, PANEL_ADRESSE, 2);  // another module: ask again
    m_dialogs.ja = false;
    Commit(panelHandle, PANEL_SCHREIBEN);
    EXPECT_EQ(m_dialogs.popups.size(), 3u);
    m_dialogs.file = "satz.zan";
    Menu(MENUBAR_DATEI_PARAMETE_2);
    Menu(MENUBAR_DATEI_PARAMETE);  // loaded from a file: no question
    const std::string written = script().written;
    answer(fenster::kAcks + " -");
    Commit(panelHandle, PANEL_SCHREIBEN);
    EXPECT_EQ(m_dialogs.popups.size(), 3u);
    EXPECT_GT(script().written.size(), written.size());
}

// Recording is offered while connected and follows the polls until the
// connection ends (ending it by the menu is in the Qt test); a file that
// cannot be written ends it, shows in the error display with its reason, and
// the polling goes on. The chart image needs a view that draws.
TEST_F(MainWindow, RecordingFollowsTheConnection) {
    const auto item = [] {
        return userint::FindPanel(panelHandle)->menuItems.at(MENUBAR_DATEI_MESSWERTE).name;
    };
    const auto poll = [this] {
        answer("1V5R2.500 1V6R5.000");
        Tick();
    };
    const auto title = [] { return userint::FindPanel(panelHandle)->title; };
    m_dialogs.file = "werte.csv";
    EXPECT_FALSE(userint::DispatchMenu(panelHandle, MENUBAR_DATEI_MESSWERTE));
    answer("1M1R2 1M2R2");
    Verbinden(1);
    Menu(MENUBAR_DATEI_MESSWERTE);
    EXPECT_EQ(item(), "Aufzeichnung beenden");
    EXPECT_EQ(title(), "ZAN-1B Steuerung – Aufzeichnung: werte.csv");
    poll();
    Verbinden(0);
    EXPECT_EQ(item(), "Messwerte aufzeichnen...");
    EXPECT_EQ(title(), "ZAN-1B Steuerung");
    EXPECT_EQ(m_dialogs.popups.back(), "Aufzeichnung beendet|0");  // said once
    std::ifstream in("werte.csv");
    EXPECT_EQ(std::count(std::istreambuf_iterator<char>(in), {}, '\n'), 2);
    answer("1M1R2 1M2R2");
    Verbinden(1);
    m_dialogs.file = "/dev/full";
    Menu(MENUBAR_DATEI_MESSWERTE);
    for (int i = 0; i < 100 && Fehler() == 0; ++i) {
        poll();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(userint::FindControl(panelHandle, PANEL_FEHLERSTRING)->text,
              std::string(VEK_Fehlermeldung(-326000)) + ": " + std::strerror(ENOSPC));
    EXPECT_EQ(Fehler(), 326122);
    EXPECT_EQ(item(), "Messwerte aufzeichnen...");
    poll();
    ExpectConnected(true);
    Menu(MENUBAR_DATEI_DIAGRAMM);
    EXPECT_EQ(m_dialogs.popups.back(), "Fehler #327124|1");
}

// A dialog held open stops nothing: the timer ticks behind it and each poll
// is shown, so a recording goes on.
TEST_F(MainWindow, PollingGoesOnBehindADialog) {
    answer("1M1R2 1M2R2");
    Verbinden(1);
    m_dialogs.whileOpen = [this] {
        for (int tick = 0; tick < 2; ++tick) {
            answer("1V5R2.500 1V6R5.000");
            ASSERT_TRUE(userint::DispatchTimerTick(panelHandle, PANEL_TIMER));
            Warten();
        }
    };
    Menu(MENUBAR_DATEI_PARAMETE);  // "Parametersatz laden", then cancelled
    EXPECT_EQ(userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 0),
              (std::vector<double>{2.5, 2.5}));
    ExpectConnected(true);
}

// The window as a line of commands.txt gives it.
std::string Anzeige(const fenster::RecordingView& view) {
    std::ostringstream out;
    for (int c : {PANEL_SOLLWERT1, PANEL_STELLWERT1, PANEL_SOLLWERT2, PANEL_STELLWERT2})
        out << Num(panelHandle, c) << " ";
    for (int led = PANEL_LED1; led <= PANEL_LED8; ++led) {
        const userint::ControlState& c = *userint::FindControl(panelHandle, led);
        const int farbe = c.onColor == kRgbGreen ? 1 : c.onColor == kRgbRed ? 2 : 3;
        out << "-GRB"[c.number == 0 ? 0 : farbe];
    }
    const std::string id = userint::FindControl(panelHandle, PANEL_IDSTRING)->text;
    const userint::ControlState& chart = *userint::FindControl(panelHandle, PANEL_STRIPCHART);
    out << " " << (id.empty() ? "-" : id) << " "
        << userint::FindControl(tabpanelRegler1, TABPANEL_PANTEIL)->precision << " "
        << Num(panelHandle, PANEL_VERBINDEN) << LaufendesProgramm().istwerteAbfragen << " "
        << (view.focus.first
                ? userint::FindControl(view.focus.first, view.focus.second)->resource->constant
                : "-")
        << " " << Num(panelHandle, PANEL_GRAPHZOOMMIN) << " "
        << Num(panelHandle, PANEL_GRAPHZOOMMAX) << " " << chart.axisMin << " " << chart.axisMax
        << " " << view.shown.size();
    return out.str();
}

// Each command shows its module result in the error display and its data in
// the window; connecting reads back the setpoint (mode 1, in the user unit) or
// the manipulated value (mode 3, in volts) of each channel.
TEST_F(MainWindow, CommandsShowTheirResult) {
    Faelle("commands.txt", 22, [this](const std::vector<std::string>& f) {
        if (f.size() != 18) return false;
        reset();
        Skalieren(1, 0, 100);
        Skalieren(2, 100, 200);
        SetCtrlVal(panelHandle, PANEL_ADRESSE, 4);
        SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 25.0);
        SetCtrlVal(panelHandle, PANEL_STELLWERT1, 4.2);
        SetCtrlVal(panelHandle, PANEL_SOLLWERT2, 150.0);
        SetCtrlVal(panelHandle, PANEL_STELLWERT2, 6.0);
        for (int led = PANEL_LED1; led <= PANEL_LED8; ++led) {
            SetCtrlVal(panelHandle, led, 1);
            SetCtrlAttribute(panelHandle, led, ATTR_ON_COLOR, 0x0000FF);
        }
        SetCtrlVal(panelHandle, PANEL_IDSTRING, "alt");
        SetCtrlVal(tabpanelRegler1, TABPANEL_PANTEIL, 150.0);
        SetCtrlVal(panelHandle, PANEL_VERBINDEN, 1);
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, 8.0);
        SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, 2.0);
        SetAxisScalingMode(panelHandle, PANEL_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, 1, 2);
        FehlerSetzen(-999999);
        answer(f[1]);
        Commit(panelHandle, Control(panelHandle, f[0]));
        EXPECT_EQ(script().written, Frames(f[2]));
        EXPECT_EQ(Fehler(), std::stoi(f[3]));
        EXPECT_EQ(fenster::Words(Anzeige(m_view)),
                  std::vector<std::string>(f.begin() + 4, f.end()));
        EXPECT_EQ(offen(), LaufendesProgramm().istwerteAbfragen);  // held exactly while polling
        return true;
    });
    reset();  // a written set is read back
    answer(fenster::kAcks + " -");
    Commit(panelHandle, PANEL_SCHREIBEN);
    EXPECT_EQ(script().written.substr(script().written.size() - 6), "#1P1R\r");
    EXPECT_EQ(Fehler(), 403052);
}

// A zero I share and crossed limits are corrected in the field just entered,
// on its own page only; the display precision follows the shares.
TEST_F(MainWindow, ParameterEntryIsChecked) {
    Faelle("entries.txt", 8, [this](const std::vector<std::string>& f) {
        if (f.size() != 6) return false;
        reset();
        const int field = Control(tabpanelRegler2, f[0]);
        const int other = f[2] == "-" ? field : Control(tabpanelRegler2, f[2]);
        for (int page : {tabpanelRegler1, tabpanelRegler2}) {
            SetCtrlVal(page, other, std::stod(f[3]));
            SetCtrlVal(page, field, std::stod(f[1]));
        }
        Commit(tabpanelRegler2, field);
        EXPECT_EQ(Num(tabpanelRegler2, field), std::stod(f[4]));
        EXPECT_EQ(userint::FindControl(tabpanelRegler2, field)->precision, std::stoi(f[5]));
        EXPECT_EQ(Num(tabpanelRegler2, other), std::stod(f[other == field ? 4 : 3]));
        EXPECT_EQ(Num(tabpanelRegler1, field), std::stod(f[1]));  // the other page stays
        return true;
    });
}

// Skalieren shows the records; Ok adopts the pages unless one is degenerate,
// Abbruch drops them, and the default values reach the records only with Ok.
TEST_F(MainWindow, ConfigurationPanel) {
    const auto tippen = [](double wert) {
        userint::OperatorSetValue(konfigtabRegler1, TABKONFIG_SKALMAX_UMGERECHNET, wert);
    };
    const auto knopf = [](int button) { Commit(konfigpanelHandle, button); };
    Menu(MENUBAR_KONFIG_SKALIERUNG);
    tippen(100);
    knopf(KONFIGPNL_OK);
    EXPECT_FALSE(userint::FindPanel(konfigpanelHandle)->visible);
    tippen(5);  // typed while hidden: Skalieren shows the records again
    Menu(MENUBAR_KONFIG_SKALIERUNG);
    EXPECT_EQ(Num(konfigtabRegler1, TABKONFIG_SKALMAX_UMGERECHNET), 100);
    tippen(0);  // 0..0
    knopf(KONFIGPNL_OK);
    EXPECT_EQ(m_dialogs.popups, std::vector<std::string>{"Fehler #500111|0"});
    knopf(KONFIGPNL_AUFSTANDARDWERTE);
    EXPECT_EQ(Num(konfigtabRegler1, TABKONFIG_SKALMAX_UMGERECHNET), 10);
    EXPECT_TRUE(userint::FindPanel(konfigpanelHandle)->visible);
    knopf(KONFIGPNL_ABBRUCH);
    EXPECT_FALSE(userint::FindPanel(konfigpanelHandle)->visible);
    EXPECT_EQ(LaufendesProgramm().konfig[0].einheitmax, 100);
    Menu(MENUBAR_KONFIG_SKALIERUNG);
    knopf(KONFIGPNL_AUFSTANDARDWERTE);
    knopf(KONFIGPNL_OK);
    EXPECT_EQ(LaufendesProgramm().konfig[0].einheitmax, 10);
}

// A failing file command shows its code; a cancelled or successful one nothing.
TEST_F(MainWindow, ParameterFiles) {
    for (const char* datei : {"fehlt/neu.zan", "", "satz.zan"}) {
        m_dialogs.file = datei;
        Menu(MENUBAR_DATEI_PARAMETE_2);
        Menu(MENUBAR_DATEI_PARAMETE);
    }
    EXPECT_EQ(m_dialogs.popups, (std::vector<std::string>{"Fehler #308101|0", "Fehler #308103|0"}));
}

// "Verkehr protokollieren..." traces the line into the chosen file until the
// item, then "Protokoll beenden", is chosen again; a file that cannot be
// opened or written shows in the error display, the latter at the next tick.
TEST_F(MainWindow, TrafficLog) {
    const auto name = [] {
        return userint::FindPanel(panelHandle)->menuItems.at(MENUBAR_MENU_VERKEHR).name;
    };
    for (const char* datei : {"", "fehlt/verkehr.log"}) {
        m_dialogs.file = datei;
        Menu(MENUBAR_MENU_VERKEHR);
        EXPECT_EQ(name(), "Verkehr protokollieren...");
    }
    EXPECT_EQ(Fehler(), 130150);
    m_dialogs.file = "verkehr.log";
    Menu(MENUBAR_MENU_VERKEHR);
    EXPECT_EQ(name(), "Protokoll beenden");
    answer("1VEK-ZAN1B");
    Commit(panelHandle, PANEL_IDLESEN);
    Menu(MENUBAR_MENU_VERKEHR);
    EXPECT_EQ(name(), "Verkehr protokollieren...");
    EXPECT_EQ(Fehler(), 0);
    std::ifstream protokoll("verkehr.log");  // the command and the answer
    EXPECT_EQ(std::count(std::istreambuf_iterator<char>(protokoll), {}, '\n'), 2);
    m_dialogs.file = "/dev/full";
    Menu(MENUBAR_MENU_VERKEHR);
    answer("1VEK-ZAN1B");
    Commit(panelHandle, PANEL_IDLESEN);
    Tick();
    EXPECT_EQ(Fehler(), 131151);
    EXPECT_EQ(name(), "Verkehr protokollieren...");
}

// Start-up needs every panel and every callback the resource names, and
// shows the main window only (the info popup is in the Qt test); closing the
// configuration panel or Beenden ends the program, which closes a held port
// and saves the settings.
TEST_F(MainWindow, StartUpAndEnd) {
    m_programm.reset();         // ProgramMain runs its own
    userint::SetView(nullptr);  // the headless loop
    for (std::size_t ohne = 0; ohne <= Zan1Resource().panels.size(); ++ohne) {
        userint::ResetModel();
        userint::Resource teil = Zan1Resource();
        if (ohne < teil.panels.size()) {
            teil.panels.erase(teil.panels.begin() + ohne);
        } else {
            teil.panels[0].controls[1].callbackName = "Callback_Main_Button_Gibt_Es_Nicht";
            teil.panels[0].controls[1].callback = nullptr;
        }
        userint::RegisterResource(teil);
        EXPECT_EQ(ProgramMain(), -1) << ohne;  // one panel or callback missing
    }
    for (const int beenden : {0, 1}) {
        userint::ResetModel();
        RegisterZan1Resource();
        userint::PostToLoop([beenden] {
            for (int panel : userint::PanelHandles())
                EXPECT_EQ(userint::FindPanel(panel)->visible, panel == panelHandle) << panel;
            EXPECT_EQ(userint::FindControl(panelHandle, PANEL_FEHLERLED)->onColor, kRgbRed);
            EXPECT_EQ(userint::FindControl(panelHandle, PANEL_STRIPCHART)->traceNames[1],
                      "Istwert 2 [V]");
            EXPECT_NE(userint::FindControl(panelHandle, PANEL_PORT)->tooltip.find("COM 2 = "),
                      std::string::npos);
            const auto text = [](int c) { return userint::FindControl(aboutpanelHandle, c)->text; };
            EXPECT_EQ(text(ABOUTPANEL_VERSION) + " " + text(ABOUTPANEL_DATUM),
                      std::string("V ") + ProgramVersion() + " 12/2010");
            // As a held connection would.
            LaufendesProgramm().modul.ausfuehren([](Leitung& leitung) -> Modul::Anzeige {
                leitung.OpenComPort(3);
                return {};
            });
            Warten();
            EXPECT_TRUE(beenden ? userint::DispatchMenu(panelHandle, MENUBAR_DATEI_BEENDEN)
                                : userint::DispatchPanelEvent(konfigpanelHandle, EVENT_CLOSE));
        });
        userint::PostToLoop([] { ADD_FAILURE() << "the loop went on after the end"; });
        EXPECT_EQ(ProgramMain(), 0);
        EXPECT_EQ(script().closes, beenden + 1);
        EXPECT_TRUE(std::filesystem::remove(kIniDateiname));
    }
}

// The display shows the last result: lamp, text with its reason, number.
TEST_F(MainWindow, ErrorDisplayShowsLampTextAndNumberOfTheLastResult) {
    const auto display = [] {
        const auto* text = userint::FindControl(panelHandle, PANEL_FEHLERSTRING);
        return std::to_string(static_cast<int>(Num(panelHandle, PANEL_FEHLERLED))) + " '" +
               text->text + "' " +
               std::to_string(static_cast<long long>(Num(panelHandle, PANEL_FEHLERNUMMER)));
    };
    FehlerZeigen(-403011);
    EXPECT_EQ(display(), "1 'Keine Antwort vom Gerät' 403011");
    FehlerZeigen(0);
    EXPECT_EQ(display(), "0 '' 0");
    FehlerZeigen(-6123);  // the silent range is shown here, with its empty text
    EXPECT_EQ(display(), "1 '' 6123");
    FehlerZeigen({-100002, rs232::PortFailure{"/dev/ttyUSB0", {EBUSY, false, 0}, ""}});
    EXPECT_EQ(display(),
              "1 'Fehler beim öffnen der seriellen Schnittstelle (/dev/ttyUSB0: von "
              "einem anderen Programm belegt)' 100002");
    FehlerZeigen(INT_MIN);
    EXPECT_EQ(display(), "1 'Ein unbekannter Fehler ist aufgetreten' 2147483647");
    EXPECT_TRUE(m_dialogs.popups.empty());
}

// The window's language from the locale variables (the table beside the test).
TEST(Sprache, FollowsTheFirstLocaleVariableThatIsSet) {
    Faelle("sprache.txt", 11, [](const std::vector<std::string>& f) {
        std::map<std::string, std::string> gesetzt;
        for (size_t i = 1; i < f.size(); ++i)
            gesetzt[f[i].substr(0, f[i].find('='))] = f[i].substr(f[i].find('=') + 1);
        const auto umgebung = [&gesetzt](const char* name) {
            return gesetzt.contains(name) ? gesetzt[name].c_str() : nullptr;
        };
        EXPECT_EQ(SpracheAusUmgebung(umgebung), SpracheAusArgument(f.at(0)));
        return SpracheAusArgument(f[0]).has_value();
    });
    EXPECT_FALSE(SpracheAusArgument("english"));
}

}  // namespace
