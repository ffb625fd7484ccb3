#pragma once

#include "core/text/Currency.h"

namespace qm {

// The formulas of the growth calculators (compound gain, capital required, invested growth).
// Every step is checked: a division by zero, a logarithm of a number that is not positive or a
// result that is not finite throws CalcError. Each keeps the order of operations the calculators
// have always used, so that their results stay the same to the last bit.

// The annual compound rate (a fraction) that turns `cost` into `value` in `years`:
// (value / cost) ^ (1 / years) - 1, taken as exp(ln(value / cost) / years) - 1.
double AnnualCompoundRate(double cost, double value, double years);

// The gain over the whole time on the cost, as a fraction: (value - cost) / cost, the
// difference taken exactly in Currency.
double TotalGainRate(Currency cost, Currency value);

// `amount` grown by one period at `rate`: amount x rate + amount.
double GrownOnePeriod(double amount, double rate);

// The rate per period (a fraction) that, compounded `periodsPerYear` times, gives
// `annualPercent` in a year: (1 + annualPercent / 100) ^ (1 / periodsPerYear) - 1, never the
// annual rate simply divided. It is taken through the nominal annual percentage and back, the
// way this rate has always been formed, so that its last bits stay the same. No periods (0)
// throws.
double PeriodicRate(Currency annualPercent, int periodsPerYear);

// The capital whose yearly yield at `ratePercent` is `income`: 100 / ratePercent x income.
double CapitalForIncome(double income, double ratePercent);

// The equal saving made at the start of each of `years` years that grows, at `rate` (a
// fraction) a year, to `capital` at the end of the last year:
// capital / ((1 + rate) ((1 + rate) ^ years - 1) / rate). A rate of 0 or 0 years throws.
double LevelSavingForCapital(double capital, double rate, int years);

// `amount` rounded half up to whole cents: Int(100 x amount + 0.5) / 100.
double HalfUpToCents(double amount);

// `amount` raised by `rate` of it, the raise rounded to the nearest ten-thousandth.
Currency RaisedBy(Currency amount, double rate);

// `amount` less `rate` of it, the deduction rounded to the nearest ten-thousandth.
Currency ReducedBy(Currency amount, double rate);

} // namespace qm
