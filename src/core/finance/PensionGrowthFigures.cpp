#include "core/finance/PensionGrowthFigures.h"

#include "core/text/Rounding.h"

namespace qm {

namespace {

// x computed in double and held as money (nearest ten-thousandth, ties to even).
Currency cur(double x) {
    return Currency::fromDouble(x);
}

void Schedule(const PensionGrowthInputs& in, PensionGrowthFigures& figures) {
    // First year: the starting balance and the year's contributions earn the year's growth;
    // inflation is deducted from the grown value.
    Currency salary = in.salary;
    Currency contributions = cur(salary.toDouble() * (in.employeeRate + in.companyRate));
    Currency interest = CurrencyProduct(in.startBalance + contributions, in.growth);
    Currency value = in.startBalance + contributions + interest;
    value = value - cur(value.toDouble() * in.inflation);
    Currency paidIn = in.startBalance + contributions;
    figures.years.push_back({salary, contributions, interest, value});

    // Later years: salary and contributions rise by the same rate (the contributions are not
    // recomputed from the salary, so they keep their own rounding).
    for (int year = 2; year <= in.years; ++year) {
        salary = salary + cur(salary.toDouble() * in.salaryIncrease);
        contributions = contributions + cur(contributions.toDouble() * in.salaryIncrease);
        interest = CurrencyProduct(value + contributions, in.growth);
        value = value + contributions + interest;
        value = value - cur(value.toDouble() * in.inflation);
        paidIn = paidIn + contributions;
        figures.years.push_back({salary, contributions, interest, value});
    }
    figures.growth = value - paidIn;
    figures.paidIn = paidIn;
    figures.value = value;
}

} // namespace

PensionGrowthFigures ComputePensionGrowth(const PensionGrowthInputs& inputs) {
    PensionGrowthFigures figures;
    try {
        Schedule(inputs, figures);
    } catch (const CalcError&) {
        figures.error = PensionGrowthError::Failed;
    }
    return figures;
}

} // namespace qm
