#include "core/finance/PensionGrowthFigures.h"
#include "core/finance/RetiredIncomeFigures.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

namespace qm {
// Errors by name in failure output.
void PrintTo(PensionGrowthError error, std::ostream* os) {
    *os << (error == PensionGrowthError::None ? "None" : "Failed");
}
void PrintTo(RetiredIncomeError error, std::ostream* os) {
    const char* const names[] = {"None", "WithdrawalAboveSavings", "Failed"};
    *os << names[static_cast<int>(error)];
}
} // namespace qm

using namespace qm;

namespace {

// Amounts are compared to the cent: the schedules round every step to ten-thousandths, the
// expected values are the exact sums of the closed forms.
constexpr double Cent = 0.005;
constexpr double NotChecked = -1;

Currency Money(double amount) {
    return Currency::fromDouble(amount);
}

struct PensionCase {
    const char* name;
    double start, salary, employee, company, raise, growth, inflation; // rates in percent
    int years;
    PensionGrowthError error;
    int rows;
    double lastSalary, paidIn, value;
};

void PrintTo(const PensionCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.start, c.salary, c.employee, c.company, c.raise, c.growth,
                        c.inflation, c.years, c.error, c.rows, c.lastSalary, c.paidIn, c.value);
}

class PensionSchedule : public ::testing::TestWithParam<PensionCase> {};

// Closed forms: contributions c = salary x (employee + company) rising by the raise each year;
// with growth g the value after n years is the sum of c_k (1 + g)^(n - k + 1); inflation i
// leaves (1 - i)^n of the balance.
TEST_P(PensionSchedule, FollowsTheClosedForm) {
    const PensionCase& c = GetParam();
    PensionGrowthInputs in;
    in.startBalance = Money(c.start);
    in.salary = Money(c.salary);
    in.employeeRate = c.employee / 100;
    in.companyRate = c.company / 100;
    in.salaryIncrease = c.raise / 100;
    in.growth = static_cast<float>(c.growth / 100);
    in.inflation = c.inflation / 100;
    in.years = c.years;
    const PensionGrowthFigures f = ComputePensionGrowth(in);
    EXPECT_EQ(f.error, c.error);
    ASSERT_EQ(static_cast<int>(f.years.size()), c.rows);
    if (c.error != PensionGrowthError::None)
        return;
    EXPECT_NEAR(f.years.back().salary.toDouble(), c.lastSalary, Cent);
    EXPECT_NEAR(f.paidIn.toDouble(), c.paidIn, Cent);
    EXPECT_NEAR(f.value.toDouble(), c.value, Cent);
    EXPECT_EQ(f.years.back().value, f.value);
    EXPECT_EQ(f.growth, f.value - f.paidIn);
}

INSTANTIATE_TEST_SUITE_P(Known, PensionSchedule,
                         ::testing::Values(
                             // clang-format off
        PensionCase{"ContributionsOnly", 10000, 50000, 5, 5, 0, 0, 0, 10, PensionGrowthError::None, 10, 50000, 60000, 60000},
        PensionCase{"GrowthCompoundsTheContributions", 0, 40000, 4, 4, 0, 10, 0, 3, PensionGrowthError::None, 3, 40000, 9600, 11651.20},
        PensionCase{"InflationShrinksTheBalance", 1000, 0, 0, 0, 0, 0, 10, 2, PensionGrowthError::None, 2, 0, 1000, 810},
        PensionCase{"RaiseLiftsSalaryAndContributions", 0, 10000, 5, 5, 10, 0, 0, 3, PensionGrowthError::None, 3, 12100, 3310, 3310},
        PensionCase{"ZeroYearsStillComputesTheFirst", 0, 40000, 4, 4, 0, 10, 0, 0, PensionGrowthError::None, 1, 40000, 3200, 3520},
        PensionCase{"FirstContributionOutOfRange", 0, 9e14, 90, 90, 0, 0, 0, 1, PensionGrowthError::Failed, 0, 0, 0, 0},
        PensionCase{"DoublingLeavesTheRangeInYearTwo", 3e14, 0, 0, 0, 0, 100, 0, 5, PensionGrowthError::Failed, 1, 0, 0, 0}
                             // clang-format on
                             ),
                         qmtest::CaseName<PensionCase>);

struct RetiredCase {
    const char* name;
    RetiredIncomeOption option;
    double start, growth; // growth in percent
    double third;         // Percentage: the share withdrawn in percent; Fixed: the monthly amount
    double fourth;        // Percentage: the years; Fixed: the yearly increase in percent
    RetiredIncomeError error;
    int rows;
    double lastIncome, totalIncome, finalValue; // NotChecked: left out
};

void PrintTo(const RetiredCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.option, c.start, c.growth, c.third, c.fourth, c.error, c.rows,
                        c.lastIncome, c.totalIncome, c.finalValue);
}

class RetiredSchedule : public ::testing::TestWithParam<RetiredCase> {};

// Closed forms: a share s withdrawn at growth g leaves (1 + g - s)^n of the value; a fixed
// monthly amount at no growth pays out exactly the starting value, the last year taking what
// is left.
TEST_P(RetiredSchedule, FollowsTheClosedForm) {
    const RetiredCase& c = GetParam();
    RetiredIncomeInputs in;
    in.option = c.option;
    in.startValue = Money(c.start);
    in.growth = static_cast<float>(c.growth / 100);
    if (c.option == RetiredIncomeOption::Fixed) {
        in.monthlyAmount = c.third;
        in.increase = c.fourth / 100;
    } else {
        in.withdrawnShare = c.third / 100;
        in.years = static_cast<int>(c.fourth);
    }
    const RetiredIncomeFigures f = ComputeRetiredIncome(in);
    EXPECT_EQ(f.error, c.error);
    ASSERT_EQ(static_cast<int>(f.years.size()), c.rows);
    if (c.error != RetiredIncomeError::None)
        return;
    if (c.rows > 0) {
        EXPECT_NEAR(f.years.back().income.toDouble(), c.lastIncome, Cent);
    }
    EXPECT_NEAR(f.totals.income.toDouble(), c.totalIncome, Cent);
    if (c.finalValue != NotChecked) {
        EXPECT_NEAR(f.totals.value.toDouble(), c.finalValue, Cent);
    }
}

using O = RetiredIncomeOption;
using E = RetiredIncomeError;

INSTANTIATE_TEST_SUITE_P(Known, RetiredSchedule,
                         ::testing::Values(
                             // clang-format off
        RetiredCase{"GrowthMatchesTheShare", O::Percentage, 100000, 10, 10, 3, E::None, 3, 10000, 30000, 100000},
        RetiredCase{"HalfEachYearWithoutGrowth", O::Percentage, 1000, 0, 50, 2, E::None, 2, 250, 750, 250},
        RetiredCase{"ShareAboveTheSavings", O::Percentage, 1000, 0, 150, 5, E::WithdrawalAboveSavings, 0, 0, 0, 0},
        RetiredCase{"NoYears", O::Percentage, 1000, 5, 5, 0, E::None, 0, 0, 0, 0},
        RetiredCase{"FixedRunsOutInTheThirdYear", O::Fixed, 30000, 0, 1000, 0, E::None, 3, 6000, 30000, 0},
        RetiredCase{"RaisedIncomeUsesUpTheCapital", O::Fixed, 100000, 0, 1000, 10, E::None, 7, 7412.68, 100000, 0},
        RetiredCase{"FortyYearsAtMost", O::Fixed, 1000000, 10, 100, 0, E::None, 40, 1200, 48000, NotChecked},
        RetiredCase{"YearsIncomeAboveTheSavings", O::Fixed, 10000, 0, 1000, 0, E::WithdrawalAboveSavings, 0, 0, 0, 0} // clang-format on
                             ),
                         qmtest::CaseName<RetiredCase>);

} // namespace
