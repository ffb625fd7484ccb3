#pragma once

#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>

class QLockFile;

namespace qm {

// Who holds a database's lock: the program, its process, host and since when.
struct LockHolder {
    qint64 pid = 0;
    QString host;
    QString program;
    QDateTime since;
};

// One writer per database file: a lock file beside it (".NAME.lock", hidden), held while the
// file is open in a manager, with the holder's process, host and program inside. A lock left by
// a process that is no longer running is taken over silently; a lock of a live process is never
// taken, only reported. Released when the object goes.
class DatabaseLock {
public:
    DatabaseLock();
    ~DatabaseLock();
    DatabaseLock(DatabaseLock&&) noexcept;
    DatabaseLock& operator=(DatabaseLock&&) noexcept;

    enum class Outcome {
        Taken,     // this process holds the lock of `path` now
        HeldBy,    // another live process holds it (holder())
        Unlockable // no lock can be made there (a read-only folder, for one): none is held
    };
    // Takes the lock of the database `path`; a lock this object held before is released once
    // this one is taken.
    Outcome take(const QString& path);
    // Releases the lock held, if any.
    void release();

    // The database whose lock is held ("" when none is).
    const QString& lockedPath() const { return path_; }
    // Who held the lock when take() last found it held.
    const LockHolder& holder() const { return holder_; }

    // The lock file of the database `path`.
    static QString lockFileOf(const QString& path);

private:
    std::unique_ptr<QLockFile> lock_;
    QString path_;
    LockHolder holder_;
};

} // namespace qm
