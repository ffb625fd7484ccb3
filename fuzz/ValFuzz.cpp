// Val over arbitrary texts: never NaN, the same number as the C library reads from the leading
// number it describes, and blind to blanks put anywhere.

#include "FuzzCheck.h"

#include "core/text/Conversions.h"

#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using qmfuzz::check;

namespace {

// The first byte chooses how the rest becomes a text: Latin-1, UTF-8 or UTF-16.
QString textOf(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return QString();
    const char* rest = reinterpret_cast<const char*>(data + 1);
    const auto n = static_cast<qsizetype>(size - 1);
    switch (data[0] % 3) {
    case 0:
        return QString::fromLatin1(rest, n);
    case 1:
        return QString::fromUtf8(rest, n);
    default:
        return QString::fromUtf16(reinterpret_cast<const char16_t*>(rest), n / 2);
    }
}

// The leading number the way a person reads the rule: blanks, tabs and line feeds dropped;
// a sign, digits, one point, digits; the rest ignored.
std::string leadingNumber(const QString& text) {
    std::string out;
    bool point = false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == u' ' || c == u'\t' || c == u'\n')
            continue;
        if ((c == u'-' || c == u'+') && out.empty())
            out += static_cast<char>(c);
        else if (c >= u'0' && c <= u'9')
            out += static_cast<char>(c);
        else if (c == u'.' && !point)
            point = true, out += '.';
        else
            break;
    }
    return out;
}

double reference(const std::string& number) {
    if (number.find_first_of("0123456789") == std::string::npos)
        return 0.0;
    return std::strtod(number.c_str(), nullptr);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = textOf(data, size);
    const double value = qm::Val(text);
    check(!std::isnan(value), "Val is never NaN");

    const std::string number = leadingNumber(text);
    const double expected = reference(number);
    // Beyond the range of a double both give an infinity; below it Val gives 0 where the C
    // library may still give a denormal.
    const bool tiny = std::fabs(expected) < 1e-300;
    check(value == expected || (tiny && value == 0.0),
          [&] { return "Val agrees with the C library for \"" + number + "\""; });

    if (size > 1) {
        QString spaced = text;
        spaced.insert(static_cast<qsizetype>(data[1]) % (text.size() + 1), QLatin1Char(' '));
        check(qm::Val(spaced) == value, "a blank anywhere does not change Val");
    }
    return 0;
}
