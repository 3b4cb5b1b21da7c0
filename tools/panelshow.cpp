// Starts the operator window like zan1steuerung does and, once it runs, also
// shows one of its other panels ("about" or "konfig"), for screenshots of the
// real windows.
#include <QApplication>
#include <QTimer>
#include <string_view>

#include "app/ZAN1BSteuerung.h"
#include "app/panelhandles.h"
#include "app/resource.h"
#include "config/ZAN1Konfig.h"
#include "platform/qt/qtview.h"
#include "platform/userint/userint.h"
#include "platform/userint/view.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string_view which = argc > 1 ? argv[1] : "";
    qtui::QtView view;
    userint::SetView(&view);
    userint::SetDialogs(&view);
    RegisterZan1Resource();
    QTimer::singleShot(0, [which] {
        if (which == "about") InstallPopup(aboutpanelHandle);
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
