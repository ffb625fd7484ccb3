// The calculators as the window runs them: figures typed into the real boxes, the real
// buttons clicked, the page read back from the Results box.
#include "gui/calculator/InvestFixture.h"
#include "support/PageColumns.h"

#include "core/calculators/CapitalRequired.h"
#include "core/calculators/CompoundGain.h"
#include "core/text/Format.h"
#include "core/text/Messages.h"

#include <QRadioButton>
#include <vector>

using namespace qm;
using namespace qmtest;

namespace {

QString msg(int code) {
    return MessageText(code);
}

const QString Underline45(45, QLatin1Char('_'));

// Typed entries: a box (or list) and the keys typed into it.
using Entries = std::vector<std::pair<const char*, const char*>>;

class CalculateTest : public InvestWindowTest {
protected:
    QStringList enterAll(const Entries& entries) {
        QStringList messages;
        for (const auto& [name, keys] : entries)
            messages << enter(name, QString::fromLatin1(keys));
        return messages;
    }
    // How many blocks the Results box shows: one per heading line `heading`.
    int blocks(const QString& heading) { return static_cast<int>(shownLines().count(heading)); }
};

// ---- Compound gain ----------------------------------------------------------------------

const QString CompoundHeading = QStringLiteral("Years     Cost        Value  Annual%   Total%");

// The help examples typed in one after another: each block's row holds the annual and total
// gain of its own figures (ten lines a block).
TEST_F(CalculateTest, CompoundGainHelpExamples) {
    const struct {
        const char* cost;
        const char* value;
        const char* years;
        const char* row;
    } examples[] = {
        {"1000", "2000", "5", "5 1,000.00 2,000.00 14.870% 100.00%"},
        {"25000", "200000", "20", "20 25,000.00 200,000.00 10.957% 700.00%"},
        {"500", "1000", "6", "6 500.00 1,000.00 12.246% 100.00%"},
        {"2.38", "5.14", "6", "6 2.38 5.14 13.692% 115.97%"},
    };
    selectTab(CompoundGainTab);
    int block = 0;
    for (const auto& e : examples) {
        EXPECT_TRUE(enterAll({{"CGInCostofInvest", e.cost},
                              {"CGInValueNow", e.value},
                              {"CGInNumOfYrs", e.years}})
                        .isEmpty());
        EXPECT_TRUE(press("CGCalculate").isEmpty()) << e.row;
        const QStringList lines = shownLines();
        ASSERT_GT(lines.size(), block * 10 + 7);
        EXPECT_EQ(lines.at(block * 10 + 7).size(), 45) << e.row;
        expectFields(lines.at(block * 10 + 7), e.row);
        ++block;
    }
    EXPECT_EQ(blocks(CompoundHeading), 4);
}

TEST_F(CalculateTest, CompoundGainDefaults) {
    selectTab(CompoundGainTab);
    EXPECT_TRUE(press("CGCalculate").isEmpty());
    expectSameLines(shownLines(),
                    {"Cost of Investment:             $10,000.00",
                     "Present/future value:           $20,000.00",
                     "Number of years invested:                5",
                     "Name of investment:        XYZ Mutual Fund", "", CompoundHeading, Underline45,
                     " 5   10,000.00    20,000.00  14.870%  100.00%", Underline45, "", ""});
    const CalcState& state = window->state();
    EXPECT_EQ(state.comparisonData.at(1, 1), Currency::fromRaw(148698));
    const int yearValues[] = {11486, 13195, 15157, 17411, 20000};
    for (int year = 1; year <= 5; ++year)
        EXPECT_EQ(state.periodData.at(year, 4), Currency::fromUnits(yearValues[year - 1]));
    EXPECT_EQ(state.chartPoints, 1);
    EXPECT_EQ(state.chartKind, ChartKind::CompoundGain);
}

// Ten blocks on one page, message 8 at the tenth (the ten stay on screen), and the eleventh
// starts a fresh page.
TEST_F(CalculateTest, CompoundGainTenComparisonsThenAFreshPage) {
    selectTab(CompoundGainTab);
    for (int click = 1; click <= 11; ++click) {
        const QStringList messages = press("CGCalculate");
        EXPECT_EQ(messages, click == 10 ? QStringList{msg(8)} : QStringList{}) << click;
        EXPECT_EQ(blocks(CompoundHeading), click <= 10 ? click : 1) << click;
        EXPECT_EQ(window->state().comparisonCount, click % 10) << click;
    }
    EXPECT_EQ(window->state().chartPoints, 1);
}

TEST_F(CalculateTest, CompoundGainHelpThenCalculate) {
    selectTab(CompoundGainTab);
    press("CGCalculate");
    press("CGCalculate");
    EXPECT_TRUE(press("CGHelp").isEmpty());
    EXPECT_EQ(window->state().results, CompoundGainHelpPage(window->state().currencySymbol));
    EXPECT_EQ(shownLines().first(), "Compare up to 10 different investments on");
    press("CGCalculate");
    EXPECT_EQ(shownLines().size(), 11);
    EXPECT_EQ(blocks(CompoundHeading), 1);
    EXPECT_EQ(window->state().comparisonCount, 1);
}

// A missing number: message 18, the box keeps the page it showed, and the rejected input lines
// appear above the next good block; the comparison number stays used with a zero value.
TEST_F(CalculateTest, CompoundGainMissingNumberKeepsItsLines) {
    selectTab(CompoundGainTab);
    press("CGCalculate");
    const QStringList before = shownLines();
    enter("CGInNumOfYrs", QStringLiteral("0"));
    EXPECT_EQ(press("CGCalculate"), QStringList{msg(18)});
    EXPECT_EQ(shownLines(), before);
    enter("CGInNumOfYrs", QStringLiteral("5"));
    EXPECT_TRUE(press("CGCalculate").isEmpty());
    const QStringList lines = shownLines();
    ASSERT_EQ(lines.size(), 10 + 7 + 10 + 1);
    // The years box shows 0 as blanks.
    EXPECT_EQ(lines.at(12), QStringLiteral("Number of years invested:              ") + "   ");
    EXPECT_EQ(lines.at(16), Underline45);
    EXPECT_EQ(lines.at(17), lines.at(0));
    const CalcState& state = window->state();
    EXPECT_EQ(state.comparisonCount, 3);
    EXPECT_EQ(state.comparisonData.at(1, 1), Currency::fromRaw(148698));
    EXPECT_EQ(state.comparisonData.at(2, 1), Currency());
    EXPECT_EQ(state.comparisonData.at(3, 1), Currency::fromRaw(148698));
}

// ---- Capital required -------------------------------------------------------------------

// Each option reloads its defaults over typed figures; Calculate then shows the yearly saving.
TEST_F(CalculateTest, CapitalRequiredBothOptions) {
    const struct {
        const char* option;
        const char* firstLine;
        const char* year1;
        const char* totals;
    } cases[] = {
        {"CRCapitalChoices(1)", "Annual income required:       $40,000.00",
         "1 1,089.72 163.46 1,253.17", "Tot 27,242.91 239,423.75 266,666.67"},
        {"CRCapitalChoices(0)", "Amount of capital required:  $100,000.00", "1 408.64 61.30 469.94",
         "Tot 10,216.09 89,783.91 100,000.00"},
    };
    selectTab(CapitalRequiredTab);
    for (const auto& c : cases) {
        enter("CRInCapitalReq", QStringLiteral("5"));
        press("CRCalculate");
        get<QRadioButton>(c.option)->click();
        EXPECT_TRUE(shownLines().join(QString()).isEmpty()) << c.option;
        EXPECT_TRUE(press("CRCalculate").isEmpty());
        const QStringList lines = shownLines();
        ASSERT_EQ(lines.size(), 34) << c.option;
        EXPECT_EQ(lines.at(0), QString::fromLatin1(c.firstLine));
        EXPECT_EQ(lines.at(1), "Annual interest/growth rate:       15.00%");
        EXPECT_EQ(lines.at(2), "Number of years:                      25");
        expectFields(lines.at(6), c.year1);
        expectFields(lines.at(32), c.totals);
        EXPECT_EQ(window->state().chartPoints, 25);
        EXPECT_EQ(window->state().chartKind, ChartKind::CapitalRequired);
    }
}

// A zero rate fails the division: message 3, the box is not updated, the page buffer holds the
// input lines only, the chart values are kept.
TEST_F(CalculateTest, CapitalRequiredZeroRate) {
    selectTab(CapitalRequiredTab);
    press("CRCalculate");
    enter("CRInIntGrowthRate", QStringLiteral("0"));
    EXPECT_TRUE(shownLines().join(QString()).isEmpty()) << "typing empties the page";
    EXPECT_EQ(press("CRCalculate"), QStringList{msg(3)});
    EXPECT_TRUE(shownLines().join(QString()).isEmpty());
    const QStringList page = pageLines(window->state().resultsPage);
    ASSERT_EQ(page.size(), 6);
    EXPECT_EQ(page.at(1), "Annual interest/growth rate:         .00%");
    EXPECT_EQ(window->state().chartPoints, 25);
}

// ---- Invested growth --------------------------------------------------------------------

TEST_F(CalculateTest, InvestedGrowthDefaultsByFrequency) {
    const struct {
        const char* keys; // chosen in the frequency list
        const char* echo;
        const char* heading;
        int periods;
        const char* row2;
        const char* totals;
    } cases[] = {
        {"", "Frequency of contribution:       Annually", "Year     Invested", 25,
         "2 1,000.00 322.50 2,472.50", "25 25,000.00 219,711.99 244,711.99"},
        {"{Down}{Down}", "Frequency of contribution:        Monthly", "Month    Invested", 300,
         "2 1,000.00 23.57 2,035.28", "300 300,000.00 2,456,560.63 2,756,560.63"},
    };
    for (const auto& c : cases) {
        selectTab(PensionGrowthTab);
        selectTab(InvestedGrowthTab);
        enter("IGInMonthsYrs", QString::fromLatin1(c.keys));
        press("IGCalculate");
        EXPECT_TRUE(press("IGCalculate").isEmpty()) << "a second Calculate shows one table";
        const QStringList lines = shownLines();
        ASSERT_EQ(lines.size(), 10 + c.periods + 3) << c.totals;
        EXPECT_EQ(lines.at(2), QString::fromLatin1(c.echo));
        EXPECT_TRUE(lines.at(8).startsWith(QLatin1String(c.heading))) << lines.at(8).toStdString();
        expectFields(lines.at(11), c.row2);
        expectFields(lines.at(lines.size() - 2), c.totals);
        EXPECT_EQ(window->state().chartPoints, 25);
        EXPECT_EQ(window->state().chartPeriodCount, c.periods);
    }
}

// "Comparison totals": one block of thirteen lines per Calculate, message 8 at the tenth, a
// fresh page at the eleventh.
TEST_F(CalculateTest, InvestedGrowthComparisonTotals) {
    get<QRadioButton>("IGResultsChoice(1)")->click();
    for (int click = 1; click <= 11; ++click) {
        const QStringList messages = press("IGCalculate");
        EXPECT_EQ(messages, click == 10 ? QStringList{msg(8)} : QStringList{}) << click;
        EXPECT_EQ(shownLines().size(), (click <= 10 ? click : 1) * 13 + 1) << click;
    }
    const QStringList lines = shownLines();
    expectFields(lines.at(10), "25 25,000.00 219,711.99 244,711.99");
    EXPECT_EQ(FormatNumber(window->state().comparisonData.at(1, 1), u"####,,###.00"), "244,711.99");
    EXPECT_EQ(window->state().chartKind, ChartKind::InvestedComparisons);
    EXPECT_EQ(window->state().chartPoints, 1);
}

// A failing tenth comparison shows message 3 and then 8; the nine stay on screen and the next
// good Calculate starts a fresh page.
TEST_F(CalculateTest, InvestedGrowthFailingTenth) {
    get<QRadioButton>("IGResultsChoice(1)")->click();
    for (int click = 1; click <= 9; ++click)
        press("IGCalculate");
    enter("IGInBegBal", QStringLiteral("900000000000000"));
    EXPECT_EQ(press("IGCalculate"), (QStringList{msg(3), msg(8)}));
    EXPECT_EQ(shownLines().size(), 9 * 13 + 1);
    EXPECT_EQ(window->state().comparisonCount, 0);
    enter("IGInBegBal", QStringLiteral("0"));
    EXPECT_TRUE(press("IGCalculate").isEmpty());
    EXPECT_EQ(shownLines().size(), 13 + 1);
}

// ---- Pension growth ---------------------------------------------------------------------

TEST_F(CalculateTest, PensionGrowthDefaultsWithTheHint) {
    selectTab(PensionGrowthTab);
    EXPECT_TRUE(press("PGCalculate").isEmpty());
    const QStringList lines = shownLines();
    ASSERT_EQ(lines.size(), 40);
    EXPECT_EQ(lines.at(1), "My current annual salary:       $40,000.00");
    expectFields(lines.at(11), "1 40,000.00 3,200.00 320.00 3,520.00");
    expectFields(lines.at(35), "25 102,532.17 8,202.57 * *");
    EXPECT_TRUE(lines.at(37).startsWith(QLatin1String("Total:           ")));
    expectFields(lines.at(37), "Total: 133,266.91 345,973.46 479,240.36");
    EXPECT_EQ(lines.at(38), "");
    EXPECT_EQ(lines.at(39), "                            Hidden column >");
    EXPECT_FALSE(window->state().resultsPage.contains(QLatin1String("Hidden")));
    EXPECT_EQ(window->state().chartPoints, 25);
    EXPECT_EQ(window->state().chartKind, ChartKind::PensionGrowth);
}

// ---- Retired income ---------------------------------------------------------------------

TEST_F(CalculateTest, RetiredIncomeDefaultsOfBothChoices) {
    const struct {
        const char* option;
        int rows;
        const char* first;
        const char* last;
        const char* totals;
        int chartKind;
    } cases[] = {
        {"RIWDrawalChoice(0)", 20, "1 50,000.00 40,000.00 510,000.00", "20 * * 742,973.62",
         "Tot 1,214,868.45 971,894.68 742,973.62", 11},
        {"RIWDrawalChoice(1)", 17, "1 9,459.47 12,000.00 97,459.47", "17 341.80 9,010.25 .00",
         "Tot 101,010.25 201,010.25 .00", 10},
    };
    selectTab(RetiredIncomeTab);
    for (const auto& c : cases) {
        get<QRadioButton>(c.option)->click();
        EXPECT_TRUE(press("RICalculate").isEmpty()) << c.option;
        const QStringList lines = shownLines();
        ASSERT_EQ(lines.size(), 7 + c.rows + 3) << c.option;
        expectFields(lines.at(7), c.first);
        expectFields(lines.at(6 + c.rows), c.last);
        expectFields(lines.at(lines.size() - 2), c.totals);
        EXPECT_EQ(window->state().chartPoints, c.rows);
        EXPECT_EQ(Number(window->state().chartKind), c.chartKind);
    }
}

// Withdrawing more than the savings: message 7 before any table (typing emptied the page and
// the box stays empty); nothing is left to chart.
TEST_F(CalculateTest, RetiredIncomeRefusesWithdrawingMoreThanSaved) {
    const struct {
        const char* option;
        const char* box;
        const char* keys;
    } cases[] = {{"RIWDrawalChoice(1)", "RIInCurrValue", "10000"},
                 {"RIWDrawalChoice(0)", "RIInAnnIncWDrawnRate", "100"}};
    selectTab(RetiredIncomeTab);
    for (const auto& c : cases) {
        get<QRadioButton>(c.option)->click();
        press("RICalculate");
        enter(c.box, QString::fromLatin1(c.keys));
        EXPECT_EQ(press("RICalculate"), QStringList{msg(7)}) << c.option;
        EXPECT_TRUE(shownLines().join(QString()).isEmpty()) << c.option;
        EXPECT_EQ(window->state().resultsPage.count(LineEnd), 5) << "the input lines stay";
        EXPECT_EQ(window->state().chartPoints, 0) << c.option;
    }
}

TEST_F(CalculateTest, RetiredIncomeYearsHeldToForty) {
    selectTab(RetiredIncomeTab);
    EXPECT_EQ(enter("RIInTimeInYrs", QStringLiteral("45")), QStringList{msg(5)});
    EXPECT_EQ(text("RIInTimeInYrs"), "    40");
    press("RICalculate");
    EXPECT_EQ(shownLines().at(3), "Time in years:                            40");
    EXPECT_EQ(shownLines().size(), 7 + 40 + 3);
    EXPECT_EQ(window->state().chartPoints, 40);
}

// ---- Too large inputs -------------------------------------------------------------------

// A figure whose products leave the amount range ends the calculation with message 3; the box
// is not updated and the chart values are what the tab leaves after a failure.
TEST_F(CalculateTest, TooLargeInputsGiveMessageThree) {
    const struct {
        int tab;
        const char* option; // clicked first, when set
        Entries entries;
        const char* calculate;
        int chartPoints;
    } cases[] = {
        {PensionGrowthTab, nullptr, {{"PGInCurrBalance", "900000000000000"}}, "PGCalculate", 25},
        {InvestedGrowthTab, nullptr, {{"IGInBegBal", "900000000000000"}}, "IGCalculate", 25},
        {RetiredIncomeTab, nullptr, {{"RIInCurrValue", "900000000000000"}}, "RICalculate", 0},
        {CompoundGainTab,
         nullptr,
         {{"CGInCostofInvest", ".01"}, {"CGInValueNow", "900000000000000"}, {"CGInNumOfYrs", "1"}},
         "CGCalculate",
         1},
        {CapitalRequiredTab,
         "CRCapitalChoices(1)",
         {{"CRInCapitalReq", "900000000000000"}},
         "CRCalculate",
         25},
    };
    for (const auto& c : cases) {
        selectTab(c.tab);
        if (c.option)
            get<QRadioButton>(c.option)->click();
        EXPECT_TRUE(press(c.calculate).isEmpty()) << c.calculate;
        const ChartKind chartKind = window->state().chartKind;
        enterAll(c.entries);
        const QStringList before = shownLines(); // emptied by typing, except compound gain
        EXPECT_EQ(press(c.calculate), QStringList{msg(3)}) << c.calculate;
        EXPECT_EQ(shownLines(), before) << c.calculate;
        EXPECT_EQ(window->state().chartPoints, c.chartPoints) << c.calculate;
        if (c.chartPoints != 0) {
            EXPECT_EQ(window->state().chartKind, chartKind) << c.calculate;
        }
        selectTab(MortgageTab);
    }
}

} // namespace
