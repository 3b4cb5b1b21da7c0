// Starts the operator window like zan1steuerung does and, once it runs, also
// shows one of its other panels ("about" or "konfig") or connects to the
// module on COM 1 ("live"; "recording" also records the values into
// werte.csv and opens the "Datei" menu), for screenshots of the real windows. "soak"
// keeps that connection up for scripts/soak.sh: once a second, a connection
// that has ended is reported with the error shown ("failed <number>: <text>")
// and pressed again ("connected" when that holds). A second argument "en"
// shows the window in English.
#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "app/ZAN1BSteuerung.h"
#include "app/programm.h"
#include "app/resource.h"
#include "app/skalierung.h"
#include "errors/VEK_errorV3.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/qt/look.h"
#include "platform/qt/qtview.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"

namespace {

// Acknowledges the once-per-run warning that connecting brings up.
void AcceptModalBox() {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        box->accept();
        return;
    }
    QTimer::singleShot(20, [] { AcceptModalBox(); });
}

// Once the operation the operator started has ended: whether a connection holds.
void WhenDone(std::function<void(bool)> then) {
    const Programm& program = LaufendesProgramm();
    if (program.beschaeftigt) {
        QTimer::singleShot(20, [then] { WhenDone(then); });
        return;
    }
    then(program.istwerteAbfragen);
}

// Enters a setpoint as the operator does, once the window takes one.
void Setpoint(int control, double value, std::function<void(bool)> then) {
    SetCtrlVal(panelHandle, control, value);
    userint::DispatchCommit(panelHandle, control);
    WhenDone(std::move(then));
}

// Presses "verbinden".
void Connect(std::function<void(bool)> then) {
    SetCtrlVal(panelHandle, PANEL_VERBINDEN, 1);
    userint::DispatchCommit(panelHandle, PANEL_VERBINDEN);
    WhenDone(std::move(then));
}

bool Connected() {
    int connected = 0;
    GetCtrlVal(panelHandle, PANEL_VERBINDEN, &connected);
    return connected != 0;
}

void ConnectAndTell() {
    Connect([](bool connected) {
        if (connected) std::printf("connected\n");
        std::fflush(stdout);
    });
}

// Answers the file dialogs with werte.csv; messages go to the window.
struct RecordingDialogs : userint::Dialogs {
    explicit RecordingDialogs(userint::Dialogs& window) : window(window) {}
    void message(const std::string& title, const std::string& text) override {
        window.message(title, text);
    }
    bool confirm(const std::string& title, const std::string& text) override {
        return window.confirm(title, text);
    }
    int selectFile(const userint::FileSelectRequest&, std::string* path) override {
        *path = "werte.csv";
        return VAL_NEW_FILE_SELECTED;
    }
    userint::Dialogs& window;
};

void KeepConnected() {
    if (!Connected()) {
        int number = 0;
        std::string text;
        GetCtrlVal(panelHandle, PANEL_FEHLERNUMMER, &number);
        GetCtrlVal(panelHandle, PANEL_FEHLERSTRING, &text);
        std::printf("failed %d: %s\n", number, text.c_str());
        ConnectAndTell();
    }
    QTimer::singleShot(1000, [] { KeepConnected(); });
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string_view which = argc > 1 ? argv[1] : "";
    if (argc > 2 && std::string_view(argv[2]) == "en") {
        qtui::TranslateProgram(QStringLiteral("zan1steuerung_en"),
                               {QStringLiteral(ZAN1_TRANSLATIONS_BUILT)});
        VEK_Fehlersprache(2);
    } else {
        qtui::TranslateQt(QLocale(QLocale::German, QLocale::Germany));
    }
    qtui::QtView view;
    userint::SetView(&view);
    userint::SetDialogs(&view);
    RegisterZan1Resource();
    RecordingDialogs recordingDialogs(view);
    if (which == "recording") userint::SetDialogs(&recordingDialogs);
    QTimer::singleShot(0, [which, &view] {
        if (which == "about") InstallPopup(aboutpanelHandle);
        if (which == "soak") {
            QTimer::singleShot(0, [] { AcceptModalBox(); });
            ConnectAndTell();
            QTimer::singleShot(1000, [] { KeepConnected(); });
        }
        if (which == "live" || which == "recording") {
            QTimer::singleShot(0, [] { AcceptModalBox(); });
            Connect([which](bool) {
                if (which == "recording")
                    userint::DispatchMenu(panelHandle, MENUBAR_DATEI_MESSWERTE);
            });
            // New setpoints a moment later, so the chart shows both loops at work.
            QTimer::singleShot(2000, [] {
                Setpoint(PANEL_SOLLWERT1, 7.5,
                         [](bool) { Setpoint(PANEL_SOLLWERT2, 3.0, [](bool) {}); });
            });
        }
        if (which == "recording") {
            QTimer::singleShot(9000, [&view] {
                QWidget* window = view.panelWidget(panelHandle);
                auto* datei = window->findChild<QMenu*>(QStringLiteral("DATEI"));
                window->findChild<QMenuBar*>()->setActiveAction(datei->menuAction());
            });
        }
        if (which == "konfig") {
            KonfigStrukturZuGui();
            DisplayPanel(konfigpanelHandle);
        }
    });
    const int result = ProgramMain();
    userint::SetDialogs(nullptr);
    userint::SetView(nullptr);
    return result;
}
