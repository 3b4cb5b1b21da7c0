// The menu bar's item names.
#include "platform/userint/modeldata.h"

namespace userint {
namespace detail {

const MenuItemResource* FindMenuItem(const PanelState& panel, int item) {
    for (const MenuResource& menu : panel.resource->menuBar) {
        for (const MenuItemResource& entry : menu.items) {
            if (entry.id == item) return &entry;
        }
    }
    return nullptr;
}

}  // namespace detail

std::string MenuItemName(int panel, int menuItem) {
    const PanelState* p = FindPanel(panel);
    const MenuItemResource* item = p ? detail::FindMenuItem(*p, menuItem) : nullptr;
    if (!item) return {};
    const auto renamed = p->menuItemNames.find(menuItem);
    return renamed != p->menuItemNames.end() ? renamed->second : item->label;
}

}  // namespace userint

using namespace userint;
using namespace userint::detail;

int SetMenuItemName(int panel, int menuItem, const char* name) {
    PanelState* p = MutablePanel(panel);
    if (!p) return kUiBadPanel;
    if (!FindMenuItem(*p, menuItem)) return kUiBadControl;
    if (name) {
        p->menuItemNames[menuItem] = name;
    } else {
        p->menuItemNames.erase(menuItem);
    }
    if (Data().view) Data().view->menuItemChanged(panel, menuItem);
    return 0;
}
