#include "calculators/CalcHooks.h"

namespace qm {

CalculatorHooks& calculatorHooks() {
    static CalculatorHooks hooks;
    return hooks;
}

} // namespace qm
