#include "core/calculators/CapitalRequired.h"
#include "support/CaseName.h"

#include "support/PageColumns.h"

#include <gtest/gtest.h>

using namespace qm;
using qmtest::splitLines;

namespace {

const CapitalRequiredTexts Texts{QStringLiteral("  $100,000.00"), QStringLiteral(" 15.00%"),
                                 QStringLiteral(" 25")};

CalcOutcome Calculate(CalcState& state, int choice, double amount, double rate, double years) {
    state.calcChoice = choice;
    state.inputValues[1] = Currency::fromDouble(amount);
    state.inputValues[2] = Currency::fromDouble(rate);
    state.inputValues[3] = Currency::fromDouble(years);
    return CapitalRequiredCalculate(state, Texts);
}

// A year row: the fields of the year, the saving, the interest and the value, 3 + 14 + 14 + 14.
QString Row(const char* year, const char* saving, const char* interest, const char* value) {
    return QString::fromLatin1(year).rightJustified(3) +
           QString::fromLatin1(saving).rightJustified(14) +
           QString::fromLatin1(interest).rightJustified(14) +
           QString::fromLatin1(value).rightJustified(14);
}

struct CapitalCase {
    int choice;
    double amount, rate, years;
    std::int64_t savingRaw; // the saving as stored for the chart
    std::int64_t finalRaw;  // the last value: the capital reached
    const char* saving;     // as every row shows it
    const char* year1Interest;
    const char* year1Value;
    const char* year2Interest;
    const char* year2Value;
    const char* totalInvested;
    const char* totalInterest;
    const char* finalValue;
};

void PrintTo(const CapitalCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.choice, c.amount, c.rate, c.years, c.savingRaw, c.finalRaw, c.saving,
                        c.year1Interest, c.year1Value, c.year2Interest, c.year2Value,
                        c.totalInvested, c.totalInterest, c.finalValue);
}

class CapitalRequiredTable : public ::testing::TestWithParam<CapitalCase> {};

TEST_P(CapitalRequiredTable, SavingGrowsToTheCapital) {
    const CapitalCase& c = GetParam();
    CalcState state;
    ASSERT_TRUE(Calculate(state, c.choice, c.amount, c.rate, c.years).messages.empty());
    const int n = static_cast<int>(c.years);
    const QStringList lines = splitLines(state.results);
    ASSERT_EQ(lines.size(), 6 + n + 2 + 1);
    EXPECT_EQ(lines.at(6), Row("1", c.saving, c.year1Interest, c.year1Value));
    EXPECT_EQ(lines.at(7), Row("2", c.saving, c.year2Interest, c.year2Value));
    EXPECT_TRUE(lines.at(5 + n).startsWith(Row("25", c.saving, "", "").left(17)));
    EXPECT_TRUE(lines.at(5 + n).endsWith(Row("", "", "", c.finalValue).right(14)));
    EXPECT_EQ(lines.at(7 + n),
              "Tot" + Row("", c.totalInvested, c.totalInterest, c.finalValue).mid(3));
    EXPECT_EQ(state.periodData.at(1, 2).raw(), c.savingRaw);
    EXPECT_EQ(state.periodData.at(n, 4).raw(), c.finalRaw);
    EXPECT_EQ(state.periodData.at(n + 1, 4).raw(), c.finalRaw);
    EXPECT_EQ(state.periodData.at(n + 1, 1), Currency::fromUnits(n + 1));
    EXPECT_EQ(state.chartPoints, n);
    EXPECT_EQ(state.chartKind, ChartKind::CapitalRequired);
    EXPECT_EQ(state.chartTitle, "Growth in capital required over ");
}

// Options 0 and 1 with the tab's defaults (15 %) and with the help examples (20 %); option 1's
// capital is the income at the rate: 266,666.6667 and 200,000.
INSTANTIATE_TEST_SUITE_P(
    DefaultsAndHelpExamples, CapitalRequiredTable,
    ::testing::Values(
        CapitalCase{0, 100000, 15, 25, 4086437, 1000000000, "408.64", "61.30", "469.94", "131.79",
                    "1,010.37", "10,216.09", "89,783.91", "100,000.00"},
        CapitalCase{2, 40000, 15, 25, 10897165, 2666666667, "1,089.72", "163.46", "1,253.17",
                    "351.43", "2,694.32", "27,242.91", "239,423.75", "266,666.67"},
        CapitalCase{0, 100000, 20, 25, 1765607, 1000000000, "176.56", "35.31", "211.87", "77.69",
                    "466.12", "4,414.02", "95,585.98", "100,000.00"},
        CapitalCase{2, 40000, 20, 25, 3531215, 2000000000, "353.12", "70.62", "423.75", "155.37",
                    "932.24", "8,828.04", "191,171.96", "200,000.00"}),
    [](const auto& info) {
        return qmtest::NameOf("Option", info.param.choice, info.param.amount, "at", info.param.rate,
                              "for", info.param.years);
    });

TEST(CapitalRequired, TwoYearPageLineByLine) {
    CalcState state;
    state.resultsPage = QStringLiteral("an earlier page\r\n");
    state.startNewPage = 1;
    state.inputValues[1] = Currency::fromUnits(100000);
    state.inputValues[2] = Currency::fromUnits(15);
    state.inputValues[3] = Currency::fromUnits(2);
    const CapitalRequiredTexts texts{"  $100,000.00", " 15.00%", "  2"};
    ASSERT_TRUE(CapitalRequiredCalculate(state, texts).messages.empty());
    const QStringList expected{
        "Amount of capital required:  $100,000.00",
        "Annual interest/growth rate:       15.00%",
        "Number of years:                       2",
        "",
        "Year     Invested    Int/Growth         Value",
        "_____________________________________________",
        "  1     40,444.89      6,066.73     46,511.63",
        "  2     40,444.89     13,043.48    100,000.00",
        "_____________________________________________",
        "Tot     80,889.79     19,110.21    100,000.00",
        "",
    };
    EXPECT_EQ(splitLines(state.results), expected);
    EXPECT_EQ(state.resultsPage, state.results);
    EXPECT_EQ(state.startNewPage, 0);
    // Year 1 shows its interest as computed, later years rounded to whole cents.
    EXPECT_EQ(state.periodData.at(1, 3).raw(), 60667341);
    EXPECT_EQ(state.periodData.at(2, 3).raw(), 130434800);

    state.calcChoice = 2;
    CapitalRequiredCalculate(state, texts);
    EXPECT_TRUE(state.results.startsWith("Annual income required:      $100,000.00\r\n"));
}

struct FailureCase {
    int choice;
    double amount, rate, years;
    int linesKept; // page lines (each ended) left by the failed attempt
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.choice, c.amount, c.rate, c.years, c.linesKept);
}

class CapitalRequiredFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(CapitalRequiredFailures, TrapKeepsTheBoxAndTheChart) {
    const FailureCase& c = GetParam();
    CalcState state;
    Calculate(state, 0, 100000, 15, 25);
    const QString shown = state.results;
    EXPECT_EQ(Calculate(state, c.choice, c.amount, c.rate, c.years).messages,
              std::vector<Message>{Message::WrongEntry});
    EXPECT_EQ(state.resultsPage.count(QStringLiteral("\r\n")), c.linesKept);
    EXPECT_TRUE(state.resultsPage.startsWith(c.choice == 2 ? "Annual income" : "Amount of"));
    EXPECT_EQ(state.results, shown);
    // The chart still describes the table the box shows.
    EXPECT_EQ(state.chartPoints, 25);
    EXPECT_EQ(state.periodData.at(1, 2).raw(), 4086437);
    EXPECT_EQ(state.periodData.at(26, 4).raw(), 1000000000);
}

INSTANTIATE_TEST_SUITE_P(
    ZeroRateOrYearsOrOutOfRange, CapitalRequiredFailures,
    ::testing::Values(FailureCase{0, 100000, 0, 25, 6}, FailureCase{2, 40000, 0, 25, 6},
                      FailureCase{0, 100000, 15, 0, 6}, FailureCase{2, 40000, 15, 0, 6},
                      FailureCase{0, 100000, 1e13, 40, 6},   // the power overflows
                      FailureCase{2, 9e14, 0.0001, 25, 6},   // the saving leaves the amounts
                      FailureCase{0, 100000, 15, 600, 506}), // year 501 has no chart row
    [](const auto& info) {
        return qmtest::NameOf("Option", info.param.choice, info.param.amount, "at", info.param.rate,
                              "for", info.param.years);
    });

TEST(CapitalRequired, HelpPagesByOption) {
    const QString euro = QStringLiteral("EUR ");
    const QStringList capital = splitLines(CapitalRequiredHelpPage(euro, CapitalOption::Capital));
    const QStringList income = splitLines(CapitalRequiredHelpPage(euro, CapitalOption::Income));

    ASSERT_EQ(capital.size(), 20);
    ASSERT_EQ(income.size(), 20);
    EXPECT_EQ(capital.at(0), "    Amount of Capital Required Option");
    EXPECT_EQ(capital.at(4), "100,000.00");
    EXPECT_EQ(capital.at(7), "        20%");
    EXPECT_EQ(capital.at(10), "         25");
    EXPECT_EQ(capital.at(17), "build your capital to EUR 100,000.00.");
    EXPECT_EQ(income.at(0), "    Annual Income Required Option");
    EXPECT_EQ(income.at(4), "40,000.00");
    EXPECT_EQ(income.at(7), "       20%");
    EXPECT_EQ(income.at(10), "        25");
    EXPECT_EQ(income.at(17), "give an annual income of $40,000.00.");
    for (int blank : {1, 2, 3, 5, 6, 8, 9, 11, 12, 13, 18, 19}) {
        EXPECT_EQ(capital.at(blank), "") << blank;
        EXPECT_EQ(income.at(blank), "") << blank;
    }

    CalcState state;
    ShowHelpPage(state, CapitalRequiredHelpPage(QStringLiteral("$"), CapitalOption::Income));
    EXPECT_EQ(state.startNewPage, 1);
    EXPECT_EQ(state.results, CapitalRequiredHelpPage(QStringLiteral("$"), CapitalOption::Income));
    EmptyPage(state);
    EXPECT_TRUE(state.results.isEmpty());
    EXPECT_TRUE(state.resultsPage.isEmpty());
}

} // namespace
