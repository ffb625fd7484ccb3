#include "calculators/InvestedGrowth.h"

#include "app/AppState.h"
#include "calculators/CheckedMath.h"
#include "calculators/YearTable.h"
#include "text/Conversions.h"
#include "text/HelpText.h"
#include "text/Page.h"
#include "text/Rounding.h"

#include <limits>

namespace qm {

namespace {

Currency cur(double x) {
    return Currency::fromDouble(x);
}

struct Frequency {
    int periodsPerYear = 0;
    QString rowLabel;
};

// The list's text is matched exactly; anything else has no periods (and the rates then fail).
Frequency FrequencyOf(const QString& text) {
    if (text == QLatin1String("Annually"))
        return {1, QStringLiteral("Year    ")};
    if (text == QLatin1String("Monthly"))
        return {12, QStringLiteral("Month   ")};
    if (text == QLatin1String("Quarterly"))
        return {4, QStringLiteral("Quarter ")};
    return {};
}

// The rate per period that, compounded periodsPerYear times, gives `annualPercent` in a year
// (never the annual rate simply divided). It is taken through the nominal annual percentage and
// back in double precision, the way this rate has always been formed, so that its last bits
// stay the same.
double RatePerPeriod(Currency annualPercent, int periodsPerYear) {
    const double perPeriod =
        Power(1.0 + annualPercent.toDouble() / 100.0, Divide(1.0, periodsPerYear)) - 1.0;
    const double nominalPercent = perPeriod * periodsPerYear * 100.0;
    return Divide(Divide(nominalPercent, 100.0), periodsPerYear);
}

void AppendEcho(CalcState& state, const InvestedGrowthTexts& texts) {
    QString& page = state.resultsPage;
    page += QStringLiteral("Beginning balance:          ") + texts.beginningBalance + LineEnd;
    page += QStringLiteral("Each contribution:          ") + texts.eachContribution + LineEnd;
    page += Line({"Frequency of contribution:     ", Field(texts.frequency, 10)});
    page += QStringLiteral("Annual growth rate:                 ") + texts.growthRate + LineEnd;
    page +=
        QStringLiteral("Increase annual contribution:       ") + texts.contributionRate + LineEnd;
    page += QStringLiteral("Annual inflation rate:              ") + texts.inflationRate + LineEnd;
    page +=
        QStringLiteral("Number years invested:                 ") + texts.years + LineEnd + LineEnd;
}

void Calculate(CalcState& state, const InvestedGrowthTexts& texts) {
    AppendEcho(state, texts);

    // The period table is built aside and replaces the chart data only when the whole
    // calculation succeeds, so a failed attempt leaves the chart matching the table the
    // Results box still shows.
    PeriodTable table;

    const Currency beginning = state.inputValues[1];
    Currency contribution = state.inputValues[2];

    const Frequency frequency = FrequencyOf(texts.frequency);
    state.resultsPage +=
        frequency.rowLabel + QStringLiteral(" Invested    Int/Growth         Value") + LineEnd;
    state.resultsPage += PageRule + LineEnd;

    const int years = ToWhole(state.inputValues[7]);
    const int periods = years * frequency.periodsPerYear;
    if (periods < std::numeric_limits<std::int16_t>::min() ||
        periods > std::numeric_limits<std::int16_t>::max())
        throw OverflowError("Whole-number overflow");

    const float growthRate =
        static_cast<float>(RatePerPeriod(state.inputValues[4], frequency.periodsPerYear));
    const double increaseRate = RatePerPeriod(state.inputValues[5], frequency.periodsPerYear);
    const double inflationRate = RatePerPeriod(state.inputValues[6], frequency.periodsPerYear);

    // The first period is always computed: the beginning balance and the first contribution
    // grow together.
    Currency growth = CurrencyProduct(beginning + contribution, growthRate);
    Currency value = beginning + contribution + growth;
    value = value - cur(value.toDouble() * inflationRate);
    Currency invested = beginning + contribution;
    StoreYearRow(table, 1, 1, beginning + contribution, growth, value);

    // Each later contribution grows before it is paid in at the start of its period and earns
    // that period's growth on the value left after the last inflation deduction.
    for (int period = 2; period <= periods; ++period) {
        contribution = contribution + cur(contribution.toDouble() * increaseRate);
        growth = CurrencyProduct(value + contribution, growthRate);
        value = value + contribution + growth;
        value = value - cur(value.toDouble() * inflationRate);
        invested = invested + contribution;
        StoreYearRow(table, period, period, contribution, growth, value);
    }

    const int shown = periods >= 2 ? periods : 1;
    StoreYearRow(table, shown + 1, shown, invested, value - invested, value);

    state.periodData = table;
    if (texts.results == GrowthResults::Complete) {
        for (int row = 1; row <= shown; ++row)
            state.resultsPage += YearLine(table, row);
        state.resultsPage += PageRule + LineEnd;
        state.resultsPage += YearLine(table, shown + 1);
        state.chartKind = ChartKind::InvestedGrowth;
        state.chartPoints = years;
        state.chartTitle = QStringLiteral("Investment growth over ");
        state.chartPeriodCount = shown;
        state.chartPeriodsPerYear = frequency.periodsPerYear;
    } else {
        state.resultsPage += YearLine(table, shown + 1);
        state.comparisonData.at(state.comparisonCount, 1) = value;
        state.resultsPage += PageRule + LineEnd + LineEnd;
        state.chartKind = ChartKind::InvestedComparisons;
        state.chartPoints = state.comparisonCount;
        state.chartTitle = QStringLiteral("Totals for comparisons, number ");
    }
    state.results = state.resultsPage;
}

} // namespace

CalcOutcome InvestedGrowthCalculate(CalcState& state, const InvestedGrowthTexts& texts) {
    CalcOutcome outcome;
    const bool complete = texts.results == GrowthResults::Complete;
    // A full table always has a page of its own.
    if (complete)
        state.startNewPage = 1;
    BeginComparison(state);
    state.editFlag = 0;

    const bool succeeded = RunTrapped(outcome, [&] { Calculate(state, texts); });

    // Closing step, reached after a failure too: a failed full table leaves no page behind,
    // and a full comparison page is started anew.
    if (!succeeded && complete) {
        state.resultsPage.clear();
        state.comparisonCount = 0;
    }
    EndComparison(state, outcome);
    return outcome;
}

QString InvestedGrowthHelpPage() {
    return HelpText(u"InvestedGrowth", app().currencySymbol);
}

void GrowthInputChanged(CalcState& state, GrowthResults results) {
    if (results == GrowthResults::Complete)
        EmptyPage(state);
}

} // namespace qm
