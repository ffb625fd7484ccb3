#pragma once

#include "core/text/Currency.h"

namespace qm {

// One row of a growth table: its number (a year or a period), what was paid in, the growth it
// earned and the value at its end. A totals row holds the sums paid in and earned.
struct GrowthRow {
    int number = 0;
    Currency paidIn;
    Currency growth;
    Currency value;
};

} // namespace qm
