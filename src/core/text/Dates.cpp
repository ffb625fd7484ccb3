#include "core/text/Dates.h"

#include <array>
#include <charconv>

namespace qm {

namespace {

std::function<QDate()>& todaySource() {
    static std::function<QDate()> source;
    return source;
}

enum class Field { Day, Month, Year };

struct ShortDateLayout {
    std::array<Field, 3> order{Field::Month, Field::Day, Field::Year};
    QChar separator = QLatin1Char('/');
    bool padDay = false;
    bool padMonth = false;
};

ShortDateLayout readLayout(const QLocale& locale) {
    ShortDateLayout layout;
    if (locale.language() == QLocale::C)
        return layout;
    const QString format = locale.dateFormat(QLocale::ShortFormat);
    std::array<Field, 3> order{};
    int found = 0;
    bool separatorSeen = false;
    QChar separator = QLatin1Char('/');
    for (qsizetype i = 0; i < format.size();) {
        const QChar c = format.at(i);
        qsizetype run = 1;
        while (i + run < format.size() && format.at(i + run) == c)
            ++run;
        if (c == QLatin1Char('d') || c == QLatin1Char('M') || c == QLatin1Char('y')) {
            const Field field = c == QLatin1Char('d')   ? Field::Day
                                : c == QLatin1Char('M') ? Field::Month
                                                        : Field::Year;
            if (found < 3)
                order[static_cast<std::size_t>(found++)] = field;
            if (field == Field::Day)
                layout.padDay = run == 2;
            if (field == Field::Month)
                layout.padMonth = run == 2;
        } else if (found == 1 && !separatorSeen && !c.isLetter()) {
            separator = c;
            separatorSeen = true;
        }
        i += run;
    }
    if (found != 3 || order[0] == order[1] || order[1] == order[2] || order[0] == order[2])
        return ShortDateLayout{};
    layout.order = order;
    if (separator == QLatin1Char('/') || separator == QLatin1Char('.') ||
        separator == QLatin1Char('-'))
        layout.separator = separator;
    return layout;
}

// The layout of the locale asked for last: reading a locale's date format takes longer than
// the rest of a date, and a report writes one date for every record.
ShortDateLayout layoutOf(const QLocale& locale) {
    thread_local QLocale lastLocale = QLocale::c();
    thread_local ShortDateLayout lastLayout = readLayout(lastLocale);
    if (!(locale == lastLocale)) {
        lastLayout = readLayout(locale);
        lastLocale = locale;
    }
    return lastLayout;
}

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('.') || c == QLatin1Char('-') ||
           c == QLatin1Char(' ');
}

} // namespace

QDate Today() {
    const auto& source = todaySource();
    return source ? source() : QDate::currentDate();
}

void SetTodaySource(std::function<QDate()> source) {
    todaySource() = std::move(source);
}

QDateTime Now() {
    return QDateTime(Today(), QTime::currentTime());
}

QString ShortDate(QDate date, const QLocale& locale) {
    if (!date.isValid())
        return QString();
    const ShortDateLayout layout = layoutOf(locale);
    QString out;
    out.reserve(10);
    // A number with at least `digits` digits, zeros on the left.
    const auto append = [&out](int n, int digits) {
        char buffer[16];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, n).ptr;
        for (auto length = end - buffer; length < digits; ++length)
            out += QLatin1Char('0');
        out += QLatin1String(buffer, end);
    };
    for (std::size_t i = 0; i < 3; ++i) {
        if (i > 0)
            out += layout.separator;
        switch (layout.order[i]) {
        case Field::Day:
            append(date.day(), layout.padDay ? 2 : 1);
            break;
        case Field::Month:
            append(date.month(), layout.padMonth ? 2 : 1);
            break;
        case Field::Year:
            append(date.year(), 4);
            break;
        }
    }
    return out;
}

std::optional<QDate> ParseDate(QStringView text, const QLocale& locale) {
    const QStringView trimmed = text.trimmed();
    std::array<QStringView, 3> parts;
    int count = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= trimmed.size(); ++i) {
        if (i == trimmed.size() || isSeparator(trimmed.at(i))) {
            if (count == 3)
                return std::nullopt;
            parts[static_cast<std::size_t>(count++)] = trimmed.mid(start, i - start);
            start = i + 1;
        }
    }
    if (count != 3)
        return std::nullopt;
    // The ISO form, as the records' CSV writes dates, whatever the locale: a four-digit year
    // first is never a day or a month.
    const bool iso = parts[0].size() == 4 && trimmed.at(4) == QLatin1Char('-') &&
                     trimmed.at(5 + parts[1].size()) == QLatin1Char('-');
    ShortDateLayout layout = layoutOf(locale);
    if (iso)
        layout.order = {Field::Year, Field::Month, Field::Day};
    int day = 0, month = 0, year = 0;
    for (std::size_t i = 0; i < 3; ++i) {
        const QStringView part = parts[i];
        for (const QChar c : part) {
            if (!c.isDigit() || c.unicode() > u'9')
                return std::nullopt;
        }
        const int value = part.toInt();
        switch (layout.order[i]) {
        case Field::Day:
        case Field::Month:
            if (part.isEmpty() || part.size() > 2)
                return std::nullopt;
            (layout.order[i] == Field::Day ? day : month) = value;
            break;
        case Field::Year:
            if (part.size() == 2)
                year = value >= 30 ? 1900 + value : 2000 + value;
            else if (part.size() == 4)
                year = value;
            else
                return std::nullopt;
            break;
        }
    }
    const QDate date(year, month, day);
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString DateLiteral(QDate date) {
    // Written digit by digit: a save writes one for every record.
    const int year = date.year();
    const int month = date.month();
    const int day = date.day();
    if (year < 0 || year > 9999)
        return QStringLiteral("#%1-%2-%3#")
            .arg(year, 4, 10, QLatin1Char('0'))
            .arg(month, 2, 10, QLatin1Char('0'))
            .arg(day, 2, 10, QLatin1Char('0'));
    const char text[] = {'#',
                         static_cast<char>('0' + year / 1000),
                         static_cast<char>('0' + year / 100 % 10),
                         static_cast<char>('0' + year / 10 % 10),
                         static_cast<char>('0' + year % 10),
                         '-',
                         static_cast<char>('0' + month / 10),
                         static_cast<char>('0' + month % 10),
                         '-',
                         static_cast<char>('0' + day / 10),
                         static_cast<char>('0' + day % 10),
                         '#'};
    return QString::fromLatin1(text, sizeof text);
}

std::optional<QDate> ParseDateLiteral(QStringView text) {
    // Exactly #yyyy-mm-dd#.
    if (text.size() != 12 || text.front() != QLatin1Char('#') || text.back() != QLatin1Char('#') ||
        text.at(5) != QLatin1Char('-') || text.at(8) != QLatin1Char('-'))
        return std::nullopt;
    for (qsizetype i : {1, 2, 3, 4, 6, 7, 9, 10}) {
        const char16_t c = text.at(i).unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    const QDate date(text.mid(1, 4).toInt(), text.mid(6, 2).toInt(), text.mid(9, 2).toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

} // namespace qm
