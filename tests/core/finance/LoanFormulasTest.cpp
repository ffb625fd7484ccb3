#include "core/finance/LoanFormulas.h"
#include "support/CaseName.h"

#include "core/text/Currency.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace qm;

namespace {

// Every formula through one signature, so one table holds them all.
using Formula = double (*)(double, double, double, double);
double Periodic(double annual, double c, double p, double) {
    return PeriodicRate(annual, c, p);
}
double Level(double rate, double n, double principal, double) {
    return LevelPayment(rate, n, principal);
}
double Principal(double rate, double n, double payment, double) {
    return PrincipalRepaid(rate, n, payment);
}
double Years(double rate, double perYear, double principal, double payment) {
    return YearsToRepay(rate, perYear, principal, payment);
}
double Interest(double perYear, double years, double payment, double principal) {
    return TotalInterest(perYear, years, payment, principal);
}

struct LoanCase {
    const char* name;
    Formula formula;
    double a, b, c, d;
    double expected; // NaN: the formula refuses the arguments (CalcError)
};

void PrintTo(const LoanCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.a, c.b, c.c, c.d, c.expected);
}

const double Refused = std::nan("");
const double Monthly65 = 0.065 / 12;

class LoanFormula : public ::testing::TestWithParam<LoanCase> {};

// Expected values from python3 with the closed forms written another way round:
// (1 + a/c)**(c/p) - 1, P*r/(1 - (1+r)**-n), m*(1 - (1+r)**-n)/r and
// -log(1 - r*P/m) / (k*log1p(r)); they agree to about twelve digits.
TEST_P(LoanFormula, MatchesTheClosedForm) {
    const LoanCase& c = GetParam();
    if (std::isnan(c.expected)) {
        EXPECT_THROW(c.formula(c.a, c.b, c.c, c.d), CalcError);
        return;
    }
    EXPECT_NEAR(c.formula(c.a, c.b, c.c, c.d), c.expected, std::fabs(c.expected) * 1e-11);
}

INSTANTIATE_TEST_SUITE_P(
    Known, LoanFormula,
    ::testing::Values(
        // clang-format off
        LoanCase{"RateMonthlyIntoMonthly",   Periodic, 0.065, 12, 12, 0,          0.005416666666666625},
        LoanCase{"RateSemiannualIntoMonthly", Periodic, 0.065, 2, 12, 0,          0.005344740075497567},
        LoanCase{"RateAnnualIntoMonthly",    Periodic, 0.06, 1, 12, 0,            0.004867550565343048},
        LoanCase{"RateMonthlyInto365DayBiweekly", Periodic, 0.065, 12, 26.07142857, 0, 0.0024895163990266145},
        LoanCase{"RateQuarterlyIntoWeekly",  Periodic, 0.12, 4, 52, 0,            0.002276340957565015},
        LoanCase{"RateWithoutCompounding",   Periodic, 0.065, 0, 12, 0,           Refused},
        LoanCase{"RateWithoutPayments",      Periodic, 0.065, 12, 0, 0,           Refused},
        LoanCase{"Payment25Years",           Level, Monthly65, 300, 100000, 0,    675.2071613476417},
        LoanCase{"Payment30YearsHalfPercent", Level, 0.005, 360, 200000, 0,       1199.1010503055138},
        LoanCase{"PaymentOneYear",           Level, 0.01, 12, 1200, 0,            106.61854641400993},
        LoanCase{"PaymentWeekly",            Level, 0.0025, 52, 5000, 0,          102.65919813683944},
        LoanCase{"PaymentAtNoInterest",      Level, 0, 300, 100000, 0,            Refused},
        LoanCase{"Principal25Years",         Principal, Monthly65, 300, 800, 0,   118482.15566957036},
        LoanCase{"Principal30Years",         Principal, 0.005, 360, 1000, 0,      166791.61439233404},
        LoanCase{"PrincipalOneYear",         Principal, 0.01, 12, 100, 0,         1125.5077473484644},
        LoanCase{"PrincipalAtNoInterest",    Principal, 0, 300, 800, 0,           Refused},
        LoanCase{"YearsMonthly800",          Years, Monthly65, 12, 100000, 800,   17.437225000357778},
        LoanCase{"YearsOfTheLevelPayment",   Years, 0.005, 12, 200000, 1199.1010503055138, 30},
        LoanCase{"YearsOneYear",             Years, 0.01, 12, 1200, 106.61854641400993, 1},
        LoanCase{"YearsBiweekly",            Years, 0.002, 26, 100000, 337.60,    17.277077869005655},
        LoanCase{"YearsPaymentIsTheInterest", Years, 0.005, 12, 100000, 500,      Refused},
        LoanCase{"YearsPaymentBelowInterest", Years, 0.005, 12, 100000, 400,      Refused},
        LoanCase{"YearsAtNoInterest",        Years, 0, 12, 100000, 800,           Refused},
        LoanCase{"Interest25YearsMonthly",   Interest, 12, 25, 675.21, 100000,    102563},
        LoanCase{"InterestBiweekly",         Interest, 26, 20, 337.60, 100000,    75552},
        LoanCase{"InterestNoneWhenPaidAtOnce", Interest, 1, 1, 5000, 5000,        0} // clang-format on
        ),
    qmtest::CaseName<LoanCase>);

} // namespace
