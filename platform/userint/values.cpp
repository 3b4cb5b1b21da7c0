// Control values: typed access, coercion into the range, operator input.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/userint/modeldata.h"
#include "platform/utf8.h"

namespace userint {
namespace detail {

bool HasNumericValue(const ControlState& c) {
    switch (c.resource->kind) {
        case ControlKind::Numeric:
        case ControlKind::Ring:
        case ControlKind::Led:
        case ControlKind::ToggleButton:
        case ControlKind::CheckBox:
            return true;
        default:
            return false;
    }
}

bool HasTextValue(const ControlState& c) {
    return c.resource->kind == ControlKind::String || c.resource->kind == ControlKind::TextMessage;
}

}  // namespace detail

using namespace detail;

namespace {

bool IsInteger(const ControlState& c) {
    const ControlKind kind = c.resource->kind;
    if (kind == ControlKind::Numeric || kind == ControlKind::Ring) {
        return c.resource->type == ValueType::Integer;
    }
    return HasNumericValue(c);  // LED, toggle, check box
}

int StoreNumber(int panel, int control, double value, bool integer) {
    int status = 0;
    ControlState* c = MutableControl(panel, control, &status);
    if (!c) return status;
    if (!HasNumericValue(*c) || IsInteger(*c) != integer) return kUiWrongType;
    if (std::isnan(value)) return kUiValueRefused;
    switch (c->resource->kind) {
        case ControlKind::Ring: {
            const auto& items = c->resource->items;
            if (std::none_of(items.begin(), items.end(),
                             [&](const RingItem& item) { return item.value == value; })) {
                return kUiValueRefused;
            }
            c->number = value;
            break;
        }
        case ControlKind::Numeric:
            c->number = std::clamp(value, c->min, c->max);
            break;
        default:
            c->number = value != 0 ? 1 : 0;
            break;
    }
    NotifyControl(panel, control);
    return 0;
}

int StoreText(int panel, int control, const char* text) {
    int status = 0;
    ControlState* c = MutableControl(panel, control, &status);
    if (!c) return status;
    if (!HasTextValue(*c) || !text) return kUiWrongType;
    const std::string value(text);
    if (c->maxEntryLength >= 0 &&
        platform::CountCharacters(value) > static_cast<std::size_t>(c->maxEntryLength)) {
        return kUiValueRefused;
    }
    c->text = value;
    NotifyControl(panel, control);
    return 0;
}

template <typename Out>
int ReadNumber(int panel, int control, Out* value, bool integer) {
    int status = 0;
    const ControlState* c = MutableControl(panel, control, &status);
    if (!c) return status;
    if (!HasNumericValue(*c) || IsInteger(*c) != integer || !value) return kUiWrongType;
    *value = static_cast<Out>(c->number);
    return 0;
}

}  // namespace

int OperatorSetValue(int panel, int control, double value) {
    int status = 0;
    const ControlState* c = MutableControl(panel, control, &status);
    if (!c) return status;
    const bool integer = IsInteger(*c);
    return StoreNumber(panel, control, integer ? std::round(value) : value, integer);
}

int OperatorSetValue(int panel, int control, const std::string& text) {
    return StoreText(panel, control, text.c_str());
}

int OperatorSelectTab(int panel, int tabControl, int page) {
    int status = 0;
    ControlState* c = MutableControl(panel, tabControl, &status);
    if (!c) return status;
    if (c->resource->kind != ControlKind::TabControl || page < 0 ||
        page >= static_cast<int>(c->pages.size())) {
        return kUiBadTabPage;
    }
    c->activePage = page;
    NotifyControl(panel, tabControl);
    return 0;
}

}  // namespace userint

using namespace userint;
using namespace userint::detail;

int GetCtrlVal(int panel, int control, double* value) {
    return ReadNumber(panel, control, value, false);
}

int GetCtrlVal(int panel, int control, int* value) {
    return ReadNumber(panel, control, value, true);
}

int GetCtrlVal(int panel, int control, std::string* value) {
    int status = 0;
    const ControlState* c = MutableControl(panel, control, &status);
    if (!c) return status;
    if (!HasTextValue(*c) || !value) return kUiWrongType;
    *value = c->text;
    return 0;
}

int GetCtrlVal(int panel, int control, char* buffer, std::size_t bufferSize) {
    std::string text;
    const int status = GetCtrlVal(panel, control, &text);
    if (status != 0) return status;
    if (!buffer || bufferSize == 0) return kUiWrongType;
    const std::size_t length = std::min(text.size(), bufferSize - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return 0;
}

int SetCtrlVal(int panel, int control, double value) {
    return StoreNumber(panel, control, value, false);
}

int SetCtrlVal(int panel, int control, int value) {
    return StoreNumber(panel, control, value, true);
}

int SetCtrlVal(int panel, int control, const char* value) {
    return StoreText(panel, control, value);
}
