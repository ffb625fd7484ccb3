#include "core/calculators/RetiredIncome.h"
#include "support/CaseName.h"
#include "support/MessageNumbers.h"

#include "core/calculators/BoxTable.h"
#include "support/PageColumns.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

using namespace qm;
using qmtest::pageLines;

namespace {

constexpr int TableStart = 7;         // four echo lines, a blank line, heading, underline
using Inputs = std::array<double, 5>; // 1-based like the input boxes

CalcState stateWith(int option, const Inputs& inputs) {
    CalcState state;
    LoadRetiredIncomeChoice(state, RetiredIncomeChoiceFor(option));
    for (std::size_t i = 1; i < inputs.size(); ++i)
        state.inputValues[i] = Currency::fromDouble(inputs[i]);
    return state;
}

// The text box `i` (1 to 4) shows for its stored value under the chosen option.
QString shownText(const CalcState& state, std::size_t i) {
    const char* const boxes[] = {"RIInCurrValue", "RIInAnnIntGrowthRate", "RIInAnnIncWDrawnRate",
                                 "RIInTimeInYrs"};
    const BoxRule* box = FindBox(QLatin1String(boxes[i - 1]), state.calcChoice);
    return Display(box->form, state.inputValues[i], state.currencySymbol);
}

// The texts the boxes show for the stored values under the chosen option.
RetiredIncomeTexts boxesFor(const CalcState& state) {
    return {shownText(state, 1), shownText(state, 2), shownText(state, 3), shownText(state, 4)};
}

struct IncomeCase {
    const char* name;
    int option; // 0 "Annual percentage", 1 "Fixed monthly amount"
    Inputs inputs;
    int rows;
    std::vector<const char*> years; // year, interest/growth, income, value ("*" not checked)
    const char* totals;
    int chartPoints;
    int chartKind;
};

void PrintTo(const IncomeCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.option, c.inputs, c.rows, c.years, c.totals, c.chartPoints,
                        c.chartKind);
}

class RetiredIncomeCase : public ::testing::TestWithParam<IncomeCase> {};

TEST_P(RetiredIncomeCase, ScheduleMatchesToTheCent) {
    const IncomeCase& c = GetParam();
    CalcState state = stateWith(c.option, c.inputs);
    ASSERT_TRUE(RetiredIncomeCalculate(state, boxesFor(state)).messages.empty());
    const QStringList lines = pageLines(state.resultsPage);
    ASSERT_EQ(lines.size(), TableStart + c.rows + 2);
    for (const char* year : c.years)
        qmtest::expectYearLine(lines, TableStart, year);
    qmtest::expectFields(lines.last(), (std::string("Tot ") + c.totals).c_str());
    for (const QString& line : lines.mid(TableStart - 2))
        EXPECT_EQ(line.size(), 45) << line.toStdString();
    EXPECT_EQ(state.results, state.resultsPage);
    EXPECT_EQ(state.chartPoints, c.chartPoints);
    EXPECT_EQ(Number(state.chartKind), c.chartKind);
    EXPECT_EQ(state.periodData.at(c.rows + 1, 1), Currency::fromUnits(c.rows));
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, RetiredIncomeCase,
    ::testing::Values(
        IncomeCase{"PercentageHelpExample",
                   0,
                   {0, 100000, 20, 15, 25},
                   25,
                   {"1 20,000.00 15,000.00 105,000.00", "2 21,000.00 15,750.00 110,250.00",
                    "4 23,152.50 17,364.37 121,550.62", "25 64,501.97 48,376.47 338,635.34"},
                   "954,541.73 715,906.19 338,635.34",
                   25,
                   11},
        IncomeCase{"PercentageDefaults",
                   0,
                   {0, 500000, 10, 8, 20},
                   20,
                   {"1 50,000.00 40,000.00 510,000.00"},
                   "1,214,868.45 971,894.68 742,973.62",
                   20,
                   11},
        IncomeCase{"PercentageZeroYears", 0, {0, 500000, 10, 8, 0}, 0, {}, ".00 .00 .00", 0, 11},
        IncomeCase{"FixedDefaults",
                   1,
                   {0, 100000, 10, 1000, 0},
                   17,
                   {"1 9,459.47 12,000.00 97,459.47", "16 1,387.55 12,000.00 8,668.45",
                    "17 341.80 9,010.25 .00"},
                   "101,010.25 201,010.25 .00",
                   17,
                   10},
        IncomeCase{"FixedWithYearlyIncrease",
                   1,
                   {0, 100000, 5, 1000, 3},
                   10,
                   {"1 * 12,000.00 *", "2 * 12,360.00 *", "3 * 12,730.80 *", "4 * 13,112.72 *",
                    "10 26.03 3,865.53 .00"},
                   "25,774.81 125,774.81 .00",
                   10,
                   10},
        // Growth above the withdrawals: 40 full years and no final year.
        IncomeCase{"FixedFortyYears",
                   1,
                   {0, 100000, 10, 500, 0},
                   40,
                   {"40 * 6,000.00 1,750,753.54"},
                   "1,890,753.54 240,000.00 1,750,753.54",
                   40,
                   10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RetiredIncomePage, WholePageLineByLine) {
    // The help example cut to four years; year 3 follows from year 2 grown by 5 %.
    CalcState state = stateWith(0, {0, 100000, 20, 15, 4});
    ASSERT_TRUE(RetiredIncomeCalculate(state, boxesFor(state)).messages.empty());
    const QString underline(45, QLatin1Char('_'));
    qmtest::expectSameLines(pageLines(state.resultsPage),
                            {"Starting value of investments:   $100,000.00",
                             "Annual interest/growth rate:           20.00%",
                             "Annual income withdrawn as a (%):      15.00%",
                             "Time in years:                             4", "",
                             "Year   Int/Growth   Annual Income       Value", underline,
                             "  1     20,000.00     15,000.00    105,000.00",
                             "  2     21,000.00     15,750.00    110,250.00",
                             "  3     22,050.00     16,537.50    115,762.50",
                             "  4     23,152.50     17,364.37    121,550.62", underline,
                             "Tot     86,202.50     64,651.87    121,550.62"});
    EXPECT_EQ(state.chartTitle, QStringLiteral("Retirement ending balance over "));

    state = stateWith(1, {0, 100000, 10, 1000, 0});
    ASSERT_TRUE(RetiredIncomeCalculate(state, boxesFor(state)).messages.empty());
    const QStringList fixed = pageLines(state.resultsPage);
    EXPECT_EQ(fixed.at(2), QStringLiteral("Monthly amount of cash withdrawn:  $1,000.00"));
    EXPECT_EQ(fixed.at(3), QStringLiteral("Increase annual income by:               .00%"));
    EXPECT_EQ(state.chartTitle, QStringLiteral("Retirement beginning balance over "));
}

// Refusals (message 7) and failures (message 3): the page keeps the input lines, the box keeps
// what it showed, and nothing can be graphed.
TEST(RetiredIncomePage, RefusalsAndFailuresKeepTheBox) {
    const struct {
        int option;
        Inputs inputs;
        int message;
    } cases[] = {
        {1, {0, 10000, 10, 1000, 0}, 7},  // twelve monthly amounts exceed the savings
        {0, {0, 100000, 10, 100, 20}, 7}, // all withdrawn, plus the extra 0.0005
        {0, {0, 9e14, 20, 1, 20}, 3},     // the value leaves the money range
        {1, {0, 9e14, 20, 1, 0}, 3},
        {1, {0, 0, 10, 0, 0}, 3},        // final year of nothing divided into months of nothing
        {0, {0, 1000, 0, 0, 600}, 3},    // more years than the year table holds
        {0, {0, 1000, 10, 8, 40000}, 3}, // a year count beyond a whole number
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inputs[1]);
        CalcState state = stateWith(c.option, c.inputs);
        state.results = QStringLiteral("previous");
        state.chartPoints = 17;
        EXPECT_EQ(qmtest::MessageNumbers(RetiredIncomeCalculate(state, boxesFor(state)).messages),
                  std::vector<int>{c.message});
        EXPECT_EQ(state.results, QStringLiteral("previous"));
        EXPECT_EQ(state.chartPoints, 0);
        EXPECT_EQ(pageLines(state.resultsPage).size(), 5);
    }
}

TEST(RetiredIncomeChoice, OptionsLoadTheirDefaultsAndCaptions) {
    const struct {
        int calcChoice;
        const char16_t* label32;
        const char16_t* label33;
        std::array<const char*, 4> shown;
    } cases[] = {
        {0,
         u"Annual income withdrawn as a (%)",
         u"Time in years",
         {"  $500,000.00", " 10.00%", "  8.00%", "    20"}},
        {2,
         u"Monthly amount of cash withdrawn",
         u"Increase annual income by %",
         {"  $100,000.00", " 10.00%", "  $1,000.00", "   .00%"}},
    };
    for (int option = 0; option < 2; ++option) {
        const auto& c = cases[option];
        CalcState state;
        state.editFlag = 1;
        const RetiredIncomeChoice& choice = RetiredIncomeChoiceFor(option);
        LoadRetiredIncomeChoice(state, choice);
        EXPECT_EQ(state.calcChoice, c.calcChoice);
        EXPECT_EQ(state.editFlag, 0);
        EXPECT_EQ(QString::fromUtf16(choice.label32), QString::fromUtf16(c.label32));
        EXPECT_EQ(QString::fromUtf16(choice.label33), QString::fromUtf16(c.label33));
        for (std::size_t i = 1; i <= 4; ++i)
            EXPECT_EQ(shownText(state, i).toStdString(), c.shown[i - 1]);
    }
}

TEST(RetiredIncomeHelp, PagesFollowTheChoiceAndTheCurrencySymbol) {
    EXPECT_EQ(
        pageLines(RetiredIncomeHelpPage(QStringLiteral("$"), RetiredIncomeOption::Fixed)).size(),
        34);
    const QStringList lines =
        pageLines(RetiredIncomeHelpPage(QStringLiteral("EUR "), RetiredIncomeOption::Percentage));
    ASSERT_EQ(lines.size(), 25);
    // Only the amount after "Shows " takes the symbol; the box pictures stay literal.
    EXPECT_EQ(lines.at(12), QStringLiteral("Shows EUR 100,000.00 amount invested on"));
    EXPECT_EQ(lines.join(QString()).count(QStringLiteral("EUR")), 1);
}

} // namespace
