// The Qt view over the program's own resource with recording callbacks, on
// the offscreen platform: the steps in qtview_steps.txt, in which widgets
// follow the model without callbacks and operator actions commit once.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <cmath>
#include <fstream>
#include <functional>
#include <map>

#include "app/resource.h"
#include "panel/ZAN1Steuerung.h"
#include "platform/qt/qtview.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"

namespace {

QStringList gCalls;  // "control:event" of every callback but the timer's

int Record(int, int control, int event) {
    if (event != EVENT_TIMER_TICK) gCalls << QStringLiteral("%1:%2").arg(control).arg(event);
    return 0;
}

// What a widget shows: its text, "*" when checked or lit, " (dimmed)" when disabled.
QString Shown(QWidget* w) {
    QString text;
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) text = spin->text();
    if (auto* ring = qobject_cast<QComboBox*>(w)) text = ring->currentText();
    if (auto* edit = qobject_cast<QLineEdit*>(w)) text = edit->text();
    if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) text = QString::number(tabs->currentIndex());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        text = button->text() + (button->isChecked() ? "*" : "");
    }
    return w->isEnabled() ? text : text + " (dimmed)";
}

// The control's value in the model, read with the getter of its type.
QString Held(int panel, int control) {
    double real = 0;
    int integer = 0;
    std::string text = "-";
    if (GetCtrlVal(panel, control, &real) == 0) return QString::number(real, 'g', 12);
    if (GetCtrlVal(panel, control, &integer) == 0) return QString::number(integer);
    GetCtrlVal(panel, control, &text);
    return QString::fromStdString(text);
}

}  // namespace

class ViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<qtui::QtView> m_view;
    std::map<QString, int> m_panels;

    QWidget* widget(const char* panel, int control) {
        return m_view->controlWidget(m_panels[panel], control);
    }

  private slots:
    // A desktop that writes numbers as 1,5.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German)); }

    void init() {
        userint::ResetModel();
        userint::Resource resource = Zan1Resource();
        for (userint::PanelResource& panel : resource.panels) {
            if (panel.callback) panel.callback = [](int, int event) { return Record(0, 0, event); };
            for (userint::ControlResource& control : panel.controls)
                if (control.callback) control.callback = Record;
        }
        userint::RegisterResource(resource);
        gCalls.clear();
        m_view = std::make_unique<qtui::QtView>();
        userint::SetView(m_view.get());
        userint::SetDialogs(m_view.get());
        const int main = LoadPanel(0, kResourceName, PANEL);
        const int konfig = LoadPanel(main, kResourceName, KONFIGPNL);
        m_panels = {{"main", main}};
        GetPanelHandleFromTabPage(main, PANEL_TAB, 0, &m_panels["page"]);
        GetPanelHandleFromTabPage(konfig, KONFIGPNL_TAB, 0, &m_panels["konfig"]);
        DisplayPanel(main);
    }
    void cleanup() {
        userint::SetView(nullptr);
        userint::SetDialogs(nullptr);
    }

    void stepsShowAndCommit() {
        std::ifstream steps(ZAN1_QTVIEW_STEPS);
        QVERIFY(steps.is_open());
        int line = 0;
        for (std::string text; std::getline(steps, text);) {
            const QStringList field = QString::fromStdString(text).split('|');
            const QStringList what = field[0].simplified().split(' ');
            ++line;
            if (text[0] == '#' || field.size() != 4) continue;
            const int panel = m_panels.at(what[0]);
            const userint::ControlState* state = nullptr;
            for (const userint::ControlState& c : userint::FindPanel(panel)->controls)
                if (what[1] == QString::fromStdString(c.resource->constant)) state = &c;
            QVERIFY2(state, qPrintable(what[1]));
            const int id = state->resource->id;
            QWidget* w = m_view->controlWidget(panel, id);
            const QString action = what.value(2), argument = what.mid(3).join(' ');
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
            if (action == "set" && SetCtrlVal(panel, id, argument.toDouble()) == kUiWrongType &&
                SetCtrlVal(panel, id, argument.toInt()) == kUiWrongType) {
                SetCtrlVal(panel, id, argument.toStdString());
            }
            const std::map<QString, int> attributes = {
                {"DIMMED", ATTR_DIMMED}, {"MAX", ATTR_MAX_VALUE}, {"PRECISION", ATTR_PRECISION}};
            if (action == "attr" && what[3] == "LABEL") {
                SetCtrlAttribute(panel, id, ATTR_LABEL_TEXT, qUtf8Printable(what.mid(4).join(' ')));
            } else if (action == "attr") {
                SetCtrlAttribute(panel, id, attributes.at(what[3]), what[4].toDouble());
            }
            if (action == "key") QTest::keyClick(w, QKeySequence(argument)[0].key());
            if (action == "type") QMetaObject::invokeMethod(w, "selectAll");
            if (action == "type") QTest::keyClicks(w, argument);
            if (action == "click") QTest::mouseClick(w, Qt::LeftButton);
            if (action == "choose") emit qobject_cast<QComboBox*>(w)->activated(argument.toInt());
            if (action == "tab") qobject_cast<QTabWidget*>(w)->setCurrentIndex(argument.toInt());
            if (action == "value")
                accessible->valueInterface()->setCurrentValue(argument.toDouble());
            if (action == "toggle" || action == "press") {
                accessible->actionInterface()->doAction(
                    action == "press" ? QAccessibleActionInterface::pressAction()
                                      : QAccessibleActionInterface::toggleAction());
            }
            if (action == "press") QTRY_VERIFY(!gCalls.isEmpty());  // a press clicks a moment later
            const QString held = field[2].trimmed() == "-" ? "-" : Held(panel, id);
            QCOMPARE(QStringLiteral("%1: %2|%3|%4").arg(line).arg(Shown(w), held, gCalls.join(' ')),
                     QStringLiteral("%1: %2|%3|%4")
                         .arg(line)
                         .arg(field[1].trimmed(), field[2].trimmed(), field[3].trimmed()));
            gCalls.clear();
        }
        QVERIFY(line > 40);
    }
};

QTEST_MAIN(ViewTest)
#include "qtview_test.moc"
