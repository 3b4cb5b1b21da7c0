// An LED: a round lamp in its on-colour when lit, dark when not. A checkable
// button, so assistive technology reads its state, that the operator cannot
// change: it takes no focus, ignores the mouse, and a click or toggle from
// elsewhere is undone; only setLit switches it.
#pragma once

#include <QAbstractButton>
#include <QColor>

namespace qtui {

class LedWidget final : public QAbstractButton {
    Q_OBJECT

  public:
    explicit LedWidget(QWidget* parent = nullptr);

    void setLit(bool lit);
    void setOnColor(const QColor& color);
    QColor onColor() const { return m_onColor; }
    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
    void nextCheckState() override;

  private:
    bool m_lit = false;
    QColor m_onColor{0x00, 0xFF, 0x00};
};

}  // namespace qtui
