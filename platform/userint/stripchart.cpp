// The strip chart: one screen of points per trace in a ring buffer, so the
// chart never grows however long the program runs.
#include <cmath>

#include "platform/userint/modeldata.h"

using namespace userint;
using namespace userint::detail;

namespace {

ControlState* Chart(int panel, int chart, int* status) {
    ControlState* c = MutableControl(panel, chart, status);
    if (c && c->resource->kind != ControlKind::StripChart) {
        *status = kUiWrongType;
        return nullptr;
    }
    return c;
}

}  // namespace

namespace userint {

std::vector<double> ChartTrace(int panel, int chart, int trace) {
    int status = 0;
    const ControlState* c = Chart(panel, chart, &status);
    if (!c || trace < 0 || trace >= static_cast<int>(c->chart.size())) return {};
    const std::vector<double>& ring = c->chart[trace];
    std::vector<double> points;
    points.reserve(static_cast<std::size_t>(c->chartCount));
    for (int i = 0; i < c->chartCount; ++i) {
        points.push_back(ring[(c->chartStart + i) % ring.size()]);
    }
    return points;
}

}  // namespace userint

int PlotStripChart(int panel, int chart, const double* values, int count) {
    int status = 0;
    ControlState* c = Chart(panel, chart, &status);
    if (!c) return status;
    if (!values || count != static_cast<int>(c->chart.size()) || count == 0) {
        return kUiValueRefused;
    }
    const int capacity = static_cast<int>(c->chart.front().size());
    const int slot = (c->chartStart + c->chartCount) % capacity;
    for (int i = 0; i < count; ++i)
        c->chart[i][slot] = values[i];
    if (c->chartCount < capacity) {
        ++c->chartCount;
    } else {
        c->chartStart = (c->chartStart + 1) % capacity;
    }
    NotifyControl(panel, chart);
    return 0;
}

int SetTraceAttribute(int panel, int chart, int trace, int attribute, const char* value) {
    int status = 0;
    ControlState* c = Chart(panel, chart, &status);
    if (!c) return status;
    if (attribute != ATTR_TRACE_LG_TEXT) return kUiBadAttribute;
    if (!value) return kUiWrongType;
    if (trace < 1 || trace > static_cast<int>(c->traceNames.size())) return kUiValueRefused;
    c->traceNames[static_cast<std::size_t>(trace - 1)] = value;
    NotifyControl(panel, chart);
    return 0;
}

int SetAxisScalingMode(int panel, int chart, int axis, int mode, double min, double max) {
    int status = 0;
    ControlState* c = Chart(panel, chart, &status);
    if (!c) return status;
    if (axis != VAL_LEFT_YAXIS || (mode != VAL_MANUAL && mode != VAL_AUTOSCALE)) {
        return kUiBadAttribute;
    }
    if (mode == VAL_MANUAL && !(min <= max && std::isfinite(min) && std::isfinite(max))) {
        return kUiValueRefused;
    }
    c->axisManual = mode == VAL_MANUAL;
    if (c->axisManual) {
        c->axisMin = min;
        c->axisMax = max;
    }
    NotifyControl(panel, chart);
    return 0;
}
