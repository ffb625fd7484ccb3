#pragma once

#include "core/calculators/CalcState.h"
#include "core/finance/CapitalRequiredFigures.h"

#include <QString>

namespace qm {

// The capital-required boxes' texts exactly as they show them when Calculate is clicked. The
// values come from state.inputValues: 1 the capital (or the annual income), 2 the rate in whole
// percent, 3 the years; state.calcChoice says which the first box holds (0 capital, 2 income).
struct CapitalRequiredTexts {
    QString amount; // CRInCapitalReq
    QString rate;   // CRInIntGrowthRate
    QString years;  // CRInTimeInYrs
};

// "&Calculate" on the capital-required tab: a fresh page with the inputs and the table of the
// equal yearly saving made at the start of each year that grows to the capital; stores the years
// for the chart and shows the page. Returns message 3 when the calculation fails (a rate of 0,
// 0 years, an amount out of range); the page then holds the input lines and the years computed
// before the failure, and the box keeps what it showed.
CalcOutcome CapitalRequiredCalculate(CalcState& state, const CapitalRequiredTexts& texts);

// The help page of the selected option, with `currencySymbol` where the page shows it.
QString CapitalRequiredHelpPage(const QString& currencySymbol, CapitalOption option);

} // namespace qm
