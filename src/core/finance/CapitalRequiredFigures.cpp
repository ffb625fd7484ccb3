#include "core/finance/CapitalRequiredFigures.h"

#include "core/finance/CheckedMath.h"
#include "core/finance/GrowthFormulas.h"
#include "core/text/Conversions.h"

namespace qm {

CapitalRequiredFigures ComputeCapitalRequired(const CapitalRequiredInputs& in) {
    CapitalRequiredFigures figures;
    try {
        const double amount = in.amount.toDouble();
        const double ratePercent = in.ratePercent.toDouble();
        const int years = ToWhole(in.years);
        figures.years = years;

        const double capital =
            in.option == CapitalOption::Income ? CapitalForIncome(amount, ratePercent) : amount;
        // One compounding period a year.
        const double rate = ratePercent / 100;
        const double saving = LevelSavingForCapital(capital, rate, years);

        double balance = 0.0;
        double totalInvested = 0.0;
        double totalGrowth = 0.0;
        double interest = saving * rate;
        double shownInterest = saving * rate;
        for (int year = 1; year <= years; ++year) {
            balance = Finite(balance + saving + interest);
            totalInvested += saving;
            totalGrowth += interest;
            figures.rows.push_back({year, Currency::fromDouble(saving),
                                    Currency::fromDouble(shownInterest),
                                    Currency::fromDouble(balance)});
            // Next year's interest on the balance plus next year's saving.
            interest = Finite((balance + saving) * rate);
            shownInterest = HalfUpToCents(interest);
        }
        figures.totals = {years + 1, Currency::fromDouble(totalInvested),
                          Currency::fromDouble(totalGrowth), Currency::fromDouble(balance)};
    } catch (const CalcError&) {
        figures.error = CapitalRequiredError::NotComputable;
    }
    return figures;
}

} // namespace qm
