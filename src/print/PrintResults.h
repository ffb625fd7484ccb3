#pragma once

#include <QString>

namespace qm {

// Prints `page` (a results page, report or help page) on the system's default printer as one job:
// the fixed-pitch print font, 11 points in the calculator window and 10 in the manager
// (AppState::activeWindow), two empty lines, then the page's lines exactly as they are, a new sheet
// whenever one is full. Without a printer, or when the print system fails, a plain message says
// so and nothing changes.
void PrintResults(const QString& page);

} // namespace qm
