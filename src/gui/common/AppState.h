#pragma once

#include <QString>

namespace qm {

// What the program read from its settings at start-up, for the windows to hand to their models.
// One instance lives for the process (see app()); the computation library never reads it.
struct AppState {
    // Placed before money amounts; "$" unless the setting supplies another text.
    QString currencySymbol = QStringLiteral("$");
};

AppState& app();

} // namespace qm
