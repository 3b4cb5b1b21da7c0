// A small resource with one control of each kind and recording callbacks,
// and the set-up every GUI test starts from: a fresh model, a QtView
// installed as view and dialogs, the main window loaded and shown.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "platform/qt/qtview.h"

namespace qttest {

enum { kMainPanel = 1, kChildPanel, kPage1, kPage2 };
enum {
    kNumber = 2,
    kCount,
    kActual,
    kMode,
    kLamp,
    kConnect,
    kSpecial,
    kUnit,
    kNote,
    kRead,
    kFrame,
    kPicture,
    kTab,
    kChart,
    kTimer,
    kStatus
};
enum { kPageValue = 2, kChildOk = 2 };
enum { kMenuFile = 1, kMenuOpen, kMenuSeparator, kMenuQuit };

// A callback that ran: control is the menu item for a menu, 0 for a panel
// event; event is 0 for a menu.
struct Call {
    int panel, control, event;
};
extern std::vector<Call> gCalls;  // timer ticks are only counted
extern int gTicks;
// Runs inside each control callback, after it was recorded.
extern std::function<void(int panel, int control)> gDuring;

int Commits(int control);

class Session {
  public:
    Session();
    ~Session();

    qtui::QtView& view() { return *m_view; }
    QWidget* window() const { return m_view->panelWidget(main); }
    template <typename T = QWidget>
    T* widget(int control) const {
        return qobject_cast<T*>(m_view->controlWidget(main, control));
    }

    int main = 0;
    int child = 0;

  private:
    std::unique_ptr<qtui::QtView> m_view;
};

}  // namespace qttest
