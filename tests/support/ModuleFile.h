#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace qmtest {

// Leaves at `beside` what a case of a module asks for: nothing (`file` empty), a file holding
// `file` that is no library, or (`file` "module") a copy of the module built at `built`.
inline bool PlaceModule(const QString& beside, const QByteArray& file, const QString& built) {
    QFile::remove(beside);
    if (file == "module")
        return QFile::copy(built, beside);
    if (file.isEmpty())
        return true;
    QFile damaged(beside);
    return damaged.open(QIODevice::WriteOnly) && damaged.write(file) == file.size();
}

} // namespace qmtest
