// The calculator window's pages and its charts saved to files through the real buttons and
// context menus, with no print system at all, read back from the files.
#include "gui/calculator/InvestFixture.h"

#include "core/output/OutputFile.h"
#include "core/output/PrintLayout.h"
#include "gui/chart/QMGraph.h"
#include "gui/common/Geometry.h"
#include "gui/common/StartFolder.h"
#include "gui/print/PrintJob.h"
#include "gui/print/PrintSystem.h"
#include "gui/print/PrintedPage.h"
#include "screens/ChartData.h"

#include <QFileDialog>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cmath>

using namespace qm;
using namespace qmtest;

namespace {

// ---- The calculator window ----------------------------------------------------------------

class CalculatorCopies : public WithoutPrintSystem<InvestWindowTest> {
protected:
    // Runs `action` and answers the save dialogs it opens with `paths` in order (an empty path
    // cancels), other dialogs by closing them. Returns the titles of the save dialogs and the
    // texts of the other dialogs, in order.
    QStringList saving(const std::function<void()>& action, QStringList paths) {
        QStringList shown;
        runAnsweringModals(action, [&](QWidget* dialog) {
            auto* files = qobject_cast<QFileDialog*>(dialog);
            if (!files) {
                shown << dialogText(dialog);
                QTimer::singleShot(0, dialog, [dialog] {
                    if (auto* box = qobject_cast<QMessageBox*>(dialog))
                        box->buttons().first()->click();
                    else
                        dialog->close();
                });
                return;
            }
            shown << QStringLiteral("[%1]").arg(files->windowTitle());
            EXPECT_EQ(files->objectName(), "SaveAsDialog");
            EXPECT_EQ(files->acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(files->directory().absolutePath(), QDir(StartFolder()).absolutePath())
                << "starts in the folder every file dialog starts in";
            EXPECT_FALSE(paths.isEmpty()) << "an unexpected save dialog";
            const QString path = paths.isEmpty() ? QString() : paths.takeFirst();
            QTimer::singleShot(0, files, [files, path] {
                if (path.isEmpty()) {
                    QTest::keyClick(files, Qt::Key_Escape);
                    return;
                }
                auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                edit->setText(path);
                QTest::keyClick(edit, Qt::Key_Return);
            });
        });
        EXPECT_TRUE(paths.isEmpty()) << "save dialogs not shown for " << paths.size() << " paths";
        window->activateWindow();
        return shown;
    }
    QStringList saving(const char* button, const QStringList& paths) {
        return saving([&] { QTest::mouseClick(get(button), Qt::LeftButton); }, paths);
    }
    QString path(const char* name) { return dir.filePath(QLatin1String(name)); }

    QTemporaryDir dir;
};

const QString NoPrinterTitle = QStringLiteral("[%1]").arg(NoPrinterSaveTitle);

// Without any print system "&Print" offers the page as a PDF straight away: cancelled, nothing
// happens; saved, the PDF is the printed page line for line (fixed-pitch font at 11 points, two
// empty lines, further sheets when full); a file that cannot be written is named in a message.
TEST_F(CalculatorCopies, PrintWithoutPrinterSavesThePrintedPageAsPdf) {
    selectTab(InvestedGrowthTab);
    EXPECT_EQ(enter("IGInMonthsYrs", QStringLiteral("{Down}{Down}")), QStringList{});
    EXPECT_EQ(press("IGCalculate"), QStringList{});
    const QString page = window->state().resultsPage;
    const QStringList shown = shownLines();

    EXPECT_EQ(saving("IGPrint", {QString()}), QStringList{NoPrinterTitle});
    EXPECT_TRUE(QDir(dir.path()).isEmpty()) << "cancel writes nothing";

    // A name without extension gets ".pdf".
    EXPECT_EQ(saving("IGPrint", {path("monthly")}), QStringList{NoPrinterTitle});
    const QString pdf = path("monthly.pdf");
    ASSERT_TRUE(QFileInfo::exists(pdf));
    EXPECT_GE(ExpectPrintedPage(pdf, LinesOf(page), 11), 5) << "300 rows on several sheets";

    const QString unwritable = path("missing/monthly.pdf");
    const QStringList failed = saving("IGPrint", {unwritable});
    ASSERT_EQ(failed.size(), 2);
    EXPECT_EQ(failed[0], NoPrinterTitle);
    EXPECT_TRUE(
        failed[1].startsWith(QStringLiteral("The file %1 could not be saved: ").arg(unwritable)))
        << failed[1].toStdString();
    EXPECT_FALSE(QFileInfo::exists(unwritable));

    EXPECT_EQ(window->state().resultsPage, page) << "the page stays";
    EXPECT_EQ(shownLines(), shown);
}

// The Results box's menu keeps copying and selecting and adds the two copies of the page
// "&Print" prints (never the box's screen-only hint); both are off while there is no page.
TEST_F(CalculatorCopies, ResultsMenuSavesThePageAsPdfAndText) {
    auto* results = get<QPlainTextEdit>("Results");
    const QPoint inside = results->viewport()->rect().center();
    QStringList offered = useContextMenu(results->viewport(), inside);
    expectCopyAndSelectAll(offered);
    EXPECT_EQ(SavingEntries(offered),
              (QStringList{"Save as PDF... (off)", "Save as text... (off)"}));

    selectTab(PensionGrowthTab);
    EXPECT_EQ(press("PGCalculate"), QStringList{});
    const QString page = window->state().resultsPage;
    ASSERT_TRUE(results->toPlainText().contains(QLatin1String("Hidden column >")));
    offered = useContextMenu(results->viewport(), inside);
    expectCopyAndSelectAll(offered);
    EXPECT_EQ(SavingEntries(offered), PageEntries);

    EXPECT_EQ(saving([&] { useContextMenu(results->viewport(), inside, "SaveAsText"); },
                     {path("pension")}),
              QStringList{"[Save as text]"});
    const QByteArray text = readAll(path("pension.txt"));
    EXPECT_EQ(QString::fromUtf8(text).split(QLatin1Char('\n')),
              PrintedLines(page).mid(2) + QStringList{QString()})
        << "the printed lines, one a line, each ended";
    EXPECT_FALSE(text.contains("Hidden column >"));
    EXPECT_FALSE(text.contains('\r'));

    EXPECT_EQ(saving([&] { useContextMenu(results->viewport(), inside, "SaveAsPdf"); },
                     {path("pension.pdf")}),
              QStringList{"[Save as PDF]"});
    ExpectPrintedPage(path("pension.pdf"), LinesOf(page), 11);

    // Saved again over the same file: asked first; the new page replaces the old one whole.
    EXPECT_EQ(enter("PGInNumYearsToRetire", QStringLiteral("5")), QStringList{});
    EXPECT_EQ(press("PGCalculate"), QStringList{});
    const QStringList again = saving(
        [&] { useContextMenu(results->viewport(), inside, "SaveAsText"); }, {path("pension.txt")});
    ASSERT_EQ(again.size(), 2);
    EXPECT_TRUE(again[1].contains(QLatin1String("already exists"))) << again[1].toStdString();
    EXPECT_EQ(readAll(path("pension.txt")), PageTextFile(window->state().resultsPage));
}

// The chart window: "&Print" without a printer asks its two questions, then offers the sheet as
// a PDF (in grey after No); the chart's menu saves the picture as PNG and the sheet as PDF, in
// colour, at the printed size.
TEST_F(CalculatorCopies, ChartPrintsToPdfAndSavesPngAndPdf) {
    CalcState state;
    state.chartKind = ChartKind::MortgageComparisons;
    state.chartPoints = 3;
    for (int i = 1; i <= 3; ++i) {
        state.comparisonData.at(i, 1) = Currency::fromUnits(90000 + 1000 * i);
        state.comparisonData.at(i, 2) = Currency::fromUnits(60000 + 1000 * i);
    }
    QMGraph chart(BuildCalculatorChart(state), state.currencySymbol);
    chart.show();
    QStringList answers{"AllYes", "AllNo"};
    QStringList shown;
    runAnsweringModals(
        [&] { pressButton(&chart, QStringLiteral("QMGPrint")); },
        [&](QWidget* dialog) {
            if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
                shown << files->windowTitle();
                QTimer::singleShot(0, files, [this, files] {
                    auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                    edit->setText(path("grey"));
                    QTest::keyClick(edit, Qt::Key_Return);
                });
                return;
            }
            shown << dialogText(dialog);
            pressButton(dialog, answers.isEmpty() ? QStringLiteral("AllNo") : answers.takeFirst());
        });
    EXPECT_EQ(shown,
              (QStringList{" Continue with Printout.", " Print in Color.", NoPrinterSaveTitle}));
    ExpectChartImage(path("grey.pdf"), "gray");

    QWidget* view = chart.findChild<QWidget*>(QStringLiteral("MSChart1"));
    ASSERT_NE(view, nullptr);
    QWidget* surface = view->findChildren<QWidget*>().value(0, view);
    const QPoint inside(40, 40);
    EXPECT_EQ(useContextMenu(surface, inside), (QStringList{"Save as PNG...", "Save as PDF..."}));
    EXPECT_EQ(saving([&] { useContextMenu(surface, inside, "SaveAsPng"); }, {path("chart")}),
              QStringList{"[Save as PNG]"});
    const QImage png(path("chart.png"));
    ASSERT_FALSE(png.isNull());
    // The printed picture: 9530 by 6350 twips, drawn 200/96 times finer than the screen.
    EXPECT_EQ(png.size(),
              QSize(TwipsToPixelsX(9530, &chart), TwipsToPixelsY(6350, &chart)) * (200.0 / 96));
    EXPECT_NEAR(png.width() / (png.dotsPerMeterX() * 0.0254), 9530.0 / 1440, 0.01);
    EXPECT_NEAR(png.height() / (png.dotsPerMeterY() * 0.0254), 6350.0 / 1440, 0.01);
    EXPECT_FALSE(png.isGrayscale()) << "in colour";

    EXPECT_EQ(saving([&] { useContextMenu(surface, inside, "SaveAsPdf"); }, {path("chart.pdf")}),
              QStringList{"[Save as PDF]"});
    ExpectChartImage(path("chart.pdf"), "rgb");
    EXPECT_TRUE(chart.isVisible());
}

} // namespace
