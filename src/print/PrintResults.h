#pragma once

#include <QString>

namespace qm {

// Prints `page` (lines ended by LineEnd) on the default printer in the fixed-pitch font of the
// active work window.
void PrintResults(const QString& page);

} // namespace qm
