#include "core/calculators/PensionGrowth.h"
#include "support/CaseName.h"

#include "core/input/DisplayForm.h"
#include "support/PageColumns.h"

#include <array>
#include <gtest/gtest.h>
#include <vector>

using namespace qm;
using qmtest::pageLines;

namespace {

constexpr int TableStart = 11;        // eight echo lines, a blank line, heading, underline
using Inputs = std::array<double, 9>; // 1-based like the input boxes
const Inputs Defaults{0, 0, 40000, 4, 4, 4, 10, 0, 25};

CalcState stateWith(const Inputs& inputs) {
    CalcState state;
    for (std::size_t i = 1; i < inputs.size(); ++i)
        state.inputValues[i] = Currency::fromDouble(inputs[i]);
    return state;
}

// The texts the boxes show for the stored values.
PensionGrowthTexts boxesFor(const CalcState& s) {
    const auto& v = s.inputValues;
    return {Display(forms::Money, v[1], s.currencySymbol),
            Display(forms::Money, v[2], s.currencySymbol),
            Display(forms::Percent, v[3], s.currencySymbol),
            Display(forms::Percent, v[4], s.currencySymbol),
            Display(forms::Percent, v[5], s.currencySymbol),
            Display(forms::Percent, v[6], s.currencySymbol),
            Display(forms::Percent, v[7], s.currencySymbol),
            Display(forms::Years3, v[8], s.currencySymbol)};
}

struct PensionCase {
    const char* name;
    Inputs inputs;
    int yearLines;
    std::vector<const char*> years; // year, salary, contributions, interest/growth, value
    const char* totals;             // contributions, interest/growth, value
    int chartPoints;
};

void PrintTo(const PensionCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.inputs, c.yearLines, c.years, c.totals, c.chartPoints);
}

class PensionGrowthCase : public ::testing::TestWithParam<PensionCase> {};

TEST_P(PensionGrowthCase, TableMatchesToTheCent) {
    const PensionCase& c = GetParam();
    CalcState state = stateWith(c.inputs);
    ASSERT_TRUE(PensionGrowthCalculate(state, boxesFor(state)).messages.empty());
    const QStringList lines = pageLines(state.resultsPage);
    ASSERT_EQ(lines.size(), TableStart + c.yearLines + 2);
    for (const char* year : c.years)
        qmtest::expectYearLine(lines, TableStart, year);
    qmtest::expectFields(lines.last(), (std::string("Total: ") + c.totals).c_str());
    EXPECT_EQ(state.chartPoints, c.chartPoints);
    EXPECT_EQ(state.chartKind, ChartKind::PensionGrowth);
    // The totals row carries the number of year lines and the final value.
    EXPECT_EQ(state.periodData.at(c.yearLines + 1, 1), Currency::fromUnits(c.yearLines));
    EXPECT_EQ(state.periodData.at(c.yearLines + 1, 4), state.periodData.at(c.yearLines, 4));
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, PensionGrowthCase,
    ::testing::Values(
        PensionCase{"Defaults",
                    Defaults,
                    25,
                    {"1 40,000.00 3,200.00 320.00 3,520.00", "2 41,600.00 3,328.00 684.80 7,532.80",
                     "25 102,532.17 8,202.57 * 479,240.36"},
                    "133,266.91 345,973.46 479,240.36",
                    25},
        PensionCase{
            "ThreePercentInflation",
            {0, 0, 40000, 4, 4, 4, 10, 3, 25},
            25,
            {"1 40,000.00 3,200.00 320.00 3,414.40", "2 41,600.00 3,328.00 674.24 7,194.14"},
            "133,266.91 169,438.28 302,705.19",
            25},
        PensionCase{"NoGrowthNoInflationNoRaise",
                    {0, 10000, 50000, 5, 5, 0, 0, 0, 10},
                    10,
                    {"1 50,000.00 5,000.00 .00 15,000.00", "2 50,000.00 5,000.00 .00 20,000.00",
                     "10 50,000.00 5,000.00 .00 60,000.00"},
                    "60,000.00 .00 60,000.00",
                    10},
        // Zero years still shows the first year, but leaves nothing to chart.
        PensionCase{"ZeroYears",
                    {0, 0, 40000, 4, 4, 4, 10, 0, 0},
                    1,
                    {"1 40,000.00 3,200.00 320.00 3,520.00"},
                    "3,200.00 320.00 3,520.00",
                    0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PensionGrowthPage, WholePageLineByLine) {
    CalcState state = stateWith({0, 10000, 50000, 5, 5, 0, 0, 0, 10});
    state.resultsPage = QStringLiteral("earlier page") + LineEnd;
    state.editFlag = 1;
    ASSERT_TRUE(PensionGrowthCalculate(state, boxesFor(state)).messages.empty());
    const QString underline(59, QLatin1Char('_'));
    QStringList expected{"Current balance in account:     $10,000.00",
                         "My current annual salary:       $50,000.00",
                         "My annual contribution rate:          5.00%",
                         "Company annual contribution rate:     5.00%",
                         "Estimated annual salary increase:      .00%",
                         "Annual interest/growth rate:           .00%",
                         "Estimated annual inflation rate:       .00%",
                         "Number of years to retirement:           10",
                         "",
                         "Year    Salary    Contributions    Int/Growth         Value",
                         underline};
    expected << "  1     50,000.00      5,000.00           .00     15,000.00"
             << "  2     50,000.00      5,000.00           .00     20,000.00"
             << "  3     50,000.00      5,000.00           .00     25,000.00"
             << "  4     50,000.00      5,000.00           .00     30,000.00"
             << "  5     50,000.00      5,000.00           .00     35,000.00"
             << "  6     50,000.00      5,000.00           .00     40,000.00"
             << "  7     50,000.00      5,000.00           .00     45,000.00"
             << "  8     50,000.00      5,000.00           .00     50,000.00"
             << "  9     50,000.00      5,000.00           .00     55,000.00"
             << " 10     50,000.00      5,000.00           .00     60,000.00" << underline
             << "Total:                60,000.00           .00     60,000.00";
    qmtest::expectSameLines(pageLines(state.resultsPage), expected);
    // The box adds a blank line and the hint; the page (what is printed) does not hold it.
    EXPECT_EQ(state.results, state.resultsPage + LineEnd +
                                 QStringLiteral("                            Hidden column >"));
    EXPECT_EQ(state.chartTitle, QStringLiteral(" Pension growth over "));
    EXPECT_EQ(state.editFlag, 0);
}

TEST(PensionGrowthPage, EmptiedBoxIsEchoedWhileTheStoredValueIsUsed) {
    // Delete empties the years box without marking it edited: the stored 25 stays in use.
    CalcState state = stateWith(Defaults);
    PensionGrowthTexts boxes = boxesFor(state);
    boxes.numYearsToRetire.clear();
    ASSERT_TRUE(PensionGrowthCalculate(state, boxes).messages.empty());
    const QStringList lines = pageLines(state.resultsPage);
    EXPECT_EQ(lines.at(7), QStringLiteral("Number of years to retirement:          "));
    EXPECT_EQ(lines.size(), TableStart + 25 + 2);
}

// Failures end in the trap: message 3; the box and the chart values keep what they held; the
// lines written before the failure stay on the page.
TEST(PensionGrowthPage, FailuresEndInTheTrap) {
    const struct {
        Inputs inputs;
        int linesLeft;
    } cases[] = {
        {{0, 0, 9e14, 4, 4, 4, 10, 0, 25}, TableStart}, // the value leaves the money range
        {{0, 0, 9e14, 90, 90, 0, 0, 0, 1}, TableStart}, // the first contribution already does
        {{0, 0, 100, 1, 1, 0, 0, 0, 600}, TableStart},  // more years than the year table holds
        {{0, 0, 40000, 4, 4, 4, 10, 0, 40000}, 0},      // a year count beyond a whole number
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inputs[8]);
        CalcState state = stateWith(c.inputs);
        state.results = QStringLiteral("previous");
        state.chartPoints = 12;
        EXPECT_EQ(PensionGrowthCalculate(state, boxesFor(state)).messages,
                  std::vector<Message>{Message::WrongEntry});
        EXPECT_EQ(state.results, QStringLiteral("previous"));
        EXPECT_EQ(state.chartPoints, 12);
        EXPECT_EQ(pageLines(state.resultsPage).size(), c.linesLeft);
    }
}

TEST(PensionGrowthHelp, TwentyFiveLinesWithTheBlankLinesInPlace) {
    const QStringList lines = pageLines(PensionGrowthHelpPage(QStringLiteral("$")));
    ASSERT_EQ(lines.size(), 25);
    for (const int blank : {3, 6, 8, 10, 13, 16, 18, 21, 24})
        EXPECT_TRUE(lines.at(blank - 1).isEmpty()) << "line " << blank;
    EXPECT_EQ(lines.last(), QStringLiteral("In USA also use for 401(k) investment plan."));
}

} // namespace
