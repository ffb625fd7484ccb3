#include "core/calculators/CompoundGain.h"
#include "support/CaseName.h"

#include "support/PageColumns.h"

#include <gtest/gtest.h>

using namespace qm;
using qmtest::splitLines;

namespace {

Currency Money(double units) {
    return Currency::fromDouble(units);
}

// The boxes as they show the tab's defaults.
const CompoundGainTexts Defaults{QStringLiteral("   $10,000.00"), QStringLiteral("   $20,000.00"),
                                 QStringLiteral("  5"), QStringLiteral("XYZ Mutual Fund")};

CalcOutcome Calculate(CalcState& state, double cost, double value, double years) {
    state.inputValues[1] = Money(cost);
    state.inputValues[2] = Money(value);
    state.inputValues[3] = Money(years);
    return CompoundGainCalculate(state, Defaults);
}

struct RateCase {
    double cost, value, years;
    const char* row; // the data row as the page shows it
};

void PrintTo(const RateCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.cost, c.value, c.years, c.row);
}

class CompoundGainRates : public ::testing::TestWithParam<RateCase> {};

TEST_P(CompoundGainRates, RowShowsAnnualAndTotalGain) {
    const RateCase& c = GetParam();
    CalcState state;
    EXPECT_TRUE(Calculate(state, c.cost, c.value, c.years).messages.empty());
    EXPECT_EQ(splitLines(state.results).at(7), QString::fromLatin1(c.row));
}

INSTANTIATE_TEST_SUITE_P(
    HelpExamplesAndLoss, CompoundGainRates,
    ::testing::Values(RateCase{1000, 2000, 5, " 5    1,000.00     2,000.00  14.870%  100.00%"},
                      RateCase{25000, 200000, 20, "20   25,000.00   200,000.00  10.957%  700.00%"},
                      RateCase{500, 1000, 6, " 6      500.00     1,000.00  12.246%  100.00%"},
                      RateCase{2.38, 5.14, 6, " 6        2.38         5.14  13.692%  115.97%"},
                      RateCase{2000, 1000, 5, " 5    2,000.00     1,000.00 -12.945%  -50.00%"}),
    [](const auto& info) {
        return qmtest::NameOf(info.param.cost, "to", info.param.value, "in", info.param.years);
    });

TEST(CompoundGain, DefaultsGiveTheWholeBlockAndChartValues) {
    CalcState state;
    ASSERT_TRUE(Calculate(state, 10000, 20000, 5).messages.empty());
    const QStringList expected{
        "Cost of Investment:             $10,000.00",
        "Present/future value:           $20,000.00",
        "Number of years invested:                5",
        "Name of investment:        XYZ Mutual Fund",
        "",
        "Years     Cost        Value  Annual%   Total%",
        "_____________________________________________",
        " 5   10,000.00    20,000.00  14.870%  100.00%",
        "_____________________________________________",
        "",
        "",
    };
    EXPECT_EQ(splitLines(state.results), expected);
    EXPECT_EQ(state.resultsPage, state.results);
    const int yearValues[] = {11486, 13195, 15157, 17411, 20000};
    for (int n = 1; n <= 5; ++n) {
        EXPECT_EQ(state.periodData.at(n, 1), Currency::fromUnits(n));
        EXPECT_EQ(state.periodData.at(n, 4), Currency::fromUnits(yearValues[n - 1])) << n;
    }
    EXPECT_EQ(state.comparisonData.at(1, 1).raw(), 148698);
    EXPECT_EQ(state.chartPoints, 1);
    EXPECT_EQ(state.chartKind, ChartKind::CompoundGain);
    EXPECT_EQ(state.chartTitle, "Percentage gain/loss for comparisions ");
}

TEST(CompoundGain, TenthCalculationFillsThePageAndTheEleventhStartsAnew) {
    CalcState state;
    for (int k = 1; k <= 10; ++k) {
        const CalcOutcome outcome = Calculate(state, 10000, 20000 + k, 5);
        EXPECT_EQ(outcome.messages,
                  k == 10 ? std::vector<Message>{Message::TenComparisons} : std::vector<Message>{})
            << k;
    }
    EXPECT_EQ(splitLines(state.results).size(), 10 * 10 + 1); // ten blocks of ten lines
    EXPECT_TRUE(state.resultsPage.isEmpty());
    EXPECT_EQ(state.comparisonCount, 0);
    EXPECT_EQ(state.chartPoints, 10);
    EXPECT_NE(state.comparisonData.at(10, 1), Currency());

    EXPECT_TRUE(Calculate(state, 10000, 20000, 5).messages.empty());
    EXPECT_EQ(splitLines(state.results).size(), 10 + 1);
    EXPECT_EQ(state.comparisonCount, 1);
    EXPECT_EQ(state.comparisonData.at(2, 1), Currency()); // the table was made anew
}

TEST(CompoundGain, HelpThenCalculateShowsOneBlock) {
    CalcState state;
    Calculate(state, 10000, 20000, 5);
    Calculate(state, 10000, 20000, 5);
    ShowHelpPage(state, CompoundGainHelpPage(QStringLiteral("$")));
    EXPECT_EQ(state.results, CompoundGainHelpPage(QStringLiteral("$")));
    EXPECT_EQ(state.startNewPage, 1);
    Calculate(state, 10000, 20000, 5);
    EXPECT_EQ(state.comparisonCount, 1);
    EXPECT_EQ(state.startNewPage, 0);
    EXPECT_TRUE(state.results.startsWith("Cost of Investment:"));
    EXPECT_EQ(splitLines(state.results).size(), 11);
}

TEST(CompoundGain, MissingNumberKeepsItsLinesAboveTheNextBlock) {
    for (int missing = 1; missing <= 3; ++missing) {
        CalcState state;
        Calculate(state, 10000, 20000, 5);
        const QString shown = state.results;
        state.inputValues[static_cast<std::size_t>(missing)] = Currency();
        EXPECT_EQ(CompoundGainCalculate(state, Defaults).messages,
                  std::vector<Message>{Message::NumbersInAllThreeBoxes});
        EXPECT_EQ(state.results, shown);
        EXPECT_EQ(splitLines(state.resultsPage).size(), 10 + 7 + 1);

        Calculate(state, 10000, 20000, 5);
        const QStringList lines = splitLines(state.results);
        ASSERT_EQ(lines.size(), 10 + 7 + 10 + 1);
        EXPECT_EQ(lines.at(16), "_____________________________________________");
        EXPECT_TRUE(lines.at(17).startsWith("Cost of Investment:"));
        EXPECT_EQ(state.comparisonCount, 3);
        // The rejected calculation leaves a zero entry between the two rates.
        EXPECT_EQ(state.comparisonData.at(1, 1).raw(), 148698);
        EXPECT_EQ(state.comparisonData.at(2, 1), Currency());
        EXPECT_EQ(state.comparisonData.at(3, 1).raw(), 148698);
    }
}

struct FailureCase {
    const char* what;
    double cost, value, years;
    int countBefore;
    int linesKept; // page lines (each ended) left by the failed attempt
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.what, c.cost, c.value, c.years, c.countBefore, c.linesKept);
}

class CompoundGainFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CompoundGainFailures, TrapShowsMessage3AndKeepsTheBoxText) {
    const FailureCase& c = GetParam();
    CalcState state;
    state.results = QStringLiteral("before");
    state.comparisonCount = c.countBefore;
    EXPECT_EQ(Calculate(state, c.cost, c.value, c.years).messages,
              std::vector<Message>{Message::WrongEntry})
        << c.what;
    EXPECT_EQ(state.results, "before");
    EXPECT_EQ(state.resultsPage.count(QStringLiteral("\r\n")), c.linesKept) << c.what;
    EXPECT_EQ(state.comparisonCount, c.countBefore + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CompoundGainFailures,
    ::testing::Values(FailureCase{"negative value: no logarithm", 1000, -1000, 5, 0, 7},
                      FailureCase{"rate beyond the amount range", 0.0001, 9e14, 1, 0, 10},
                      FailureCase{"year beyond the chart table", 1000, 2000, 600, 0, 7},
                      FailureCase{"comparison beyond the last row", 1000, 2000, 5, 21, 10}),
    [](const auto& info) { return qmtest::NameOf(info.param.what); });

TEST(CompoundGain, HelpPageWritesTheSymbolBeforeItsAmounts) {
    const QStringList lines = splitLines(CompoundGainHelpPage(QStringLiteral("$")));
    ASSERT_EQ(lines.size(), 27);
    EXPECT_EQ(lines.at(0), "Compare up to 10 different investments on");
    EXPECT_EQ(lines.at(10), "dividends and capital gains reinvested its ");
    EXPECT_EQ(lines.at(19), "value of $1,000.00 in 6 years, cost $500.00.");
    EXPECT_EQ(lines.at(25), "6 years = 13.692%.");
    EXPECT_EQ(lines.at(26), "");

    const QStringList other = splitLines(CompoundGainHelpPage(QStringLiteral("EUR ")));
    EXPECT_EQ(other.at(9), "Cost = EUR 1,000.00, 5 years later with all");
    EXPECT_EQ(other.at(24), " = EUR 5.14. Annual compound growth rate for the");
}

} // namespace
