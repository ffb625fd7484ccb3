// FormatNumber under every pattern of the program with amounts, doubles and whole numbers taken
// from the input. Amounts are checked digit for digit against whole-number arithmetic; doubles
// against the shape of the pattern and the value they stand for.

#include "FuzzCheck.h"

#include "core/text/Currency.h"
#include "core/text/Format.h"

#include <QString>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

__extension__ typedef __int128 Int128;

// What each pattern shows, written out by hand from its meaning.
struct Shape {
    const char16_t* pattern;
    int minWhole;      // integer digits always shown
    bool grouping;     // thousands separated by commas
    bool point;        // the decimal point shown
    int decimals;      // decimal places at most
    int fixedDecimals; // decimal places always shown
    bool percent;      // value x 100 and "%"
};

constexpr std::array<Shape, 17> Shapes{{
    {u"####,,###.00", 0, true, true, 2, 2, false},
    {u"###,,###.00", 0, true, true, 2, 2, false},
    {u"####,###.00", 0, true, true, 2, 2, false},
    {u"#,###.00", 0, true, true, 2, 2, false},
    {u"##,###.00", 0, true, true, 2, 2, false},
    {u"###.00", 0, false, true, 2, 2, false},
    {u"##.00", 0, false, true, 2, 2, false},
    {u"###.000", 0, false, true, 3, 3, false},
    {u"###.000%", 0, false, true, 3, 3, true},
    {u"###.00%", 0, false, true, 2, 2, true},
    {u"##", 0, false, false, 0, 0, false},
    {u"###", 0, false, false, 0, 0, false},
    {u"####", 0, false, false, 0, 0, false},
    {u"##.##", 0, false, true, 2, 0, false},
    {u"####,,###.0000", 0, true, true, 4, 4, false},
    {u"###,###.0000", 0, true, true, 4, 4, false},
    {u"####,,##0.0000", 1, true, true, 4, 4, false},
}};

std::string digitsOf(Int128 n) {
    std::string s;
    do {
        s.insert(s.begin(), static_cast<char>('0' + static_cast<int>(n % 10)));
        n /= 10;
    } while (n > 0);
    return s;
}

Int128 power10(int n) {
    Int128 p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// The text an amount of `raw` ten-thousandths must give.
std::string expected(std::int64_t raw, const Shape& s) {
    const bool negative = raw < 0;
    Int128 magnitude = negative ? -static_cast<Int128>(raw) : static_cast<Int128>(raw);
    if (s.percent)
        magnitude *= 100;
    const Int128 step = power10(4 - s.decimals);
    const Int128 rounded = (magnitude + step / 2) / step; // halves away from zero
    const Int128 whole = rounded / power10(s.decimals);
    std::string fraction = s.decimals > 0 ? digitsOf(rounded % power10(s.decimals)) : std::string();
    fraction.insert(0, static_cast<std::size_t>(s.decimals) - fraction.size(), '0');
    while (static_cast<int>(fraction.size()) > s.fixedDecimals && fraction.back() == '0')
        fraction.pop_back();
    std::string integer = whole == 0 ? std::string() : digitsOf(whole);
    if (static_cast<int>(integer.size()) < s.minWhole)
        integer.insert(0, static_cast<std::size_t>(s.minWhole) - integer.size(), '0');
    if (s.grouping) {
        for (int i = static_cast<int>(integer.size()) - 3; i > 0; i -= 3)
            integer.insert(static_cast<std::size_t>(i), 1, ',');
    }
    std::string out = negative && rounded != 0 ? "-" : "";
    out += integer;
    if (s.point)
        out += '.' + fraction;
    if (s.percent)
        out += '%';
    return out;
}

// A double's text: the pattern's shape, and within half a last place of the value (taken to
// 15 significant digits first, as the program does).
void checkDouble(double value, const Shape& s) {
    const std::string text = qm::FormatNumber(value, s.pattern).toStdString();
    // The description is only put together when a property is broken.
    const auto expect = [&](bool ok, const char* what) {
        if (!ok)
            qmfuzz::fail(std::string(what) + ", double " + std::to_string(value) + " as " +
                         QString::fromUtf16(s.pattern).toStdString() + ": \"" + text + "\"");
    };
    if (!std::isfinite(value)) {
        expect(text == expected(0, s), "a value that is not finite shows as zero");
        return;
    }
    std::size_t i = 0;
    const bool minus = !text.empty() && text[0] == '-';
    if (minus)
        ++i;
    std::string plain = minus ? "-" : "";
    int integerDigits = 0;
    int sinceComma = -1;
    for (; i < text.size() && text[i] != '.' && text[i] != '%'; ++i) {
        if (text[i] == ',') {
            expect(s.grouping && integerDigits > 0 && (sinceComma < 0 || sinceComma == 3),
                   "commas only between groups");
            sinceComma = 0;
            continue;
        }
        expect(text[i] >= '0' && text[i] <= '9', "integer digits only");
        plain += text[i];
        ++integerDigits;
        if (sinceComma >= 0)
            ++sinceComma;
    }
    expect(sinceComma < 0 || sinceComma == 3, "a last group of three");
    expect(integerDigits >= s.minWhole, "the integer digits the pattern shows");
    expect(integerDigits <= 1 || plain[minus ? 1 : 0] != '0', "no leading zero");
    expect(integerDigits <= 3 || s.grouping || text.find(',') == std::string::npos,
           "grouping only where the pattern asks");
    int fractionDigits = 0;
    if (s.point) {
        expect(i < text.size() && text[i] == '.', "the point is always shown");
        plain += text[i++];
        for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++fractionDigits)
            plain += text[i];
        expect(fractionDigits >= s.fixedDecimals && fractionDigits <= s.decimals,
               "the decimals of the pattern");
    }
    if (s.percent) {
        expect(i < text.size() && text[i] == '%', "a trailing percent sign");
        ++i;
    }
    expect(i == text.size(), "nothing after the number");

    // Worked in long double, which holds a percentage of the largest double.
    const long double shown =
        integerDigits + fractionDigits == 0 ? 0.0L : std::strtold(plain.c_str(), nullptr);
    const long double target = s.percent ? value * 100.0L : static_cast<long double>(value);
    const long double tolerance =
        0.5L * std::pow(10.0L, -s.decimals) * (1 + 1e-9L) + std::fabs(target) * 2e-14L;
    expect(std::fabs(shown - target) <= tolerance, "the value within rounding");
    expect(!minus || (value < 0 && shown != 0), "a minus sign only for a negative value");
    expect(minus || shown == 0 || value > 0, "a negative value keeps its sign");
}

template <typename T> T take(const std::uint8_t*& data, std::size_t& size) {
    T value{};
    const std::size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto raw = take<std::int64_t>(data, size);
    const auto number = take<double>(data, size);
    const auto whole = take<std::int32_t>(data, size);
    const auto scale = take<std::uint8_t>(data, size);
    // Amounts of every size: the raw value as it is, and cut down to a few digits.
    const std::int64_t cut = raw % static_cast<std::int64_t>(power10(scale % 19));
    for (const Shape& s : Shapes) {
        const std::string pattern = QString::fromUtf16(s.pattern).toStdString();
        for (const std::int64_t r : {raw, cut, static_cast<std::int64_t>(whole) * 10000}) {
            const std::string text =
                qm::FormatNumber(qm::Currency::fromRaw(r), s.pattern).toStdString();
            const std::string want = expected(r, s);
            if (text != want)
                qmfuzz::fail("amount " + std::to_string(r) + " as " + pattern + ": \"" + text +
                             "\" instead of \"" + want + "\"");
        }
        const std::string wholeText =
            qm::FormatNumber(static_cast<int>(whole), s.pattern).toStdString();
        if (wholeText != expected(static_cast<std::int64_t>(whole) * 10000, s))
            qmfuzz::fail("whole number " + std::to_string(whole) + " as " + pattern + ": \"" +
                         wholeText + "\"");
        checkDouble(number, s);
        checkDouble(std::ldexp(number, -(scale % 64)), s);
    }
    return 0;
}
