#pragma once

#include "core/finance/GrowthRow.h"
#include "core/text/Currency.h"

#include <vector>

namespace qm {

// What the first amount is: the capital to reach, or the annual income the capital is to yield
// at the rate. The numbers are those the calculator window keeps for the choice.
enum class CapitalOption { Capital = 0, Income = 2 };

struct CapitalRequiredInputs {
    Currency amount;      // the capital, or the annual income
    Currency ratePercent; // the yearly interest or growth, in percent
    Currency years;
    CapitalOption option = CapitalOption::Capital;
};

enum class CapitalRequiredError {
    None,
    NotComputable, // a rate of 0, 0 years, a whole number or an amount out of range
};

// The equal saving made at the start of each year that grows, with one compounding a year, to the
// capital at the end of the last year.
struct CapitalRequiredFigures {
    int years = 0; // the years as a whole number
    // Years 1 to `years`: the saving, the interest earned in the year and the balance at its end.
    // Year 1 shows its interest as computed, later years rounded half up to whole cents; the
    // balance keeps every interest unrounded. After a failure the years computed before it are
    // kept.
    std::vector<GrowthRow> rows;
    // The sums saved and earned and the last balance, numbered years + 1.
    GrowthRow totals;
    CapitalRequiredError error = CapitalRequiredError::None;
};

CapitalRequiredFigures ComputeCapitalRequired(const CapitalRequiredInputs& in);

} // namespace qm
