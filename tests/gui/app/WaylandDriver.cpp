// Runs the program's windows natively on Qt's Wayland platform, under the compositor that
// WaylandSession.py starts: the start menu; the calculator window and then the manager, opened
// through the menu's buttons and left again; over each work window every kind of dialog, opened
// modally as the program opens it and answered from a timer; the chart windows (their measure
// buttons, their save dialog); the results box's context menu; and the manager's own file dialog
// opening the sample database (the first argument). Each window must be shown, and each dialog be
// placed by the compositor: not moved by the program, transient for the window it was opened over.
// Exits 0 when all was shown and Qt printed no warning or critical message; otherwise prints
// every problem and exits 1.

#include "DriverWindows.h"
#include "gui/app/QMStart.h"
#include "gui/chart/QMGraph.h"
#include "gui/common/AccessibleList.h"
#include "gui/common/AppState.h"
#include "gui/common/Dialogs.h"
#include "gui/common/SaveDialog.h"
#include "gui/manager/QMManagement.h"
#include "gui/style/ProgramStyle.h"
#include "support/TestEnvironment.h"
#include "support/UiHelpers.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <cstdio>
#include <cstdlib>
#include <set>

using namespace qm;

namespace {

// How long the whole run may take.
constexpr int WatchdogMs = 45000;

// ---- Qt's messages ------------------------------------------------------------------------

QStringList& problems() {
    static QStringList list;
    return list;
}

void fail(const QString& problem) {
    std::fprintf(stderr, "PROBLEM: %s\n", qPrintable(problem));
    problems() << problem;
}

// Every message is printed; each warning, critical or fatal one is a problem (a fatal one then
// ends the process, as with Qt's own handler). None is excused: in the session the test makes,
// Qt prints none of its own accord.
void takeMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    const bool serious = type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg;
    const char* category = context.category ? context.category : "default";
    std::fprintf(stderr, "%s %s: %s\n", serious ? "Qt warning" : "Qt", category, qPrintable(text));
    if (serious)
        problems() << QStringLiteral("Qt said (%1): %2").arg(QLatin1String(category), text);
}

// ---- The windows shown --------------------------------------------------------------------

std::set<QString>& seen() {
    static std::set<QString> names;
    return names;
}

// The window a dialog opened now is expected over (its transient parent).
QPointer<QWidget>& openedOver() {
    static QPointer<QWidget> window;
    return window;
}

bool shown(QWidget* window) {
    if (!QTest::qWaitForWindowExposed(window, 5000)) {
        fail(QStringLiteral("%1 was not shown").arg(window->objectName()));
        return false;
    }
    std::printf("shown: %s\n", qPrintable(window->objectName()));
    seen().insert(window->objectName());
    return true;
}

// A dialog is placed by the compositor: the program does not move it, and it is transient for
// the window it was opened over, which the compositor places it by.
void placedByTheCompositor(QWidget* dialog) {
    const QString name = dialog->objectName();
    if (dialog->testAttribute(Qt::WA_Moved))
        fail(QStringLiteral("%1 was moved by the program").arg(name));
    QWidget* over = openedOver();
    const QWindow* parent =
        dialog->windowHandle() ? dialog->windowHandle()->transientParent() : nullptr;
    if (!over || parent != over->windowHandle())
        fail(QStringLiteral("%1 is not transient for %2")
                 .arg(name, over ? over->objectName() : QStringLiteral("any window")));
}

void clickIfShown(QWidget* root, const char* name) {
    auto* button = root->findChild<QPushButton*>(QLatin1String(name));
    if (button && button->isVisible())
        QTest::mouseClick(button, Qt::LeftButton);
}

// A chart window: each measure it has, its "Save as PNG..." (the save dialog, over the chart),
// then its exit button.
void useChart(QWidget* chart) {
    for (const char* measure : {"CVTotValue", "CVGainPercent"})
        clickIfShown(chart, measure);
    auto* png = chart->findChild<QAction*>(QStringLiteral("SaveAsPng"));
    if (!png) {
        fail(QStringLiteral("the chart has no Save as PNG"));
    } else {
        const QPointer<QWidget> before = openedOver();
        openedOver() = chart;
        png->trigger();
        openedOver() = before;
    }
    clickIfShown(chart, "QMGExit");
}

// Answers any dialog: checked as shown and placed, then used as a person would (the details
// shown, a few keys typed into its box) and left with Escape. Acted on from a timer of its own,
// so that a dialog it opens in turn is answered likewise.
void answer(QWidget* dialog) {
    if (!shown(dialog))
        return;
    placedByTheCompositor(dialog);
    QTimer::singleShot(0, dialog, [dialog] {
        if (dialog->objectName() == QLatin1String("QMGraph")) {
            useChart(dialog);
            return;
        }
        clickIfShown(dialog, "AMsgDetails");
        if (auto* box = qobject_cast<QLineEdit*>(dialog->focusWidget()))
            QTest::keyClicks(box, QStringLiteral("12"));
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
}

// Runs `action` with `over` the window its dialogs open over, answering each.
void withDialogs(QWidget* over, const std::function<void()>& action) {
    openedOver() = over;
    qmtest::runAnsweringModals(action, answer);
}

// The context menu of `window`'s results box, as a right click opens it, and its "Save as
// text..." (the save dialog, over the window).
void useResultsMenu(QWidget* window) {
    auto* results = window->findChild<QPlainTextEdit*>(QStringLiteral("Results"));
    if (!results) {
        fail(QStringLiteral("%1 has no results box").arg(window->objectName()));
        return;
    }
    const QPoint at = results->viewport()->rect().center();
    QContextMenuEvent click(QContextMenuEvent::Mouse, at, results->viewport()->mapToGlobal(at));
    QApplication::sendEvent(results->viewport(), &click);
    QWidget* menu = QApplication::activePopupWidget();
    if (!menu || !shown(menu)) {
        fail(QStringLiteral("the results menu did not open"));
        return;
    }
    auto* save = menu->findChild<QAction*>(QStringLiteral("SaveAsText"));
    menu->close();
    if (save)
        withDialogs(window, [save] { save->trigger(); });
}

// ---- What is opened -----------------------------------------------------------------------

// Acts on `window`'s shortcut `keys`: triggers the action or shortcut of the window that has them;
// false when none has. Keys typed with QTest reach no shortcut on Qt's Wayland platform (they do
// on xcb).
[[maybe_unused]] bool triggerShortcut(QWidget* window, const QKeySequence& keys) {
    QList<QAction*> actions = window->actions();
    actions += window->findChildren<QAction*>();
    for (QAction* action : actions) {
        if (action->isEnabled() && action->shortcuts().contains(keys)) {
            action->trigger();
            return true;
        }
    }
    for (QShortcut* shortcut : window->findChildren<QShortcut*>()) {
        if (shortcut->isEnabled() && shortcut->keys().contains(keys)) {
            emit shortcut->activated();
            return true;
        }
    }
    return false;
}

// Which windows a dialog of the list below is opened over.
enum class Over { Menu = 1, WorkWindows = 2, Every = 3 };

struct DialogCase {
    const char* name; // the dialog's objectName
    Over over;
    // Opens the dialog over `window` as the program does, returning once it is answered.
    std::function<void(QWidget* window)> open;
};

// Each kind of dialog of the program, opened over each window it may be opened over.
const std::vector<DialogCase>& dialogCases() {
    static const std::vector<DialogCase> cases = {
        {"AMsgbox", Over::WorkWindows, [](QWidget*) { ShowMessage(Message::NothingToPrint); }},
        {"AMsgbox", Over::WorkWindows,
         [](QWidget*) {
             ShowMessage(Message::NothingToPrint,
                         QStringLiteral("line 3: the date 13/45/2024 is no date"));
         }},
        {"AllYesNo", Over::WorkWindows, [](QWidget*) { AskQuestion(Question::ContinuePrinting); }},
        {"PrinterHeaderInput", Over::WorkWindows,
         [](QWidget*) {
             AskLine(QStringLiteral("Continue &Printout"),
                     QStringLiteral(" Type in one line header information."));
         }},
        {"FundCurValInput", Over::WorkWindows, [](QWidget*) { AskRecordNumber(1); }},
        {"PlainMessage", Over::WorkWindows,
         [](QWidget*) { ShowPlainMessage(QStringLiteral("The database was saved.")); }},
        {"PlainQuestion", Over::WorkWindows,
         [](QWidget*) { AskPlainQuestion(QStringLiteral("Replace the file?")); }},
        {"SaveAsDialog", Over::WorkWindows,
         [](QWidget*) {
             AskSavePath(QStringLiteral("Save as PDF"), PdfFile, QStringLiteral("Q"));
         }},
        // The settings, opened as a person opens them (Ctrl+, on each window, the menu's
        // button), over the window they are opened from.
        {"Settings", Over::Every,
         [](QWidget* w) { triggerShortcut(w, QKeySequence(Qt::CTRL | Qt::Key_Comma)); }},
        {"Settings", Over::Menu, [](QWidget* menu) { clickIfShown(menu, "StartSettings"); }},
    };
    return cases;
}

void openDialogs(QWidget* window, Over where) {
    for (const DialogCase& c : dialogCases()) {
        if ((static_cast<int>(c.over) & static_cast<int>(where)) == 0)
            continue;
        bool opened = false;
        openedOver() = window;
        qmtest::runAnsweringModals([&] { c.open(window); },
                                   [&](QWidget* dialog) {
                                       opened = opened || dialog->objectName() == c.name;
                                       answer(dialog);
                                   });
        if (!opened)
            fail(QStringLiteral("%1 did not open over %2").arg(c.name, window->objectName()));
    }
}

// Opens the work window of the menu's button `button` and returns it once it is shown.
QWidget* openWorkWindow(QMStart& menu, const char* button) {
    clickIfShown(&menu, button);
    QWidget* window = menu.workWindow();
    if (!window || !shown(window)) {
        fail(QStringLiteral("%1 opened no work window").arg(QLatin1String(button)));
        return nullptr;
    }
    return window;
}

// Leaves the work window; the menu shows again.
void leave(QMStart& menu, QWidget* window) {
    window->close();
    if (!QTest::qWaitFor([&] { return menu.isVisible(); }, 5000))
        fail(QStringLiteral("the menu did not come back after %1").arg(window->objectName()));
    else
        shown(&menu);
}

void run(QMStart& menu, const QString& sample) {
    menu.start();
    if (!shown(&menu))
        return;
    openDialogs(&menu, Over::Menu);

    if (QWidget* calculator = openWorkWindow(menu, "StartCalc")) {
        openDialogs(calculator, Over::WorkWindows);
        // A calculation on the defaults, then its chart.
        withDialogs(calculator, [calculator] {
            clickIfShown(calculator, "IGCalculate");
            clickIfShown(calculator, "AllGraphs");
        });
        useResultsMenu(calculator);
        leave(menu, calculator);
    }

    if (QWidget* window = openWorkWindow(menu, "StartStockMgmt")) {
        auto* manager = qobject_cast<QMManagement*>(window);
        openedOver() = manager;
        const auto check = [](QWidget* dialog) {
            if (shown(dialog))
                placedByTheCompositor(dialog);
        };
        if (!manager || !qmdriver::OpenDatabase(*manager, sample, check))
            fail(QStringLiteral("the sample database did not open"));
        openDialogs(window, Over::WorkWindows);
        withDialogs(window, [] {
            const MeasureSource measures = qmdriver::FundMeasures();
            ShowChart(measures(ManagerMeasure::GainDollars), app().currencySymbol, measures);
        });
        leave(menu, window);
    }

    // Every kind of window and dialog was shown.
    for (const char* name :
         {"QMStart", "QMInvest", "QMManagement", "CMDialog1", "QMGraph", "ResultsMenu"})
        if (!seen().count(QLatin1String(name)))
            fail(QStringLiteral("%1 was never shown").arg(QLatin1String(name)));
    for (const DialogCase& c : dialogCases())
        if (!seen().count(QLatin1String(c.name)))
            fail(QStringLiteral("%1 was never shown").arg(QLatin1String(c.name)));
    menu.StartExit_Click();
}

} // namespace

int main(int argc, char** argv) {
    qInstallMessageHandler(takeMessage);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillmark-wayland-driver"));
    if (QGuiApplication::platformName() != QLatin1String("wayland")) {
        std::fprintf(stderr, "FAILED: the platform is %s, not wayland\n",
                     qPrintable(QGuiApplication::platformName()));
        return 1;
    }
    // As the program starts.
    UseAccessibleInterfaces();
    UseProgramStyle();
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmark.quillmark"));
    qmtest::pinEnvironment();
    app().currencySymbol = QStringLiteral("$");

    // A copy of its own: the sample's lock would be met by a test program opening it at once.
    QTemporaryDir folder;
    const QString sample = folder.filePath(QStringLiteral("DtaSampl.QMD"));
    if (argc < 2 || !QFile::copy(QString::fromLocal8Bit(argv[1]), sample)) {
        std::fputs("FAILED: usage: qm_wayland_driver SAMPLE_DATABASE\n", stderr);
        return 1;
    }

    // A dialog left unanswered would hold the run until the test's time is out: it says where.
    QTimer::singleShot(WatchdogMs, [] {
        const QWidget* modal = QApplication::activeModalWidget();
        fail(QStringLiteral("stuck after %1 s, %2 on top")
                 .arg(WatchdogMs / 1000)
                 .arg(modal ? modal->objectName() : QStringLiteral("no dialog")));
        std::fflush(stdout);
        std::_Exit(1);
    });
    {
        QMStart menu;
        QTimer::singleShot(0, &menu, [&menu, &sample] {
            run(menu, sample);
            QCoreApplication::quit();
        });
        application.exec();
    } // what the windows say as they go counts too

    if (!problems().isEmpty()) {
        std::printf("FAILED under Wayland:\n");
        for (const QString& problem : problems())
            std::printf("  %s\n", qPrintable(problem));
        return 1;
    }
    std::printf("%zu kinds of windows and dialogs shown on Wayland, no warning\n", seen().size());
    return 0;
}
