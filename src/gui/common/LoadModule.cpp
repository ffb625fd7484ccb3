#include "gui/common/LoadModule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace qm {

namespace {

// The places a module may be, in order: beside the program (the build tree), then the library
// folder of an installed program (QM_MODULE_DIR, relative to the program's).
QStringList modulePlaces(const QString& fileName) {
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(fileName),
            QDir::cleanPath(program.filePath(QStringLiteral(QM_MODULE_DIR "/") + fileName))};
}

} // namespace

QFunctionPointer LoadModuleEntry(const char* fileName, const char* entryName,
                                 const QString& cannotGoAhead, QString* problem) {
    const QString name = QLatin1String(fileName);
    const QStringList places = modulePlaces(name);
    for (const QString& place : places) {
        if (!QFileInfo::exists(place))
            continue;
        // Kept loaded for the rest of the process: what it made lives on.
        QLibrary library(place);
        if (QFunctionPointer entry = library.resolve(entryName))
            return entry;
        if (problem)
            *problem =
                QStringLiteral("%1: its part %2 could not be loaded (%3). Reinstall "
                               "Quillmark.")
                    .arg(cannotGoAhead, QDir::toNativeSeparators(place), library.errorString());
        return nullptr;
    }
    if (problem)
        *problem = QStringLiteral("%1: its part %2 is missing (looked for in %3). Reinstall "
                                  "Quillmark.")
                       .arg(cannotGoAhead, name,
                            QDir::toNativeSeparators(QFileInfo(places.last()).path()));
    return nullptr;
}

} // namespace qm
