#include "core/portfolio/SaveLeftovers.h"

#include "core/portfolio/Portfolio.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

namespace qm {

namespace {

enum class Scratch { None, Temporary, SecondName };

bool isHexDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('f'));
}

bool isLetterOrDigit(QChar c) {
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z')) ||
           (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// Which scratch file of a save of `databaseName` the name `name` is, by its name alone.
Scratch scratchByName(const QString& databaseName, const QString& name) {
    if (databaseName.isEmpty() || !name.startsWith(databaseName + QLatin1Char('.')))
        return Scratch::None;
    const QStringView rest = QStringView(name).mid(databaseName.size() + 1);
    if (rest.size() == 6 && std::all_of(rest.begin(), rest.end(), isLetterOrDigit))
        return Scratch::Temporary;
    const QStringView tag = u"bak-";
    if (rest.size() == tag.size() + 8 && rest.startsWith(tag) &&
        std::all_of(rest.begin() + tag.size(), rest.end(), isHexDigit))
        return Scratch::SecondName;
    return Scratch::None;
}

// Whether `head` is empty or begins with a whole header line as a save writes it: the record
// count and the fund count in digits, then "All Records","31" and CRLF.
bool beginsLikeADatabase(const QByteArray& head) {
    if (head.isEmpty())
        return true;
    qsizetype pos = 0;
    for (int count = 0; count < 2; ++count) {
        const qsizetype start = pos;
        while (pos < head.size() && pos - start < 6 && head[pos] >= '0' && head[pos] <= '9')
            ++pos;
        if (pos == start || pos >= head.size() || head[pos] != ',')
            return false;
        ++pos;
    }
    const QByteArray rest =
        '"' + AllRecordsName.toLatin1() + "\",\"" + AllRecordsNumber.toLatin1() + "\"\r\n";
    return head.mid(pos).startsWith(rest);
}

} // namespace

bool IsLeftoverOfSave(const QString& databaseName, const QString& name, const QByteArray& head,
                      const QDateTime& modified, const QDateTime& now) {
    const Scratch kind = scratchByName(databaseName, name);
    if (kind == Scratch::None || !modified.isValid() || !now.isValid() ||
        modified.secsTo(now) < LeftoverAgeSeconds)
        return false;
    return kind == Scratch::SecondName || beginsLikeADatabase(head);
}

void RemoveLeftoversOfSaves(const QString& path, const QDateTime& now) {
    const QFileInfo database(path);
    const QString databaseName = database.fileName();
    QDirIterator files(database.absolutePath(), QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    while (files.hasNext()) {
        files.next();
        const QFileInfo file = files.fileInfo();
        const QString name = file.fileName();
        const Scratch kind = scratchByName(databaseName, name);
        if (kind == Scratch::None)
            continue;
        QByteArray head;
        if (kind == Scratch::Temporary) {
            QFile scratch(file.filePath());
            if (!scratch.open(QIODevice::ReadOnly))
                continue;
            head = scratch.read(LeftoverHeadBytes);
            if (scratch.error() != QFileDevice::NoError)
                continue;
        }
        if (IsLeftoverOfSave(databaseName, name, head, file.lastModified(), now))
            QFile::remove(file.filePath()); // a file that stays is no reason to fail the save
    }
}

} // namespace qm
