#include "calculators/PensionGrowth.h"

#include "app/AppState.h"
#include "calculators/YearTable.h"
#include "text/Conversions.h"
#include "text/HelpText.h"
#include "text/Page.h"
#include "text/Rounding.h"

#include <algorithm>

namespace qm {

namespace {

const QString Underline(59, QLatin1Char('_'));

// x computed in double and held as money (nearest ten-thousandth, ties to even).
Currency cur(double x) {
    return Currency::fromDouble(x);
}

// A percentage input as a fraction.
double fraction(Currency percent) {
    return percent.toDouble() / 100.0;
}

void appendEcho(QString& page, const PensionGrowthBoxes& boxes) {
    page += QStringLiteral("Current balance in account:  ") + boxes.currBalance + LineEnd;
    page += QStringLiteral("My current annual salary:    ") + boxes.currAnnSalary + LineEnd;
    page += QStringLiteral("My annual contribution rate:        ") + boxes.annContribRate + LineEnd;
    page +=
        QStringLiteral("Company annual contribution rate:   ") + boxes.compAnnContribRate + LineEnd;
    page += QStringLiteral("Estimated annual salary increase:   ") + boxes.estSalIncrease + LineEnd;
    page +=
        QStringLiteral("Annual interest/growth rate:        ") + boxes.annIntGrowthRate + LineEnd;
    page += QStringLiteral("Estimated annual inflation rate:    ") + boxes.estAnnFlatRate + LineEnd;
    page += QStringLiteral("Number of years to retirement:          ") + boxes.numYearsToRetire +
            LineEnd + LineEnd;
}

void runCalculation(CalcState& state, const PensionGrowthBoxes& boxes) {
    const Currency startBalance = state.inputValues[1];
    Currency salary = state.inputValues[2];
    const double employeeRate = fraction(state.inputValues[3]);
    const double companyRate = fraction(state.inputValues[4]);
    const double salaryIncrease = fraction(state.inputValues[5]);
    const float growth = static_cast<float>(fraction(state.inputValues[6]));
    const double inflation = fraction(state.inputValues[7]);
    const int years = ToWhole(state.inputValues[8]);

    appendEcho(state.resultsPage, boxes);
    state.resultsPage +=
        QStringLiteral("Year    Salary    Contributions    Int/Growth         Value") + LineEnd;
    state.resultsPage += Underline + LineEnd;

    // First year: the starting balance and the year's contributions earn the year's growth;
    // inflation is deducted from the grown value.
    PeriodTable& table = state.periodData;
    Currency contributions = cur(salary.toDouble() * (employeeRate + companyRate));
    Currency interest = CurrencyProduct(startBalance + contributions, growth);
    Currency value = startBalance + contributions + interest;
    value = value - cur(value.toDouble() * inflation);
    Currency paidIn = startBalance + contributions;
    // A year's row: its salary in column 0 beside the usual year columns.
    auto storeRow = [&table](int year, Currency w, Currency c, Currency s, Currency v) {
        table.at(year, 0) = w;
        StoreYearRow(table, year, year, c, s, v);
    };
    storeRow(1, salary, contributions, interest, value);

    // Later years: salary and contributions rise by the same rate (the contributions are not
    // recomputed from the salary, so they keep their own rounding).
    for (int year = 2; year <= years; ++year) {
        salary = salary + cur(salary.toDouble() * salaryIncrease);
        contributions = contributions + cur(contributions.toDouble() * salaryIncrease);
        interest = CurrencyProduct(value + contributions, growth);
        value = value + contributions + interest;
        value = value - cur(value.toDouble() * inflation);
        paidIn = paidIn + contributions;
        storeRow(year, salary, contributions, interest, value);
    }

    const int rowCount = years >= 2 ? years : 1;
    StoreYearRow(table, rowCount + 1, rowCount, paidIn, value - paidIn, value);

    for (int year = 1; year <= rowCount; ++year) {
        state.resultsPage += Line({
            Field(table.at(year, 1), u"###", 3),
            Field(table.at(year, 0), u"####,,###.00", 14),
            Field(table.at(year, 2), u"####,,###.00", 14),
            Field(table.at(year, 3), u"####,###.00", 14),
            Field(table.at(year, 4), u"####,###.00", 14),
        });
    }
    state.resultsPage += Underline + LineEnd;
    state.resultsPage += Line({
        Field("Total:           "),
        Field(paidIn, u"####,,###.00", 14),
        Field(value - paidIn, u"####,,###.00", 14),
        Field(value, u"####,###.00", 14),
    });

    state.results = state.resultsPage + LineEnd + PensionHiddenColumnHint;

    state.chartKind = ChartKind::PensionGrowth;
    state.chartPoints = std::max(0, years); // the years box takes digits only
    state.chartTitle = QStringLiteral(" Pension growth over ");
}

} // namespace

CalcOutcome CalculatePensionGrowth(CalcState& state, const PensionGrowthBoxes& boxes) {
    CalcOutcome outcome;
    state.editFlag = 0;
    state.resultsPage.clear();
    state.periodData.clear();
    RunTrapped(outcome, [&] { runCalculation(state, boxes); });
    return outcome;
}

QString PensionGrowthHelpPage() {
    return HelpText(u"PensionGrowth", app().currencySymbol);
}

} // namespace qm
