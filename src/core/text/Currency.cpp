#include "core/text/Currency.h"

#include <cmath>
#include <limits>

namespace qm {

namespace {

constexpr std::int64_t MaxRaw = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t MinRaw = std::numeric_limits<std::int64_t>::min();

[[noreturn]] void overflow() {
    throw OverflowError("Currency overflow");
}

Currency checked(Int128 raw) {
    if (raw > MaxRaw || raw < MinRaw)
        overflow();
    return Currency::fromRaw(static_cast<std::int64_t>(raw));
}

} // namespace

Currency Currency::fromUnits(std::int64_t units) {
    return checked(static_cast<Int128>(units) * Scale);
}

Currency Currency::fromDouble(double value) {
    if (!std::isfinite(value))
        overflow();
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    constexpr double Limit = 9223372036854775808.0;
    const double scaled = std::nearbyint(value * static_cast<double>(Scale)); // ties to even
    if (!(scaled < Limit && scaled >= -Limit))
        overflow();
    return fromRaw(static_cast<std::int64_t>(scaled));
}

Currency Currency::operator+(Currency other) const {
    std::int64_t out;
    if (__builtin_add_overflow(raw_, other.raw_, &out))
        overflow();
    return fromRaw(out);
}

Currency Currency::operator-(Currency other) const {
    std::int64_t out;
    if (__builtin_sub_overflow(raw_, other.raw_, &out))
        overflow();
    return fromRaw(out);
}

Currency Currency::operator-() const {
    if (raw_ == MinRaw)
        overflow();
    return fromRaw(-raw_);
}

Currency Currency::operator*(Currency other) const {
    const Int128 product = static_cast<Int128>(raw_) * other.raw_;
    Int128 quotient = product / Scale;
    const Int128 remainder = product % Scale; // same sign as product
    const Int128 twice = remainder < 0 ? -2 * remainder : 2 * remainder;
    if (twice > Scale || (twice == Scale && (quotient % 2 != 0)))
        quotient += product < 0 ? -1 : 1;
    return checked(quotient);
}

std::string Currency::toPlainString() const {
    const bool negative = raw_ < 0;
    // Work in unsigned so the most negative value does not overflow on negation.
    const unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(raw_)
                                                  : static_cast<unsigned long long>(raw_);
    std::string text = std::to_string(magnitude / Scale);
    unsigned long long fraction = magnitude % Scale;
    if (fraction != 0) {
        std::string digits = std::to_string(fraction);
        digits.insert(0, 4 - digits.size(), '0');
        while (digits.back() == '0')
            digits.pop_back();
        text += '.' + digits;
    }
    return negative ? '-' + text : text;
}

} // namespace qm
