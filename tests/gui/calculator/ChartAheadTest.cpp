#include "gui/calculator/InvestFixture.h"

#include "gui/chart/QMGraph.h"
#include "screens/ChartData.h"

#include <QPointer>
#include <QPushButton>
#include <utility>
#include <vector>

using namespace qm;
using namespace qmtest;

namespace {

// After a Calculate the window makes, in idle time, the chart window "&Graph" would open: hidden,
// without a native window, from a copy of the state. The click opens that window while it shows
// the chart the state gives then, and a new one otherwise.
TEST_F(InvestWindowTest, GraphOpensTheChartMadeAheadWhileItShowsTheSameChart) {
    const struct {
        const char* change; // what happens between the chart made ahead and the click
        bool sameWindow;
    } cases[] = {{"nothing", true}, {"the chart title", false}, {"the currency symbol", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.change);
        QTest::mouseClick(get("IGCalculate"), Qt::LeftButton);
        CalcState& state = window->state();
        // The year ends are picked from the periods when the chart is asked for.
        const auto yearEnds = [&state] {
            std::vector<Currency> column;
            for (int i = 1; i <= state.chartPeriodCount; ++i)
                column.push_back(state.periodData.at(i, 5));
            return std::pair(state.chartPoints, column);
        };
        const auto calculated = yearEnds();
        QPointer<QMGraph> ahead;
        ASSERT_TRUE(QTest::qWaitFor([&] { return (ahead = window->findChild<QMGraph*>()); }));
        EXPECT_TRUE(ahead->isHidden());
        EXPECT_EQ(ahead->windowHandle(), nullptr);

        EXPECT_EQ(yearEnds(), calculated) << "the window made ahead changed the state";
        if (QLatin1String(c.change) == QLatin1String("the chart title"))
            state.chartTitle = QStringLiteral("Another title ");
        else if (QLatin1String(c.change) == QLatin1String("the currency symbol"))
            state.currencySymbol = QStringLiteral("EUR");
        CalcState expectedState = state;
        const ChartPlan expected = BuildCalculatorChart(expectedState);

        bool opened = false, openedAhead = false;
        ChartPlan shown;
        QString symbol;
        runAnsweringModals([&] { QTest::mouseClick(get("AllGraphs"), Qt::LeftButton); },
                           [&](QWidget* dialog) {
                               opened = true;
                               openedAhead = dialog == ahead.data();
                               shown = static_cast<QMGraph*>(dialog)->plan();
                               symbol = static_cast<QMGraph*>(dialog)->currencySymbol();
                               pressButton(dialog, QStringLiteral("QMGExit"));
                           });
        ASSERT_TRUE(opened);
        EXPECT_EQ(openedAhead, c.sameWindow);
        EXPECT_TRUE(shown == expected);
        EXPECT_EQ(symbol, state.currencySymbol);
        EXPECT_TRUE(ahead.isNull()) << "the window made ahead outlived its use";
        state.currencySymbol = QStringLiteral("$");
    }
}

} // namespace
