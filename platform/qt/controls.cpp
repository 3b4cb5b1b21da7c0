#include "platform/qt/controls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>

#include "platform/qt/keyboard.h"
#include "platform/qt/led.h"
#include "platform/qt/numericfield.h"
#include "platform/qt/picture.h"
#include "platform/qt/stripchart.h"

namespace qtui {

namespace {

using userint::ControlKind;
using userint::ControlResource;
using userint::ControlState;

using DoubleField = NumericField<QDoubleSpinBox>;
using IntegerField = NumericField<QSpinBox>;

constexpr int kLabelLine = 16;  // the resource leaves 16 px per label line
constexpr int kLabelGap = 4;
constexpr int kNoLengthLimit = 32767;

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool HasSideLabel(ControlKind kind) {
    switch (kind) {
        case ControlKind::Numeric:
        case ControlKind::String:
        case ControlKind::Ring:
        case ControlKind::Led:
        case ControlKind::StripChart:
            return true;
        default:
            return false;
    }
}

// The name a screen reader says: the label (a text message's own text) on
// one line, or the constant when there is nothing to read.
QString AccessibleName(const ControlState& state) {
    const bool message = state.resource->kind == ControlKind::TextMessage;
    QString name = FromUtf8(message ? state.text : state.label);
    name.replace(QLatin1Char('\n'), QLatin1Char(' '));
    name = name.simplified();
    return name.isEmpty() ? FromUtf8(state.resource->constant) : name;
}

// What resting the pointer on a control shows: a read-only text field's whole
// text, which its box may cut, then the program's tooltip. Always plain text.
QString ToolTip(const ControlState& state) {
    QStringList parts;
    if (state.resource->kind == ControlKind::String && state.resource->indicator) {
        parts << FromUtf8(state.text);
    }
    parts << FromUtf8(state.tooltip);
    parts.removeAll(QString());
    const QString tip = parts.join(QLatin1Char('\n'));
    return Qt::mightBeRichText(tip) ? Qt::convertFromPlainText(tip) : tip;
}

double Finite(double value) {
    constexpr double kMax = std::numeric_limits<double>::max();
    return std::clamp(value, -kMax, kMax);
}

int ToInt(double value) {
    return static_cast<int>(std::lround(std::clamp(value, double(INT_MIN), double(INT_MAX))));
}

void Resync(ControlView& view) {
    if (const ControlState* state = userint::FindControl(view.panel, view.control)) {
        SyncControl(view, *state);
    }
}

// Operator input: the value goes into the model, then the commit event. Input
// that would reach the model while a callback runs (a field losing focus to
// one) is not applied, and a refused value or commit puts the model's state
// back into the widget.
template <typename Apply>
void Operate(ControlView& view, Apply apply) {
    const ControlState* state = userint::FindControl(view.panel, view.control);
    const bool applied =
        state && !state->resource->indicator && !userint::CallbackRunning() && apply() == 0;
    if (applied && userint::DispatchCommit(view.panel, view.control)) return;
    Resync(view);
}

int Unchanged() {
    return 0;
}

// Return and Enter press the focused button as Space does: Qt leaves them to
// a dialog's default button, and a panel is no dialog.
class ReturnPresses final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!enter || (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) return false;
        if (!key->isAutoRepeat()) static_cast<QAbstractButton*>(watched)->click();
        return true;
    }
};

// A read-only text field goes back to its text's start when the focus
// leaves; Tab into it selected all and scrolled to the end.
class StartShown final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::FocusOut) static_cast<QLineEdit*>(watched)->home(false);
        return false;
    }
};

QPushButton* CreatePushButton(QWidget* parent) {
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    button->installEventFilter(new ReturnPresses(button));
    return button;
}

QWidget* CreateNumeric(ControlView& view, const ControlResource& r, QWidget* parent) {
    QAbstractSpinBox* field = nullptr;
    if (r.type == userint::ValueType::Integer) {
        auto* integer = new IntegerField(parent);
        QObject::connect(integer, &QSpinBox::valueChanged, integer, [&view](int value) {
            Operate(view, [&] {
                return userint::OperatorSetValue(view.panel, view.control, double(value));
            });
        });
        integer->setEnterWithoutChange([&view] { Operate(view, Unchanged); });
        field = integer;
    } else {
        auto* real = new DoubleField(parent);
        QObject::connect(real, &QDoubleSpinBox::valueChanged, real, [&view](double value) {
            Operate(view,
                    [&] { return userint::OperatorSetValue(view.panel, view.control, value); });
        });
        real->setEnterWithoutChange([&view] { Operate(view, Unchanged); });
        field = real;
    }
    // Numbers as everywhere else in the program: decimal point, no grouping.
    field->setLocale(QLocale::c());
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (r.indicator) {
        field->setReadOnly(true);
        field->setButtonSymbols(QAbstractSpinBox::NoButtons);
    }
    return field;
}

QWidget* CreateRing(ControlView& view, const ControlResource& r, QWidget* parent) {
    auto* ring = new QComboBox(parent);
    for (const userint::RingItem& item : r.items)
        ring->addItem(FromUtf8(item.label));
    QObject::connect(ring, &QComboBox::activated, ring, [&view](int index) {
        const ControlState* state = userint::FindControl(view.panel, view.control);
        if (!state) return;
        const auto& items = state->resource->items;
        if (index < 0 || index >= static_cast<int>(items.size())) return;
        const double value = items[static_cast<std::size_t>(index)].value;
        // Choosing the item that is already chosen changes nothing.
        if (value == state->number) return;
        Operate(view, [&] { return userint::OperatorSetValue(view.panel, view.control, value); });
    });
    return ring;
}

// Toggle button and check box: a click, or a toggle through assistive
// technology, is a commit.
void ConnectToggled(ControlView& view, QAbstractButton* button) {
    QObject::connect(button, &QAbstractButton::toggled, button, [&view](bool on) {
        Operate(view, [&] {
            return userint::OperatorSetValue(view.panel, view.control, on ? 1.0 : 0.0);
        });
    });
}

QWidget* CreateWidget(ControlView& view, const ControlState& state, QWidget* parent) {
    const ControlResource& r = *state.resource;
    switch (r.kind) {
        case ControlKind::Numeric:
            return CreateNumeric(view, r, parent);
        case ControlKind::Ring:
            return CreateRing(view, r, parent);
        case ControlKind::String: {
            auto* edit = new QLineEdit(parent);
            edit->setReadOnly(r.indicator);
            if (r.indicator) edit->installEventFilter(new StartShown(edit));
            QObject::connect(edit, &QLineEdit::editingFinished, edit, [&view, edit] {
                Operate(view, [&] {
                    return userint::OperatorSetValue(view.panel, view.control,
                                                     edit->text().toStdString());
                });
            });
            return edit;
        }
        case ControlKind::TextMessage: {
            auto* text = new QLabel(parent);
            text->setTextFormat(Qt::PlainText);
            text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            return text;
        }
        case ControlKind::Led:
            return new LedWidget(parent);
        case ControlKind::CommandButton: {
            QPushButton* button = CreatePushButton(parent);
            QObject::connect(button, &QPushButton::clicked, button,
                             [&view] { Operate(view, Unchanged); });
            return button;
        }
        case ControlKind::ToggleButton: {
            QPushButton* button = CreatePushButton(parent);
            button->setCheckable(true);
            ConnectToggled(view, button);
            return button;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(parent);
            ConnectToggled(view, box);
            return box;
        }
        case ControlKind::StripChart:
            return new StripChartWidget(view.panel, view.control, parent);
        case ControlKind::Decoration: {
            auto* frame = new QFrame(parent);
            frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
            return frame;
        }
        case ControlKind::Picture:
            return new PictureWidget(parent);
        case ControlKind::TabControl:
            return new QTabWidget(parent);
        case ControlKind::Timer:
            return nullptr;
    }
    return nullptr;
}

void CreateTimer(ControlView& view, const ControlResource& r, QWidget* parent) {
    view.timer = new QTimer(parent);
    view.timer->setObjectName(FromUtf8(r.constant));
    view.timer->setInterval(std::max(1, static_cast<int>(std::lround(r.timerInterval * 1000))));
    // The model drops a tick that falls due while a callback runs.
    QObject::connect(view.timer, &QTimer::timeout, view.timer,
                     [&view] { userint::DispatchTimerTick(view.panel, view.control); });
    view.timer->start();
}

void PlaceLabel(ControlView& view, const QString& text) {
    QLabel* label = view.label;
    label->setText(text);
    label->setVisible(!text.isEmpty());
    const QFontMetrics metrics = label->fontMetrics();
    const QStringList lines = text.split(QLatin1Char('\n'));
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, metrics.horizontalAdvance(line) + 2);
    const int height = static_cast<int>(lines.size()) * std::max(kLabelLine, metrics.lineSpacing());
    const QRect control = view.widget->geometry();
    switch (view.labelSide) {
        case userint::LabelPosition::Above:
            if (view.kind == ControlKind::Led) {
                label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
                width = std::max(width, control.width());
                label->setGeometry(control.center().x() + 1 - width / 2, control.top() - height,
                                   width, height);
            } else {
                label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
                label->setGeometry(control.left(), control.top() - height,
                                   std::max(width, control.width()), height);
            }
            break;
        case userint::LabelPosition::Left:
            label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            label->setGeometry(control.left() - kLabelGap - width,
                               control.top() + (control.height() - height) / 2, width, height);
            break;
        case userint::LabelPosition::Right:
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setGeometry(control.right() + 1 + kLabelGap,
                               control.top() + (control.height() - height) / 2, width, height);
            break;
    }
}

void SyncNumeric(QWidget* widget, const ControlState& state) {
    if (auto* real = qobject_cast<QDoubleSpinBox*>(widget)) {
        // Decimals first: they round the range and the value shown.
        real->setDecimals(state.precision);
        real->setRange(Finite(state.min), Finite(state.max));
        real->setSingleStep(state.increment);
        real->setValue(state.number);
    } else if (auto* integer = qobject_cast<QSpinBox*>(widget)) {
        integer->setRange(ToInt(state.min), ToInt(state.max));
        integer->setSingleStep(std::max(1, ToInt(state.increment)));
        integer->setValue(ToInt(state.number));
    }
}

void SyncRing(QComboBox* ring, const ControlState& state) {
    const auto& items = state.resource->items;
    const auto found = std::find_if(items.begin(), items.end(), [&](const userint::RingItem& i) {
        return i.value == state.number;
    });
    ring->setCurrentIndex(found == items.end() ? -1 : static_cast<int>(found - items.begin()));
}

void SyncText(QLineEdit* edit, const ControlState& state) {
    // Only a real change: setMaxLength puts the cursor at the end.
    const int maxLength = state.maxEntryLength < 0 ? kNoLengthLimit : state.maxEntryLength;
    if (edit->maxLength() != maxLength) edit->setMaxLength(maxLength);
    const QString text = FromUtf8(state.text);
    // Only a real change: setText would reset the cursor and the undo history.
    if (edit->text() == text) return;
    edit->setText(text);
    // A message is read from its start; setText left the end in view.
    if (edit->isReadOnly()) edit->home(false);
}

}  // namespace

QString ButtonText(const std::string& text, QChar mnemonic) {
    const QString plain = FromUtf8(text);
    const int at = MnemonicPosition(plain, mnemonic);
    QString shown;
    for (int i = 0; i < plain.size(); ++i) {
        if (i == at) shown += QLatin1Char('&');
        shown += plain[i];
        if (plain[i] == QLatin1Char('&')) shown += QLatin1Char('&');
    }
    return shown;
}

std::string ButtonCaption(const ControlState& state) {
    const ControlResource& r = *state.resource;
    switch (r.kind) {
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
            return state.label;
        case ControlKind::ToggleButton:
            return state.number != 0 && !r.pressedText.empty() ? r.pressedText : state.label;
        default:
            return {};
    }
}

void CreateControl(ControlView& view, const ControlState& state, QWidget* parent) {
    const ControlResource& r = *state.resource;
    view.kind = r.kind;
    if (r.kind == ControlKind::Timer) {
        CreateTimer(view, r, parent);
        return;
    }
    view.widget = CreateWidget(view, state, parent);
    if (!view.widget) return;
    const QString constant = FromUtf8(r.constant);
    view.widget->setObjectName(constant);
    view.widget->setAccessibleDescription(constant);
    view.widget->setGeometry(r.geometry.left, r.geometry.top, r.geometry.width, r.geometry.height);
    // A frame groups the controls drawn on it, so it stays behind them.
    if (r.kind == ControlKind::Decoration) view.widget->lower();
    if (HasSideLabel(r.kind)) {
        view.label = new QLabel(parent);
        view.label->setObjectName(constant + QStringLiteral("_LABEL"));
        view.label->setTextFormat(Qt::PlainText);
        view.label->setBuddy(view.widget);
    }
}

void SyncControl(ControlView& view, const ControlState& state) {
    QWidget* widget = view.widget;
    if (!widget) return;
    const QSignalBlocker block(widget);
    widget->setEnabled(!state.dimmed);
    widget->setAccessibleName(AccessibleName(state));
    widget->setToolTip(ToolTip(state));
    const auto& r = *state.resource;
    switch (view.kind) {
        case ControlKind::Numeric:
            SyncNumeric(widget, state);
            break;
        case ControlKind::Ring:
            SyncRing(static_cast<QComboBox*>(widget), state);
            break;
        case ControlKind::String:
            SyncText(static_cast<QLineEdit*>(widget), state);
            break;
        case ControlKind::TextMessage: {
            auto* text = static_cast<QLabel*>(widget);
            text->setText(FromUtf8(state.text));
            // A text longer than its box grows it rather than being cut off.
            const QSize natural = text->sizeHint();
            text->resize(std::max(r.geometry.width, natural.width()),
                         std::max(r.geometry.height, natural.height()));
            break;
        }
        case ControlKind::Led: {
            auto* led = static_cast<LedWidget*>(widget);
            led->setLit(state.number != 0);
            led->setOnColor(QColor::fromRgb(static_cast<QRgb>(state.onColor)));
            break;
        }
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::ToggleButton: {
            auto* button = static_cast<QAbstractButton*>(widget);
            button->setChecked(state.number != 0);
            button->setText(ButtonText(ButtonCaption(state), view.mnemonic));
            break;
        }
        case ControlKind::TabControl:
            static_cast<QTabWidget*>(widget)->setCurrentIndex(state.activePage);
            break;
        case ControlKind::StripChart:
        case ControlKind::Decoration:
        case ControlKind::Picture:
            widget->update();
            break;
        case ControlKind::Timer:
            break;
    }
    if (view.label) {
        PlaceLabel(view, FromUtf8(state.label));
        view.label->setEnabled(!state.dimmed);
        view.label->setToolTip(widget->toolTip());
    }
}

void ConnectTabControl(ControlView& view) {
    auto* tabs = static_cast<QTabWidget*>(view.widget);
    QObject::connect(tabs, &QTabWidget::currentChanged, tabs, [&view](int page) {
        Operate(view, [&] { return userint::OperatorSelectTab(view.panel, view.control, page); });
    });
}

}  // namespace qtui
