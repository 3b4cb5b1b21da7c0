// The items of a panel's menu bar: their names and dimmed states.
#include "platform/userint/modeldata.h"

using namespace userint;
using namespace userint::detail;

namespace {

MenuItemState* MutableMenuItem(int panel, int menuItem, int* status) {
    PanelState* p = MutablePanel(panel);
    if (!p) {
        *status = kUiBadPanel;
        return nullptr;
    }
    const auto found = p->menuItems.find(menuItem);
    if (found == p->menuItems.end()) {
        *status = kUiBadControl;
        return nullptr;
    }
    return &found->second;
}

}  // namespace

int SetMenuBarAttribute(int panel, int menuItem, int attribute, int value) {
    int status = 0;
    MenuItemState* item = MutableMenuItem(panel, menuItem, &status);
    if (!item) return status;
    if (attribute != ATTR_DIMMED)
        return attribute == ATTR_ITEM_NAME ? kUiWrongType : kUiBadAttribute;
    item->dimmed = value != 0;
    NotifyMenu(panel, menuItem);
    return 0;
}

int SetMenuBarAttribute(int panel, int menuItem, int attribute, const char* value) {
    int status = 0;
    MenuItemState* item = MutableMenuItem(panel, menuItem, &status);
    if (!item) return status;
    if (attribute != ATTR_ITEM_NAME)
        return attribute == ATTR_DIMMED ? kUiWrongType : kUiBadAttribute;
    if (!value) return kUiWrongType;
    item->name = value;
    NotifyMenu(panel, menuItem);
    return 0;
}
