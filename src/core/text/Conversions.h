#pragma once

#include "core/text/Currency.h"

#include <QString>
#include <QStringView>
#include <cstdint>

namespace qm {

// The largest whole number not greater than x (toward minus infinity: Int(-1.5) = -2).
double Int(double x);
Currency Int(Currency x);

// The number written at the start of a text. Blanks, tabs and line feeds anywhere are skipped;
// then an optional sign, digits, at most one decimal point and more digits; reading stops at
// the first other character. "12.5abc" gives 12.5, "$1,000" gives 0, "1,000" gives 1, "" gives 0.
double Val(QStringView text);

// A count, index or year made from a number: nearest whole number, ties to even (2.5 -> 2,
// 3.5 -> 4). Outside -32,768..32,767 (or not finite) it throws OverflowError.
std::int16_t ToWhole(double x);
std::int16_t ToWhole(Currency x);

} // namespace qm
