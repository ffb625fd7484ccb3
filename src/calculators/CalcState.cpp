#include "calculators/CalcState.h"

#include "text/Page.h"

namespace qm {

void ResetForTabChange(CalcState& state) {
    state.results.clear();
    state.resultsPage.clear();
    state.calcChoice = 0;
    state.startNewPage = 0;
    state.comparisonCount = 0;
    state.chartPoints = 0;
    state.chartKind = 0;
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
        outcome.messages.push_back(8);
    }
}

QString HowToUsePage() {
    // The "$" and "%" here are literal characters, whatever the currency symbol is.
    return JoinLines({
        QStringLiteral("        Quillmark v3.4"),
        QString(),
        QStringLiteral("This program was written to incorporate the"),
        QStringLiteral("6 common calculations I found myself using"),
        QStringLiteral("frequently."),
        QString(),
        QStringLiteral("Click on the tab name to open that module."),
        QString(),
        QStringLiteral("Input boxes have a yellow background, to"),
        QStringLiteral("change figures, click box and start typing."),
        QStringLiteral("Use numbers only (0 - 9) and period (.)."),
        QStringLiteral("Automatic formatting puts in the $ and %"),
        QStringLiteral("signs on leaving the box."),
        QString(),
        QStringLiteral("Do not use Copy or Paste in input boxes."),
        QString(),
        QStringLiteral("Each module has its own controls:"),
        QString(),
        QStringLiteral("'Calculate' will send the results of that"),
        QStringLiteral("calculation to the Results textbox."),
        QString(),
        QStringLiteral("'Print' sends Results page to your printer."),
        QString(),
        QStringLiteral("'Help' shows how to use that module."),
        QString(),
        QStringLiteral("To use your word processor to format and"),
        QStringLiteral("print the Results. Right click on the text"),
        QStringLiteral("box and then on Select All, right click again"),
        QStringLiteral("on the selected text then on Copy. Open your"),
        QStringLiteral("editor and Paste the text to it."),
        QString(),
        QStringLiteral("Use Courier fonts as each letter, space and"),
        QStringLiteral("number are the same width, for evenly spaced"),
        QStringLiteral("columns."),
        QString(),
        QStringLiteral("All calculations are limited to 40 years."),
        QString(),
        QStringLiteral("Interest/Growth rate refers to combined"),
        QStringLiteral("dividends, interest and/or the growth in"),
        QStringLiteral("price of the investment."),
        QString(),
    });
}

} // namespace qm
