#include "core/calculators/PensionGrowth.h"

#include "core/calculators/YearTable.h"
#include "core/finance/PensionGrowthFigures.h"
#include "core/text/Conversions.h"
#include "core/text/HelpText.h"
#include "core/text/Page.h"

#include <algorithm>

namespace qm {

namespace {

const QString Underline(59, QLatin1Char('_'));

// A percentage input as a fraction.
double fraction(Currency percent) {
    return percent.toDouble() / 100.0;
}

void appendEcho(QString& page, const PensionGrowthTexts& texts) {
    page += QStringLiteral("Current balance in account:  ") + texts.currBalance + LineEnd;
    page += QStringLiteral("My current annual salary:    ") + texts.currAnnSalary + LineEnd;
    page += QStringLiteral("My annual contribution rate:        ") + texts.annContribRate + LineEnd;
    page +=
        QStringLiteral("Company annual contribution rate:   ") + texts.compAnnContribRate + LineEnd;
    page += QStringLiteral("Estimated annual salary increase:   ") + texts.estSalIncrease + LineEnd;
    page +=
        QStringLiteral("Annual interest/growth rate:        ") + texts.annIntGrowthRate + LineEnd;
    page += QStringLiteral("Estimated annual inflation rate:    ") + texts.estAnnFlatRate + LineEnd;
    page += QStringLiteral("Number of years to retirement:          ") + texts.numYearsToRetire +
            LineEnd + LineEnd;
}

void runCalculation(CalcState& state, const PensionGrowthTexts& texts) {
    PensionGrowthInputs inputs;
    inputs.startBalance = state.inputValues[1];
    inputs.salary = state.inputValues[2];
    inputs.employeeRate = fraction(state.inputValues[3]);
    inputs.companyRate = fraction(state.inputValues[4]);
    inputs.salaryIncrease = fraction(state.inputValues[5]);
    inputs.growth = static_cast<float>(fraction(state.inputValues[6]));
    inputs.inflation = fraction(state.inputValues[7]);
    inputs.years = ToWhole(state.inputValues[8]);

    appendEcho(state.resultsPage, texts);
    state.resultsPage +=
        QStringLiteral("Year    Salary    Contributions    Int/Growth         Value") + LineEnd;
    state.resultsPage += Underline + LineEnd;

    // Each year's row: its salary in column 0 beside the usual year columns. A failed
    // calculation still leaves the years it computed in the table.
    const PensionGrowthFigures figures = ComputePensionGrowth(inputs);
    PeriodTable& table = state.periodData;
    int rowCount = 0;
    for (const PensionGrowthYear& y : figures.years) {
        ++rowCount;
        table.at(rowCount, 0) = y.salary;
        StoreYearRow(table, rowCount, rowCount, y.contributions, y.interest, y.value);
    }
    if (figures.error != PensionGrowthError::None)
        throw CalcError("pension growth failed");
    StoreYearRow(table, rowCount + 1, rowCount, figures.paidIn, figures.growth, figures.value);

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
        Field(figures.paidIn, u"####,,###.00", 14),
        Field(figures.growth, u"####,,###.00", 14),
        Field(figures.value, u"####,###.00", 14),
    });

    state.results = state.resultsPage + LineEnd + PensionHiddenColumnHint;

    state.chartKind = ChartKind::PensionGrowth;
    state.chartPoints = std::max(0, inputs.years); // the years box takes digits only
    state.chartTitle = QStringLiteral(" Pension growth over ");
}

} // namespace

CalcOutcome PensionGrowthCalculate(CalcState& state, const PensionGrowthTexts& texts) {
    CalcOutcome outcome;
    state.editFlag = 0;
    state.resultsPage.clear();
    state.periodData.clear();
    RunTrapped(outcome, [&] { runCalculation(state, texts); });
    return outcome;
}

QString PensionGrowthHelpPage(const QString& currencySymbol) {
    return HelpText(u"PensionGrowth", currencySymbol);
}

} // namespace qm
