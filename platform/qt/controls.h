// One widget per control kind, built on its panel widget at the resource's
// geometry, and the way back: operator input becomes OperatorSetValue plus a
// commit; model changes are copied into the widget with signals blocked, so
// they never raise a commit. Internal to platform/qt.
#pragma once

#include <QChar>
#include <map>
#include <string>

#include "platform/qt/qtview.h"
#include "platform/userint/model.h"

class QAction;
class QLabel;
class QString;
class QTimer;
class QWidget;

namespace qtui {

struct ControlView {
    int panel = 0;
    int control = 0;
    userint::ControlKind kind = userint::ControlKind::Decoration;
    QWidget* widget = nullptr;  // none for a timer
    QLabel* label = nullptr;    // the label beside a labelled control
    QTimer* timer = nullptr;
    userint::LabelPosition labelSide = userint::LabelPosition::Above;
    QChar mnemonic;  // a button's Alt+letter, lower case
};

struct PanelView {
    int handle = 0;
    QWidget* root = nullptr;  // the window, or the page inside its tab control
    bool window = false;
    std::map<int, ControlView> controls;  // by control id; addresses stay put
    std::map<int, QAction*> menuItems;    // by item id
};

// Builds the control's widget (and label, or timer) on parent; the view must
// stay at its address as long as the widget lives. A tab control comes back
// without pages.
void CreateControl(ControlView& view, const userint::ControlState& state, QWidget* parent);

// Copies the model's state into the widget without raising a commit.
void SyncControl(ControlView& view, const userint::ControlState& state);

// Hooks a tab control's page changes up, once its pages are added.
void ConnectTabControl(ControlView& view);

// The text a button shows for the model's text ("&" stays an ampersand),
// with the mnemonic letter marked.
QString ButtonText(const std::string& text, QChar mnemonic = QChar());

// The model's text on a command button, toggle button or check box; empty
// for other controls.
std::string ButtonCaption(const userint::ControlState& state);

}  // namespace qtui
