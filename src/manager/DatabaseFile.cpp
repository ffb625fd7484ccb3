#include "manager/DatabaseFile.h"

#include "text/Dates.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cstdint>
#include <limits>

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

bool isTypeCode(QStringView code) {
    return code.size() == 1 && QStringView(u"BSCDFU").contains(code.at(0));
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
    if (!items[6].quoted || !isTypeCode(items[6].text))
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

} // namespace

QByteArray WriteDatabase(const Portfolio& p) {
    // Written straight as bytes: every item but the fund names is plain ASCII.
    QByteArray out;
    out.reserve(64 + 48 * p.fundCount + 72 * p.recordCount);
    const auto text = [&out](const QString& value) {
        out += '"';
        out += value.toUtf8();
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
    for (int k = 1; k <= p.fundCount; ++k) {
        text(p.fundName(k));
        out += ',';
        text(FundNumberText(k));
        endLine();
    }
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
    return out;
}

std::optional<DatabaseContents> ReadDatabase(const QByteArray& bytes) {
    if (bytes.size() > MaxFileBytes)
        return std::nullopt;
    QString text = QString::fromUtf8(bytes);
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
    // Read in modest pieces: asking for the whole limit at once would set aside 8 MiB for a
    // file of a few kilobytes on every open.
    constexpr qint64 Piece = 64 * 1024;
    QByteArray bytes;
    while (bytes.size() <= MaxFileBytes) {
        const QByteArray chunk = device.read(std::min(Piece, MaxFileBytes + 1 - bytes.size()));
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    return ReadDatabase(bytes);
}

std::optional<DatabaseContents> ReadDatabaseFile(const QString& path) {
    if (path.isEmpty() || QFileInfo(path).isDir())
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return ReadDatabase(file);
}

bool WriteDatabaseFile(const Portfolio& p, const QString& path) {
    if (path.isEmpty() || QFileInfo(path).isDir())
        return false;
    // Unbuffered, so that a write the system refuses part-way (a full disk, a file-size limit)
    // fails here: bytes held in a buffer would only fail when the file is committed, and the
    // commit would then put a short file in place of the old one and report success.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray bytes = WriteDatabase(p);
    if (file.write(bytes) != bytes.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
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
    p.activeFund = 0;
    p.newFundIndex = 0;
    p.targetRecord = 0;
}

std::vector<int> OpenDatabase(Portfolio& p, const std::optional<QString>& path) {
    std::vector<int> messages;
    if (path) {
        const std::optional<DatabaseContents> contents = ReadDatabaseFile(*path);
        if (contents) {
            LoadContents(p, *contents, *path);
        } else {
            messages.push_back(13);
            // Nothing of the old model is kept: it is left empty, without a database name.
            LoadContents(p, DatabaseContents{}, QString());
            p.resultsPage.clear();
            p.helpPage.clear();
        }
    }
    p.fundTotals.clear();
    return messages;
}

bool BeginSave(const Portfolio& p, std::vector<int>& messages) {
    if (p.recordCount == 0) {
        messages.push_back(15);
        return false;
    }
    return true;
}

std::vector<int> SaveDatabase(Portfolio& p, const std::optional<QString>& path) {
    std::vector<int> messages;
    if (!path)
        return messages;
    if (!BeginSave(p, messages))
        return messages;
    if (WriteDatabaseFile(p, *path)) {
        p.databaseName = QFileInfo(*path).fileName();
        p.unsavedChanges = 0;
    } else {
        messages.push_back(25);
    }
    return messages;
}

} // namespace qm
