// The operator window itself, on the offscreen platform, read and operated
// through the accessibility interface as a test robot does:
// the info popup, the save dialog, and the end when the window is closed.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QFileDialog>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>

#include "app/ZAN1BSteuerung.h"
#include "app/resource.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/qt/qtview.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "tests/support/tempdir.h"

namespace {

namespace fs = std::filesystem;

// A control by the constant in its accessible description, or by its name.
QAccessibleInterface* Find(QAccessibleInterface* root, const QString& text, bool byName = false) {
    if (root->text(byName ? QAccessible::Name : QAccessible::Description) == text) return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface* found = Find(root->child(i), text, byName)) return found;
    }
    return nullptr;
}

// Acts on the modal dialog of type T once it is up.
template <typename T>
void WhenModal(std::function<void(T*)> act) {
    QTimer::singleShot(20, [act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) return act(dialog);
        WhenModal<T>(act);
    });
}

}  // namespace

class Zan1SteuerungTest : public QObject {
    Q_OBJECT

  private slots:
    void showsInfoSavesAndEndsWhenTheWindowCloses() {
        testsupport::TemporaryCurrentDirectory directory;
        qtui::QtView view;
        userint::SetView(&view);
        userint::SetDialogs(&view);
        RegisterZan1Resource();
        // Presses a control or menu item found by its constant or its name.
        const auto press = [&](int panel, const char* text, bool byName = false) {
            Find(QAccessible::queryAccessibleInterface(view.panelWidget(panel)),
                 QString::fromUtf8(text), byName)
                ->actionInterface()
                ->doAction(QAccessibleActionInterface::pressAction());
        };
        QObject scope;  // takes the timers below along when the test ends
        bool endedByFallback = false;
        QTimer::singleShot(0, &scope, [&] {
            // Should the steps below not end the program, this does.
            QTimer::singleShot(10000, &scope, [&] {
                endedByFallback = true;
                QuitUserInterface(0);
            });
            press(panelHandle, "Info...", true);  // a modal popup that returns at once
            QWidget* about = view.panelWidget(aboutpanelHandle);
            QVERIFY(about->isVisible() && about->windowModality() == Qt::ApplicationModal);
            press(aboutpanelHandle, "OK");
            QTRY_VERIFY(!about->isVisible());
            WhenModal<QFileDialog>([](QFileDialog* dialog) {
                dialog->selectFile(QStringLiteral("satz"));
                static_cast<QDialog*>(dialog)->accept();
            });
            press(panelHandle, "Parametersatz speichern", true);
            QVERIFY(fs::exists("satz.zan"));  // the extension is added
            // Closing the window is a request the program grants by ending.
            QVERIFY(!view.panelWidget(panelHandle)->close());
        });
        QCOMPARE(ProgramMain(), 0);
        QVERIFY(!endedByFallback && view.panelWidget(panelHandle)->isVisible());
    }
};

QTEST_MAIN(Zan1SteuerungTest)
#include "zan1steuerung_test.moc"
