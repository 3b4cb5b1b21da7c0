// Read access to the live model for the view and for tests, and the entry
// points through which operator actions reach it. Callbacks are dispatched one
// at a time: an event that arrives while a callback runs is dropped (operator
// input cannot arrive then, since the view does not process input during a
// callback). Only the timer keeps ticking while a callback waits in a modal
// dialog, so that what it drives goes on behind any dialog.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/userint/resource.h"

namespace userint {

struct ControlState {
    const ControlResource* resource = nullptr;
    double number = 0;  // numeric, LED, toggle, check box, ring
    std::string text;   // string, text message
    bool dimmed = false;
    double min = -kUnbounded;
    double max = kUnbounded;
    double increment = 1;
    int precision = 0;
    int maxEntryLength = -1;
    int onColor = kRgbGreen;
    std::string label;
    std::string tooltip;
    std::string xName;
    std::string yName;
    std::vector<int> pages;  // tab control: page panel handles
    int activePage = 0;
    // Strip chart: one ring buffer per trace, chartCount points valid, the
    // oldest at chartStart.
    std::vector<std::vector<double>> chart;  // NaN: a gap
    std::vector<std::string> traceNames;     // the legend, one per trace
    int chartStart = 0;
    int chartCount = 0;
    bool axisManual = false;
    double axisMin = 0;
    double axisMax = 10;
};

struct MenuItemState {
    std::string name;
    bool dimmed = false;
};

struct PanelState {
    int handle = 0;
    const PanelResource* resource = nullptr;
    int parent = 0;
    bool visible = false;
    bool tabPage = false;
    std::string title;
    std::vector<ControlState> controls;  // in resource order
    // The menu bar's items by id, separators left out.
    std::map<int, MenuItemState> menuItems;
};

const PanelState* FindPanel(int panel);
const ControlState* FindControl(int panel, int control);
std::vector<int> PanelHandles();  // in load order
// The popups, bottom first.
const std::vector<int>& Popups();
// The points of one trace, oldest first.
std::vector<double> ChartTrace(int panel, int chart, int trace);

// Operator input: sets a value as the operator entered it (coerced into the
// range like SetCtrlVal) without raising an event.
int OperatorSetValue(int panel, int control, double value);
int OperatorSetValue(int panel, int control, const std::string& text);
int OperatorSelectTab(int panel, int tabControl, int page);

// Dispatch an event to its callback; false when it was dropped because a
// callback is running, or when the target has no callback.
bool DispatchCommit(int panel, int control);
bool DispatchPanelEvent(int panel, int event);  // close, focus
bool DispatchMenu(int panel, int menuItem);
bool DispatchTimerTick(int panel, int control);
bool CallbackRunning();

// Headless event loop: work posted here, and work posted to the UI thread
// (uithread.h), runs in order inside RunUserInterface when no view is
// installed; the loop returns when none is left or QuitUserInterface was called.
void PostToLoop(std::function<void()> work);

// Discards every panel and popup and forgets the resources (tests).
void ResetModel();

}  // namespace userint
