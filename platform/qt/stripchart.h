// The strip chart: a white plot with a grey grid of 5 divisions on each axis,
// the value axis labelled with its range, the axis names below and beside
// it, one line per trace from the model's ring buffers (broken where a value
// is NaN), and above the plot a legend of the traces that have a name. It draws
// whatever the model holds when it is painted; the view asks for a paint on
// each change of the chart.
#pragma once

#include <QWidget>
#include <utility>

namespace qtui {

class StripChartWidget final : public QWidget {
    Q_OBJECT

  public:
    StripChartWidget(int panel, int control, QWidget* parent = nullptr);

    // The area inside the axes where the traces are drawn.
    QRect plotRect() const;
    // The value range the value axis shows now.
    std::pair<double, double> valueRange() const;
    static QColor traceColor(int trace);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    bool hasLegend() const;
    void drawLegend(QPainter& painter, const QRect& plot) const;
    void drawAxes(QPainter& painter, const QRect& plot, double min, double max) const;
    void drawTraces(QPainter& painter, const QRect& plot, double min, double max) const;

    int m_panel = 0;
    int m_control = 0;
};

}  // namespace qtui
