// The investment manager's "&Print" buttons and its chart's "&Print" pressed for real on the
// shipped sample database, read back from the printed PDF files.
#include "gui/manager/ManagerWindowFixture.h"

#include "gui/print/PrintJob.h"
#include "gui/print/PrintSystem.h"
#include "gui/print/PrintedPage.h"

#include <functional>
#include <vector>

using namespace qm;
using namespace qmtest;

namespace {

class ManagerPrintTest : public WithRealPrinter<ManagerWindowTest> {
protected:
    void SetUp() override {
        WithRealPrinter::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        managerHooks().print = {}; // the program's own printing
        const QString sample = dir.filePath(QStringLiteral("DtaSampl.QMD"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QM_SAMPLE_DATABASE), sample));
        ASSERT_EQ(openFile(sample), QStringList());
        funds = window->portfolio().fundCount;
        ASSERT_GT(funds, 1);
    }

    // Prices every fund at `price` on "Current value" and calculates.
    void priceAll(const QString& price) {
        clickTab(4);
        focus("CVInPrice(0)");
        for (int k = 0; k < funds; ++k)
            keys(price + QStringLiteral("{Enter}"));
        EXPECT_EQ(click("CVCalc"), QStringList());
    }

    int funds = 0;
};

// Each box printed from its tab's "&Print" at 10 points, line for line, one job per press; the
// 96-character record list and the reports fit the paper's width without a wrapped line.
TEST_F(ManagerPrintTest, ReportsAndChartOnPaper) {
    const struct {
        const char* name;
        std::function<void()> show;
        const char* box;
        const char* print;
        int width; // the widest line, 0 when not fixed
    } cases[] = {
        {"record list of a fund",
         [&] { choose("EFunds", QStringLiteral("Amberlane Growth Fund")); }, "EResults", "EPrint",
         96},
        {"help page printed instead while it is shown", [&] { click("EHelp"); }, "EResults",
         "EPrint", 0},
        {"another fund's list, the help page closed",
         [&] { choose("EFunds", QStringLiteral("Coppice Hill Resources")); }, "EResults", "EPrint",
         96},
        {"fund display of all funds",
         [&] {
             clickTab(3);
             click("DDisplall");
         },
         "DDResults", "DPrint", 0},
        {"current values at 20.00", [&] { priceAll(QStringLiteral("20")); }, "CVResults", "CVPrint",
         0},
    };
    std::vector<QString> pages;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.show();
        const QString shown = text(c.box);
        ASSERT_FALSE(shown.isEmpty());
        if (c.width > 0) {
            qsizetype widest = 0;
            for (const QString& line : LinesOf(shown))
                widest = std::max(widest, line.size());
            EXPECT_EQ(widest, c.width);
        }
        EXPECT_EQ(click(c.print), QStringList()) << "no message when all goes well";
        EXPECT_EQ(text(c.box), shown) << "printing leaves the box";
        pages.push_back(shown);
    }

    // The chart of the current values: printed once in grey after Yes, No, and not after No.
    const QStringList asked =
        PrintFromChartWindow([&] { QTest::mouseClick(get("CVGraph"), Qt::LeftButton); },
                             {{"AllYes", "AllNo"}, {"AllNo"}});
    activate();
    EXPECT_EQ(asked, (QStringList{"<chart>", " Continue with Printout.", " Print in Color.",
                                  " Continue with Printout."}));

    const QStringList files = printSystem.waitForJobs(static_cast<int>(pages.size()) + 1);
    ASSERT_EQ(files.size(), pages.size() + 1);
    EXPECT_EQ(printSystem.jobCount(), files.size()) << "one job per press";
    for (std::size_t i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        ExpectPrintedPage(files[static_cast<qsizetype>(i)], LinesOf(pages[i]), 10);
    }
    ExpectChartImage(files.back(), "gray");
}

// Without a printer each "&Print" offers a PDF instead; cancelled, the boxes and the database
// stay, and the window goes on working.
TEST_F(ManagerPrintTest, WithoutAPrinterNothingIsLost) {
    choose("EFunds", QStringLiteral("Amberlane Growth Fund"));
    const QString list = text("EResults");
    const int records = window->portfolio().recordCount;
    ASSERT_TRUE(printSystem.removeQueue());

    EXPECT_EQ(click("EPrint", {"cancel"}), QStringList());
    EXPECT_EQ(text("EResults"), list);
    priceAll(QStringLiteral("20"));
    const QString report = text("CVResults");
    EXPECT_EQ(click("CVPrint", {"cancel"}), QStringList());
    EXPECT_EQ(text("CVResults"), report);
    EXPECT_EQ(printSystem.jobCount(), 0);

    // Still usable: the fund display is written, the database is as it was read.
    EXPECT_EQ(clickTab(3), QStringList());
    EXPECT_EQ(click("DDisplall"), QStringList());
    EXPECT_TRUE(text("DDResults").contains(QLatin1String("Total all funds:")));
    EXPECT_EQ(window->portfolio().recordCount, records);
    EXPECT_EQ(window->portfolio().unsavedChanges, 0);
}

} // namespace
