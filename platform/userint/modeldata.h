// The one instance of the model's data, shared by the files that implement
// the operations. Internal to platform/userint.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "platform/userint/model.h"
#include "platform/userint/view.h"

namespace userint::detail {

struct ModelData {
    std::vector<std::unique_ptr<Resource>> resources;
    std::map<int, PanelState> panels;  // by handle
    std::vector<int> loadOrder;
    std::vector<int> popups;
    int nextHandle = 1;
    View* view = nullptr;
    Dialogs* dialogs = nullptr;
    bool callbackRunning = false;
    bool timerRunning = false;
    bool quitRequested = false;
    int quitCode = 0;
    std::deque<std::function<void()>> posted;
};

ModelData& Data();

PanelState* MutablePanel(int panel);
// The control, or nullptr with *status set to kUiBadPanel or kUiBadControl.
ControlState* MutableControl(int panel, int control, int* status);

void NotifyControl(int panel, int control);
void NotifyPanel(int panel);
void NotifyMenu(int panel, int menuItem);

bool HasNumericValue(const ControlState& c);
bool HasTextValue(const ControlState& c);

}  // namespace userint::detail
