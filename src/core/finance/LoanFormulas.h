#pragma once

namespace qm {

// The formulas of a loan repaid by level payments. Every step is checked: a step whose result
// would be infinite or not a number (a division by zero, the logarithm of a number that is not
// positive) throws CalcError. Rates are fractions per period (0.005 for half a percent).

// Rate of one payment period when interest at the annual rate r compounds c times a year and
// payments fall p times a year: (1 + r / c)^(c / p) - 1.
double PeriodicRate(double annualRate, double compoundingsPerYear, double periodsPerYear);

// The level payment that repays `principal` in `payments` periods at `rate` a period:
// rate * f * principal / (f - 1) with f = (1 + rate)^payments.
double LevelPayment(double rate, double payments, double principal);

// The principal that `payment` a period repays in `payments` periods at `rate` a period:
// payment / (rate * f / (f - 1)) with f = (1 + rate)^payments.
double PrincipalRepaid(double rate, double payments, double payment);

// The years that `payment`, made `paymentsPerYear` times a year, takes to repay `principal` at
// `rate` a period: (ln payment - ln(payment - rate * principal)) / (paymentsPerYear *
// ln(1 + rate)). A payment not above the period's interest repays nothing (CalcError).
double YearsToRepay(double rate, double paymentsPerYear, double principal, double payment);

// The interest paid over the life of the loan: paymentsPerYear * years * payment - principal.
double TotalInterest(double paymentsPerYear, double years, double payment, double principal);

} // namespace qm
