#pragma once

#include <QString>
#include <QStringList>

namespace qm {

// The folder every file dialog starts in: that of the database last opened or saved (its full
// path is kept in the settings, so it outlives the session), else the program's folder when the
// user may write there (a build run from its own tree), else the user's documents folder.
QString StartFolder();

// The folder that holds the sample database: `../share/quillmark` from the program's folder in
// an installed tree, else the program's own folder (a build run from its own tree).
QString SampleFolder();

// Remembers `databasePath` (a full path) as the database last opened or saved: StartFolder()
// has it at once; the settings file is written to disk off the calling thread.
void RememberDatabasePath(const QString& databasePath);

// How many databases RecentDatabases() keeps.
inline constexpr int RecentDatabaseCount = 5;
// The databases last opened or saved, the last first, those no longer there left out.
QStringList RecentDatabases();

} // namespace qm
