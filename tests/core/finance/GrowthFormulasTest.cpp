#include "core/finance/GrowthFormulas.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

using namespace qm;

namespace {

// Expected values are the closed forms worked out with Python's decimal module at 40 digits
// (x ^ (1 / n) taken as exp(ln(x) / n)), cut to 18 significant digits; the formulas must meet
// them to 12 digits.
struct FormulaCase {
    const char* name;
    double (*formula)();
    double expected;
};

void PrintTo(const FormulaCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.expected);
}

class GrowthFormulas : public ::testing::TestWithParam<FormulaCase> {};

TEST_P(GrowthFormulas, MeetTheClosedForm) {
    const FormulaCase& c = GetParam();
    const double tolerance = 1e-12 * std::max(1.0, std::fabs(c.expected));
    EXPECT_NEAR(c.formula(), c.expected, tolerance);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(finance, GrowthFormulas, ::testing::Values(
    // 2 ^ (1/5) - 1, 8 ^ (1/20) - 1, 0.5 ^ (1/5) - 1, 3 ^ (1/4) - 1
    FormulaCase{"AnnualRate_doubled_in_5_years", [] { return AnnualCompoundRate(1000, 2000, 5); }, 0.148698354997035007},
    FormulaCase{"AnnualRate_eightfold_in_20_years", [] { return AnnualCompoundRate(25000, 200000, 20); }, 0.109569472067845008},
    FormulaCase{"AnnualRate_halved_in_5_years", [] { return AnnualCompoundRate(2000, 1000, 5); }, -0.129449436703875861},
    FormulaCase{"AnnualRate_tripled_in_4_years", [] { return AnnualCompoundRate(1, 3, 4); }, 0.316074012952492461},
    FormulaCase{"AnnualRate_fractional_years", [] { return AnnualCompoundRate(100, 121, 0.5); }, 0.4641},
    // (value - cost) / cost
    FormulaCase{"TotalGain_doubled", [] { return TotalGainRate(Currency::fromUnits(1000), Currency::fromUnits(2000)); }, 1.0},
    FormulaCase{"TotalGain_cents", [] { return TotalGainRate(Currency::fromDouble(2.38), Currency::fromDouble(5.14)); }, 1.15966386554621849},
    // amount (1 + rate)
    FormulaCase{"GrownOnePeriod_5_percent", [] { return GrownOnePeriod(1000, 0.05); }, 1050.0},
    // (1 + p / 100) ^ (1 / n) - 1
    FormulaCase{"PeriodicRate_12_percent_monthly", [] { return PeriodicRate(Currency::fromUnits(12), 12); }, 0.00948879293458297413},
    FormulaCase{"PeriodicRate_15_percent_quarterly", [] { return PeriodicRate(Currency::fromUnits(15), 4); }, 0.0355580763416221025},
    FormulaCase{"PeriodicRate_0_percent_monthly", [] { return PeriodicRate(Currency(), 12); }, 0.0},
    FormulaCase{"PeriodicRate_all_lost", [] { return PeriodicRate(Currency::fromUnits(-100), 4); }, -1.0},
    // 100 / p x income
    FormulaCase{"CapitalForIncome_15_percent", [] { return CapitalForIncome(40000, 15); }, 266666.666666666667},
    FormulaCase{"CapitalForIncome_20_percent", [] { return CapitalForIncome(40000, 20); }, 200000.0},
    // capital r / ((1 + r) ((1 + r) ^ n - 1))
    FormulaCase{"LevelSaving_15_percent_25_years", [] { return LevelSavingForCapital(100000, 0.15, 25); }, 408.643680017953944},
    FormulaCase{"LevelSaving_15_percent_2_years", [] { return LevelSavingForCapital(100000, 0.15, 2); }, 40444.8938321536906},
    FormulaCase{"LevelSaving_8_percent_10_years", [] { return LevelSavingForCapital(50000, 0.08, 10); }, 3195.80966190164016},
    // Int(100 x + 0.5) / 100: halves go up, below 0 too
    FormulaCase{"HalfUpToCents_down", [] { return HalfUpToCents(6066.73409); }, 6066.73},
    FormulaCase{"HalfUpToCents_up", [] { return HalfUpToCents(13043.4799); }, 13043.48},
    FormulaCase{"HalfUpToCents_half", [] { return HalfUpToCents(0.125); }, 0.13},
    FormulaCase{"HalfUpToCents_negative_half", [] { return HalfUpToCents(-0.125); }, -0.12}),
    qmtest::CaseName<FormulaCase>);
// clang-format on

const Currency Largest = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());

struct FailureCase {
    const char* name;
    double (*formula)();
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name);
}

class GrowthFormulaFailures : public ::testing::TestWithParam<FailureCase> {};

TEST_P(GrowthFormulaFailures, ThrowCalcError) {
    EXPECT_THROW(GetParam().formula(), CalcError);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(finance, GrowthFormulaFailures, ::testing::Values(
    FailureCase{"AnnualRate_negative_value", [] { return AnnualCompoundRate(1000, -1000, 5); }},
    FailureCase{"AnnualRate_zero_cost", [] { return AnnualCompoundRate(0, 1000, 5); }},
    FailureCase{"AnnualRate_zero_years", [] { return AnnualCompoundRate(1000, 2000, 0); }},
    FailureCase{"AnnualRate_beyond_a_double", [] { return AnnualCompoundRate(1e-300, 1e300, 0.5); }},
    FailureCase{"TotalGain_zero_cost", [] { return TotalGainRate(Currency(), Currency::fromUnits(5)); }},
    FailureCase{"GrownOnePeriod_beyond_a_double", [] { return GrownOnePeriod(1e300, 1e10); }},
    FailureCase{"PeriodicRate_no_periods", [] { return PeriodicRate(Currency::fromUnits(5), 0); }},
    FailureCase{"PeriodicRate_no_real_root", [] { return PeriodicRate(Currency::fromUnits(-200), 12); }},
    FailureCase{"CapitalForIncome_zero_rate", [] { return CapitalForIncome(40000, 0); }},
    FailureCase{"LevelSaving_zero_rate", [] { return LevelSavingForCapital(100000, 0, 25); }},
    FailureCase{"LevelSaving_zero_years", [] { return LevelSavingForCapital(100000, 0.15, 0); }},
    FailureCase{"LevelSaving_power_beyond_a_double", [] { return LevelSavingForCapital(100000, 1e11, 40); }},
    FailureCase{"RaisedBy_beyond_the_amounts", [] { return RaisedBy(Largest, 0.5).toDouble(); }},
    FailureCase{"ReducedBy_beyond_the_amounts", [] { return ReducedBy(Largest, -0.5).toDouble(); }}),
    qmtest::CaseName<FailureCase>);
// clang-format on

struct AmountCase {
    const char* name;
    Currency (*formula)();
    std::int64_t expectedRaw; // ten-thousandths
};

void PrintTo(const AmountCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.expectedRaw);
}

class GrowthAmounts : public ::testing::TestWithParam<AmountCase> {};

TEST_P(GrowthAmounts, RoundTheChangeToTenThousandths) {
    EXPECT_EQ(GetParam().formula().raw(), GetParam().expectedRaw);
}

// Worked by hand: the change is amount x rate to the nearest ten-thousandth.
// clang-format off
INSTANTIATE_TEST_SUITE_P(finance, GrowthAmounts, ::testing::Values(
    AmountCase{"RaisedBy_5_percent", [] { return RaisedBy(Currency::fromUnits(1050), 0.05); }, 11025000},  // 1,050 + 52.5
    AmountCase{"RaisedBy_rounds_the_raise", [] { return RaisedBy(Currency::fromRaw(1234567), 0.1); }, 1358024}, // 123.4567 + 12.3457
    AmountCase{"ReducedBy_5_percent", [] { return ReducedBy(Currency::fromUnits(30000), 0.05); }, 285000000}, // 30,000 - 1,500
    AmountCase{"ReducedBy_rounds_the_deduction", [] { return ReducedBy(Currency::fromUnits(100), 0.123456); }, 876544}, // 100 - 12.3456
    AmountCase{"ReducedBy_below_zero", [] { return ReducedBy(Currency::fromUnits(-200), 0.5); }, -1000000}),
    qmtest::CaseName<AmountCase>);
// clang-format on

} // namespace
