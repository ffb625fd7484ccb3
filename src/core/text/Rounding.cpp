#include "core/text/Rounding.h"

#include "core/text/Conversions.h"

namespace qm {

Currency CurrencyProduct(double a, float rate) {
    return Currency::fromDouble(a * static_cast<double>(rate));
}

Currency CentsProduct(Currency amount, double rate) {
    const double x = amount.toDouble() * rate;
    return Currency::fromDouble((Int(x * 100.0) + 0.05) / 100.0);
}

double CentsGrowth(Currency amount, float p, double q) {
    const double a = amount.toDouble();
    const double x = a * (static_cast<double>(p) - q) + a;
    return (Int(x * 100.0) + 0.05) / 100.0;
}

} // namespace qm
