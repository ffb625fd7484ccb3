#include "core/finance/CompoundGainFigures.h"

#include "core/finance/GrowthFormulas.h"
#include "core/text/Conversions.h"

namespace qm {

CompoundGainFigures ComputeCompoundGain(const CompoundGainInputs& in) {
    CompoundGainFigures figures;
    if (in.cost.isZero() || in.value.isZero() || in.years.isZero()) {
        figures.error = CompoundGainError::MissingNumber;
        return figures;
    }
    try {
        const double cost = in.cost.toDouble();
        figures.annualRate = AnnualCompoundRate(cost, in.value.toDouble(), in.years.toDouble());
        figures.totalRate = TotalGainRate(in.cost, in.value);

        double yearValue = GrownOnePeriod(cost, figures.annualRate);
        figures.yearValues.push_back(Int(yearValue));
        const int lastYear = ToWhole(in.years);
        for (int n = 2; n <= lastYear; ++n) {
            yearValue = GrownOnePeriod(yearValue, figures.annualRate);
            figures.yearValues.push_back(Int(yearValue));
        }
    } catch (const CalcError&) {
        figures.error = CompoundGainError::NotComputable;
    }
    return figures;
}

} // namespace qm
