// A numeric field: QSpinBox or QDoubleSpinBox that also reports Enter when
// the value stayed as it was, since Enter commits a field even then. Without
// keyboard tracking, valueChanged covers the rest: a changed value on Enter
// or on leaving the field, and every arrow step. No Q_OBJECT on purpose: the
// field keeps its base class's meta-object, so assistive technology sees a
// plain spin box.
#pragma once

#include <QKeyEvent>
#include <functional>
#include <utility>

namespace qtui {

template <typename SpinBox>
class NumericField final : public SpinBox {
  public:
    explicit NumericField(QWidget* parent) : SpinBox(parent) {
        SpinBox::setKeyboardTracking(false);
        QObject::connect(this, &SpinBox::valueChanged, this, [this] { m_changed = true; });
    }

    void setEnterWithoutChange(std::function<void()> handler) {
        m_enterWithoutChange = std::move(handler);
    }

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        m_changed = false;
        SpinBox::keyPressEvent(event);
        if (enter && !m_changed && !SpinBox::isReadOnly() && m_enterWithoutChange) {
            m_enterWithoutChange();
        }
    }

  private:
    bool m_changed = false;
    std::function<void()> m_enterWithoutChange;
};

}  // namespace qtui
