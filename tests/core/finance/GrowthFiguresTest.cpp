#include "core/finance/CapitalRequiredFigures.h"
#include "core/finance/CompoundGainFigures.h"
#include "core/finance/InvestedGrowthFigures.h"
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

// ---- After a failure: the error as a value, and the years or periods computed before it kept
// (the screen tests check the common failures through the pages).

struct Failure {
    int error; // the calculator's error enumeration as a number
    std::size_t kept;
};

template <typename Error> int Code(Error e) {
    return static_cast<int>(e);
}

Failure Of(const CompoundGainFigures& f) {
    return {Code(f.error), f.yearValues.size()};
}
Failure Of(const CapitalRequiredFigures& f) {
    return {Code(f.error), f.rows.size()};
}
Failure Of(const InvestedGrowthFigures& f) {
    return {Code(f.error), f.rows.size()};
}

struct FailureCase {
    const char* name;
    Failure (*compute)();
    Failure expected;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.expected.error, c.expected.kept);
}

class FiguresAfterAFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FiguresAfterAFailure, CarryTheErrorAndWhatCameBefore) {
    const Failure f = GetParam().compute();
    EXPECT_EQ(f.error, GetParam().expected.error);
    EXPECT_EQ(f.kept, GetParam().expected.kept);
}

using CG = CompoundGainError;
using CR = CapitalRequiredError;
using IG = InvestedGrowthError;

// clang-format off
INSTANTIATE_TEST_SUITE_P(finance, FiguresAfterAFailure, ::testing::Values(
    FailureCase{"CompoundGain_no_cost", [] { return Of(ComputeCompoundGain({Zero, Units(2000), Units(5)})); }, {Code(CG::MissingNumber), 0}},
    FailureCase{"CompoundGain_value_below_0", [] { return Of(ComputeCompoundGain({Units(1000), Units(-1000), Units(5)})); }, {Code(CG::NotComputable), 0}},
    // Year 1 is computed before the years are made a whole number.
    FailureCase{"CompoundGain_years_beyond_a_whole_number", [] { return Of(ComputeCompoundGain({Units(1000), Units(2000), Units(40000)})); }, {Code(CG::NotComputable), 1}},
    // A year value beyond the amounts is left to the caller that stores it.
    FailureCase{"CompoundGain_year_value_beyond_the_amounts", [] { return Of(ComputeCompoundGain({Units(1000), Units(1000000), Units(0.1)})); }, {Code(CG::None), 1}},
    FailureCase{"CapitalRequired_income_at_0_percent", [] { return Of(ComputeCapitalRequired({Units(40000), Zero, Units(25), CapitalOption::Income})); }, {Code(CR::NotComputable), 0}},
    FailureCase{"CapitalRequired_years_beyond_a_whole_number", [] { return Of(ComputeCapitalRequired({Units(100000), Units(15), Units(40000), CapitalOption::Capital})); }, {Code(CR::NotComputable), 0}},
    FailureCase{"InvestedGrowth_unknown_frequency", [] { return Of(ComputeInvestedGrowth({Zero, Units(1000), F::None, Units(15), Zero, Zero, Units(25)})); }, {Code(IG::NotComputable), 0}},
    // 500 billion grows by half to 750 billion; the next year leaves the amounts.
    FailureCase{"InvestedGrowth_value_beyond_the_amounts", [] { return Of(ComputeInvestedGrowth({Units(5e14), Zero, F::Annually, Units(50), Zero, Zero, Units(2)})); }, {Code(IG::NotComputable), 1}}),
    qmtest::CaseName<FailureCase>);
// clang-format on

} // namespace
