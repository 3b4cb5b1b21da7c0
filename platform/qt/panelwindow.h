// The window of a panel: fixed size, its title, and a close button that
// only asks (the program decides whether the window goes).
#pragma once

#include <QWidget>

namespace qtui {

class PanelWindow final : public QWidget {
    Q_OBJECT

  public:
    PanelWindow(const QString& title, QSize size, QWidget* parentWindow = nullptr);

  signals:
    void closeRequested();

  protected:
    void closeEvent(QCloseEvent* event) override;
};

}  // namespace qtui
