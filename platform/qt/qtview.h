// The Qt Widgets view of the user-interface model. Create one after the
// QApplication and install it with userint::SetView and userint::SetDialogs;
// uninstall it before destroying it. Each loaded panel that is not a tab page
// becomes a fixed-size window (children of another panel are windows
// transient for it); tab pages live in their tab control. Widgets are built
// from the model the first time a panel is shown or changed, and for every
// loaded panel when run() starts, which also starts the panels' timers.
// Operator actions go to the model as OperatorSetValue plus a commit event.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/userint/resource.h"
#include "platform/userint/view.h"

class QLabel;

namespace qtui {

struct PanelView;

class QtView final : public userint::View, public userint::Dialogs {
  public:
    // Sets the look of the whole application (style, palette, font).
    QtView();
    ~QtView() override;
    QtView(const QtView&) = delete;
    QtView& operator=(const QtView&) = delete;

    // The panel's window or tab page and a control's widget and label, built
    // on first use; nullptr for unknown handles or controls without one.
    QWidget* panelWidget(int panel);
    QWidget* controlWidget(int panel, int control);
    QLabel* controlLabel(int panel, int control);

    void run() override;
    void quit() override;
    void panelChanged(int panel) override;
    void controlChanged(int panel, int control) override;
    void focusRequested(int panel, int control) override;
    void menuChanged(int panel, int menuItem) override;
    // QCoreApplication::translate in the context "Fenster", the program's texts.
    std::string translate(const char* text) override;
    // Renders the control's widget as it is shown now.
    int controlPng(int panel, int control, std::string* png) override;

    void message(const std::string& title, const std::string& text) override;
    bool confirm(const std::string& title, const std::string& text) override;
    int selectFile(const userint::FileSelectRequest& request, std::string* path) override;

  private:
    PanelView* ensurePanel(int panel);
    PanelView* buildPanel(int panel, QWidget* root);
    void buildMenuBar(PanelView& view);
    void showOrHide(PanelView& view);
    // Alt+letter for the window's buttons and its tab pages' buttons, none
    // taken twice nor by a menu title; and for a menu's items.
    void labelButtons(PanelView& window);
    void labelPanelButtons(PanelView& panel, QString* taken);
    void labelMenu(PanelView& view, const userint::MenuResource& menu);

    std::map<int, std::unique_ptr<PanelView>> m_panels;
    // The control that had the focus when it was dimmed.
    QPointer<QWidget> m_focusToRestore;
    bool m_syncing = false;  // focus moves now are the view's own
    QObject m_focusWatch;    // ends the connection with the view
    // Windows without a parent window; the others go with their parent.
    std::vector<std::unique_ptr<QWidget>> m_windows;
};

}  // namespace qtui
