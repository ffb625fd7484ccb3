#pragma once

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace qm {

// "Today" for the whole program. Tests replace the source so no result depends on the date.
QDate Today();
// Installs another source of today's date; an empty function restores the system clock.
void SetTodaySource(std::function<QDate()> source);
// The time now on the program's clock: Today() at the system's time of day.
QDateTime Now();

// The program's short date: numeric, in the field order of the locale's short date, with a
// four-digit year and the locale's separator when that is "/", "." or "-" (else "/"). Day and
// month keep the locale's padding. The C locale gives month/day/year: 1/15/2001.
QString ShortDate(QDate date, const QLocale& locale = QLocale());

// Reads a typed date in the locale's field order: one- or two-digit day and month, a two- or
// four-digit year (yy means 19yy when yy >= 30, else 20yy), the fields separated by one of
// "/", ".", "-" or a blank. The ISO form yyyy-m-d (2025-01-15) is read in every locale.
// Anything else is not a date.
std::optional<QDate> ParseDate(QStringView text, const QLocale& locale = QLocale());

// The database file's date literal: #yyyy-mm-dd#.
QString DateLiteral(QDate date);
std::optional<QDate> ParseDateLiteral(QStringView text);

} // namespace qm
