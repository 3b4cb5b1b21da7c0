#include "platform/qt/qtview.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTabWidget>
#include <algorithm>

#include "platform/qt/controls.h"
#include "platform/qt/keyboard.h"
#include "platform/qt/look.h"
#include "platform/qt/panelwindow.h"
#include "platform/userint/uithread.h"

namespace qtui {

namespace {

bool IsButton(userint::ControlKind kind) {
    return kind == userint::ControlKind::CommandButton ||
           kind == userint::ControlKind::ToggleButton || kind == userint::ControlKind::CheckBox;
}

// The letters of the menu bar's titles, fixed with the resource.
std::vector<QChar> MenuTitleLetters(const userint::PanelResource& panel, QString* taken) {
    std::vector<QString> titles;
    for (const userint::MenuResource& menu : panel.menuBar)
        titles.push_back(QString::fromUtf8(menu.label));
    return PickMnemonics(titles, taken);
}

// Tab visits the controls that take the focus as they are laid out.
void SetTabOrder(const PanelView& view) {
    std::vector<QWidget*> widgets;
    std::vector<QRect> boxes;
    for (const auto& [id, cv] : view.controls) {
        if (!cv.widget || !(cv.widget->focusPolicy() & Qt::TabFocus)) continue;
        widgets.push_back(cv.widget);
        boxes.push_back(cv.widget->geometry());
    }
    // The chain starts right after the panel itself, which setTabOrder only
    // allows for a widget that takes the focus.
    QWidget* previous = view.root;
    const Qt::FocusPolicy policy = previous->focusPolicy();
    previous->setFocusPolicy(Qt::TabFocus);
    for (std::size_t i : LayoutOrder(boxes)) {
        QWidget::setTabOrder(previous, widgets[i]);
        previous = widgets[i];
    }
    view.root->setFocusPolicy(policy);
}

}  // namespace

QtView::QtView() {
    ApplyLook();
    // The operator moving the focus ends the claim of a dimmed control to it.
    QObject::connect(qApp, &QApplication::focusChanged, &m_focusWatch, [this] {
        if (!m_syncing) m_focusToRestore = nullptr;
    });
    // Work that other threads post for the UI thread runs from the event
    // loop, modal dialogs' loops included.
    userint::SetUiWaker([] {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { userint::RunPostedWork(); }, Qt::QueuedConnection);
    });
}

QtView::~QtView() {
    userint::SetUiWaker(nullptr);
}

QWidget* QtView::panelWidget(int panel) {
    PanelView* view = ensurePanel(panel);
    return view ? view->root : nullptr;
}

QWidget* QtView::controlWidget(int panel, int control) {
    PanelView* view = ensurePanel(panel);
    if (!view) return nullptr;
    const auto found = view->controls.find(control);
    return found == view->controls.end() ? nullptr : found->second.widget;
}

QLabel* QtView::controlLabel(int panel, int control) {
    PanelView* view = ensurePanel(panel);
    if (!view) return nullptr;
    const auto found = view->controls.find(control);
    return found == view->controls.end() ? nullptr : found->second.label;
}

PanelView* QtView::ensurePanel(int panel) {
    if (const auto found = m_panels.find(panel); found != m_panels.end()) {
        return found->second.get();
    }
    const userint::PanelState* state = userint::FindPanel(panel);
    if (!state) return nullptr;
    if (state->tabPage) {
        // Pages are built with the panel that holds their tab control.
        ensurePanel(state->parent);
        const auto found = m_panels.find(panel);
        return found == m_panels.end() ? nullptr : found->second.get();
    }
    QWidget* parentWindow = nullptr;
    if (state->parent != 0) {
        if (PanelView* parent = ensurePanel(state->parent)) parentWindow = parent->root->window();
    }
    const QString title = QString::fromUtf8(state->title);
    const QSize size(state->resource->width, state->resource->height);
    PanelWindow* window = nullptr;
    if (parentWindow) {
        window = new PanelWindow(title, size, parentWindow);
    } else {
        m_windows.push_back(std::make_unique<PanelWindow>(title, size));
        window = static_cast<PanelWindow*>(m_windows.back().get());
    }
    QObject::connect(window, &PanelWindow::closeRequested, window,
                     [panel] { userint::DispatchPanelEvent(panel, EVENT_CLOSE); });
    PanelView* view = buildPanel(panel, window);
    if (const int escape = state->resource->escapeControl; escape != 0) {
        // Escape presses that button, as long as it could be pressed.
        auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), window);
        QObject::connect(shortcut, &QShortcut::activated, window, [this, panel, escape] {
            auto* button = qobject_cast<QAbstractButton*>(controlWidget(panel, escape));
            if (button && button->isVisible() && button->isEnabled()) button->click();
        });
    }
    labelButtons(*view);
    return view;
}

void QtView::labelButtons(PanelView& window) {
    const userint::PanelState* state = userint::FindPanel(window.handle);
    if (!state) return;
    QString taken;
    MenuTitleLetters(*state->resource, &taken);
    // The window's own buttons first, then each tab page's from the letters
    // left: only one page shows at a time, so pages may share letters.
    labelPanelButtons(window, &taken);
    for (const userint::ControlState& control : state->controls) {
        for (int page : control.pages) {
            QString left = taken;
            if (const auto found = m_panels.find(page); found != m_panels.end()) {
                labelPanelButtons(*found->second, &left);
            }
        }
    }
}

void QtView::labelPanelButtons(PanelView& panel, QString* taken) {
    std::vector<ControlView*> buttons;
    std::vector<QString> texts;
    for (auto& [id, cv] : panel.controls) {
        const userint::ControlState* control = userint::FindControl(panel.handle, id);
        if (!control || !IsButton(cv.kind)) continue;
        buttons.push_back(&cv);
        texts.push_back(QString::fromUtf8(ButtonCaption(*control)));
    }
    const std::vector<QChar> letters = PickMnemonics(texts, taken);
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (buttons[i]->mnemonic == letters[i]) continue;
        buttons[i]->mnemonic = letters[i];
        SyncControl(*buttons[i], *userint::FindControl(panel.handle, buttons[i]->control));
    }
}

PanelView* QtView::buildPanel(int panel, QWidget* root) {
    const userint::PanelState* state = userint::FindPanel(panel);
    auto& slot = m_panels[panel];
    slot = std::make_unique<PanelView>();
    PanelView& view = *slot;
    view.handle = panel;
    view.root = root;
    view.window = !state->tabPage;
    for (const userint::ControlState& control : state->controls) {
        const userint::ControlResource& r = *control.resource;
        ControlView& cv = view.controls[r.id];
        cv.panel = panel;
        cv.control = r.id;
        cv.labelSide = r.labelPosition;
        CreateControl(cv, control, root);
        if (r.kind != userint::ControlKind::TabControl || !cv.widget) continue;
        auto* tabs = static_cast<QTabWidget*>(cv.widget);
        for (std::size_t i = 0; i < control.pages.size(); ++i) {
            auto* page = new QWidget;
            if (control.pages[i] != 0) buildPanel(control.pages[i], page);
            const std::string label = i < r.tabLabels.size() ? r.tabLabels[i] : std::string();
            tabs->addTab(page, ButtonText(label));
        }
        ConnectTabControl(cv);
    }
    if (view.window) buildMenuBar(view);
    for (auto& [id, cv] : view.controls) {
        if (const userint::ControlState* control = userint::FindControl(panel, id)) {
            SyncControl(cv, *control);
        }
    }
    SetTabOrder(view);
    return &view;
}

void QtView::buildMenuBar(PanelView& view) {
    const userint::PanelState* state = userint::FindPanel(view.handle);
    if (state->resource->menuBar.empty()) return;
    auto* bar = new QMenuBar(view.root);
    bar->setObjectName(QStringLiteral("MENUBAR"));
    // Always inside the window: the panel's layout leaves the top strip for it.
    bar->setNativeMenuBar(false);
    const int panel = view.handle;
    QString taken;
    const std::vector<QChar> letters = MenuTitleLetters(*state->resource, &taken);
    for (std::size_t m = 0; m < letters.size(); ++m) {
        const userint::MenuResource& menu = state->resource->menuBar[m];
        QMenu* entry = bar->addMenu(ButtonText(menu.label, letters[m]));
        entry->setObjectName(QString::fromUtf8(menu.constant));
        for (const userint::MenuItemResource& item : menu.items) {
            QAction* action =
                item.separator ? entry->addSeparator() : entry->addAction(ButtonText(item.label));
            action->setObjectName(QString::fromUtf8(item.constant));
            if (item.separator) continue;
            const int id = item.id;
            QObject::connect(action, &QAction::triggered, action,
                             [panel, id] { userint::DispatchMenu(panel, id); });
            view.menuItems[id] = action;
        }
        labelMenu(view, menu);
    }
    bar->setGeometry(0, 0, view.root->width(), bar->sizeHint().height());
}

void QtView::showOrHide(PanelView& view) {
    const userint::PanelState* state = userint::FindPanel(view.handle);
    QWidget* window = view.root;
    if (!state || !state->visible) {
        window->hide();
        return;
    }
    const bool shown = window->isVisible();
    const auto& popups = userint::Popups();
    const bool popup = std::find(popups.begin(), popups.end(), view.handle) != popups.end();
    // Modal but not blocking: the call that installed the popup returns at once.
    const Qt::WindowModality modality = popup ? Qt::ApplicationModal : Qt::NonModal;
    if (window->windowModality() != modality) {
        window->hide();
        window->setWindowModality(modality);
    }
    window->show();
    // A panel that comes up takes the keyboard, as a popup always does.
    if (popup || !shown) {
        window->raise();
        window->activateWindow();
    }
}

void QtView::run() {
    // Timers tick from load, so every loaded panel gets its widgets now.
    for (int panel : userint::PanelHandles())
        ensurePanel(panel);
    QApplication::exec();
}

void QtView::quit() {
    // Not quit(): in Qt 6 that first asks every window to close, and panel
    // windows refuse and pass the close on to the program.
    QCoreApplication::exit(0);
}

void QtView::panelChanged(int panel) {
    PanelView* view = ensurePanel(panel);
    const userint::PanelState* state = userint::FindPanel(panel);
    if (!view || !view->window) return;
    if (state) view->root->setWindowTitle(QString::fromUtf8(state->title));
    showOrHide(*view);
}

void QtView::controlChanged(int panel, int control) {
    PanelView* view = ensurePanel(panel);
    if (!view) return;
    const auto found = view->controls.find(control);
    const userint::ControlState* state = userint::FindControl(panel, control);
    if (found == view->controls.end() || !state) return;
    QWidget* widget = found->second.widget;
    const bool hadFocus = widget && widget->hasFocus();
    m_syncing = true;
    SyncControl(found->second, *state);
    m_syncing = false;
    // A button's new text may need another letter.
    if (IsButton(found->second.kind)) {
        const userint::PanelState* owner = userint::FindPanel(panel);
        PanelView* window = owner && owner->tabPage ? ensurePanel(owner->parent) : view;
        if (window) labelButtons(*window);
    }
    if (!widget) return;
    // A control dimmed while busy gets the focus back once it is operable
    // again, unless the operator has put the focus elsewhere meanwhile.
    if (hadFocus && !widget->isEnabled() && !m_focusToRestore) m_focusToRestore = widget;
    if (widget->isEnabled() && widget == m_focusToRestore) {
        m_focusToRestore = nullptr;
        widget->setFocus(Qt::OtherFocusReason);
    }
}

void QtView::focusRequested(int panel, int control) {
    if (QWidget* widget = controlWidget(panel, control)) widget->setFocus(Qt::OtherFocusReason);
}

void QtView::menuChanged(int panel, int menuItem) {
    PanelView* view = ensurePanel(panel);
    const userint::PanelState* state = userint::FindPanel(panel);
    if (!view || !state) return;
    for (const userint::MenuResource& menu : state->resource->menuBar) {
        for (const userint::MenuItemResource& item : menu.items)
            if (item.id == menuItem) labelMenu(*view, menu);
    }
}

void QtView::labelMenu(PanelView& view, const userint::MenuResource& menu) {
    const userint::PanelState* state = userint::FindPanel(view.handle);
    std::vector<QAction*> actions;
    std::vector<const userint::MenuItemState*> items;
    std::vector<QString> names;
    for (const userint::MenuItemResource& resource : menu.items) {
        const auto action = view.menuItems.find(resource.id);
        const auto item = state->menuItems.find(resource.id);
        if (action == view.menuItems.end() || item == state->menuItems.end()) continue;
        actions.push_back(action->second);
        items.push_back(&item->second);
        names.push_back(QString::fromUtf8(item->second.name));
    }
    // An open menu takes the letters without Alt, so each menu has its own.
    QString taken;
    const std::vector<QChar> letters = PickMnemonics(names, &taken);
    for (std::size_t i = 0; i < actions.size(); ++i) {
        actions[i]->setText(ButtonText(items[i]->name, letters[i]));
        actions[i]->setEnabled(!items[i]->dimmed);
    }
}

std::string QtView::translate(const char* text) {
    return QCoreApplication::translate("Fenster", text).toStdString();
}

int QtView::controlPng(int panel, int control, std::string* png) {
    QWidget* widget = controlWidget(panel, control);
    if (!widget) return kUiUnsupported;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !widget->grab().save(&buffer, "PNG")) {
        return kUiUnsupported;
    }
    png->assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    return 0;
}

}  // namespace qtui
