#pragma once

#include "core/text/Currency.h"

#include <QString>
#include <QStringView>

namespace qm {

// Exactly `width` characters: blanks on the left of a shorter text; a longer text keeps its
// first `width` characters (the right-hand part is cut off).
QString RightJustify(QStringView text, int width);

// Renders a number by one of the program's numeric patterns:
//   '#' a digit shown only when significant, '0' a digit always shown, ',' between integer
//   places turns on grouping by thousands (",," means the same), '.' the decimal point (always
//   shown); '0' decimal places are always shown, '#' decimal places only when not zero;
//   a trailing '%' multiplies by 100 and appends "%". Rounding is to nearest, halves away from
//   zero. With only '#' integer places a zero integer part shows no digit (.50), and zero under
//   a pattern without decimals is the empty text. Thousands are "," and the point "." always.
// A double is first taken to 15 significant digits, as a person reads it (1.005 -> "1.01").
QString FormatNumber(Currency value, QStringView pattern);
QString FormatNumber(double value, QStringView pattern);
QString FormatNumber(int value, QStringView pattern);
// The empty pattern applied to a text gives the text unchanged.
QString FormatNumber(const QString& text, QStringView pattern);

// The amount a double shows as under a two-decimal pattern ("###.00"), as a value: 15
// significant digits, then to the cent, halves away from zero. Throws OverflowError for a
// non-finite value or one beyond the Currency range.
Currency ShownCents(double value);

} // namespace qm
