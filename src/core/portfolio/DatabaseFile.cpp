#include "core/portfolio/DatabaseFile.h"

#include "core/portfolio/SaveLeftovers.h"
#include "core/text/Dates.h"
#include "core/text/TextEncoding.h"

#include <QCryptographicHash>
#include <QDateTime>
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

// Text of the file as a reason shows it: a long one cut short.
QString shown(QStringView text) {
    constexpr qsizetype Longest = 40;
    return text.size() > Longest ? text.left(Longest).toString() + QChar(0x2026) : text.toString();
}

// Text of the file in quotes.
QString quoted(QStringView text) {
    return QLatin1Char('"') + shown(text) + QLatin1Char('"');
}

// "1 record", "2 records".
QString counted(qsizetype n, const char* thing) {
    return QStringLiteral("%1 %2%3")
        .arg(n)
        .arg(QLatin1String(thing))
        .arg(n == 1 ? QString() : QStringLiteral("s"));
}

// Why an item of the header line that should be a count is not one.
QString countProblem(const char* what, const Item& item) {
    if (item.quoted)
        return QStringLiteral("the %1 is quoted; counts are written without quotes.")
            .arg(QLatin1String(what));
    return QStringLiteral("the %1 %2 is not a whole number of 0 or more.")
        .arg(QLatin1String(what), quoted(item.text));
}

// Splits a line into comma-separated items; blanks between items are skipped. False, with the
// reason in `why`, for an unterminated quote or anything but a comma after a quoted item.
bool splitItems(QStringView line, std::vector<Item>& items, QString* why = nullptr) {
    const auto fail = [why](const char* reason) {
        if (why)
            *why = QString::fromLatin1(reason);
        return false;
    };
    items.clear();
    const qsizetype n = line.size();
    qsizetype pos = 0;
    while (true) {
        while (pos < n && isBlank(line.at(pos)))
            ++pos;
        if (pos < n && line.at(pos) == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), pos + 1);
            if (close < 0)
                return fail("a quote is not closed.");
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
            return fail("a quoted item is followed by something other than a comma.");
        ++pos;
    }
}

// A plain decimal amount: optional minus, digits with at most one point and at most four
// decimals ("0.0001" and ".0001" alike), within the Currency range. Nothing, and in `why` what
// is wrong with it ("is not a number."), for anything else.
std::optional<Currency> parseAmount(const Item& item, const char** why) {
    *why = "is not a number.";
    if (item.quoted) {
        *why = "is quoted; amounts are written without quotes.";
        return std::nullopt;
    }
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
        if (point && ++decimals > 4) {
            *why = "has more than four decimals.";
            return std::nullopt;
        }
        if (++digits > 30) {
            *why = "is out of range.";
            return std::nullopt;
        }
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
        raw < -std::numeric_limits<std::int64_t>::max()) {
        *why = "is out of range.";
        return std::nullopt;
    }
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

// Splits the text into lines (CRLF or LF); false when a line is too long (it is the last one
// in `lines`).
bool splitLines(QStringView all, std::vector<QStringView>& lines) {
    qsizetype pos = 0;
    while (pos < all.size()) {
        const qsizetype newline = all.indexOf(QLatin1Char('\n'), pos);
        const qsizetype end = newline < 0 ? all.size() : newline;
        QStringView line = all.mid(pos, end - pos);
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        lines.push_back(line);
        if (line.size() > MaxLineLength)
            return false;
        pos = newline < 0 ? all.size() : newline + 1;
    }
    return true;
}

// One record line; nothing, and the reason in `why`, when it is not a well-formed record.
std::optional<Record> parseRecord(QStringView line, int fundCount, std::vector<Item>& items,
                                  QString& why) {
    if (!splitItems(line, items, &why))
        return std::nullopt;
    if (items.size() != 8) {
        why = QStringLiteral("a record line has %1; it should have 8.")
                  .arg(counted(static_cast<qsizetype>(items.size()), "item"));
        return std::nullopt;
    }
    Record rec;
    std::array<Currency*, 6> amounts{&rec.fundIndex, &rec.price,        &rec.shares,
                                     &rec.fees,      &rec.cashDividend, &rec.bookValue};
    static constexpr std::array<const char*, 6> Names{
        "fund index", "price", "number of shares", "fee amount", "cash dividend", "book value"};
    for (std::size_t i = 0; i < amounts.size(); ++i) {
        const char* problem = nullptr;
        const std::optional<Currency> value = parseAmount(items[i], &problem);
        if (!value) {
            why = QStringLiteral("the %1 %2 %3")
                      .arg(QLatin1String(Names[i]), quoted(items[i].text), QLatin1String(problem));
            return std::nullopt;
        }
        *amounts[i] = *value;
    }
    if (rec.fundIndex.raw() % Currency::Scale != 0) {
        why = QStringLiteral("the fund index %1 is not a whole number.").arg(items[0].text);
        return std::nullopt;
    }
    if (rec.fund() < 1 || rec.fund() > fundCount) {
        why = QStringLiteral("the fund index %1 names no fund; ").arg(items[0].text) +
              (fundCount == 0 ? QStringLiteral("the file has no funds.")
               : fundCount == 1
                   ? QStringLiteral("the file has one fund, numbered 1.")
                   : QStringLiteral("the file's funds are numbered 1 to %1.").arg(fundCount));
        return std::nullopt;
    }
    if (!items[6].quoted || !TypeFromCode(items[6].text)) {
        why = !items[6].quoted
                  ? QStringLiteral("the type code %1 is not quoted.").arg(shown(items[6].text))
                  : QStringLiteral("the type code %1 is not one of \"B\", \"S\", \"C\", "
                                   "\"D\", \"F\" or \"U\".")
                        .arg(quoted(items[6].text));
        return std::nullopt;
    }
    rec.typeCode = items[6].text.toString();
    const std::optional<QDate> date =
        items[7].quoted ? std::nullopt : ParseDateLiteral(items[7].text);
    if (!date) {
        const QStringView t = items[7].text;
        const bool literal = !items[7].quoted && t.size() >= 2 && t.front() == QLatin1Char('#') &&
                             t.back() == QLatin1Char('#');
        why = literal ? QStringLiteral("the date literal %1 is not a date.").arg(shown(t))
                      : QStringLiteral("the date %1 is not a date literal such as #2001-01-15#.")
                            .arg(items[7].quoted ? quoted(t) : shown(t));
        return std::nullopt;
    }
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

QString ReadFailure::text() const {
    if (line > 0)
        return QStringLiteral("Line %1: %2").arg(line).arg(reason);
    return reason.isEmpty() ? reason : reason.front().toUpper() + reason.mid(1);
}

DatabaseRead ReadDatabaseDetailed(const QByteArray& bytes) {
    DatabaseRead read;
    const auto fail = [&read](int line, QString reason) {
        read.failure = {line, std::move(reason)};
        return read;
    };
    if (bytes.size() > MaxFileBytes)
        return fail(0, QStringLiteral("the file is larger than %1 MiB, more than a database file "
                                      "can be.")
                           .arg(MaxFileBytes / (1024 * 1024)));
    TextEncoding encoding = TextEncoding::Utf8;
    std::optional<QString> utf8 = DecodeUtf8(bytes);
    if (!utf8)
        encoding = TextEncoding::Windows1252;
    QString text = utf8 ? std::move(*utf8) : DecodeWindows1252(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    std::vector<QStringView> lines;
    if (!splitLines(text, lines))
        return fail(static_cast<int>(lines.size()),
                    QStringLiteral("the line is longer than %1 characters.").arg(MaxLineLength));
    if (lines.empty())
        return fail(0, QStringLiteral("the file is empty."));

    std::vector<Item> items;
    QString why;
    if (lines[0].trimmed().isEmpty())
        return fail(1, QStringLiteral("the line is blank; it should be the header line."));
    if (!splitItems(lines[0], items, &why))
        return fail(1, why);
    if (items.size() != 4)
        return fail(1, QStringLiteral("the header line has %1; it should have 4 (the record "
                                      "count, the fund count, \"All Records\", \"31\").")
                           .arg(counted(static_cast<qsizetype>(items.size()), "item")));
    if (!items[2].quoted || !items[3].quoted)
        return fail(1, QStringLiteral("the header line's third and fourth items are not both "
                                      "quoted."));
    const std::optional<int> recordCount = parseCount(items[0]);
    if (!recordCount)
        return fail(1, countProblem("record count", items[0]));
    const std::optional<int> fundCount = parseCount(items[1]);
    if (!fundCount)
        return fail(1, countProblem("fund count", items[1]));
    if (*recordCount > MaxRecords)
        return fail(1, QStringLiteral("the file has %1 records, more than the %2 a database "
                                      "holds.")
                           .arg(*recordCount)
                           .arg(MaxRecords));
    if (*fundCount > MaxFunds)
        return fail(1, QStringLiteral("the file has %1 funds, more than the %2 a database holds.")
                           .arg(*fundCount)
                           .arg(MaxFunds));
    const int needed = 1 + *fundCount + *recordCount;
    if (lines.size() < static_cast<std::size_t>(needed))
        return fail(0, QStringLiteral("the file ends after line %1, but its header line "
                                      "announces %2 and %3, which take %4 lines.")
                           .arg(lines.size())
                           .arg(counted(*fundCount, "fund"), counted(*recordCount, "record"))
                           .arg(needed));

    DatabaseContents contents;
    contents.fundCount = *fundCount;
    contents.encoding = encoding;
    std::size_t next = 1;
    for (int k = 1; k <= *fundCount; ++k) {
        const int line = static_cast<int>(++next);
        if (!splitItems(lines[next - 1], items, &why))
            return fail(line, why);
        if (items.size() != 2)
            return fail(line, QStringLiteral("a fund line has %1; it should have 2 (the name "
                                             "and its number).")
                                  .arg(counted(static_cast<qsizetype>(items.size()), "item")));
        if (!items[0].quoted || !items[1].quoted)
            return fail(line, QStringLiteral("the fund name and its number are not both quoted."));
        // The number item is the entry's own position; a name is never empty.
        if (items[0].text.isEmpty())
            return fail(line, QStringLiteral("the fund name is empty."));
        if (items[0].text.size() > MaxFundNameLength)
            return fail(line, QStringLiteral("the fund name is longer than %1 characters.")
                                  .arg(MaxFundNameLength));
        if (items[1].text.trimmed() != QString::number(k))
            return fail(line, QStringLiteral("the fund number %1 should be \"%2\": fund lines "
                                             "are numbered 1, 2, 3 and so on.")
                                  .arg(quoted(items[1].text), QString::number(k)));
        contents.fundNames[static_cast<std::size_t>(k)] = items[0].text.toString();
    }
    contents.records.reserve(static_cast<std::size_t>(*recordCount));
    for (int r = 1; r <= *recordCount; ++r) {
        std::optional<Record> rec = parseRecord(lines[next++], *fundCount, items, why);
        if (!rec)
            return fail(static_cast<int>(next), why);
        rec->recordNumber = r;
        contents.records.push_back(*rec);
    }
    for (; next < lines.size(); ++next) {
        if (!lines[next].trimmed().isEmpty())
            return fail(static_cast<int>(next + 1),
                        QStringLiteral("there is text after the last record; the header line "
                                       "announces %1.")
                            .arg(counted(*recordCount, "record")));
    }
    read.contents = std::move(contents);
    return read;
}

std::optional<DatabaseContents> ReadDatabase(const QByteArray& bytes) {
    return ReadDatabaseDetailed(bytes).contents;
}

std::optional<DatabaseContents> ReadDatabase(QIODevice& device) {
    if (!device.isOpen() || !device.isReadable())
        return std::nullopt;
    return ReadDatabase(readUpToLimit(device));
}

DatabaseRead ReadDatabaseFileDetailed(const QString& path) {
    DatabaseRead read;
    const auto fail = [&read](const QString& reason) {
        read.failure = {0, reason};
        return read;
    };
    if (path.isEmpty())
        return fail(QStringLiteral("no file was named."));
    // Only a regular file (or a link to one) is read: opening a named pipe would wait for a
    // writer for good, and a device may never end.
    const QFileInfo info(path);
    if (!info.exists())
        return fail(info.isSymLink() ? QStringLiteral("the file is a link to nothing.")
                                     : QStringLiteral("the file does not exist."));
    if (info.isDir())
        return fail(QStringLiteral("it is a folder, not a file."));
    if (!info.isFile())
        return fail(QStringLiteral("it is not a regular file (it may be a pipe, a device or a "
                                   "socket)."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("the file could not be opened: %1.").arg(file.errorString()));
    if (file.isSequential())
        return fail(QStringLiteral("it is not a regular file."));
    const QByteArray bytes = readUpToLimit(file);
    // A read the system broke off would leave a short file, to be refused for a reason that is
    // not the real one.
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("the file could not be read: %1.").arg(file.errorString()));
    read = ReadDatabaseDetailed(bytes);
    if (read.contents)
        read.contents->stamp = stampOf(bytes, path);
    return read;
}

std::optional<DatabaseContents> ReadDatabaseFile(const QString& path) {
    return ReadDatabaseFileDetailed(path).contents;
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
    // A save that went through clears what saves of this file cut short left beside it (before
    // the folder is synced, which makes the removals last too).
    RemoveLeftoversOfSaves(written, QDateTime::currentDateTimeUtc());
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

std::vector<Message> OpenDatabase(Portfolio& p, const std::optional<QString>& path,
                                  QString* failure) {
    std::vector<Message> messages;
    if (failure)
        failure->clear();
    if (path) {
        const DatabaseRead read = ReadDatabaseFileDetailed(*path);
        if (read.contents) {
            LoadContents(p, *read.contents, *path);
        } else {
            messages.push_back(Message::FileNotFound);
            if (failure)
                *failure = QDir::toNativeSeparators(QFileInfo(*path).absoluteFilePath()) +
                           QLatin1Char('\n') + read.failure.text();
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
