#include "core/calculators/CalcState.h"

#include "core/text/HelpText.h"
#include "core/text/Page.h"

namespace qm {

void ResetForTabChange(CalcState& state) {
    state.results.clear();
    state.resultsPage.clear();
    state.calcChoice = 0;
    state.startNewPage = 0;
    state.comparisonCount = 0;
    state.chartPoints = 0;
    state.chartKind = ChartKind::None;
    state.periodData.clear();
    state.comparisonData.clear();
    state.inputValues = {};
}

void ClearResults(CalcState& state) {
    state.results.clear();
    state.resultsPage.clear();
    state.comparisonCount = 0;
}

void EmptyPage(CalcState& state) {
    state.results.clear();
    state.resultsPage.clear();
}

void ShowHelpPage(CalcState& state, const QString& page) {
    state.resultsPage = page;
    state.startNewPage = 1;
    state.results = state.resultsPage;
}

void BeginComparison(CalcState& state) {
    if (state.startNewPage == 1) {
        state.startNewPage = 0;
        state.resultsPage.clear();
        state.comparisonCount = 0;
    }
    ++state.comparisonCount;
    if (state.comparisonCount == 1)
        state.comparisonData.clear();
}

void EndComparison(CalcState& state, CalcOutcome& outcome) {
    if (state.comparisonCount == 10) {
        state.resultsPage.clear();
        state.comparisonCount = 0;
        outcome.add(Message::TenComparisons);
    }
}

QString HowToUsePage(const QString& currencySymbol) {
    // The "$" and "%" here are literal characters, whatever the currency symbol is.
    return HelpText(u"HowToUse", currencySymbol);
}

} // namespace qm
