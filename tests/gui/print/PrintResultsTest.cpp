#include "gui/print/PrintResults.h"
#include "core/output/PrintLayout.h"
#include "core/text/Page.h"
#include "gui/common/WorkWindowBase.h"
#include "gui/print/PrintJob.h"
#include "gui/print/PrintSystem.h"
#include "support/CaseName.h"
#include "support/UiHelpers.h"

#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMap>
#include <QPainter>
#include <QRegularExpression>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <cmath>
#include <gtest/gtest.h>
#include <thread>

using namespace qm;
using namespace qmtest;

namespace {

// Prints `page` from `window`, waits for the job and returns the messages shown, a file dialog
// by its title (each dialog is closed).
QStringList printFrom(WorkWindow window, const QString& page) {
    SetActiveWorkWindow(window);
    QStringList shown;
    runAnsweringModals(
        [&] {
            PrintResults(page);
            WaitForPrintJobs();
        },
        [&](QWidget* dialog) {
            shown << (qobject_cast<QFileDialog*>(dialog) ? dialog->windowTitle()
                                                         : dialogText(dialog));
            dialog->close();
        });
    return shown;
}

// The printed lines of one PDF, sheet by sheet from the top: words on one line joined by a blank,
// with the exact left edge of the first word, the right edge of the last and the line's top.
struct PrintedLine {
    int page;
    double top, left, right;
    QString text;
};

QList<PrintedLine> printedLines(const QString& pdf) {
    QMap<std::pair<int, long>, PrintedLine> byRow;
    for (const PdfWord& word : PdfWords(pdf)) {
        const auto key = std::make_pair(word.page, std::lround(word.yMin * 10));
        auto it = byRow.find(key);
        if (it == byRow.end()) {
            byRow.insert(key, {word.page, word.yMin, word.xMin, word.xMax, word.text});
        } else {
            it->text += QLatin1Char(' ') + word.text;
            it->right = std::max(it->right, word.xMax);
        }
    }
    return byRow.values();
}

// pdftotext's lines without the blanks it uses for the left margin and line ends.
QStringList layoutLines(const QString& pdf) {
    QStringList lines;
    for (const QString& line :
         PdfLayoutText(pdf).split(QRegularExpression(QStringLiteral("[\n\f]"))))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

using PrintResultsOnPaper = RealPrinterTest;

TEST_F(PrintResultsOnPaper, FontSizeByWindowAfterTwoEmptyLines) {
    const QString page = QStringLiteral("Compound gain"
                                        "\r\n"
                                        "  Years        Cost       Value"
                                        "\r\n"
                                        "      5   10,000.00   20,000.00"
                                        "\r\n");
    struct Case {
        WorkWindow window;
        double points;
    };
    int jobs = 0;
    for (const Case& c : {Case{WorkWindow::Calculator, 11}, Case{WorkWindow::Manager, 10}}) {
        SCOPED_TRACE(c.points);
        EXPECT_EQ(printFrom(c.window, page), QStringList{}) << "no message when all goes well";
        const QStringList files = printSystem.waitForJobs(++jobs);
        ASSERT_EQ(files.size(), jobs);
        const QString pdf = files.last();

        // Fixed-pitch "Courier New" (on this system its metric twin).
        const QStringList fonts = PdfFontNames(pdf);
        ASSERT_EQ(fonts.size(), 1) << fonts.join(QLatin1Char(',')).toStdString();
        EXPECT_TRUE(fonts.front().contains(QLatin1String("Mono")) ||
                    fonts.front().contains(QLatin1String("Courier")))
            << fonts.front().toStdString();

        // Exactly the page's lines, columns kept, nothing added (no header, footer or number).
        EXPECT_EQ(layoutLines(pdf), (QStringList{"Compound gain", "Years        Cost       Value",
                                                 "5   10,000.00   20,000.00"}));
        for (const PdfTextRun& run : PdfTextRuns(pdf))
            EXPECT_EQ(run.fontSize, c.points) << run.text.toStdString();
        const QList<PrintedLine> lines = printedLines(pdf);
        ASSERT_EQ(lines.size(), 3);
        for (const PrintedLine& line : lines)
            EXPECT_EQ(line.page, 1);
        // All lines start at one left edge, so leading blanks shift the text right by
        // whole character cells (a fixed-pitch cell is 0.6 of the size).
        const double cell = (lines[0].right - lines[0].left) / 13.0; // "Compound gain"
        EXPECT_NEAR(cell, 0.6 * c.points, 0.05);
        EXPECT_NEAR(lines[1].left - lines[0].left, 2 * cell, 0.05);
        EXPECT_NEAR(lines[2].left - lines[0].left, 6 * cell, 0.05);
        // Two empty lines above the first: it sits three line spacings below the top margin's
        // first line, and the lines follow one spacing apart.
        const double spacing = lines[1].top - lines[0].top;
        EXPECT_NEAR(spacing, c.points * 1.13, 0.8);
        EXPECT_NEAR(lines[2].top - lines[1].top, spacing, 0.05);
        EXPECT_NEAR(lines[0].top - PrintTopMarginPoints, 2 * spacing, 0.5);
    }
}

TEST_F(PrintResultsOnPaper, LongPageBreaksWhereTheSheetIsFull) {
    QString page;
    for (int i = 1; i <= 150; ++i)
        page += QStringLiteral("Record %1").arg(i, 3, 10, QLatin1Char('0')) + LineEnd;
    EXPECT_EQ(printFrom(WorkWindow::Calculator, page), QStringList{});
    const QStringList files = printSystem.waitForJobs(1);
    ASSERT_EQ(files.size(), 1);
    const QList<QSizeF> sheets = PdfPageSizes(files.front());
    const QList<PrintedLine> lines = printedLines(files.front());

    // Every line once, in order, on as many sheets as the layout says.
    ASSERT_EQ(lines.size(), 150);
    for (int i = 0; i < 150; ++i)
        EXPECT_EQ(lines[i].text, QStringLiteral("Record %1").arg(i + 1, 3, 10, QLatin1Char('0')));
    const auto onFirst =
        std::count_if(lines.begin(), lines.end(), [](const PrintedLine& l) { return l.page == 1; });
    const int perPage = static_cast<int>(onFirst) + 2; // the two empty lines share the first sheet
    const QList<QStringList> expected = LayOutPrintPages(page, perPage);
    ASSERT_EQ(sheets.size(), expected.size());
    int index = 0;
    for (int s = 0; s < expected.size(); ++s)
        for (const QString& text : expected[s])
            if (!text.isEmpty()) {
                EXPECT_EQ(lines[index].page, s + 1) << text.toStdString();
                ++index;
            }
    // A sheet is full: one more line would cross the bottom margin.
    const double spacing = lines[1].top - lines[0].top;
    const double lastTop = lines[static_cast<int>(onFirst) - 1].top;
    EXPECT_LE(lastTop + spacing, sheets.front().height() - PrintBottomMarginPoints);
    EXPECT_GT(lastTop + 2 * spacing, sheets.front().height() - PrintBottomMarginPoints);
    // The second sheet starts at the top margin, without empty lines.
    EXPECT_NEAR(lines[static_cast<int>(onFirst)].top, lines[0].top - 2 * spacing, 1.0);
}

TEST_F(PrintResultsOnPaper, RecordListOf96CharactersFitsTheWidthAt10Points) {
    const QString wide =
        QStringLiteral("%1").arg(QStringLiteral("9,999,999.99"), 96, QLatin1Char('#'));
    ASSERT_EQ(wide.size(), 96);
    EXPECT_EQ(printFrom(WorkWindow::Manager, wide + LineEnd), QStringList{});
    const QStringList files = printSystem.waitForJobs(1);
    ASSERT_EQ(files.size(), 1);
    const QList<PrintedLine> lines = printedLines(files.front());
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines.front().text, wide);
    EXPECT_GE(lines.front().left, 0.0);
    EXPECT_LE(lines.front().right, PdfPageSizes(files.front()).front().width());
}

// The default printer is asked of the print system once and remembered; after a job fails it
// is asked again, and "no printer" is asked again every time (one may have been added).
TEST_F(PrintResultsOnPaper, DefaultPrinterAskedOnceAgainAfterAFailure) {
    int lookups = 0;
    bool none = false;
    SetPrinterLookup([&] {
        ++lookups;
        return none ? DefaultPrinter() : LoadPrintModule()->defaultPrinter();
    });
    struct Restore {
        ~Restore() { SetPrinterLookup({}); }
    } restore;
    const QByteArray tmp = qgetenv("TMPDIR");
    const struct {
        const char* what;
        bool spoolFails, noPrinter;
        QStringList shown; // messages (their beginnings) and dialog titles
        int lookups, jobs; // so far
    } steps[] = {
        {"first job", false, false, {}, 1, 1},
        {"second job", false, false, {}, 1, 2},
        {"spooling fails", true, false, {PrintFailedPrefix}, 1, 2},
        {"after the failure", false, false, {}, 2, 3},
        {"then none", false, true, {}, 2, 4},
    };
    for (const auto& step : steps) {
        if (step.spoolFails)
            qputenv("TMPDIR", "/nonexistent/qm-spool");
        none = step.noPrinter;
        const QStringList shown = printFrom(WorkWindow::Calculator, QStringLiteral("Line"));
        qputenv("TMPDIR", tmp);
        ASSERT_EQ(shown.size(), step.shown.size()) << step.what;
        for (qsizetype i = 0; i < shown.size(); ++i)
            EXPECT_TRUE(shown[i].startsWith(step.shown[i])) << step.what;
        EXPECT_EQ(lookups, step.lookups) << step.what;
        EXPECT_EQ(printSystem.waitForJobs(step.jobs).size(), step.jobs) << step.what;
    }
    // The remembered printer is forgotten only by a failure: with none found, each job asks.
    ForgetDefaultPrinter();
    none = true;
    for (int round = 1; round <= 2; ++round) {
        EXPECT_EQ(printFrom(WorkWindow::Calculator, QStringLiteral("Line")),
                  QStringList{NoPrinterSaveTitle});
        EXPECT_EQ(lookups, 2 + round);
    }
}

// Without a printer the page is offered as a PDF instead (closing that dialog saves nothing);
// when the print system fails, a message names the problem. Nothing is printed and the page is
// kept.
struct FailureCase {
    const char* what;
    QString message; // the message, or its beginning
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.what, c.message);
}

class PrintFailures : public RealPrinterTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(PrintFailures, AreReportedAndNothingIsPrinted) {
    const FailureCase& c = GetParam();
    const QByteArray tmp = qgetenv("TMPDIR");
    if (c.message == NoPrinterSaveTitle)
        ASSERT_TRUE(printSystem.removeQueue());
    else // the print system cannot spool the job: its temporary folder is missing
        qputenv("TMPDIR", "/nonexistent/qm-spool");
    const QString page = QStringLiteral("Kept page") + LineEnd;
    const QStringList shown = printFrom(WorkWindow::Calculator, page);
    qputenv("TMPDIR", tmp);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().startsWith(c.message)) << shown.front().toStdString();
    EXPECT_EQ(printSystem.jobCount(), 0);
    EXPECT_EQ(page, QStringLiteral("Kept page") + LineEnd);
}

INSTANTIATE_TEST_SUITE_P(NoPrinterOrSpoolFailure, PrintFailures,
                         ::testing::Values(FailureCase{"NoPrinter", NoPrinterSaveTitle},
                                           FailureCase{"SpoolFails", PrintFailedPrefix}),
                         [](const auto& info) { return std::string(info.param.what); });

// A job the worker is held on: it paints "Held job" once the test lets it go.
class HeldJob {
public:
    HeldJob() {
        PrintOnDefaultPrinter(QStringLiteral("Held"), PrintColor::Grey,
                              [this](PrintSheets&, QPainter& painter) {
                                  (void)gate_.tryAcquire(1, 20000);
                                  painter.drawText(QPointF(300, 300), QStringLiteral("Held job"));
                                  painted_ = true;
                                  return true;
                              });
    }
    void release() { gate_.release(); }
    bool painted() const { return painted_; }

private:
    QSemaphore gate_;
    std::atomic<bool> painted_{false};
};

// The click only hands the job over: it returns before the job is painted or written, the jobs
// are painted one at a time in the order given, each whole, with the page as it was at the
// click (changed or gone afterwards), and all goes well without a message.
TEST_F(PrintResultsOnPaper, ReturnsAtOnceAndJobsArriveWholeInOrderAsClicked) {
    SetActiveWorkWindow(WorkWindow::Calculator);
    HeldJob held;
    QString first;
    QStringList firstLines;
    for (int i = 1; i <= 150; ++i) {
        firstLines << QStringLiteral("First %1").arg(i, 3, 10, QLatin1Char('0'));
        first += firstLines.back() + LineEnd;
    }
    PrintResults(first);
    first = QStringLiteral("Changed after the click") + LineEnd;
    {
        const QString second = QStringLiteral("Second page") + LineEnd;
        SetActiveWorkWindow(WorkWindow::Manager);
        PrintResults(second);
    }
    SetActiveWorkWindow(WorkWindow::Calculator);
    EXPECT_EQ(printSystem.jobCount(), 0) << "nothing handed to the print system yet";
    EXPECT_FALSE(held.painted());

    held.release();
    const QStringList shown =
        runAnsweringModals([] { WaitForPrintJobs(); }, [](QWidget* dialog) { dialog->close(); });
    EXPECT_EQ(shown, QStringList{});
    const QStringList files = printSystem.waitForJobs(3);
    ASSERT_EQ(files.size(), 3);
    EXPECT_EQ(layoutLines(files[0]), QStringList{QStringLiteral("Held job")});
    EXPECT_EQ(layoutLines(files[1]), firstLines);
    EXPECT_GT(PdfPageSizes(files[1]).size(), 1) << "more than one sheet";
    EXPECT_EQ(layoutLines(files[2]), QStringList{QStringLiteral("Second page")});
    // The font chosen at the click: the manager's 10 points.
    for (const PdfTextRun& run : PdfTextRuns(files[2]))
        EXPECT_EQ(run.fontSize, 10) << run.text.toStdString();
}

// A failure found by the worker is shown when it is known, through the event loop as the user
// goes on, and the default printer is asked for again by the next job.
TEST_F(PrintResultsOnPaper, FailureArrivesThroughTheEventLoopAndThePrinterIsAskedAgain) {
    int lookups = 0;
    SetPrinterLookup([&] {
        ++lookups;
        return LoadPrintModule()->defaultPrinter();
    });
    struct Restore {
        ~Restore() { SetPrinterLookup({}); }
    } restore;
    SetActiveWorkWindow(WorkWindow::Calculator);
    const QByteArray tmp = qgetenv("TMPDIR");
    qputenv("TMPDIR", "/nonexistent/qm-spool");
    QStringList shown;
    runAnsweringModals(
        [&] {
            PrintResults(QStringLiteral("Line"));
            EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 20000));
        },
        [&](QWidget* dialog) {
            shown << dialogText(dialog);
            dialog->close();
        });
    qputenv("TMPDIR", tmp);
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown.front().startsWith(PrintFailedPrefix)) << shown.front().toStdString();
    EXPECT_EQ(lookups, 1);
    EXPECT_EQ(printFrom(WorkWindow::Calculator, QStringLiteral("Line")), QStringList{});
    EXPECT_EQ(lookups, 2);
    EXPECT_EQ(printSystem.waitForJobs(1).size(), 1);
}

// Quitting with a job in flight: the program waits for it, so it reaches the print system.
TEST_F(PrintResultsOnPaper, QuittingWaitsForTheJobInFlight) {
    HeldJob held;
    std::thread releaser([&held] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        held.release();
    });
    QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    qApp->exec();
    const bool paintedAtExit = held.painted();
    const int acceptedAtExit = printSystem.jobCount();
    releaser.join();
    EXPECT_TRUE(paintedAtExit);
    EXPECT_EQ(acceptedAtExit, 1);
    EXPECT_EQ(printSystem.waitForJobs(1).size(), 1);
}

// A page saved as PDF carries its currency symbol, whatever its script, as text a reader can
// find and copy: each character drawn from a font that has it (the rupee's sign, which the
// report font lacks, from the font the package depends on for it).
TEST(SavedPdf, CurrencySymbolsOfAnyScriptStayInTheText) {
    QTemporaryDir dir;
    SetActiveWorkWindow(WorkWindow::Calculator);
    for (const char* symbol : {"$", "\u20ac", "\u00a3", "\u00a5", "\u20b9", "CHF ", "kr"}) {
        const QString amount = QString::fromUtf8(symbol) + QStringLiteral("1,234.56");
        const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
        QFile::remove(pdf);
        runAnsweringModals(
            [&] { SaveResultsAsPdf(QStringLiteral("  Value   %1\r\n").arg(amount)); },
            [&](QWidget* dialog) {
                auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                if (!edit) {
                    dialog->close();
                    return;
                }
                edit->setText(pdf);
                QTest::keyClick(edit, Qt::Key_Return);
            });
        ASSERT_TRUE(QFile::exists(pdf)) << symbol;
        EXPECT_EQ(layoutLines(pdf), QStringList{QStringLiteral("Value   ") + amount}) << symbol;
    }
    SetActiveWorkWindow(WorkWindow::None);
}

} // namespace
