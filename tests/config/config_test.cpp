// The settings file and the parameter file as files: what they hold byte for
// byte, how a save that fails at any step leaves the target, and where a save
// writes when links stand in the way.
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <set>
#include <sstream>
#include <vector>

#include "config/ZAN1Konfig.h"
#include "config/parameterdatei.h"
#include "platform/uniquefd.h"
#include "tests/ini/filefaults.h"
#include "tests/ini/testfiles.h"
#include "tests/support/tempdir.h"

namespace {

const std::filesystem::path kFiles = ZAN1_CONFIG_TESTFILES;
const std::filesystem::path kValid = ZAN1_FUZZ_CORPUS "/valid.zan";

// What the window writes at its end without a file and a change.
Einstellungen Standard() {
    Einstellungen e;
    e.adresse = e.comport = 1;
    e.zoomMinVolt = 0;
    e.zoomMaxVolt = 10;
    return e;
}

class Files : public ::testing::Test {
  protected:
    testsupport::TemporaryCurrentDirectory m_directory;
};

// Defaults byte for byte; settings.ini is written back as it was read; a
// missing file and a folder in its place are told apart.
TEST_F(Files, SettingsAreWrittenAsTheyWereRead) {
    EXPECT_EQ(EinstellungenSchreiben(kIniDateiname, Standard()), 0);
    EXPECT_EQ(testfiles::Bytes(kIniDateiname), testfiles::Bytes(kFiles / "defaults.ini"));
    Einstellungen e;
    ASSERT_EQ(EinstellungenLesen(kFiles / "settings.ini", &e), 0);
    EXPECT_EQ(*e.adresse * 10 + *e.comport, 95);
    ASSERT_EQ(EinstellungenSchreiben(kIniDateiname, e), 0);
    EXPECT_EQ(testfiles::Bytes(kIniDateiname), testfiles::Bytes(kFiles / "settings.ini"));
    std::filesystem::remove(kIniDateiname);
    EXPECT_EQ(EinstellungenLesen(kIniDateiname, &e), kFehlerIniNichtGefunden);
    std::filesystem::create_directory(kIniDateiname);
    EXPECT_EQ(EinstellungenLesen(kIniDateiname, &e), kFehlerIniLesen);
    EXPECT_FALSE(e.adresse || e.comport || e.zoomMinVolt);
}

// A file that loads is saved back byte for byte.
TEST_F(Files, ParameterFilesKeepTheirLayout) {
    Parametersatz satz{};
    ASSERT_EQ(ParametersatzLaden(kValid, &satz), 0);
    ASSERT_EQ(ParametersatzSpeichern("p.zan", satz), 0);
    EXPECT_EQ(testfiles::Bytes("p.zan"), testfiles::Bytes(kValid));
    EXPECT_EQ(ParametersatzLaden("fehlt.zan", &satz), kFehlerParameterdateiLadenOeffnen);
}

// Until the temporary file exists a failure is one of opening, later one of
// writing, also when only the folder's sync after the rename fails. Nothing
// but the target stays behind.
TEST_F(Files, ParameterFileSavesFailingAtAnyStepLeaveOnlyTheTarget) {
    constexpr int kOeffnen = 5, kUmbenennen = 9, kSchritte = 10;
    for (int schritt = 1; schritt <= kSchritte + 1; ++schritt) {
        testfiles::Put("p.zan", "old");
        filefaults::Arm(schritt, filefaults::Fault::kFail, EIO);
        EXPECT_EQ(ParametersatzSpeichern("p.zan", {}),
                  schritt <= kOeffnen    ? kFehlerParameterdateiSpeichernOeffnen
                  : schritt <= kSchritte ? kFehlerParameterdateiSchreiben
                                         : 0)
            << schritt;
        filefaults::Arm(0, filefaults::Fault::kNone, 0);
        EXPECT_EQ(testfiles::Bytes("p.zan") == "old", schritt <= kUmbenennen) << schritt;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator("."), {}), 1) << schritt;
    }
}

template <typename... Args>
std::string Format(const char* format, Args... args) {
    char text[512];
    std::snprintf(text, sizeof text, format, args...);
    return text;
}

// The current folder as data/zieldateien.txt writes it, `ziel` named T.
std::string Verzeichnis(const std::string& ziel) {
    std::set<std::string> eintraege;
    for (const auto& e : std::filesystem::recursive_directory_iterator(".")) {
        std::string name = e.path().lexically_relative(".").string();
        if (name.starts_with(ziel)) name.replace(0, ziel.size(), "T");
        const auto modus = static_cast<unsigned>(e.symlink_status().permissions());
        if (e.is_symlink())
            eintraege.insert(name + " -> " + std::filesystem::read_symlink(e).string());
        else if (e.is_fifo())
            eintraege.insert(name + " fifo");
        else if (e.is_regular_file())
            eintraege.insert(Format("%s %04o %s", name.c_str(), modus,
                                    testfiles::Bytes(e.path()) == "old" ? "old" : "new"));
    }
    std::string text;
    for (const auto& e : eintraege)
        text += (text.empty() ? "" : ", ") + e;
    return text;
}

// Both files write through links, keep modes, never follow what is planted at
// a temporary name and refuse a FIFO, even one with a reader, untouched.
TEST_F(Files, SavesReplaceOnlyTheFileALinkEndsIn) {
    ::umask(022);
    for (const auto& f : testfiles::Cases(kFiles / "zieldateien.txt", 4, 10)) {
        for (const std::string ziel : {"T", kIniDateiname}) {
            SCOPED_TRACE(f[0] + " " + ziel);
            testsupport::TemporaryCurrentDirectory ordner;
            std::filesystem::create_directory("sub");
            std::vector<platform::UniqueFd> leser;
            std::string art, name, wert;
            for (std::istringstream anlegen(f[1]); anlegen >> art >> name;) {
                if (name.starts_with("T")) name.replace(0, 1, ziel);
                if (art == "fifo")
                    ::mkfifo(name.c_str(), 0644),
                        leser.emplace_back(::open(name.c_str(), O_RDONLY | O_NONBLOCK));
                else if (anlegen >> wert; art == "file")
                    testfiles::Put(name, "old"), ::chmod(name.c_str(), std::stoi(wert, nullptr, 8));
                else
                    std::filesystem::create_symlink(wert, name);
            }
            EXPECT_EQ(ziel == "T" ? ParametersatzSpeichern(ziel, {})
                                  : EinstellungenSchreiben(ziel, Standard()),
                      std::stoi(f[ziel == "T" ? 2 : 3]));
            EXPECT_EQ(Verzeichnis(ziel), f[4]);
        }
    }
}

}  // namespace
