#include "platform/qt/stripchart.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "platform/userint/model.h"

namespace qtui {

namespace {

constexpr int kDivisions = 5;
constexpr int kMargin = 6;
constexpr int kLegendGap = 3;
constexpr int kLegendSample = 16;  // the piece of line before a trace's name

QString AxisNumber(double value, double span) {
    // Enough digits to tell the grid lines apart, no more.
    const double step = span / kDivisions;
    const int decimals =
        step > 0 ? std::clamp(1 - static_cast<int>(std::floor(std::log10(step))), 0, 6) : 0;
    return QString::number(value, 'f', decimals);
}

}  // namespace

StripChartWidget::StripChartWidget(int panel, int control, QWidget* parent)
    : QWidget(parent), m_panel(panel), m_control(control) {
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QColor StripChartWidget::traceColor(int trace) {
    static const QColor colors[] = {QColor(0x1F, 0x5F, 0xBF), QColor(0xD9, 0x48, 0x0F),
                                    QColor(0x2E, 0x8B, 0x57), QColor(0x80, 0x40, 0xA0)};
    return colors[trace % 4];
}

QRect StripChartWidget::plotRect() const {
    const QFontMetrics metrics = fontMetrics();
    const auto [min, max] = valueRange();
    const double span = max - min;
    const int numbers = std::max(metrics.horizontalAdvance(AxisNumber(min, span)),
                                 metrics.horizontalAdvance(AxisNumber(max, span)));
    // The value axis name stands turned along the left edge.
    const int left = kMargin + metrics.height() + 4 + numbers + 4;
    // Named traces take a line above the plot, so the legend never covers a curve.
    const int top = kMargin + (hasLegend() ? metrics.height() + kLegendGap : metrics.height() / 2);
    const int bottom = height() - kMargin - metrics.height() - 2;
    return QRect(QPoint(left, top), QPoint(width() - kMargin - 4, bottom));
}

std::pair<double, double> StripChartWidget::valueRange() const {
    const userint::ControlState* state = userint::FindControl(m_panel, m_control);
    if (!state) return {0, 10};
    double min = state->axisMin;
    double max = state->axisMax;
    if (!state->axisManual) {
        bool any = false;
        for (std::size_t t = 0; t < state->chart.size(); ++t) {
            for (double v : userint::ChartTrace(m_panel, m_control, static_cast<int>(t))) {
                if (std::isnan(v)) continue;
                min = any ? std::min(min, v) : v;
                max = any ? std::max(max, v) : v;
                any = true;
            }
        }
    }
    // A range of no width would put every point on one line and divide by zero.
    if (!(max > min)) {
        min -= 0.5;
        max += 0.5;
    }
    return {min, max};
}

void StripChartWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect plot = plotRect();
    const auto [min, max] = valueRange();
    painter.fillRect(plot, Qt::white);
    drawAxes(painter, plot, min, max);
    painter.save();
    painter.setClipRect(plot.adjusted(1, 1, 0, 0));
    painter.setRenderHint(QPainter::Antialiasing);
    drawTraces(painter, plot, min, max);
    painter.restore();
    drawLegend(painter, plot);
}

bool StripChartWidget::hasLegend() const {
    const userint::ControlState* state = userint::FindControl(m_panel, m_control);
    return state && std::any_of(state->traceNames.begin(), state->traceNames.end(),
                                [](const std::string& name) { return !name.empty(); });
}

void StripChartWidget::drawLegend(QPainter& painter, const QRect& plot) const {
    const userint::ControlState* state = userint::FindControl(m_panel, m_control);
    if (!state || !hasLegend()) return;
    // Bold, so the lighter trace colours still read well as text.
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const QFontMetrics metrics(bold);
    const int top = plot.top() - kLegendGap - metrics.height();
    const int middle = top + metrics.height() / 2;
    int x = plot.left();
    for (std::size_t t = 0; t < state->traceNames.size(); ++t) {
        const QString name = QString::fromUtf8(state->traceNames[t]);
        if (name.isEmpty()) continue;
        QColor color = traceColor(static_cast<int>(t));
        if (!isEnabled()) color.setAlpha(110);
        painter.setPen(QPen(color, 2));
        painter.drawLine(x, middle, x + kLegendSample - 4, middle);
        x += kLegendSample;
        const int width = metrics.horizontalAdvance(name);
        painter.drawText(QRect(x, top, width + 1, metrics.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, name);
        x += width + 2 * kLegendSample;
    }
}

void StripChartWidget::drawAxes(QPainter& painter, const QRect& plot, double min,
                                double max) const {
    const userint::ControlState* state = userint::FindControl(m_panel, m_control);
    const QColor text =
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText);
    painter.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), 1, Qt::DotLine));
    for (int i = 1; i < kDivisions; ++i) {
        const int x = plot.left() + plot.width() * i / kDivisions;
        const int y = plot.top() + plot.height() * i / kDivisions;
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.drawLine(plot.left(), y, plot.right(), y);
    }
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(plot);

    const QFontMetrics metrics = fontMetrics();
    painter.setPen(text);
    for (int i = 0; i <= kDivisions; ++i) {
        const double value = min + (max - min) * i / kDivisions;
        const int y = plot.bottom() - plot.height() * i / kDivisions;
        const QRect box(0, y - metrics.height() / 2, plot.left() - 4, metrics.height());
        painter.drawText(box, Qt::AlignRight | Qt::AlignVCenter, AxisNumber(value, max - min));
    }
    if (!state) return;
    const QRect below(plot.left(), plot.bottom() + 2, plot.width(), metrics.height());
    painter.drawText(below, Qt::AlignCenter, QString::fromUtf8(state->xName));
    painter.save();
    painter.translate(kMargin, plot.center().y());
    painter.rotate(-90);
    painter.drawText(QRect(-plot.height() / 2, 0, plot.height(), metrics.height()), Qt::AlignCenter,
                     QString::fromUtf8(state->yName));
    painter.restore();
}

void StripChartWidget::drawTraces(QPainter& painter, const QRect& plot, double min,
                                  double max) const {
    const userint::ControlState* state = userint::FindControl(m_panel, m_control);
    if (!state) return;
    const int screen = std::max(state->resource->pointsPerScreen, 2);
    const double dx = static_cast<double>(plot.width()) / (screen - 1);
    const double scale = plot.height() / (max - min);
    for (std::size_t t = 0; t < state->chart.size(); ++t) {
        const std::vector<double> points =
            userint::ChartTrace(m_panel, m_control, static_cast<int>(t));
        // A NaN ends a piece of line; a value alone between gaps is a dot.
        QPainterPath path;
        QPolygonF dots;
        int run = 0;
        for (std::size_t i = 0; i <= points.size(); ++i) {
            if (i == points.size() || std::isnan(points[i])) {
                if (run == 1) dots << path.currentPosition();
                run = 0;
                continue;
            }
            // Far outside values are pinned near the plot so the path stays drawable.
            const double v = std::clamp(points[i], min - (max - min), max + (max - min));
            const QPointF p(plot.left() + dx * static_cast<double>(i),
                            plot.bottom() - (v - min) * scale);
            if (run++ == 0) {
                path.moveTo(p);
            } else {
                path.lineTo(p);
            }
        }
        QColor color = traceColor(static_cast<int>(t));
        if (!isEnabled()) color.setAlpha(110);
        painter.setPen(QPen(color, 1.6));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.drawPoints(dots);
    }
}

}  // namespace qtui
