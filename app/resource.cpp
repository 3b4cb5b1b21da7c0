#include "app/resource.h"

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "app/callbacktable.h"
#include "app/uebersetzung.h"
#include "panel/ZAN1Steuerung.h"

using userint::ControlKind;
using userint::ControlResource;
using userint::Geometry;
using userint::kUnbounded;
using userint::MenuItemResource;
using userint::MenuResource;
using userint::PanelResource;
using userint::RingItem;
using userint::ValueType;

namespace {

constexpr int kTabStrip = 24;  // tabs above a tab control's page area

struct Range {
    double min;
    double max;
    double increment;
};

constexpr Range kVolt{0.0, 10.0, 1.0};
constexpr Range kFree{-kUnbounded, kUnbounded, 1.0};
constexpr Range kControllerShare{-99999.0, 99999.0, 1.0};

ControlResource Plain(int id, const char* constant, ControlKind kind, std::string label,
                      Geometry geometry) {
    ControlResource c;
    c.id = id;
    c.constant = constant;
    c.kind = kind;
    c.label = std::move(label);
    c.geometry = geometry;
    return c;
}

ControlResource Numeric(int id, const char* constant, std::string label, double value, Range range,
                        int precision, const char* callback, Geometry geometry) {
    ControlResource c = Plain(id, constant, ControlKind::Numeric, std::move(label), geometry);
    c.type = ValueType::Double;
    c.defaultValue = value;
    c.min = range.min;
    c.max = range.max;
    c.increment = range.increment;
    c.precision = precision;
    c.callbackName = callback;
    return c;
}

ControlResource Text(int id, const char* constant, std::string text, Geometry geometry) {
    ControlResource c = Plain(id, constant, ControlKind::TextMessage, std::move(text), geometry);
    c.type = ValueType::Text;
    return c;
}

ControlResource StringField(int id, const char* constant, std::string label, Geometry geometry) {
    ControlResource c = Plain(id, constant, ControlKind::String, std::move(label), geometry);
    c.type = ValueType::Text;
    return c;
}

ControlResource Button(int id, const char* constant, std::string label, const char* callback,
                       Geometry geometry) {
    ControlResource c = Plain(id, constant, ControlKind::CommandButton, std::move(label), geometry);
    c.callbackName = callback;
    return c;
}

ControlResource Led(int id, const char* constant, std::string label, Geometry geometry) {
    ControlResource c = Plain(id, constant, ControlKind::Led, std::move(label), geometry);
    c.type = ValueType::Integer;
    c.indicator = true;
    return c;
}

ControlResource Ring(int id, const char* constant, std::string label, ValueType type,
                     std::vector<RingItem> items, const char* callback, Geometry geometry) {
    ControlResource c = Plain(id, constant, ControlKind::Ring, std::move(label), geometry);
    c.type = type;
    c.defaultValue = items.front().value;
    c.items = std::move(items);
    c.callbackName = callback;
    return c;
}

ControlResource TabControl(int id, std::vector<int> pages, Geometry geometry) {
    ControlResource c = Plain(id, "TAB", ControlKind::TabControl, "", geometry);
    c.tabPages = std::move(pages);
    c.tabLabels = {Fenster::tr("Regler 1"), Fenster::tr("Regler 2")};
    return c;
}

ControlResource Indicator(ControlResource c) {
    c.indicator = true;
    return c;
}

ControlResource Dimmed(ControlResource c) {
    c.dimmed = true;
    return c;
}

PanelResource Panel(int id, const char* constant, std::string title, int width, int height,
                    const char* callback) {
    PanelResource p;
    p.id = id;
    p.constant = constant;
    p.title = std::move(title);
    p.width = width;
    p.height = height;
    p.callbackName = callback;
    return p;
}

// A tab page fills the page area of the tab control that shows it.
PanelResource Page(int id, const char* constant, const ControlResource& tab) {
    return Panel(id, constant, "", tab.geometry.width, tab.geometry.height - kTabStrip, "");
}

std::vector<MenuResource> MainMenuBar() {
    return {
        {MENUBAR_DATEI,
         "DATEI",
         Fenster::tr("Datei"),
         {
             {MENUBAR_DATEI_PARAMETE, "PARAMETE", Fenster::tr("Parametersatz laden"),
              "Callback_Menu_Laden"},
             {MENUBAR_DATEI_PARAMETE_2, "PARAMETE_2", Fenster::tr("Parametersatz speichern"),
              "Callback_Menu_Speichern"},
             {MENUBAR_DATEI_SEPARATOR_2, "SEPARATOR_2", "", "", nullptr, true},
             // Recording needs the polling of a held connection.
             {MENUBAR_DATEI_MESSWERTE, "MESSWERTE", Fenster::tr("Messwerte aufzeichnen..."),
              "Callback_Menu_Messwerte", nullptr, false, true},
             {MENUBAR_DATEI_DIAGRAMM, "DIAGRAMM", Fenster::tr("Diagramm speichern..."),
              "Callback_Menu_Diagramm"},
             {MENUBAR_DATEI_SEPARATOR, "SEPARATOR", "", "", nullptr, true},
             {MENUBAR_DATEI_BEENDEN, "BEENDEN", Fenster::tr("Beenden"), "Callback_Menu_Beenden"},
         }},
        {MENUBAR_KONFIG,
         "KONFIG",
         Fenster::tr("Konfiguration"),
         {{MENUBAR_KONFIG_SKALIERUNG, "SKALIERUNG", Fenster::tr("Skalieren..."),
           "Callback_Menu_Skalieren"}}},
        {MENUBAR_MENU,
         "MENU",
         "?",
         {{MENUBAR_MENU_VERKEHR, "VERKEHR", Fenster::tr("Verkehr protokollieren..."),
           "Callback_Menu_Verkehr"},
          {MENUBAR_MENU_BER, "BER", Fenster::tr("Info..."), "Callback_Menu_Info"}}},
    };
}

// Layout of the main window (856 x 624): menu bar on top; the parameter tab
// control on the left; on the right the COM settings frame, the frame with
// setpoint, manipulated and actual value of both channels, the buttons and
// the error frame; along the bottom the strip chart with the zoom column
// beside it and the status line below.
std::vector<ControlResource> MainControls() {
    constexpr const char* kNumerics = "Callback_Main_Numerics";
    constexpr const char* kZoom = "Callback_Main_MultipleControls_Graphzoom";

    std::vector<RingItem> addresses;
    for (int a = 1; a <= 8; ++a)
        addresses.push_back({std::to_string(a), double(a)});
    addresses.push_back({Fenster::tr("alle"), 9});
    std::vector<RingItem> ports;
    for (int p = 1; p <= 8; ++p)
        ports.push_back({"COM " + std::to_string(p), double(p)});

    ControlResource verbinden = Plain(PANEL_VERBINDEN, "VERBINDEN", ControlKind::ToggleButton,
                                      Fenster::tr("verbinden"), {746, 312, 100, 28});
    verbinden.type = ValueType::Integer;
    verbinden.pressedText = Fenster::tr("trennen");
    verbinden.callbackName = "Callback_Main_Togglebutton_Verbinden";

    ControlResource fehlernummer =
        Indicator(Numeric(PANEL_FEHLERNUMMER, "FEHLERNUMMER", "", 0,
                          {double(INT_MIN), double(INT_MAX), 1.0}, 0, "", {754, 368, 82, 20}));
    fehlernummer.type = ValueType::Integer;

    ControlResource timer = Plain(PANEL_TIMER, "TIMER", ControlKind::Timer, "Timer", {});
    timer.timerInterval = 0.1;
    timer.callbackName = "Callback_Main_Timer";

    ControlResource chart =
        Plain(PANEL_STRIPCHART, "STRIPCHART", ControlKind::StripChart, "", {10, 404, 660, 192});
    chart.traces = 2;
    chart.pointsPerScreen = 200;
    chart.xName = "4 s / div";
    chart.yName = Einsetzen(Fenster::tr("Istwert [%1]"), {"V"});
    // The zoom fields' defaults, until a scaling sets the axis.
    chart.axisManual = true;
    chart.axisMin = 0;
    chart.axisMax = 10;

    std::vector<ControlResource> c;
    c.push_back(TabControl(PANEL_TAB, {TABPANEL1, TABPANEL2}, {10, 52, 400, 344}));
    c.push_back(Button(PANEL_LESEN, "LESEN", Fenster::tr("Lesen"), "Callback_Main_ButtonLesen",
                       {420, 312, 100, 28}));
    c.push_back(Button(PANEL_SCHREIBEN, "SCHREIBEN", Fenster::tr("Schreiben"),
                       "Callback_Main_Button_Schreiben", {530, 312, 100, 28}));
    c.push_back(verbinden);
    c.push_back(Numeric(PANEL_STELLWERT1, "STELLWERT1", Fenster::tr("Stellwert 1"), 0, kVolt, 3,
                        kNumerics, {432, 228, 100, 20}));
    c.push_back(Numeric(PANEL_STELLWERT2, "STELLWERT2", Fenster::tr("Stellwert 2"), 0, kVolt, 3,
                        kNumerics, {640, 228, 100, 20}));
    c.push_back(Numeric(PANEL_SOLLWERT1, "SOLLWERT1", Fenster::tr("Sollwert 1"), 0, kVolt, 3,
                        kNumerics, {432, 186, 100, 20}));
    c.push_back(Numeric(PANEL_SOLLWERT2, "SOLLWERT2", Fenster::tr("Sollwert 2"), 0, kVolt, 3,
                        kNumerics, {640, 186, 100, 20}));
    c.push_back(Dimmed(Indicator(Numeric(PANEL_ISTWERT1, "ISTWERT1", Fenster::tr("Istwert 1"), 0,
                                         kFree, 3, "", {432, 270, 100, 20}))));
    c.push_back(Dimmed(Indicator(Numeric(PANEL_ISTWERT2, "ISTWERT2", Fenster::tr("Istwert 2"), 0,
                                         kFree, 3, "", {640, 270, 100, 20}))));
    c.push_back(Text(PANEL_TEXTMSG_4, "TEXTMSG_4",
                     Fenster::tr("Diagramm Zoom\n(bezogen auf Istwert 1)"), {684, 404, 162, 32}));
    c.push_back(Numeric(PANEL_GRAPHZOOMMIN, "GRAPHZOOMMIN", Fenster::tr("min."), 0, kFree, 2, kZoom,
                        {684, 508, 90, 20}));
    c.push_back(Numeric(PANEL_GRAPHZOOMMAX, "GRAPHZOOMMAX", Fenster::tr("max."), 10, kFree, 2,
                        kZoom, {684, 462, 90, 20}));
    c.push_back(Button(PANEL_GRAPHZOOMZURUECK, "GRAPHZOOMZURUECK", Fenster::tr("Zoom 1:1"), kZoom,
                       {684, 540, 90, 26}));
    c.push_back(Ring(PANEL_ADRESSE, "ADRESSE", Fenster::tr("ZAN-1 Adresse"), ValueType::Integer,
                     std::move(addresses), "", {540, 74, 90, 20}));
    c.push_back(Ring(PANEL_PORT, "PORT", Fenster::tr("COM-Port"), ValueType::Integer,
                     std::move(ports), "", {430, 74, 96, 20}));
    c.push_back(Button(PANEL_SCANN, "SCANN", Fenster::tr("Scann"), "Callback_Main_Button_Scann",
                       {650, 72, 86, 24}));
    c.push_back(Button(PANEL_IDLESEN, "IDLESEN", Fenster::tr("ID lesen"),
                       "Callback_Main_Button_IDLesen", {746, 72, 90, 24}));
    c.push_back(Text(PANEL_TEXTMSG, "TEXTMSG", Fenster::tr("PARAMETER"), {12, 30, 120, 16}));
    c.push_back(
        Text(PANEL_TEXTMSG_3, "TEXTMSG_3", Fenster::tr("COM-Einstellungen"), {430, 38, 140, 16}));
    for (int i = 0; i < 8; ++i) {
        const std::string n = std::to_string(i + 1);
        ControlResource led = Led(PANEL_LED1 + i, "", "", {430 + 26 * i, 122, 16, 16});
        led.constant = "LED" + n;
        led.label = n;
        c.push_back(led);
    }
    c.push_back(Led(PANEL_FEHLERLED, "FEHLERLED", Fenster::tr("Fehler"), {432, 370, 16, 16}));
    c.push_back(
        Indicator(StringField(PANEL_FEHLERSTRING, "FEHLERSTRING", "", {484, 368, 262, 20})));
    c.push_back(fehlernummer);
    c.push_back(Text(PANEL_TEXTMSG_2, "TEXTMSG_2", "TEST", {684, 576, 60, 16}));
    c.push_back(timer);
    c.push_back(Text(PANEL_TEXT, "TEXT", "Text Message", {10, 602, 836, 16}));
    c.push_back(Indicator(StringField(PANEL_IDSTRING, "IDSTRING", "ID", {650, 122, 186, 20})));
    // Unit texts take "[unit]" of up to five characters.
    c.push_back(Text(PANEL_STELLWERTEINHEIT2, "STELLWERTEINHEIT2", "[V]", {744, 230, 64, 16}));
    c.push_back(Dimmed(Text(PANEL_ISTWERTEINHEIT2, "ISTWERTEINHEIT2", "[V]", {744, 272, 64, 16})));
    c.push_back(Text(PANEL_SOLLWERTEINHEIT2, "SOLLWERTEINHEIT2", "[V]", {744, 188, 64, 16}));
    c.push_back(
        Plain(PANEL_DECORATION, "DECORATION", ControlKind::Decoration, "", {420, 32, 426, 122}));
    c.push_back(Plain(PANEL_DECORATION_2, "DECORATION_2", ControlKind::Decoration, "",
                      {420, 162, 426, 142}));
    c.push_back(Plain(PANEL_DECORATION_3, "DECORATION_3", ControlKind::Decoration, "",
                      {420, 348, 426, 48}));
    c.push_back(Text(PANEL_STELLWERTEINHEIT1, "STELLWERTEINHEIT1", "[V]", {536, 230, 64, 16}));
    c.push_back(Dimmed(Text(PANEL_ISTWERTEINHEIT1, "ISTWERTEINHEIT1", "[V]", {536, 272, 64, 16})));
    c.push_back(Text(PANEL_SOLLWERTEINHEIT1, "SOLLWERTEINHEIT1", "[V]", {536, 188, 64, 16}));
    c.push_back(chart);
    c.push_back(Text(PANEL_ZOOMMINEINHEIT, "ZOOMMINEINHEIT", "[V]", {778, 510, 64, 16}));
    c.push_back(Text(PANEL_ZOOMMAXEINHEIT, "ZOOMMAXEINHEIT", "[V]", {778, 464, 64, 16}));
    return c;
}

// Page of 400 x 320: P, I, D and the limits of the manipulated variable in the
// left column, power-on setpoint, ramp and operating mode in the right one,
// the special function along the bottom.
std::vector<ControlResource> ControllerPageControls() {
    constexpr const char* kEntry = "Callback_Main_Numerics_Parametereingabe";
    std::vector<ControlResource> c;
    c.push_back(Numeric(TABPANEL_PANTEIL, "PANTEIL", Fenster::tr("P-Anteil"), 0, kControllerShare,
                        4, kEntry, {12, 26, 120, 20}));
    c.push_back(Numeric(TABPANEL_IANTEIL, "IANTEIL", Fenster::tr("I-Anteil"), 1, kControllerShare,
                        4, kEntry, {12, 76, 120, 20}));
    c.push_back(Numeric(TABPANEL_DANTEIL, "DANTEIL", Fenster::tr("D-Anteil"), 0,
                        {kControllerShare.min, kControllerShare.max, 0.001}, 4, kEntry,
                        {12, 126, 120, 20}));
    c.push_back(Numeric(TABPANEL_STELLMIN, "STELLMIN", Fenster::tr("min. Stellgröße [V]"), 0, kVolt,
                        3, kEntry, {12, 176, 120, 20}));
    c.push_back(Numeric(TABPANEL_STELLMAX, "STELLMAX", Fenster::tr("max. Stellgröße [V]"), 10,
                        kVolt, 3, kEntry, {12, 226, 120, 20}));
    c.push_back(Numeric(TABPANEL_ANFANGSSOLLWERT_, "ANFANGSSOLLWERT_",
                        Fenster::tr("Sollwert beim\nEinschalten"), 0, kVolt, 3, "",
                        {170, 42, 120, 20}));
    c.push_back(Numeric(TABPANEL_ANSTIEGSZEIT, "ANSTIEGSZEIT",
                        Fenster::tr("max. Anstiegsgeschwindigkeit\ndes Sollwertes"), 1000,
                        {0.0, 1000.0, 1.0}, 3, kEntry, {170, 108, 120, 20}));
    // Unit texts take "[unit]" and "[unit/s]" of up to five characters.
    c.push_back(
        Text(TABPANEL_ANFANGSSOLLWERTEINHEI, "ANFANGSSOLLWERTEINHEI", "[V]", {296, 44, 64, 16}));
    c.push_back(Ring(TABPANEL_BETRIEBSART, "BETRIEBSART", Fenster::tr("Betriebsart"),
                     ValueType::Double,
                     {{Fenster::tr("Digitaler Sollwert"), 1.0},
                      {Fenster::tr("Analoger Sollwert"), 2.0},
                      {Fenster::tr("Stellbetrieb"), 3.0}},
                     "Callback_Main_Ring_Betriebsart", {170, 158, 160, 20}));
    c.push_back(
        Text(TABPANEL_ANSTEIGSZEITEINHEIT, "ANSTEIGSZEITEINHEIT", "[V]", {296, 110, 64, 16}));
    ControlResource modus =
        Plain(TABPANEL_MODUSISTWERTNULL, "MODUSISTWERTNULL", ControlKind::CheckBox,
              Fenster::tr("Stellwert wird Null wenn Istwert gleich Null"), {12, 282, 340, 18});
    modus.type = ValueType::Integer;
    c.push_back(modus);
    c.push_back(
        Text(TABPANEL_TEXTMSG, "TEXTMSG", Fenster::tr("Sonderfunktionen:"), {12, 262, 130, 16}));
    return c;
}

// Info panel (397 x 188): picture top left, name, version, date and maker
// beside it, the description below, OK centred at the bottom.
std::vector<ControlResource> AboutControls() {
    ControlResource picture =
        Plain(ABOUTPANEL_PICTURE, "PICTURE", ControlKind::Picture, "", {12, 10, 88, 80});
    return {
        Text(ABOUTPANEL_TEXTMSG, "TEXTMSG", Fenster::tr("ZAN1B-Steuerung"), {112, 10, 200, 20}),
        Text(ABOUTPANEL_VERSION, "VERSION", "Version", {112, 34, 100, 16}),
        Text(ABOUTPANEL_DATUM, "DATUM", "Datum", {220, 34, 100, 16}),
        Text(ABOUTPANEL_TEXTMSG_4, "TEXTMSG_4", Fenster::tr("VEK Elektronik, Deutschland"),
             {112, 56, 270, 16}),
        Text(ABOUTPANEL_TEXTMSG_5, "TEXTMSG_5",
             Fenster::tr("Mit ZAN1.1-Steuerung können die Regelparameter\neines ZAN-1 "
                         "Regelmoduls mit zwei Reglern eingestellt\nwerden."),
             {12, 98, 375, 48}),
        Button(ABOUTPANEL_OK, "OK", "OK", "Callback_Info_Button_Ok", {161, 154, 74, 26}),
        picture,
    };
}

// Configuration panel (412 x 282): heading, the tab control, three buttons
// along the bottom.
std::vector<ControlResource> KonfigControls() {
    return {
        Text(KONFIGPNL_TEXTMSG, "TEXTMSG", Fenster::tr("Skalierung von Sollwert und Istwert"),
             {12, 10, 388, 18}),
        Button(KONFIGPNL_AUFSTANDARDWERTE, "AUFSTANDARDWERTE",
               Fenster::tr("auf Standardwerte zurücksetzen"),
               "Callback_Konfig_Button_AufStandardwerte", {10, 240, 230, 28}),
        Button(KONFIGPNL_ABBRUCH, "ABBRUCH", Fenster::tr("Abbruch"),
               "Callback_Konfig_Button_Abbruch", {256, 240, 70, 28}),
        Button(KONFIGPNL_OK, "OK", Fenster::tr("Ok"), "Callback_Konfig_Button_Ok",
               {332, 240, 70, 28}),
        TabControl(KONFIGPNL_TAB, {TABKONFIG1, TABKONFIG2}, {10, 36, 392, 190}),
    };
}

// Page of 392 x 166 in three lines: "[min] V bis [max] V am ZAN-1" /
// "wird umgerechnet in" / "[min] bis [max] [unit]", the unit labelled above.
std::vector<ControlResource> KonfigPageControls() {
    ControlResource einheit = StringField(TABKONFIG_SKAL_EINHEIT, "SKAL_EINHEIT",
                                          Fenster::tr("(Einheit)"), {228, 110, 60, 20});
    einheit.defaultText = "V";
    einheit.maxEntryLength = 5;
    // The texts right of the fields make each page read as one sentence.
    const auto sentence = [](ControlResource c) {
        c.labelPosition = userint::LabelPosition::Right;
        return c;
    };
    return {
        sentence(Numeric(TABKONFIG_SKALMIN_VOLT, "SKALMIN_VOLT", Fenster::tr("V bis"), 0, kFree, 3,
                         "", {12, 30, 80, 20})),
        sentence(Numeric(TABKONFIG_SKALMAX_VOLT, "SKALMAX_VOLT", Fenster::tr("V am ZAN-1"), 10,
                         kFree, 3, "", {140, 30, 80, 20})),
        Text(TABKONFIG_TEXTMSG_2, "TEXTMSG_2", Fenster::tr("wird umgerechnet in"),
             {12, 72, 150, 16}),
        sentence(Numeric(TABKONFIG_SKALMIN_UMGERECHNET, "SKALMIN_UMGERECHNET", Fenster::tr("bis"),
                         0, kFree, 3, "", {12, 110, 80, 20})),
        einheit,
        Numeric(TABKONFIG_SKALMAX_UMGERECHNET, "SKALMAX_UMGERECHNET", "", 10, kFree, 3, "",
                {140, 110, 80, 20}),
    };
}

userint::Resource Build() {
    PanelResource main = Panel(PANEL, "PANEL", Fenster::tr("ZAN-1B Steuerung"), 856, 624,
                               "Callback_MainAndKonfig_Panel");
    main.controls = MainControls();
    main.menuBar = MainMenuBar();

    PanelResource about =
        Panel(ABOUTPANEL, "ABOUTPANEL", Fenster::tr("Über ZAN1-Steuerung"), 397, 188, "");
    about.controls = AboutControls();
    about.escapeControl = ABOUTPANEL_OK;

    PanelResource konfig = Panel(KONFIGPNL, "KONFIGPNL", Fenster::tr("Konfiguration"), 412, 282,
                                 "Callback_MainAndKonfig_Panel");
    konfig.controls = KonfigControls();
    konfig.escapeControl = KONFIGPNL_ABBRUCH;

    const ControlResource& mainTab = main.controls.front();
    const ControlResource& konfigTab = konfig.controls.back();
    PanelResource regler1 = Page(TABPANEL1, "TABPANEL1", mainTab);
    PanelResource regler2 = Page(TABPANEL2, "TABPANEL2", mainTab);
    regler1.controls = regler2.controls = ControllerPageControls();
    PanelResource konfig1 = Page(TABKONFIG1, "TABKONFIG1", konfigTab);
    PanelResource konfig2 = Page(TABKONFIG2, "TABKONFIG2", konfigTab);
    konfig1.controls = konfig2.controls = KonfigPageControls();

    userint::Resource resource;
    resource.name = kResourceName;
    resource.panels = {std::move(main),    std::move(about),   std::move(konfig),
                       std::move(regler1), std::move(regler2), std::move(konfig1),
                       std::move(konfig2)};
    AttachCallbacks(resource);
    return resource;
}

}  // namespace

userint::Resource Zan1Resource() {
    return Build();
}

void RegisterZan1Resource() {
    userint::RegisterResource(Zan1Resource());
}
