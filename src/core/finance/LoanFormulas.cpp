#include "core/finance/LoanFormulas.h"

#include "core/finance/CheckedMath.h"

namespace qm {

// The order of the steps is the one the mortgage pages have always shown: changing it moves
// the last cent of some results.

double PeriodicRate(double annualRate, double compoundingsPerYear, double periodsPerYear) {
    const double growth = Add(1, Divide(annualRate, compoundingsPerYear));
    return Sub(Power(growth, Divide(compoundingsPerYear, periodsPerYear)), 1);
}

double LevelPayment(double rate, double payments, double principal) {
    const double f = Power(Add(1, rate), payments);
    return Divide(Mul(Mul(rate, f), principal), Sub(f, 1));
}

double PrincipalRepaid(double rate, double payments, double payment) {
    const double f = Power(Add(1, rate), payments);
    return Divide(payment, Divide(Mul(rate, f), Sub(f, 1)));
}

double YearsToRepay(double rate, double paymentsPerYear, double principal, double payment) {
    return Divide(Sub(Ln(payment), Ln(Sub(payment, Mul(rate, principal)))),
                  Mul(paymentsPerYear, Ln(Add(1, rate))));
}

double TotalInterest(double paymentsPerYear, double years, double payment, double principal) {
    return Sub(Mul(Mul(paymentsPerYear, years), payment), principal);
}

} // namespace qm
