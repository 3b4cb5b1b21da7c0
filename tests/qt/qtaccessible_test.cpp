// What assistive technology sees of the Qt view: controls found by name
// through the accessibility tree of the window, their values and states, and
// operating them through their accessible actions.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QTest>
#include <algorithm>

#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "tests/qt/testresource.h"

using namespace qttest;

namespace {

// Named as the operator hears it: by its own name or, as Qt does on Linux for
// combo boxes, by the label it is labelled by.
bool Named(QAccessibleInterface* control, const QString& name) {
    const auto labels = control->relations(QAccessible::Label);
    return control->text(QAccessible::Name) == name ||
           std::any_of(labels.begin(), labels.end(), [&](const auto& label) {
               return label.first->text(QAccessible::Name) == name;
           });
}

QAccessibleInterface* Find(QAccessibleInterface* root, const char* name, QAccessible::Role role) {
    if (root->role() == role && Named(root, QString::fromUtf8(name))) return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface* found = Find(root->child(i), name, role)) return found;
    }
    return nullptr;
}

int IntValue(int panel, int control) {
    int value = -1;
    GetCtrlVal(panel, control, &value);
    return value;
}

}  // namespace

class AccessibleTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { m_session = std::make_unique<Session>(); }
    void cleanup() { m_session.reset(); }

    void everyControlCarriesNameAndConstant() {
        Session& s = *m_session;
        for (const userint::ControlState& control : userint::FindPanel(s.main)->controls) {
            const QString constant = QString::fromStdString(control.resource->constant);
            QWidget* widget = s.widget(control.resource->id);
            if (control.resource->kind == userint::ControlKind::Timer) continue;
            QVERIFY2(widget, qPrintable(constant));
            QCOMPARE(widget->objectName(), constant);
            QCOMPARE(widget->accessibleDescription(), constant);
        }
        QCOMPARE(s.widget(kNote)->accessibleName(),
                 QStringLiteral("Diagramm Zoom (bezogen auf Istwert 1)"));
        QCOMPARE(s.widget(kFrame)->accessibleName(), QStringLiteral("DECORATION"));
    }

    void valuesAndStatesAreReadable() {
        Session& s = *m_session;
        SetCtrlVal(s.main, kNumber, 6.5);
        SetCtrlVal(s.main, kMode, 2.0);
        SetCtrlVal(s.main, kLamp, 1);
        SetCtrlVal(s.main, kStatus, "Modul 3 gefunden");
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(s.window());
        QAccessibleInterface* number = Find(window, "Sollwert 1", QAccessible::SpinBox);
        QVERIFY(number);
        QCOMPARE(number->valueInterface()->currentValue().toDouble(), 6.5);
        QCOMPARE(number->text(QAccessible::Value), QStringLiteral("6.50"));
        QAccessibleInterface* mode = Find(window, "Betriebsart", QAccessible::ComboBox);
        QVERIFY(mode);
        QCOMPARE(mode->text(QAccessible::Value), QStringLiteral("Analoger Sollwert"));
        QAccessibleInterface* lamp = Find(window, "Fehler", QAccessible::CheckBox);
        QVERIFY(lamp && lamp->state().checked);
        SetCtrlVal(s.main, kLamp, 0);
        QVERIFY(!lamp->state().checked);
        QVERIFY(Find(window, "Modul 3 gefunden", QAccessible::StaticText));
        QVERIFY(Find(window, "P-Anteil", QAccessible::SpinBox));  // on a tab page
    }

    void actionsCommitLikeTheMouse() {
        Session& s = *m_session;
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(s.window());
        auto act = [&](const char* name, QAccessible::Role role, const QString& action) {
            QAccessibleInterface* control = Find(window, name, role);
            QVERIFY2(control && control->actionInterface()->actionNames().contains(action), name);
            control->actionInterface()->doAction(action);
        };
        // An accessible press is an animated click: the click lands a moment later.
        act("Lesen", QAccessible::Button, QAccessibleActionInterface::pressAction());
        QTRY_COMPARE(Commits(kRead), 1);
        act("verbinden", QAccessible::CheckBox, QAccessibleActionInterface::toggleAction());
        QCOMPARE(Commits(kConnect), 1);
        QCOMPARE(IntValue(s.main, kConnect), 1);
        act("Stellwert wird Null wenn Istwert gleich Null", QAccessible::CheckBox,
            QAccessibleActionInterface::toggleAction());
        QCOMPARE(Commits(kSpecial), 1);
        act("Parametersatz laden", QAccessible::MenuItem,
            QAccessibleActionInterface::pressAction());
        QCOMPARE(gCalls.back().control, int(kMenuOpen));
        Find(window, "Sollwert 1", QAccessible::SpinBox)->valueInterface()->setCurrentValue(4.0);
        QCOMPARE(Commits(kNumber), 1);
        QCOMPARE(gCalls.size(), std::size_t(5));

        // The LED offers a toggle, as every checkable button does, but stays as the model says.
        act("Fehler", QAccessible::CheckBox, QAccessibleActionInterface::toggleAction());
        QTest::mouseClick(s.widget(kLamp), Qt::LeftButton);
        QVERIFY(!Find(window, "Fehler", QAccessible::CheckBox)->state().checked);
        QCOMPARE(IntValue(s.main, kLamp), 0);
    }

  private:
    std::unique_ptr<Session> m_session;
};

QTEST_MAIN(AccessibleTest)
#include "qtaccessible_test.moc"
