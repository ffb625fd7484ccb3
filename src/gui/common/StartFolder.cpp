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
        stored.release();
    });
    stored.acquire();
}

} // namespace qm
