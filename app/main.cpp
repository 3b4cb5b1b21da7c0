// zan1steuerung: the operator window.
#include <QApplication>

#include "app/ZAN1BSteuerung.h"
#include "app/resource.h"
#include "platform/qt/qtview.h"
#include "platform/userint/view.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    qtui::QtView view;
    userint::SetView(&view);
    userint::SetDialogs(&view);
    RegisterZan1Resource();
    const int result = ProgramMain();
    userint::SetDialogs(nullptr);
    userint::SetView(nullptr);
    return result;
}
