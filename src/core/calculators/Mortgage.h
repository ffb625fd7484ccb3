#pragma once

#include "core/calculators/CalcState.h"
#include "core/finance/MortgageFigures.h"
#include "core/text/Currency.h"

#include <QString>
#include <QStringList>
#include <optional>

namespace qm {

// The quantity the mortgage solver finds (MortgageSolveFor): the option buttons MTPaymentOpt
// ("Payment"), MTTermOpt ("Years") and MTPrincipalOpt ("Principal").

// The four input boxes of the mortgage tab, numbered by their CalcState::mortgageInputs index.
enum class MortgageBox {
    Principal = 1, // MTInPrincipal
    Rate = 2,      // MTInRate
    Term = 3,      // MTInTerm
    Payment = 4,   // MTInMthPayment
};

// The values of the mortgage tab that outlive a solve. The window keeps one instance for the
// life of the process: they keep their values across solves and tab changes.
struct MortgageState {
    double biweeklyPeriodsPerYear = 0; // BiweeklyPeriodsPerYear of the applied days option
    double weeklyPeriodsPerYear = 0;   // WeeklyPeriodsPerYear of the applied days option
    Currency daysInYear;               // DaysInYear shown in MTDaysInYear
    int daysOption = 6;                // DaysOption: 0 to 5 a days row, 6 the normal convention
    // The total interests of the last solve, to the cent as MTTotalPmts and MTTotIntPaid show
    // them, for the comparison values: 0 after a failed solve (its captions are empty), none
    // for an amount beyond the Currency range.
    std::optional<Currency> totalInterest;
    std::optional<Currency> acceleratedInterest;
};

// The controls of the mortgage tab that the solver reads and writes. The window copies its
// controls into this, calls one of the functions below, and copies it back.
struct MortgageControls {
    QString compPeriod; // text of MTCompPeriod
    QString freqPmt;    // text of MTFreqPmt
    MortgageSolveFor solveFor = MortgageSolveFor::Payment;
    QString principal;   // text of MTInPrincipal
    QString rate;        // text of MTInRate
    QString term;        // text of MTInTerm
    QString payment;     // text of MTInMthPayment
    QString totalPmts;   // caption of MTTotalPmts (conventional total interest)
    QString numPmts;     // caption of MTNumPmts
    QString daysInYear;  // caption of MTDaysInYear
    QString totIntSaved; // caption of MTTotIntSaved
    QString numYrs;      // caption of MTNumYrs
    QString piPmt;       // caption of MTPiPmt
    QString totIntPaid;  // caption of MTTotIntPaid
    int daysButton = 6;  // index of the selected MTIRFactor button (6: the one without caption)
};

// What the window shows after a mortgage handler, in this order: first `plainMessage` (when not
// empty) in the system's plain message box with an OK button, then the focus goes to
// MTInMthPayment when `focusPayment` is set, then the numbered messages (3 after a failed solve
// that has no payment message, 8 at the tenth comparison) through the program's own dialog.
struct MortgageOutcome : CalcOutcome {
    QString plainMessage;
    bool focusPayment = false;
};

// The captions of MTIRFactor(0) to MTIRFactor(6) (the last one empty).
QStringList MortgageDaysCaptions();

// Compounding periods per year of an MTCompPeriod text (12, 6, 3, 2, 1); 0 for any other text.
int CompoundingPeriodsPerYear(const QString& text);

// Solves the selected quantity, then the accelerated block, and fills the boxes and captions.
// A failure empties the result captions (MTDaysInYear keeps its text, updated when the
// accelerated block had begun; the solved box shows what the solve found, else it stays empty)
// and puts the message into `outcome`. Returns whether the solve succeeded. Sets EditFlag to 0.
bool CalcMortgage(CalcState& calc, MortgageState& state, MortgageControls& controls,
                  MortgageOutcome& outcome);

// Keeps the days option consistent with the frequency (none for "Monthly" and "Semimonthly",
// 365 days when a week-based frequency still has none), takes the periods of the applied days
// row and solves again.
void ApplyDaysOption(CalcState& calc, MortgageState& state, MortgageControls& controls,
                     MortgageOutcome& outcome);

// The mortgage branch of the tab change (the window has already reset the shared state): new
// inputs with the defaults 100,000.00, 6.5 % and 25 years, both lists at "Monthly", no days
// option, "Payment" selected, then a solve. The window fills the lists with the items above
// and colours the boxes for "Payment".
void OpenMortgageTab(CalcState& calc, MortgageState& state, MortgageControls& controls,
                     MortgageOutcome& outcome);

// A click on one of the option buttons: selects the quantity to solve for and sets EditFlag to
// 0. It does not solve. The window paints the box of that quantity green and locks it.
void SelectMortgageSolveFor(CalcState& calc, MortgageControls& controls, MortgageSolveFor solveFor);

// The box that holds the quantity being solved for (locked, light green); MTInRate never is.
MortgageBox SolvedBox(MortgageSolveFor solveFor);

// The text of one input box in the controls.
QString& MortgageBoxText(MortgageControls& controls, MortgageBox box);

// Stores the numeric value of the box's text into mortgageInputs and redisplays the box in its
// display form (money, rate "###.000" + "%", typed years "###").
void StoreMortgageBox(CalcState& calc, MortgageControls& controls, MortgageBox box);

// Leaving an input box: when it was edited (EditFlag 1), store and redisplay it, EditFlag = 0
// and solve. The term box's 40-year test runs before this, in the box itself.
void LeaveMortgageBox(CalcState& calc, MortgageState& state, MortgageControls& controls,
                      MortgageBox box, MortgageOutcome& outcome);

// A click on an item of MTCompPeriod or MTFreqPmt: remembered in EditFlag until the list is left.
void ClickMortgageListItem(CalcState& calc);

// Leaving MTCompPeriod: solves when an item was clicked; EditFlag = 0.
void LeaveCompoundingList(CalcState& calc, MortgageState& state, MortgageControls& controls,
                          MortgageOutcome& outcome);

// Leaving MTFreqPmt: applies the days option (which solves) when an item was clicked;
// EditFlag = 0.
void LeaveFrequencyList(CalcState& calc, MortgageState& state, MortgageControls& controls,
                        MortgageOutcome& outcome);

// A click on MTIRFactor(index): that button's days option becomes the chosen one.
void ClickDaysButton(MortgageState& state, MortgageControls& controls, int index);

// Leaving any MTIRFactor button: applies the days option, always.
void LeaveDaysButton(CalcState& calc, MortgageState& state, MortgageControls& controls,
                     MortgageOutcome& outcome);

// The sixteen result lines of the current controls (each ended, lines 7 and 16 followed by a
// blank line).
QString MortgageResultLines(const MortgageControls& controls);

// "&Calculate" (MTCalculate): comparison bookkeeping, a solve, the result lines appended to the
// page, the two total interests as this comparison's chart values (message 3 when one is beyond
// the Currency range), and message 8 at the tenth.
void MortgageCalculate(CalcState& calc, MortgageState& state, MortgageControls& controls,
                       MortgageOutcome& outcome);

// The help page of the tab, amounts with `currencySymbol`.
QString MortgageHelpPage(const QString& currencySymbol);

} // namespace qm
