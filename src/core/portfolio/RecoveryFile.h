#pragma once

// What keeps unsaved changes through a crash: while a manager holds changes that are not in its
// file, the portfolio is written to a recovery slot in the user's state folder
// ($XDG_STATE_HOME/Quillmark/recovery, else ~/.local/state/Quillmark/recovery). A slot is three
// files named by one id: ID.QMD (the portfolio, in the database format), ID.info (which database
// it belongs to, the time of the last change, and that file's stamp when it was read) and
// ID.lock, held by the process writing the slot. A slot whose lock is free was left by a process
// that ended before its changes were saved: the next start offers it. Nothing here ever writes
// to a database file or its backups.

#include "core/portfolio/Portfolio.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <memory>
#include <vector>

class QLockFile;

namespace qm {

// The folder of the recovery slots (made when the first slot is written).
QString RecoveryFolder();

// What a slot says besides the portfolio.
struct RecoveryInfo {
    QString databasePath; // the database the changes belong to ("" for one never saved)
    QString databaseName;
    QDateTime changed; // the last change written
    FileStamp stamp;   // that database as it was read or last saved
};

// One process's slot. Not shared between threads: the manager writes it on one worker thread.
class RecoverySlot {
public:
    RecoverySlot();
    ~RecoverySlot(); // the lock is released; the files stay unless removed
    RecoverySlot(const RecoverySlot&) = delete;
    RecoverySlot& operator=(const RecoverySlot&) = delete;

    // Writes the portfolio's bytes and what belongs to them, each file whole (a slot is never
    // left half written). An empty reason when written.
    QString write(const QByteArray& database, const RecoveryInfo& info);
    // Removes the slot's files and releases its lock.
    void remove();

    const QString& id() const { return id_; }

private:
    QString id_;
    std::unique_ptr<QLockFile> lock_;
};

// A slot left by a process that ended with its changes unsaved, claimed by this process (its
// lock is held) until it is removed or this object goes.
struct LeftRecovery {
    QString id;
    QString databaseFile; // the slot's ID.QMD
    RecoveryInfo info;
    std::shared_ptr<QLockFile> claim;
};

// The left slots, the newest change first. Slots another live process writes are not among them;
// a slot without its portfolio file, or with an info file that cannot be read, is removed.
std::vector<LeftRecovery> LeftRecoveries();

// Removes a left slot's files (restored or discarded) and releases its claim.
void RemoveRecovery(LeftRecovery& left);

} // namespace qm
