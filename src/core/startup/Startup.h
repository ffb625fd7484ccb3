#pragma once

#include <QString>

namespace qm {

// The start-up sequence, run once before the start menu shows: the program's own folder
// becomes the current folder, and the currency symbol is read from the settings
// (organization and application "Quillmark", key "CurrencySymbol") and returned, "$" when
// nothing usable is stored; the windows pass it on to their models. A step that fails is
// skipped; start-up never stops.
QString RunStartup();

// The symbol stored in the settings, or "$" when it is missing, unreadable or not usable.
QString ReadCurrencySymbol();

// The longest currency symbol, in characters ("CHF " is four).
inline constexpr int MaxCurrencySymbolLength = 4;

// A symbol that can stand before every amount: one to MaxCurrencySymbolLength characters, not
// all blank, none of them a control, format or line-breaking character.
bool IsUsableCurrencySymbol(const QString& symbol);

// Stores `symbol` (a usable one) in the settings for every window opened after; false when the
// settings file could not be written, and then nothing is changed.
bool StoreCurrencySymbol(const QString& symbol);

// The currency symbol of the user's own locale (the system's, not the one the program formats
// its numbers with), or nothing when it has none that is usable.
QString LocaleCurrencySymbol();

} // namespace qm
