#include "core/output/OutputFile.h"

#include "core/output/PrintLayout.h"

#include <QSaveFile>

namespace qm {

QByteArray PageTextFile(const QString& page) {
    QByteArray bytes;
    const QStringList lines = PrintedLines(page);
    for (qsizetype i = 2; i < lines.size(); ++i) // the two empty lines belong to paper only
        bytes += lines[i].toUtf8() + '\n';
    return bytes;
}

QString WriteWholeFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}

} // namespace qm
