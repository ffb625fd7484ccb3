#pragma once

#include "app/WorkWindow.h"
#include "text/Page.h"

#include <QString>

namespace qm {

class Currency;
struct DisplayForm;

// The few values the whole program shares. One instance lives for the process (see app()).
struct AppState {
    // Placed before money amounts; "$" unless the setting supplies another text.
    QString currencySymbol = QStringLiteral("$");

    // Record-number dialog: 1 correct, 0 delete.
    int correctMode = 0;

    // Input-box state shared by every box (one flag for the whole program).
    int editFlag = 0;
};

AppState& app();

// `value` shown in `form` with the program's currency-symbol setting, for code that does not
// carry a symbol of its own.
QString Display(const DisplayForm& form, Currency value);
QString Display(const DisplayForm& form, double value);

} // namespace qm
