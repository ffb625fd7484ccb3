#pragma once

#include "core/finance/GrowthRow.h"
#include "core/text/Currency.h"

#include <vector>

namespace qm {

// How often a contribution is paid in; the number is the periods in a year. None stands for a
// frequency that is not known: it has no periods, and the calculation fails.
enum class ContributionFrequency { None = 0, Annually = 1, Quarterly = 4, Monthly = 12 };

struct InvestedGrowthInputs {
    Currency beginningBalance;
    Currency eachContribution;
    ContributionFrequency frequency = ContributionFrequency::Annually;
    Currency growthPercent;       // annual growth rate
    Currency contributionPercent; // annual increase of the contribution
    Currency inflationPercent;    // annual inflation rate
    Currency years;
};

enum class InvestedGrowthError {
    None,
    NotComputable, // no periods, a whole number or an amount out of range
};

// The balance grown period by period with regular contributions. Every rate is the periodic
// rate of its annual percentage; the growth rate is held in single precision.
struct InvestedGrowthFigures {
    int years = 0;          // the years as a whole number
    int periodsPerYear = 0; // of the frequency
    // Periods 1 to years x periodsPerYear (period 1 also when there are fewer): the amount paid
    // in at its start (period 1: the beginning balance and the first contribution), the growth
    // it earned and the value after the inflation deduction. After a failure the periods
    // computed before it are kept.
    std::vector<GrowthRow> rows;
    // Numbered with the last period: the sum paid in, the growth over it, the last value.
    GrowthRow totals;
    InvestedGrowthError error = InvestedGrowthError::None;
};

InvestedGrowthFigures ComputeInvestedGrowth(const InvestedGrowthInputs& in);

} // namespace qm
