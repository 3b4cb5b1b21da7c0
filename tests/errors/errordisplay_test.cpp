#include "errors/errordisplay.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "errors/VEK_errorV3.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/userint/model.h"
#include "platform/userint/view.h"
#include "tests/support/panels.h"

namespace {

using Boxes = std::vector<std::pair<std::string, std::string>>;

struct RecordingDialogs : userint::Dialogs {
    void message(const std::string& title, const std::string& text) override {
        boxes.emplace_back(title, text);
    }
    int selectFile(const userint::FileSelectRequest&, std::string*) override { return 0; }
    Boxes boxes;
};

class ErrorDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(testsupport::LoadAllPanels());
        VEK_Fehlersprache(1);
        userint::SetDialogs(&m_dialogs);
    }
    void TearDown() override {
        userint::SetDialogs(nullptr);
        VEK_Fehlersprache(1);
    }
    // Lamp, text and number as one line.
    static std::string Gezeigt() {
        const auto* led = userint::FindControl(panelHandle, PANEL_FEHLERLED);
        const auto* text = userint::FindControl(panelHandle, PANEL_FEHLERSTRING);
        const auto* nummer = userint::FindControl(panelHandle, PANEL_FEHLERNUMMER);
        return std::to_string(static_cast<int>(led->number)) + " '" + text->text + "' " +
               std::to_string(static_cast<int>(nummer->number));
    }

    RecordingDialogs m_dialogs;
};

TEST_F(ErrorDisplay, ShowsAndClearsTheLastCode) {
    FehlerZeigen(-403011);
    EXPECT_EQ(Gezeigt(), "1 'Keine Antwort vom Gerät' 403011");
    FehlerZeigen(0);
    EXPECT_EQ(Gezeigt(), "0 '' 0");
    FehlerZeigen(-6123);  // the silent range is shown here, without text
    EXPECT_EQ(Gezeigt(), "1 '' 6123");
    FehlerZeigen(-99999);
    EXPECT_EQ(Gezeigt(), "1 'Ein unbekannter Fehler ist aufgetreten' 99999");
    EXPECT_TRUE(m_dialogs.boxes.empty());
}

struct Popup {
    int code;
    int sprache;
    const char* titel;  // nullptr: VEK_Fehlerpopup, else VEK_Fehlerpopup2 with this title
    Boxes boxes;
};

void PrintTo(const Popup& p, std::ostream* os) {
    *os << p.code << " language " << p.sprache << (p.titel ? " with title" : "");
}

class ErrorPopup : public ErrorDisplay, public ::testing::WithParamInterface<Popup> {};

TEST_P(ErrorPopup, ShowsTitleAndTextOrNothing) {
    VEK_Fehlersprache(GetParam().sprache);
    if (GetParam().titel == nullptr) {
        VEK_Fehlerpopup(GetParam().code);
    } else {
        VEK_Fehlerpopup2(GetParam().code, GetParam().titel);
    }
    EXPECT_EQ(m_dialogs.boxes, GetParam().boxes);
}

const std::string kLangerTitel(120, 'x');
const std::string kUmlautTitel = std::string(90, 'x') + "ää";  // "ä" at bytes 90 to 93

// clang-format off
INSTANTIATE_TEST_SUITE_P(Codes, ErrorPopup, ::testing::Values(
    Popup{-6500, 1, nullptr, {}},
    Popup{-6000, 2, nullptr, {}},
    Popup{-6999, 1, "Laden", {}},
    Popup{-5999, 1, nullptr, {{"Fehler #5999", "Datum/Zeit Funktion fehlgeschlagen"}}},
    Popup{-7000, 2, nullptr, {{"Error #7000", "Unexpected error"}}},
    Popup{-308103, 1, nullptr, {{"Fehler #308103", "Fehler beim Öffnen der Datei"}}},
    Popup{-308103, 2, nullptr, {{"Error #308103", "Error opening file"}}},
    Popup{-99999, 1, nullptr, {{"Fehler #99999", "Ein unbekannter Fehler ist aufgetreten"}}},
    Popup{-308103, 2, "Laden", {{"Laden #308103", "Error opening file"}}},
    // 99 bytes fit the title; " #308103" takes 8 of them. A cut inside "ä" drops it whole.
    Popup{-308103, 1, kLangerTitel.c_str(),
          {{std::string(91, 'x') + " #308103", "Fehler beim Öffnen der Datei"}}},
    Popup{-308103, 1, kUmlautTitel.c_str(),
          {{std::string(90, 'x') + " #308103", "Fehler beim Öffnen der Datei"}}}));
// clang-format on

}  // namespace
