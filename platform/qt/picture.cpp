#include "platform/qt/picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace qtui {

PictureWidget::PictureWidget(QWidget* parent) : QWidget(parent) {}

void PictureWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    QLinearGradient background(frame.topLeft(), frame.bottomLeft());
    background.setColorAt(0, QColor(0xF4, 0xF8, 0xFC));
    background.setColorAt(1, QColor(0xD6, 0xE2, 0xEE));
    painter.setPen(QPen(QColor(0x50, 0x64, 0x78), 1));
    painter.setBrush(background);
    painter.drawRoundedRect(frame, 6, 6);

    const QRectF plot = frame.adjusted(8, 8, -8, -8);
    const double level = plot.top() + plot.height() * 0.3;
    const double stepAt = plot.left() + plot.width() * 0.15;
    painter.setPen(QPen(QColor(0x1F, 0x5F, 0xBF), 1.5, Qt::DashLine));
    painter.drawLine(QPointF(plot.left(), plot.bottom()), QPointF(stepAt, plot.bottom()));
    painter.drawLine(QPointF(stepAt, plot.bottom()), QPointF(stepAt, level));
    painter.drawLine(QPointF(stepAt, level), QPointF(plot.right(), level));

    // A damped oscillation settling onto the setpoint.
    QPainterPath response(QPointF(stepAt, plot.bottom()));
    const double span = plot.right() - stepAt;
    for (int i = 1; i <= 60; ++i) {
        const double t = i / 60.0;
        const double y = 1 - std::exp(-5 * t) * std::cos(14 * t);
        response.lineTo(stepAt + span * t, plot.bottom() - (plot.bottom() - level) * y);
    }
    painter.setPen(QPen(QColor(0xD9, 0x48, 0x0F), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(response);
}

}  // namespace qtui
