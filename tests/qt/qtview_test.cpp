// The Qt view on the offscreen platform: over the program's own resource with
// recording callbacks, the steps in qtview_steps.txt, in which widgets follow
// the model without callbacks and operator actions commit once, and the strip
// chart; then the real operator window with its own callbacks.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "app/ZAN1BSteuerung.h"
#include "app/programm.h"
#include "app/resource.h"
#include "errors/VEK_errorV3.h"
#include "panel/ZAN1Steuerung.h"
#include "panel/panelhandles.h"
#include "platform/qt/look.h"
#include "platform/qt/qtview.h"
#include "platform/qt/stripchart.h"
#include "platform/rs232/portmap.h"
#include "platform/userint/model.h"
#include "platform/userint/userint.h"
#include "sim/ptyserver.h"
#include "tests/support/tempdir.h"

namespace {

QStringList gCalls;  // "control:event" of every callback but the timer's

int Record(int, int control, int event) {
    if (event != EVENT_TIMER_TICK) gCalls << QStringLiteral("%1:%2").arg(control).arg(event);
    return 0;
}

void RecordMenu(int item, int) {
    gCalls << QStringLiteral("menu %1").arg(item);
}

// The constant of the control that holds the widget.
QString ConstantOf(QWidget* w) {
    while (w && w->accessibleDescription().isEmpty())
        w = w->parentWidget();
    return w ? w->accessibleDescription() : QString();
}

// What a widget shows: its text, "*" when checked or lit, " (cut off)" for a
// text wider than its box, " (start hidden)" for one scrolled to its end,
// " {tooltip}", " (dimmed)" when disabled.
QString Shown(QWidget* w) {
    QString text;
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(w)) text = spin->text();
    if (auto* ring = qobject_cast<QComboBox*>(w)) text = ring->currentText();
    if (auto* e = qobject_cast<QLineEdit*>(w))
        text = e->text() + (e->cursorPosition() > 0 &&
                                    e->fontMetrics().horizontalAdvance(e->text()) > e->width()
                                ? " (start hidden)"
                                : "");
    if (auto* l = qobject_cast<QLabel*>(w))
        text = l->text() + (l->width() < l->sizeHint().width() ? " (cut off)" : "");
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) text = QString::number(tabs->currentIndex());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) text = b->text() + (b->isChecked() ? "*" : "");
    if (!w->toolTip().isEmpty()) text += " {" + w->toolTip() + "}";
    return w->isEnabled() ? text : text + " (dimmed)";
}

// How far apart two colours are, 0 to 765.
int Distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
           std::abs(a.blue() - b.blue());
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

// Answers the next file dialog with a name; *texts gets what its labels and
// buttons say, without the marks of their mnemonics.
void ChooseFile(const QString& name, QStringList* texts = nullptr) {
    WhenModal<QFileDialog>([name, texts](QFileDialog* dialog) {
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (auto* l = qobject_cast<QLabel*>(w); texts && l && w->isVisible())
                *texts << l->text().remove('&');
            if (auto* b = qobject_cast<QPushButton*>(w); texts && b)
                *texts << b->text().remove('&');
        }
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
        static_cast<QDialog*>(dialog)->accept();
    });
}

// Presses (or does another action of) a control or menu item found by its
// constant or its name, as a test robot does.
void Act(qtui::QtView& view, int panel, const char* text, bool byName = false,
         const QString& action = QAccessibleActionInterface::pressAction()) {
    QAccessibleInterface* found =
        Find(QAccessible::queryAccessibleInterface(view.panelWidget(panel)),
             QString::fromUtf8(text), byName);
    QVERIFY2(found, text);
    found->actionInterface()->doAction(action);
}

// What a window shows in its widgets, its menus included.
void Texts(QWidget* window, QStringList* texts) {
    *texts << window->windowTitle();
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* l = qobject_cast<QLabel*>(w)) *texts << l->text();
        if (auto* b = qobject_cast<QAbstractButton*>(w)) *texts << b->text();
        if (auto* r = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < r->count(); ++i)
                *texts << r->itemText(i);
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                *texts << t->tabText(i);
        if (auto* m = qobject_cast<QMenu*>(w)) {
            *texts << m->title();
            for (QAction* a : m->actions())
                *texts << a->text();
        }
    }
}

// The words of the German texts that their English translations do not use.
QSet<QString> GermanWords() {
    std::ifstream file(ZAN1_TRANSLATIONS_SOURCE);
    const QString ts = QString::fromStdString({std::istreambuf_iterator<char>(file), {}});
    const QRegularExpression word(QStringLiteral("\\p{L}{2,}"));
    QSet<QString> german, english;
    const QRegularExpression pair(QStringLiteral("<source>(.*?)</source>\\s*<translation>(.*?)<"),
                                  QRegularExpression::DotMatchesEverythingOption);
    for (const auto& m : pair.globalMatch(ts))
        for (int side : {1, 2})
            for (const auto& w : word.globalMatch(m.captured(side)))
                (side == 1 ? german : english) << w.captured();
    return german - english;
}

}  // namespace

class ViewTest : public QObject {
    Q_OBJECT

    std::unique_ptr<qtui::QtView> m_view;
    std::map<QString, int> m_panels;

  private slots:
    // A desktop that writes numbers as 1,5.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German)); }

    void init() {
        userint::ResetModel();
        userint::Resource resource = Zan1Resource();
        for (userint::PanelResource& panel : resource.panels) {
            for (userint::ControlResource& control : panel.controls)
                if (control.callback) control.callback = Record;
            for (userint::MenuResource& menu : panel.menuBar)
                for (userint::MenuItemResource& item : menu.items)
                    if (item.callback) item.callback = RecordMenu;
        }
        userint::RegisterResource(resource);
        m_view = std::make_unique<qtui::QtView>();
        userint::SetView(m_view.get());
        userint::SetDialogs(m_view.get());
        const int main = LoadPanel(0, kResourceName, PANEL);
        const int konfig = LoadPanel(main, kResourceName, KONFIGPNL);
        m_panels = {{"main", main}, {"konfigpanel", konfig}};
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
        QVERIFY(QTest::qWaitForWindowActive(m_view->panelWidget(m_panels["main"])));
        int line = 0, ran = 0;
        for (std::string text; std::getline(steps, text) && ++line;) {
            if (text.empty() || text[0] == '#') continue;
            const QStringList field = QString::fromStdString(text).split('|');
            const QStringList what = field[0].simplified().split(' ');
            QVERIFY2(field.size() == 4 && what.size() >= 2 && m_panels.count(what[0]),
                     qPrintable(QStringLiteral("%1 cannot be read").arg(line)));
            ++ran;
            const int panel = m_panels.at(what[0]);
            const userint::ControlState* state = nullptr;
            for (const userint::ControlState& c : userint::FindPanel(panel)->controls)
                if (what[1] == QString::fromStdString(c.resource->constant)) state = &c;
            QVERIFY2(state, qPrintable(what[1]));
            const int id = state->resource->id;
            QWidget* w = m_view->controlWidget(panel, id);
            const QString action = what.value(2), argument = what.mid(3).join(' ');
            QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(w);
            if (action == "set" && SetCtrlVal(panel, id, argument.toDouble()) == kUiWrongType &&
                SetCtrlVal(panel, id, argument.toInt()) == kUiWrongType) {
                SetCtrlVal(panel, id, argument.toStdString());
            }
            const std::map<QString, int> attributes = {{"DIMMED", ATTR_DIMMED},
                                                       {"MAX", ATTR_MAX_VALUE},
                                                       {"PRECISION", ATTR_PRECISION},
                                                       {"LABEL", ATTR_LABEL_TEXT},
                                                       {"TOOLTIP", ATTR_TOOLTIP}};
            if (action == "attr" && SetCtrlAttribute(panel, id, attributes.at(what[3]),
                                                     what[4].toDouble()) == kUiWrongType) {
                SetCtrlAttribute(panel, id, attributes.at(what[3]),
                                 qUtf8Printable(what.mid(4).join(' ')));
            }
            const QKeyCombination key = QKeySequence(argument)[0];
            if (action == "key") QTest::keyClick(w, key.key(), key.keyboardModifiers());
            if (action == "type")
                QMetaObject::invokeMethod(w, "selectAll"), QTest::keyClicks(w, argument);
            if (action == "click") QTest::mouseClick(w, Qt::LeftButton);
            if (action == "choose") emit qobject_cast<QComboBox*>(w)->activated(argument.toInt());
            if (action == "tab") qobject_cast<QTabWidget*>(w)->setCurrentIndex(argument.toInt());
            if (action == "value") a11y->valueInterface()->setCurrentValue(argument.toDouble());
            if (action == "toggle" || action == "press") {
                a11y->actionInterface()->doAction(action == "press"
                                                      ? QAccessibleActionInterface::pressAction()
                                                      : QAccessibleActionInterface::toggleAction());
            }
            // Tests and screen readers find a control by its constant, whatever else it says.
            QCOMPARE(a11y->text(QAccessible::Description), what[1]);
            const auto row = [&, line] {
                const QString held = field[2].trimmed() == "-" ? "-" : Held(panel, id);
                return QStringLiteral("%1: %2|%3|%4")
                    .arg(line)
                    .arg(Shown(w), held, gCalls.join(' '));
            };
            // A press, by assistive technology or Alt+letter, clicks a moment later.
            QTRY_COMPARE_WITH_TIMEOUT(
                row(),
                QStringLiteral("%1: %2|%3|%4")
                    .arg(line)
                    .arg(field[1].trimmed(), field[2].trimmed(), field[3].trimmed()),
                1000);
            gCalls.clear();
        }
        QVERIFY2(ran >= 55, "qtview_steps.txt has fewer steps than it must");
    }

    void chartKeepsOneScreenAndDrawsItInItsRange() {
        const int main = m_panels["main"];
        const double points[] = {7.5, 2.5}, last[] = {7.5, 9};
        for (int i = 0; i < 300; ++i)
            PlotStripChart(main, PANEL_STRIPCHART, i < 299 ? points : last, 2);
        const std::vector<double> trace = userint::ChartTrace(main, PANEL_STRIPCHART, 1);
        QVERIFY(trace.size() == 200 && trace.front() == 2.5 && trace.back() == 9);  // newest last
        auto* chart =
            qobject_cast<qtui::StripChartWidget*>(m_view->controlWidget(main, PANEL_STRIPCHART));
        const QImage image = chart->grab().toImage();
        const QRect plot = chart->plotRect();
        // Whether a trace's line crosses the middle of the plot at a value of 0..10.
        const auto drawnAt = [&](double value, int trace) {
            const QColor c = qtui::StripChartWidget::traceColor(trace);
            const int y = plot.bottom() - int(std::lround(value / 10 * plot.height()));
            int nearest = 765;
            for (int dy = -1; dy <= 1; ++dy)
                nearest =
                    std::min(nearest, Distance(image.pixelColor(plot.center().x(), y + dy), c));
            return nearest < 60;
        };
        QVERIFY(drawnAt(7.5, 0) && drawnAt(2.5, 1) && !drawnAt(5.0, 0));
        QCOMPARE(
            SetAxisScalingMode(main, PANEL_STRIPCHART, VAL_LEFT_YAXIS, VAL_MANUAL, 8, 2) +
                SetAxisScalingMode(main, PANEL_STRIPCHART, VAL_LEFT_YAXIS, VAL_AUTOSCALE, 0, 0),
            int(kUiValueRefused));
        QCOMPARE(chart->valueRange(), std::make_pair(2.5, 9.0));
    }

    // A NaN leaves a gap, bridged neither by a line nor by the autoscaled range,
    // and each trace's name stands above the plot in the trace's colour.
    void chartNamesTracesAndLeavesGaps() {
        const int main = m_panels["main"];
        SetTraceAttribute(main, PANEL_STRIPCHART, 1, ATTR_TRACE_LG_TEXT, "Istwert 1");
        SetTraceAttribute(main, PANEL_STRIPCHART, 2, ATTR_TRACE_LG_TEXT, "Istwert 2 [mbar]");
        SetAxisScalingMode(main, PANEL_STRIPCHART, VAL_LEFT_YAXIS, VAL_AUTOSCALE, 0, 0);
        for (int i = 0; i < 200; ++i) {
            const bool gap = i < 20 || (i >= 80 && i < 120);
            const double values[] = {gap ? std::nan("") : i < 80 ? 2.0 : 8.0, 7.0};
            PlotStripChart(main, PANEL_STRIPCHART, values, 2);
        }
        auto* chart =
            qobject_cast<qtui::StripChartWidget*>(m_view->controlWidget(main, PANEL_STRIPCHART));
        QCOMPARE(chart->valueRange(), std::make_pair(2.0, 8.0));
        const QImage image = chart->grab().toImage();
        const QRect plot = chart->plotRect();
        const auto columns = [&](int trace, int top, int bottom) {
            QList<int> xs;
            for (int x = 0; x < image.width(); ++x)
                for (int y = top; y <= bottom; ++y)
                    if (Distance(image.pixelColor(x, y), chart->traceColor(trace)) < 60) xs << x;
            return xs;
        };
        const QList<int> first = columns(0, plot.top(), plot.bottom());
        QVERIFY(!first.isEmpty() && !first.contains(plot.center().x()));
        const QList<int> name1 = columns(0, 0, plot.top() - 1),
                         name2 = columns(1, 0, plot.top() - 1);
        // A sample of the line and the name after it, the first trace's first.
        QVERIFY(!name1.isEmpty() && !name2.isEmpty());
        QVERIFY(name1.last() - name1.first() > 40 && name2.last() - name2.first() > 80);
        QVERIFY(name1.last() < name2.first());
    }

    // The keyboard alone: Tab visits a window's controls as they stand, a tab
    // page's within its tab control; Alt and a letter open the menus, whose
    // items answer to letters of their own; no letter serves twice in a window
    // or a menu, and screen readers still read the words; Escape on the
    // configuration panel is "Abbruch".
    void keyboard() {
        const int konfig = m_panels["konfigpanel"];
        DisplayPanel(konfig);
        // Tab passes a long message, which then shows its start again.
        QWidget* message = m_view->controlWidget(m_panels["main"], PANEL_FEHLERSTRING);
        SetCtrlVal(m_panels["main"], PANEL_FEHLERSTRING,
                   "Fehler 401002: Das Modul an Adresse 1 antwortet nicht");
        // Each window's tab order, and what its menus and buttons are called.
        const struct {
            int panel;
            QString order;
            QStringList names;
        } windows[] = {
            {m_panels["main"],
             "TAB PANTEIL IANTEIL DANTEIL STELLMIN STELLMAX ANFANGSSOLLWERT_ ANSTIEGSZEIT "
             "BETRIEBSART MODUSISTWERTNULL PORT ADRESSE SCANN IDLESEN IDSTRING SOLLWERT1 SOLLWERT2 "
             "STELLWERT1 STELLWERT2 LESEN SCHREIBEN VERBINDEN FEHLERSTRING FEHLERNUMMER "
             "GRAPHZOOMMAX GRAPHZOOMMIN GRAPHZOOMZURUECK TAB",
             {"Datei", "Konfiguration", "Parametersatz laden", "Parametersatz speichern",
              "Messwerte aufzeichnen...", "Beenden", "Skalieren...", "Info...", "Lesen",
              "Schreiben", "verbinden", "Zoom 1:1", "Scann", "ID lesen",
              "Stellwert wird Null wenn Istwert gleich Null"}},
            {konfig,
             "TAB SKALMIN_VOLT SKALMAX_VOLT SKALMIN_UMGERECHNET SKALMAX_UMGERECHNET SKAL_EINHEIT "
             "AUFSTANDARDWERTE ABBRUCH OK TAB",
             {"auf Standardwerte zurücksetzen", "Abbruch", "Ok"}}};
        for (const auto& [panel, order, names] : windows) {
            QWidget* window = m_view->panelWidget(panel);
            window->activateWindow();
            QTRY_VERIFY(QApplication::activeWindow() == window);
            QStringList visited{ConstantOf(QApplication::focusWidget())};
            while (visited.size() < order.count(' ') + 1) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
                visited << ConstantOf(QApplication::focusWidget());
            }
            QCOMPARE(visited.join(' '), order);
            QStringList letters;
            for (auto* b : window->findChildren<QAbstractButton*>())
                if (b->window() == window && b->isVisible() && !b->text().isEmpty())
                    letters << b->shortcut().toString();
            auto* bar = window->findChild<QMenuBar*>();
            for (QAction* title : bar ? bar->actions() : QList<QAction*>()) {
                QMenu* menu = title->menu();
                letters << QKeySequence::mnemonic(menu->title()).toString();
                QStringList items;
                for (QAction* item : menu->actions())
                    if (!item->isSeparator())
                        items << QKeySequence::mnemonic(item->text()).toString();
                QVERIFY2(!items.contains("") && items.removeDuplicates() == 0,
                         qPrintable(items.join(' ')));
            }
            for (const QString& words : names)
                QVERIFY2(Find(QAccessible::queryAccessibleInterface(window), words, true),
                         qPrintable(words));
            letters.removeOne("");  // "?"
            QVERIFY2(!letters.contains("") && letters.removeDuplicates() == 0,
                     qPrintable(letters.join(' ')));
        }
        QVERIFY(!Shown(message).contains("(start hidden)"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCOMPARE(gCalls.join(' '), QStringLiteral("4:1"));
        gCalls.clear();
        QWidget* window = m_view->panelWidget(m_panels["main"]);
        window->activateWindow();
        QTRY_VERIFY(QApplication::activeWindow() == window);
        for (const auto& [menu, item] :
             {std::pair(Qt::Key_D, Qt::Key_P), std::pair(Qt::Key_K, Qt::Key_S)}) {
            QTest::keyClick(window, menu, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), item);
        }
        QTRY_COMPARE(gCalls.join(' '), QStringLiteral("menu 2 menu 7"));
    }

    // A shown panel takes the keyboard. Offscreen activates every window shown,
    // so this needs X without a window manager, where only asking helps
    // (qtview_test.x11).
    void newPanelTakesTheKeyboard() {
        if (QGuiApplication::platformName() != "xcb") QSKIP("runs under Xvfb");
        QTRY_VERIFY(QApplication::activeWindow() == m_view->panelWidget(m_panels["main"]));
        DisplayPanel(m_panels["konfigpanel"]);
        QTRY_VERIFY(QApplication::activeWindow() == m_view->panelWidget(m_panels["konfigpanel"]));
        QCOMPARE(ConstantOf(QApplication::focusWidget()), QStringLiteral("TAB"));
    }

    void titlesAndQuestions() {
        QWidget* window = m_view->panelWidget(m_panels["main"]);
        QCOMPARE(window->windowTitle(), QStringLiteral("ZAN-1B Steuerung"));
        SetPanelAttribute(m_panels["main"], ATTR_TITLE, "ZAN-1B Steuerung – Modul 3");
        QCOMPARE(window->windowTitle(), QStringLiteral("ZAN-1B Steuerung – Modul 3"));
        // Return and Escape keep what is there; J and N answer as the buttons say.
        for (const auto& [key, answer] :
             {std::pair(Qt::Key_Return, 0), std::pair(Qt::Key_Escape, 0), std::pair(Qt::Key_J, 1),
              std::pair(Qt::Key_N, 0)}) {
            QString shown;
            WhenModal<QMessageBox>([&shown, key = key](QMessageBox* box) {
                shown = box->windowTitle() + "|" + box->text();
                for (QAbstractButton* b : box->buttons())
                    shown +=
                        "|" + QAccessible::queryAccessibleInterface(b)->text(QAccessible::Name);
                QTest::keyClick(box, key);
                QTimer::singleShot(1000, box, &QWidget::hide);  // a key that does not answer
            });
            QCOMPARE(ConfirmPopup("Parametersatz laden", "Werte im Fenster ersetzen?"), answer);
            QCOMPARE(shown,
                     QStringLiteral("Parametersatz laden|Werte im Fenster ersetzen?|Ja|Nein"));
        }
    }

    // In English every panel, menu, popup and the file dialog speaks English:
    // no word of a German text that its translation does not use, and an
    // error shows the catalogue's English text.
    void englishWindow() {
        QTranslator english;
        QVERIFY(english.load(QStringLiteral("zan1steuerung_en"), ZAN1_TRANSLATIONS_BUILT));
        QCoreApplication::installTranslator(&english);
        VEK_Fehlersprache(2);
        testsupport::TemporaryCurrentDirectory directory;
        std::ofstream("satz.zan") << "kein Parametersatz";
        userint::ResetModel();
        qtui::QtView view;
        userint::SetView(&view);
        userint::SetDialogs(&view);
        RegisterZan1Resource();
        QStringList texts;
        QTimer::singleShot(0, [&] {
            const auto box = [&texts](QMessageBox* b) {
                texts << b->windowTitle() << b->text();
                Texts(b, &texts);
                b->reject();
            };
            InstallPopup(aboutpanelHandle);
            DisplayPanel(konfigpanelHandle);
            for (int panel : {panelHandle, aboutpanelHandle, konfigpanelHandle})
                Texts(view.panelWidget(panel)->window(), &texts);
            WhenModal<QMessageBox>(box);  // Schreiben asks first
            Act(view, panelHandle, "SCHREIBEN");
            QTRY_VERIFY(!texts.filter(QStringLiteral("Write parameter set")).isEmpty());
            ChooseFile("satz", &texts);
            WhenModal<QMessageBox>(box);
            Act(view, panelHandle, "Load parameter set", true);
            QTRY_VERIFY(texts.contains(QStringLiteral("Error #304104")));
            QVERIFY(texts.contains(QString::fromUtf8(VEK_Fehlermeldung(-304104))));
            QuitUserInterface(0);
        });
        QCOMPARE(ProgramMain(), 0);
        QCoreApplication::removeTranslator(&english);
        VEK_Fehlersprache(1);
        const QSet<QString> german = GermanWords();
        QVERIFY(german.contains(QStringLiteral("Regler")) && texts.size() > 100);
        const QRegularExpression word(QStringLiteral("\\p{L}{2,}"));
        for (const QString& text : texts)
            for (const auto& w : word.globalMatch(QString(text).remove('&')))
                QVERIFY2(!german.contains(w.captured()), qPrintable(text));
        QVERIFY(texts.contains(QStringLiteral("ZAN-1B Control")));
    }

    // The operator window itself, read and operated through the accessibility
    // interface as a test robot does, connected to the simulator: the info
    // popup, a parameter set saved, "Messwerte aufzeichnen..." until
    // "Aufzeichnung beenden", "Diagramm speichern..." exactly as the window
    // shows the chart, the traffic log, and the end when the window is closed.
    void realWindow() {
        std::string error;
        const auto sim = zan1sim::PtyServer::start({}, &error);
        if (!sim) QSKIP(error.c_str());
        rs232::SetPortDevice(1, sim->devicePath());
        testsupport::TemporaryCurrentDirectory directory;
        userint::ResetModel();
        qtui::QtView view;
        userint::SetView(&view);
        userint::SetDialogs(&view);
        RegisterZan1Resource();
        QVERIFY(qtui::TranslateQt(QLocale(QLocale::German)));
        QObject scope;  // takes the timers below along when the test ends
        bool endedByFallback = false;
        QImage shown;
        QTimer::singleShot(0, &scope, [&] {
            // Should the steps below not end the program, this does.
            QTimer::singleShot(20000, &scope, [&] {
                endedByFallback = true;
                QuitUserInterface(0);
            });
            // A screen reader says a field's label and a message's current text.
            SetCtrlVal(panelHandle, PANEL_TEXT, "lese...");
            QAccessibleInterface* window =
                QAccessible::queryAccessibleInterface(view.panelWidget(panelHandle));
            QVERIFY(Find(window, "Sollwert 1", true) && Find(window, "lese...", true));
            Act(view, panelHandle, "Info...", true);  // a modal popup that returns at once
            QWidget* about = view.panelWidget(aboutpanelHandle);
            QVERIFY(about->isVisible() && about->windowModality() == Qt::ApplicationModal);
            QCOMPARE(about->window()->parentWidget(), view.panelWidget(panelHandle)->window());
            QVERIFY(QTest::qWaitForWindowActive(about));
            QTest::keyClick(about, Qt::Key_Escape);  // as "OK"
            QTRY_VERIFY(!about->isVisible());
            // The configuration panel from the keyboard takes it, and Escape closes it.
            view.panelWidget(panelHandle)->activateWindow();
            QTRY_VERIFY(QApplication::activeWindow() == view.panelWidget(panelHandle));
            QTest::keyClick(view.panelWidget(panelHandle), Qt::Key_K, Qt::AltModifier);
            QTRY_VERIFY(QApplication::activePopupWidget());
            QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_S);
            QWidget* konfig = view.panelWidget(konfigpanelHandle);
            QTRY_VERIFY(konfig->isActiveWindow() &&
                        konfig->isAncestorOf(QApplication::focusWidget()));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QTRY_VERIFY(!konfig->isVisible());
            QStringList fileDialog;
            ChooseFile("satz", &fileDialog);
            Act(view, panelHandle, "Parametersatz speichern", true);
            for (const char* german : {"Suchen in:", "Dateiname:", "Speichern", "Abbrechen"})
                QVERIFY2(fileDialog.contains(german), qPrintable(fileDialog.join('|')));
            QVERIFY(std::filesystem::exists("satz.zan"));  // the extension is added
            WhenModal<QMessageBox>([](QMessageBox* box) { box->accept(); });
            Act(view, panelHandle, "VERBINDEN", false, QAccessibleActionInterface::toggleAction());
            QTRY_VERIFY(LaufendesProgramm().istwerteAbfragen);  // connected on the module thread
            ChooseFile("werte");
            Act(view, panelHandle, "Messwerte aufzeichnen...", true);
            QTRY_VERIFY(std::filesystem::file_size("werte.csv") > 100);  // header and two rows
            Act(view, panelHandle, "Aufzeichnung beenden", true);
            QVERIFY(Find(window, "Messwerte aufzeichnen...", true));
            SetTraceAttribute(panelHandle, PANEL_STRIPCHART, 1, ATTR_TRACE_LG_TEXT, "Istwert 1");
            shown = view.controlWidget(panelHandle, PANEL_STRIPCHART)->grab().toImage();
            ChooseFile("diagramm");
            Act(view, panelHandle, "Diagramm speichern...", true);
            ChooseFile("verkehr");
            Act(view, panelHandle, "Verkehr protokollieren...", true);
            QTRY_VERIFY(std::filesystem::file_size("verkehr.log") > 0);
            Act(view, panelHandle, "Protokoll beenden", true);  // the item took its new name
            QVERIFY(Find(window, "Verkehr protokollieren...", true));
            // Closing the window is a request the program grants by ending.
            QVERIFY(!view.panelWidget(panelHandle)->close());
        });
        QCOMPARE(ProgramMain(), 0);
        rs232::SetPortDevice(1, "");
        QVERIFY(!endedByFallback && view.panelWidget(panelHandle)->isVisible());
        const QImage saved(QStringLiteral("diagramm.png"));
        QCOMPARE(saved.size(), QSize(660, 192));
        QCOMPARE(saved.convertToFormat(shown.format()), shown);
        QVERIFY(shown.pixelColor(0, 0) != shown.pixelColor(shown.rect().center()));
    }
};

QTEST_MAIN(ViewTest)
#include "qtview_test.moc"
