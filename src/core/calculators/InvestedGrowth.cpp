#include "core/calculators/InvestedGrowth.h"

#include "core/calculators/YearTable.h"
#include "core/finance/InvestedGrowthFigures.h"
#include "core/text/HelpText.h"
#include "core/text/Page.h"

namespace qm {

namespace {

// The list's text is matched exactly; anything else has no periods (and the rates then fail).
ContributionFrequency FrequencyOf(const QString& text) {
    if (text == QLatin1String("Annually"))
        return ContributionFrequency::Annually;
    if (text == QLatin1String("Monthly"))
        return ContributionFrequency::Monthly;
    if (text == QLatin1String("Quarterly"))
        return ContributionFrequency::Quarterly;
    return ContributionFrequency::None;
}

// The heading's first column.
QString RowLabel(ContributionFrequency frequency) {
    switch (frequency) {
    case ContributionFrequency::Annually:
        return QStringLiteral("Year    ");
    case ContributionFrequency::Quarterly:
        return QStringLiteral("Quarter ");
    case ContributionFrequency::Monthly:
        return QStringLiteral("Month   ");
    case ContributionFrequency::None:
        break;
    }
    return QString();
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

// The page, the chart data and the comparison entry of one calculation; false when it could not
// be completed (message 3 added).
bool Calculate(CalcState& state, const InvestedGrowthTexts& texts, CalcOutcome& outcome) {
    AppendEcho(state, texts);

    const ContributionFrequency frequency = FrequencyOf(texts.frequency);
    state.resultsPage +=
        RowLabel(frequency) + QStringLiteral(" Invested    Int/Growth         Value") + LineEnd;
    state.resultsPage += PageRule + LineEnd;

    const InvestedGrowthFigures figures = ComputeInvestedGrowth(
        {state.inputValues[1], state.inputValues[2], frequency, state.inputValues[4],
         state.inputValues[5], state.inputValues[6], state.inputValues[7]});

    // The period table is built aside and replaces the chart data only when the whole
    // calculation succeeds, so a failed attempt leaves the chart matching the table the
    // Results box still shows. A period past its last row fails there.
    PeriodTable table;
    for (const GrowthRow& row : figures.rows)
        StoreYearRow(table, row.number, row.number, row.paidIn, row.growth, row.value);
    if (figures.error != InvestedGrowthError::None) {
        outcome.add(Message::WrongEntry);
        return false;
    }
    const GrowthRow& totals = figures.totals;
    const int shown = totals.number;
    StoreYearRow(table, shown + 1, shown, totals.paidIn, totals.growth, totals.value);

    state.periodData = table;
    if (texts.results == GrowthResults::Complete) {
        for (int row = 1; row <= shown; ++row)
            state.resultsPage += YearLine(table, row);
        state.resultsPage += PageRule + LineEnd;
        state.resultsPage += YearLine(table, shown + 1);
        state.chartKind = ChartKind::InvestedGrowth;
        state.chartPoints = figures.years;
        state.chartTitle = QStringLiteral("Investment growth over ");
        state.chartPeriodCount = shown;
        state.chartPeriodsPerYear = figures.periodsPerYear;
    } else {
        state.resultsPage += YearLine(table, shown + 1);
        state.comparisonData.at(state.comparisonCount, 1) = totals.value;
        state.resultsPage += PageRule + LineEnd + LineEnd;
        state.chartKind = ChartKind::InvestedComparisons;
        state.chartPoints = state.comparisonCount;
        state.chartTitle = QStringLiteral("Totals for comparisons, number ");
    }
    state.results = state.resultsPage;
    return true;
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

    bool succeeded = false;
    RunTrapped(outcome, [&] { succeeded = Calculate(state, texts, outcome); });

    // Closing step, reached after a failure too: a failed full table leaves no page behind,
    // and a full comparison page is started anew.
    if (!succeeded && complete) {
        state.resultsPage.clear();
        state.comparisonCount = 0;
    }
    EndComparison(state, outcome);
    return outcome;
}

QString InvestedGrowthHelpPage(const QString& currencySymbol) {
    return HelpText(u"InvestedGrowth", currencySymbol);
}

} // namespace qm
