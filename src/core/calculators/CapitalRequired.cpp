#include "core/calculators/CapitalRequired.h"

#include "core/calculators/YearTable.h"
#include "core/finance/CapitalRequiredFigures.h"
#include "core/text/HelpText.h"
#include "core/text/Page.h"

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

        const CapitalRequiredFigures figures = ComputeCapitalRequired(
            {state.inputValues[1], state.inputValues[2], state.inputValues[3],
             state.calcChoice == 2 ? CapitalOption::Income : CapitalOption::Capital});
        // The years computed go on the page; a year past the last row of the table fails there.
        for (const GrowthRow& row : figures.rows) {
            StoreYearRow(table, row.number, row.number, row.paidIn, row.growth, row.value);
            state.resultsPage += YearLine(table, row.number);
        }
        if (figures.error != CapitalRequiredError::None) {
            outcome.add(Message::WrongEntry);
            return;
        }

        // The totals row is numbered with its own row number.
        const GrowthRow& totals = figures.totals;
        StoreYearRow(table, totals.number, totals.number, totals.paidIn, totals.growth,
                     totals.value);
        state.resultsPage += PageRule + LineEnd;
        state.resultsPage += TotLine(table, totals.number);

        state.periodData = table;
        state.results = state.resultsPage;
        state.chartPoints = figures.years;
        state.chartKind = ChartKind::CapitalRequired;
        state.chartTitle = QStringLiteral("Growth in capital required over ");
    });
    return outcome;
}

QString CapitalRequiredHelpPage(const QString& currencySymbol, CapitalOption option) {
    // The income example writes its amount with a literal "$".
    return HelpText(option == CapitalOption::Income ? u"IncomeRequired" : u"CapitalRequired",
                    currencySymbol);
}

} // namespace qm
