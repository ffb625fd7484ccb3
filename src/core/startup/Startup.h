#pragma once

#include <QString>

namespace qm {

// The start-up sequence, run once before the start menu shows: the program's own folder
// becomes the current folder, and the currency symbol is read from the settings
// (organization and application "Quillmark", key "CurrencySymbol") and returned, "$" when
// nothing usable is stored; the windows pass it on to their models. A step that fails is
// skipped; start-up never stops.
QString RunStartup();

// The symbol stored in the settings, or "$" when it is missing, empty or unreadable.
QString ReadCurrencySymbol();

} // namespace qm
