#include "platform/qt/panelwindow.h"

#include <QCloseEvent>

namespace qtui {

// A child panel is a dialog-like window transient for its parent's window.
PanelWindow::PanelWindow(const QString& title, QSize size, QWidget* parentWindow)
    : QWidget(parentWindow, parentWindow ? Qt::Dialog : Qt::Window) {
    setWindowTitle(title);
    setFixedSize(size);
    setAutoFillBackground(true);
}

void PanelWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit closeRequested();
}

}  // namespace qtui
