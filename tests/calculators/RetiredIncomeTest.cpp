#include "calculators/RetiredIncome.h"

#include "PageColumns.h"
#include "app/AppState.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

using namespace qm;
using qmtest::columns;
using qmtest::pageLines;

namespace {

// Lines before the first year line: four echo lines, a blank line, heading and underline.
constexpr int TableStart = 7;
const std::vector<int> RowColumns{3, 14, 14, 14};

using Inputs = std::array<double, 5>; // 1-based like the input boxes

CalcState stateWith(int option, const Inputs& inputs) {
    CalcState state;
    state.visibleTab = RetiredIncomeTab;
    LoadRetiredIncomeChoice(state, RetiredIncomeChoiceFor(option));
    for (std::size_t i = 1; i < inputs.size(); ++i)
        state.inputValues[i] = Currency::fromDouble(inputs[i]);
    return state;
}

// The texts the boxes show for the stored values under the chosen option.
RetiredIncomeBoxes boxesFor(const CalcState& state) {
    const auto& choice = RetiredIncomeChoiceFor(state.calcChoice == RetiredIncomeFixed ? 1 : 0);
    const auto text = [&](std::size_t i) { return Display(choice.forms[i], state.inputValues[i]); };
    return {text(1), text(2), text(3), text(4)};
}

struct RowCheck {
    int year;
    const char* growth; // nullptr: not checked
    const char* income;
    const char* value;
};

struct IncomeCase {
    const char* name;
    int option; // 0 "Annual percentage", 1 "Fixed monthly amount"
    Inputs inputs;
    int rows;
    std::vector<RowCheck> checks;
    std::array<const char*, 3> totals;
    int chartPoints;
    int chartKind;
};

void PrintTo(const IncomeCase& c, std::ostream* os) {
    *os << c.name;
}

class RetiredIncomeCase : public ::testing::TestWithParam<IncomeCase> {};

TEST_P(RetiredIncomeCase, ScheduleMatchesToTheCent) {
    const IncomeCase& c = GetParam();
    CalcState state = stateWith(c.option, c.inputs);
    const CalcOutcome outcome = CalculateRetiredIncome(state, boxesFor(state));
    ASSERT_TRUE(outcome.messages.empty());

    const QStringList lines = pageLines(state.resultsPage);
    ASSERT_EQ(lines.size(), TableStart + c.rows + 2);
    for (const RowCheck& r : c.checks) {
        SCOPED_TRACE(r.year);
        const QStringList cols = columns(lines.at(TableStart + r.year - 1), RowColumns);
        EXPECT_EQ(cols[0], QString::number(r.year));
        const char* expected[] = {r.growth, r.income, r.value};
        for (int i = 0; i < 3; ++i) {
            if (expected[i]) {
                EXPECT_EQ(cols[i + 1].toStdString(), expected[i]) << "column " << i + 2;
            }
        }
    }
    const QStringList totals = columns(lines.last(), RowColumns);
    EXPECT_EQ(totals[0], QStringLiteral("Tot"));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(totals[i + 1].toStdString(), c.totals[static_cast<std::size_t>(i)]);
    for (const QString& line : lines.mid(TableStart - 2))
        EXPECT_EQ(line.size(), 45) << line.toStdString();

    EXPECT_EQ(state.results, state.resultsPage);
    EXPECT_EQ(state.chartPoints, c.chartPoints);
    EXPECT_EQ(state.chartKind, c.chartKind);
    EXPECT_EQ(state.periodData.at(c.rows + 1, 1), Currency::fromUnits(c.rows));
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, RetiredIncomeCase,
    ::testing::Values(
        IncomeCase{"PercentageHelpExample",
                   0,
                   {0, 100000, 20, 15, 25},
                   25,
                   {{1, "20,000.00", "15,000.00", "105,000.00"},
                    {2, "21,000.00", "15,750.00", "110,250.00"},
                    {4, "23,152.50", "17,364.37", "121,550.62"},
                    {25, "64,501.97", "48,376.47", "338,635.34"}},
                   {"954,541.73", "715,906.19", "338,635.34"},
                   25,
                   11},
        IncomeCase{"PercentageDefaults",
                   0,
                   {0, 500000, 10, 8, 20},
                   20,
                   {{1, "50,000.00", "40,000.00", "510,000.00"}},
                   {"1,214,868.45", "971,894.68", "742,973.62"},
                   20,
                   11},
        // Zero years: no rows, and the totals line holds zeros.
        IncomeCase{
            "PercentageZeroYears", 0, {0, 500000, 10, 8, 0}, 0, {}, {".00", ".00", ".00"}, 0, 11},
        IncomeCase{"FixedDefaults",
                   1,
                   {0, 100000, 10, 1000, 0},
                   17,
                   {{1, "9,459.47", "12,000.00", "97,459.47"},
                    {16, "1,387.55", "12,000.00", "8,668.45"},
                    {17, "341.80", "9,010.25", ".00"}},
                   {"101,010.25", "201,010.25", ".00"},
                   17,
                   10},
        IncomeCase{"FixedWithYearlyIncrease",
                   1,
                   {0, 100000, 5, 1000, 3},
                   10,
                   {{1, nullptr, "12,000.00", nullptr},
                    {2, nullptr, "12,360.00", nullptr},
                    {3, nullptr, "12,730.80", nullptr},
                    {4, nullptr, "13,112.72", nullptr},
                    {10, "26.03", "3,865.53", ".00"}},
                   {"25,774.81", "125,774.81", ".00"},
                   10,
                   10},
        // Growth above the withdrawals: 40 full years and no final year.
        IncomeCase{"FixedFortyYears",
                   1,
                   {0, 100000, 10, 500, 0},
                   40,
                   {{40, nullptr, "6,000.00", "1,750,753.54"}},
                   {"1,890,753.54", "240,000.00", "1,750,753.54"},
                   40,
                   10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RetiredIncomePage, WholePageLineByLine) {
    // The help example cut to four years; year 3 follows from year 2 grown by 5 %.
    CalcState state = stateWith(0, {0, 100000, 20, 15, 4});
    ASSERT_TRUE(CalculateRetiredIncome(state, boxesFor(state)).messages.empty());
    const QString underline(45, QLatin1Char('_'));
    const QStringList expected{
        "Starting value of investments:   $100,000.00",
        "Annual interest/growth rate:           20.00%",
        "Annual income withdrawn as a (%):      15.00%",
        "Time in years:                             4",
        "",
        "Year   Int/Growth   Annual Income       Value",
        underline,
        "  1     20,000.00     15,000.00    105,000.00",
        "  2     21,000.00     15,750.00    110,250.00",
        "  3     22,050.00     16,537.50    115,762.50",
        "  4     23,152.50     17,364.37    121,550.62",
        underline,
        "Tot     86,202.50     64,651.87    121,550.62",
    };
    qmtest::expectSameLines(pageLines(state.resultsPage), expected);
    EXPECT_EQ(state.results, state.resultsPage);
    EXPECT_EQ(state.chartTitle, QStringLiteral("Retirement ending balance over "));
}

TEST(RetiredIncomePage, FixedEchoLines) {
    CalcState state = stateWith(1, {0, 100000, 10, 1000, 0});
    ASSERT_TRUE(CalculateRetiredIncome(state, boxesFor(state)).messages.empty());
    const QStringList lines = pageLines(state.resultsPage);
    EXPECT_EQ(lines.at(2), QStringLiteral("Monthly amount of cash withdrawn:  $1,000.00"));
    EXPECT_EQ(lines.at(3), QStringLiteral("Increase annual income by:               .00%"));
    EXPECT_TRUE(lines.at(4).isEmpty());
    EXPECT_EQ(state.chartTitle, QStringLiteral("Retirement beginning balance over "));
}

// Refusals and failures: the page keeps only what was written before, the box and the
// chart values keep what they showed, and nothing can be graphed.
struct StopCase {
    const char* name;
    int option;
    Inputs inputs;
    std::vector<int> messages;
    int linesLeft;
};

void PrintTo(const StopCase& c, std::ostream* os) {
    *os << c.name;
}

class RetiredIncomeStop : public ::testing::TestWithParam<StopCase> {};

TEST_P(RetiredIncomeStop, EndsWithTheMessageAndKeepsTheBox) {
    const StopCase& c = GetParam();
    CalcState state = stateWith(c.option, c.inputs);
    state.results = QStringLiteral("previous");
    state.chartPoints = 17;
    state.chartKind = 10;
    const CalcOutcome outcome = CalculateRetiredIncome(state, boxesFor(state));
    EXPECT_EQ(outcome.messages, c.messages);
    EXPECT_EQ(state.results, QStringLiteral("previous"));
    EXPECT_EQ(state.chartPoints, 0);
    EXPECT_EQ(state.chartKind, 0);
    EXPECT_EQ(pageLines(state.resultsPage).size(), c.linesLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Stops, RetiredIncomeStop,
    ::testing::Values(
        // Twelve monthly amounts exceed the starting value.
        StopCase{"FixedMoreThanSavings", 1, {0, 10000, 10, 1000, 0}, {7}, 5},
        // A full withdrawal carries the extra 0.0005 and so exceeds the value in year 1.
        StopCase{"PercentageAllWithdrawn", 0, {0, 100000, 10, 100, 20}, {7}, 5},
        // The value grows beyond the money range.
        StopCase{"PercentageOverflow", 0, {0, 900000000000000.0, 20, 1, 20}, {3}, 5},
        StopCase{"FixedOverflow", 1, {0, 900000000000000.0, 20, 1, 0}, {3}, 5},
        // No monthly amount and no balance: the final year cannot be divided into months.
        StopCase{"FixedNothingToDivide", 1, {0, 0, 10, 0, 0}, {3}, 5},
        // More years than the year table holds; a year count outside the whole-number range.
        StopCase{"PercentageYearTableExhausted", 0, {0, 1000, 0, 0, 600}, {3}, 5},
        StopCase{"PercentageYearsOutOfRange", 0, {0, 1000, 10, 8, 40000}, {3}, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RetiredIncomeChoice, OptionsLoadTheirDefaultsAndCaptions) {
    struct ChoiceCase {
        int option;
        int calcChoice;
        const char16_t* label32;
        const char16_t* label33;
        std::array<const char*, 4> shown;
    };
    const ChoiceCase cases[] = {
        {0,
         0,
         u"Annual income withdrawn as a (%)",
         u"Time in years",
         {"  $500,000.00", " 10.00%", "  8.00%", "    20"}},
        {1,
         2,
         u"Monthly amount of cash withdrawn",
         u"Increase annual income by %",
         {"  $100,000.00", " 10.00%", "  $1,000.00", "   .00%"}},
    };
    for (const ChoiceCase& c : cases) {
        SCOPED_TRACE(c.option);
        CalcState state;
        state.inputValues[5] = Currency::fromUnits(3);
        app().editFlag = 1;
        const RetiredIncomeChoice& choice = RetiredIncomeChoiceFor(c.option);
        LoadRetiredIncomeChoice(state, choice);
        EXPECT_EQ(state.calcChoice, c.calcChoice);
        EXPECT_EQ(app().editFlag, 0);
        EXPECT_EQ(QString::fromUtf16(choice.label32), QString::fromUtf16(c.label32));
        EXPECT_EQ(QString::fromUtf16(choice.label33), QString::fromUtf16(c.label33));
        EXPECT_EQ(choice.yearsBox, c.option == 0);
        for (std::size_t i = 1; i <= 4; ++i)
            EXPECT_EQ(Display(choice.forms[i], state.inputValues[i]).toStdString(), c.shown[i - 1]);
        EXPECT_EQ(state.inputValues[5], Currency::fromUnits(3)); // other inputs untouched
    }
}

TEST(RetiredIncomeHelp, PagesFollowTheChoiceAndTheCurrencySymbol) {
    const QStringList percentage = pageLines(RetiredIncomeHelpPage(RetiredIncomePercentage));
    ASSERT_EQ(percentage.size(), 25);
    EXPECT_EQ(percentage.first(), QStringLiteral("       Using Percentage Option"));
    EXPECT_EQ(percentage.at(12), QStringLiteral("Shows $100,000.00 amount invested on"));
    EXPECT_EQ(percentage.last(), QStringLiteral("Income you require."));

    const QStringList fixed = pageLines(RetiredIncomeHelpPage(RetiredIncomeFixed));
    ASSERT_EQ(fixed.size(), 34);
    EXPECT_EQ(fixed.first(), QStringLiteral("       Using Fixed Amount Option"));
    EXPECT_EQ(fixed.at(8), QStringLiteral("   1,000.00"));
    EXPECT_EQ(fixed.at(32), QStringLiteral("require."));
    EXPECT_TRUE(fixed.last().isEmpty());

    // Only the amount after "Shows " takes the setting's symbol; "%" signs stay literal.
    const QString saved = app().currencySymbol;
    app().currencySymbol = QStringLiteral("EUR ");
    const QString page = RetiredIncomeHelpPage(RetiredIncomePercentage);
    app().currencySymbol = saved;
    EXPECT_TRUE(page.contains(QStringLiteral("Shows EUR 100,000.00 amount invested on")));
    EXPECT_EQ(page.count(QStringLiteral("EUR")), 1);
}

} // namespace
