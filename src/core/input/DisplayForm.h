#pragma once

#include "core/text/Currency.h"

#include <QString>

namespace qm {

// How a box shows its value after it was stored: the currency symbol (when `symbol`) joined to
// the value rendered by `pattern`, right-justified to `width` (0: not justified), then `suffix`.
struct DisplayForm {
    bool symbol = false;
    const char16_t* pattern = u"";
    int width = 0;
    const char16_t* suffix = u"";
};

QString Display(const DisplayForm& form, Currency value, const QString& currencySymbol);
QString Display(const DisplayForm& form, double value, const QString& currencySymbol);

namespace forms {
inline constexpr DisplayForm Money{true, u"####,,###.00", 13, u""};
inline constexpr DisplayForm InvestedMoney{true, u"###,,###.00", 13, u""};
inline constexpr DisplayForm ShortMoney{true, u"####,,###.00", 11, u""};
inline constexpr DisplayForm Percent{false, u"###.00", 6, u"%"};
inline constexpr DisplayForm InvestedPercent{false, u"##.00", 5, u"%"};
inline constexpr DisplayForm MortgageRate{false, u"###.000", 6, u"%"};
inline constexpr DisplayForm Years2{false, u"##", 2, u""};
inline constexpr DisplayForm Years3{false, u"###", 3, u""};
inline constexpr DisplayForm Years5{false, u"###", 5, u""};
inline constexpr DisplayForm Years6{false, u"###", 6, u""};
inline constexpr DisplayForm SolvedYears{false, u"##.##", 5, u""};
// The investment manager's amount boxes: four decimals, not justified.
inline constexpr DisplayForm ManagerMoney{true, u"####,,##0.0000", 0, u""};
inline constexpr DisplayForm ManagerShares{false, u"####,,##0.0000", 0, u""};
} // namespace forms

} // namespace qm
