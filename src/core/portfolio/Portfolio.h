#pragma once

// The investment manager's portfolio: up to 18 funds and 600 dated transaction records held in
// memory, the per-fund totals the reports work in, and the operations that add, replace, sort
// and remove records and funds. Everything here is Qt Core only; the manager window calls these
// functions from its handlers and shows what they return.

#include "core/text/Currency.h"
#include "core/text/CurrencyTable.h"
#include "core/text/Messages.h"
#include "core/text/TextEncoding.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

namespace qm {

inline constexpr int MaxFunds = 18;
inline constexpr int MaxRecords = 600;
// Fund entry 31 is the pseudo-fund "All Records" / "31"; the reports use it to mean all funds.
inline constexpr int AllFundsEntry = 31;
inline constexpr int FundEntries = 32;  // fund entries 0..31 (0 is never used)
inline constexpr int RecordSlots = 603; // record indexes 0..602 (0 is never a record)
// Longest fund name kept: longer names are cut so that every saved file can be read back.
inline constexpr int MaxFundNameLength = 32767;

inline const QString AllRecordsName = QStringLiteral("All Records");
inline const QString AllRecordsNumber = QStringLiteral("31");

// The six transaction types, in the order of the type list. The database file and the records
// hold each as its one-letter code; TypeFromCode and CodeOf convert between the two.
enum class TransactionType { Bought, Sold, CashDividend, DividendShares, FeeCash, UnitFee };

// The type a one-letter code stands for ("B", "S", "C", "D", "F", "U"); nothing for any other
// text, an empty one included.
std::optional<TransactionType> TypeFromCode(QStringView code);
// The one-letter code of a type.
QString CodeOf(TransactionType type);
// Dividend Shares and Unit Fee: shares come in or go out without money changing hands.
inline bool MovesSharesOnly(std::optional<TransactionType> type) {
    return type == TransactionType::DividendShares || type == TransactionType::UnitFee;
}

// One transaction record. Amounts are Currency (four decimals).
struct Record {
    Currency fundIndex;    // fund entry the record belongs to, as an amount (1 to FundCount)
    Currency price;        // price of one share or unit; 0 for Cash Dividend and Fee Cash
    Currency shares;       // negative for Sold and Unit Fee, 0 for Cash Dividend and Fee Cash
    Currency fees;         // commission or fee in money
    Currency cashDividend; // total cash dividend received (Cash Dividend only)
    Currency bookValue;    // cash effect: positive paid out, negative received, 0 no cash
    QString typeCode;      // "B", "S", "C", "D", "F" or "U"
    QDate tradeDate;
    int recordNumber = 0; // the record's own index, rewritten after every date sort

    int fund() const { return static_cast<int>(fundIndex.raw() / Currency::Scale); }
    std::optional<TransactionType> type() const { return TypeFromCode(typeCode); }
};

// Per-fund totals of the reports: rows 0..31 (row k fund k, row 31 totals), columns 0..8.
using FundTotalsTable = CurrencyTable<32, 9>;

// What a database file was when it was read or written here: its size, time and the digest of
// its bytes. A file whose size and time are the same is taken as unchanged; otherwise its bytes
// decide (a program that wrote the same bytes again changed nothing).
struct FileStamp {
    qint64 size = -1;
    QDateTime modified;
    QByteArray digest; // SHA-256 of the bytes; empty: no file is known

    bool known() const { return !digest.isEmpty(); }
};

// The portfolio: the funds, the records in date order, the per-fund totals of the reports, and
// the file it was read from or saved to. What the window shows or has chosen is ManagerScreen.
struct Portfolio {
    std::array<QString, FundEntries> fundNames{}; // FundName of entries 0..31
    int fundCount = 0;
    std::array<Record, RecordSlots> records{};
    int recordCount = 0;
    FundTotalsTable fundTotals;
    Currency averageCost; // the last fund reported by FundDisplay

    QString databaseName; // the file's name without its folder, as the entry tab shows it
    QString databasePath; // the full path of the file last opened or saved ("" with no name)
    TextEncoding fileEncoding = TextEncoding::Utf8; // that file's encoding
    FileStamp fileStamp;                            // that file as it was read or written
    int unsavedChanges = 0;

    Portfolio();

    // FundName of entry k; the empty text outside 0..31.
    QString fundName(int k) const;
    Record& record(int r) { return records.at(static_cast<std::size_t>(r)); }
    const Record& record(int r) const { return records.at(static_cast<std::size_t>(r)); }
};

// Fund names of entries 1..FundCount in table order (the fund lists of the tabs).
QStringList FundNames(const Portfolio& p);

// FundNumber of entry k: " k" (a blank for the sign), "31" for the pseudo-fund, "" for entry 0.
QString FundNumberText(int k);

// Captions of the counters: "Funds: " / "Records: " followed by the count with a leading blank.
QString FundCountCaption(int fundCount);
QString RecordCountCaption(int recordCount);
QString DatabaseCaption(const QString& databaseName);

// The six transaction types: full names in list order, codes, and report labels (10 chars).
QStringList TransactionTypeNames();
QString TypeCodeOf(const QString& fullName); // "" for a name not in the list
QString TypeNameOf(const QString& code);     // "" for an unknown code
QString TypeLabelOf(const QString& code);    // "" for an unknown code

// Empty model: no funds or records, tables cleared, entry 31 set.
void InitPortfolio(Portfolio& p);
// Leaving the manager: everything erased, no file name, no unsaved changes.
void DiscardPortfolio(Portfolio& p);
// Whether leaving must first ask to save (question 3).
bool ShouldAskBeforeDiscard(const Portfolio& p);

enum class AddFundResult { Ignored, Refused, Added };
// A new fund at entry FundCount + 1. "" and "1" (the name
// dialog's cancel) are ignored; a 19th fund is refused with message 36. Double quotes and line
// breaks cannot be stored in the database file and are dropped from the name.
AddFundResult AddFund(Portfolio& p, const QString& name, std::vector<Message>& messages);

// Checks an entry before it is stored: nothing when it may be stored, else the message: 51 no
// type chosen, 31 no date, 20 (29 when correcting) figures not as the type requires.
std::optional<Message> ValidateEntry(const QString& typeText, const QString& dateText,
                                     std::optional<TransactionType> type,
                                     const std::array<Currency, 6>& values, bool correcting);

// The entry row as the window shows it.
struct EntryRow {
    QString fundText; // text of the fund box
    QString typeText; // text of the transaction type list
    QString dateText; // text of the date box
};

// What the entry row stores: the fund, the type's code, the four amounts (1 price, 2 shares,
// 3 fees, 4 cash dividend), and the record it replaces (0: a new record).
struct NewRecord {
    int fund = 0;
    QString typeCode;
    std::array<Currency, 6> values{};
    int replaces = 0;
    bool correcting = false; // refusals are the correction's messages (29 for 20)
};

struct StoreResult {
    std::vector<Message> messages;
    bool stored = false;
    bool refusedByValidation = false;
};

// Stores `entry` with the date of the entry row: replaces record entry.replaces when it is a
// record, else appends. Applies the sign and book value rules, sorts by date and sets
// UnsavedChanges. A refused entry (messages 16 for a fund that is not there, 51, 31, 20, 29; 35
// at 600 records; a date that cannot be read; an amount beyond the Currency range) changes
// nothing. The caller shows the record list.
StoreResult StoreRecord(Portfolio& p, const EntryRow& row, const NewRecord& entry);

// Ascending date order (a Shell sort with halving gaps; records with equal dates end where
// those steps put them), then RecordNumber = index.
void SortRecordsByDate(Portfolio& p);
// Ascending name order by character codes (same sort), record fund indexes kept pointing at
// the fund of the same name.
void SortFundsByName(Portfolio& p);

// The record index of the n-th record (in date order) of fund f; 0 when there is none.
int FundRecordToRecord(const Portfolio& p, int f, int n);
// Number of records of fund f.
int FundRecordCount(const Portfolio& p, int f);

// Removes exactly record r; the others stay in date order and are renumbered. Sets
// UnsavedChanges. False (nothing changed) when r is not a record.
bool DeleteRecord(Portfolio& p, int r);
// Removes exactly fund f, which must have no records: the funds stay in name order without a
// gap and every record keeps its fund. False (nothing changed) otherwise.
bool DeleteFund(Portfolio& p, int f);

// A record number typed in the record-number dialog as a 16-bit whole number (halves to even);
// nothing for a text that is not a number or does not fit (".", "99999").
std::optional<int> ParseRecordNumber(QStringView text);

// The amount typed in an entry or price box (its leading number); nothing for a value beyond
// the Currency range.
std::optional<Currency> ParseBoxAmount(QStringView text);

} // namespace qm
