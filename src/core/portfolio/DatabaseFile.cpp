#include "core/portfolio/DatabaseFile.h"

#include "core/text/Dates.h"
#include "core/text/TextEncoding.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qm {

namespace {

// One item of a line: the text between the quotes of a quoted item, or a bare item trimmed.
struct Item {
    QStringView text;
    bool quoted = false;
};

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Splits a line into comma-separated items; blanks between items are skipped. False for an
// unterminated quote or anything but a comma after a quoted item.
bool splitItems(QStringView line, std::vector<Item>& items) {
    items.clear();
    const qsizetype n = line.size();
    qsizetype pos = 0;
    while (true) {
        while (pos < n && isBlank(line.at(pos)))
            ++pos;
        if (pos < n && line.at(pos) == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
            if (close < 0)
                return false;
            items.push_back({line.mid(pos + 1, close - pos - 1), true});
            pos = close + 1;
            while (pos < n && isBlank(line.at(pos)))
                ++pos;
        } else {
            qsizetype end = pos;
            while (end < n && line.at(end) != QLatin1Char(','))
                ++end;
            items.push_back({line.mid(pos, end - pos).trimmed(), false});
            pos = end;
        }
        if (pos == n)
            return true;
        if (line.at(pos) != QLatin1Char(','))
            return false;
        ++pos;
    }
}

// A plain decimal amount: optional minus, digits with at most one point and at most four
// decimals ("0.0001" and ".0001" alike), within the Currency range.
std::optional<Currency> parseAmount(const Item& item) {
    if (item.quoted)
        return std::nullopt;
    const QStringView t = item.text;
    qsizetype i = 0;
    const bool negative = !t.isEmpty() && t.at(0) == QLatin1Char('-');
    if (negative)
        ++i;
    Int128 raw = 0;
    int digits = 0;
    int decimals = 0;
    bool point = false;
    for (; i < t.size(); ++i) {
        const char16_t c = t.at(i).unicode();
        if (c == u'.' && !point) {
            point = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        if (point && ++decimals > 4)
            return std::nullopt;
        if (++digits > 30)
            return std::nullopt;
        raw = raw * 10 + (c - u'0');
    }
    if (digits == 0)
        return std::nullopt;
    for (; decimals < 4; ++decimals)
        raw *= 10;
    if (negative)
        raw = -raw;
    // The range is kept symmetric so that every amount read can be negated.
    if (raw > std::numeric_limits<std::int64_t>::max() ||
        raw < -std::numeric_limits<std::int64_t>::max())
        return std::nullopt;
    return Currency::fromRaw(static_cast<std::int64_t>(raw));
}

// A count: plain digits only.
std::optional<int> parseCount(const Item& item) {
    if (item.quoted || item.text.isEmpty() || item.text.size() > 6)
        return std::nullopt;
    int value = 0;
    for (const QChar c : item.text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

// Splits the text into lines (CRLF or LF); false when a line is too long.
bool splitLines(QStringView all, std::vector<QStringView>& lines) {
    qsizetype pos = 0;
    while (pos < all.size()) {
        const qsizetype newline = all.indexOf(QLatin1Char('\n'), pos);
        const qsizetype end = newline < 0 ? all.size() : newline;
        QStringView line = all.mid(pos, end - pos);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.size() > MaxLineLength)
            return false;
        lines.push_back(line);
        pos = newline < 0 ? all.size() : newline + 1;
    }
    return true;
}

std::optional<Record> parseRecord(QStringView line, int fundCount, std::vector<Item>& items) {
    if (!splitItems(line, items) || items.size() != 8)
        return std::nullopt;
    Record rec;
    std::array<Currency*, 6> amounts{&rec.fundIndex, &rec.price,        &rec.shares,
                                     &rec.fees,      &rec.cashDividend, &rec.bookValue};
    for (std::size_t i = 0; i < amounts.size(); ++i) {
        const std::optional<Currency> value = parseAmount(items[i]);
        if (!value)
            return std::nullopt;
        *amounts[i] = *value;
    }
    if (rec.fundIndex.raw() % Currency::Scale != 0 || rec.fund() < 1 || rec.fund() > fundCount)
        return std::nullopt;
    if (!items[6].quoted || !TypeFromCode(items[6].text))
        return std::nullopt;
    rec.typeCode = items[6].text.toString();
    if (items[7].quoted)
        return std::nullopt;
    const std::optional<QDate> date = ParseDateLiteral(items[7].text);
    if (!date)
        return std::nullopt;
    rec.tradeDate = *date;
    return rec;
}

bool isAscii(const QByteArray& bytes) {
    return std::all_of(bytes.begin(), bytes.end(),
                       [](char b) { return static_cast<unsigned char>(b) < 0x80; });
}

// The file text with every text item encoded by `encode`; nothing when an item cannot be.
// Written straight as bytes: every item but the fund names is plain ASCII.
template <typename Encode>
std::optional<QByteArray> writeDatabase(const Portfolio& p, Encode encode) {
    QByteArray out;
    out.reserve(64 + 48 * p.fundCount + 72 * p.recordCount);
    bool encoded = true;
    const auto text = [&](const QString& value) {
        const std::optional<QByteArray> bytes = encode(value);
        encoded = encoded && bytes.has_value();
        out += '"';
        if (bytes)
            out += *bytes;
        out += '"';
    };
    const auto amount = [&out](Currency value) {
        const std::string plain = value.toPlainString();
        out.append(plain.data(), static_cast<qsizetype>(plain.size()));
    };
    const auto endLine = [&out] { out += "\r\n"; };
    out += QByteArray::number(p.recordCount) + ',' + QByteArray::number(p.fundCount) + ',';
    text(AllRecordsName);
    out += ',';
    text(AllRecordsNumber);
    endLine();
    for (int k = 1; k <= p.fundCount && encoded; ++k) {
        text(p.fundName(k));
        out += ',';
        text(FundNumberText(k));
        endLine();
    }
    if (!encoded)
        return std::nullopt;
    for (int r = 1; r <= p.recordCount; ++r) {
        const Record& rec = p.record(r);
        for (Currency value :
             {rec.fundIndex, rec.price, rec.shares, rec.fees, rec.cashDividend, rec.bookValue}) {
            amount(value);
            out += ',';
        }
        text(rec.typeCode);
        out += ',';
        out += DateLiteral(rec.tradeDate).toLatin1();
        endLine();
    }
    if (!encoded)
        return std::nullopt;
    return out;
}

// The system's text for an error number, as Qt gives it for its own file errors.
QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// A second name for the file `path` in its folder (a hard link, else a copy), under a name no
// other file has; "" and `reason` set when none can be made.
QString keepOldFile(const QString& path, QString& reason) {
    const QByteArray from = QFile::encodeName(path);
    for (int attempt = 0; attempt < 16; ++attempt) {
        const QString name =
            path + QStringLiteral(".bak-%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                 QLatin1Char('0'));
        if (QFileInfo::exists(name))
            continue;
#ifdef Q_OS_UNIX
        if (::link(from.constData(), QFile::encodeName(name).constData()) == 0)
            return name;
        if (errno == EEXIST)
            continue;
#endif
        // A file system without hard links: a copy, itself written through a temporary file.
        QFile old(path);
        if (old.copy(name))
            return name;
        reason = old.errorString();
        QFile::remove(name);
        return QString();
    }
    reason = systemReason(EEXIST);
    return QString();
}

// The bytes of `device`, up to one byte past the largest file read. Read in modest pieces: asking
// for the whole limit at once would set aside 8 MiB for a file of a few kilobytes on every open.
QByteArray readUpToLimit(QIODevice& device) {
    constexpr qint64 Piece = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() <= MaxFileBytes) {
        const QByteArray chunk = device.read(std::min(Piece, MaxFileBytes + 1 - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    return bytes;
}

QByteArray digestOf(const QByteArray& bytes) {
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

// The stamp of the file `path` that holds `bytes` now.
FileStamp stampOf(const QByteArray& bytes, const QString& path) {
    return FileStamp{bytes.size(), QFileInfo(path).lastModified(), digestOf(bytes)};
}

// Makes the names given in the folder of `path` last: a file's data is synced before it is
// renamed into place, but the new name itself is only on the disk once its folder is synced, and
// a power cut before then would bring the old file back after the save was reported done.
void syncFolderOf(const QString& path) {
#ifdef Q_OS_UNIX
    const int folder = ::open(QFile::encodeName(QFileInfo(path).absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return;
    ::fsync(folder);
    ::close(folder);
#else
    Q_UNUSED(path);
#endif
}

} // namespace

DatabaseText EncodeDatabase(const Portfolio& p) {
    if (p.fileEncoding == TextEncoding::Windows1252) {
        std::optional<QByteArray> bytes =
            writeDatabase(p, [](const QString& value) { return EncodeWindows1252(value); });
        // Bytes that are also valid UTF-8 would read back as other characters ("Ã©" as "é"):
        // such a file is written in UTF-8, which reads back as it was.
        if (bytes && (isAscii(*bytes) || !DecodeUtf8(*bytes)))
            return {std::move(*bytes), TextEncoding::Windows1252};
    }
    std::optional<QByteArray> bytes =
        writeDatabase(p, [](const QString& value) { return std::optional(value.toUtf8()); });
    return {std::move(*bytes), TextEncoding::Utf8};
}

QByteArray WriteDatabase(const Portfolio& p) {
    return EncodeDatabase(p).bytes;
}

std::optional<DatabaseContents> ReadDatabase(const QByteArray& bytes) {
    if (bytes.size() > MaxFileBytes)
        return std::nullopt;
    TextEncoding encoding = TextEncoding::Utf8;
    std::optional<QString> utf8 = DecodeUtf8(bytes);
    if (!utf8)
        encoding = TextEncoding::Windows1252;
    QString text = utf8 ? std::move(*utf8) : DecodeWindows1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    std::vector<QStringView> lines;
    if (!splitLines(text, lines) || lines.empty())
        return std::nullopt;

    std::vector<Item> items;
    if (!splitItems(lines[0], items) || items.size() != 4 || !items[2].quoted || !items[3].quoted)
        return std::nullopt;
    const std::optional<int> recordCount = parseCount(items[0]);
    const std::optional<int> fundCount = parseCount(items[1]);
    if (!recordCount || !fundCount || *recordCount > MaxRecords || *fundCount > MaxFunds)
        return std::nullopt;
    if (lines.size() < static_cast<std::size_t>(1 + *fundCount + *recordCount))
        return std::nullopt;

    DatabaseContents contents;
    contents.fundCount = *fundCount;
    contents.encoding = encoding;
    std::size_t next = 1;
    for (int k = 1; k <= *fundCount; ++k) {
        if (!splitItems(lines[next++], items) || items.size() != 2 || !items[0].quoted ||
            !items[1].quoted)
            return std::nullopt;
        // The number item is the entry's own position; a name is never empty.
        if (items[0].text.isEmpty() || items[0].text.size() > MaxFundNameLength ||
            items[1].text.trimmed() != QString::number(k))
            return std::nullopt;
        contents.fundNames[static_cast<std::size_t>(k)] = items[0].text.toString();
    }
    contents.records.reserve(static_cast<std::size_t>(*recordCount));
    for (int r = 1; r <= *recordCount; ++r) {
        std::optional<Record> rec = parseRecord(lines[next++], *fundCount, items);
        if (!rec)
            return std::nullopt;
        rec->recordNumber = r;
        contents.records.push_back(*rec);
    }
    for (; next < lines.size(); ++next) {
        if (!lines[next].trimmed().isEmpty())
            return std::nullopt;
    }
    return contents;
}

std::optional<DatabaseContents> ReadDatabase(QIODevice& device) {
    if (!device.isOpen() || !device.isReadable())
        return std::nullopt;
    return ReadDatabase(readUpToLimit(device));
}

std::optional<DatabaseContents> ReadDatabaseFile(const QString& path) {
    // Only a regular file (or a link to one) is read: opening a named pipe would wait for a
    // writer for good, and a device may never end.
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.isSequential())
        return std::nullopt;
    const QByteArray bytes = readUpToLimit(file);
    std::optional<DatabaseContents> contents = ReadDatabase(bytes);
    if (contents)
        contents->stamp = stampOf(bytes, path);
    return contents;
}

bool ChangedOnDisk(const QString& path, const FileStamp& stamp) {
    const QFileInfo file(path);
    if (!stamp.known() || !file.isFile())
        return false;
    if (file.size() == stamp.size && file.lastModified() == stamp.modified)
        return false;
    QFile now(path);
    if (!now.open(QIODevice::ReadOnly) || now.isSequential())
        return true;
    return digestOf(readUpToLimit(now)) != stamp.digest;
}

QString SaveFailureText(const QString& path, const QString& reason) {
    return QStringLiteral("Could not save %1: %2. The file on disk is unchanged.")
        .arg(QDir::toNativeSeparators(path), reason);
}

FileWriteResult WriteDatabaseFile(const Portfolio& p, const QString& path) {
    FileWriteResult result;
    const QFileInfo target(path);
    if (path.isEmpty() || path.endsWith(QLatin1Char('/')) || target.isDir()) {
        result.notAFileName = true;
        return result;
    }
    // A file that may not be written is not replaced (the temporary file could be put in its
    // place all the same); the system's own word for it is the reason given.
    if (target.exists() && !target.isWritable()) {
        result.reason = systemReason(EACCES);
        return result;
    }
    // Unbuffered, so that a write the system refuses part-way (a full disk, a file-size limit)
    // fails here: bytes held in a buffer would only fail when the file is committed, and the
    // commit would then put a short file in place of the old one and report success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.reason = file.errorString();
        return result;
    }
    const DatabaseText text = EncodeDatabase(p);
    // A write the system cut short is tried again for the rest, so that the system says why.
    qint64 done = 0;
    while (done < text.bytes.size() && file.error() == QFileDevice::NoError) {
        const qint64 n = file.write(text.bytes.constData() + done, text.bytes.size() - done);
        if (n <= 0)
            break;
        done += n;
    }
    if (done != text.bytes.size() || file.error() != QFileDevice::NoError) {
        result.reason =
            file.error() != QFileDevice::NoError ? file.errorString() : systemReason(EIO);
        file.cancelWriting();
        return result;
    }
    // The new file is whole. The old one (the file a link points to, which is the one
    // replaced) gets a second name before the new one takes its place, and that name becomes
    // the backup only afterwards: a failed commit leaves the old file and the old backup.
    const QString replaced = target.exists() ? target.canonicalFilePath() : QString();
    const QString backup = replaced + QStringLiteral(".bak");
    QString kept;
    if (!replaced.isEmpty()) {
        kept = keepOldFile(replaced, result.reason);
        if (kept.isEmpty()) {
            file.cancelWriting();
            return result;
        }
    }
    if (!file.commit()) {
        result.reason = file.errorString();
        if (!kept.isEmpty())
            QFile::remove(kept);
        return result;
    }
    // The new file is in place. The older backups move one place down (NAME.bak.2 becomes
    // NAME.bak.3, NAME.bak becomes NAME.bak.2; the oldest goes), so that two quick saves do not
    // take the last good copy with them. Should the backup fail to take its name (nothing but a
    // folder of that name would stop it), the previous backup stays and the save still stands.
    if (!kept.isEmpty()) {
        for (int older = BackupGenerations; older >= 2; --older) {
            const QString from =
                older == 2 ? backup : backup + QStringLiteral(".%1").arg(older - 1);
            if (QFileInfo::exists(from))
                std::rename(
                    QFile::encodeName(from).constData(),
                    QFile::encodeName(backup + QStringLiteral(".%1").arg(older)).constData());
        }
        if (std::rename(QFile::encodeName(kept).constData(),
                        QFile::encodeName(backup).constData()) != 0)
            QFile::remove(kept);
    }
    const QString written = replaced.isEmpty() ? path : replaced;
    syncFolderOf(written);
    result.written = true;
    result.stamp = stampOf(text.bytes, written);
    result.encoding = text.encoding;
    return result;
}

void LoadContents(Portfolio& p, const DatabaseContents& contents, const QString& path) {
    p.fundNames.fill(QString());
    p.fundNames[AllFundsEntry] = AllRecordsName;
    p.fundCount = contents.fundCount;
    for (int k = 1; k <= contents.fundCount; ++k)
        p.fundNames[static_cast<std::size_t>(k)] = contents.fundNames[static_cast<std::size_t>(k)];
    p.records.fill(Record{});
    p.recordCount = static_cast<int>(contents.records.size());
    for (int r = 1; r <= p.recordCount; ++r)
        p.record(r) = contents.records[static_cast<std::size_t>(r - 1)];
    p.databaseName = QFileInfo(path).fileName();
    p.databasePath = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    p.fileEncoding = contents.encoding;
    p.fileStamp = contents.stamp;
}

std::vector<Message> OpenDatabase(Portfolio& p, const std::optional<QString>& path) {
    std::vector<Message> messages;
    if (path) {
        const std::optional<DatabaseContents> contents = ReadDatabaseFile(*path);
        if (contents) {
            LoadContents(p, *contents, *path);
        } else {
            messages.push_back(Message::FileNotFound);
            // Nothing of the old model is kept: it is left empty, without a database name.
            LoadContents(p, DatabaseContents{}, QString());
        }
    }
    p.fundTotals.clear();
    return messages;
}

bool BeginSave(const Portfolio& p, std::vector<Message>& messages) {
    if (p.recordCount == 0) {
        messages.push_back(Message::NoRecords);
        return false;
    }
    return true;
}

SaveOutcome SaveDatabase(Portfolio& p, const std::optional<QString>& path) {
    SaveOutcome outcome;
    if (!path)
        return outcome;
    if (!BeginSave(p, outcome.messages))
        return outcome;
    const FileWriteResult written = WriteDatabaseFile(p, *path);
    if (written) {
        const QFileInfo file(*path);
        p.databaseName = file.fileName();
        p.databasePath = file.absoluteFilePath();
        p.fileEncoding = written.encoding;
        p.fileStamp = written.stamp;
        p.unsavedChanges = 0;
        outcome.saved = true;
    } else if (written.notAFileName) {
        outcome.messages.push_back(Message::BadFileName);
    } else {
        outcome.failure = SaveFailureText(QFileInfo(*path).absoluteFilePath(), written.reason);
    }
    return outcome;
}

} // namespace qm
