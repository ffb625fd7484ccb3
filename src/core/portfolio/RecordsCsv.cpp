#include "core/portfolio/RecordsCsv.h"

#include <algorithm>
#include <vector>

namespace qm {

QString CsvField(const QString& text) {
    const bool quote = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                       text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')) ||
                       (!text.isEmpty() && (text.front().isSpace() || text.back().isSpace()));
    if (!quote)
        return text;
    QString inner = text;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

QString CsvText(const QString& text) {
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (!text.isEmpty() && formulaStarts.contains(text.front()))
        return CsvField(QLatin1Char('\'') + text);
    return CsvField(text);
}

QString CsvAmount(Currency amount) {
    const std::int64_t raw = amount.raw();
    // Unsigned, so that the most negative amount does not overflow on negation.
    const auto magnitude = raw < 0 ? 0ULL - static_cast<unsigned long long>(raw)
                                   : static_cast<unsigned long long>(raw);
    const auto scale = static_cast<unsigned long long>(Currency::Scale);
    return QStringLiteral("%1%2.%3")
        .arg(raw < 0 ? QStringLiteral("-") : QString())
        .arg(magnitude / scale)
        .arg(magnitude % scale, 4, 10, QLatin1Char('0'));
}

QByteArray RecordsCsv(const Portfolio& p) {
    std::vector<const Record*> rows;
    for (int r = 1; r <= p.recordCount; ++r)
        rows.push_back(&p.record(r));
    std::stable_sort(rows.begin(), rows.end(),
                     [](const Record* a, const Record* b) { return a->tradeDate < b->tradeDate; });
    QString text = QStringLiteral("Fund,Type,Date,Price,Shares,Fees,Cash dividend,Book value\r\n");
    for (const Record* record : rows) {
        const QStringList fields{CsvText(p.fundName(record->fund())),
                                 CsvText(TypeNameOf(record->typeCode)),
                                 record->tradeDate.toString(Qt::ISODate),
                                 CsvAmount(record->price),
                                 CsvAmount(record->shares),
                                 CsvAmount(record->fees),
                                 CsvAmount(record->cashDividend),
                                 CsvAmount(record->bookValue)};
        text += fields.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return text.toUtf8();
}

} // namespace qm
