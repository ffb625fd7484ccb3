#include "core/portfolio/PortfolioContent.h"

#include <QStringList>
#include <algorithm>

namespace qm {

namespace {

bool SameFigures(const Record& a, const Record& b) {
    return a.price == b.price && a.shares == b.shares && a.fees == b.fees &&
           a.cashDividend == b.cashDividend && a.bookValue == b.bookValue &&
           a.typeCode == b.typeCode && a.tradeDate == b.tradeDate;
}

const QString& FundOf(const PortfolioContent& c, const Record& r) {
    static const QString none;
    const int f = r.fund();
    return f >= 1 && f <= c.fundCount ? c.fundNames[static_cast<std::size_t>(f)] : none;
}

QStringList SortedFunds(const PortfolioContent& c) {
    QStringList names;
    for (int f = 1; f <= c.fundCount; ++f)
        names << c.fundNames[static_cast<std::size_t>(f)];
    names.sort(Qt::CaseSensitive);
    return names;
}

} // namespace

PortfolioContent ContentOf(const Portfolio& p) {
    PortfolioContent c;
    c.fundCount = p.fundCount;
    for (int f = 1; f <= p.fundCount; ++f)
        c.fundNames[static_cast<std::size_t>(f)] = p.fundNames[static_cast<std::size_t>(f)];
    c.records.assign(p.records.begin() + 1, p.records.begin() + 1 + p.recordCount);
    return c;
}

void RestoreContent(Portfolio& p, const PortfolioContent& content) {
    for (int f = 1; f <= MaxFunds; ++f)
        p.fundNames[static_cast<std::size_t>(f)] =
            f <= content.fundCount ? content.fundNames[static_cast<std::size_t>(f)] : QString();
    p.fundCount = content.fundCount;
    const int count = static_cast<int>(content.records.size());
    for (int r = 1; r <= MaxRecords; ++r) {
        if (r <= count) {
            p.record(r) = content.records[static_cast<std::size_t>(r - 1)];
            p.record(r).recordNumber = r;
        } else if (r <= p.recordCount) {
            p.record(r) = Record{};
        }
    }
    p.recordCount = count;
}

bool operator==(const PortfolioContent& a, const PortfolioContent& b) {
    if (a.fundCount != b.fundCount || a.records.size() != b.records.size())
        return false;
    for (int f = 1; f <= a.fundCount; ++f) {
        if (a.fundNames[static_cast<std::size_t>(f)] != b.fundNames[static_cast<std::size_t>(f)])
            return false;
    }
    return std::equal(a.records.begin(), a.records.end(), b.records.begin(),
                      [](const Record& x, const Record& y) {
                          return x.fundIndex == y.fundIndex && SameFigures(x, y);
                      });
}

bool SameRecords(const PortfolioContent& a, const PortfolioContent& b) {
    return std::equal(a.records.begin(), a.records.end(), b.records.begin(), b.records.end(),
                      [&](const Record& x, const Record& y) {
                          return SameFigures(x, y) && FundOf(a, x) == FundOf(b, y);
                      });
}

bool SameAsSaved(const PortfolioContent& a, const PortfolioContent& b) {
    return SameRecords(a, b) && SortedFunds(a) == SortedFunds(b);
}

} // namespace qm
