#include "calculators/RetiredIncome.h"

#include "app/AppState.h"
#include "calculators/CheckedMath.h"
#include "calculators/YearTable.h"
#include "input/BoxTable.h"
#include "text/Conversions.h"
#include "text/HelpText.h"
#include "text/Page.h"
#include "text/Rounding.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace qm {

namespace {

Currency cur(double x) {
    return Currency::fromDouble(x);
}

const RetiredIncomeChoice PercentageChoice{
    RetiredIncomePercentage,
    u"Annual income withdrawn as a (%)",
    u"Time in years",
};

const RetiredIncomeChoice FixedChoice{
    RetiredIncomeFixed,
    u"Monthly amount of cash withdrawn",
    u"Increase annual income by %",
};

// The totals row after `rows` years; it is numbered like the last year.
void storeTotals(PeriodTable& table, int rows, double growth, double income, double value) {
    StoreYearRow(table, rows + 1, rows, cur(growth), cur(income), cur(value));
}

// Each year a fixed share of the current value is withdrawn and the rest grows.
// Returns the number of rows, or nothing when a year's withdrawal exceeds the savings.
std::optional<int> percentageSchedule(CalcState& state, Currency value, float growth,
                                      double withdrawn) {
    // A negative count (the years box takes digits only) is no years at all.
    const int years = std::max(0, static_cast<int>(ToWhole(state.inputValues[4])));
    double totalGrowth = 0.0;
    Currency totalIncome;
    double finalValue = 0.0;
    for (int year = 1; year <= years; ++year) {
        const Currency income = CentsProduct(value, withdrawn);
        if (income > value)
            return std::nullopt;
        const double next = CentsGrowth(value, growth, withdrawn);
        const double yearGrowth = value.toDouble() * static_cast<double>(growth);
        totalGrowth += yearGrowth;
        StoreYearRow(state.periodData, year, year, cur(yearGrowth), income, cur(next));
        value = cur(next);
        totalIncome = totalIncome + income;
        finalValue = next;
    }
    storeTotals(state.periodData, years, totalGrowth, totalIncome.toDouble(), finalValue);
    return years;
}

// A fixed amount is withdrawn every month and raised once a year; the capital grows monthly.
// Full years run while the balance exceeds the next year's income (at most 40); a final year
// then pays out the rest. Returns the number of rows, or nothing when one year's income exceeds
// the starting value.
std::optional<int> fixedSchedule(CalcState& state, Currency value, float growth, double withdrawn) {
    const double increase = cur(state.inputValues[4].toDouble() / 100.0).toDouble();
    double monthly = 100.0 * withdrawn;
    double annual = 12.0 * monthly;
    const float onePlusGrowth = 1.0f + growth;
    const float monthlyRate =
        static_cast<float>(std::pow(static_cast<double>(onePlusGrowth), 1.0 / 12.0) - 1.0);

    if (annual > value.toDouble())
        return std::nullopt;

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
        StoreYearRow(state.periodData, year, year, cur(yearInterest), cur(annual), cur(balance));
        totalIncome += annual;
        monthly = monthly + increase * monthly;
        annual = annual + increase * annual;
        ++year;
    } while (year != 41 && balance > annual);

    if (year == 41) {
        storeTotals(state.periodData, 40, totalInterest, totalIncome, balance);
        return 40;
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
    StoreYearRow(state.periodData, year, year, cur(yearInterest), cur(income), cur(endValue));
    totalIncome += income;
    storeTotals(state.periodData, year, totalInterest, totalIncome, endValue);
    return year;
}

void appendEcho(QString& page, bool fixed, const RetiredIncomeBoxes& boxes) {
    page += QStringLiteral("Starting value of investments: ") + boxes.currValue + LineEnd;
    page +=
        QStringLiteral("Annual interest/growth rate:          ") + boxes.annIntGrowthRate + LineEnd;
    if (fixed) {
        page +=
            QStringLiteral("Monthly amount of cash withdrawn:") + boxes.annIncWDrawnRate + LineEnd;
        page += QStringLiteral("Increase annual income by:            ") + boxes.timeInYrs +
                LineEnd + LineEnd;
    } else {
        page += QStringLiteral("Annual income withdrawn as a (%):     ") + boxes.annIncWDrawnRate +
                LineEnd;
        page += QStringLiteral("Time in years:                        ") + boxes.timeInYrs +
                LineEnd + LineEnd;
    }
}

// Returns false when the withdrawal was refused (message 7).
bool runCalculation(CalcState& state, const RetiredIncomeBoxes& boxes) {
    const bool fixed = state.calcChoice == RetiredIncomeFixed;
    const Currency value = state.inputValues[1];
    const float growth = static_cast<float>(state.inputValues[2].toDouble() / 100.0);
    const double withdrawn = state.inputValues[3].toDouble() / 100.0;

    appendEcho(state.resultsPage, fixed, boxes);

    const std::optional<int> scheduled = fixed
                                             ? fixedSchedule(state, value, growth, withdrawn)
                                             : percentageSchedule(state, value, growth, withdrawn);
    if (!scheduled)
        return false;
    const int rows = *scheduled;

    const PeriodTable& table = state.periodData;
    state.resultsPage += QStringLiteral("Year   Int/Growth   Annual Income       Value") + LineEnd;
    state.resultsPage += PageRule + LineEnd;
    for (int row = 1; row <= rows; ++row)
        state.resultsPage += YearLine(table, row);
    state.resultsPage += PageRule + LineEnd;
    state.resultsPage += TotLine(table, rows + 1);
    state.results = state.resultsPage;

    state.chartPoints = rows;
    state.chartKind = fixed ? ChartKind::RetiredIncomeFixed : ChartKind::RetiredIncomeRunningDown;
    state.chartTitle = fixed ? QStringLiteral("Retirement beginning balance over ")
                             : QStringLiteral("Retirement ending balance over ");
    return true;
}

} // namespace

const RetiredIncomeChoice& RetiredIncomeChoiceFor(int option) {
    return option == 1 ? FixedChoice : PercentageChoice;
}

void LoadRetiredIncomeChoice(CalcState& state, const RetiredIncomeChoice& choice) {
    for (const BoxDefault& d : DefaultsFor(RetiredIncomeTab, choice.calcChoice)) {
        const BoxRule* box = FindBox(QLatin1String(d.box), choice.calcChoice);
        state.inputValues[static_cast<std::size_t>(box->index)] = Currency::fromDouble(d.value);
    }
    state.calcChoice = choice.calcChoice;
    state.editFlag = 0;
}

CalcOutcome CalculateRetiredIncome(CalcState& state, const RetiredIncomeBoxes& boxes) {
    CalcOutcome outcome;
    state.editFlag = 0;
    state.chartKind = ChartKind::None;
    state.chartPoints = 0;
    state.resultsPage.clear();
    state.periodData.clear();
    bool accepted = true;
    RunTrapped(outcome, [&] { accepted = runCalculation(state, boxes); });
    if (!accepted)
        outcome.add(Message::WithdrawalAboveSavings);
    return outcome;
}

QString RetiredIncomeHelpPage(int calcChoice) {
    return HelpText(calcChoice == RetiredIncomeFixed ? u"RetiredIncomeFixed"
                                                     : u"RetiredIncomePercentage",
                    app().currencySymbol);
}

} // namespace qm
