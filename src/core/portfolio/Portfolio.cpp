#include "core/portfolio/Portfolio.h"

#include "core/text/Conversions.h"
#include "core/text/Dates.h"

#include <utility>

namespace qm {

namespace {

struct TypeInfo {
    TransactionType type;
    const char16_t* name;
    const char16_t* code;
    const char16_t* label;
};

constexpr std::array<TypeInfo, 6> Types{{
    {TransactionType::Bought, u"Bought", u"B", u"Bought    "},
    {TransactionType::Sold, u"Sold", u"S", u"Sold      "},
    {TransactionType::CashDividend, u"Cash Dividend", u"C", u"Cash Div. "},
    {TransactionType::DividendShares, u"Dividend Shares", u"D", u"Div/Shrs. "},
    {TransactionType::FeeCash, u"Fee Cash", u"F", u"Fee Cash  "},
    {TransactionType::UnitFee, u"Unit Fee", u"U", u"Unit Fee  "},
}};

// Each row sits at the index of its own type.
constexpr bool typesInOrder() {
    for (std::size_t i = 0; i < Types.size(); ++i) {
        if (static_cast<std::size_t>(Types[i].type) != i)
            return false;
    }
    return true;
}
static_assert(typesInOrder());

const TypeInfo& typeInfo(TransactionType type) {
    return Types.at(static_cast<std::size_t>(type));
}

const TypeInfo* typeByCode(QStringView code) {
    const std::optional<TransactionType> type = TypeFromCode(code);
    return type ? &typeInfo(*type) : nullptr;
}

// Shell sort of entries 1..n with halving gaps (entries with equal keys end where those steps
// put them). `inOrder(a, b)` says whether entry a may stay before entry b; `swap(a, b)`
// exchanges them. `marked` (0 = none) is an entry that sorts after every other one whatever its
// key: the one being deleted.
template <typename InOrder, typename Swap>
void shellSort(int n, int marked, InOrder inOrder, Swap swap) {
    for (int gap = n / 2; gap > 0; gap /= 2) {
        for (int i = gap; i <= n - 1; ++i) {
            for (int a = i - gap + 1; a >= 1; a -= gap) {
                const int b = a + gap;
                if (a != marked && (b == marked || inOrder(a, b)))
                    break;
                swap(a, b);
                if (marked == a)
                    marked = b;
                else if (marked == b)
                    marked = a;
            }
        }
    }
}

// Records 1..RecordCount by date, then RecordNumber = index.
void sortRecords(Portfolio& p, int marked) {
    shellSort(
        p.recordCount, marked,
        [&p](int a, int b) { return p.record(a).tradeDate <= p.record(b).tradeDate; },
        [&p](int a, int b) { std::swap(p.record(a), p.record(b)); });
    for (int r = 1; r <= p.recordCount; ++r)
        p.record(r).recordNumber = r;
}

// Fund entries 1..FundCount by name (character codes). Only the names move; every record of a
// moved fund follows it.
void sortFunds(Portfolio& p, int marked) {
    const auto name = [&p](int k) -> QString& {
        return p.fundNames.at(static_cast<std::size_t>(k));
    };
    shellSort(
        p.fundCount, marked, [&name](int a, int b) { return name(a) <= name(b); },
        [&p, &name](int a, int b) {
            std::swap(name(a), name(b));
            for (int r = 1; r <= p.recordCount; ++r) {
                Record& rec = p.record(r);
                if (rec.fund() == a)
                    rec.fundIndex = Currency::fromUnits(b);
                else if (rec.fund() == b)
                    rec.fundIndex = Currency::fromUnits(a);
            }
        });
}

} // namespace

Portfolio::Portfolio() {
    fundNames[AllFundsEntry] = AllRecordsName;
}

QString Portfolio::fundName(int k) const {
    if (k < 0 || k >= FundEntries)
        return QString();
    return fundNames[static_cast<std::size_t>(k)];
}

QStringList FundNames(const Portfolio& p) {
    QStringList names;
    for (int k = 1; k <= p.fundCount; ++k)
        names << p.fundName(k);
    return names;
}

QString FundNumberText(int k) {
    if (k == AllFundsEntry)
        return AllRecordsNumber;
    if (k <= 0)
        return QString();
    return QLatin1Char(' ') + QString::number(k);
}

QString FundCountCaption(int fundCount) {
    return QStringLiteral("Funds:  ") + QString::number(fundCount);
}

QString RecordCountCaption(int recordCount) {
    return QStringLiteral("Records:  ") + QString::number(recordCount);
}

QString DatabaseCaption(const QString& databaseName) {
    return QStringLiteral("Database: ") + databaseName;
}

std::optional<TransactionType> TypeFromCode(QStringView code) {
    for (const TypeInfo& t : Types) {
        if (code == QStringView(t.code))
            return t.type;
    }
    return std::nullopt;
}

QString CodeOf(TransactionType type) {
    return QString::fromUtf16(typeInfo(type).code);
}

QStringList TransactionTypeNames() {
    QStringList names;
    for (const TypeInfo& t : Types)
        names << QString::fromUtf16(t.name);
    return names;
}

QString TypeCodeOf(const QString& fullName) {
    for (const TypeInfo& t : Types) {
        if (fullName == QStringView(t.name))
            return QString::fromUtf16(t.code);
    }
    return QString();
}

QString TypeNameOf(const QString& code) {
    const TypeInfo* t = typeByCode(code);
    return t ? QString::fromUtf16(t->name) : QString();
}

QString TypeLabelOf(const QString& code) {
    const TypeInfo* t = typeByCode(code);
    return t ? QString::fromUtf16(t->label) : QString();
}

void InitPortfolio(Portfolio& p) {
    p.fundCount = 0;
    p.recordCount = 0;
    p.records.fill(Record{});
    p.fundNames.fill(QString());
    p.fundNames[AllFundsEntry] = AllRecordsName;
    p.fundTotals.clear();
}

void DiscardPortfolio(Portfolio& p) {
    p = Portfolio{};
}

bool ShouldAskBeforeDiscard(const Portfolio& p) {
    return p.unsavedChanges == 1 && p.recordCount != 0;
}

AddFundResult AddFund(Portfolio& p, const QString& name, std::vector<Message>& messages) {
    if (name.isEmpty() || name == QLatin1String("1"))
        return AddFundResult::Ignored;
    if (p.fundCount >= MaxFunds) {
        messages.push_back(Message::FundLimit);
        return AddFundResult::Refused;
    }
    QString clean = name;
    clean.remove(QLatin1Char('"'));
    clean.remove(QLatin1Char('\r'));
    clean.remove(QLatin1Char('\n'));
    clean.truncate(MaxFundNameLength);
    // A fund without a name could never be chosen again, so it could not be deleted either.
    if (clean.isEmpty())
        return AddFundResult::Ignored;
    ++p.fundCount;
    p.fundNames[static_cast<std::size_t>(p.fundCount)] = clean;
    return AddFundResult::Added;
}

std::optional<Message> ValidateEntry(const QString& typeText, const QString& dateText,
                                     std::optional<TransactionType> type,
                                     const std::array<Currency, 6>& values, bool correcting) {
    if (typeText.isEmpty())
        return Message::NoTransactionType;
    if (dateText.isEmpty())
        return Message::RecordNeedsDate;
    const Currency zero;
    const Currency price = values[1];
    const Currency shares = values[2];
    const Currency fees = values[3];
    const Currency cash = values[4];
    bool ok = false;
    if (type) {
        switch (*type) {
        case TransactionType::Bought:
        case TransactionType::Sold:
            ok = price > zero && shares > zero && cash == zero;
            break;
        case TransactionType::DividendShares:
        case TransactionType::UnitFee:
            ok = price > zero && shares > zero && fees == zero && cash == zero;
            break;
        case TransactionType::CashDividend:
            ok = price == zero && shares == zero && fees == zero && cash > zero;
            break;
        case TransactionType::FeeCash:
            ok = price == zero && shares == zero && fees > zero && cash == zero;
            break;
        }
    }
    if (ok)
        return std::nullopt;
    return correcting ? Message::RecordNotCorrected : Message::RecordNotSaved;
}

StoreResult StoreRecord(Portfolio& p, const EntryRow& row, const NewRecord& entry) {
    StoreResult result;
    if (entry.fund < 1 || entry.fund > p.fundCount) {
        result.messages.push_back(Message::FundNotSelected);
        return result;
    }
    const std::optional<Message> invalid = ValidateEntry(
        row.typeText, row.dateText, TypeFromCode(entry.typeCode), entry.values, entry.correcting);
    const std::optional<QDate> date = ParseDate(row.dateText);
    if (invalid || !date) {
        // A date box holding something that is not a date counts as no date.
        result.messages.push_back(invalid ? *invalid : Message::RecordNeedsDate);
        result.refusedByValidation = true;
        return result;
    }
    if (p.recordCount > MaxRecords - 1) {
        result.messages.push_back(Message::RecordLimit);
        return result;
    }
    const bool replace = entry.replaces >= 1 && entry.replaces <= p.recordCount;

    Record rec;
    rec.fundIndex = Currency::fromUnits(entry.fund);
    rec.typeCode = entry.typeCode;
    rec.tradeDate = *date;
    rec.price = entry.values[1];
    rec.shares = entry.values[2];
    rec.fees = entry.values[3];
    rec.cashDividend = entry.values[4];
    try {
        const std::optional<TransactionType> type = rec.type();
        if (type == TransactionType::Sold)
            rec.shares = -rec.shares;
        if (type == TransactionType::CashDividend)
            rec.bookValue = -rec.cashDividend;
        if (type == TransactionType::DividendShares)
            rec.bookValue = Currency();
        if (type == TransactionType::FeeCash && rec.price.isZero() && rec.shares.isZero())
            rec.bookValue = rec.fees;
        if (type == TransactionType::UnitFee && rec.shares > Currency()) {
            rec.shares = -rec.shares;
            rec.bookValue = Currency();
        }
        if (type == TransactionType::Bought || type == TransactionType::Sold)
            rec.bookValue = rec.price * rec.shares + rec.fees;
    } catch (const CalcError&) {
        // Amounts too large for a book value: refused like any other wrong entry.
        result.messages.push_back(entry.correcting ? Message::RecordNotCorrected
                                                   : Message::RecordNotSaved);
        result.refusedByValidation = true;
        return result;
    }

    const int r = replace ? entry.replaces : ++p.recordCount;
    rec.recordNumber = r;
    p.record(r) = rec;
    p.unsavedChanges = 1;
    SortRecordsByDate(p);
    result.stored = true;
    return result;
}

void SortRecordsByDate(Portfolio& p) {
    sortRecords(p, 0);
}

void SortFundsByName(Portfolio& p) {
    sortFunds(p, 0);
}

int FundRecordToRecord(const Portfolio& p, int f, int n) {
    if (n <= 0)
        return 0;
    int count = 0;
    for (int i = 1; i <= p.recordCount; ++i) {
        if (p.record(i).fund() == f && ++count == n)
            return p.record(i).recordNumber;
    }
    return 0;
}

int FundRecordCount(const Portfolio& p, int f) {
    int count = 0;
    for (int i = 1; i <= p.recordCount; ++i) {
        if (p.record(i).fund() == f)
            ++count;
    }
    return count;
}

bool DeleteRecord(Portfolio& p, int r) {
    if (r < 1 || r > p.recordCount)
        return false;
    sortRecords(p, r);
    p.record(p.recordCount) = Record{};
    --p.recordCount;
    p.unsavedChanges = 1;
    return true;
}

bool DeleteFund(Portfolio& p, int f) {
    if (f < 1 || f > p.fundCount || FundRecordCount(p, f) != 0)
        return false;
    sortFunds(p, f);
    p.fundNames[static_cast<std::size_t>(p.fundCount)].clear();
    --p.fundCount;
    return true;
}

std::optional<int> ParseRecordNumber(QStringView text) {
    const QStringView t = text.trimmed();
    bool digit = false;
    bool point = false;
    for (const QChar c : t) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
            digit = true;
        else if (c == QLatin1Char('.') && !point)
            point = true;
        else
            return std::nullopt;
    }
    if (!digit)
        return std::nullopt;
    try {
        return ToWhole(Val(t));
    } catch (const CalcError&) {
        return std::nullopt;
    }
}

std::optional<Currency> ParseBoxAmount(QStringView text) {
    try {
        return Currency::fromDouble(Val(text));
    } catch (const CalcError&) {
        return std::nullopt;
    }
}

} // namespace qm
