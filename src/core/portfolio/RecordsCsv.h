#pragma once

// The records of a portfolio as a table for spreadsheets: comma-separated values, quoted where a
// field needs it, UTF-8.

#include "core/portfolio/Portfolio.h"

#include <QByteArray>
#include <QString>

namespace qm {

// One field: as it is, or in double quotes (inner quotes doubled) when it holds a comma, a
// double quote, a line break or blanks at either end.
QString CsvField(const QString& text);

// A text field a spreadsheet shows as text: one that begins with "=", "+", "-", "@", a tab or a
// carriage return (which a spreadsheet would take for a formula) gets a leading apostrophe, the
// spreadsheet's own mark of a text cell; then CsvField.
QString CsvText(const QString& text);

// An amount with a point and exactly four decimals, no grouping: "-1234.5000".
QString CsvAmount(Currency amount);

// The header "Fund,Type,Date,Price,Shares,Fees,Cash dividend,Book value", then one row per
// record in date order (records of one date in the order they are kept): the fund's name and
// the type's full name (CsvText), the date as yyyy-mm-dd and the five amounts. Every row ends in
// "\r\n".
QByteArray RecordsCsv(const Portfolio& p);

} // namespace qm
