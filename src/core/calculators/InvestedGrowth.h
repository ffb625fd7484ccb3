#pragma once

#include "core/calculators/CalcState.h"

#include <QString>

namespace qm {

// The "Show results" options: the full period table, or one totals line per calculation kept
// on the page for comparison.
enum class GrowthResults { Complete = 0, ComparisonTotals = 1 };

// The invested-growth controls as they show at the moment Calculate is clicked: the boxes' texts
// exactly as displayed, the frequency list's text and the selected results option. The values
// come from state.inputValues: 1 beginning balance, 2 each contribution, 4 growth rate,
// 5 contribution increase, 6 inflation (whole percents), 7 years.
struct InvestedGrowthTexts {
    QString beginningBalance; // IGInBegBal
    QString eachContribution; // IGInEachContrib
    QString frequency;        // IGInMonthsYrs: "Annually", "Quarterly" or "Monthly"
    QString growthRate;       // IGInIntGrowthRate
    QString contributionRate; // IGInAnnContribRate
    QString inflationRate;    // IGInAnninFlatRate
    QString years;            // IGInYearsInvested
    GrowthResults results = GrowthResults::Complete;
};

// "&Calculate" on the invested-growth tab: the balance grown period by period with regular
// contributions, written as a full table on a page of its own or as a totals line on the
// comparison page; stores the chart values and shows the page. Returns the messages to show:
// 3 when the calculation fails, then 8 when the comparison page is full (a failing tenth
// comparison gives both).
CalcOutcome InvestedGrowthCalculate(CalcState& state, const InvestedGrowthTexts& texts);

// The tab's help page: 48 lines, the last without a line end; `currencySymbol` before its
// amounts.
QString InvestedGrowthHelpPage(const QString& currencySymbol);

} // namespace qm
