#include "core/finance/InvestedGrowthFigures.h"

#include "core/finance/GrowthFormulas.h"
#include "core/text/Conversions.h"
#include "core/text/Rounding.h"

#include <cstdint>
#include <limits>

namespace qm {

InvestedGrowthFigures ComputeInvestedGrowth(const InvestedGrowthInputs& in) {
    InvestedGrowthFigures figures;
    try {
        const int periodsPerYear = static_cast<int>(in.frequency);
        figures.periodsPerYear = periodsPerYear;
        const int years = ToWhole(in.years);
        figures.years = years;
        const int periods = years * periodsPerYear;
        if (periods < std::numeric_limits<std::int16_t>::min() ||
            periods > std::numeric_limits<std::int16_t>::max())
            throw OverflowError("Whole-number overflow");

        const float growthRate = static_cast<float>(PeriodicRate(in.growthPercent, periodsPerYear));
        const double increaseRate = PeriodicRate(in.contributionPercent, periodsPerYear);
        const double inflationRate = PeriodicRate(in.inflationPercent, periodsPerYear);

        // The first period is always computed: the beginning balance and the first contribution
        // grow together.
        Currency contribution = in.eachContribution;
        Currency invested = in.beginningBalance + contribution;
        Currency growth = CurrencyProduct(invested, growthRate);
        Currency value = ReducedBy(invested + growth, inflationRate);
        figures.rows.push_back({1, invested, growth, value});

        // Each later contribution grows before it is paid in at the start of its period and
        // earns that period's growth on the value left after the last inflation deduction.
        for (int period = 2; period <= periods; ++period) {
            contribution = RaisedBy(contribution, increaseRate);
            growth = CurrencyProduct(value + contribution, growthRate);
            value = ReducedBy(value + contribution + growth, inflationRate);
            invested = invested + contribution;
            figures.rows.push_back({period, contribution, growth, value});
        }

        const int shown = periods >= 2 ? periods : 1;
        figures.totals = {shown, invested, value - invested, value};
    } catch (const CalcError&) {
        figures.error = InvestedGrowthError::NotComputable;
    }
    return figures;
}

} // namespace qm
