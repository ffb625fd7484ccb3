#pragma once

// Names and failure output for the rows of table-driven tests: a failing row shows its fields
// and a test name that says which row it is.

#include "core/text/Currency.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cstdint>
#include <gtest/gtest.h>
#include <map>
#include <ostream>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

// Texts, dates and amounts in failure output as text (GoogleTest finds these by argument type).
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* os) {
    const char* separator = "{ ";
    for (const QString& t : texts) {
        *os << separator << '"' << t.toStdString() << '"';
        separator = ", ";
    }
    *os << (texts.isEmpty() ? "{ }" : " }");
}
// Bytes as a C string: printable ASCII as it is, every other byte escaped; long ones cut short.
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    constexpr qsizetype Shown = 120;
    *os << '"';
    for (qsizetype i = 0; i < std::min(bytes.size(), Shown); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c == '"' || c == '\\')
            *os << '\\' << c;
        else if (c >= 0x20 && c < 0x7f)
            *os << c;
        else {
            const char* hex = "0123456789abcdef";
            *os << "\\x" << hex[c >> 4] << hex[c & 15];
        }
    }
    *os << '"';
    if (bytes.size() > Shown)
        *os << "... (" << bytes.size() << " bytes)";
}
inline void PrintTo(const QDate& date, std::ostream* os) {
    *os << (date.isValid() ? date.toString(QStringLiteral("M/d/yyyy")).toStdString()
                           : std::string("invalid date"));
}

namespace qm {
// An amount with its four decimals: -12.5000.
inline void PrintTo(const Currency& amount, std::ostream* os) {
    const std::int64_t raw = amount.raw();
    const std::uint64_t magnitude =
        raw < 0 ? std::uint64_t(0) - static_cast<std::uint64_t>(raw) : std::uint64_t(raw);
    std::string decimals = std::to_string(magnitude % Currency::Scale);
    decimals.insert(0, 4 - decimals.size(), '0');
    *os << (raw < 0 ? "-" : "") << magnitude / Currency::Scale << '.' << decimals;
}
} // namespace qm

namespace qmtest {

inline std::string QuotedText(const char* text) {
    return text ? '"' + std::string(text) + '"' : std::string("null");
}
inline std::string QuotedText(const char16_t* text) {
    return text ? '"' + QString::fromUtf16(text).toStdString() + '"' : std::string("null");
}

template <typename T> struct IsList : std::false_type {};
template <typename T, typename A> struct IsList<std::vector<T, A>> : std::true_type {};
template <typename T, std::size_t N> struct IsList<std::array<T, N>> : std::true_type {};
template <typename K, typename V, typename C, typename A>
struct IsList<std::map<K, V, C, A>> : std::true_type {};
template <typename T> struct IsPair : std::false_type {};
template <typename A, typename B> struct IsPair<std::pair<A, B>> : std::true_type {};

// One field as failure output shows it: texts in quotes (in lists too), enumerations as numbers,
// everything else as GoogleTest prints it.
template <typename Field> std::string FieldText(const Field& field) {
    if constexpr (std::is_same_v<Field, QByteArray>)
        return ::testing::PrintToString(field);
    else if constexpr (std::is_convertible_v<Field, const char*> ||
                       std::is_convertible_v<Field, const char16_t*>)
        return QuotedText(field);
    else if constexpr (std::is_floating_point_v<Field>) {
        char digits[64];
        return std::string(
            digits,
            std::to_chars(digits, digits + sizeof digits, field, std::chars_format::fixed).ptr);
    } else if constexpr (std::is_enum_v<Field>)
        return std::to_string(static_cast<long long>(field));
    else if constexpr (IsPair<Field>::value)
        return FieldText(field.first) + ": " + FieldText(field.second);
    else if constexpr (IsList<Field>::value) {
        std::string text = "{";
        for (const auto& item : field)
            text += (text.size() > 1 ? ", " : " ") + FieldText(item);
        return text + " }";
    } else
        return ::testing::PrintToString(field);
}

// A row's fields in order, for a row type's PrintTo: `{ 1000, "###.00", "1,000.00" }`.
template <typename... Fields> void PrintFields(std::ostream* os, const Fields&... fields) {
    const char* separator = "{ ";
    ((*os << separator << FieldText(fields), separator = ", "), ...);
    *os << " }";
}

// A test name part: letters and digits kept, a minus sign before a number spelt "minus", every
// other run of characters one underscore; an empty text is "empty", a text of signs only spelt.
inline std::string Identifier(const std::string& text) {
    if (text.empty() || text == "\"\"")
        return "empty";
    std::string name;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool signOfNumber =
            (i == 0 || !std::isalnum(static_cast<unsigned char>(text[i - 1]))) &&
            i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]));
        if (std::isalnum(c))
            name += static_cast<char>(c);
        else if (c == '-' && signOfNumber)
            name += name.empty() || name.back() == '_' ? "minus" : "_minus";
        else if (!name.empty() && name.back() != '_')
            name += '_';
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    if (name.empty()) // only signs: spelt out
        for (const char c : text)
            name += c == '.' ? "point" : c == '-' ? "minus" : c == '$' ? "dollar" : "";
    return name.empty() ? std::string("other") : name;
}

// A test name made of the given parts, joined by underscores (for rows without a `name` field).
template <typename... Parts> std::string NameOf(const Parts&... parts) {
    std::string name;
    ((name += (name.empty() ? "" : "_") + Identifier(FieldText(parts))), ...);
    return name;
}

// A test name made of a case's `name` field.
template <typename Case> std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name;
    for (const char* c = info.param.name; *c; ++c)
        name += std::isalnum(static_cast<unsigned char>(*c)) ? *c : '_';
    return name;
}

} // namespace qmtest
