// The typed-date reader in several locales and the file's date literal over arbitrary texts:
// whatever is read back as a date is a valid date that its own short form reads back to, and a
// literal is only ever read from its one exact form.

#include "FuzzCheck.h"

#include "core/text/Dates.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using qmfuzz::check;

namespace {

const std::vector<QLocale>& locales() {
    static const std::vector<QLocale> all{
        QLocale::c(),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::English, QLocale::UnitedKingdom),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Japanese, QLocale::Japan),
        QLocale(QLocale::Hungarian, QLocale::Hungary),
        QLocale(QLocale::Dutch, QLocale::Netherlands),
    };
    return all;
}

std::string show(const QString& text) {
    return "\"" + text.toStdString() + "\"";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    for (const QLocale& locale : locales()) {
        const auto where = [&](const std::string& what) {
            return [&, what] { return show(text) + what + " in " + locale.name().toStdString(); };
        };
        if (const std::optional<QDate> date = qm::ParseDate(text, locale)) {
            check(date->isValid() && date->year() >= 1 && date->year() <= 9999,
                  where(" read as a valid date"));
            const QString shortDate = qm::ShortDate(*date, locale);
            check(qm::ParseDate(shortDate, locale) == date,
                  where(" gave " + show(shortDate) + ", which reads back"));
        }
    }

    if (const std::optional<QDate> date = qm::ParseDateLiteral(text)) {
        check(date->isValid(), [&] { return show(text) + " read as a valid literal"; });
        check(qm::DateLiteral(*date) == text,
              [&] { return show(text) + " is the literal of what it gave"; });
    }

    // A date drawn from the input goes through every form and back.
    if (size >= 4) {
        std::uint32_t n = 0;
        std::memcpy(&n, data, sizeof n);
        const QDate date = QDate(1, 1, 1).addDays(n % 3652059); // 0001-01-01 .. 9999-12-31
        check(qm::ParseDateLiteral(qm::DateLiteral(date)) == date, [&] {
            return "literal of " + date.toString(Qt::ISODate).toStdString() + " reads back";
        });
        for (const QLocale& locale : locales()) {
            const QString shortDate = qm::ShortDate(date, locale);
            check(qm::ParseDate(shortDate, locale) == date, [&] {
                return show(shortDate) + " reads back in " + locale.name().toStdString();
            });
        }
    }
    return 0;
}
