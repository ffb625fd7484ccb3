#pragma once

// The scratch files a save of a database file makes beside it: the temporary file the new file
// is written to (NAME.XXXXXX, renamed to NAME when it is whole) and the second name of the file
// it replaces (NAME.bak-xxxxxxxx, renamed to NAME.bak). A program stopped part-way through a
// save leaves them behind; the next save of the same file removes them.

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace qm {

// How long ago a scratch file must have been last written to count as left behind: a save that
// another copy of the program has under way takes far less, and its files are left alone.
inline constexpr qint64 LeftoverAgeSeconds = 60;

// How many of a file's first bytes IsLeftoverOfSave looks at.
inline constexpr qsizetype LeftoverHeadBytes = 64;

// Whether the file `name`, in the same folder as the database file named `databaseName`, is a
// scratch file of an interrupted save of that database and may be removed. `head` is the
// file's first bytes (LeftoverHeadBytes, or all of a shorter file), `modified` its last
// modification and `now` the time of the check. Removed are only files last modified at least
// LeftoverAgeSeconds before `now` that are
//  - named databaseName + ".bak-" + exactly 8 lowercase hex digits (only a save makes those), or
//  - named databaseName + "." + exactly 6 letters or digits (a temporary file's name, which a
//    user's own file may also have: "Broker.QMD.2024ok") and empty or beginning with the header
//    line a save writes (12,3,"All Records","31" and CRLF), so that a file of the user's is kept.
// Nothing else is: not the database, its backups NAME.bak, NAME.bak.2, NAME.bak.3, nor any other
// name, and not a file modified at an unknown time or later than `now`.
bool IsLeftoverOfSave(const QString& databaseName, const QString& name, const QByteArray& head,
                      const QDateTime& modified, const QDateTime& now);

// Removes the leftovers of interrupted saves (IsLeftoverOfSave) from the folder of the database
// file `path`. Only regular files are looked at, links never; a file that cannot be read or
// removed is left where it is.
void RemoveLeftoversOfSaves(const QString& path, const QDateTime& now);

} // namespace qm
