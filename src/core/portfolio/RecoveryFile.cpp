#include "core/portfolio/RecoveryFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <QSaveFile>
#include <algorithm>
#include <optional>

namespace qm {

namespace {

const QString Database = QStringLiteral(".QMD");
const QString Info = QStringLiteral(".info");
const QString Lock = QStringLiteral(".lock");

QString SlotFile(const QString& id, const QString& suffix) {
    return QDir(RecoveryFolder()).filePath(id + suffix);
}

// A file written whole through a temporary file beside it.
QString WriteWhole(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return file.errorString();
    return {};
}

// The info file: one "key=value" line each, UTF-8; values never hold a line break.
QByteArray InfoText(const RecoveryInfo& info) {
    const auto line = [](const char* key, const QString& value) {
        QString v = value;
        v.replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
        return QByteArray(key) + '=' + v.toUtf8() + '\n';
    };
    return line("database", info.databasePath) + line("name", info.databaseName) +
           line("changed", info.changed.toUTC().toString(Qt::ISODateWithMs)) +
           line("size", QString::number(info.stamp.size)) +
           line("modified", info.stamp.modified.toUTC().toString(Qt::ISODateWithMs)) +
           line("digest", QString::fromLatin1(info.stamp.digest.toHex()));
}

std::optional<RecoveryInfo> ReadInfo(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > 64 * 1024)
        return std::nullopt;
    RecoveryInfo info;
    bool changed = false;
    for (const QByteArray& raw : file.readAll().split('\n')) {
        const qsizetype eq = raw.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = raw.left(eq);
        const QString value = QString::fromUtf8(raw.mid(eq + 1));
        if (key == "database") {
            info.databasePath = value;
        } else if (key == "name") {
            info.databaseName = value;
        } else if (key == "changed") {
            info.changed = QDateTime::fromString(value, Qt::ISODateWithMs).toLocalTime();
            changed = info.changed.isValid();
        } else if (key == "size") {
            info.stamp.size = value.toLongLong();
        } else if (key == "modified") {
            info.stamp.modified = QDateTime::fromString(value, Qt::ISODateWithMs).toLocalTime();
        } else if (key == "digest") {
            info.stamp.digest = QByteArray::fromHex(value.toLatin1());
        }
    }
    if (!changed)
        return std::nullopt;
    return info;
}

std::unique_ptr<QLockFile> SlotLock(const QString& id) {
    auto lock = std::make_unique<QLockFile>(SlotFile(id, Lock));
    lock->setStaleLockTime(0); // held for the writer's life; free once its process is gone
    return lock;
}

void RemoveSlotFiles(const QString& id) {
    QFile::remove(SlotFile(id, Database));
    QFile::remove(SlotFile(id, Info));
}

} // namespace

QString RecoveryFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::home().filePath(QStringLiteral(".local/state"));
    return QDir(state).filePath(QStringLiteral("Quillmark/recovery"));
}

RecoverySlot::RecoverySlot()
    : id_(QStringLiteral("%1-%2")
              .arg(QCoreApplication::applicationPid())
              .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'))) {}

RecoverySlot::~RecoverySlot() = default;

QString RecoverySlot::write(const QByteArray& database, const RecoveryInfo& info) {
    if (!lock_) {
        if (!QDir().mkpath(RecoveryFolder()))
            return QStringLiteral("cannot make the folder %1").arg(RecoveryFolder());
        // Owner-only: the slot holds the person's records.
        QFile::setPermissions(RecoveryFolder(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                    QFileDevice::ExeOwner);
        auto lock = SlotLock(id_);
        if (!lock->tryLock(0))
            return QStringLiteral("cannot lock %1").arg(SlotFile(id_, Lock));
        lock_ = std::move(lock);
    }
    // The portfolio first, then what it belongs to: a slot is offered only with its info file,
    // and its portfolio file is then whole.
    if (QString reason = WriteWhole(SlotFile(id_, Database), database); !reason.isEmpty())
        return reason;
    return WriteWhole(SlotFile(id_, Info), InfoText(info));
}

void RecoverySlot::remove() {
    RemoveSlotFiles(id_);
    lock_.reset();
}

std::vector<LeftRecovery> LeftRecoveries() {
    std::vector<LeftRecovery> left;
    const QDir folder(RecoveryFolder());
    if (!folder.exists())
        return left;
    for (const QString& name : folder.entryList({QLatin1Char('*') + Info}, QDir::Files)) {
        const QString id = name.chopped(Info.size());
        std::shared_ptr<QLockFile> claim = SlotLock(id);
        if (!claim->tryLock(0))
            continue; // a live process writes it
        const std::optional<RecoveryInfo> info = ReadInfo(folder.filePath(name));
        const QString database = SlotFile(id, Database);
        if (!info || !QFileInfo(database).isFile()) {
            RemoveSlotFiles(id);
            continue;
        }
        left.push_back({id, database, *info, std::move(claim)});
    }
    std::sort(left.begin(), left.end(), [](const LeftRecovery& a, const LeftRecovery& b) {
        return a.info.changed > b.info.changed;
    });
    return left;
}

void RemoveRecovery(LeftRecovery& left) {
    RemoveSlotFiles(left.id);
    left.claim.reset(); // its lock file goes with it
}

} // namespace qm
