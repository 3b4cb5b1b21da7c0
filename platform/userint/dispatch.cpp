// Callback dispatch, the event loop, the dialogs and the view's pictures.
#include "platform/userint/modeldata.h"
#include "platform/userint/uithread.h"

using namespace userint;
using namespace userint::detail;

namespace {

// Runs one callback unless another one is running; never re-entered.
template <typename Call>
bool RunCallback(Call call) {
    ModelData& data = Data();
    if (data.callbackRunning) return false;
    data.callbackRunning = true;
    struct Reset {
        ~Reset() { Data().callbackRunning = false; }
    } reset;
    call();
    return true;
}

const MenuItemResource* FindMenuItem(const PanelState& panel, int item) {
    for (const MenuResource& menu : panel.resource->menuBar) {
        for (const MenuItemResource& entry : menu.items) {
            if (entry.id == item) return &entry;
        }
    }
    return nullptr;
}

}  // namespace

namespace userint {

bool DispatchCommit(int panel, int control) {
    int status = 0;
    const ControlState* c = MutableControl(panel, control, &status);
    if (!c || !c->resource->callback || c->dimmed) return false;
    const CtrlCallbackPtr callback = c->resource->callback;
    return RunCallback([&] { callback(panel, control, EVENT_COMMIT); });
}

bool DispatchPanelEvent(int panel, int event) {
    const PanelState* p = MutablePanel(panel);
    if (!p || !p->resource->callback) return false;
    const PanelCallbackPtr callback = p->resource->callback;
    return RunCallback([&] { callback(panel, event); });
}

bool DispatchMenu(int panel, int menuItem) {
    const PanelState* p = MutablePanel(panel);
    const MenuItemResource* item = p ? FindMenuItem(*p, menuItem) : nullptr;
    if (!item || !item->callback || p->menuItems.at(menuItem).dimmed) return false;
    const MenuCallbackPtr callback = item->callback;
    return RunCallback([&] { callback(menuItem, panel); });
}

bool DispatchTimerTick(int panel, int control) {
    int status = 0;
    const ControlState* c = MutableControl(panel, control, &status);
    if (!c || c->resource->kind != ControlKind::Timer || !c->resource->callback) return false;
    const CtrlCallbackPtr callback = c->resource->callback;
    // The timer keeps ticking while another callback waits in a modal dialog,
    // but never runs inside its own tick.
    ModelData& data = Data();
    if (data.timerRunning) return false;
    const bool otherRunning = data.callbackRunning;
    data.timerRunning = data.callbackRunning = true;
    struct Reset {
        bool otherRunning;
        ~Reset() {
            Data().timerRunning = false;
            Data().callbackRunning = otherRunning;
        }
    } reset{otherRunning};
    callback(panel, control, EVENT_TIMER_TICK);
    return true;
}

bool CallbackRunning() {
    return Data().callbackRunning;
}

void PostToLoop(std::function<void()> work) {
    Data().posted.push_back(std::move(work));
}

void SetDialogs(Dialogs* dialogs) {
    Data().dialogs = dialogs;
}

void SetView(View* view) {
    Data().view = view;
}

std::string Translate(const char* text) {
    if (!text) return {};
    View* view = Data().view;
    return view ? view->translate(text) : std::string(text);
}

}  // namespace userint

int RunUserInterface() {
    ModelData& data = Data();
    data.quitRequested = false;
    if (data.view) {
        data.view->run();
    } else {
        while (!data.quitRequested && (!data.posted.empty() || RunPostedWork() > 0)) {
            if (data.posted.empty()) continue;
            auto work = std::move(data.posted.front());
            data.posted.pop_front();
            work();
        }
    }
    data.quitRequested = false;
    return data.quitCode;
}

int QuitUserInterface(int returnCode) {
    ModelData& data = Data();
    data.quitRequested = true;
    data.quitCode = returnCode;
    if (data.view) data.view->quit();
    return 0;
}

int MessagePopup(const char* title, const char* message) {
    Dialogs* dialogs = Data().dialogs;
    if (!dialogs) return kUiNoDialogs;
    dialogs->message(title ? title : "", message ? message : "");
    return 0;
}

int ConfirmPopup(const char* title, const char* message) {
    Dialogs* dialogs = Data().dialogs;
    if (!dialogs) return kUiNoDialogs;
    return dialogs->confirm(title ? title : "", message ? message : "") ? 1 : 0;
}

int FileSelectPopup(const char* directory, const char* pattern, const char* fileTypeList,
                    const char* title, int buttonKind, int restrictDirectory, int restrictExtension,
                    int allowCancel, int allowMakeDirectory, std::string* path) {
    Dialogs* dialogs = Data().dialogs;
    if (!dialogs) return kUiNoDialogs;
    if (!path) return kUiWrongType;
    FileSelectRequest request;
    request.directory = directory ? directory : "";
    request.pattern = pattern ? pattern : "";
    request.fileTypeList = fileTypeList ? fileTypeList : "";
    request.title = title ? title : "";
    request.buttonKind = buttonKind;
    request.restrictDirectory = restrictDirectory != 0;
    request.restrictExtension = restrictExtension != 0;
    request.allowCancel = allowCancel != 0;
    request.allowMakeDirectory = allowMakeDirectory != 0;
    path->clear();
    const int result = dialogs->selectFile(request, path);
    if (result == VAL_NO_FILE_SELECTED) path->clear();
    return result;
}

int GetCtrlDisplayPng(int panel, int control, std::string* png) {
    int status = 0;
    if (!MutableControl(panel, control, &status)) return status;
    if (!png) return kUiWrongType;
    View* view = Data().view;
    return view ? view->controlPng(panel, control, png) : kUiUnsupported;
}
