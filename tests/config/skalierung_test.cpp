#include <limits>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "configtest.h"

// Parameter names in test output; internal, found by argument-dependent lookup.
static void PrintTo(const Konfigstruktur& k, std::ostream* os) {
    *os << configtest::Text(k);
}

namespace {

using configtest::C;
using configtest::ConfigTest;
using configtest::Format;
using configtest::Skalieren;
using configtest::Text;

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr Konfigstruktur kStandard = {0, 10, 0, 10, "V"};
const userint::ControlState& Chart() {
    return C(panelHandle, PANEL_STRIPCHART);
}

// Quotient first, then the product, then the offset: other orders round differently.
TEST(Umrechnen, KeepsTheOrderOfOperations) {
    EXPECT_EQ(Umrechnen_VoltZuBenutzereinheit(5, {0, 3, 0, 1, ""}), 1.6666666666666665);
    EXPECT_EQ(Umrechnen_VoltZuBenutzereinheit(5.5, {0.1, 0.7, 0.3, 2.9, ""}), 23.700000000000006);
    EXPECT_EQ(Umrechnen_BenutzereinheitZuVolt(5, {0, 1, 0, 3, ""}), 1.6666666666666665);
    EXPECT_EQ(Umrechnen_BenutzereinheitZuVolt(5.5, {0.3, 2.9, 0.1, 0.7, ""}), 23.700000000000006);
}

TEST(Kanalpraezision, KeepsA4095thVisible) {
    for (const auto& [spanne, stellen] : {std::pair{10.0, 3},
                                          {1.0, 4},
                                          {100.0, 2},
                                          {1000.0, 1},
                                          {4095.0, 0},
                                          {1e6, 0},
                                          {-10.0, 3},
                                          {0.05, 5}}) {
        EXPECT_EQ(Kanalpraezision(spanne), stellen) << spanne;
    }
}

// Setpoint at power-on and setpoint range, ramp range, precisions (power-on,
// setpoint, actual value), setpoint increment, unit labels.
std::string Kanal(int n) {
    const int t = n == 1 ? tabpanelRegler1 : tabpanelRegler2;
    const auto& anfang = C(t, TABPANEL_ANFANGSSOLLWERT_);
    const auto& rampe = C(t, TABPANEL_ANSTIEGSZEIT);
    const auto& soll = C(panelHandle, n == 1 ? PANEL_SOLLWERT1 : PANEL_SOLLWERT2);
    return Format(
        "%g..%g %g..%g ramp %g..%g p%d%d%d i%g %s%s%s%s", anfang.min, anfang.max, soll.min,
        soll.max, rampe.min, rampe.max, anfang.precision, soll.precision,
        C(panelHandle, n == 1 ? PANEL_ISTWERT1 : PANEL_ISTWERT2).precision, soll.increment,
        C(t, TABPANEL_ANFANGSSOLLWERTEINHEI).text.c_str(),
        C(t, TABPANEL_ANSTEIGSZEITEINHEIT).text.c_str(),
        C(panelHandle, n == 1 ? PANEL_SOLLWERTEINHEIT1 : PANEL_SOLLWERTEINHEIT2).text.c_str(),
        C(panelHandle, n == 1 ? PANEL_ISTWERTEINHEIT1 : PANEL_ISTWERTEINHEIT2).text.c_str());
}

std::string Zoom() {
    const auto& lo = C(panelHandle, PANEL_GRAPHZOOMMIN);
    const auto& hi = C(panelHandle, PANEL_GRAPHZOOMMAX);
    return Format("%g..%g %g..%g %s%s %s", lo.min, lo.max, hi.min, hi.max,
                  C(panelHandle, PANEL_ZOOMMINEINHEIT).text.c_str(),
                  C(panelHandle, PANEL_ZOOMMAXEINHEIT).text.c_str(), Chart().yName.c_str());
}

struct Skalierung {
    Konfigstruktur k1, k2;
    const char *kanal1, *kanal2, *zoom;
};

void PrintTo(const Skalierung& s, std::ostream* os) {
    *os << Text(s.k1) << " / " << Text(s.k2);
}

class Skalierungen : public ConfigTest, public ::testing::WithParamInterface<Skalierung> {};

TEST_P(Skalierungen, PresentEveryScaledControl) {
    ASSERT_EQ(Skalieren(GetParam().k1, GetParam().k2), 0);
    EXPECT_EQ(Text(gKonfig1), Text(GetParam().k1));
    EXPECT_EQ(Text(gKonfig2), Text(GetParam().k2));
    EXPECT_EQ(Kanal(1), GetParam().kanal1);
    EXPECT_EQ(Kanal(2), GetParam().kanal2);
    EXPECT_EQ(Zoom(), GetParam().zoom);
}

constexpr const char* kVolt = "0..10 0..10 ramp 0..1000 p333 i1 [V][V/s][V][V]";

// clang-format off
INSTANTIATE_TEST_SUITE_P(Mappings, Skalierungen, ::testing::Values(
    Skalierung{kStandard, kStandard, kVolt, kVolt, "0..10 0..10 [V][V] Istwert [V]"},
    Skalierung{{0, 10, 0, 1, "bar"}, kStandard,
               "0..1 0..1 ramp 0..100 p444 i0.1 [bar][bar/s][bar][bar]", kVolt,
               "0..10 0..10 [bar][bar] Istwert [bar]"},
    Skalierung{{0, 10, 100, 0, "%"}, kStandard,
               "0..100 0..100 ramp -9900..100 p222 i10 [%][%/s][%][%]", kVolt,
               "0..100 0..100 [%][%] Istwert [%]"},
    Skalierung{{0, 10, 0, 1000, "mm"}, {0, 10, 0, 1, "m"},
               "0..1000 0..1000 ramp 0..100000 p111 i100 [mm][mm/s][mm][mm]",
               "0..1 0..1 ramp 0..100 p444 i0.1 [m][m/s][m][m]",
               "0..1000 0..1000 [mm][mm] Istwert [mm]"},
    Skalierung{{2, 10, 0, 10, "x"}, {0, 10, 100, 200, "u"},
               "-2.5..10 -2.5..10 ramp -2.5..1247.5 p333 i1.25 [x][x/s][x][x]",
               "100..200 100..200 ramp 100..10100 p222 i10 [u][u/s][u][u]",
               "-2.5..200 -2.5..200 [x][x] Istwert [x]"}));
// clang-format on

TEST_F(ConfigTest, ValuesAreReexpressedInTheNewUnit) {
    SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 5.0);
    SetCtrlVal(panelHandle, PANEL_ISTWERT1, 10.0);
    SetCtrlVal(tabpanelRegler1, TABPANEL_ANFANGSSOLLWERT_, 2.0);
    SetCtrlVal(panelHandle, PANEL_SOLLWERT2, 5.0);
    ASSERT_EQ(Skalieren({0, 10, 0, 1, "bar"}, kStandard), 0);
    EXPECT_DOUBLE_EQ(C(panelHandle, PANEL_SOLLWERT1).number, 0.5);
    EXPECT_DOUBLE_EQ(C(panelHandle, PANEL_ISTWERT1).number, 1);
    EXPECT_DOUBLE_EQ(C(tabpanelRegler1, TABPANEL_ANFANGSSOLLWERT_).number, 0.2);
    EXPECT_DOUBLE_EQ(C(tabpanelRegler1, TABPANEL_ANSTIEGSZEIT).number, 100);
    EXPECT_EQ(C(panelHandle, PANEL_SOLLWERT2).number, 5);
    SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 0.2);  // 2 V
    ASSERT_EQ(Skalieren({0, 10, 100, 0, "%"}, kStandard), 0);
    EXPECT_DOUBLE_EQ(C(panelHandle, PANEL_SOLLWERT1).number, 80);
}

// The zoom limits are written before their range is widened; the axis takes
// them as they were.
TEST_F(ConfigTest, ZoomLimitsMeetTheOldRangeButTheAxisTheNewOne) {
    ASSERT_EQ(Skalieren(kStandard, kStandard), 0);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, 2.0);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, 10.0);
    ASSERT_EQ(Skalieren({0, 10, 0, 100, "%"}, kStandard), 0);
    EXPECT_EQ(C(panelHandle, PANEL_GRAPHZOOMMIN).number, 10);  // 20 met 0..10
    EXPECT_EQ(C(panelHandle, PANEL_GRAPHZOOMMAX).number, 10);
    EXPECT_EQ(Format("%g..%g", Chart().axisMin, Chart().axisMax), "20..100");
}

TEST_F(ConfigTest, AShrinkingUnionClampsTheAxis) {
    ASSERT_EQ(Skalieren(kStandard, {0, 10, 0, 500, "mm"}), 0);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, 400.0);
    ASSERT_EQ(Skalieren(kStandard, kStandard), 0);
    EXPECT_EQ(C(panelHandle, PANEL_GRAPHZOOMMAX).number, 10);
    EXPECT_EQ(Format("%g..%g", Chart().axisMin, Chart().axisMax), "0..10");
}

class Unbrauchbar : public ConfigTest,
                    public ::testing::WithParamInterface<std::tuple<int, Konfigstruktur>> {};

TEST_P(Unbrauchbar, KeepsItsChannelAndAdoptsTheOther) {
    const auto& [kanal, konfig] = GetParam();
    const Konfigstruktur alt[] = {{0, 10, 0, 100, "%"}, {0, 10, 0, 50, "mm"}};
    ASSERT_EQ(Skalieren(alt[0], alt[1]), 0);
    SetCtrlVal(panelHandle, kanal == 1 ? PANEL_SOLLWERT1 : PANEL_SOLLWERT2, 25.0);
    SetCtrlVal(panelHandle, kanal == 1 ? PANEL_ISTWERT1 : PANEL_ISTWERT2, 40.0);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, 40.0);
    ASSERT_EQ(Skalieren(alt[0], alt[1]), 0);  // the axis follows the zoom
    const auto vorher = configtest::Zustand(kanal);
    // The other channel's new mapping leaves the zoom range as it was.
    const Konfigstruktur anders = {0, 10, 0, 20, "cm"};
    EXPECT_EQ(Skalieren(kanal == 1 ? konfig : anders, kanal == 1 ? anders : konfig),
              kanal == 1 ? -500111 : -500112);
    EXPECT_EQ(Text(kanal == 1 ? gKonfig1 : gKonfig2), Text(alt[kanal - 1]));
    EXPECT_EQ(configtest::Zustand(kanal), vorher);
    EXPECT_EQ(Text(kanal == 1 ? gKonfig2 : gKonfig1), Text(anders));
    EXPECT_EQ(C(panelHandle, kanal == 1 ? PANEL_SOLLWERT2 : PANEL_SOLLWERT1).max, 20);
}

// NaN cannot be typed into a page; the settings-file tests cover it.
INSTANTIATE_TEST_SUITE_P(
    Records, Unbrauchbar,
    ::testing::Combine(::testing::Values(1, 2),
                       ::testing::Values(Konfigstruktur{5, 5, 0, 10, "a"},
                                         Konfigstruktur{0, 10, 3, 3, "a"},
                                         Konfigstruktur{0, kInf, 0, 10, "a"},
                                         Konfigstruktur{0, 10, -kInf, 10, "a"},
                                         Konfigstruktur{0, 10, -1e308, 1e308, "a"},
                                         Konfigstruktur{0, 1e-310, 0, 10, "a"})));

TEST_F(ConfigTest, BothUnusableReportsChannel1AndKeepsBoth) {
    EXPECT_EQ(Skalieren({1, 1, 0, 10, "a"}, {0, 10, 2, 2, "b"}), -500111);
    EXPECT_EQ(Text(gKonfig1), Text(kStandard));
    EXPECT_EQ(Text(gKonfig2), Text(kStandard));
}

class SetPrecisionTable : public ConfigTest,
                          public ::testing::WithParamInterface<std::pair<double, int>> {};

// P of page 1 and D of page 2 get the value; the other fields hold 0 (4 decimals).
TEST_P(SetPrecisionTable, FollowsTheMagnitude) {
    const auto [wert, stellen] = GetParam();
    std::string erwartet;
    std::string ist;
    for (const int seite : {tabpanelRegler1, tabpanelRegler2}) {
        for (const int feld : {TABPANEL_PANTEIL, TABPANEL_IANTEIL, TABPANEL_DANTEIL}) {
            const bool mit = (seite == tabpanelRegler1 && feld == TABPANEL_PANTEIL) ||
                             (seite == tabpanelRegler2 && feld == TABPANEL_DANTEIL);
            SetCtrlVal(seite, feld, mit ? wert : 0.0);
            SetCtrlAttribute(seite, feld, ATTR_PRECISION, 0);
            erwartet += std::to_string(mit ? stellen : 4);
        }
    }
    SetPrecision();
    for (const int seite : {tabpanelRegler1, tabpanelRegler2}) {
        for (const int feld : {TABPANEL_PANTEIL, TABPANEL_IANTEIL, TABPANEL_DANTEIL}) {
            ist += std::to_string(C(seite, feld).precision);
        }
    }
    EXPECT_EQ(ist, erwartet);
}

INSTANTIATE_TEST_SUITE_P(Values, SetPrecisionTable,
                         ::testing::Values(std::pair{9.99, 4}, std::pair{10.0, 3},
                                           std::pair{-150.0, 2}, std::pair{12345.0, 0},
                                           std::pair{999.99, 2}, std::pair{-1000.0, 1}));

}  // namespace
