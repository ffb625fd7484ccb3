#include "gui/common/StartFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSemaphore>
#include <QSettings>
#include <QStandardPaths>
#include <QThreadPool>

namespace qm {

namespace {

const QString LastDatabaseKey = QStringLiteral("LastDatabase");
const QString RecentDatabasesKey = QStringLiteral("RecentDatabases");

QSettings Settings() {
    return QSettings(QStringLiteral("Quillmark"), QStringLiteral("Quillmark"));
}

} // namespace

QString StartFolder() {
    const QString last = Settings().value(LastDatabaseKey).toString();
    if (!last.isEmpty()) {
        const QFileInfo lastFile(last);
        if (lastFile.absoluteDir().exists())
            return lastFile.absolutePath();
    }
    const QFileInfo programFolder(QCoreApplication::applicationDirPath());
    if (programFolder.isDir() && programFolder.isWritable())
        return programFolder.absoluteFilePath();
    // The documents folder a desktop names may not have been made yet: then the home folder.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString SampleFolder() {
    const QDir program(QCoreApplication::applicationDirPath());
    const QString installed = program.absoluteFilePath(QStringLiteral("../share/quillmark"));
    if (QFileInfo(installed).isDir())
        return QDir::cleanPath(installed);
    return program.absolutePath();
}

void RememberDatabasePath(const QString& databasePath) {
    // The settings file is written and flushed to disk by a worker, not by the thread that
    // called (the user waits for the window, not for the disk). The value is in the settings
    // the program reads as soon as this returns; the worker's flush is waited for at exit.
    const QString path = QFileInfo(databasePath).absoluteFilePath();
    QSemaphore stored;
    QThreadPool::globalInstance()->start([path, &stored] {
        QSettings settings = Settings();
        settings.setValue(LastDatabaseKey, path);
        QStringList recent = settings.value(RecentDatabasesKey).toStringList();
        recent.removeAll(path);
        recent.prepend(path);
        settings.setValue(RecentDatabasesKey, recent.mid(0, RecentDatabaseCount));
        stored.release();
    });
    stored.acquire();
}

QStringList RecentDatabases() {
    const QSettings settings = Settings();
    QStringList stored = settings.value(RecentDatabasesKey).toStringList();
    // Settings of a version that kept the last database only.
    if (stored.isEmpty() && settings.contains(LastDatabaseKey))
        stored << settings.value(LastDatabaseKey).toString();
    QStringList recent;
    for (const QString& path : stored) {
        if (QFileInfo(path).isFile() && !recent.contains(path) &&
            recent.size() < RecentDatabaseCount)
            recent << path;
    }
    return recent;
}

} // namespace qm
