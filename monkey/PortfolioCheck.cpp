#include "PortfolioCheck.h"

#include "core/text/Dates.h"

#include <algorithm>

namespace qmmonkey {

using qm::Currency;
using qm::Portfolio;
using qm::Record;

namespace {

QString amount(Currency value) {
    return QString::fromStdString(value.toPlainString());
}

QString recordLine(const QString& fundName, const Record& r) {
    return QStringList{
        fundName,         r.typeCode,     qm::DateLiteral(r.tradeDate), amount(r.price),
        amount(r.shares), amount(r.fees), amount(r.cashDividend),       amount(r.bookValue)}
        .join(QLatin1Char('|'));
}

QStringList sorted(QStringList lines) {
    std::sort(lines.begin(), lines.end());
    return lines;
}

QStringList fundsOf(const qm::PortfolioContent& c) {
    QStringList names;
    for (int k = 1; k <= std::min(c.fundCount, qm::MaxFunds); ++k)
        names << c.fundNames[static_cast<std::size_t>(k)];
    return sorted(names);
}

// The content's records in their order, each naming its fund by name.
QStringList recordsOf(const qm::PortfolioContent& c) {
    QStringList lines;
    for (const Record& r : c.records) {
        const int k = r.fund();
        lines << recordLine(k >= 1 && k <= std::min(c.fundCount, qm::MaxFunds)
                                ? c.fundNames[static_cast<std::size_t>(k)]
                                : QString(),
                            r);
    }
    return lines;
}

} // namespace

QStringList PortfolioProblems(const Portfolio& p, bool dateOrder) {
    QStringList problems;
    if (p.fundCount < 0 || p.fundCount > qm::MaxFunds)
        problems << QStringLiteral("fund count %1 outside 0..18").arg(p.fundCount);
    if (p.recordCount < 0 || p.recordCount > qm::MaxRecords)
        problems << QStringLiteral("record count %1 outside 0..600").arg(p.recordCount);
    if (!problems.isEmpty())
        return problems; // the tables cannot be walked safely

    for (int r = 1; r <= p.recordCount; ++r) {
        const Record& rec = p.record(r);
        const QString at = QStringLiteral("record %1: ").arg(r);
        if (rec.recordNumber != r)
            problems << at + QStringLiteral("numbered %1").arg(rec.recordNumber);
        if (!rec.tradeDate.isValid())
            problems << at + QStringLiteral("no valid date");
        else if (dateOrder && r > 1 && p.record(r - 1).tradeDate.isValid() &&
                 p.record(r - 1).tradeDate > rec.tradeDate)
            problems << at + QStringLiteral("dated %1, before record %2 (%3)")
                                 .arg(qm::DateLiteral(rec.tradeDate))
                                 .arg(r - 1)
                                 .arg(qm::DateLiteral(p.record(r - 1).tradeDate));
        if (rec.fundIndex.raw() % Currency::Scale != 0 || rec.fund() < 1 ||
            rec.fund() > p.fundCount)
            problems << at + QStringLiteral("fund index %1 outside 1..%2")
                                 .arg(amount(rec.fundIndex))
                                 .arg(p.fundCount);
        if (!rec.type())
            problems << at + QStringLiteral("type \"%1\"").arg(rec.typeCode);
    }
    for (int r = p.recordCount + 1; r < qm::RecordSlots; ++r) {
        const Record& rec = p.record(r);
        if (!rec.typeCode.isEmpty() || !rec.fundIndex.isZero() || rec.tradeDate.isValid()) {
            problems << QStringLiteral("record slot %1 after the last record is not empty").arg(r);
            break;
        }
    }
    for (int k = 1; k <= p.fundCount; ++k) {
        if (p.fundName(k).isEmpty())
            problems << QStringLiteral("fund %1 has no name").arg(k);
    }
    for (int k = p.fundCount + 1; k < qm::AllFundsEntry; ++k) {
        if (!p.fundName(k).isEmpty()) {
            problems << QStringLiteral("fund entry %1 after the last fund holds \"%2\"")
                            .arg(k)
                            .arg(p.fundName(k));
            break;
        }
    }
    if (p.fundName(qm::AllFundsEntry) != qm::AllRecordsName)
        problems << QStringLiteral("entry 31 is \"%1\"").arg(p.fundName(qm::AllFundsEntry));
    return problems;
}

bool DatesInOrder(const qm::DatabaseContents& contents) {
    for (std::size_t i = 1; i < contents.records.size(); ++i) {
        if (contents.records[i - 1].tradeDate > contents.records[i].tradeDate)
            return false;
    }
    return true;
}

bool DatesInOrder(const qm::PortfolioContent& content) {
    for (std::size_t i = 1; i < content.records.size(); ++i) {
        if (content.records[i - 1].tradeDate > content.records[i].tradeDate)
            return false;
    }
    return true;
}

QStringList RecordLines(const Portfolio& p) {
    QStringList lines;
    for (int r = 1; r <= std::min(p.recordCount, qm::MaxRecords); ++r)
        lines << recordLine(p.fundName(p.record(r).fund()), p.record(r));
    return sorted(lines);
}

QStringList RecordLines(const qm::DatabaseContents& contents) {
    QStringList lines;
    for (const Record& rec : contents.records) {
        const int k = rec.fund();
        const QString name = k >= 1 && k <= contents.fundCount
                                 ? contents.fundNames[static_cast<std::size_t>(k)]
                                 : QString();
        lines << recordLine(name, rec);
    }
    return sorted(lines);
}

QStringList ContentDifferences(const Portfolio& p, const qm::DatabaseContents& contents) {
    QStringList differences;
    QStringList held, read;
    for (int k = 1; k <= std::min(p.fundCount, qm::MaxFunds); ++k)
        held << p.fundName(k);
    for (int k = 1; k <= contents.fundCount; ++k)
        read << contents.fundNames[static_cast<std::size_t>(k)];
    held = sorted(held);
    read = sorted(read);
    if (held != read)
        differences << QStringLiteral("funds [%1] in memory, [%2] in the file")
                           .arg(held.join(QLatin1String(", ")), read.join(QLatin1String(", ")));
    const QStringList heldRecords = RecordLines(p);
    const QStringList readRecords = RecordLines(contents);
    if (heldRecords != readRecords) {
        QStringList onlyHeld, onlyRead;
        for (const QString& line : heldRecords)
            if (!readRecords.contains(line))
                onlyHeld << line;
        for (const QString& line : readRecords)
            if (!heldRecords.contains(line))
                onlyRead << line;
        differences << QStringLiteral("%1 records in memory, %2 in the file; only in memory: "
                                      "[%3]; only in the file: [%4]")
                           .arg(heldRecords.size())
                           .arg(readRecords.size())
                           .arg(onlyHeld.mid(0, 3).join(QLatin1String("; ")),
                                onlyRead.mid(0, 3).join(QLatin1String("; ")));
    }
    return differences;
}

QStringList ContentDifferences(const qm::PortfolioContent& shown,
                               const qm::PortfolioContent& expected) {
    QStringList differences;
    const QStringList funds = fundsOf(shown);
    const QStringList expectedFunds = fundsOf(expected);
    if (funds != expectedFunds)
        differences << QStringLiteral("funds [%1] for [%2]")
                           .arg(funds.join(QLatin1String(", ")),
                                expectedFunds.join(QLatin1String(", ")));
    const QStringList records = recordsOf(shown);
    const QStringList expectedRecords = recordsOf(expected);
    for (qsizetype i = 0; i < std::max(records.size(), expectedRecords.size()); ++i) {
        const QString a = records.value(i, QStringLiteral("(none)"));
        const QString b = expectedRecords.value(i, QStringLiteral("(none)"));
        if (a != b) {
            differences << QStringLiteral("%1 records for %2, record %3 is %4 for %5")
                               .arg(records.size())
                               .arg(expectedRecords.size())
                               .arg(i + 1)
                               .arg(a, b);
            break;
        }
    }
    return differences;
}

} // namespace qmmonkey
