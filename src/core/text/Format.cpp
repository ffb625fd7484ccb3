#include "core/text/Format.h"

#include "core/text/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <string>
#include <string_view>

#include <QVarLengthArray>

namespace qm {

namespace {

// An exact decimal number: sign, integer digits and fraction digits (no exponent).
struct Decimal {
    bool negative = false;
    std::string whole = "0";
    std::string fraction;

    void timesHundred() {
        while (fraction.size() < 2)
            fraction += '0';
        whole += fraction.substr(0, 2);
        fraction.erase(0, 2);
    }

    // Keep `places` fraction digits, rounding halves away from zero.
    void roundTo(std::size_t places) {
        if (fraction.size() <= places) {
            fraction.append(places - fraction.size(), '0');
            return;
        }
        const bool up = fraction[places] >= '5';
        fraction.resize(places);
        if (!up)
            return;
        std::string digits = whole + fraction;
        int i = static_cast<int>(digits.size()) - 1;
        for (; i >= 0; --i) {
            if (digits[static_cast<std::size_t>(i)] == '9') {
                digits[static_cast<std::size_t>(i)] = '0';
            } else {
                ++digits[static_cast<std::size_t>(i)];
                break;
            }
        }
        if (i < 0)
            digits.insert(digits.begin(), '1');
        whole = digits.substr(0, digits.size() - places);
        fraction = digits.substr(digits.size() - places);
    }
};

Decimal fromDouble(double value) {
    Decimal d;
    if (value == 0.0 || !std::isfinite(value))
        return d;
    d.negative = value < 0;
    // 15 significant digits: "d.ddddddddddddddde+XX", independent of the C locale.
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 14);
    const std::string text(buffer, result.ptr);
    const auto e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    const int exponent = std::atoi(text.c_str() + e + 1);
    // The point stands after digit number (exponent + 1).
    const int pointAt = exponent + 1;
    if (pointAt <= 0) {
        d.whole = "0";
        d.fraction = std::string(static_cast<std::size_t>(-pointAt), '0') + digits;
    } else if (pointAt >= static_cast<int>(digits.size())) {
        d.whole = digits + std::string(static_cast<std::size_t>(pointAt) - digits.size(), '0');
    } else {
        d.whole = digits.substr(0, static_cast<std::size_t>(pointAt));
        d.fraction = digits.substr(static_cast<std::size_t>(pointAt));
    }
    return d;
}

struct Pattern {
    int minWholeDigits = 0; // '0' places before the point
    bool grouping = false;  // ',' before the point
    bool hasPoint = false;
    int decimals = 0;      // '0' and '#' places after the point
    int fixedDecimals = 0; // '0' places after the point
    bool percent = false;
};

Pattern parse(QStringView text) {
    Pattern p;
    bool afterPoint = false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u'.') {
            afterPoint = true;
            p.hasPoint = true;
        } else if (c == u'%') {
            p.percent = true;
        } else if (c == u',' && !afterPoint) {
            p.grouping = true;
        } else if (c == u'0') {
            afterPoint ? (++p.decimals, ++p.fixedDecimals) : ++p.minWholeDigits;
        } else if (c == u'#') {
            if (afterPoint)
                ++p.decimals;
        }
    }
    return p;
}

// Writes a number by the pattern `p` from its significant integer digits (none for zero) and its
// `p.decimals` fraction digits, rounded: leading zeros, grouping, the point and the optional
// decimal places as the pattern asks. A value that rounds to zero shows no sign.
QString assemble(const Pattern& p, bool negative, std::string_view whole,
                 std::string_view fraction) {
    const bool zero = whole.empty() && fraction.find_first_not_of('0') == std::string_view::npos;
    // Optional ('#') decimal places drop their trailing zeros.
    while (fraction.size() > static_cast<std::size_t>(p.fixedDecimals) && fraction.back() == '0')
        fraction.remove_suffix(1);
    QVarLengthArray<char, 96> out;
    if (negative && !zero)
        out.append('-');
    const int digits = std::max(static_cast<int>(whole.size()), p.minWholeDigits);
    for (int i = 0; i < digits; ++i) {
        const int left = digits - i; // this digit's place, counted from the right
        if (p.grouping && i > 0 && left % 3 == 0)
            out.append(',');
        out.append(left > static_cast<int>(whole.size()) ? '0' : whole[whole.size() - left]);
    }
    if (p.hasPoint) {
        out.append('.');
        out.append(fraction.data(), static_cast<qsizetype>(fraction.size()));
    }
    if (p.percent)
        out.append('%');
    return QString::fromLatin1(out.data(), out.size());
}

QString render(Decimal d, QStringView patternText) {
    const Pattern p = parse(patternText);
    if (p.percent)
        d.timesHundred();
    d.roundTo(static_cast<std::size_t>(p.decimals));
    const auto significant = d.whole.find_first_not_of('0');
    const std::string_view whole = significant == std::string::npos
                                       ? std::string_view()
                                       : std::string_view(d.whole).substr(significant);
    return assemble(p, d.negative, whole, d.fraction);
}

// The same for an amount in ten-thousandths, in whole-number arithmetic: every amount of every
// page comes through here.
QString renderExact(std::int64_t raw, QStringView patternText) {
    const Pattern p = parse(patternText);
    // The magnitude in units of 10^-scale; unsigned, so that the most negative amount has one.
    unsigned long long magnitude = raw < 0 ? 0ULL - static_cast<unsigned long long>(raw)
                                           : static_cast<unsigned long long>(raw);
    // A percentage is a hundred times the amount: the same digits, the point two places on.
    const int scale = p.percent ? 2 : 4;
    // To the pattern's decimal places, halves away from zero.
    int places = scale;
    if (p.decimals < scale) {
        unsigned long long divisor = 1;
        for (int i = p.decimals; i < scale; ++i)
            divisor *= 10;
        const unsigned long long rest = magnitude % divisor;
        magnitude = magnitude / divisor + (rest >= divisor - rest ? 1 : 0);
        places = p.decimals;
    }
    unsigned long long unit = 1;
    for (int i = 0; i < places; ++i)
        unit *= 10;
    const unsigned long long whole = magnitude / unit;
    unsigned long long fraction = magnitude % unit;

    char wholeDigits[24];
    const auto wholeEnd =
        whole == 0 ? wholeDigits : std::to_chars(wholeDigits, std::end(wholeDigits), whole).ptr;
    // The fraction's digits: the places kept, then zeros up to the pattern's decimal places.
    char fractionDigits[64];
    const int fractionSize = std::min(p.decimals, static_cast<int>(sizeof fractionDigits));
    for (int i = places - 1; i >= 0; --i, fraction /= 10) {
        if (i < fractionSize)
            fractionDigits[i] = static_cast<char>('0' + fraction % 10);
    }
    for (int i = places; i < fractionSize; ++i)
        fractionDigits[i] = '0';
    return assemble(p, raw < 0,
                    std::string_view(wholeDigits, static_cast<std::size_t>(wholeEnd - wholeDigits)),
                    std::string_view(fractionDigits, static_cast<std::size_t>(fractionSize)));
}

} // namespace

QString RightJustify(QStringView text, int width) {
    if (width <= 0)
        return QString();
    if (text.size() >= width)
        return text.left(width).toString();
    // One allocation: every column of every page comes through here.
    QString out(width, QLatin1Char(' '));
    std::copy(text.begin(), text.end(), out.begin() + (width - text.size()));
    return out;
}

QString FormatNumber(Currency value, QStringView pattern) {
    return renderExact(value.raw(), pattern);
}

QString FormatNumber(double value, QStringView pattern) {
    return render(fromDouble(value), pattern);
}

QString FormatNumber(int value, QStringView pattern) {
    return renderExact(Currency::fromUnits(value).raw(), pattern);
}

QString FormatNumber(const QString& text, QStringView pattern) {
    if (pattern.isEmpty())
        return text;
    return FormatNumber(Val(text), pattern);
}

Currency ShownCents(double value) {
    if (!std::isfinite(value))
        throw OverflowError("amount not finite");
    Decimal d = fromDouble(value);
    d.roundTo(2);
    // Cents, then ten-thousandths; 20 digits already exceed the range, so the loop cannot wrap.
    const std::string digits = d.whole + d.fraction;
    if (digits.size() > 20)
        throw OverflowError("amount out of range");
    Int128 cents = 0;
    for (const char digit : digits)
        cents = cents * 10 + (digit - '0');
    const Int128 raw = cents * (Currency::Scale / 100);
    if (raw > std::numeric_limits<std::int64_t>::max())
        throw OverflowError("amount out of range");
    const auto magnitude = static_cast<std::int64_t>(raw);
    return Currency::fromRaw(d.negative ? -magnitude : magnitude);
}

} // namespace qm
