#include "core/calculators/InvestedGrowth.h"
#include "support/CaseName.h"

#include "support/PageColumns.h"

#include <gtest/gtest.h>

#include <limits>
#include <set>

using namespace qm;
using qmtest::splitLines;

namespace {

int LineCount(const QString& page) {
    return static_cast<int>(page.count(QStringLiteral("\r\n")));
}

struct Inputs {
    double begin = 0, contribution = 1000;
    const char* frequency = "Annually";
    double growth = 15, increase = 0, inflation = 0, years = 25;
    GrowthResults results = GrowthResults::Complete;
};

void PrintTo(const Inputs& c, std::ostream* os) {
    qmtest::PrintFields(os, c.begin, c.contribution, c.frequency, c.growth, c.increase, c.inflation,
                        c.years, c.results);
}

// The window hands over the boxes' texts; the calculation reads the values.
CalcOutcome Calculate(CalcState& state, const Inputs& in, const char* growthText = "15.00%") {
    state.inputValues[1] = Currency::fromDouble(in.begin);
    state.inputValues[2] = Currency::fromDouble(in.contribution);
    state.inputValues[4] = Currency::fromDouble(in.growth);
    state.inputValues[5] = Currency::fromDouble(in.increase);
    state.inputValues[6] = Currency::fromDouble(in.inflation);
    state.inputValues[7] = Currency::fromDouble(in.years);
    InvestedGrowthTexts texts{"         $.00", "    $1,000.00", in.frequency, growthText,
                              "  .00%",        "  .00%",        "25",         in.results};
    return InvestedGrowthCalculate(state, texts);
}

struct GrowthCase {
    const char* name;
    Inputs in;
    int periods;
    std::int64_t finalRaw;
    // "line: period invested growth value" with blanks squeezed; line 0 is the totals line. A
    // shorter text checks the leading fields only.
    std::vector<const char*> lines;
};

void PrintTo(const GrowthCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.in, c.periods, c.finalRaw, c.lines);
}

class InvestedGrowthTable : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(InvestedGrowthTable, RowsAndTotalsToTheCent) {
    const GrowthCase& c = GetParam();
    CalcState state;
    ASSERT_TRUE(Calculate(state, c.in).messages.empty());
    const QStringList lines = splitLines(state.results);
    ASSERT_EQ(lines.size(), 10 + c.periods + 3);
    const char* label = c.in.frequency[0] == 'A'   ? "Year    "
                        : c.in.frequency[0] == 'M' ? "Month   "
                                                   : "Quarter ";
    EXPECT_EQ(lines.at(8), QString::fromLatin1(label) + " Invested    Int/Growth         Value");
    for (const char* text : c.lines) {
        const QString expected = QString::fromLatin1(text);
        const int line = expected.section(':', 0, 0).toInt();
        const QString& shown = lines.at(line == 0 ? 11 + c.periods : 9 + line);
        EXPECT_EQ(shown.size(), 45);
        EXPECT_TRUE(shown.simplified().startsWith(expected.section(": ", 1)))
            << text << " / " << shown.toStdString();
    }
    EXPECT_EQ(state.periodData.at(c.periods + 1, 1), Currency::fromUnits(c.periods));
    EXPECT_EQ(state.periodData.at(c.periods + 1, 4).raw(), c.finalRaw);
    EXPECT_EQ(state.chartKind, ChartKind::InvestedGrowth);
    EXPECT_EQ(state.chartPoints, static_cast<int>(c.in.years));
    EXPECT_EQ(state.chartTitle, "Investment growth over ");
    EXPECT_EQ(state.chartPeriodCount, c.periods);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    HelpExamplesAndDefaults, InvestedGrowthTable,
    ::testing::Values(
        GrowthCase{"Example1", {.growth = 20}, 25, 5663773224,
                   {"1: 1 1,000.00 200.00 1,200.00", "2: 2 1,000.00 440.00 2,640.00",
                    "0: 25 25,000.00 541,377.32 566,377.32"}},
        GrowthCase{"Example2", {.begin = 1000, .contribution = 0, .growth = 20}, 25, 953962212,
                   {"1: 1 1,000.00 200.00 1,200.00", "2: 2 .00 240.00 1,440.00",
                    "0: 25 1,000.00 94,396.22 95,396.22"}},
        GrowthCase{"Example3", {.growth = 20, .increase = 5}, 25, 7360789446,
                   {"2: 2 1,050.00 450.00 2,700.00", "25: 25 3,225.10",
                    "0: 25 47,727.10 688,351.84 736,078.94"}},
        GrowthCase{"Example4", {.begin = 30000, .contribution = 0, .growth = 0, .inflation = 5}, 25,
                   83216873, {"1: 1 30,000.00 .00 28,500.00", "2: 2 .00 .00 27,075.00",
                              "0: 25 30,000.00 -21,678.31 8,321.69"}},
        GrowthCase{"DefaultsAnnually", {}, 25, 2447119928,
                   {"2: 2 1,000.00 322.50 2,472.50", "0: 25 25,000.00 219,711.99 244,711.99"}},
        GrowthCase{"DefaultsMonthly", {.frequency = "Monthly"}, 300, 27565606305,
                   {"1: 1 1,000.00 11.71 1,011.71", "2: 2 1,000.00 23.57 2,035.28",
                    "300: 300 1,000.00", "0: 300 300,000.00 2,456,560.63 2,756,560.63"}},
        GrowthCase{"DefaultsQuarterly", {.frequency = "Quarterly"}, 100, 9295757473,
                   {"1: 1 1,000.00 35.56 1,035.56", "0: 100 100,000.00 829,575.75 929,575.75"}},
        GrowthCase{"ZeroYears", {.years = 0}, 1, 11500000,
                   {"1: 1 1,000.00 150.00 1,150.00", "0: 1 1,000.00 150.00 1,150.00"}},
        GrowthCase{"RateOf125", {.growth = 125, .years = 3}, 3, 187031250,
                   {"1: 1 1,000.00 1,250.00 2,250.00", "0: 3 3,000.00 15,703.13 18,703.13"}}),
    [](const auto& info) { return std::string(info.param.name); });
// clang-format on

TEST(InvestedGrowth, CompletePageLineByLine) {
    CalcState state;
    state.resultsPage = QStringLiteral("an earlier table\r\n");
    ASSERT_TRUE(Calculate(state, {.growth = 20, .years = 2}, "20.00%").messages.empty());
    const QStringList expected{
        "Beginning balance:                   $.00",
        "Each contribution:              $1,000.00",
        "Frequency of contribution:       Annually",
        "Annual growth rate:                 20.00%",
        "Increase annual contribution:         .00%",
        "Annual inflation rate:                .00%",
        "Number years invested:                 25",
        "",
        "Year     Invested    Int/Growth         Value",
        "_____________________________________________",
        "  1      1,000.00        200.00      1,200.00",
        "  2      1,000.00        440.00      2,640.00",
        "_____________________________________________",
        "  2      2,000.00        640.00      2,640.00",
        "",
    };
    EXPECT_EQ(splitLines(state.results), expected);
    // The table stays in the page buffer (for printing) and the count stays at 1.
    EXPECT_EQ(state.resultsPage, state.results);
    EXPECT_EQ(state.comparisonCount, 1);
    EXPECT_EQ(state.chartPeriodsPerYear, 1);

    // A rate of 125 does not fit its box: the echo shows the box's text, the table the full rate.
    Calculate(state, {.growth = 125, .years = 3}, "125.0%");
    EXPECT_EQ(splitLines(state.results).at(3), "Annual growth rate:                 125.0%");
}

TEST(InvestedGrowth, ComparisonTotalsTenThenEleven) {
    CalcState state;
    const Inputs in{.results = GrowthResults::ComparisonTotals};
    for (int k = 1; k <= 10; ++k) {
        EXPECT_EQ(Calculate(state, in).messages,
                  k == 10 ? std::vector<Message>{Message::TenComparisons} : std::vector<Message>{})
            << k;
    }
    EXPECT_EQ(LineCount(state.results), 10 * 13);
    EXPECT_TRUE(state.resultsPage.isEmpty());
    EXPECT_EQ(state.comparisonCount, 0);
    EXPECT_EQ(state.chartKind, ChartKind::InvestedComparisons);
    EXPECT_EQ(state.chartPoints, 10);
    EXPECT_EQ(state.chartTitle, "Totals for comparisons, number ");
    EXPECT_EQ(state.chartPeriodCount, 0); // left as it was

    const QStringList first = splitLines(state.results).mid(8, 6);
    const QStringList expected{
        "Year     Invested    Int/Growth         Value",
        "_____________________________________________",
        " 25     25,000.00    219,711.99    244,711.99",
        "_____________________________________________",
        "",
        "Beginning balance:                   $.00",
    };
    EXPECT_EQ(first, expected);

    EXPECT_TRUE(Calculate(state, in).messages.empty());
    EXPECT_EQ(LineCount(state.results), 13);
    EXPECT_EQ(state.comparisonCount, 1);
    EXPECT_EQ(state.comparisonData.at(1, 1).raw(), 2447119928);
    EXPECT_EQ(state.comparisonData.at(2, 1), Currency()); // made anew for the new page
}

TEST(InvestedGrowth, FailedComparisonsKeepTheirLinesAndTheTenthStillCloses) {
    CalcState state;
    const Inputs good{.results = GrowthResults::ComparisonTotals};
    // The list's text is matched exactly: no periods, the rates fail.
    const Inputs bad{.frequency = "annually", .results = GrowthResults::ComparisonTotals};

    Calculate(state, good);
    EXPECT_EQ(Calculate(state, bad).messages, std::vector<Message>{Message::WrongEntry});
    EXPECT_EQ(LineCount(state.results), 13);
    Calculate(state, good);
    const QStringList lines = splitLines(state.results);
    ASSERT_EQ(lines.size(), 13 + 10 + 13 + 1);
    EXPECT_EQ(lines.at(13 + 2), "Frequency of contribution:       annually");
    EXPECT_EQ(lines.at(13 + 8), " Invested    Int/Growth         Value");
    EXPECT_TRUE(lines.at(23).startsWith("Beginning balance:"));
    EXPECT_EQ(state.comparisonData.at(2, 1), Currency());
    EXPECT_EQ(state.comparisonData.at(3, 1).raw(), 2447119928);

    for (int k = 4; k <= 9; ++k)
        Calculate(state, good);
    const QString nine = state.results;
    EXPECT_EQ(Calculate(state, bad).messages,
              (std::vector<Message>{Message::WrongEntry, Message::TenComparisons}));
    EXPECT_EQ(state.results, nine);
    EXPECT_TRUE(state.resultsPage.isEmpty());
    EXPECT_EQ(state.comparisonCount, 0);
}

struct FailureCase {
    const char* what;
    std::int64_t beginRaw;
    const char* frequency;
    double years;
    GrowthResults results;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.what, c.beginRaw, c.frequency, c.years, c.results);
}

class InvestedGrowthFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(InvestedGrowthFailures, TrapShowsMessage3) {
    const FailureCase& c = GetParam();
    CalcState state;
    Calculate(state, Inputs{});
    const Currency chartValue = state.periodData.at(25, 4);
    if (c.results == GrowthResults::ComparisonTotals)
        EmptyPage(state);
    const QString shown = state.results;
    state.inputValues[1] = Currency::fromRaw(c.beginRaw);
    InvestedGrowthTexts texts{"x", "x", c.frequency, "x", "x", "x", "x", c.results};
    state.inputValues[7] = Currency::fromDouble(c.years);
    EXPECT_EQ(InvestedGrowthCalculate(state, texts).messages,
              std::vector<Message>{Message::WrongEntry})
        << c.what;
    EXPECT_EQ(state.results, shown);
    EXPECT_EQ(state.periodData.at(25, 4), chartValue); // the chart still matches the box
    if (c.results == GrowthResults::Complete) {
        EXPECT_TRUE(state.resultsPage.isEmpty());
        EXPECT_EQ(state.comparisonCount, 0);
    } else {
        EXPECT_EQ(LineCount(state.resultsPage), 10);
        EXPECT_EQ(state.comparisonCount, 2); // the option click keeps the count
    }
}

constexpr std::int64_t MaxRaw = std::numeric_limits<std::int64_t>::max();

INSTANTIATE_TEST_SUITE_P(
    Table, InvestedGrowthFailures,
    ::testing::Values(
        FailureCase{"balance plus contribution", MaxRaw, "Annually", 25, GrowthResults::Complete},
        FailureCase{"growth of a huge balance", 9000000000000000000, "Annually", 25,
                    GrowthResults::ComparisonTotals},
        FailureCase{"unknown frequency", 0, "Weekly", 25, GrowthResults::Complete},
        FailureCase{"years beyond a whole number", 0, "Annually", 40000, GrowthResults::Complete},
        FailureCase{"periods beyond a whole number", 0, "Monthly", 3000,
                    GrowthResults::ComparisonTotals},
        FailureCase{"periods beyond the chart table", 0, "Monthly", 42, GrowthResults::Complete}),
    [](const auto& info) { return qmtest::NameOf(info.param.what); });

TEST(InvestedGrowth, OptionClickKeepsTheCountAndHelpRestartsIt) {
    CalcState state;
    const Inputs in{.results = GrowthResults::ComparisonTotals};
    Calculate(state, in);
    Calculate(state, in);
    EmptyPage(state);
    EXPECT_TRUE(state.results.isEmpty() && state.resultsPage.isEmpty());
    EXPECT_EQ(state.comparisonCount, 2);

    ShowHelpPage(state, InvestedGrowthHelpPage(QStringLiteral("$")));
    EXPECT_EQ(state.results, InvestedGrowthHelpPage(QStringLiteral("$")));
    Calculate(state, in);
    EXPECT_EQ(state.comparisonCount, 1);
    EXPECT_EQ(LineCount(state.results), 13);
}

TEST(InvestedGrowth, HelpPageHas48Lines) {
    const QStringList lines = splitLines(InvestedGrowthHelpPage(QStringLiteral("$")));
    ASSERT_EQ(lines.size(), 48);
    const std::set<int> blank{1, 3, 5, 7, 8, 10, 11, 13, 15, 17, 19, 23, 27, 32, 36, 38, 41, 45};
    for (int n = 1; n <= 48; ++n)
        EXPECT_EQ(lines.at(n - 1).isEmpty(), blank.count(n) == 1) << n;
    EXPECT_EQ(lines.at(1), "Example 1  Example 2   Example 3   Example 4");
    EXPECT_EQ(lines.at(5), " 1,000.00        .00    1.000.00         .00");
    EXPECT_EQ(lines.at(11), "       20%        20%         20%        .00%");
    EXPECT_EQ(lines.at(19), "Example 1: Shows future value of $1,000.00");
    EXPECT_EQ(lines.at(33), "value would be of $30,000.00 at a 5% annnual");
    EXPECT_EQ(lines.at(47), "the annual percentage rate.");
}

} // namespace
