#pragma once

// The checked steps now live with the formulas; this name stays for the calculators that still
// include it.
#include "finance/CheckedMath.h"
