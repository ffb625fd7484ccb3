#pragma once

// A portfolio at the manager's limits, made the way the user makes one: 18 funds added by name,
// then 600 records of every type over 40 years, each stored through the entry row (so every
// store re-sorts), and the funds put in name order as a tab change does. The same seed always
// gives the same portfolio.

#include "core/portfolio/Portfolio.h"

namespace qmbench {

inline constexpr unsigned DefaultSeed = 20240309;

qm::Portfolio MakeLargePortfolio(unsigned seed = DefaultSeed);

// Pins what the data depends on: the C locale for the short dates typed in, and today's date.
void PinEnvironment();

} // namespace qmbench
