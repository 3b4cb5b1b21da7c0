// The operator window itself, on the offscreen platform: start-up with every
// control at its default, reading and operating it through the accessibility
// interface alone, and the ways the program ends.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/ZAN1BSteuerung.h"
#include "app/resource.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/qt/qtview.h"
#include "platform/rs232/portmap.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "sim/ptyserver.h"
#include "tests/support/tempdir.h"

namespace {

namespace fs = std::filesystem;

// Controls are found the way a test robot finds them: by the constant in
// their accessible description, or a menu item by its name.
QAccessibleInterface* Find(QAccessibleInterface* root, const QString& text, bool byName = false) {
    const QString own = root->text(byName ? QAccessible::Name : QAccessible::Description);
    if (own == text) return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface* found = Find(root->child(i), text, byName)) return found;
    }
    return nullptr;
}

}  // namespace

class Zan1SteuerungTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        m_directory = std::make_unique<testsupport::TemporaryCurrentDirectory>();
        userint::ResetModel();
        m_view = std::make_unique<qtui::QtView>();
        userint::SetView(m_view.get());
        userint::SetDialogs(m_view.get());
    }
    void cleanup() {
        userint::SetDialogs(nullptr);
        userint::SetView(nullptr);
        m_view.reset();
        m_directory.reset();
    }

    void missingResourceEndsWithMinusOneBeforeAnyWindow() {
        QCOMPARE(ProgramMain(), -1);
        for (QWidget* window : QApplication::topLevelWidgets())
            QVERIFY(!window->isVisible());
        QVERIFY(!fs::exists("zan1steuerung.ini"));
    }

    void opensWithDefaultsAndQuitsThroughTheAccessibleMenu() {
        RegisterZan1Resource();
        bool checked = false;
        whenRunning([&] {
            QWidget* window = m_view->panelWidget(panelHandle);
            QVERIFY(window && window->isVisible());
            QCOMPARE(window->windowTitle(), QStringLiteral("ZAN-1B Steuerung"));
            QCOMPARE(window->size(), QSize(856, 624));
            auto* soll =
                qobject_cast<QDoubleSpinBox*>(m_view->controlWidget(panelHandle, PANEL_SOLLWERT1));
            QVERIFY(soll);
            QCOMPARE(soll->text(), QStringLiteral("0.000"));
            QCOMPARE(qobject_cast<QPushButton*>(m_view->controlWidget(panelHandle, PANEL_VERBINDEN))
                         ->text(),
                     QStringLiteral("verbinden"));

            QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window);
            QAccessibleInterface* connect = Find(root, "VERBINDEN");
            QAccessibleInterface* actual = Find(root, "ISTWERT1");
            QAccessibleInterface* led = Find(root, "LED5");
            QAccessibleInterface* number = Find(root, "FEHLERNUMMER");
            QAccessibleInterface* quit = Find(root, "Beenden", true);
            QVERIFY(connect && actual && led && number && quit);
            QCOMPARE(connect->text(QAccessible::Name), QStringLiteral("verbinden"));
            QVERIFY(!connect->state().checked);
            QCOMPARE(actual->text(QAccessible::Name), QStringLiteral("Istwert 1"));
            QCOMPARE(actual->valueInterface()->currentValue().toDouble(), 0.0);
            QVERIFY(actual->state().disabled);  // dimmed until connected
            QCOMPARE(led->text(QAccessible::Name), QStringLiteral("5"));
            QVERIFY(!led->state().checked);
            SetCtrlVal(panelHandle, PANEL_FEHLERNUMMER, 403011);
            QCOMPARE(number->valueInterface()->currentValue().toInt(), 403011);
            QCOMPARE(quit->role(), QAccessible::MenuItem);
            checked = true;
            quit->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        });
        QCOMPARE(ProgramMain(), 0);
        QVERIFY(checked);
        QVERIFY(!m_endedByFallback);
        QVERIFY(fs::exists("zan1steuerung.ini"));
    }

    void closingTheConfigurationPanelEndsTheProgram() {
        RegisterZan1Resource();
        whenRunning([&] {
            DisplayPanel(konfigpanelHandle);
            QWidget* konfig = m_view->panelWidget(konfigpanelHandle);
            QVERIFY(konfig && konfig->isVisible());
            SetCtrlVal(panelHandle, PANEL_ADRESSE, 9);
            konfig->close();
        });
        QCOMPARE(ProgramMain(), 0);
        QVERIFY(!m_endedByFallback);
        QVERIFY(fs::exists("zan1steuerung.ini"));
        userint::ResetModel();
        RegisterZan1Resource();
        whenRunning([] {
            int address = 0;
            GetCtrlVal(panelHandle, PANEL_ADRESSE, &address);
            QCOMPARE(address, 9);  // the next start reads what the last one wrote
            QuitUserInterface(0);
        });
        QCOMPARE(ProgramMain(), 0);
    }

    void connectingShowsLiveValuesInTheWindow() {
        std::string error;
        const auto sim = zan1sim::PtyServer::Start({}, &error);
        if (!sim) QSKIP(qPrintable(QString::fromStdString("no pseudo-terminal: " + error)));
        rs232::SetPortDevice(1, sim->devicePath());
        RegisterZan1Resource();
        whenRunning([&] {
            // The warning comes up once, modal, inside the connect callback.
            QTimer::singleShot(0, [] { AcceptModalBox(); });
            QTest::mouseClick(m_view->controlWidget(panelHandle, PANEL_VERBINDEN), Qt::LeftButton);
            auto* actual =
                qobject_cast<QDoubleSpinBox*>(m_view->controlWidget(panelHandle, PANEL_ISTWERT1));
            QVERIFY(actual && actual->isEnabled());
            QTRY_VERIFY_WITH_TIMEOUT(actual->value() > 0.05, 5000);
            QTRY_VERIFY_WITH_TIMEOUT(
                userint::ChartTrace(panelHandle, PANEL_STRIPCHART, 0).size() >= 10, 5000);
            QTest::mouseClick(m_view->controlWidget(panelHandle, PANEL_VERBINDEN), Qt::LeftButton);
            QVERIFY(!actual->isEnabled());
            QuitUserInterface(0);
        });
        QCOMPARE(ProgramMain(), 0);
        rs232::SetPortDevice(1, "");
    }

  private:
    // Accepts the next modal box once it is up.
    static void AcceptModalBox() {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            box->accept();
            return;
        }
        QTimer::singleShot(20, [] { AcceptModalBox(); });
    }

    // Runs once the event loop of ProgramMain is up. Should the check not end
    // the program, a fallback does, and m_endedByFallback tells.
    void whenRunning(std::function<void()> check) {
        m_endedByFallback = false;
        QTimer::singleShot(0, [this, check] {
            check();
            QTimer::singleShot(2000, [this] {
                m_endedByFallback = true;
                QuitUserInterface(0);
            });
        });
    }

    bool m_endedByFallback = false;
    std::unique_ptr<testsupport::TemporaryCurrentDirectory> m_directory;
    std::unique_ptr<qtui::QtView> m_view;
};

QTEST_MAIN(Zan1SteuerungTest)
#include "zan1steuerung_test.moc"
