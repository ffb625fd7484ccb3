#include "LargePortfolio.h"

#include "core/text/Dates.h"
#include "screens/RecordEntry.h"

#include <QLocale>
#include <random>

namespace qmbench {

namespace {

const char* const FundNames[qm::MaxFunds] = {
    "Northern Growth Fund", "Harbour Income Trust",  "Cedar Bond Fund",     "Summit Equity",
    "Blue River Index",     "Prairie Utilities",     "Oakwood Value",       "Atlas Global Shares",
    "Meridian Tech",        "Coastal Dividend Fund", "Granite Small Caps",  "Willow Balanced",
    "Lakeside Energy",      "Pioneer Health",        "Silver Birch Realty", "Aurora Emerging",
    "Kestrel Short Term",   "Evergreen Municipal"};

} // namespace

void PinEnvironment() {
    QLocale::setDefault(QLocale::c());
    qm::SetTodaySource([] { return QDate(2024, 3, 9); });
}

qm::Portfolio MakeLargePortfolio(unsigned seed) {
    std::mt19937 random(seed);
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    // An amount with up to `decimals` places between lo and hi whole units.
    const auto amount = [&](int lo, int hi, int decimals) {
        static constexpr int Steps[] = {10000, 1000, 100, 10, 1};
        const int step = Steps[decimals];
        const std::int64_t raw = std::uniform_int_distribution<std::int64_t>(
            std::int64_t{lo} * 10000 / step, std::int64_t{hi} * 10000 / step)(random);
        return qm::Currency::fromRaw(std::max<std::int64_t>(raw, 1) * step);
    };

    qm::Portfolio p;
    qm::InitPortfolio(p);
    std::vector<qm::Message> messages;
    // Funds are added out of name order, so the first tab change has work to do.
    for (int k = 0; k < qm::MaxFunds; ++k)
        qm::AddFund(p, QString::fromLatin1(FundNames[(k * 7) % qm::MaxFunds]), messages);

    const QStringList types = qm::TransactionTypeNames();
    const QDate first(1984, 1, 2);
    for (int r = 1; r <= qm::MaxRecords; ++r) {
        const int roll = pick(0, 99);
        // Mostly purchases; sales, dividends, fees and splits in smaller numbers.
        const int type = roll < 45   ? 0
                         : roll < 57 ? 1
                         : roll < 77 ? 2
                         : roll < 87 ? 3
                         : roll < 94 ? 4
                                     : 5;
        qm::NewRecord entry;
        entry.fund = pick(1, qm::MaxFunds);
        entry.typeCode = qm::TypeCodeOf(types[type]);
        auto& values = entry.values;
        const bool split = (type == 3 || type == 5) && pick(0, 3) == 0;
        switch (type) {
        case 0: // Bought
        case 1: // Sold
            values[1] = amount(1, 250, 2);
            values[2] = amount(1, type == 0 ? 1000 : 100, pick(0, 1) * 3);
            values[3] = pick(0, 2) == 0 ? qm::Currency() : amount(5, 60, 2);
            break;
        case 2: // Cash Dividend
            values[4] = amount(10, 2500, 2);
            break;
        case 3: // Dividend Shares
        case 5: // Unit Fee
            values[1] = split ? qm::Currency::fromRaw(1) : amount(1, 250, 2);
            values[2] = amount(1, type == 3 ? 200 : 20, 4);
            break;
        case 4: // Fee Cash
            values[3] = amount(5, 150, 2);
            break;
        }
        const QDate date = first.addDays(pick(0, 40 * 365));
        const qm::StoreResult stored =
            qm::StoreRecord(p, {p.fundName(entry.fund), types[type], qm::ShortDate(date)}, entry);
        if (!stored.stored)
            qFatal("the generated record %d was refused", r);
    }
    qm::SortFundsByName(p); // as the first tab change does
    p.unsavedChanges = 0;
    return p;
}

} // namespace qmbench
