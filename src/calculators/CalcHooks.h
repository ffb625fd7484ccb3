#pragma once

#include "calculators/CalcState.h"

#include <QString>
#include <array>
#include <functional>

namespace qm {

class QMInvest;

// Where the calculations plug into the calculator window. The window owns the controls and the
// state; each hook works on them through QMInvest (state(), controlText(), setControlText(),
// isSelected(), ...). An empty hook does nothing.
struct CalculatorHooks {
    // "&Calculate" of a tab (indexed by CalcTab). After it returns, the window shows
    // state().results in the Results box, then each returned message in order.
    std::array<std::function<CalcOutcome(QMInvest&)>, 6> calculate;
    // "&Help" of a tab: the help page (every line ended by LineEnd) for the state as it stands
    // (the option of capital required or retired income is state.calcChoice). The window makes
    // it the page by the help-page convention and shows it.
    std::array<std::function<QString(const CalcState&)>, 6> help;
    // The mortgage solver: run when an edited mortgage box or the compounding list is left,
    // and when the mortgage tab opens (after its defaults).
    std::function<void(QMInvest&)> calcMortgage;
    // The days-in-year step that ends with the solver: run when the payment-frequency list is
    // left after an item was chosen, and whenever a days-in-year button is left.
    std::function<void(QMInvest&)> applyDaysOption;
    // "&Graph" when there is something to chart (Results not empty, chartPoints not 0).
    std::function<void(QMInvest&)> showChart;
};

// The hooks of the process; installed once at start-up, read by every calculator window.
CalculatorHooks& calculatorHooks();

} // namespace qm
