#include "core/finance/MortgageFigures.h"
#include "support/CaseName.h"

#include <cmath>
#include <gtest/gtest.h>

namespace qm {
// Faults by name in failure output.
void PrintTo(MortgageFault fault, std::ostream* os) {
    const char* const names[] = {"None", "Failed", "PaymentTooSmall", "PaymentTooLarge"};
    *os << names[static_cast<int>(fault)];
}
} // namespace qm

using namespace qm;

namespace {

using S = MortgageSolveFor;
using F = PaymentFrequency;
using Fault = MortgageFault;

// 6.5 % compounded monthly, 365 days a year unless the row says otherwise.
struct MortgageCase {
    const char* name;
    S solveFor;
    double principal, years, payment;
    int compoundings;
    F frequency;
    double biweeklyPeriods;
    Fault fault;
    bool found, begun;
    double solved;              // the quantity solved for (when found)
    double acceleratedInterest; // when the solve went through
};

void PrintTo(const MortgageCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.solveFor, c.principal, c.years, c.payment, c.compoundings,
                        c.frequency, c.biweeklyPeriods, c.fault, c.found, c.begun, c.solved,
                        c.acceleratedInterest);
}

class MortgageFigure : public ::testing::TestWithParam<MortgageCase> {};

// A failed solve says why as a value and how far it got: whether the quantity was found (its
// box then shows it) and whether the accelerated block had begun (its days caption then
// changes). Expected amounts from python3 with the rate rounded to single precision
// (struct.pack('f', 0.065)) and the closed forms of LoanFormulasTest.
TEST_P(MortgageFigure, ReportsItsFaultAndHowFarItGot) {
    const MortgageCase& c = GetParam();
    MortgageInputs in;
    in.solveFor = c.solveFor;
    in.principal = c.principal;
    in.annualRatePercent = 6.5;
    in.years = c.years;
    in.monthlyPayment = c.payment;
    in.compoundingsPerYear = c.compoundings;
    in.frequency = c.frequency;
    in.biweeklyPeriodsPerYear = c.biweeklyPeriods;
    in.weeklyPeriodsPerYear = 52.14285714;
    const MortgageFigures f = ComputeMortgage(in);
    EXPECT_EQ(f.fault, c.fault);
    EXPECT_EQ(f.quantityFound, c.found);
    EXPECT_EQ(f.acceleratedBegun, c.begun);
    if (c.found) {
        const double solved = c.solveFor == S::Payment ? f.monthlyPayment
                              : c.solveFor == S::Years ? f.years
                                                       : f.principal;
        EXPECT_NEAR(solved, c.solved, std::fabs(c.solved) * 1e-11);
    }
    if (c.fault == Fault::None) {
        EXPECT_NEAR(f.acceleratedInterest, c.acceleratedInterest, c.acceleratedInterest * 1e-10);
        EXPECT_NEAR(f.interestSaved, f.totalInterest - f.acceleratedInterest, 1e-9);
    }
}

constexpr double Days365 = 26.07142857;

INSTANTIATE_TEST_SUITE_P(
    Known, MortgageFigure,
    ::testing::Values(
        // clang-format off
        MortgageCase{"PaymentMonthly", S::Payment, 100000, 25, 0, 12, F::Monthly, Days365,
                     Fault::None, true, true, 675.2071464497011, 102562.14393491033},
        MortgageCase{"PaymentBiweeklyAccelerated", S::Payment, 100000, 25, 0, 12, F::BiweeklyAccelerated, Days365,
                     Fault::None, true, true, 675.2071464497011, 81557.27239709461},
        MortgageCase{"YearsOf800", S::Years, 100000, 0, 800, 12, F::Monthly, Days365,
                     Fault::None, true, true, 17.43722445180634, 67397.35473734085},
        MortgageCase{"PaymentWithoutPrincipal", S::Payment, 0, 25, 0, 12, F::Monthly, Days365,
                     Fault::Failed, false, false, 0, 0},
        MortgageCase{"PrincipalWithoutPayment", S::Principal, 0, 25, 0, 12, F::Monthly, Days365,
                     Fault::Failed, false, false, 0, 0},
        MortgageCase{"UnknownCompounding", S::Payment, 100000, 25, 0, 0, F::Monthly, Days365,
                     Fault::Failed, false, false, 0, 0},
        MortgageCase{"UnknownFrequency", S::Payment, 100000, 25, 0, 12, F::Unknown, Days365,
                     Fault::Failed, false, false, 0, 0},
        // 541.67 a month is the interest alone.
        MortgageCase{"YearsPaymentBelowInterest", S::Years, 100000, 0, 500, 12, F::Monthly, Days365,
                     Fault::PaymentTooSmall, false, false, 0, 0},
        MortgageCase{"YearsBeyond40", S::Years, 100000, 0, 560, 12, F::Monthly, Days365,
                     Fault::PaymentTooSmall, false, false, 0, 0},
        MortgageCase{"YearsPaymentNotBelowPrincipal", S::Years, 1000, 0, 1000, 12, F::Monthly, Days365,
                     Fault::PaymentTooLarge, false, false, 0, 0},
        // One period a year makes the period's interest larger than the payment: the solve
        // fails in the accelerated block, after the quantity was found.
        MortgageCase{"AcceleratedFailsAfterPayment", S::Payment, 100000, 25, 0, 12, F::TwoWeeks, 1,
                     Fault::Failed, true, true, 675.2071464497011, 0},
        MortgageCase{"AcceleratedFailsAfterYears", S::Years, 100000, 0, 800, 12, F::TwoWeeks, 1,
                     Fault::PaymentTooSmall, true, true, 17.43722445180634, 0} // clang-format on
        ),
    qmtest::CaseName<MortgageCase>);

} // namespace
