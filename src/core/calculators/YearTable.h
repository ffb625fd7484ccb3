#pragma once

#include "core/calculators/CalcState.h"

#include <QString>

namespace qm {

// The rule under the heading and above the totals of the 45-column pages.
inline const QString PageRule(45, QLatin1Char('_'));

// One row of a year (or period) table: its number in column 1, its three amounts in columns
// 2 to 4.
void StoreYearRow(PeriodTable& table, int row, int number, Currency first, Currency second,
                  Currency value);

// Row `row` of a year table as a page line: the number (3 wide) and the three amounts (14 wide
// each, grouped by thousands, two decimals).
QString YearLine(const PeriodTable& table, int row);

// The totals row of a year table as a page line: "Tot" in place of the number.
QString TotLine(const PeriodTable& table, int row);

} // namespace qm
