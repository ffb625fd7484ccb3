#pragma once

#include "core/calculators/CalcState.h"

#include <QString>

namespace qm {

// The texts of the pension-growth input boxes exactly as they show them when Calculate is
// clicked. The page echoes these texts; the numbers come from CalcState::inputValues.
struct PensionGrowthTexts {
    QString currBalance;        // PGInCurrBalance (inputValues[1])
    QString currAnnSalary;      // PGInCurrAnnSalary (inputValues[2])
    QString annContribRate;     // PGInAnnContribRate (inputValues[3])
    QString compAnnContribRate; // PGInCompAnnContribRate (inputValues[4])
    QString estSalIncrease;     // PGInEstSalIncrease (inputValues[5])
    QString annIntGrowthRate;   // PGInAnnIntGrowthRate (inputValues[6])
    QString estAnnFlatRate;     // PGInEstAnnFlatRate (inputValues[7])
    QString numYearsToRetire;   // PGInNumYearsToRetire (inputValues[8])
};

// The line shown below the page in the Results box only: the value column lies beyond the
// visible width of the box.
inline const QString PensionHiddenColumnHint =
    QStringLiteral("                            Hidden column >");

// "&Calculate" of the pension-growth tab: builds a new page (input echo, year table, totals),
// fills periodData, shows the page with the hidden-column hint in `results` and sets the chart
// values. A calculation failure ends in the shared trap (message 3): the lines appended so far
// stay in resultsPage, `results` and the chart values keep what they held.
CalcOutcome PensionGrowthCalculate(CalcState& state, const PensionGrowthTexts& texts);

// The help page of the pension-growth tab (25 lines, each ended by LineEnd), amounts with
// `currencySymbol`.
QString PensionGrowthHelpPage(const QString& currencySymbol);

} // namespace qm
