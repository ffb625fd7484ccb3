#include "core/input/KeyFilters.h"

namespace qm {

int MoneyKeyFilter(int code, QStringView textBeforeKey, int extraDecimals) {
    if (code == KeyBackspace || code == KeyDel127 || code == '.')
        return code;
    if (code < '0' || code > '9')
        return 0;
    const qsizetype point = textBeforeKey.indexOf(QLatin1Char('.')) + 1; // 1-based, 0 = none
    if (point > 0) {
        const int allowance = extraDecimals > 2 ? extraDecimals : 2;
        if (textBeforeKey.size() >= point + allowance)
            return 0;
    }
    return code;
}

int DigitKeyFilter(int code) {
    if (code == KeyBackspace || code == KeyDel127 || (code >= '0' && code <= '9'))
        return code;
    return 0;
}

} // namespace qm
