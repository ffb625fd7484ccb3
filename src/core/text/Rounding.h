#pragma once

#include "core/text/Currency.h"

namespace qm {

// a x rate with the rate held in single precision, converted to Currency (nearest
// ten-thousandth, ties to even). The growth calculators form every period's growth this way.
Currency CurrencyProduct(double a, float rate);
inline Currency CurrencyProduct(Currency a, float rate) {
    return CurrencyProduct(a.toDouble(), rate);
}

// x = amount x rate truncated down to whole cents, plus 0.0005 (five hundredths of a cent):
// 12.3456 -> 12.3405, 7 -> 7.0005.
Currency CentsProduct(Currency amount, double rate);

// x = amount x (p - q) + amount, truncated down to whole cents, plus 0.0005.
double CentsGrowth(Currency amount, float p, double q);

} // namespace qm
