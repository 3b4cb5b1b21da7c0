// A numeric field: QSpinBox or QDoubleSpinBox that also reports Enter when
// the value stayed as it was, since Enter commits a field even then. Without
// keyboard tracking, valueChanged covers the rest: a changed value on Enter
// or on leaving the field, and every arrow step. No Q_OBJECT on purpose: the
// field keeps its base class's meta-object, so assistive technology sees a
// plain spin box.
//
// Typing is freer than the spin boxes allow: a number beyond the range can be
// typed in full and becomes the range limit when committed, as the model
// coerces values (the spin boxes would drop the keystroke that leaves the
// range), and a decimal comma is taken as the point the field shows.
#pragma once

#include <QDoubleSpinBox>
#include <QKeyEvent>
#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <functional>
#include <type_traits>
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

    QValidator::State validate(QString& input, int& pos) const override {
        input.replace(QLatin1Char(','), QLatin1Char('.'));
        const QValidator::State state = SpinBox::validate(input, pos);
        if (state != QValidator::Invalid) return state;
        return numberPattern().match(input).hasMatch() ? QValidator::Intermediate
                                                       : QValidator::Invalid;
    }

    void fixup(QString& input) const override {
        bool ok = false;
        const double number = QLocale::c().toDouble(input, &ok);
        if (!ok) return SpinBox::fixup(input);
        using Value = decltype(SpinBox::value());
        const Value limited =
            static_cast<Value>(std::clamp<double>(number, static_cast<double>(SpinBox::minimum()),
                                                  static_cast<double>(SpinBox::maximum())));
        input = SpinBox::textFromValue(limited);
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
    // A sign and digits, and as many decimals as the field shows.
    QRegularExpression numberPattern() const {
        int decimals = 0;
        if constexpr (std::is_base_of_v<QDoubleSpinBox, SpinBox>) decimals = SpinBox::decimals();
        return QRegularExpression(decimals == 0
                                      ? QStringLiteral("^[+-]?\\d*$")
                                      : QStringLiteral("^[+-]?\\d*(\\.\\d{0,%1})?$").arg(decimals));
    }

    bool m_changed = false;
    std::function<void()> m_enterWithoutChange;
};

}  // namespace qtui
