// Message texts, popups and the main window's error display. The cases of
// texts and popups are the lines of cases.txt.
#include <gtest/gtest.h>
#include <netdb.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>

#include "errors/VEK_errorV3.h"
#include "errors/errordisplay.h"
#include "errors/fehlertext.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/rs232/linetrace.h"
#include "platform/rs232/portfailure.h"
#include "platform/userint/model.h"
#include "platform/userint/view.h"
#include "tests/support/panels.h"

namespace {

// The errno of a name such as "EBUSY"; 0 for none.
int ErrorNumber(const std::string& name) {
    for (int error = 1; error < 256; ++error)
        if (const char* known = strerrorname_np(error); known && name == known) return error;
    return 0;
}

// Language and user text are module state: every test starts German without one.
class Errors : public testing::Test, userint::Dialogs {
  protected:
    void SetUp() override {
        VEK_Fehlersprache(1);
        VEK_Fehleruserstring(nullptr);
        rs232::ForgetPortFailure();
        userint::SetDialogs(this);
    }
    void TearDown() override { userint::SetDialogs(nullptr); }

    std::string shown(const std::string& call, int code) {
        if (call == "text") return VEK_Fehlermeldung(code);
        if (call.starts_with("user ")) {
            VEK_Fehleruserstring(call.substr(5).c_str());
            return "-";
        }
        if (call == "shown") return Fehlertext(code);
        if (call.starts_with("trace ")) {
            rs232::StartLineTrace(call.substr(6), rs232::TraceMode::Replace);
            return "-";
        }
        if (call.starts_with("port ")) {
            std::istringstream words(call.substr(5));
            std::string reason, device;
            words >> reason >> device;
            rs232::KeepPortFailure(device,
                                   {reason == "gone" ? EIO : ErrorNumber(reason), reason == "gone",
                                    reason == "unresolved" ? EAI_NONAME : 0});
            return "-";
        }
        m_seen.clear();
        call == "popup" ? VEK_Fehlerpopup(code) : VEK_Fehlerpopup2(code, call.substr(7).c_str());
        return m_seen.empty() ? "-" : m_seen;
    }

    void message(const std::string& title, const std::string& text) override {
        m_seen += title + " | " + text;
    }
    int selectFile(const userint::FileSelectRequest&, std::string*) override { return 0; }
    std::string m_seen;
};

TEST_F(Errors, TextsAndPopupsFollowTheCaseTable) {
    std::ifstream in(ZAN1_ERROR_CASES);
    int cases = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.starts_with('#')) continue;
        std::istringstream fields(line);
        std::string language, call, code, escaped;
        std::getline(fields, language, '\t');
        std::getline(fields, call, '\t');
        std::getline(fields, code, '\t');
        std::getline(fields, escaped);
        // "\n" in the table is a line break
        const std::string expected = std::regex_replace(escaped, std::regex(R"(\\n)"), "\n");
        if (language != "-") VEK_Fehlersprache(std::stoi(language));
        EXPECT_EQ(shown(call, std::stoi(code)), expected) << line;
        ++cases;
    }
    EXPECT_GT(cases, 25);
}

TEST_F(Errors, UserTextIsCutTo299BytesOnACharacterBoundary) {
    const auto kept = [](const std::string& text) {
        VEK_Fehleruserstring(text.c_str());
        return std::string(VEK_Fehlermeldung(0))
            .substr(std::strlen("Es ist kein Fehler aufgetreten"));
    };
    EXPECT_EQ(kept(std::string(400, 'x')), std::string(299, 'x'));
    EXPECT_EQ(kept(std::string(298, 'a') + "üü"), std::string(298, 'a'));
    EXPECT_EQ(kept(std::string(297, 'a') + "üü"), std::string(297, 'a') + "ü");
}

TEST_F(Errors, MainWindowShowsLampTextAndNumberOfTheLastCode) {
    ASSERT_TRUE(testsupport::LoadAllPanels());
    const auto display = [] {
        const auto* lamp = userint::FindControl(panelHandle, PANEL_FEHLERLED);
        const auto* text = userint::FindControl(panelHandle, PANEL_FEHLERSTRING);
        const auto* number = userint::FindControl(panelHandle, PANEL_FEHLERNUMMER);
        return std::to_string(static_cast<int>(lamp->number)) + " '" + text->text + "' " +
               std::to_string(static_cast<long long>(number->number));
    };
    FehlerZeigen(-403011);
    EXPECT_EQ(display(), "1 'Keine Antwort vom Gerät' 403011");
    FehlerZeigen(0);
    EXPECT_EQ(display(), "0 '' 0");
    FehlerZeigen(-6123);  // the silent range is shown here, with its empty text
    EXPECT_EQ(display(), "1 '' 6123");
    rs232::KeepPortFailure("/dev/ttyUSB0", {EBUSY, false});
    FehlerZeigen(-100002);
    EXPECT_EQ(display(),
              "1 'Fehler beim öffnen der seriellen Schnittstelle (/dev/ttyUSB0: von "
              "einem anderen Programm belegt)' 100002");
    FehlerZeigen(INT_MIN);
    EXPECT_EQ(display(), "1 'Ein unbekannter Fehler ist aufgetreten' 2147483647");
    EXPECT_EQ(m_seen, "");
}

}  // namespace
