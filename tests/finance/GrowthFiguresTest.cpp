#include "finance/CapitalRequiredFigures.h"
#include "finance/CompoundGainFigures.h"
#include "finance/InvestedGrowthFigures.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

using namespace qm;

namespace {

Currency Units(double units) {
    return Currency::fromDouble(units);
}

// ---- Compound gain: the year values against cost x (value / cost) ^ (n / years), worked out
// with Python's decimal module and cut to whole units. Compounding the rate year by year can
// leave the last year a hair below the value typed, one unit short once cut.

struct YearValuesCase {
    const char* name;
    double cost, value, years;
    std::vector<std::int64_t> units; // years 1, 2, ...
};

void PrintTo(const YearValuesCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.cost, c.value, c.years, c.units);
}

class CompoundGainYears : public ::testing::TestWithParam<YearValuesCase> {};

TEST_P(CompoundGainYears, FollowTheClosedForm) {
    const YearValuesCase& c = GetParam();
    const CompoundGainFigures f =
        ComputeCompoundGain({Units(c.cost), Units(c.value), Units(c.years)});
    ASSERT_EQ(f.error, CompoundGainError::None);
    ASSERT_EQ(f.yearValues.size(), c.units.size());
    for (std::size_t i = 0; i + 1 < c.units.size(); ++i)
        EXPECT_EQ(f.yearValues[i], static_cast<double>(c.units[i])) << "year " << i + 1;
    const auto last = static_cast<std::int64_t>(f.yearValues.back());
    EXPECT_TRUE(last == c.units.back() || last == c.units.back() - 1) << last;
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(finance, CompoundGainYears, ::testing::Values(
    YearValuesCase{"Tripled_in_4_years", 1000, 3000, 4, {1316, 1732, 2279, 3000}},
    YearValuesCase{"Halved_in_5_years", 2000, 1000, 5, {1741, 1515, 1319, 1148, 1000}},
    YearValuesCase{"Up_140_percent_in_6_years", 5000, 12000, 6, {5785, 6694, 7745, 8962, 10370, 12000}},
    YearValuesCase{"Down_20_percent_in_4_years", 1000, 800, 4, {945, 894, 845, 800}},
    YearValuesCase{"Less_than_a_year", 1000, 1100, 0.5, {1210}}),
    qmtest::CaseName<YearValuesCase>);
// clang-format on

struct CompoundErrorCase {
    const char* name;
    double cost, value, years;
    CompoundGainError error;
    std::size_t yearsKept;
};

void PrintTo(const CompoundErrorCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.cost, c.value, c.years, c.error, c.yearsKept);
}

class CompoundGainErrors : public ::testing::TestWithParam<CompoundErrorCase> {};

TEST_P(CompoundGainErrors, ComeAsValues) {
    const CompoundErrorCase& c = GetParam();
    const CompoundGainFigures f =
        ComputeCompoundGain({Units(c.cost), Units(c.value), Units(c.years)});
    EXPECT_EQ(f.error, c.error);
    EXPECT_EQ(f.yearValues.size(), c.yearsKept);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(finance, CompoundGainErrors, ::testing::Values(
    CompoundErrorCase{"No_cost", 0, 2000, 5, CompoundGainError::MissingNumber, 0},
    CompoundErrorCase{"No_value", 1000, 0, 5, CompoundGainError::MissingNumber, 0},
    CompoundErrorCase{"No_years", 1000, 2000, 0, CompoundGainError::MissingNumber, 0},
    CompoundErrorCase{"Value_below_0", 1000, -1000, 5, CompoundGainError::NotComputable, 0},
    CompoundErrorCase{"Cost_below_0", -1000, 1000, 5, CompoundGainError::NotComputable, 0},
    // A year value beyond the amounts is left to the caller that stores it.
    CompoundErrorCase{"Year_value_beyond_the_amounts", 1000, 1000000, 0.1, CompoundGainError::None, 1},
    // Year 1 is computed before the years are made a whole number.
    CompoundErrorCase{"Years_beyond_a_whole_number", 1000, 2000, 40000, CompoundGainError::NotComputable, 1}),
    qmtest::CaseName<CompoundErrorCase>);
// clang-format on

// ---- Capital required: the level saving at the start of each year grows to the capital.
// Expected amounts from Python's decimal module: saving s = C r / ((1 + r) ((1 + r) ^ n - 1)),
// year 1 interest s r and balance s (1 + r), totals n s and C - n s, all to the nearest
// ten-thousandth.

struct CapitalCase {
    const char* name;
    CapitalOption option;
    double amount, ratePercent;
    int years;
    std::int64_t savingRaw, year1InterestRaw, year1ValueRaw, capitalRaw, savedRaw, earnedRaw;
};

void PrintTo(const CapitalCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.option, c.amount, c.ratePercent, c.years, c.savingRaw,
                        c.year1InterestRaw, c.year1ValueRaw, c.capitalRaw, c.savedRaw, c.earnedRaw);
}

class CapitalRequiredYears : public ::testing::TestWithParam<CapitalCase> {};

TEST_P(CapitalRequiredYears, SavingGrowsToTheCapital) {
    const CapitalCase& c = GetParam();
    const CapitalRequiredFigures f = ComputeCapitalRequired(
        {Units(c.amount), Units(c.ratePercent), Currency::fromUnits(c.years), c.option});
    ASSERT_EQ(f.error, CapitalRequiredError::None);
    EXPECT_EQ(f.years, c.years);
    ASSERT_EQ(f.rows.size(), static_cast<std::size_t>(c.years));
    for (const GrowthRow& row : f.rows)
        EXPECT_EQ(row.paidIn.raw(), c.savingRaw) << "year " << row.number;
    EXPECT_EQ(f.rows.front().growth.raw(), c.year1InterestRaw);
    EXPECT_EQ(f.rows.front().value.raw(), c.year1ValueRaw);
    EXPECT_EQ(f.rows.back().value.raw(), c.capitalRaw);
    EXPECT_EQ(f.totals.number, c.years + 1);
    EXPECT_EQ(f.totals.paidIn.raw(), c.savedRaw);
    EXPECT_EQ(f.totals.growth.raw(), c.earnedRaw);
    EXPECT_EQ(f.totals.value.raw(), c.capitalRaw);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(finance, CapitalRequiredYears, ::testing::Values(
    CapitalCase{"Capital_50000_at_8_for_10", CapitalOption::Capital, 50000, 8, 10, 31958097, 2556648, 34514744, 500000000, 319580966, 180419034},
    // An income of 5,000 at 5 % needs a capital of 100,000.
    CapitalCase{"Income_5000_at_5_for_10", CapitalOption::Income, 5000, 5, 10, 75718643, 3785932, 79504575, 1000000000, 757186428, 242813572},
    CapitalCase{"Capital_1000_at_10_for_1", CapitalOption::Capital, 1000, 10, 1, 9090909, 909091, 10000000, 10000000, 9090909, 909091}),
    qmtest::CaseName<CapitalCase>);
// clang-format on

struct CapitalErrorCase {
    const char* name;
    CapitalOption option;
    double amount, ratePercent, years;
};

void PrintTo(const CapitalErrorCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.option, c.amount, c.ratePercent, c.years);
}

class CapitalRequiredErrors : public ::testing::TestWithParam<CapitalErrorCase> {};

TEST_P(CapitalRequiredErrors, ComeAsValues) {
    const CapitalErrorCase& c = GetParam();
    const CapitalRequiredFigures f =
        ComputeCapitalRequired({Units(c.amount), Units(c.ratePercent), Units(c.years), c.option});
    EXPECT_EQ(f.error, CapitalRequiredError::NotComputable);
    EXPECT_TRUE(f.rows.empty());
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(finance, CapitalRequiredErrors, ::testing::Values(
    CapitalErrorCase{"Capital_at_0_percent", CapitalOption::Capital, 100000, 0, 25},
    CapitalErrorCase{"Income_at_0_percent", CapitalOption::Income, 40000, 0, 25},
    CapitalErrorCase{"No_years", CapitalOption::Capital, 100000, 15, 0},
    CapitalErrorCase{"Years_beyond_a_whole_number", CapitalOption::Capital, 100000, 15, 40000},
    CapitalErrorCase{"Saving_beyond_the_amounts", CapitalOption::Income, 9e14, 0.0001, 25}),
    qmtest::CaseName<CapitalErrorCase>);
// clang-format on

// ---- Invested growth: closed forms of single effects. Without growth or inflation the value is
// what was paid in; a contribution raised 5 % a year is 100, 105, 110.25, 115.7625; growth or
// inflation at the periodic rate of an annual percentage compounds to that percentage in a
// year: 1,000 at 10 % grows to 1,100.00 a year on and to 1,331.00 three years on, and 1,000
// less the monthly rate of 12 % each month is 1,000 (2 - 1.12 ^ (1/12)) ^ 12 = 891.8929 after a
// year (decimal module). The growth rate is held in single precision, so values are compared
// to the cent.

struct GrowthCase {
    const char* name;
    InvestedGrowthInputs in;
    std::size_t periods;
    double paidIn, value; // the totals
};

void PrintTo(const GrowthCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.periods, c.paidIn, c.value);
}

class InvestedGrowthTotals : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(InvestedGrowthTotals, MeetTheClosedForm) {
    const GrowthCase& c = GetParam();
    const InvestedGrowthFigures f = ComputeInvestedGrowth(c.in);
    ASSERT_EQ(f.error, InvestedGrowthError::None);
    ASSERT_EQ(f.rows.size(), c.periods);
    EXPECT_EQ(f.periodsPerYear, static_cast<int>(c.in.frequency));
    EXPECT_EQ(f.totals.number, static_cast<int>(c.periods));
    EXPECT_NEAR(f.totals.paidIn.toDouble(), c.paidIn, 0.005);
    EXPECT_NEAR(f.totals.value.toDouble(), c.value, 0.005);
    EXPECT_EQ(f.totals.growth, f.totals.value - f.totals.paidIn);
    EXPECT_EQ(f.rows.back().value, f.totals.value);
}

using F = ContributionFrequency;
const Currency Zero;

// clang-format off
INSTANTIATE_TEST_SUITE_P(finance, InvestedGrowthTotals, ::testing::Values(
    GrowthCase{"Contributions_only_monthly", {Units(500), Units(100), F::Monthly, Zero, Zero, Zero, Units(2)}, 24, 2900, 2900},
    GrowthCase{"Contribution_raised_5_percent", {Zero, Units(100), F::Annually, Zero, Units(5), Zero, Units(4)}, 4, 431.0125, 431.0125},
    GrowthCase{"Growth_10_percent_quarterly", {Units(1000), Zero, F::Quarterly, Units(10), Zero, Zero, Units(1)}, 4, 1000, 1100},
    GrowthCase{"Growth_10_percent_for_3_years", {Units(1000), Zero, F::Annually, Units(10), Zero, Zero, Units(3)}, 3, 1000, 1331},
    GrowthCase{"Inflation_12_percent_monthly", {Units(1000), Zero, F::Monthly, Zero, Zero, Units(12), Units(1)}, 12, 1000, 891.8929}),
    qmtest::CaseName<GrowthCase>);
// clang-format on

struct GrowthErrorCase {
    const char* name;
    InvestedGrowthInputs in;
    std::size_t periodsKept;
};

void PrintTo(const GrowthErrorCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.periodsKept);
}

class InvestedGrowthErrors : public ::testing::TestWithParam<GrowthErrorCase> {};

TEST_P(InvestedGrowthErrors, ComeAsValuesWithThePeriodsBefore) {
    const GrowthErrorCase& c = GetParam();
    const InvestedGrowthFigures f = ComputeInvestedGrowth(c.in);
    EXPECT_EQ(f.error, InvestedGrowthError::NotComputable);
    EXPECT_EQ(f.rows.size(), c.periodsKept);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(finance, InvestedGrowthErrors, ::testing::Values(
    GrowthErrorCase{"Unknown_frequency", {Zero, Units(1000), F::None, Units(15), Zero, Zero, Units(25)}, 0},
    GrowthErrorCase{"Years_beyond_a_whole_number", {Zero, Units(1000), F::Annually, Units(15), Zero, Zero, Units(40000)}, 0},
    GrowthErrorCase{"Periods_beyond_a_whole_number", {Zero, Units(1000), F::Monthly, Units(15), Zero, Zero, Units(3000)}, 0},
    // 500 billion grows by half to 750 billion; the next year leaves the amounts.
    GrowthErrorCase{"Value_beyond_the_amounts", {Units(5e14), Zero, F::Annually, Units(50), Zero, Zero, Units(2)}, 1}),
    qmtest::CaseName<GrowthErrorCase>);
// clang-format on

} // namespace
