#pragma once

#include "core/calculators/CalcState.h"

#include <QString>

namespace qm {

// The compound-gain boxes' texts exactly as they show them when Calculate is clicked (the money
// boxes 13 characters with the currency symbol, the years box 3 characters). The values come
// from state.inputValues: 1 cost, 2 present or future value, 3 years.
struct CompoundGainTexts {
    QString cost;  // CGInCostofInvest
    QString value; // CGInValueNow
    QString years; // CGInNumOfYrs
    QString name;  // CGInNameOfInvest, as typed
};

// "&Calculate" on the compound-gain tab: appends one block (the inputs, the heading and the row
// of annual and total gain) to the comparison page, stores the year values and the annual rate
// for the chart and shows the page. Returns the messages to show: 18 when a number is missing,
// 3 when the calculation fails, 8 once the tenth comparison number of a page is used (also by a
// refused or failed calculation, which then shows both messages).
CalcOutcome CompoundGainCalculate(CalcState& state, const CompoundGainTexts& texts);

// The tab's help page, with `currencySymbol` before its amounts.
QString CompoundGainHelpPage(const QString& currencySymbol);

} // namespace qm
