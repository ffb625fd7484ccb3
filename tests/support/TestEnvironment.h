#pragma once

#include <QDate>

namespace qmtest {

// The date every test sees as today.
inline QDate fixedToday() {
    return QDate(2024, 3, 9);
}

// Pins what would otherwise depend on the machine: the default locale (C: month/day/year),
// today's date, and the settings folder (an empty temporary folder).
void pinEnvironment();

} // namespace qmtest
