#include "core/finance/RetiredIncomeFigures.h"

#include "core/finance/CheckedMath.h"
#include "core/text/Conversions.h"
#include "core/text/Rounding.h"

#include <cmath>

namespace qm {

namespace {

Currency cur(double x) {
    return Currency::fromDouble(x);
}

// The totals row from running sums in double.
RetiredIncomeYear Totals(double growth, double income, double value) {
    return {cur(growth), cur(income), cur(value)};
}

// Returns false when a year's withdrawal exceeds the savings.
bool PercentageSchedule(const RetiredIncomeInputs& in, RetiredIncomeFigures& figures) {
    Currency value = in.startValue;
    double totalGrowth = 0.0;
    Currency totalIncome;
    double finalValue = 0.0;
    for (int year = 1; year <= in.years; ++year) {
        const Currency income = CentsProduct(value, in.withdrawnShare);
        if (income > value)
            return false;
        const double next = CentsGrowth(value, in.growth, in.withdrawnShare);
        const double yearGrowth = value.toDouble() * static_cast<double>(in.growth);
        totalGrowth += yearGrowth;
        figures.years.push_back({cur(yearGrowth), income, cur(next)});
        value = cur(next);
        totalIncome = totalIncome + income;
        finalValue = next;
    }
    figures.totals = Totals(totalGrowth, totalIncome.toDouble(), finalValue);
    return true;
}

// Returns false when one year's income exceeds the starting value.
bool FixedSchedule(const RetiredIncomeInputs& in, RetiredIncomeFigures& figures) {
    Currency value = in.startValue;
    double monthly = in.monthlyAmount;
    double annual = 12.0 * monthly;
    const float onePlusGrowth = 1.0f + in.growth;
    const float monthlyRate =
        static_cast<float>(std::pow(static_cast<double>(onePlusGrowth), 1.0 / 12.0) - 1.0);

    if (annual > value.toDouble())
        return false;

    double totalInterest = 0.0;
    double totalIncome = 0.0;
    double balance = 0.0;
    double yearInterest = 0.0;
    // One month: the interest is earned on the whole value, then the amount is paid out.
    auto month = [&] {
        const double interest = value.toDouble() * static_cast<double>(monthlyRate);
        balance = (value + cur(interest)).toDouble() - monthly;
        yearInterest += interest;
        totalInterest += interest;
        value = cur(balance);
    };

    int year = 1;
    do {
        yearInterest = 0.0;
        for (int i = 0; i < 12; ++i)
            month();
        figures.years.push_back({cur(yearInterest), cur(annual), cur(balance)});
        totalIncome += annual;
        monthly = monthly + in.increase * monthly;
        annual = annual + in.increase * annual;
        ++year;
    } while (year != 41 && balance > annual);

    if (year == 41) {
        figures.totals = Totals(totalInterest, totalIncome, balance);
        return true;
    }

    // The final year: as many whole months as the remaining balance pays, then the rest
    // together with its interest.
    const double start = balance;
    const int months = ToWhole(Int(Divide(start, monthly)));
    yearInterest = 0.0;
    for (int i = 0; i < months; ++i)
        month();
    const double income = start + yearInterest;
    const double endValue = value.toDouble() - balance;
    figures.years.push_back({cur(yearInterest), cur(income), cur(endValue)});
    totalIncome += income;
    figures.totals = Totals(totalInterest, totalIncome, endValue);
    return true;
}

} // namespace

RetiredIncomeOption RetiredIncomeOptionOf(int calcChoice) {
    return calcChoice == static_cast<int>(RetiredIncomeOption::Fixed)
               ? RetiredIncomeOption::Fixed
               : RetiredIncomeOption::Percentage;
}

RetiredIncomeFigures ComputeRetiredIncome(const RetiredIncomeInputs& inputs) {
    RetiredIncomeFigures figures;
    try {
        const bool accepted = inputs.option == RetiredIncomeOption::Fixed
                                  ? FixedSchedule(inputs, figures)
                                  : PercentageSchedule(inputs, figures);
        if (!accepted)
            figures.error = RetiredIncomeError::WithdrawalAboveSavings;
    } catch (const CalcError&) {
        figures.error = RetiredIncomeError::Failed;
    }
    return figures;
}

} // namespace qm
