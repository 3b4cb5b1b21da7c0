// The static description of panels, controls and menus that LoadPanel
// instantiates. The application registers its resource once at start-up;
// the descriptions must outlive every panel loaded from them.
#pragma once

#include <limits>
#include <string>
#include <vector>

#include "platform/userint/userint.h"

namespace userint {

enum class ControlKind {
    Numeric,
    String,
    TextMessage,
    Led,
    CommandButton,
    ToggleButton,
    Ring,
    CheckBox,
    StripChart,
    Timer,
    Decoration,
    Picture,
    TabControl,
};

enum class ValueType { None, Integer, Double, Text };

// Where a control's label stands relative to the control's box.
enum class LabelPosition { Above, Left, Right };

struct Geometry {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct RingItem {
    std::string label;
    double value;
};

inline constexpr double kUnbounded = std::numeric_limits<double>::infinity();

struct ControlResource {
    int id = 0;
    std::string constant;  // "SOLLWERT1", as the program's texts name it
    ControlKind kind = ControlKind::Decoration;
    std::string label;  // label, button text, message text; toggle: the released text
    LabelPosition labelPosition = LabelPosition::Above;
    ValueType type = ValueType::None;
    double defaultValue = 0;
    std::string defaultText;
    double min = -kUnbounded;
    double max = kUnbounded;
    double increment = 1;
    int precision = 0;
    bool indicator = false;              // shows values, takes no operator input
    bool dimmed = false;                 // at load
    std::string callbackName;            // as the resource names it
    CtrlCallbackPtr callback = nullptr;  // attached once that callback exists
    std::vector<RingItem> items;         // ring
    std::string pressedText;             // toggle button: text while pressed
    int maxEntryLength = -1;             // string: -1 no limit
    double timerInterval = 0;            // timer: seconds between ticks
    int traces = 0;                      // strip chart
    int pointsPerScreen = 0;             // strip chart
    std::string xName;                   // strip chart axis names
    std::string yName;
    bool axisManual = false;  // strip chart value axis at load
    double axisMin = 0;
    double axisMax = 10;
    std::vector<int> tabPages;           // tab control: panel resource ids of its pages
    std::vector<std::string> tabLabels;  // tab control: the page labels
    Geometry geometry;
};

struct MenuItemResource {
    int id = 0;
    std::string constant;
    std::string label;  // empty for a separator
    std::string callbackName;
    MenuCallbackPtr callback = nullptr;
    bool separator = false;
    bool dimmed = false;  // at load
};

struct MenuResource {
    int id = 0;
    std::string constant;
    std::string label;
    std::vector<MenuItemResource> items;
};

struct PanelResource {
    int id = 0;
    std::string constant;  // "PANEL"
    std::string title;
    int width = 0;
    int height = 0;
    std::string callbackName;
    PanelCallbackPtr callback = nullptr;
    std::vector<ControlResource> controls;
    std::vector<MenuResource> menuBar;
    int escapeControl = 0;  // the button that Escape presses; 0: none
};

struct Resource {
    std::string name;
    std::vector<PanelResource> panels;
};

// Makes the resource known to LoadPanel under its name (replacing one of the
// same name).
void RegisterResource(const Resource& resource);

// The callbacks that the registered resource of that name names but that
// have none attached, as "PANEL.CONTROL: name"; empty when all resolve.
std::vector<std::string> UnattachedCallbacks(const std::string& resourceName);

}  // namespace userint
