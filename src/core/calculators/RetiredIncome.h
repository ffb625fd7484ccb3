#pragma once

#include "core/calculators/CalcState.h"
#include "core/finance/RetiredIncomeFigures.h"

#include <QString>

namespace qm {

// CalcState::calcChoice on the retired-income tab holds a RetiredIncomeOption: 0 "Annual
// percentage", 2 "Fixed monthly amount".

// The texts of the retired-income input boxes exactly as they show them when Calculate is
// clicked. The page echoes these texts; the numbers come from CalcState::inputValues.
struct RetiredIncomeTexts {
    QString currValue;        // RIInCurrValue (inputValues[1])
    QString annIntGrowthRate; // RIInAnnIntGrowthRate (inputValues[2])
    QString annIncWDrawnRate; // RIInAnnIncWDrawnRate (inputValues[3])
    QString timeInYrs;        // RIInTimeInYrs (inputValues[4])
};

// One of the two withdrawal options: its CalcChoice value and the captions of the two labels
// whose meaning changes. The boxes' defaults and display forms per option are in the box table.
struct RetiredIncomeChoice {
    int calcChoice;
    const char16_t* label32; // caption beside RIInAnnIncWDrawnRate
    const char16_t* label33; // caption beside RIInTimeInYrs
};

// The data of option `option` of RIWDrawalChoice: 0 "Annual percentage", 1 "Fixed monthly
// amount" (any other index is taken as 0).
const RetiredIncomeChoice& RetiredIncomeChoiceFor(int option);

// The state part of choosing an option: the option's box defaults go into inputValues[1..4]
// and calcChoice is set. The window shows the defaults in the boxes and sets the labels itself.
void LoadRetiredIncomeChoice(CalcState& state, const RetiredIncomeChoice& choice);

// "&Calculate" of the retired-income tab for state.calcChoice: builds a new page (input echo,
// year table, totals), fills periodData, shows the page in `results` and sets the chart values.
// A withdrawal larger than the savings ends the calculation with message 7 (the page keeps the
// input lines, `results` is unchanged, chartPoints stays 0); a calculation failure ends in the
// shared trap (message 3) in the same way.
CalcOutcome RetiredIncomeCalculate(CalcState& state, const RetiredIncomeTexts& texts);

// The help page of the given option, each line ended by LineEnd, amounts with `currencySymbol`.
QString RetiredIncomeHelpPage(const QString& currencySymbol, RetiredIncomeOption option);

} // namespace qm
