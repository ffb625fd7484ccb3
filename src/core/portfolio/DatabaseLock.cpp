#include "core/portfolio/DatabaseLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

namespace qm {

DatabaseLock::DatabaseLock() = default;
DatabaseLock::~DatabaseLock() = default;
DatabaseLock::DatabaseLock(DatabaseLock&&) noexcept = default;
DatabaseLock& DatabaseLock::operator=(DatabaseLock&&) noexcept = default;

QString DatabaseLock::lockFileOf(const QString& path) {
    const QFileInfo file(path);
    return file.absoluteDir().filePath(QLatin1Char('.') + file.fileName() +
                                       QStringLiteral(".lock"));
}

DatabaseLock::Outcome DatabaseLock::take(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    auto lock = std::make_unique<QLockFile>(lockFileOf(absolute));
    // Held for as long as the file is open, however long: only a lock whose process is gone is
    // stale (QLockFile checks the process on this host).
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        lock_ = std::move(lock);
        path_ = absolute;
        return Outcome::Taken;
    }
    if (lock->error() != QLockFile::LockFailedError)
        return Outcome::Unlockable;
    holder_ = LockHolder{};
    QString host, program;
    if (lock->getLockInfo(&holder_.pid, &host, &program)) {
        holder_.host = host;
        holder_.program = program;
        holder_.since = QFileInfo(lockFileOf(absolute)).lastModified();
    }
    return Outcome::HeldBy;
}

void DatabaseLock::release() {
    lock_.reset();
    path_.clear();
}

} // namespace qm
