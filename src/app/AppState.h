#pragma once

#include "app/WorkWindow.h"
#include "text/Page.h"

#include <QString>

namespace qm {

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

} // namespace qm
