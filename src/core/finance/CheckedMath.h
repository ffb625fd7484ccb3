#pragma once

#include "core/text/Currency.h"

#include <cmath>

namespace qm {

// Floating-point steps of the formulas that must fail instead of producing an infinity or a
// NaN: each throws CalcError, which the Compute functions turn into their error value and the
// calculators' error trap into "Wrong or missing entry".

inline double Finite(double x) {
    if (!std::isfinite(x))
        throw CalcError("result is not a finite number");
    return x;
}

inline double Divide(double numerator, double denominator) {
    if (denominator == 0.0)
        throw CalcError("division by zero");
    return Finite(numerator / denominator);
}

// Natural logarithm of a positive number.
inline double Ln(double x) {
    if (!(x > 0.0))
        throw CalcError("logarithm of a number that is not positive");
    return Finite(std::log(x));
}

inline double Add(double a, double b) {
    return Finite(a + b);
}

inline double Sub(double a, double b) {
    return Finite(a - b);
}

inline double Mul(double a, double b) {
    return Finite(a * b);
}

inline double Exp(double x) {
    return Finite(std::exp(x));
}

// base ^ exponent; a negative base with a fractional exponent has no real value.
inline double Power(double base, double exponent) {
    return Finite(std::pow(base, exponent));
}

} // namespace qm
