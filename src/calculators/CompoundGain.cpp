#include "calculators/CompoundGain.h"

#include "app/AppState.h"
#include "calculators/CheckedMath.h"
#include "calculators/YearTable.h"
#include "text/Conversions.h"
#include "text/HelpText.h"
#include "text/Page.h"

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
        const Currency cost = state.inputValues[1];
        const Currency value = state.inputValues[2];
        const Currency years = state.inputValues[3];
        AppendInputLines(state, texts);

        if (cost.isZero() || value.isZero() || years.isZero()) {
            outcome.add(Message::NumbersInAllThreeBoxes);
            return;
        }

        const double c = cost.toDouble();
        const double annual =
            Exp(Divide(1.0, years.toDouble()) * Ln(Divide(value.toDouble(), c))) - 1.0;
        const double total = Divide((value - cost).toDouble(), c);

        // Year values compounded from the cost; the chart plots them in whole units.
        double yearValue = Finite(c * annual + c);
        state.periodData.at(1, 1) = Currency::fromUnits(1);
        state.periodData.at(1, 4) = Currency::fromDouble(Int(yearValue));
        const int lastYear = ToWhole(years);
        for (int n = 2; n <= lastYear; ++n) {
            yearValue = Finite(yearValue * annual + yearValue);
            state.periodData.at(n, 1) = Currency::fromUnits(n);
            state.periodData.at(n, 4) = Currency::fromDouble(Int(yearValue));
        }

        state.resultsPage += Line({Field(years, u"##", 2), Field(cost, u"####,,###.00", 12),
                                   Field(value, u"####,,###.00", 13), Field(annual, u"###.000%", 9),
                                   Field(total, u"###.00%", 9)});
        state.resultsPage += PageRule + LineEnd + LineEnd;

        state.comparisonData.at(state.comparisonCount, 1) = Currency::fromDouble(annual * 100.0);
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

QString CompoundGainHelpPage() {
    return HelpText(u"CompoundGain", app().currencySymbol);
}

} // namespace qm
