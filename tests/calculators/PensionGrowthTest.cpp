#include "calculators/PensionGrowth.h"

#include "PageColumns.h"
#include "app/AppState.h"
#include "input/DisplayForm.h"
#include "text/Format.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

using namespace qm;
using qmtest::columns;
using qmtest::pageLines;

namespace {

// Lines before the first year line: eight echo lines, a blank line, heading and underline.
constexpr int TableStart = 11;
const std::vector<int> YearColumns{3, 14, 14, 14, 14};
const std::vector<int> TotalColumns{17, 14, 14, 14};

using Inputs = std::array<double, 9>; // 1-based like the input boxes

CalcState stateWith(const Inputs& inputs) {
    CalcState state;
    state.visibleTab = PensionGrowthTab;
    for (std::size_t i = 1; i < inputs.size(); ++i)
        state.inputValues[i] = Currency::fromDouble(inputs[i]);
    return state;
}

// The texts the boxes show for the stored values.
PensionGrowthBoxes boxesFor(const CalcState& state) {
    const auto& v = state.inputValues;
    return {Display(forms::Money, v[1]),   Display(forms::Money, v[2]),
            Display(forms::Percent, v[3]), Display(forms::Percent, v[4]),
            Display(forms::Percent, v[5]), Display(forms::Percent, v[6]),
            Display(forms::Percent, v[7]), Display(forms::Years3, v[8])};
}

const Inputs Defaults{0, 0, 40000, 4, 4, 4, 10, 0, 25};

// A year line as shown; nullptr leaves a column unchecked.
struct YearCheck {
    int year;
    const char* salary;
    const char* contributions;
    const char* interest;
    const char* value;
};

struct PensionCase {
    const char* name;
    Inputs inputs;
    int yearLines;
    std::vector<YearCheck> years;
    std::array<const char*, 3> totals; // contributions, interest/growth, value
    int chartPoints;
};

void PrintTo(const PensionCase& c, std::ostream* os) {
    *os << c.name;
}

class PensionGrowthCase : public ::testing::TestWithParam<PensionCase> {};

TEST_P(PensionGrowthCase, TableMatchesToTheCent) {
    const PensionCase& c = GetParam();
    CalcState state = stateWith(c.inputs);
    const CalcOutcome outcome = CalculatePensionGrowth(state, boxesFor(state));
    ASSERT_TRUE(outcome.messages.empty());

    const QStringList lines = pageLines(state.resultsPage);
    ASSERT_EQ(lines.size(), TableStart + c.yearLines + 2);
    for (const YearCheck& y : c.years) {
        SCOPED_TRACE(y.year);
        const QStringList cols = columns(lines.at(TableStart + y.year - 1), YearColumns);
        EXPECT_EQ(cols[0], QString::number(y.year));
        const char* expected[] = {y.salary, y.contributions, y.interest, y.value};
        for (int i = 0; i < 4; ++i) {
            if (expected[i]) {
                EXPECT_EQ(cols[i + 1].toStdString(), expected[i]) << "column " << i + 2;
            }
        }
    }
    const QString totalLine = lines.last();
    EXPECT_TRUE(totalLine.startsWith(QStringLiteral("Total:           ")));
    const QStringList totals = columns(totalLine, TotalColumns);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(totals[i + 1].toStdString(), c.totals[static_cast<std::size_t>(i)]);

    // The chart reads the same values the page shows; the totals row carries the year count.
    EXPECT_EQ(state.chartPoints, c.chartPoints);
    EXPECT_EQ(state.chartKind, 4);
    EXPECT_EQ(state.chartTitle, QStringLiteral(" Pension growth over "));
    EXPECT_EQ(state.periodData.at(c.yearLines + 1, 1), Currency::fromUnits(c.yearLines));
    EXPECT_EQ(FormatNumber(state.periodData.at(c.yearLines + 1, 4), u"####,###.00").toStdString(),
              c.totals[2]);
    for (int year = 1; year <= c.chartPoints; ++year)
        EXPECT_EQ(FormatNumber(state.periodData.at(year, 4), u"####,###.00"),
                  columns(lines.at(TableStart + year - 1), YearColumns)[4]);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, PensionGrowthCase,
    ::testing::Values(
        PensionCase{"Defaults",
                    Defaults,
                    25,
                    {{1, "40,000.00", "3,200.00", "320.00", "3,520.00"},
                     {2, "41,600.00", "3,328.00", "684.80", "7,532.80"},
                     {25, "102,532.17", "8,202.57", nullptr, "479,240.36"}},
                    {"133,266.91", "345,973.46", "479,240.36"},
                    25},
        PensionCase{"ThreePercentInflation",
                    {0, 0, 40000, 4, 4, 4, 10, 3, 25},
                    25,
                    {{1, "40,000.00", "3,200.00", "320.00", "3,414.40"},
                     {2, "41,600.00", "3,328.00", "674.24", "7,194.14"},
                     {25, "102,532.17", "8,202.57", nullptr, "302,705.19"}},
                    {"133,266.91", "169,438.28", "302,705.19"},
                    25},
        PensionCase{"NoGrowthNoInflationNoRaise",
                    {0, 10000, 50000, 5, 5, 0, 0, 0, 10},
                    10,
                    {{1, "50,000.00", "5,000.00", ".00", "15,000.00"},
                     {2, "50,000.00", "5,000.00", ".00", "20,000.00"},
                     {10, "50,000.00", "5,000.00", ".00", "60,000.00"}},
                    {"60,000.00", ".00", "60,000.00"},
                    10},
        // Zero years still computes and shows the first year, but leaves nothing to chart.
        PensionCase{"ZeroYears",
                    {0, 0, 40000, 4, 4, 4, 10, 0, 0},
                    1,
                    {{1, "40,000.00", "3,200.00", "320.00", "3,520.00"}},
                    {"3,200.00", "320.00", "3,520.00"},
                    0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PensionGrowthPage, WholePageLineByLine) {
    CalcState state = stateWith({0, 10000, 50000, 5, 5, 0, 0, 0, 10});
    ASSERT_TRUE(CalculatePensionGrowth(state, boxesFor(state)).messages.empty());
    const QString underline(59, QLatin1Char('_'));
    QStringList expected{
        "Current balance in account:     $10,000.00",
        "My current annual salary:       $50,000.00",
        "My annual contribution rate:          5.00%",
        "Company annual contribution rate:     5.00%",
        "Estimated annual salary increase:      .00%",
        "Annual interest/growth rate:           .00%",
        "Estimated annual inflation rate:       .00%",
        "Number of years to retirement:           10",
        "",
        "Year    Salary    Contributions    Int/Growth         Value",
        underline,
        "  1     50,000.00      5,000.00           .00     15,000.00",
        "  2     50,000.00      5,000.00           .00     20,000.00",
        "  3     50,000.00      5,000.00           .00     25,000.00",
        "  4     50,000.00      5,000.00           .00     30,000.00",
        "  5     50,000.00      5,000.00           .00     35,000.00",
        "  6     50,000.00      5,000.00           .00     40,000.00",
        "  7     50,000.00      5,000.00           .00     45,000.00",
        "  8     50,000.00      5,000.00           .00     50,000.00",
        "  9     50,000.00      5,000.00           .00     55,000.00",
        " 10     50,000.00      5,000.00           .00     60,000.00",
        underline,
        "Total:                60,000.00           .00     60,000.00",
    };
    qmtest::expectSameLines(pageLines(state.resultsPage), expected);
    // The box shows the page, a blank line and the hint; the page itself (what is printed)
    // does not hold the hint.
    EXPECT_EQ(state.results, state.resultsPage + LineEnd +
                                 QStringLiteral("                            Hidden column >"));
    EXPECT_FALSE(state.resultsPage.contains(QStringLiteral("Hidden column")));
}

TEST(PensionGrowthPage, EmptiedBoxIsEchoedWhileTheStoredValueIsUsed) {
    // Delete empties the years box without marking it edited: the value stays 25.
    CalcState state = stateWith(Defaults);
    PensionGrowthBoxes boxes = boxesFor(state);
    boxes.numYearsToRetire.clear();
    ASSERT_TRUE(CalculatePensionGrowth(state, boxes).messages.empty());
    const QStringList lines = pageLines(state.resultsPage);
    EXPECT_EQ(lines.at(7), QStringLiteral("Number of years to retirement:          "));
    EXPECT_EQ(lines.size(), TableStart + 25 + 2);
    EXPECT_EQ(state.chartPoints, 25);
}

TEST(PensionGrowthPage, NewCalculationReplacesThePage) {
    CalcState state = stateWith(Defaults);
    state.resultsPage = QStringLiteral("old line") + LineEnd;
    state.periodData.at(30, 4) = Currency::fromUnits(7);
    app().editFlag = 1;
    ASSERT_TRUE(CalculatePensionGrowth(state, boxesFor(state)).messages.empty());
    EXPECT_TRUE(state.resultsPage.startsWith(QStringLiteral("Current balance in account:  ")));
    EXPECT_EQ(state.periodData.at(30, 4), Currency());
    EXPECT_EQ(app().editFlag, 0);
}

// Failures end in the trap: message 3, the box and the chart values keep what they held, the
// lines appended before the failure stay on the page.
struct TrapCase {
    const char* name;
    Inputs inputs;
    int linesLeft;
};

void PrintTo(const TrapCase& c, std::ostream* os) {
    *os << c.name;
}

class PensionGrowthTrap : public ::testing::TestWithParam<TrapCase> {};

TEST_P(PensionGrowthTrap, ShowsMessage3AndKeepsTheBox) {
    const TrapCase& c = GetParam();
    CalcState state = stateWith(c.inputs);
    state.results = QStringLiteral("previous");
    state.chartPoints = 12;
    state.chartKind = 4;
    state.chartTitle = QStringLiteral("previous title");
    const CalcOutcome outcome = CalculatePensionGrowth(state, boxesFor(state));
    EXPECT_EQ(outcome.messages, std::vector<int>{3});
    EXPECT_EQ(state.results, QStringLiteral("previous"));
    EXPECT_EQ(state.chartPoints, 12);
    EXPECT_EQ(state.chartTitle, QStringLiteral("previous title"));
    EXPECT_EQ(pageLines(state.resultsPage).size(), c.linesLeft);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, PensionGrowthTrap,
    ::testing::Values(
        // The value grows past the money range.
        TrapCase{"ValueOverflow", {0, 0, 900000000000000.0, 4, 4, 4, 10, 0, 25}, TableStart},
        // The first contribution is already too large.
        TrapCase{"ContributionOverflow", {0, 0, 900000000000000.0, 90, 90, 0, 0, 0, 1}, TableStart},
        // More years than the year table holds (no growth, so nothing overflows first).
        TrapCase{"YearTableExhausted", {0, 0, 100, 1, 1, 0, 0, 0, 600}, TableStart},
        // The year count does not fit a whole number: nothing is written.
        TrapCase{"YearsOutOfRange", {0, 0, 40000, 4, 4, 4, 10, 0, 40000}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PensionGrowthHelp, TwentyFiveLinesWithTheBlankLinesInPlace) {
    const QStringList lines = pageLines(PensionGrowthHelpPage());
    ASSERT_EQ(lines.size(), 25);
    for (const int blank : {3, 6, 8, 10, 13, 16, 18, 21, 24})
        EXPECT_TRUE(lines.at(blank - 1).isEmpty()) << "line " << blank;
    EXPECT_EQ(lines.first(), QStringLiteral("To view the hidden Value column on the"));
    EXPECT_EQ(lines.at(16), QStringLiteral("Type estimated annual interest/growth rate."));
    EXPECT_EQ(lines.last(), QStringLiteral("In USA also use for 401(k) investment plan."));
}

} // namespace
