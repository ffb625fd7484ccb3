#pragma once

// A Qt header first: the meta-object compiler cannot read <compare> unless one came before it,
// and window headers with Q_OBJECT reach this one.
#include <QtGlobal>

#include <compare>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace qm {

// A calculation could not be completed: an amount left the Currency range, a whole number left
// the 16-bit range, a division by zero, a logarithm of a non-positive number, a non-finite result.
// Calculators let it propagate to their error trap, which shows "Wrong or missing entry".
class CalcError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class OverflowError : public CalcError {
public:
    using CalcError::CalcError;
};

// A 128-bit intermediate for products, quotients and range checks of raw amounts (a compiler
// extension on GCC and Clang).
__extension__ typedef __int128 Int128;

// Money: a signed 64-bit count of ten-thousandths of a unit (value x 10,000).
// Sums and differences are exact; every operation that would leave the range throws
// OverflowError instead of wrapping.
class Currency {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Currency() = default;

    static constexpr Currency fromRaw(std::int64_t tenThousandths) {
        Currency c;
        c.raw_ = tenThousandths;
        return c;
    }
    // Whole units, exactly.
    static Currency fromUnits(std::int64_t units);
    // Nearest ten-thousandth, ties to the even neighbour. Non-finite or out-of-range values throw.
    static Currency fromDouble(double value);

    constexpr std::int64_t raw() const { return raw_; }
    double toDouble() const { return static_cast<double>(raw_) / Scale; }
    bool isZero() const { return raw_ == 0; }

    Currency operator+(Currency other) const;
    Currency operator-(Currency other) const;
    Currency operator-() const;
    Currency& operator+=(Currency other) { return *this = *this + other; }
    Currency& operator-=(Currency other) { return *this = *this - other; }
    // Product of two amounts, rounded to four decimals (ties to even).
    Currency operator*(Currency other) const;

    constexpr auto operator<=>(const Currency&) const = default;

    // Plain decimal text with a point, e.g. "-12.5", "0.0001", "100" (no grouping, no
    // trailing zeros). Used where an exact machine-readable form is needed.
    std::string toPlainString() const;

private:
    std::int64_t raw_ = 0;
};

} // namespace qm
