// Resources, panels, tab pages and popups.
#include <algorithm>

#include "platform/userint/modeldata.h"
#include "platform/userint/uithread.h"

namespace userint {
namespace detail {

ModelData& Data() {
    static ModelData data;
    return data;
}

PanelState* MutablePanel(int panel) {
    auto& panels = Data().panels;
    const auto found = panels.find(panel);
    return found == panels.end() ? nullptr : &found->second;
}

ControlState* MutableControl(int panel, int control, int* status) {
    PanelState* p = MutablePanel(panel);
    if (!p) {
        *status = kUiBadPanel;
        return nullptr;
    }
    for (ControlState& c : p->controls) {
        if (c.resource->id == control) return &c;
    }
    *status = kUiBadControl;
    return nullptr;
}

void NotifyControl(int panel, int control) {
    if (Data().view) Data().view->controlChanged(panel, control);
}

void NotifyPanel(int panel) {
    if (Data().view) Data().view->panelChanged(panel);
}

void NotifyMenu(int panel, int menuItem) {
    if (Data().view) Data().view->menuChanged(panel, menuItem);
}

}  // namespace detail

using namespace detail;

namespace {

const Resource* FindResource(const std::string& name) {
    auto& resources = Data().resources;
    // The latest registration of a name wins; older ones stay alive for the
    // panels already loaded from them.
    for (auto it = resources.rbegin(); it != resources.rend(); ++it) {
        if ((*it)->name == name) return it->get();
    }
    return nullptr;
}

const PanelResource* FindPanelResource(const Resource& resource, int id) {
    for (const PanelResource& p : resource.panels) {
        if (p.id == id) return &p;
    }
    return nullptr;
}

ControlState InitialState(const ControlResource& r) {
    ControlState c;
    c.resource = &r;
    c.dimmed = r.dimmed;
    c.min = r.min;
    c.max = r.max;
    c.increment = r.increment;
    c.precision = r.precision;
    c.maxEntryLength = r.maxEntryLength;
    c.label = r.label;
    c.xName = r.xName;
    c.yName = r.yName;
    c.number = std::clamp(r.defaultValue, r.min, r.max);
    if (r.kind == ControlKind::Ring && !r.items.empty() &&
        std::none_of(r.items.begin(), r.items.end(),
                     [&](const RingItem& item) { return item.value == r.defaultValue; })) {
        c.number = r.items.front().value;
    }
    c.text = r.kind == ControlKind::TextMessage && r.defaultText.empty() ? r.label : r.defaultText;
    if (r.kind == ControlKind::StripChart) {
        c.axisManual = r.axisManual;
        c.axisMin = r.axisMin;
        c.axisMax = r.axisMax;
        const auto traces = static_cast<std::size_t>(std::max(r.traces, 0));
        c.chart.assign(
            traces, std::vector<double>(static_cast<std::size_t>(std::max(r.pointsPerScreen, 1))));
        c.traceNames.assign(traces, std::string());
    }
    return c;
}

int Instantiate(const Resource& resource, const PanelResource& panelResource, int parent,
                bool tabPage) {
    ModelData& data = Data();
    const int handle = data.nextHandle++;
    PanelState& panel = data.panels[handle];
    panel.handle = handle;
    panel.resource = &panelResource;
    panel.parent = parent;
    panel.tabPage = tabPage;
    panel.title = panelResource.title;
    data.loadOrder.push_back(handle);
    for (const ControlResource& control : panelResource.controls) {
        panel.controls.push_back(InitialState(control));
    }
    for (const MenuResource& menu : panelResource.menuBar) {
        for (const MenuItemResource& item : menu.items) {
            if (!item.separator) panel.menuItems[item.id] = {item.label, item.dimmed};
        }
    }
    for (ControlState& control : panel.controls) {
        for (int pageId : control.resource->tabPages) {
            const PanelResource* page = FindPanelResource(resource, pageId);
            // A page missing from the resource leaves a hole the caller sees
            // as a failing GetPanelHandleFromTabPage.
            control.pages.push_back(page ? Instantiate(resource, *page, handle, true) : 0);
        }
    }
    return handle;
}

int SetVisible(int panel, bool visible) {
    PanelState* p = MutablePanel(panel);
    if (!p) return kUiBadPanel;
    p->visible = visible;
    NotifyPanel(panel);
    return 0;
}

}  // namespace

void RegisterResource(const Resource& resource) {
    Data().resources.push_back(std::make_unique<Resource>(resource));
}

std::vector<std::string> UnattachedCallbacks(const std::string& resourceName) {
    std::vector<std::string> names;
    const Resource* resource = FindResource(resourceName);
    if (!resource) return names;
    const auto check = [&names](const std::string& where, const std::string& name, bool attached) {
        if (!name.empty() && !attached) names.push_back(where + ": " + name);
    };
    for (const PanelResource& panel : resource->panels) {
        check(panel.constant, panel.callbackName, panel.callback);
        for (const ControlResource& control : panel.controls)
            check(panel.constant + "." + control.constant, control.callbackName, control.callback);
        for (const MenuResource& menu : panel.menuBar)
            for (const MenuItemResource& item : menu.items)
                check(panel.constant + "." + item.constant, item.callbackName, item.callback);
    }
    return names;
}

const PanelState* FindPanel(int panel) {
    return MutablePanel(panel);
}

const ControlState* FindControl(int panel, int control) {
    int status = 0;
    return MutableControl(panel, control, &status);
}

std::vector<int> PanelHandles() {
    return Data().loadOrder;
}

const std::vector<int>& Popups() {
    return Data().popups;
}

void ResetModel() {
    ModelData& data = Data();
    data.panels.clear();
    data.loadOrder.clear();
    data.popups.clear();
    data.resources.clear();
    data.posted.clear();
    data.nextHandle = 1;
    data.callbackRunning = false;
    data.timerRunning = false;
    data.quitRequested = false;
    DropPostedWork();
}

}  // namespace userint

using namespace userint;
using namespace userint::detail;

int LoadPanel(int parentPanel, const char* resourceName, int panelResourceId) {
    if (parentPanel != 0 && !MutablePanel(parentPanel)) return kUiBadPanel;
    const Resource* resource = resourceName ? FindResource(resourceName) : nullptr;
    if (!resource) return kUiNoResource;
    const PanelResource* panel = FindPanelResource(*resource, panelResourceId);
    if (!panel) return kUiNoResource;
    return Instantiate(*resource, *panel, parentPanel, false);
}

int GetPanelHandleFromTabPage(int panel, int tabControl, int pageIndex, int* pagePanel) {
    int status = 0;
    const ControlState* tab = MutableControl(panel, tabControl, &status);
    if (!tab) return status;
    if (tab->resource->kind != ControlKind::TabControl || pageIndex < 0 ||
        pageIndex >= static_cast<int>(tab->pages.size()) || tab->pages[pageIndex] == 0 ||
        !pagePanel) {
        return kUiBadTabPage;
    }
    *pagePanel = tab->pages[pageIndex];
    return 0;
}

int SetPanelAttribute(int panel, int attribute, const char* value) {
    PanelState* p = MutablePanel(panel);
    if (!p) return kUiBadPanel;
    if (attribute != ATTR_TITLE) return kUiBadAttribute;
    if (!value) return kUiWrongType;
    p->title = value;
    NotifyPanel(panel);
    return 0;
}

int GetPanelAttribute(int panel, int attribute, std::string* value) {
    const PanelState* p = MutablePanel(panel);
    if (!p) return kUiBadPanel;
    if (attribute != ATTR_TITLE) return kUiBadAttribute;
    if (!value) return kUiWrongType;
    *value = p->title;
    return 0;
}

int DisplayPanel(int panel) {
    return SetVisible(panel, true);
}

int HidePanel(int panel) {
    return SetVisible(panel, false);
}

int InstallPopup(int panel) {
    if (!MutablePanel(panel)) return kUiBadPanel;
    auto& popups = Data().popups;
    popups.erase(std::remove(popups.begin(), popups.end(), panel), popups.end());
    popups.push_back(panel);
    return SetVisible(panel, true);
}

int RemovePopup(int allPopups) {
    auto& popups = Data().popups;
    if (popups.empty()) return kUiNoPopup;
    do {
        const int panel = popups.back();
        popups.pop_back();
        SetVisible(panel, false);
    } while (allPopups != 0 && !popups.empty());
    return 0;
}
