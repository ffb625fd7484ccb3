// "&Graph" of the calculator window after real calculations: what the chart window receives.
#include "gui/calculator/InvestFixture.h"

#include "core/text/Format.h"
#include "core/text/Messages.h"
#include "gui/chart/QMGraph.h"
#include "screens/ChartData.h"

#include <QPushButton>

using namespace qm;
using namespace qmtest;

namespace {

class CalculatorGraphTest : public InvestWindowTest {
protected:
    // Clicks "&Graph"; returns the chart window's plan (and whether its measure buttons showed),
    // or the message that refused it.
    struct Opened {
        bool chart = false;
        ChartPlan plan;
        bool measureButtonsVisible = false;
        QStringList messages;
    };
    Opened graph() {
        Opened opened;
        opened.messages = runAnsweringModals(
            [&] { static_cast<QAbstractButton*>(get("AllGraphs"))->click(); },
            [&](QWidget* dialog) {
                if (auto* chart = qobject_cast<QMGraph*>(dialog)) {
                    opened.chart = true;
                    opened.plan = chart->plan();
                    opened.measureButtonsVisible =
                        !chart->findChild<QPushButton*>(QStringLiteral("CVGainDollars"))
                             ->isHidden();
                    pressButton(dialog, QStringLiteral("QMGExit"));
                } else {
                    pressButton(dialog, QStringLiteral("AMsgExit"));
                }
            });
        if (opened.chart)
            opened.messages.removeFirst(); // the chart window's own (empty) text
        window->activateWindow();          // so that later focus changes reach the boxes again
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        return opened;
    }
};

std::vector<Currency> periodValues(const CalcState& state, std::initializer_list<int> periods) {
    std::vector<Currency> values;
    for (int p : periods)
        values.push_back(state.periodData.at(p, 4));
    return values;
}

TEST_F(CalculatorGraphTest, InvestedGrowthPlotsTheValueAtEachYearEnd) {
    // Monthly over 25 years: the values of periods 12, 24, ..., 300.
    enter("IGInMonthsYrs", QStringLiteral("{Down}{Down}"));
    ASSERT_EQ(text("IGInMonthsYrs"), "Monthly");
    press("IGCalculate");
    std::vector<Currency> yearEnds;
    for (int month = 12; month <= 300; month += 12)
        yearEnds.push_back(window->state().periodData.at(month, 4));
    Opened opened = graph();
    ASSERT_TRUE(opened.chart);
    EXPECT_EQ(opened.plan.caption, "Invested growth");
    EXPECT_EQ(opened.plan.dataLabel, "Investment growth over 25 Years");
    ASSERT_EQ(opened.plan.series.size(), 1u);
    EXPECT_EQ(opened.plan.series.front(), yearEnds);
    EXPECT_FALSE(opened.plan.legend);
    EXPECT_FALSE(opened.measureButtonsVisible);
}

TEST_F(CalculatorGraphTest, InvestedGrowthOverOneYearPlotsOneValue) {
    enter("IGInYearsInvested", QStringLiteral("1"));
    press("IGCalculate");
    const Opened opened = graph();
    ASSERT_TRUE(opened.chart);
    EXPECT_EQ(opened.plan.dataLabel, "Investment growth over 1 Years");
    EXPECT_EQ(opened.plan.series.front(), periodValues(window->state(), {1}));
}

TEST_F(CalculatorGraphTest, ComparisonTotalsPlotOneValuePerCalculation) {
    static_cast<QAbstractButton*>(get("IGResultsChoice(1)"))->click();
    std::vector<Currency> finals;
    for (const char* contribution : {"1000", "2000", "3000"}) {
        enter("IGInEachContrib", QString::fromLatin1(contribution));
        press("IGCalculate");
        finals.push_back(window->state().comparisonData.at(static_cast<int>(finals.size()) + 1, 1));
    }
    const Opened opened = graph();
    ASSERT_TRUE(opened.chart);
    EXPECT_EQ(opened.plan.caption, "Investment growth");
    EXPECT_EQ(opened.plan.dataLabel, "Total growth values for each comparision");
    EXPECT_TRUE(opened.plan.legend);
    EXPECT_EQ(opened.plan.series.front(), finals);
    EXPECT_EQ(FormatNumber(finals.at(0), u"####,,###.00"),
              "244,711.99"); // the defaults' final value
}

TEST_F(CalculatorGraphTest, PensionDefaultsPlotTwentyFiveYears) {
    selectTab(PensionGrowthTab);
    press("PGCalculate");
    const Opened opened = graph();
    ASSERT_TRUE(opened.chart);
    EXPECT_EQ(opened.plan.caption, "Pension growth");
    EXPECT_EQ(opened.plan.dataLabel, " Pension growth over 25 Years");
    ASSERT_EQ(opened.plan.series.front().size(), 25u);
    EXPECT_EQ(FormatNumber(opened.plan.series.front().back(), u"####,,###.00"), "479,240.36");
}

TEST_F(CalculatorGraphTest, RefusedWithoutSomethingToChart) {
    const QString noGraph = MessageText(4);
    struct Case {
        int tab;
        const char* yearsBox;
        const char* calculate;
    };
    // Zero years leaves no points; a tab just opened has no page.
    for (const Case& c : {Case{InvestedGrowthTab, "IGInYearsInvested", "IGCalculate"},
                          Case{PensionGrowthTab, "PGInNumYearsToRetire", "PGCalculate"}}) {
        selectTab(c.tab);
        EXPECT_EQ(graph().messages, QStringList{noGraph});
        enter(c.yearsBox, QStringLiteral("0"));
        press(c.calculate);
        ASSERT_FALSE(window->state().results.isEmpty());
        ASSERT_EQ(window->state().chartPoints, 0) << text(c.yearsBox).toStdString();
        const Opened opened = graph();
        EXPECT_FALSE(opened.chart);
        EXPECT_EQ(opened.messages, QStringList{noGraph});
    }
}

} // namespace
