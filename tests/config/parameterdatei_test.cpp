#include <sys/stat.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <limits>

#include "config/parameterdatei.h"
#include "configtest.h"
#include "platform/userint/view.h"

namespace configtest {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class FileDialogs : public userint::Dialogs {
  public:
    void message(const std::string&, const std::string& text) override { messages.push_back(text); }
    int selectFile(const userint::FileSelectRequest& request, std::string* path) override {
        requests.push_back(request);
        *path = answer;
        return answer.empty() ? VAL_NO_FILE_SELECTED : VAL_NEW_FILE_SELECTED;
    }
    std::string answer;
    std::vector<userint::FileSelectRequest> requests;
    std::vector<std::string> messages;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}
template <typename T>
void Put(std::string* bytes, std::size_t offset, T value) {
    std::memcpy(bytes->data() + offset, &value, sizeof value);
}

// The nine controls of a controller page and what they hold, in file order.
constexpr int kRegler[] = {TABPANEL_PANTEIL,      TABPANEL_IANTEIL,     TABPANEL_DANTEIL,
                           TABPANEL_STELLMIN,     TABPANEL_STELLMAX,    TABPANEL_ANFANGSSOLLWERT_,
                           TABPANEL_ANSTIEGSZEIT, TABPANEL_BETRIEBSART, TABPANEL_MODUSISTWERTNULL};
using Werte = std::array<double, 9>;
constexpr Werte kWerte1 = {2.5, 0.75, 0.125, 1.5, 9.25, 4.0, 250.0, 3.0, 1.0};
constexpr Werte kWerte2 = {1.25, 3.5, 0.5, 0.25, 8.5, 6.0, 500.0, 2.0, 0.0};

void ReglerSetzen(int seite, const Werte& w) {
    for (std::size_t i = 0; i < w.size(); ++i) {
        if (kRegler[i] == TABPANEL_MODUSISTWERTNULL) {
            ASSERT_EQ(SetCtrlVal(seite, kRegler[i], static_cast<int>(w[i])), 0);
        } else {
            ASSERT_EQ(SetCtrlVal(seite, kRegler[i], w[i]), 0) << kRegler[i];
        }
    }
}
Werte Regler(int seite) {
    Werte w{};
    for (std::size_t i = 0; i < w.size(); ++i)
        w[i] = C(seite, kRegler[i]).number;
    return w;
}
// Sets the zoom and re-applies the scaling in force, which sets the chart axis.
void ZoomSetzen(double lo, double hi) {
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMIN, lo);
    SetCtrlVal(panelHandle, PANEL_GRAPHZOOMMAX, hi);
    KonfigStrukturZuGui();
    ASSERT_EQ(NeueSkalierungSetzen(), 0);
}

// A valid file built from the layout, not from the record type: channel 1
// 0..10 V onto 0..100 "°C" (Windows-1252), channel 2 the default.
std::string HandFile() {
    std::string b(280, '\0');
    std::memcpy(b.data(), "vek zan1_1 parameterdatei", 25);
    Put<std::int32_t>(&b, 32, 1);
    for (std::size_t i = 0; i < 8; ++i) {
        Put(&b, 40 + 8 * i, kWerte1[i]);
        Put(&b, 112 + 8 * i, kWerte2[i]);
    }
    Put<std::int32_t>(&b, 104, 1);
    Put<std::int32_t>(&b, 176, 0);
    for (const auto& [offset, hi] : {std::pair{184, 100.0}, std::pair{224, 10.0}}) {
        Put(&b, offset, 0.0);
        Put(&b, offset + 8, 10.0);
        Put(&b, offset + 16, 0.0);
        Put(&b, offset + 24, hi);
    }
    b.replace(216, 2,
              "\xB0"
              "C");
    b[256] = 'V';
    Put(&b, 264, 20.0);
    Put(&b, 272, 80.0);
    return b;
}

// Everything a load may change.
std::vector<std::string> Alles() {
    std::vector<std::string> s = {Text(gKonfig1), Text(gKonfig2), Seite(konfigtabRegler1),
                                  Seite(konfigtabRegler2)};
    for (int kanal : {1, 2}) {
        for (const std::string& line : Zustand(kanal))
            s.push_back(line);
        for (double w : Regler(kanal == 1 ? tabpanelRegler1 : tabpanelRegler2))
            s.push_back(Format("%.17g", w));
    }
    return s;
}

class ParameterdateiTest : public ConfigTest {
  protected:
    void SetUp() override {
        ConfigTest::SetUp();
        userint::SetDialogs(&m_dialogs);
    }
    void TearDown() override { userint::SetDialogs(nullptr); }
    int Speichern(const std::string& path) {
        m_dialogs.answer = path;
        return SchreibeParameterInDatei();
    }
    int Laden(const std::string& path) {
        m_dialogs.answer = path;
        return LeseParameterAusDatei();
    }
    // The state of HandFile() on the panels.
    void HandFileState() {
        ASSERT_EQ(Skalieren({0, 10, 0, 100,
                             "\xC2\xB0"
                             "C"},
                            {0, 10, 0, 10, "V"}),
                  0);
        ReglerSetzen(tabpanelRegler1, kWerte1);
        ReglerSetzen(tabpanelRegler2, kWerte2);
        ZoomSetzen(20, 80);
    }

    FileDialogs m_dialogs;
};

TEST_F(ParameterdateiTest, RoundTripWithDefaultScalingRestoresEveryControl) {
    ReglerSetzen(tabpanelRegler1, kWerte1);
    ReglerSetzen(tabpanelRegler2, kWerte2);
    ZoomSetzen(2, 8);
    const std::vector<std::string> gespeichert = Alles();
    ASSERT_EQ(Speichern("a.zan"), 0);
    ReglerSetzen(tabpanelRegler1, kWerte2);
    ReglerSetzen(tabpanelRegler2, kWerte1);
    ZoomSetzen(1, 9);
    ASSERT_EQ(Laden("a.zan"), 0);
    EXPECT_EQ(Alles(), gespeichert);
    EXPECT_FALSE(std::filesystem::exists("a.zan.tmp"));
}

TEST_F(ParameterdateiTest, RoundTripBringsBackTheSavedScalingAndNumbers) {
    ASSERT_EQ(Skalieren({0, 10, 0, 100, "%"}, {0, 10, 0, 10, "V"}), 0);
    ReglerSetzen(tabpanelRegler1, {2.5, 0.75, 0.125, 1.5, 9.25, 40.0, 2500.0, 1.0, 0.0});
    SetCtrlVal(panelHandle, PANEL_SOLLWERT1, 50.0);
    ZoomSetzen(20, 80);
    ASSERT_EQ(Speichern("p.zan"), 0);
    ASSERT_EQ(Skalieren({0, 10, 0, 1, "bar"}, {0, 10, 0, 10, "V"}), 0);
    ASSERT_DOUBLE_EQ(C(tabpanelRegler1, TABPANEL_ANFANGSSOLLWERT_).number, 0.4);

    ASSERT_EQ(Laden("p.zan"), 0);
    EXPECT_EQ(Text(gKonfig1), "0 10 0 100 '%'");
    EXPECT_EQ(Seite(konfigtabRegler1), "0 10 0 100 '%'");
    EXPECT_EQ(Regler(tabpanelRegler1),
              (Werte{2.5, 0.75, 0.125, 1.5, 9.25, 40.0, 2500.0, 1.0, 0.0}));
    EXPECT_EQ(C(panelHandle, PANEL_GRAPHZOOMMIN).number, 20.0);
    EXPECT_EQ(C(panelHandle, PANEL_GRAPHZOOMMAX).number, 80.0);
    EXPECT_EQ(C(panelHandle, PANEL_SOLLWERTEINHEIT1).text, "[%]");
    EXPECT_EQ(C(tabpanelRegler1, TABPANEL_ANFANGSSOLLWERT_).max, 100.0);
    // Not in the file: keeps the number it had under "bar".
    EXPECT_DOUBLE_EQ(C(panelHandle, PANEL_SOLLWERT1).number, 0.5);
}

TEST_F(ParameterdateiTest, WrittenBytesMatchTheLayoutAndAHandBuiltFileLoads) {
    HandFileState();
    ASSERT_EQ(Speichern("hand.zan"), 0);
    EXPECT_EQ(ReadFile("hand.zan"), HandFile());
    const std::vector<std::string> erwartet = Alles();

    ASSERT_TRUE(testsupport::LoadAllPanels());
    KonfigstrukturAufStandardwerte();
    WriteFile("von-hand.zan", HandFile());
    ASSERT_EQ(Laden("von-hand.zan"), 0);
    EXPECT_EQ(Alles(), erwartet);
    EXPECT_EQ(Text(gKonfig1),
              "0 10 0 100 '\xC2\xB0"
              "C'");
}

struct Damage {
    const char* name;
    std::function<void(std::string*)> apply;
    int code;
};
void PrintTo(const Damage& d, std::ostream* os) {
    *os << d.name;
}

class RefusedFileTest : public ParameterdateiTest, public ::testing::WithParamInterface<Damage> {};

TEST_P(RefusedFileTest, ReturnsItsCodeAndChangesNothing) {
    ASSERT_EQ(Skalieren({0, 10, 0, 1, "bar"}, {0, 10, 10, 0, "mm"}), 0);
    ReglerSetzen(tabpanelRegler1, kWerte2);
    const std::vector<std::string> vorher = Alles();
    std::string bytes = HandFile();
    GetParam().apply(&bytes);
    WriteFile("f.zan", bytes);
    EXPECT_EQ(Laden("f.zan"), GetParam().code);
    EXPECT_EQ(Alles(), vorher);
}

std::function<void(std::string*)> Length(std::size_t n) {
    return [n](std::string* b) { b->resize(n); };
}
std::function<void(std::string*)> Real(std::size_t offset, double value) {
    return [=](std::string* b) { Put(b, offset, value); };
}

INSTANTIATE_TEST_SUITE_P(
    Parameterdatei, RefusedFileTest,
    ::testing::Values(
        Damage{"Bytes20", Length(20), kFehlerParameterdateiKopfLesen},
        Damage{"Bytes35", Length(35), kFehlerParameterdateiKopfLesen},
        Damage{"Bytes36", Length(36), kFehlerParameterdateiLesen},
        Damage{"Bytes279", Length(279), kFehlerParameterdateiLesen},
        Damage{"OtherText", [](std::string* b) { b->replace(0, 4, "VEK "); },
               kFehlerParameterdateiTyp},
        Damage{"NoTerminator", [](std::string* b) { (*b)[25] = 'x'; }, kFehlerParameterdateiTyp},
        Damage{"Version2", [](std::string* b) { Put<std::int32_t>(b, 32, 2); },
               kFehlerParameterdateiVersion},
        Damage{"Version0Short", [](std::string* b) { Put<std::int32_t>(b, 32, 0), b->resize(40); },
               kFehlerParameterdateiVersion},
        Damage{"NaNVmin1", Real(184, kNaN), kFehlerParameterdateiInhalt},
        Damage{"InfEinheitmax2", Real(224 + 24, kInf), kFehlerParameterdateiInhalt},
        Damage{"VminIsVmax1", Real(184, 10.0), kFehlerParameterdateiInhalt},
        Damage{"FlatUnit2", Real(224 + 16, 10.0), kFehlerParameterdateiInhalt},
        Damage{"NaNPAnteil1", Real(40, kNaN), kFehlerParameterdateiInhalt},
        Damage{"InfAnfangssollwert2", Real(112 + 40, -kInf), kFehlerParameterdateiInhalt},
        Damage{"NaNBetriebsart2", Real(112 + 56, kNaN), kFehlerParameterdateiInhalt},
        Damage{"InfZoommax", Real(272, kInf), kFehlerParameterdateiInhalt}),
    [](const auto& info) { return std::string(info.param.name); });

// Bytes without meaning and bytes after the record are ignored.
class ToleratedFileTest : public ParameterdateiTest,
                          public ::testing::WithParamInterface<Damage> {};

TEST_P(ToleratedFileTest, LoadsLikeTheCleanFile) {
    HandFileState();
    const std::vector<std::string> erwartet = Alles();
    ASSERT_TRUE(testsupport::LoadAllPanels());
    KonfigstrukturAufStandardwerte();
    std::string bytes = HandFile();
    GetParam().apply(&bytes);
    WriteFile("t.zan", bytes);
    ASSERT_EQ(Laden("t.zan"), 0);
    EXPECT_EQ(Alles(), erwartet);
}

INSTANTIATE_TEST_SUITE_P(
    Parameterdatei, ToleratedFileTest,
    ::testing::Values(Damage{"LongerFile", [](std::string* b) { b->append(100, '\xFF'); }, 0},
                      Damage{"FreeBytes",
                             [](std::string* b) {
                                 for (auto [from, to] : {std::pair{26, 32},
                                                         {36, 40},
                                                         {108, 112},
                                                         {180, 184},
                                                         {219, 224},
                                                         {258, 264}})
                                     for (int i = from; i < to; ++i)
                                         (*b)[i] = '\x5A';
                             },
                             0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ParameterdateiTest, CancelledDialogsChangeNothing) {
    ReglerSetzen(tabpanelRegler1, kWerte1);
    const std::vector<std::string> vorher = Alles();
    EXPECT_EQ(Speichern(""), 0);
    EXPECT_EQ(Laden(""), 0);
    EXPECT_EQ(Alles(), vorher);
    EXPECT_TRUE(std::filesystem::is_empty(m_directory.path()));

    ASSERT_EQ(m_dialogs.requests.size(), 2u);
    const userint::FileSelectRequest& s = m_dialogs.requests[0];
    const userint::FileSelectRequest& l = m_dialogs.requests[1];
    EXPECT_EQ(std::tie(s.title, s.pattern, s.directory, s.fileTypeList),
              std::tie("Speichern", "*.zan", "", ""));
    EXPECT_EQ(std::tie(l.title, l.pattern, l.directory, l.fileTypeList),
              std::tie("Laden", "*.zan", "", ""));
    EXPECT_EQ(s.buttonKind, VAL_SAVE_BUTTON);
    EXPECT_EQ(l.buttonKind, VAL_LOAD_BUTTON);
    EXPECT_TRUE(s.restrictExtension && s.allowCancel && s.allowMakeDirectory &&
                !s.restrictDirectory);
    EXPECT_TRUE(l.restrictExtension && l.allowCancel && !l.allowMakeDirectory);
}

TEST_F(ParameterdateiTest, FailedSaveKeepsTheOldFile) {
    WriteFile("alt.zan", HandFile());
    std::filesystem::create_directory("alt.zan.tmp");
    std::filesystem::create_directory("ordner.zan");
    EXPECT_EQ(Speichern("alt.zan"), kFehlerParameterdateiSpeichernOeffnen);
    EXPECT_EQ(Speichern("ordner.zan"), kFehlerParameterdateiSpeichernOeffnen);
    EXPECT_EQ(Speichern("fehlt/neu.zan"), kFehlerParameterdateiSpeichernOeffnen);
    EXPECT_EQ(ReadFile("alt.zan"), HandFile());
    EXPECT_EQ(Laden("fehlt.zan"), kFehlerParameterdateiLadenOeffnen);
}

TEST_F(ParameterdateiTest, SaveReplacesAnExistingFileAndKeepsItsMode) {
    WriteFile("alt.zan", "old");
    ::chmod("alt.zan", 0600);
    HandFileState();
    ASSERT_EQ(Speichern("alt.zan"), 0);
    EXPECT_EQ(ReadFile("alt.zan"), HandFile());
    struct stat info {};
    ASSERT_EQ(::stat("alt.zan", &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_FALSE(std::filesystem::exists("alt.zan.tmp"));
}

struct Einheitfall {
    const char* name;
    std::string datei;  // the 8-byte field, NUL-padded
    std::string utf8;
};
void PrintTo(const Einheitfall& e, std::ostream* os) {
    *os << e.name;
}

class EinheitTest : public ::testing::TestWithParam<Einheitfall> {};

TEST_P(EinheitTest, FileFieldReadsAsUtf8) {
    std::array<char, 8> feld{};
    std::memcpy(feld.data(), GetParam().datei.data(),
                std::min<std::size_t>(8, GetParam().datei.size()));
    Konfigstruktur k{};
    std::memset(k.einheit, 'x', sizeof k.einheit);
    EinheitAusDatei(feld, &k);
    EXPECT_EQ(Einheit(k), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(Parameterdatei, EinheitTest,
                         ::testing::Values(Einheitfall{"Cp1252Degree",
                                                       "\xB0"
                                                       "C",
                                                       "\xC2\xB0"
                                                       "C"},
                                           Einheitfall{"Utf8Degree",
                                                       "\xC2\xB0"
                                                       "C",
                                                       "\xC2\xB0"
                                                       "C"},
                                           Einheitfall{"Unterminated", "mbar/sXY", "mbar/"},
                                           Einheitfall{"EuroSign", "\x80", "\xE2\x82\xAC"},
                                           Einheitfall{"UnassignedByte",
                                                       "\x81"
                                                       "A",
                                                       "?A"},
                                           Einheitfall{"LoneLeadByte",
                                                       "\xC3"
                                                       "x",
                                                       "\xC3\x83x"},
                                           Einheitfall{"CutBeforeSplit", "\xB5m/s\xB2",
                                                       "\xC2\xB5m/s"},
                                           Einheitfall{"Empty", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EinheitFuerDateiTest, WritesWindows1252) {
    const auto feld = [](const char* utf8) {
        Konfigstruktur k{};
        EinheitSetzen(&k, utf8);
        const std::array<char, 8> f = EinheitFuerDatei(k);
        return std::string(f.data(), f.size());
    };
    EXPECT_EQ(feld("\xC2\xB0"
                   "C"),
              std::string("\xB0"
                          "C\0\0\0\0\0\0",
                          8));
    EXPECT_EQ(feld("\xE2\x82\xAC/h"), std::string("\x80/h\0\0\0\0\0", 8));
    EXPECT_EQ(feld("\xCE\xA9m"), std::string("?m\0\0\0\0\0\0", 8));  // no Omega in 1252
    EXPECT_EQ(feld("mbar/"), std::string("mbar/\0\0\0", 8));
}

}  // namespace
}  // namespace configtest
