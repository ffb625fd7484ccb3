#include "ui/StartFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

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
    Settings().setValue(LastDatabaseKey, QFileInfo(databasePath).absoluteFilePath());
}

} // namespace qm
