// The calculator window's "&Print" and its chart's "&Print" pressed for real, read back from the
// printed PDF files.
#include "gui/calculator/InvestFixture.h"

#include "gui/print/PrintJob.h"
#include "gui/print/PrintSystem.h"
#include "gui/print/PrintedPage.h"

#include <vector>

using namespace qm;
using namespace qmtest;

namespace {

using CalculatorPrintTest = WithRealPrinter<InvestWindowTest>;

const QString Continue = QStringLiteral(" Continue with Printout.");
const QString InColor = QStringLiteral(" Print in Color.");

// One press of a tab's "&Print": the keys typed into its boxes first, the button that fills the
// page, and what must show in the Results box only (never on paper).
struct PageCase {
    const char* name;
    int tab;
    std::vector<std::pair<const char*, const char*>> entries;
    const char* fill;
    const char* print;
    int sheets; // at least
    const char* boxOnly = nullptr;
};

const PageCase PageCases[] = {
    {"compound gain defaults", CompoundGainTab, {}, "CGCalculate", "CGPrint", 1},
    {"compound gain, a second comparison on the page",
     CompoundGainTab,
     {{"CGInValueNow", "5000"}, {"CGInNumOfYrs", "3"}},
     "CGCalculate",
     "CGPrint",
     1},
    {"compound gain help", CompoundGainTab, {}, "CGHelp", "CGPrint", 1},
    {"pension growth table without the box's hint",
     PensionGrowthTab,
     {},
     "PGCalculate",
     "PGPrint",
     1,
     "Hidden column >"},
    {"retired income table", RetiredIncomeTab, {}, "RICalculate", "RIPrint", 1},
    {"invested growth monthly, 300 rows over several sheets",
     InvestedGrowthTab,
     {{"IGInMonthsYrs", "{Down}{Down}"}},
     "IGCalculate",
     "IGPrint",
     5},
};

// Every page is printed as it stands, one job per press, at 11 points in the fixed-pitch font,
// two empty lines first, a long page carried over to further sheets.
TEST_F(CalculatorPrintTest, PagesPrintLineForLine) {
    std::vector<QString> pages;
    for (const PageCase& c : PageCases) {
        SCOPED_TRACE(c.name);
        selectTab(c.tab);
        for (const auto& [box, keys] : c.entries)
            EXPECT_EQ(enter(box, QString::fromLatin1(keys)), QStringList{});
        EXPECT_EQ(press(c.fill), QStringList{});
        const QString page = window->state().resultsPage;
        const QString shown = get<QPlainTextEdit>("Results")->toPlainText();
        ASSERT_FALSE(page.isEmpty());
        if (c.boxOnly) {
            EXPECT_TRUE(shown.contains(QLatin1String(c.boxOnly)));
            EXPECT_FALSE(page.contains(QLatin1String(c.boxOnly)));
        }
        EXPECT_EQ(press(c.print), QStringList{}) << "no message when all goes well";
        EXPECT_EQ(window->state().resultsPage, page) << "printing leaves the page";
        EXPECT_EQ(get<QPlainTextEdit>("Results")->toPlainText(), shown);
        pages.push_back(page);
    }
    const QStringList files = printSystem.waitForJobs(static_cast<int>(pages.size()));
    ASSERT_EQ(files.size(), pages.size());
    EXPECT_EQ(printSystem.jobCount(), files.size()) << "one job per press";
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(PageCases[i].name);
        EXPECT_GE(ExpectPrintedPage(files[static_cast<qsizetype>(i)], LinesOf(pages[i]), 11),
                  PageCases[i].sheets);
    }
}

// "&Graph" after a calculation opens the chart window; its "&Print" prints one image after Yes
// and the colour question, and nothing after No.
TEST_F(CalculatorPrintTest, ChartFromGraphPrintsOnlyAfterYes) {
    selectTab(PensionGrowthTab);
    EXPECT_EQ(press("PGCalculate"), QStringList{});
    const QString page = window->state().resultsPage;
    const QStringList shown =
        PrintFromChartWindow([&] { static_cast<QAbstractButton*>(get("AllGraphs"))->click(); },
                             {{"AllNo"}, {"AllYes", "AllYes"}, {"AllNo"}});
    EXPECT_EQ(shown, (QStringList{"<chart>", Continue, Continue, InColor, Continue}));
    const QStringList files = printSystem.waitForJobs(1);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(printSystem.jobCount(), 1) << "Yes once: one job";
    ExpectChartImage(files.front(), "rgb");
    EXPECT_EQ(window->state().resultsPage, page);
}

// Without a printer "&Print" offers a PDF instead; cancelled, the page and the Results box stay,
// and the window goes on calculating and offering the PDF as before.
TEST_F(CalculatorPrintTest, WithoutAPrinterNothingIsLost) {
    selectTab(CompoundGainTab);
    EXPECT_EQ(press("CGCalculate"), QStringList{});
    const QString page = window->state().resultsPage;
    const QStringList shown = shownLines();
    ASSERT_TRUE(printSystem.removeQueue());
    const auto printCancelled = [&] {
        QStringList titles;
        runAnsweringModals([&] { QTest::mouseClick(get("CGPrint"), Qt::LeftButton); },
                           [&](QWidget* dialog) {
                               titles << dialog->windowTitle();
                               dialog->close();
                           });
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return titles;
    };

    EXPECT_EQ(printCancelled(), QStringList{NoPrinterSaveTitle});
    EXPECT_EQ(window->state().resultsPage, page);
    EXPECT_EQ(shownLines(), shown);
    EXPECT_EQ(printSystem.jobCount(), 0);

    // Still usable: a typed figure is taken, a second comparison joins the same page.
    EXPECT_EQ(enter("CGInNumOfYrs", QStringLiteral("10")), QStringList{});
    EXPECT_EQ(press("CGCalculate"), QStringList{});
    EXPECT_TRUE(window->state().resultsPage.startsWith(page));
    EXPECT_GT(shownLines().size(), shown.size());
    EXPECT_EQ(printCancelled(), QStringList{NoPrinterSaveTitle});
}

} // namespace
