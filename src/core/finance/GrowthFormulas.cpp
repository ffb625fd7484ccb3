#include "core/finance/GrowthFormulas.h"

#include "core/finance/CheckedMath.h"
#include "core/text/Conversions.h"

namespace qm {

double AnnualCompoundRate(double cost, double value, double years) {
    return Exp(Divide(1.0, years) * Ln(Divide(value, cost))) - 1.0;
}

double TotalGainRate(Currency cost, Currency value) {
    return Divide((value - cost).toDouble(), cost.toDouble());
}

double GrownOnePeriod(double amount, double rate) {
    return Finite(amount * rate + amount);
}

double PeriodicRate(Currency annualPercent, int periodsPerYear) {
    const double perPeriod =
        Power(1.0 + annualPercent.toDouble() / 100.0, Divide(1.0, periodsPerYear)) - 1.0;
    const double nominalPercent = perPeriod * periodsPerYear * 100.0;
    return Divide(Divide(nominalPercent, 100.0), periodsPerYear);
}

double CapitalForIncome(double income, double ratePercent) {
    return Divide(100.0, ratePercent) * income;
}

double LevelSavingForCapital(double capital, double rate, int years) {
    const double growth = Power(1.0 + rate, years) - 1.0;
    return Divide(capital, Divide((1.0 + rate) * growth, rate));
}

double HalfUpToCents(double amount) {
    return Int(100.0 * amount + 0.5) / 100.0;
}

Currency RaisedBy(Currency amount, double rate) {
    return amount + Currency::fromDouble(amount.toDouble() * rate);
}

Currency ReducedBy(Currency amount, double rate) {
    return amount - Currency::fromDouble(amount.toDouble() * rate);
}

} // namespace qm
