#include "platform/qt/led.h"

#include <QPainter>
#include <QRadialGradient>

namespace qtui {

LedWidget::LedWidget(QWidget* parent) : QAbstractButton(parent) {
    setCheckable(true);
    setFocusPolicy(Qt::NoFocus);
    connect(this, &QAbstractButton::toggled, this, [this](bool on) {
        if (on != m_lit) setChecked(m_lit);
    });
}

void LedWidget::setLit(bool lit) {
    m_lit = lit;
    setChecked(lit);
}

void LedWidget::setOnColor(const QColor& color) {
    m_onColor = color;
    update();
}

QSize LedWidget::sizeHint() const {
    return {16, 16};
}

void LedWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height()) - 2;
    const QRectF lamp((width() - side) / 2.0, (height() - side) / 2.0, side, side);

    QColor base = isChecked() ? m_onColor : m_onColor.darker(400);
    if (!isEnabled()) base = QColor::fromHsv(base.hue(), base.saturation() / 4, base.value());
    // A highlight up left, so the lamp reads as a lamp and not as a dot.
    QRadialGradient gradient(lamp.center() - QPointF(side / 6.0, side / 6.0), side / 1.6);
    gradient.setColorAt(0, base.lighter(isChecked() ? 160 : 130));
    gradient.setColorAt(1, base);
    painter.setBrush(gradient);
    painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
    painter.drawEllipse(lamp);
}

bool LedWidget::hitButton(const QPoint&) const {
    return false;
}

void LedWidget::nextCheckState() {}

}  // namespace qtui
