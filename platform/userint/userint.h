// The user-interface operations the program is written against, over the
// headless model of panels, controls, menus and the timer. Every operation
// returns 0 (or a handle) on success and a negative UiStatus on misuse, which
// then changes nothing. Values keep full precision; a numeric control's
// precision is display only. Runs on one thread, the one that runs the loop.
#pragma once

#include <cstddef>
#include <string>

enum UiStatus {
    kUiBadPanel = -1,      // no panel with that handle
    kUiBadControl = -2,    // no control with that id on the panel
    kUiWrongType = -3,     // value or attribute of another type than the control's
    kUiValueRefused = -4,  // NaN, not a ring item, text longer than allowed, min above max
    kUiBadAttribute = -5,  // attribute that this kind of control does not have
    kUiNoResource = -6,    // resource or panel not in the registered resource
    kUiBadTabPage = -7,    // not a tab control, or no such page
    kUiNoPopup = -8,       // RemovePopup without a popup
    kUiNoDialogs = -9,     // a popup was asked for and no dialog interface is installed
    kUiUnsupported = -10,  // the view cannot do what was asked, or there is none
};

enum UiEvent {
    EVENT_COMMIT = 1,
    EVENT_CLOSE = 2,
    EVENT_TIMER_TICK = 3,
    EVENT_GOT_FOCUS = 4,
    EVENT_LOST_FOCUS = 5,
};

// The most digits after the decimal point a numeric control shows.
inline constexpr int kMaxPrecision = 15;

enum UiAttribute {
    ATTR_DIMMED = 1,            // int 0/1, every control
    ATTR_MIN_VALUE = 2,         // double, numeric
    ATTR_MAX_VALUE = 3,         // double, numeric
    ATTR_INCR_VALUE = 4,        // double, numeric
    ATTR_PRECISION = 5,         // int, numeric: digits after the decimal point, 0..kMaxPrecision
    ATTR_MAX_ENTRY_LENGTH = 6,  // int, string: characters at most (-1: no limit)
    ATTR_ON_COLOR = 7,          // int 0xRRGGBB, LED
    ATTR_XNAME = 8,             // text, strip chart
    ATTR_YNAME = 9,             // text, strip chart
    ATTR_LABEL_TEXT = 10,       // text, every control
    ATTR_ITEM_NAME = 11,        // text, menu item
    ATTR_TOOLTIP = 12,          // text, every control: shown while the pointer rests on it
    ATTR_TITLE = 13,            // text, panel: its window title
    ATTR_TRACE_LG_TEXT = 14,    // text, strip-chart trace: its name in the legend
};

enum { VAL_LEFT_YAXIS = 1 };
enum { VAL_MANUAL = 1, VAL_AUTOSCALE = 2 };
enum { VAL_LOAD_BUTTON = 1, VAL_SAVE_BUTTON = 2 };
enum { VAL_NO_FILE_SELECTED = 0, VAL_EXISTING_FILE_SELECTED = 1, VAL_NEW_FILE_SELECTED = 2 };

inline constexpr int kRgbRed = 0xFF0000;
inline constexpr int kRgbGreen = 0x00FF00;

// Panel and control callbacks return 0; menu callbacks return nothing.
using PanelCallbackPtr = int (*)(int panel, int event);
using CtrlCallbackPtr = int (*)(int panel, int control, int event);
using MenuCallbackPtr = void (*)(int menuItem, int panel);

// Instantiates a panel of a registered resource, with its tab pages, hidden.
// parentPanel 0 makes a top-level window. A handle > 0, or a UiStatus.
int LoadPanel(int parentPanel, const char* resourceName, int panelResourceId);
int GetPanelHandleFromTabPage(int panel, int tabControl, int pageIndex, int* pagePanel);
int DisplayPanel(int panel);
int HidePanel(int panel);
// Shows a panel modally and returns at once; RemovePopup takes the topmost away.
int InstallPopup(int panel);
int RemovePopup(int allPopups);
// Runs the event loop until QuitUserInterface is called from a callback.
int RunUserInterface();
int QuitUserInterface(int returnCode);

int GetCtrlVal(int panel, int control, double* value);
int GetCtrlVal(int panel, int control, int* value);
int GetCtrlVal(int panel, int control, std::string* value);
// Copies the text cut to bufferSize - 1 bytes.
int GetCtrlVal(int panel, int control, char* buffer, std::size_t bufferSize);
int SetCtrlVal(int panel, int control, double value);
int SetCtrlVal(int panel, int control, int value);
int SetCtrlVal(int panel, int control, const char* value);
inline int SetCtrlVal(int panel, int control, const std::string& value) {
    return SetCtrlVal(panel, control, value.c_str());
}

int SetCtrlAttribute(int panel, int control, int attribute, double value);
int SetCtrlAttribute(int panel, int control, int attribute, int value);
int SetCtrlAttribute(int panel, int control, int attribute, const char* value);
int GetCtrlAttribute(int panel, int control, int attribute, double* value);
int GetCtrlAttribute(int panel, int control, int attribute, int* value);
int GetCtrlAttribute(int panel, int control, int attribute, std::string* value);

int SetActiveCtrl(int panel, int control);

// An item of the panel's menu bar: ATTR_DIMMED (a dimmed item cannot be
// chosen) or ATTR_ITEM_NAME.
int SetMenuBarAttribute(int panel, int menuItem, int attribute, int value);
int SetMenuBarAttribute(int panel, int menuItem, int attribute, const char* value);

// A panel's ATTR_TITLE.
int SetPanelAttribute(int panel, int attribute, const char* value);
int GetPanelAttribute(int panel, int attribute, std::string* value);

// Modal box with one OK button; returns once it was acknowledged.
int MessagePopup(const char* title, const char* message);
// Modal box with the buttons "Ja" and "Nein": 1 for Ja, 0 for Nein (closing
// the box is Nein).
int ConfirmPopup(const char* title, const char* message);
// The chosen path in *path and VAL_EXISTING_FILE_SELECTED or
// VAL_NEW_FILE_SELECTED, or VAL_NO_FILE_SELECTED when nothing was chosen.
int FileSelectPopup(const char* directory, const char* pattern, const char* fileTypeList,
                    const char* title, int buttonKind, int restrictDirectory, int restrictExtension,
                    int allowCancel, int allowMakeDirectory, std::string* path);

// Appends one point per trace (count values); the chart keeps one screen. A
// NaN is no value: the trace has a gap there.
int PlotStripChart(int panel, int chart, const double* values, int count);
// ATTR_TRACE_LG_TEXT of trace 1, 2, ... of a strip chart.
int SetTraceAttribute(int panel, int chart, int trace, int attribute, const char* value);
int SetAxisScalingMode(int panel, int chart, int axis, int mode, double min, double max);
// The control as the view shows it, as the bytes of a PNG image; kUiUnsupported
// without a view that draws.
int GetCtrlDisplayPng(int panel, int control, std::string* png);
