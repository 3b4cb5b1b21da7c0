// Control attributes and keyboard focus.
#include <algorithm>
#include <cmath>

#include "platform/userint/modeldata.h"

using namespace userint;
using namespace userint::detail;

namespace {

bool IsKind(const ControlState& c, ControlKind kind) {
    return c.resource->kind == kind;
}

// An attribute the caller's switch does not handle: a known one asked for with
// the wrong value type, or one that does not exist.
int OtherAttribute(int attribute) {
    const bool control =
        (attribute >= ATTR_DIMMED && attribute <= ATTR_LABEL_TEXT) || attribute == ATTR_TOOLTIP;
    return control ? kUiWrongType : kUiBadAttribute;
}

// A numeric value is kept inside its range whenever the range changes.
void Coerce(ControlState& c) {
    if (IsKind(c, ControlKind::Numeric)) c.number = std::clamp(c.number, c.min, c.max);
}

int SetNumber(ControlState& c, int attribute, double value) {
    if (std::isnan(value)) return kUiValueRefused;
    switch (attribute) {
        case ATTR_DIMMED:
            c.dimmed = value != 0;
            return 0;
        case ATTR_MIN_VALUE:
        case ATTR_MAX_VALUE:
        case ATTR_INCR_VALUE:
            if (!IsKind(c, ControlKind::Numeric)) return kUiBadAttribute;
            if (attribute == ATTR_INCR_VALUE) {
                if (!std::isfinite(value) || value < 0) return kUiValueRefused;
                c.increment = value;
                return 0;
            }
            if (attribute == ATTR_MIN_VALUE ? value > c.max : value < c.min) {
                return kUiValueRefused;
            }
            (attribute == ATTR_MIN_VALUE ? c.min : c.max) = value;
            Coerce(c);
            return 0;
        case ATTR_PRECISION:
            if (!IsKind(c, ControlKind::Numeric)) return kUiBadAttribute;
            if (value < 0 || value > kMaxPrecision || value != std::floor(value)) {
                return kUiValueRefused;
            }
            c.precision = static_cast<int>(value);
            return 0;
        case ATTR_MAX_ENTRY_LENGTH:
            if (!IsKind(c, ControlKind::String)) return kUiBadAttribute;
            if (value < -1 || value != std::floor(value)) return kUiValueRefused;
            c.maxEntryLength = static_cast<int>(value);
            return 0;
        case ATTR_ON_COLOR:
            if (!IsKind(c, ControlKind::Led)) return kUiBadAttribute;
            if (value < 0 || value > 0xFFFFFF) return kUiValueRefused;
            c.onColor = static_cast<int>(value);
            return 0;
        default:
            return OtherAttribute(attribute);
    }
}

int SetText(ControlState& c, int attribute, const char* value) {
    if (!value) return kUiWrongType;
    switch (attribute) {
        case ATTR_LABEL_TEXT:
            c.label = value;
            return 0;
        case ATTR_TOOLTIP:
            c.tooltip = value;
            return 0;
        case ATTR_XNAME:
        case ATTR_YNAME:
            if (!IsKind(c, ControlKind::StripChart)) return kUiBadAttribute;
            (attribute == ATTR_XNAME ? c.xName : c.yName) = value;
            return 0;
        default:
            return OtherAttribute(attribute);
    }
}

int GetNumber(const ControlState& c, int attribute, double* value) {
    switch (attribute) {
        case ATTR_DIMMED:
            *value = c.dimmed ? 1 : 0;
            return 0;
        case ATTR_MIN_VALUE:
        case ATTR_MAX_VALUE:
        case ATTR_INCR_VALUE:
        case ATTR_PRECISION:
            if (!IsKind(c, ControlKind::Numeric)) return kUiBadAttribute;
            *value = attribute == ATTR_MIN_VALUE    ? c.min
                     : attribute == ATTR_MAX_VALUE  ? c.max
                     : attribute == ATTR_INCR_VALUE ? c.increment
                                                    : c.precision;
            return 0;
        case ATTR_MAX_ENTRY_LENGTH:
            if (!IsKind(c, ControlKind::String)) return kUiBadAttribute;
            *value = c.maxEntryLength;
            return 0;
        case ATTR_ON_COLOR:
            if (!IsKind(c, ControlKind::Led)) return kUiBadAttribute;
            *value = c.onColor;
            return 0;
        default:
            return OtherAttribute(attribute);
    }
}

template <typename Apply>
int Change(int panel, int control, Apply apply) {
    int status = 0;
    ControlState* c = MutableControl(panel, control, &status);
    if (!c) return status;
    status = apply(*c);
    if (status == 0) NotifyControl(panel, control);
    return status;
}

}  // namespace

int SetCtrlAttribute(int panel, int control, int attribute, double value) {
    return Change(panel, control, [&](ControlState& c) { return SetNumber(c, attribute, value); });
}

int SetCtrlAttribute(int panel, int control, int attribute, int value) {
    return SetCtrlAttribute(panel, control, attribute, static_cast<double>(value));
}

int SetCtrlAttribute(int panel, int control, int attribute, const char* value) {
    return Change(panel, control, [&](ControlState& c) { return SetText(c, attribute, value); });
}

int GetCtrlAttribute(int panel, int control, int attribute, double* value) {
    int status = 0;
    const ControlState* c = MutableControl(panel, control, &status);
    if (!c) return status;
    if (!value) return kUiWrongType;
    return GetNumber(*c, attribute, value);
}

int GetCtrlAttribute(int panel, int control, int attribute, int* value) {
    double number = 0;
    const int status = GetCtrlAttribute(panel, control, attribute, &number);
    if (status != 0) return status;
    if (!value || attribute == ATTR_MIN_VALUE || attribute == ATTR_MAX_VALUE ||
        attribute == ATTR_INCR_VALUE) {
        return kUiWrongType;
    }
    *value = static_cast<int>(number);
    return 0;
}

int GetCtrlAttribute(int panel, int control, int attribute, std::string* value) {
    int status = 0;
    const ControlState* c = MutableControl(panel, control, &status);
    if (!c) return status;
    if (!value) return kUiWrongType;
    switch (attribute) {
        case ATTR_LABEL_TEXT:
            *value = c->label;
            return 0;
        case ATTR_TOOLTIP:
            *value = c->tooltip;
            return 0;
        case ATTR_XNAME:
        case ATTR_YNAME:
            if (!IsKind(*c, ControlKind::StripChart)) return kUiBadAttribute;
            *value = attribute == ATTR_XNAME ? c->xName : c->yName;
            return 0;
        default:
            return OtherAttribute(attribute);
    }
}

int SetActiveCtrl(int panel, int control) {
    int status = 0;
    if (!MutableControl(panel, control, &status)) return status;
    if (Data().view) Data().view->focusRequested(panel, control);
    return 0;
}
