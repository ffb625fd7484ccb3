#include "calculators/CapitalRequired.h"

#include "app/AppState.h"
#include "calculators/CheckedMath.h"
#include "calculators/YearTable.h"
#include "text/Conversions.h"
#include "text/HelpText.h"
#include "text/Page.h"

namespace qm {

namespace {

void AppendInputLines(CalcState& state, const CapitalRequiredTexts& texts) {
    const QString first = state.calcChoice == 2 ? QStringLiteral("Annual income required:    ")
                                                : QStringLiteral("Amount of capital required:");
    state.resultsPage += first + texts.amount + LineEnd;
    state.resultsPage +=
        QStringLiteral("Annual interest/growth rate:      ") + texts.rate + LineEnd;
    state.resultsPage +=
        QStringLiteral("Number of years:                     ") + texts.years + LineEnd + LineEnd;
    state.resultsPage += QStringLiteral("Year     Invested    Int/Growth         Value") + LineEnd;
    state.resultsPage += PageRule + LineEnd;
}

} // namespace

CalcOutcome CapitalRequiredCalculate(CalcState& state, const CapitalRequiredTexts& texts) {
    CalcOutcome outcome;
    state.editFlag = 0;
    state.startNewPage = 0;
    state.resultsPage.clear();

    RunTrapped(outcome, [&] {
        // The year table is built aside and replaces the chart data only when the whole
        // calculation succeeds, so a failed attempt leaves the chart matching the table the
        // Results box still shows.
        PeriodTable table;
        AppendInputLines(state, texts);

        const double amount = state.inputValues[1].toDouble();
        const double ratePercent = state.inputValues[2].toDouble();
        const int years = ToWhole(state.inputValues[3]);

        // The capital to reach: typed, or the capital whose yearly yield at the rate is the
        // income typed.
        double capital = amount;
        if (state.calcChoice == 2)
            capital = Divide(100.0, ratePercent) * amount;

        // One compounding period a year.
        const double rate = ratePercent / 100;

        // The equal saving made at the start of each year that grows to the capital at the end
        // of the last year.
        const double growth = Power(1.0 + rate, years) - 1.0;
        const double saving = Divide(capital, Divide((1.0 + rate) * growth, rate));

        double balance = 0.0;
        double totalInvested = 0.0;
        double totalGrowth = 0.0;
        double interest = saving * rate;
        double shownInterest = saving * rate;
        for (int year = 1; year <= years; ++year) {
            balance = Finite(balance + saving + interest);
            totalInvested += saving;
            totalGrowth += interest;

            StoreYearRow(table, year, year, Currency::fromDouble(saving),
                         Currency::fromDouble(shownInterest), Currency::fromDouble(balance));
            state.resultsPage += YearLine(table, year);

            // Next year's interest on the balance plus next year's saving; the page and the
            // chart show it rounded half up to whole cents, the balance keeps it unrounded.
            interest = Finite((balance + saving) * rate);
            shownInterest = Int(100.0 * interest + 0.5) / 100.0;
        }

        // The totals row is numbered with its own row number.
        const int totalsRow = years + 1;
        StoreYearRow(table, totalsRow, totalsRow, Currency::fromDouble(totalInvested),
                     Currency::fromDouble(totalGrowth), Currency::fromDouble(balance));

        state.resultsPage += PageRule + LineEnd;
        state.resultsPage += TotLine(table, totalsRow);

        state.periodData = table;
        state.results = state.resultsPage;
        state.chartPoints = years;
        state.chartKind = ChartKind::CapitalRequired;
        state.chartTitle = QStringLiteral("Growth in capital required over ");
    });
    return outcome;
}

QString CapitalRequiredHelpPage(CapitalOption option) {
    // The income example writes its amount with a literal "$".
    return HelpText(option == CapitalOption::Income ? u"IncomeRequired" : u"CapitalRequired",
                    app().currencySymbol);
}

} // namespace qm
