#include "core/calculators/CompoundGain.h"

#include "core/calculators/YearTable.h"
#include "core/finance/CompoundGainFigures.h"
#include "core/text/HelpText.h"
#include "core/text/Page.h"

namespace qm {

namespace {

void AppendInputLines(CalcState& state, const CompoundGainTexts& texts) {
    state.resultsPage += QStringLiteral("Cost of Investment:          ") + texts.cost + LineEnd;
    state.resultsPage += QStringLiteral("Present/future value:        ") + texts.value + LineEnd;
    state.resultsPage +=
        QStringLiteral("Number of years invested:              ") + texts.years + LineEnd;
    state.resultsPage += Line({"Name of investment:", Field(texts.name, 23)}) + LineEnd;
    state.resultsPage += QStringLiteral("Years     Cost        Value  Annual%   Total%") + LineEnd;
    state.resultsPage += PageRule + LineEnd;
}

} // namespace

CalcOutcome CompoundGainCalculate(CalcState& state, const CompoundGainTexts& texts) {
    CalcOutcome outcome;
    BeginComparison(state);
    state.editFlag = 0;
    state.periodData.clear();

    RunTrapped(outcome, [&] {
        const CompoundGainInputs inputs{state.inputValues[1], state.inputValues[2],
                                        state.inputValues[3]};
        AppendInputLines(state, texts);

        const CompoundGainFigures figures = ComputeCompoundGain(inputs);
        if (figures.error == CompoundGainError::MissingNumber) {
            outcome.add(Message::NumbersInAllThreeBoxes);
            return;
        }
        // The year values go to the chart table as far as they were computed; a year past its
        // last row, or a value outside the amounts, fails there.
        int year = 0;
        for (const double yearValue : figures.yearValues) {
            ++year;
            state.periodData.at(year, 1) = Currency::fromUnits(year);
            state.periodData.at(year, 4) = Currency::fromDouble(yearValue);
        }
        if (figures.error != CompoundGainError::None) {
            outcome.add(Message::WrongEntry);
            return;
        }

        state.resultsPage += Line(
            {Field(inputs.years, u"##", 2), Field(inputs.cost, u"####,,###.00", 12),
             Field(inputs.value, u"####,,###.00", 13), Field(figures.annualRate, u"###.000%", 9),
             Field(figures.totalRate, u"###.00%", 9)});
        state.resultsPage += PageRule + LineEnd + LineEnd;

        // The chart compares the annual rates in percent.
        state.comparisonData.at(state.comparisonCount, 1) =
            Currency::fromDouble(figures.annualRate * 100.0);
        state.chartPoints = state.comparisonCount;
        state.chartKind = ChartKind::CompoundGain;
        state.chartTitle = QStringLiteral("Percentage gain/loss for comparisions ");
        state.results = state.resultsPage;
    });
    // Closing step, after a refused or failed calculation too: the number it used up may be the
    // tenth, and the set ends there as after a calculated tenth. Otherwise the count would pass
    // 10, the page would grow past ten blocks and, from number 22 on, every Calculate would fail.
    EndComparison(state, outcome);
    return outcome;
}

QString CompoundGainHelpPage(const QString& currencySymbol) {
    return HelpText(u"CompoundGain", currencySymbol);
}

} // namespace qm
