#include "core/finance/MortgageFigures.h"

#include "core/finance/CheckedMath.h"
#include "core/finance/LoanFormulas.h"

#include <cmath>
#include <limits>

namespace qm {

namespace {

// The annual rate as a fraction, held in single precision: its rounding shows in the last cents.
double AnnualRate(double percent) {
    const double wide = Divide(percent, 100);
    if (std::fabs(wide) > std::numeric_limits<float>::max())
        throw OverflowError("rate overflow");
    return static_cast<float>(wide);
}

// The steps of the solve; a CalcError from any of them ends it with what `figures` holds. From
// the point where only the payment can be at fault, `fault` names it.
void Solve(const MortgageInputs& in, MortgageFigures& figures, MortgageFault& fault) {
    double p = in.principal;
    double y = in.years;
    double m = in.monthlyPayment;

    const double rate = AnnualRate(in.annualRatePercent);
    figures.monthlyRate = PeriodicRate(rate, in.compoundingsPerYear, 12);
    const FrequencyTerms terms = FrequencyTermsOf(in, 0);
    figures.paymentsPerYear = terms.paymentsPerYear;
    figures.periodRate = PeriodicRate(rate, in.compoundingsPerYear, terms.periodsPerYear);

    const double monthly = figures.monthlyRate;
    switch (in.solveFor) {
    case MortgageSolveFor::Payment:
        m = LevelPayment(monthly, Mul(12, y), p);
        if (p == 0)
            throw CalcError("no principal");
        break;
    case MortgageSolveFor::Principal:
        p = PrincipalRepaid(monthly, Mul(12, y), m);
        if (m == 0)
            throw CalcError("no payment");
        break;
    case MortgageSolveFor::Years:
        // From here on every failure means the payment cannot repay the loan in time.
        fault = MortgageFault::PaymentTooSmall;
        y = YearsToRepay(monthly, 12, p, m);
        if (y > 40.004)
            throw CalcError("over 40 years");
        if (m >= p) {
            fault = MortgageFault::PaymentTooLarge;
            throw CalcError("payment not below principal");
        }
        break;
    }
    figures.quantityFound = true;
    figures.principal = p;
    figures.years = y;
    figures.monthlyPayment = m;

    const double ci = TotalInterest(12, y, m, p);
    figures.totalInterest = ci;

    figures.acceleratedBegun = true;
    if (in.frequency == PaymentFrequency::Monthly) {
        figures.acceleratedYears = y;
        figures.acceleratedPayment = m;
        figures.interestSaved = 0.0;
        figures.acceleratedInterest = ci;
        return;
    }
    const int n = figures.paymentsPerYear;
    const double a = FrequencyTermsOf(in, m).payment;
    const double r = figures.periodRate;
    const double years = YearsToRepay(r, n, p, a);
    const double level = LevelPayment(r, Mul(n, years), p);
    const double interest = TotalInterest(n, years, level, p);
    figures.acceleratedYears = years;
    figures.acceleratedPayment = a;
    figures.interestSaved = Sub(ci, interest);
    figures.acceleratedInterest = interest;
}

} // namespace

FrequencyTerms FrequencyTermsOf(const MortgageInputs& inputs, double monthlyPayment) {
    const double m = monthlyPayment;
    switch (inputs.frequency) {
    case PaymentFrequency::Monthly:
        return {m, 12, 12};
    case PaymentFrequency::Semimonthly:
        return {Divide(m, 2), 24, 24};
    case PaymentFrequency::TwoWeeks:
        return {Divide(Mul(m, 12), 26), 26, inputs.biweeklyPeriodsPerYear};
    case PaymentFrequency::OneWeek:
        return {Divide(Mul(m, 12), 52), 52, inputs.weeklyPeriodsPerYear};
    case PaymentFrequency::BiweeklyAccelerated:
        return {Divide(m, 2), 26, inputs.biweeklyPeriodsPerYear};
    case PaymentFrequency::WeeklyAccelerated:
        return {Divide(m, 4), 52, inputs.weeklyPeriodsPerYear};
    case PaymentFrequency::Unknown:
        break;
    }
    return {};
}

MortgageFigures ComputeMortgage(const MortgageInputs& inputs) {
    MortgageFigures figures;
    MortgageFault fault = MortgageFault::None;
    try {
        Solve(inputs, figures, fault);
    } catch (const CalcError&) {
        figures.fault = fault == MortgageFault::None ? MortgageFault::Failed : fault;
    }
    return figures;
}

} // namespace qm
