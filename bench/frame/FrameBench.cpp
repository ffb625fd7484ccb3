// Times the user's actions from the click or key to the end of the first frame that shows the
// result (FrameClock.h says where a frame ends), in one process on a real X server. Each round
// opens a plain window (the yardstick), then works through the calculator window and the
// manager with the largest portfolio; the first round's figures are the process's first ones.
// Prints one line per sample: "sample<TAB>action<TAB>first|later<TAB>milliseconds", and one
// "sheets<TAB>action<TAB>count" per printed job kind. scripts/frame-bench.sh runs it and
// makes the table.
// Usage: qm_frame_bench [rounds]

#include "FrameClock.h"
#include "LargePortfolio.h"
#include "gui/print/PrintSystem.h"

#include "core/portfolio/DatabaseFile.h"
#include "core/startup/Startup.h"
#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/chart/QMGraph.h"
#include "gui/common/AccessibleList.h"
#include "gui/common/AppState.h"
#include "gui/manager/QMManagement.h"
#include "gui/style/ProgramStyle.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>
#include <cstdlib>

using namespace qm;
using qmbench::FrameClock;

namespace {

const QString PlainWindow = QStringLiteral("plain window (three buttons)");
const QString OpenCalculator = QStringLiteral("open the calculator window");
const QString CalculateKey = QStringLiteral("Calculate (invested growth, monthly, 40 years)");
const QString ChartKey = QStringLiteral("the chart window");
const QString OpenManager = QStringLiteral("open the manager");
const QString FileDialogKey = QStringLiteral("the file dialog");
const QString OpenLargest = QStringLiteral("open the largest portfolio (18 funds, 600 records)");
const QString AllFundsKey = QStringLiteral("the all-funds display");
const QString PrintPage = QStringLiteral("Print a page (one fund's records)");
const QString PrintReport = QStringLiteral("Print the all-funds report");

class Bench {
public:
    Bench(FrameClock& app, qmtest::PrivatePrintSystem* printer) : app_(app), printer_(printer) {}

    void run(int rounds);

private:
    template <typename T> T* get(QWidget* root, const char* name) {
        T* found = root->findChild<T*>(QLatin1String(name));
        if (!found) {
            std::fprintf(stderr, "frame bench: no control %s\n", name);
            std::exit(1);
        }
        return found;
    }

    void record(const QString& action, qint64 start, qint64 end) {
        if (end < 0) {
            std::fprintf(stderr, "frame bench: no frame came for \"%s\"\n", qPrintable(action));
            return;
        }
        const char* phase = counts_[action]++ == 0 ? "first" : "later";
        std::printf("sample\t%s\t%s\t%.3f\n", qPrintable(action), phase, (end - start) / 1e6);
        std::fflush(stdout);
    }

    static void click(QWidget* widget, QPoint at = {}) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
    }

    // A click that changes what `window` shows: timed to the end of the window's next frame.
    void timedUpdate(const QString& action, QWidget* window, const std::function<void()>& act) {
        const qint64 start = app_.now();
        act();
        const qint64 done = app_.now();
        record(action, start,
               app_.waitForFrame([window](QWidget* w) { return w == window; }, done));
        settle();
    }

    // A click that opens a modal window `which` accepts: timed to the end of its first frame;
    // `answer` then runs inside the window's own loop.
    void timedModal(const QString& action, const std::function<bool(QWidget*)>& which,
                    const std::function<void()>& act, const std::function<void(QWidget*)>& answer) {
        qint64 end = -1;
        app_.onFrame = [&](QWidget* window, qint64 at) {
            if (end >= 0 || !which(window))
                return;
            end = at;
            QPointer<QWidget> target = window;
            QTimer::singleShot(0, window, [target, answer] {
                if (target)
                    answer(target);
            });
        };
        const qint64 start = app_.now();
        act();
        app_.onFrame = {};
        record(action, start, end);
    }

    // A print button: timed until the job has been handed to the print queue (the click
    // returns); then waits, untimed, until the queue has written it out.
    void timedPrint(const QString& action, QWidget* button) {
        if (!printer_)
            return;
        const qint64 start = app_.now();
        click(button);
        record(action, start, app_.now());
        const QStringList jobs = printer_->waitForJobs(++jobs_);
        if (jobs.size() < jobs_) {
            std::fprintf(stderr, "frame bench: the print queue did not write job %d\n", jobs_);
            --jobs_;
        } else if (!sheets_.contains(action)) {
            sheets_[action] = sheetCount(jobs.last());
            std::printf("sheets\t%s\t%d\n", qPrintable(action), sheets_[action]);
        }
        settle();
    }

    static int sheetCount(const QString& pdf) {
        QFile file(pdf);
        if (!file.open(QIODevice::ReadOnly))
            return 0;
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page[^s]"));
        return static_cast<int>(QString::fromLatin1(file.readAll()).count(page));
    }

    void settle() { app_.idle(40); }

    static void activate(QWidget* window) {
        window->activateWindow();
        if (!QTest::qWaitForWindowActive(window))
            std::fprintf(stderr, "frame bench: %s did not become active\n",
                         qPrintable(window->objectName()));
    }

    void plainWindow();
    void calculator();
    void manager();

    FrameClock& app_;
    qmtest::PrivatePrintSystem* printer_;
    QMap<QString, int> counts_;
    QMap<QString, int> sheets_;
    int jobs_ = 0;
    QTemporaryDir dir_;
    QString largest_;
    std::unique_ptr<QMStart> menu_;
};

void Bench::plainWindow() {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    for (const char* caption : {"One", "Two", "Three"})
        layout->addWidget(new QPushButton(QString::fromLatin1(caption)));
    const qint64 start = app_.now();
    window.show();
    record(PlainWindow, start,
           app_.waitForFrame([&window](QWidget* w) { return w == &window; }, start));
    window.hide();
    settle();
}

void Bench::calculator() {
    const qint64 start = app_.now();
    click(get<QPushButton>(menu_.get(), "StartCalc"));
    record(OpenCalculator, start,
           app_.waitForFrame([](QWidget* w) { return qobject_cast<QMInvest*>(w); }, start));
    settle();
    auto* window = qobject_cast<QMInvest*>(menu_->workWindow());
    auto* tabs = get<QTabBar>(window, "SSTab1");

    // Every tab, ending on invested growth.
    for (const int tab : {0, 1, 3, 4, 5, 2}) {
        const QString caption = tabs->tabText(tab).remove(QLatin1Char('&'));
        timedUpdate(QStringLiteral("calculator tab: ") + caption, window,
                    [&] { click(tabs, tabs->tabRect(tab).center()); });
    }

    // Monthly contributions over 40 years, typed as a user does (not timed). The boxes take
    // what was typed when they lose the focus, which needs the window active.
    activate(window);
    auto* frequency = get<QComboBox>(window, "IGInMonthsYrs");
    frequency->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 8 && frequency->currentText() != QLatin1String("Monthly"); ++i)
        QTest::keyClick(frequency, Qt::Key_Down);
    auto* years = get<QLineEdit>(window, "IGInYearsInvested");
    years->setFocus(Qt::TabFocusReason);
    years->selectAll();
    QTest::keyClicks(years, QStringLiteral("40"));
    auto* calculate = get<QPushButton>(window, "IGCalculate");
    calculate->setFocus(Qt::TabFocusReason);
    settle();
    timedUpdate(CalculateKey, window, [&] { click(calculate); });
    // The page: ten heading lines, then a line for each of the 480 months.
    const qsizetype lines =
        get<QPlainTextEdit>(window, "Results")->toPlainText().count(QLatin1Char('\n'));
    if (lines < 490)
        std::fprintf(stderr, "frame bench: Calculate showed %lld lines, not 480 months\n",
                     static_cast<long long>(lines));

    timedModal(
        ChartKey, [](QWidget* w) { return qobject_cast<QMGraph*>(w); },
        [&] { click(get<QPushButton>(window, "AllGraphs")); },
        [this](QWidget* chart) { click(get<QPushButton>(chart, "QMGExit")); });
    settle();

    click(get<QPushButton>(window, "ExitProgram"));
    settle();
}

void Bench::manager() {
    const qint64 start = app_.now();
    click(get<QPushButton>(menu_.get(), "StartStockMgmt"));
    record(OpenManager, start,
           app_.waitForFrame([](QWidget* w) { return qobject_cast<QMManagement*>(w); }, start));
    settle();
    auto* window = qobject_cast<QMManagement*>(menu_->workWindow());
    auto* tabs = get<QTabBar>(window, "SSTab2");

    // "Open file": the file dialog's first frame; then the file's name and Enter, and the
    // manager's first frame after the dialog has gone.
    qint64 enter = -1;
    timedModal(
        FileDialogKey, [](QWidget* w) { return qobject_cast<QFileDialog*>(w); },
        [&] { click(tabs, tabs->tabRect(0).center()); },
        [&](QWidget* dialog) {
            auto* name = get<QLineEdit>(dialog, "fileNameEdit");
            name->setText(largest_);
            enter = app_.now();
            QTest::keyClick(name, Qt::Key_Return);
        });
    const qint64 back = app_.now();
    record(OpenLargest, enter,
           app_.waitForFrame([window](QWidget* w) { return w == window; }, back));
    if (window->portfolio().fundCount != 18)
        std::fprintf(stderr, "frame bench: the portfolio opened with %d funds\n",
                     window->portfolio().fundCount);
    settle();

    const auto tabChange = [&](int tab) {
        const QString caption = tabs->tabText(tab).remove(QLatin1Char('&'));
        timedUpdate(QStringLiteral("manager tab: ") + caption, window,
                    [&] { click(tabs, tabs->tabRect(tab).center()); });
    };
    tabChange(3);
    timedUpdate(AllFundsKey, window, [&] { click(get<QPushButton>(window, "DDisplall")); });
    timedPrint(PrintReport, get<QPushButton>(window, "DPrint"));
    tabChange(4);
    tabChange(2);

    // One fund's record list, chosen from the drop-down list (not timed), then printed.
    auto* funds = get<QComboBox>(window, "EFunds");
    funds->showPopup();
    QAbstractItemView* view = funds->view();
    view->setCurrentIndex(view->model()->index(0, 0));
    QTest::keyClick(view, Qt::Key_Return);
    settle();
    timedPrint(PrintPage, get<QPushButton>(window, "EPrint"));

    click(get<QPushButton>(window, "EExit"));
    settle();
}

void Bench::run(int rounds) {
    if (!dir_.isValid()) {
        std::fprintf(stderr, "frame bench: no temporary folder\n");
        std::exit(1);
    }
    largest_ = dir_.filePath(QStringLiteral("LARGEST.QMD"));
    if (!WriteDatabaseFile(qmbench::MakeLargePortfolio(), largest_)) {
        std::fprintf(stderr, "frame bench: cannot write %s\n", qPrintable(largest_));
        std::exit(1);
    }

    // An unexpected question or message would stop the run: one still open after ten seconds
    // is noted and closed.
    QTimer guard;
    QPointer<QWidget> lastModal;
    QElapsedTimer open;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal != lastModal) {
            lastModal = modal;
            open.start();
        } else if (modal && open.elapsed() > 10000) {
            std::fprintf(stderr, "frame bench: closing an unexpected dialog %s\n",
                         qPrintable(modal->objectName()));
            modal->close();
        }
    });
    guard.start(500);

    menu_ = std::make_unique<QMStart>();
    const qint64 start = app_.now();
    menu_->show();
    app_.waitForFrame([this](QWidget* w) { return w == menu_.get(); }, start);
    settle();
    for (int round = 0; round < rounds; ++round) {
        plainWindow();
        calculator();
        plainWindow();
        manager();
    }
    menu_.reset();
}

} // namespace

int main(int argc, char** argv) {
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 4;
    qmbench::PinEnvironment();

    // The print queue first: the process prints to it and to nothing else.
    qmtest::PrivatePrintSystem printSystem;
    QString reason;
    const bool printing = printSystem.start(&reason) == qmtest::PrivatePrintSystem::Start::Ready;
    if (!printing)
        std::fprintf(stderr, "frame bench: no private print queue, Print is left out: %s\n",
                     qPrintable(reason));

    FrameClock app(argc, argv);
    UseAccessibleInterfaces();
    UseProgramStyle();
    qm::app().currencySymbol = RunStartup();
    Bench bench(app, printing ? &printSystem : nullptr);
    bench.run(rounds);
    return 0;
}
