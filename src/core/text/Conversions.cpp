#include "core/text/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

namespace qm {

double Int(double x) {
    return std::floor(x);
}

Currency Int(Currency x) {
    const std::int64_t raw = x.raw();
    std::int64_t whole = raw / Currency::Scale;
    if (raw % Currency::Scale < 0)
        --whole;
    return Currency::fromRaw(whole * Currency::Scale);
}

double Val(QStringView text) {
    std::string number;
    bool sawSign = false;
    bool sawDigitOrPoint = false;
    bool sawPoint = false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if ((c == u'-' || c == u'+') && !sawSign && !sawDigitOrPoint) {
            sawSign = true;
            if (c == u'-')
                number += '-';
            continue;
        }
        if (c >= u'0' && c <= u'9') {
            sawDigitOrPoint = true;
            number += static_cast<char>(c);
            continue;
        }
        if (c == u'.' && !sawPoint) {
            sawPoint = true;
            sawDigitOrPoint = true;
            number += '.';
            continue;
        }
        break;
    }
    if (number.empty() || number == "-" || number == "." || number == "-.")
        return 0.0;
    // from_chars ignores the C locale, so "." is the decimal point whatever the system uses.
    double value = 0.0;
    const char* first = number.data();
    const char* last = first + number.size();
    if (*first == '-')
        ++first;
    const auto [end, error] = std::from_chars(first, last, value);
    (void)end;
    if (error == std::errc::result_out_of_range) {
        // Too many digits for a double: huge when the integer part has a non-zero digit,
        // otherwise a vanishingly small fraction.
        const std::string_view whole(first, std::find(first, last, '.'));
        const bool huge = whole.find_first_not_of('0') != std::string_view::npos;
        value = huge ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return number.front() == '-' ? -value : value;
}

std::int16_t ToWhole(double x) {
    if (!std::isfinite(x))
        throw OverflowError("Whole-number overflow");
    const double rounded = std::nearbyint(x); // ties to even
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max())
        throw OverflowError("Whole-number overflow");
    return static_cast<std::int16_t>(rounded);
}

std::int16_t ToWhole(Currency x) {
    const std::int64_t raw = x.raw();
    std::int64_t whole = raw / Currency::Scale;
    const std::int64_t rest = raw % Currency::Scale; // same sign as raw
    const std::int64_t twice = rest < 0 ? -2 * rest : 2 * rest;
    if (twice > Currency::Scale || (twice == Currency::Scale && whole % 2 != 0))
        whole += raw < 0 ? -1 : 1;
    if (whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max())
        throw OverflowError("Whole-number overflow");
    return static_cast<std::int16_t>(whole);
}

} // namespace qm
