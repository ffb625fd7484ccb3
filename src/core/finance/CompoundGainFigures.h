#pragma once

#include "core/text/Currency.h"

#include <vector>

namespace qm {

// What the compound gain is computed from: the cost of an investment, its present or future
// value and the years between.
struct CompoundGainInputs {
    Currency cost;
    Currency value;
    Currency years;
};

enum class CompoundGainError {
    None,
    MissingNumber, // the cost, the value or the years is 0
    NotComputable, // no real rate (a value or cost below 0), or a result out of range
};

struct CompoundGainFigures {
    double annualRate = 0.0; // the annual compound rate, a fraction
    double totalRate = 0.0;  // the gain over the whole time on the cost, a fraction
    // The cost compounded at the annual rate, years 1, 2, ... up to the years (year 1 also when
    // they are fewer), each cut to whole units toward minus infinity. They are left as numbers:
    // one may lie outside the amounts, and a caller that stores them as amounts fails at that
    // year. After a failure the years computed before it are kept.
    std::vector<double> yearValues;
    CompoundGainError error = CompoundGainError::None;
};

CompoundGainFigures ComputeCompoundGain(const CompoundGainInputs& in);

} // namespace qm
