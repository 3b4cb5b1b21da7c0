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

    bool m_endedByFallback = false;
    std::unique_ptr<testsupport::TemporaryCurrentDirectory> m_directory;
    std::unique_ptr<qtui::QtView> m_view;

    // Presses a control or menu item found by its constant or its name.
    void press(int panel, const char* text, bool byName = false) {
        Find(QAccessible::queryAccessibleInterface(m_view->panelWidget(panel)),
             QString::fromUtf8(text), byName)
            ->actionInterface()
            ->doAction(QAccessibleActionInterface::pressAction());
    }

    // Runs once the program's loop is up; should the check not end the
    // program, a fallback does, and m_endedByFallback tells.
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
        m_directory.reset();
    }

    void showsInfoSavesAndEndsWhenTheWindowCloses() {
        RegisterZan1Resource();
        whenRunning([&] {
            press(panelHandle, "Info...", true);  // a modal popup that returns at once
            QWidget* about = m_view->panelWidget(aboutpanelHandle);
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
            QVERIFY(!m_view->panelWidget(panelHandle)->close());
        });
        QCOMPARE(ProgramMain(), 0);
        QVERIFY(!m_endedByFallback && m_view->panelWidget(panelHandle)->isVisible());
    }
};

QTEST_MAIN(Zan1SteuerungTest)
#include "zan1steuerung_test.moc"
