#pragma once

// The database file: a comma-separated text file with CRLF line ends. A header line
// (RecordCount, FundCount, "All Records", "31"), one line per fund ("name"," k") and one line
// per record (fund index, price, shares, fees, cash dividend, book value, "type", #yyyy-mm-dd#).
// Amounts are plain decimals with a point, without trailing zeros.

#include "core/portfolio/Portfolio.h"
#include "core/text/TextEncoding.h"

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
    TextEncoding encoding = TextEncoding::Utf8;   // what the file was read as
    FileStamp stamp;                              // the file read (ReadDatabaseFile)
};

// The portfolio's file text: funds 1..FundCount in table order, records 1..RecordCount. It is
// in the encoding of the file the portfolio came from (p.fileEncoding) when every fund name has
// a byte there and the bytes cannot be taken for UTF-8 when read back; else in UTF-8.
struct DatabaseText {
    QByteArray bytes;
    TextEncoding encoding = TextEncoding::Utf8;
};
DatabaseText EncodeDatabase(const Portfolio& p);
QByteArray WriteDatabase(const Portfolio& p); // EncodeDatabase(p).bytes

// Reads a whole database file: bytes that are valid UTF-8 as UTF-8, any others as
// Windows-1252 (so no character is lost). Nothing is returned for anything that is not a
// well-formed file within the manager's limits: too short, more than 18 funds or 600 records, a
// bad count, number, date literal, fund index or type code, an unterminated quote, an overlong
// line, or anything but blank lines after the last record.
std::optional<DatabaseContents> ReadDatabase(const QByteArray& bytes);
std::optional<DatabaseContents> ReadDatabase(QIODevice& device);
std::optional<DatabaseContents> ReadDatabaseFile(const QString& path);

// Why a file could not be read, for the user: the line at fault (1 the header line), or 0 when
// no one line is (the file is missing, unreadable, empty, too large or too short), and the
// reason as a clause ("the date literal #2025-13-01# is not a date.").
struct ReadFailure {
    int line = 0;
    QString reason;

    // "Line 7: the date literal ..." or, with no line, the reason as a sentence.
    QString text() const;
};

// A read that says why it failed: the contents, or the failure.
struct DatabaseRead {
    std::optional<DatabaseContents> contents;
    ReadFailure failure; // when there are no contents

    explicit operator bool() const { return contents.has_value(); }
};

// ReadDatabase and ReadDatabaseFile, with the reason when nothing is read.
DatabaseRead ReadDatabaseDetailed(const QByteArray& bytes);
DatabaseRead ReadDatabaseFileDetailed(const QString& path);

// Whether the file `path` is no longer the one `stamp` describes (another program wrote it since
// it was read or written here). A file that is gone, or a stamp of no file, is no change.
bool ChangedOnDisk(const QString& path, const FileStamp& stamp);

// How writing a database file went.
struct FileWriteResult {
    bool written = false;
    bool notAFileName = false; // the path names a folder or nothing: nothing was tried
    QString reason;            // the system's reason for any other failure
    TextEncoding encoding = TextEncoding::Utf8; // what was written
    FileStamp stamp;                            // the file written

    explicit operator bool() const { return written; }
};

// How many files a save keeps of those it replaced: NAME.bak (the last), NAME.bak.2, NAME.bak.3.
inline constexpr int BackupGenerations = 3;

// Writes the file through a temporary file that replaces the old one only when everything was
// written: a failed write leaves any previous file as it was. The file replaced is kept beside
// it as NAME.bak (the older ones moving down, BackupGenerations in all), made only once the new
// file is fully written; when the new file cannot be put in place the backups are left as they
// were too.
FileWriteResult WriteDatabaseFile(const Portfolio& p, const QString& path);

// The message of a write that failed for `reason`.
QString SaveFailureText(const QString& path, const QString& reason);

// Replaces the model by the contents of a file (RecordNumber = position); the portfolio then
// holds the file's full path, its encoding, and as database name the file's name without its
// folder.
void LoadContents(Portfolio& p, const DatabaseContents& contents, const QString& path);

// The "Open file" tab once the file dialog has closed: `path` is the chosen file, or nothing
// when the dialog was cancelled. A file that cannot be read gives message 13 and an empty
// model with no database name. In every case FundTotals is made anew (typed prices forgotten).
// Returns the messages to show; the window then selects the entry tab. `failure`, when given,
// gets what message 13 leaves out: the file and why it could not be read (else it is emptied).
std::vector<Message> OpenDatabase(Portfolio& p, const std::optional<QString>& path,
                                  QString* failure = nullptr);

// The "Save file" tab before the file dialog: with no records, message 15 and no dialog.
bool BeginSave(const Portfolio& p, std::vector<Message>& messages);

// What the "Save file" tab shows after the dialog.
struct SaveOutcome {
    bool saved = false;
    std::vector<Message> messages; // 15 no records, 25 a name that is not a file name
    QString failure;               // a write that failed: the file, the reason, the file kept

    bool nothingToShow() const { return messages.empty() && failure.isEmpty(); }
};

// The "Save file" tab once the file dialog has closed (`path` nothing when cancelled). A
// successful save makes the portfolio hold the file's path and name and clears
// UnsavedChanges; a failed one changes nothing in memory.
SaveOutcome SaveDatabase(Portfolio& p, const std::optional<QString>& path);

} // namespace qm
