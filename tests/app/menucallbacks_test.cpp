#include <fstream>

#include "app/menucallbacks.h"
#include "mainwindow.h"
#include "tests/support/tempdir.h"

namespace testsupport {
namespace {

class FileAnswerDialogs : public RecordingDialogs {
  public:
    int selectFile(const userint::FileSelectRequest&, std::string* path) override {
        *path = answer;
        return answer.empty() ? VAL_NO_FILE_SELECTED : VAL_EXISTING_FILE_SELECTED;
    }
    std::string answer;
};

double Num(int panel, int control) {
    double value = 0;
    GetCtrlVal(panel, control, &value);
    return value;
}
std::string Seite(int seite) {
    std::string einheit;
    GetCtrlVal(seite, TABKONFIG_SKAL_EINHEIT, &einheit);
    return std::to_string(Num(seite, TABKONFIG_SKALMIN_VOLT)) + " " +
           std::to_string(Num(seite, TABKONFIG_SKALMAX_VOLT)) + " " +
           std::to_string(Num(seite, TABKONFIG_SKALMIN_UMGERECHNET)) + " " +
           std::to_string(Num(seite, TABKONFIG_SKALMAX_UMGERECHNET)) + " " + einheit;
}
std::string Text(const Konfigstruktur& k) {
    return std::to_string(k.vmin) + " " + std::to_string(k.vmax) + " " +
           std::to_string(k.einheitmin) + " " + std::to_string(k.einheitmax) + " " +
           std::string(Einheit(k));
}
const std::string kStandard = "0.000000 10.000000 0.000000 10.000000 V";
const std::string kProzent = "0.000000 10.000000 0.000000 100.000000 %";

class KonfigPanelTest : public MainWindowBase, public ::testing::Test {
  protected:
    void SetUp() override {
        load();
        userint::SetDialogs(&m_files);
    }
    void TearDown() override { unload(); }

    static void Tippen(int seite, double lo, double hi, const char* einheit) {
        userint::OperatorSetValue(seite, TABKONFIG_SKALMIN_UMGERECHNET, lo);
        userint::OperatorSetValue(seite, TABKONFIG_SKALMAX_UMGERECHNET, hi);
        userint::OperatorSetValue(seite, TABKONFIG_SKAL_EINHEIT, std::string(einheit));
    }
    static void Menu(int item) { ASSERT_TRUE(userint::DispatchMenu(panelHandle, item)); }
    static void Button(int control) {
        ASSERT_TRUE(userint::DispatchCommit(konfigpanelHandle, control));
    }
    static bool Sichtbar() { return userint::FindPanel(konfigpanelHandle)->visible; }
    // Channel 1 on 0..100 % through the panel.
    void Prozent() {
        Menu(MENUBAR_KONFIG_SKALIERUNG);
        Tippen(konfigtabRegler1, 0, 100, "%");
        Button(KONFIGPNL_OK);
        ASSERT_EQ(Text(gKonfig1), kProzent);
    }

    FileAnswerDialogs m_files;
    TemporaryCurrentDirectory m_directory;
};

TEST_F(KonfigPanelTest, SkalierenRefillsThePagesAndShowsThePanel) {
    ASSERT_NO_FATAL_FAILURE(Prozent());
    ASSERT_FALSE(Sichtbar());
    Tippen(konfigtabRegler1, 0, 5, "bar");
    Tippen(konfigtabRegler2, 0, 7, "mm");
    Menu(MENUBAR_KONFIG_SKALIERUNG);
    EXPECT_TRUE(Sichtbar());
    EXPECT_EQ(Seite(konfigtabRegler1), kProzent);
    EXPECT_EQ(Seite(konfigtabRegler2), kStandard);
}

TEST_F(KonfigPanelTest, OkAppliesAndHides) {
    ASSERT_NO_FATAL_FAILURE(Prozent());
    EXPECT_FALSE(Sichtbar());
    EXPECT_EQ(Text(gKonfig2), kStandard);
    std::string einheit;
    GetCtrlVal(panelHandle, PANEL_SOLLWERTEINHEIT1, &einheit);
    EXPECT_EQ(einheit, "[%]");
    EXPECT_TRUE(m_files.popups.empty());
}

TEST_F(KonfigPanelTest, AbbruchDiscardsWhatWasTyped) {
    Menu(MENUBAR_KONFIG_SKALIERUNG);
    Tippen(konfigtabRegler1, 0, 100, "%");
    Button(KONFIGPNL_ABBRUCH);
    EXPECT_FALSE(Sichtbar());
    EXPECT_EQ(Text(gKonfig1), kStandard);
    Menu(MENUBAR_KONFIG_SKALIERUNG);
    EXPECT_EQ(Seite(konfigtabRegler1), kStandard);
}

TEST_F(KonfigPanelTest, StandardwerteFillThePagesOnlyUntilOk) {
    ASSERT_NO_FATAL_FAILURE(Prozent());
    Menu(MENUBAR_KONFIG_SKALIERUNG);
    Button(KONFIGPNL_AUFSTANDARDWERTE);
    EXPECT_EQ(Seite(konfigtabRegler1), kStandard);
    EXPECT_EQ(Text(gKonfig1), kProzent);
    EXPECT_TRUE(Sichtbar());
    Button(KONFIGPNL_ABBRUCH);
    EXPECT_EQ(Text(gKonfig1), kProzent);

    Menu(MENUBAR_KONFIG_SKALIERUNG);
    Button(KONFIGPNL_AUFSTANDARDWERTE);
    Button(KONFIGPNL_OK);
    EXPECT_EQ(Text(gKonfig1), kStandard);
    EXPECT_FALSE(Sichtbar());
}

TEST_F(KonfigPanelTest, DegenerateOkShowsWhyAndKeepsThePanelOpen) {
    ASSERT_NO_FATAL_FAILURE(Prozent());
    Menu(MENUBAR_KONFIG_SKALIERUNG);
    Tippen(konfigtabRegler1, 50, 50, "x");
    Button(KONFIGPNL_OK);
    EXPECT_TRUE(Sichtbar());
    EXPECT_EQ(Text(gKonfig1), kProzent);
    ASSERT_EQ(m_files.popups.size(), 1u);
    EXPECT_EQ(m_files.popups[0].title, "Fehler #500111");
}

struct MenuFall {
    const char* name;
    int item;
    std::string answer;
    std::string datei;       // written before the command when not empty
    std::string popupTitle;  // empty: no popup
};
void PrintTo(const MenuFall& m, std::ostream* os) {
    *os << m.name;
}

class DateiMenuTest : public KonfigPanelTest, public ::testing::WithParamInterface<MenuFall> {};

TEST_P(DateiMenuTest, ShowsANonZeroCodeOnce) {
    if (!GetParam().datei.empty()) std::ofstream(GetParam().answer) << GetParam().datei;
    m_files.answer = GetParam().answer;
    Menu(GetParam().item);
    if (GetParam().popupTitle.empty()) {
        EXPECT_TRUE(m_files.popups.empty());
    } else {
        ASSERT_EQ(m_files.popups.size(), 1u);
        EXPECT_EQ(m_files.popups[0].title, GetParam().popupTitle);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Menu, DateiMenuTest,
    ::testing::Values(MenuFall{"LadenCancelled", MENUBAR_DATEI_PARAMETE, "", "", ""},
                      MenuFall{"LadenWrongType", MENUBAR_DATEI_PARAMETE, "x.zan",
                               std::string(300, 'x'), "Fehler #302105"},
                      MenuFall{"LadenMissing", MENUBAR_DATEI_PARAMETE, "fehlt.zan", "",
                               "Fehler #308103"},
                      MenuFall{"SpeichernCancelled", MENUBAR_DATEI_PARAMETE_2, "", "", ""},
                      MenuFall{"Speichern", MENUBAR_DATEI_PARAMETE_2, "neu.zan", "", ""},
                      MenuFall{"SpeichernNoDirectory", MENUBAR_DATEI_PARAMETE_2, "fehlt/neu.zan",
                               "", "Fehler #308101"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KonfigPanelTest, SavedSetLoadsThroughTheMenu) {
    ASSERT_NO_FATAL_FAILURE(Prozent());
    SetCtrlVal(tabpanelRegler2, TABPANEL_PANTEIL, 7.5);
    m_files.answer = "satz.zan";
    Menu(MENUBAR_DATEI_PARAMETE_2);
    Menu(MENUBAR_KONFIG_SKALIERUNG);
    Button(KONFIGPNL_AUFSTANDARDWERTE);
    Button(KONFIGPNL_OK);
    SetCtrlVal(tabpanelRegler2, TABPANEL_PANTEIL, 1.0);
    Menu(MENUBAR_DATEI_PARAMETE);
    EXPECT_EQ(Text(gKonfig1), kProzent);
    EXPECT_EQ(testsupport::Num(tabpanelRegler2, TABPANEL_PANTEIL), 7.5);
    EXPECT_TRUE(m_files.popups.empty());
}

}  // namespace
}  // namespace testsupport
