#pragma once

// The database file: a comma-separated text file with CRLF line ends. A header line
// (RecordCount, FundCount, "All Records", "31"), one line per fund ("name"," k") and one line
// per record (fund index, price, shares, fees, cash dividend, book value, "type", #yyyy-mm-dd#).
// Amounts are plain decimals with a point, without trailing zeros.

#include "manager/Portfolio.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <optional>
#include <vector>

namespace qm {

// The file dialog's filter: the description shown and the pattern of the files listed.
inline const QString DatabaseFilterDescription =
    QStringLiteral("Investment Manager Database (*.QMD)");
inline const QString DatabaseFilterPattern = QStringLiteral("*.QMD");

// Limits of the reader. A line may hold the longest fund name the manager keeps; a file holds
// at most the header, 18 fund lines and 600 record lines.
inline constexpr int MaxLineLength = MaxFundNameLength + 64;
inline constexpr qint64 MaxFileBytes = 8 * 1024 * 1024;

// What a database file holds.
struct DatabaseContents {
    int fundCount = 0;
    std::array<QString, FundEntries> fundNames{}; // entries 1..fundCount
    std::vector<Record> records;                  // record r at index r - 1, numbered r
};

// The portfolio's file text (UTF-8): funds 1..FundCount in table order, records 1..RecordCount.
QByteArray WriteDatabase(const Portfolio& p);

// Reads a whole database file. Nothing is returned for anything that is not a well-formed file
// within the manager's limits: too short, more than 18 funds or 600 records, a bad count,
// number, date literal, fund index or type code, an unterminated quote, an overlong line, or
// anything but blank lines after the last record.
std::optional<DatabaseContents> ReadDatabase(const QByteArray& bytes);
std::optional<DatabaseContents> ReadDatabase(QIODevice& device);
std::optional<DatabaseContents> ReadDatabaseFile(const QString& path);

// Writes the file through a temporary file that replaces the old one only when everything was
// written: a failed save leaves any previous file as it was. False on failure.
bool WriteDatabaseFile(const Portfolio& p, const QString& path);

// Replaces the model by the contents of a file (RecordNumber = position); the database name
// becomes the file's name without its folder.
void LoadContents(Portfolio& p, const DatabaseContents& contents, const QString& path);

// The "Open file" tab once the file dialog has closed: `path` is the chosen file, or nothing
// when the dialog was cancelled. A file that cannot be read gives message 13 and an empty
// model with no database name. In every case FundTotals is made anew (typed prices forgotten).
// Returns the messages to show; the window then selects the entry tab.
std::vector<int> OpenDatabase(Portfolio& p, const std::optional<QString>& path);

// The "Save file" tab before the file dialog: with no records, message 15 and no dialog.
bool BeginSave(const Portfolio& p, std::vector<int>& messages);

// The "Save file" tab once the file dialog has closed (`path` nothing when cancelled). A
// successful save names the database after the file and clears UnsavedChanges; a failed one
// gives message 25 and changes nothing. Returns the messages to show.
std::vector<int> SaveDatabase(Portfolio& p, const std::optional<QString>& path);

} // namespace qm
