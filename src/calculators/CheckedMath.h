#pragma once

// The checked floating-point steps moved to the finance layer; this name stays for the
// calculators that still include it.
#include "finance/CheckedMath.h"
