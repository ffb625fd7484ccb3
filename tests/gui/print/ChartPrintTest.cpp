#include "gui/chart/QMGraph.h"
#include "gui/common/WorkWindowBase.h"
#include "gui/print/PrintSystem.h"
#include "screens/ChartData.h"
#include "support/CaseName.h"
#include "support/UiHelpers.h"

#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

struct ChartPrintCase {
    const char* name;
    std::vector<const char*> answers; // buttons pressed on the questions, in order
    int questions;                    // questions asked
    bool printed;
    const char* color; // the printed image's colour space
};

void PrintTo(const ChartPrintCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.answers, c.questions, c.printed, c.color);
}

class ChartPrintOnPaper : public RealPrinterTest,
                          public ::testing::WithParamInterface<ChartPrintCase> {};

TEST_P(ChartPrintOnPaper, PrintsTheChartImageOnlyAfterYes) {
    const ChartPrintCase& c = GetParam();
    CalcState state;
    state.chartKind = ChartKind::MortgageComparisons;
    state.chartPoints = 3;
    for (int i = 1; i <= 3; ++i) {
        state.comparisonData.at(i, 1) = Currency::fromUnits(90000 + 1000 * i);
        state.comparisonData.at(i, 2) = Currency::fromUnits(60000 + 1000 * i);
    }
    SetActiveWorkWindow(WorkWindow::Calculator);
    QMGraph window(BuildCalculatorChart(state), state.currencySymbol);
    window.show();
    std::size_t answered = 0;
    const QStringList shown =
        runAnsweringModals([&] { pressButton(&window, QStringLiteral("QMGPrint")); },
                           [&](QWidget* dialog) {
                               if (answered < c.answers.size())
                                   pressButton(dialog, QString::fromLatin1(c.answers[answered++]));
                               else
                                   dialog->close();
                           });
    const QStringList questions{QStringLiteral(" Continue with Printout."),
                                QStringLiteral(" Print in Color.")};
    EXPECT_EQ(shown, questions.mid(0, c.questions)) << "and no other message";

    if (!c.printed) {
        EXPECT_EQ(printSystem.jobCount(), 0);
        return;
    }
    const QStringList files = printSystem.waitForJobs(1);
    ASSERT_EQ(files.size(), 1);
    EXPECT_EQ(printSystem.jobCount(), 1) << "one job";
    EXPECT_EQ(PdfPageSizes(files.front()).size(), 1);
    const QList<PdfImage> images = PdfImages(files.front());
    ASSERT_EQ(images.size(), 1);
    const PdfImage& image = images.front();
    EXPECT_EQ(image.page, 1);
    EXPECT_EQ(image.color, QString::fromLatin1(c.color));
    // 9530 by 6350 twips on paper (1440 twips to the inch).
    EXPECT_NEAR(image.width / image.xPpi, 9530.0 / 1440, 0.02);
    EXPECT_NEAR(image.height / image.yPpi, 6350.0 / 1440, 0.02);
    EXPECT_TRUE(window.isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ChartPrintOnPaper,
    ::testing::Values(ChartPrintCase{"NoToContinue", {"AllNo"}, 1, false, ""},
                      ChartPrintCase{"ClosedWithoutAnswer", {}, 1, false, ""},
                      ChartPrintCase{"YesInColour", {"AllYes", "AllYes"}, 2, true, "rgb"},
                      ChartPrintCase{"YesInGrey", {"AllYes", "AllNo"}, 2, true, "gray"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
