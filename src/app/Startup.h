#pragma once

#include <QString>

namespace qm {

// The start-up sequence, run once before the start menu shows: the program's own folder
// becomes the current folder, and the currency symbol is read from the settings
// (organization and application "Quillmark", key "CurrencySymbol") into app().currencySymbol,
// "$" when nothing usable is stored. A step that fails is skipped; start-up never stops.
void RunStartup();

// The symbol stored in the settings, or "$" when it is missing, empty or unreadable.
QString ReadCurrencySymbol();

} // namespace qm
