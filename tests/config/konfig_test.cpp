#include <fstream>
#include <iterator>
#include <limits>
#include <ostream>
#include <string>

#include "app/menucallbacks.h"
#include "configtest.h"
#include "platform/ini/ini.h"

namespace {

using configtest::C;
using configtest::ConfigTest;
using configtest::Seite;
using configtest::Text;
namespace fs = std::filesystem;

constexpr Konfigstruktur kStandard = {0, 10, 0, 10, "V"};
constexpr Konfigstruktur kLeer = {0, 10, 0, 10, ""};

void Datei(const std::string& keys) {
    std::ofstream(kIniDateiname, std::ios::binary) << "[ZAN1]\r\n" << keys;
}

std::string Bytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class LoadIniFailure : public ConfigTest, public ::testing::WithParamInterface<bool> {};

TEST_P(LoadIniFailure, LeavesControlsAloneAndRecordsAtDefaults) {
    const bool verzeichnis = GetParam();  // a directory in place of the file, else no file
    if (verzeichnis) fs::create_directory(kIniDateiname);
    SetCtrlVal(panelHandle, PANEL_PORT, 3);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, 1.5);
    SetCtrlVal(konfigtabRegler1, TABKONFIG_SKALMAX_UMGERECHNET, 50.0);
    gKonfig1 = {0, 10, 0, 100, "%"};
    EXPECT_EQ(LoadIni(), verzeichnis ? -801110 : -802109);
    EXPECT_EQ(Text(gKonfig1), Text(kStandard));
    EXPECT_EQ(C(panelHandle, PANEL_PORT).number, 3);
    EXPECT_EQ(C(panelHandle, PANEL_GRAPHZOOMMIN).number, 1.5);
    EXPECT_EQ(Seite(konfigtabRegler1), "0 10 0 50 'V'");
    EXPECT_EQ(C(panelHandle, PANEL_SOLLWERT1).max, 10);  // no scaling step
}

INSTANTIATE_TEST_SUITE_P(Files, LoadIniFailure, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Directory" : "Missing"; });

struct Fall {
    const char* keys;
    Konfigstruktur k1, k2;
    int port, adresse;  // both were 2 before
};

void PrintTo(const Fall& f, std::ostream* os) {
    *os << '"' << f.keys << '"';
}

class LoadIniKeys : public ConfigTest, public ::testing::WithParamInterface<Fall> {};

TEST_P(LoadIniKeys, FillRecordsPagesAndRings) {
    SetCtrlVal(panelHandle, PANEL_PORT, 2);
    SetCtrlVal(panelHandle, PANEL_ADRESSE, 2);
    Datei(GetParam().keys);
    EXPECT_EQ(LoadIni(), 0);
    EXPECT_EQ(C(panelHandle, PANEL_PORT).number, GetParam().port);
    EXPECT_EQ(C(panelHandle, PANEL_ADRESSE).number, GetParam().adresse);
    EXPECT_EQ(Text(gKonfig1), Text(GetParam().k1));
    EXPECT_EQ(Text(gKonfig2), Text(GetParam().k2));
    EXPECT_EQ(Seite(konfigtabRegler1), Text(GetParam().k1));
    EXPECT_EQ(Seite(konfigtabRegler2), Text(GetParam().k2));
    EXPECT_EQ(C(panelHandle, PANEL_SOLLWERTEINHEIT2).text,
              "[" + std::string(GetParam().k2.einheit) + "]");
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Files, LoadIniKeys, ::testing::Values(
    Fall{"", kLeer, kLeer, 2, 2},
    Fall{"comport = 9\r\nadresse = 10\r\n", kLeer, kLeer, 2, 2},
    Fall{"comport = 0\r\nadresse = 9\r\n", kLeer, kLeer, 2, 9},
    Fall{"comport = 8\r\nadresse = 3x\r\n", kLeer, kLeer, 8, 2},
    Fall{"vmin1 = 2\r\n", {2, 10, 0, 10, ""}, kLeer, 2, 2},
    Fall{"einheit1 = \"mbar/s\"\r\neinheit2 = \"\xC2\xB5\xC2\xB5\xC2\xB5\"\r\n",
         {0, 10, 0, 10, "mbar/"}, {0, 10, 0, 10, "\xC2\xB5\xC2\xB5"}, 2, 2},
    Fall{"vmin1 = 1\r\nvmax1 = 5\r\neinheitmin1 = 100\r\neinheitmax1 = 0\r\neinheit1 = \"%\"\r\n"
         "vmin2 = -0.5\r\neinheitmin2 = -1.5\r\nvmax2 = 7.5x\r\n",
         {1, 5, 100, 0, "%"}, {-0.5, 7.5, -1.5, 10, ""}, 2, 2},
    // An unusable stored mapping keeps the defaults of its channel.
    Fall{"vmin1 = 5\r\nvmax1 = 5\r\neinheit2 = \"y\"\r\n", kStandard, {0, 10, 0, 10, "y"}, 2, 2},
    Fall{"einheitmin2 = 3\r\neinheitmax2 = 3\r\n", kLeer, kStandard, 2, 2},
    Fall{"vmax1 = inf\r\neinheitmax2 = -Inf\r\n", kStandard, kStandard, 2, 2},
    Fall{"einheitmin1 = nan\r\nvmin2 = NAN\r\n", kStandard, kStandard, 2, 2},
    Fall{"einheitmin2 = -1e308\r\neinheitmax2 = 1e308\r\n", kLeer, kStandard, 2, 2}));
// clang-format on

TEST_F(ConfigTest, DefaultsAreWrittenByteForByte) {
    EXPECT_EQ(WriteIni(), 0);
    EXPECT_EQ(Bytes(kIniDateiname), Bytes(fs::path(ZAN1_CONFIG_GOLDEN) / "defaults.ini"));
}

TEST_F(ConfigTest, SettingsSurviveARestartWithTheZoomInVolts) {
    SetCtrlVal(panelHandle, PANEL_PORT, 5);
    SetCtrlVal(panelHandle, PANEL_ADRESSE, 9);
    const Konfigstruktur k1 = {0, 10, 0, 100, "%"};
    const Konfigstruktur k2 = {-0.5, 9.5, -1.5, 16, "bar"};
    ASSERT_EQ(configtest::Skalieren(k1, k2), 0);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, 20.0);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, 80.0);
    ASSERT_EQ(WriteIni(), 0);
    IniPtr ini = MakeIni(true);
    ASSERT_EQ(Ini_ReadFromFile(ini.get(), kIniDateiname), 0);
    double zoom[2] = {};
    Ini_GetDouble(ini.get(), "ZAN1", "zoommin", &zoom[0]);
    Ini_GetDouble(ini.get(), "ZAN1", "zoommax", &zoom[1]);
    EXPECT_DOUBLE_EQ(zoom[0], 2);
    EXPECT_DOUBLE_EQ(zoom[1], 8);

    ASSERT_TRUE(testsupport::LoadAllPanels());
    ASSERT_EQ(LoadIni(), 0);
    EXPECT_EQ(C(panelHandle, PANEL_PORT).number, 5);
    EXPECT_EQ(C(panelHandle, PANEL_ADRESSE).number, 9);
    EXPECT_EQ(Text(gKonfig1), Text(k1));
    EXPECT_EQ(Text(gKonfig2), Text(k2));
    EXPECT_DOUBLE_EQ(C(panelHandle, PANEL_GRAPHZOOMMIN).number, 20);
    EXPECT_DOUBLE_EQ(C(panelHandle, PANEL_GRAPHZOOMMAX).number, 80);
}

TEST_F(ConfigTest, MissingZoomKeyKeepsTheControl) {
    Datei("zoommax = 6\r\n");
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, 3.0);
    ASSERT_EQ(LoadIni(), 0);
    EXPECT_EQ(C(panelHandle, PANEL_GRAPHZOOMMIN).number, 3);
    EXPECT_EQ(C(panelHandle, PANEL_GRAPHZOOMMAX).number, 6);
}

TEST_F(ConfigTest, UnwritableTargetFails) {
    fs::create_directory(kIniDateiname);
    EXPECT_EQ(WriteIni(), -800108);
}

// "auf Standardwerte zurücksetzen": the pages show the defaults, the records and
// the scaled controls stay.
TEST_F(ConfigTest, DefaultsOnThePagesOnly) {
    ASSERT_EQ(configtest::Skalieren({0, 10, 0, 100, "%"}, {1, 9, 0, 50, "mm"}), 0);
    SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 25.0);
    const auto vorher1 = configtest::Zustand(1);
    const auto vorher2 = configtest::Zustand(2);
    Callback_Konfig_Button_AufStandardwerte(konfigpanelHandle, KONFIGPNL_AUFSTANDARDWERTE,
                                            EVENT_COMMIT);
    EXPECT_EQ(Seite(konfigtabRegler1), Text(kStandard));
    EXPECT_EQ(Seite(konfigtabRegler2), Text(kStandard));
    EXPECT_EQ(configtest::Zustand(1), vorher1);
    EXPECT_EQ(configtest::Zustand(2), vorher2);
    KonfigStrukturZuGui();  // the next opening shows the records again
    EXPECT_EQ(Seite(konfigtabRegler2), "1 9 0 50 'mm'");
}

}  // namespace
