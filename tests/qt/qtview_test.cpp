// The Qt view over the test resource: widgets from the model, operator
// actions as commits, model changes without commits, the timer against
// callbacks and modal boxes, windows, popups and dialogs.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cfloat>

#include "platform/qt/led.h"
#include "platform/qt/stripchart.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "tests/qt/testresource.h"

using namespace qttest;

namespace {

double Value(int panel, int control) {
    double value = 0;
    GetCtrlVal(panel, control, &value);
    return value;
}

int IntValue(int panel, int control) {
    int value = 0;
    GetCtrlVal(panel, control, &value);
    return value;
}

class PaintCounter final : public QObject {
  public:
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

QAccessibleInterface* FindAccessibleButton(QAccessibleInterface* root, const QString& name) {
    if (root->role() == QAccessible::Button && root->text(QAccessible::Name) == name) return root;
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface* found = FindAccessibleButton(root->child(i), name)) return found;
    }
    return nullptr;
}

// Acts on the modal dialog of type T once it is up and runs its own loop.
template <typename T>
void WhenModal(std::function<void(T*)> act) {
    QTimer::singleShot(0, [act] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            act(dialog);
        } else {
            WhenModal<T>(act);
        }
    });
}

}  // namespace

class ViewTest : public QObject {
    Q_OBJECT

  private slots:
    void init() { m_session = std::make_unique<Session>(); }
    void cleanup() { m_session.reset(); }

    void widgetsShowModelDefaults() {
        Session& s = *m_session;
        QCOMPARE(s.window()->windowTitle(), QStringLiteral("ZAN-1B Prüfstand"));
        QCOMPARE(s.window()->maximumSize(), QSize(520, 400));

        auto* number = s.widget<QDoubleSpinBox>(kNumber);
        QCOMPARE(number->value(), 1.25);
        QCOMPARE(number->maximum(), 10.0);
        QCOMPARE(number->decimals(), 2);
        QCOMPARE(number->singleStep(), 0.5);
        QLabel* label = s.view().controlLabel(s.main, kNumber);
        QCOMPARE(label->text(), QStringLiteral("Sollwert 1"));
        QCOMPARE(label->geometry().bottom() + 1, number->geometry().top());
        QCOMPARE(s.widget<QSpinBox>(kCount)->minimum(), -5);

        auto* actual = s.widget<QDoubleSpinBox>(kActual);
        QVERIFY(actual->isReadOnly() && !actual->isEnabled());
        QCOMPARE(actual->buttonSymbols(), QAbstractSpinBox::NoButtons);
        QCOMPARE(actual->minimum(), -DBL_MAX);
        QCOMPARE(actual->maximum(), DBL_MAX);

        QCOMPARE(s.widget<QComboBox>(kMode)->itemText(2), QStringLiteral("Stellbetrieb"));
        QCOMPARE(s.widget<QPushButton>(kConnect)->text(), QStringLiteral("verbinden"));
        QCOMPARE(s.widget<QLineEdit>(kUnit)->maxLength(), 5);
        auto* note = s.widget<QLabel>(kNote);
        QCOMPARE(note->text(), QStringLiteral("Diagramm Zoom\n(bezogen auf Istwert 1)"));
        QVERIFY(note->width() >= note->sizeHint().width());  // grown, not cut off
        // The frame is behind the controls drawn on it.
        QVERIFY(s.window()->children().indexOf(s.widget(kFrame)) <
                s.window()->children().indexOf(number));

        auto* tabs = s.widget<QTabWidget>(kTab);
        QCOMPARE(tabs->tabText(1), QStringLiteral("Regler 2"));
        int page2 = 0;
        GetPanelHandleFromTabPage(s.main, kTab, 1, &page2);
        QCOMPARE(s.view().controlWidget(page2, kPageValue)->parentWidget(), tabs->widget(1));

        auto* timer = s.window()->findChild<QTimer*>(QStringLiteral("TIMER"));
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 10);
        const QList<QAction*> items =
            s.window()->findChild<QMenu*>(QStringLiteral("DATEI"))->actions();
        QCOMPARE(items.size(), 3);
        QCOMPARE(items[0]->text(), QStringLiteral("Parametersatz laden"));
        QVERIFY(items[1]->isSeparator());
    }

    void operatorActionsCommitOnce() {
        Session& s = *m_session;
        auto* number = s.widget<QDoubleSpinBox>(kNumber);
        QTest::keyClick(number, Qt::Key_Up);
        QCOMPARE(Commits(kNumber), 1);
        QCOMPARE(Value(s.main, kNumber), 1.75);
        number->selectAll();
        QTest::keyClicks(number, "7.5");
        QCOMPARE(Commits(kNumber), 1);  // typing alone is no commit
        QTest::keyClick(number, Qt::Key_Return);
        QCOMPARE(Commits(kNumber), 2);
        QCOMPARE(Value(s.main, kNumber), 7.5);
        QTest::keyClick(number, Qt::Key_Return);  // Enter commits an unchanged value too
        QCOMPARE(Commits(kNumber), 3);
        QTest::keyClick(s.widget(kCount), Qt::Key_Down);
        QCOMPARE(Commits(kCount), 1);
        QCOMPARE(IntValue(s.main, kCount), 1);

        QTest::keyClick(s.widget(kMode), Qt::Key_Down);
        QCOMPARE(Commits(kMode), 1);
        QCOMPARE(Value(s.main, kMode), 2.0);
        QTest::mouseClick(s.widget(kConnect), Qt::LeftButton);
        QCOMPARE(Commits(kConnect), 1);
        QCOMPARE(IntValue(s.main, kConnect), 1);
        QCOMPARE(s.widget<QPushButton>(kConnect)->text(), QStringLiteral("trennen"));
        QTest::mouseClick(s.widget(kSpecial), Qt::LeftButton);
        QCOMPARE(Commits(kSpecial), 1);
        QCOMPARE(IntValue(s.main, kSpecial), 1);

        auto* unit = s.widget<QLineEdit>(kUnit);
        unit->selectAll();
        QTest::keyClicks(unit, "µV/s");
        QTest::keyClick(unit, Qt::Key_Return);
        QCOMPARE(Commits(kUnit), 1);
        std::string text;
        GetCtrlVal(s.main, kUnit, &text);
        QCOMPARE(text, std::string("µV/s"));

        QTest::mouseClick(s.widget(kRead), Qt::LeftButton);
        QCOMPARE(Commits(kRead), 1);
        s.window()->findChild<QAction*>(QStringLiteral("PARAMETE"))->trigger();
        QCOMPARE(gCalls.back().control, int(kMenuOpen));
        QCOMPARE(gCalls.back().event, 0);
        s.widget<QTabWidget>(kTab)->setCurrentIndex(1);
        QCOMPARE(userint::FindControl(s.main, kTab)->activePage, 1);
        QCOMPARE(gCalls.size(), std::size_t(10));
    }

    void modelChangesRaiseNoCommit() {
        Session& s = *m_session;
        SetCtrlVal(s.main, kNumber, 3.14159);
        SetCtrlAttribute(s.main, kNumber, ATTR_PRECISION, 3);
        SetCtrlVal(s.main, kMode, 3.0);
        SetCtrlVal(s.main, kLamp, 1);
        SetCtrlAttribute(s.main, kLamp, ATTR_ON_COLOR, kRgbRed);
        SetCtrlVal(s.main, kConnect, 1);
        SetCtrlVal(s.main, kSpecial, 1);
        SetCtrlVal(s.main, kUnit, "mbar");
        SetCtrlAttribute(s.main, kActual, ATTR_DIMMED, 0);
        SetCtrlAttribute(s.main, kCount, ATTR_LABEL_TEXT, "Anzahl\nder Module");
        userint::OperatorSelectTab(s.main, kTab, 1);
        QVERIFY(gCalls.empty());

        QCOMPARE(s.widget<QDoubleSpinBox>(kNumber)->text(), QStringLiteral("3.142"));
        QCOMPARE(Value(s.main, kNumber), 3.14159);  // the display rounds, the model not
        QCOMPARE(s.widget<QComboBox>(kMode)->currentIndex(), 2);
        QVERIFY(s.widget<qtui::LedWidget>(kLamp)->isChecked());
        QCOMPARE(s.widget<qtui::LedWidget>(kLamp)->onColor(), QColor(255, 0, 0));
        QCOMPARE(s.widget<QPushButton>(kConnect)->text(), QStringLiteral("trennen"));
        QVERIFY(s.widget<QCheckBox>(kSpecial)->isChecked());
        QCOMPARE(s.widget<QLineEdit>(kUnit)->text(), QStringLiteral("mbar"));
        QVERIFY(s.widget(kActual)->isEnabled());
        QCOMPARE(s.widget<QTabWidget>(kTab)->currentIndex(), 1);
        QLabel* label = s.view().controlLabel(s.main, kCount);
        QCOMPARE(label->text(), QStringLiteral("Anzahl\nder Module"));
        QCOMPARE(label->geometry().bottom() + 1, s.widget(kCount)->geometry().top());
        QCOMPARE(s.widget(kCount)->accessibleName(), QStringLiteral("Anzahl der Module"));

        SetCtrlAttribute(s.main, kNumber, ATTR_MAX_VALUE, 2.0);  // pulls the value in
        QCOMPARE(s.widget<QDoubleSpinBox>(kNumber)->value(), 2.0);
        QVERIFY(gCalls.empty());
    }

    void inputDuringCallbackStaysOutOfTheModel() {
        Session& s = *m_session;
        QApplication::setActiveWindow(s.window());
        QVERIFY(QTest::qWaitForWindowActive(s.window()));
        auto* number = s.widget<QDoubleSpinBox>(kNumber);
        number->setFocus();
        number->selectAll();
        QTest::keyClicks(number, "9");
        // The callback takes the focus away from the half-edited field.
        gDuring = [](int panel, int control) {
            if (control == kRead) SetActiveCtrl(panel, kUnit);
        };
        s.widget<QPushButton>(kRead)->click();
        QVERIFY(s.widget(kUnit)->hasFocus());
        QCOMPARE(Commits(kNumber), 0);
        QCOMPARE(Value(s.main, kNumber), 1.25);
        QCOMPARE(number->value(), 1.25);
    }

    void changesInsideCallbackPaintAtOnce() {
        Session& s = *m_session;
        QVERIFY(QTest::qWaitForWindowExposed(s.window()));
        PaintCounter counter;
        s.widget(kStatus)->installEventFilter(&counter);
        bool eventsProcessed = false;
        int paintsBefore = -1;
        int paintsAfter = -1;
        QObject scope;  // drops the posted call below when the test ends
        gDuring = [&](int panel, int) {
            QTimer::singleShot(0, &scope, [&] { eventsProcessed = true; });
            paintsBefore = counter.paints;
            SetCtrlVal(panel, kStatus, "lese Parameter...");
            paintsAfter = counter.paints;
        };
        QTest::mouseClick(s.widget(kRead), Qt::LeftButton);
        QVERIFY(paintsAfter > paintsBefore);
        QVERIFY(!eventsProcessed);
    }

    void timerHeldBackByCallbackWithModalBox() {
        Session& s = *m_session;
        auto* timer = s.window()->findChild<QTimer*>(QStringLiteral("TIMER"));
        int timeouts = 0;
        QObject::connect(timer, &QTimer::timeout, timer, [&] { ++timeouts; });
        QString shown;
        qsizetype buttons = 0;
        int ticksWhileBoxUp = -1;
        bool okSeen = false;
        gDuring = [&](int, int) {
            const int ticksBefore = gTicks;
            timeouts = 0;
            // The box closes itself once the timer fell due a few times under it.
            std::function<void(QMessageBox*)> closeLater = [&](QMessageBox* box) {
                if (timeouts < 3) {
                    QTimer::singleShot(1, [&, box] { closeLater(box); });
                    return;
                }
                shown = box->text();
                buttons = box->buttons().size();
                // Assistive technology sees the box and operates its button.
                QAccessibleInterface* ok = FindAccessibleButton(
                    QAccessible::queryAccessibleInterface(box), QStringLiteral("OK"));
                okSeen = ok != nullptr;
                if (ok) {
                    ok->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
                } else {
                    box->button(QMessageBox::Ok)->click();
                }
            };
            WhenModal<QMessageBox>(closeLater);
            MessagePopup("Fehler", "Keine Antwort");
            ticksWhileBoxUp = gTicks - ticksBefore;
        };
        QTest::mouseClick(s.widget(kRead), Qt::LeftButton);
        QVERIFY(timeouts >= 3);
        QCOMPARE(ticksWhileBoxUp, 0);
        QCOMPARE(shown, QStringLiteral("Keine Antwort"));
        QCOMPARE(buttons, qsizetype(1));
        QVERIFY(okSeen);
        QTRY_VERIFY(gTicks > 0);  // and they run again once the callback is over
    }

    void quitFromCallbackEndsTheLoop() {
        Session& s = *m_session;
        gDuring = [](int, int) { QuitUserInterface(7); };
        QObject scope;
        QTimer::singleShot(0, &scope, [&] { s.widget<QPushButton>(kRead)->click(); });
        bool stuck = false;  // a refused quit would leave the loop running
        QTimer::singleShot(10000, &scope, [&] {
            stuck = true;
            QCoreApplication::exit();
        });
        QCOMPARE(RunUserInterface(), 7);
        QVERIFY(!stuck);
        // Quitting closes no window behind the program's back.
        QCOMPARE(gCalls.size(), std::size_t(1));
        QVERIFY(s.window()->isVisible());
    }

    void windowsCloseOnlyWhenTheProgramSays() {
        Session& s = *m_session;
        QVERIFY(!s.window()->close());
        QVERIFY(s.window()->isVisible());
        QCOMPARE(gCalls.size(), std::size_t(1));
        QCOMPARE(gCalls[0].panel, s.main);
        QCOMPARE(gCalls[0].event, int(EVENT_CLOSE));

        QCOMPARE(InstallPopup(s.child), 0);  // returns at once
        QWidget* about = s.view().panelWidget(s.child);
        QVERIFY(about->isVisible());
        QCOMPARE(about->windowModality(), Qt::ApplicationModal);
        QCOMPARE(about->parentWidget(), s.window());
        QTest::mouseClick(s.view().controlWidget(s.child, kChildOk), Qt::LeftButton);
        QVERIFY(!about->isVisible());
        DisplayPanel(s.child);
        QCOMPARE(about->windowModality(), Qt::NonModal);
    }

    void fileDialogAnswers() {
        QTemporaryDir dir;
        std::string path;
        WhenModal<QFileDialog>([](QFileDialog* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Parametersatz speichern"));
            dialog->selectFile(QStringLiteral("satz"));
            static_cast<QDialog*>(dialog)->accept();
        });
        QCOMPARE(FileSelectPopup(qPrintable(dir.path()), "*.zan", "", "Parametersatz speichern",
                                 VAL_SAVE_BUTTON, 0, 1, 1, 1, &path),
                 int(VAL_NEW_FILE_SELECTED));
        QCOMPARE(QString::fromStdString(path), dir.filePath(QStringLiteral("satz.zan")));
        WhenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        QCOMPARE(FileSelectPopup(qPrintable(dir.path()), "*.zan", "", "Parametersatz laden",
                                 VAL_LOAD_BUTTON, 0, 0, 1, 0, &path),
                 int(VAL_NO_FILE_SELECTED));
        QVERIFY(path.empty());
    }

    void chartDrawsTheModelsTraces() {
        Session& s = *m_session;
        SetAxisScalingMode(s.main, kChart, VAL_LEFT_YAXIS, VAL_MANUAL, 0, 10);
        const double points[] = {7.5, 2.5};
        for (int i = 0; i < 30; ++i)
            PlotStripChart(s.main, kChart, points, 2);
        auto* chart = s.widget<qtui::StripChartWidget>(kChart);
        const QImage image = chart->grab().toImage();
        const QRect plot = chart->plotRect();
        // Whether the line of that trace crosses the middle of the plot at that value.
        auto drawnAt = [&](double value, int trace) {
            const QColor color = qtui::StripChartWidget::traceColor(trace);
            const int y = plot.bottom() - int(std::lround(value / 10 * plot.height()));
            for (int dy = -1; dy <= 1; ++dy) {
                const QColor seen = image.pixelColor(plot.center().x(), y + dy);
                if (std::abs(seen.red() - color.red()) + std::abs(seen.green() - color.green()) +
                        std::abs(seen.blue() - color.blue()) <
                    60) {
                    return true;
                }
            }
            return false;
        };
        QVERIFY(drawnAt(7.5, 0));
        QVERIFY(drawnAt(2.5, 1));
        QVERIFY(!drawnAt(5.0, 0));
    }

  private:
    std::unique_ptr<Session> m_session;
};

QTEST_MAIN(ViewTest)
#include "qtview_test.moc"
