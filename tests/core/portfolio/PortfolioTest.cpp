#include "support/CaseName.h"
#include "support/ManagerTestSupport.h"

#include "core/portfolio/DatabaseFile.h"

#include <map>

using namespace qm;
using qmtest::Entry;
using qmtest::money;

namespace {

const QString Fund = QStringLiteral("Fund");

// ---- The one-letter codes the records and the database file hold --------------------------

TEST(TransactionTypes, CodesConvertBothWaysAndNothingElseIsAType) {
    const struct {
        TransactionType type;
        const char* code;
        const char* name;
    } types[] = {
        {TransactionType::Bought, "B", "Bought"},
        {TransactionType::Sold, "S", "Sold"},
        {TransactionType::CashDividend, "C", "Cash Dividend"},
        {TransactionType::DividendShares, "D", "Dividend Shares"},
        {TransactionType::FeeCash, "F", "Fee Cash"},
        {TransactionType::UnitFee, "U", "Unit Fee"},
    };
    QStringList names;
    for (const auto& t : types) {
        const QString code = QString::fromLatin1(t.code);
        EXPECT_EQ(TypeFromCode(code), t.type) << t.code;
        EXPECT_EQ(CodeOf(t.type), code) << t.code;
        EXPECT_EQ(TypeCodeOf(QString::fromLatin1(t.name)), code) << t.code;
        names << QString::fromLatin1(t.name);
    }
    EXPECT_EQ(TransactionTypeNames(), names);
    for (const char* other : {"", "b", "X", "BS", " B", "B ", "Bought"})
        EXPECT_EQ(TypeFromCode(QString::fromLatin1(other)), std::nullopt) << '"' << other << '"';
}

// ---- The sign and book value of every valid entry (the six help samples and rounding) ------

struct StoredCase {
    Entry entry;
    const char* shares;
    const char* bookValue;
};

void PrintTo(const StoredCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.entry, c.shares, c.bookValue);
}

class StoreSigns : public ::testing::TestWithParam<StoredCase> {};

TEST_P(StoreSigns, StoresSharesAndBookValue) {
    const StoredCase& c = GetParam();
    const ManagerScreen p = qmtest::screenOf({c.entry});
    ASSERT_EQ(p.portfolio.recordCount, 1);
    const Record& rec = p.portfolio.record(1);
    EXPECT_EQ(rec.typeCode, QString::fromLatin1(c.entry.code));
    EXPECT_EQ(rec.shares, money(c.shares));
    EXPECT_EQ(rec.bookValue, money(c.bookValue));
    EXPECT_EQ(rec.price, money(c.entry.price));
    EXPECT_EQ(rec.cashDividend, money(c.entry.cash));
    EXPECT_EQ(rec.tradeDate, QDate(2001, 1, 15));
    EXPECT_EQ(p.portfolio.unsavedChanges, 1);
}

INSTANTIATE_TEST_SUITE_P(
    HelpSamples, StoreSigns,
    ::testing::Values(StoredCase{{"F", "B", "1/15/2001", "10.00", "100", "50.00"}, "100", "1050"},
                      StoredCase{{"F", "B", "1/15/2001", "10.00", "100"}, "100", "1000"},
                      StoredCase{{"F", "S", "1/15/2001", "10.00", "100", "50.00"}, "-100", "-950"},
                      StoredCase{{"F", "C", "1/15/2001", "0", "0", "0", "100.00"}, "0", "-100"},
                      StoredCase{{"F", "D", "1/15/2001", "10.00", "10"}, "10", "0"},
                      StoredCase{{"F", "F", "1/15/2001", "0", "0", "100.00"}, "0", "100"},
                      StoredCase{{"F", "U", "1/15/2001", "10.00", "5"}, "-5", "0"},
                      // Product rounded to four decimals, ties to even: 0.16665 -> 0.1666.
                      StoredCase{
                          {"F", "B", "01/15/01", "0.3333", "0.5", "0.0001"}, "0.5", "0.1667"},
                      StoredCase{{"F", "D", "1-15-2001", "0.0001", "300"}, "300", "0"}),
    [](const auto& info) {
        const qmtest::Entry& e = info.param.entry;
        return qmtest::NameOf(e.code, e.date, e.price, e.shares, e.fees, e.cash);
    });

// ---- Refused entries: the message, and nothing changed -------------------------------------

struct RefusedCase {
    const char* typeText;
    const char* date;
    const char* code;
    std::array<const char*, 4> boxes; // price, shares, fees, cash dividend
    int correctMode;
    int message;
};

void PrintTo(const RefusedCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.typeText, c.date, c.code, c.boxes, c.correctMode, c.message);
}

class RefusedEntry : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(RefusedEntry, ShowsItsMessageAndChangesNothing) {
    const RefusedCase& c = GetParam();
    Portfolio p = qmtest::portfolioOf({{"Fund", "B", "1/2/2001", "5", "5"}});
    p.unsavedChanges = 0;
    NewRecord entry{1, QString::fromLatin1(c.code), {}, c.correctMode, c.correctMode == 1};
    for (int i = 0; i < 4; ++i)
        entry.values[static_cast<std::size_t>(i + 1)] = money(c.boxes[static_cast<std::size_t>(i)]);
    const StoreResult out =
        StoreRecord(p, {Fund, QString::fromLatin1(c.typeText), QString::fromLatin1(c.date)}, entry);
    EXPECT_EQ(out.messages, std::vector<Message>{Message{c.message}});
    EXPECT_TRUE(out.refusedByValidation);
    EXPECT_EQ(p.recordCount, 1);
    EXPECT_EQ(p.record(1).bookValue, money("25"));
    EXPECT_EQ(p.unsavedChanges, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedEntry,
    ::testing::Values(
        RefusedCase{"", "1/1/2001", "B", {"10", "100", "0", "0"}, 0, 51},
        RefusedCase{"Bought", "", "B", {"10", "100", "0", "0"}, 0, 31},
        RefusedCase{"Bought", "13/45/2001", "B", {"10", "100", "0", "0"}, 0, 31}, // not a date
        RefusedCase{"Bought", "1/1/2001", "B", {"10", "0", "0", "0"}, 0, 20},
        RefusedCase{"Bought", "1/1/2001", "B", {"0", "100", "0", "0"}, 0, 20},
        RefusedCase{"Bought", "1/1/2001", "B", {"10", "100", "0", "5"}, 0, 20},
        RefusedCase{"Sold", "1/1/2001", "S", {"10", "0", "5", "0"}, 1, 29},
        RefusedCase{"Cash Dividend", "1/1/2001", "C", {"10", "0", "0", "100"}, 0, 20},
        RefusedCase{"Cash Dividend", "1/1/2001", "C", {"0", "0", "0", "0"}, 0, 20},
        RefusedCase{"Cash Dividend", "1/1/2001", "C", {"0", "0", "1", "100"}, 1, 29},
        RefusedCase{"Dividend Shares", "1/1/2001", "D", {"10", "10", "1", "0"}, 0, 20},
        RefusedCase{"Unit Fee", "1/1/2001", "U", {"10", "5", "0", "1"}, 0, 20},
        RefusedCase{"Fee Cash", "1/1/2001", "F", {"1", "0", "100", "0"}, 0, 20},
        RefusedCase{"Fee Cash", "1/1/2001", "F", {"0", "0", "0", "0"}, 0, 20},
        RefusedCase{"Bought", "1/1/2001", "", {"10", "100", "0", "0"}, 0, 20},
        // A book value beyond the Currency range.
        RefusedCase{"Bought", "1/1/2001", "B", {"900000000000000", "9000000", "0", "0"}, 0, 20}),
    [](const auto& info) {
        return qmtest::NameOf(info.param.typeText, info.param.date, info.param.code,
                              info.param.boxes, "mode", info.param.correctMode);
    });

TEST(RecordEntry, RefusalsOfTheEntryRow) {
    ManagerScreen p = qmtest::screenOf({{"Fund", "B", "1/2/2001", "5", "5"}});
    // A new entry refused by its checks keeps the row; a refused correction clears it.
    PickFund(p, Fund);
    ChooseType(p, QStringLiteral("Bought"));
    const EntryRow row{Fund, QStringLiteral("Bought"), QStringLiteral("1/3/2001")};
    AddRecordOutcome out = AddRecordClick(p, row);
    EXPECT_EQ(out.messages, std::vector<Message>{Message::RecordNotSaved});
    EXPECT_FALSE(out.clearRow);
    ASSERT_TRUE(BeginCorrect(p, Fund).openDialog);
    ASSERT_TRUE(FetchForCorrection(p, QStringLiteral("1")).fetched);
    p.inputValues[2] = Currency();
    out = AddRecordClick(p, row);
    EXPECT_EQ(out.messages, std::vector<Message>{Message::RecordNotCorrected});
    EXPECT_TRUE(out.clearRow);
    EXPECT_FALSE(p.correcting());
    // No fund chosen since the tab was set up.
    SetupEntryTab(p);
    EXPECT_EQ(ChooseType(p, QStringLiteral("Bought")).messages,
              std::vector<Message>{Message::FundNotSelected});
    EXPECT_EQ(AddRecordClick(p, {PickFundPrompt, row.typeText, row.dateText}).messages,
              std::vector<Message>{Message::FundNotSelected});
    p.correctMode = CorrectMode::Correct;
    EXPECT_EQ(BeginCorrect(p, PickFundPrompt).messages,
              std::vector<Message>{Message::BadRecordNumber});
    EXPECT_EQ(BeginDelete(p, QString()).messages, std::vector<Message>{Message::FundNotSelected});
    // An amount beyond the Currency range is not taken from its box.
    EXPECT_EQ(LeaveEntryBox(p, 1, QStringLiteral("922337203685478")), QStringLiteral("$5.0000"));
    EXPECT_EQ(p.portfolio.record(1).shares, money("5"));
}

// ---- Funds and limits ----------------------------------------------------------------------

TEST(Funds, NamesThatAreIgnoredOrCleaned) {
    struct Case {
        const char* typed;
        AddFundResult result;
        const char* stored;
    };
    for (const Case& c :
         {Case{"", AddFundResult::Ignored, ""}, Case{"1", AddFundResult::Ignored, ""},
          Case{"\"", AddFundResult::Ignored, ""}, Case{" A, 1 ", AddFundResult::Added, " A, 1 "},
          Case{"Say \"x\"\r\n", AddFundResult::Added, "Say x"}}) {
        ManagerScreen p;
        std::vector<Message> messages;
        EXPECT_EQ(AddFund(p.portfolio, QString::fromUtf8(c.typed), messages), c.result) << c.typed;
        EXPECT_EQ(p.portfolio.fundName(1), QString::fromUtf8(c.stored));
    }
}

TEST(Limits, EighteenFundsAndSixHundredRecords) {
    ManagerScreen p;
    for (int k = 1; k <= MaxFunds; ++k)
        ASSERT_TRUE(AddFundClick(p, QStringLiteral("Fund %1").arg(k)).added);
    const AddFundOutcome nineteenth = AddFundClick(p, QStringLiteral("One more"));
    EXPECT_EQ(nineteenth.messages, std::vector<Message>{Message::FundLimit});
    EXPECT_EQ(p.portfolio.fundCount, MaxFunds);
    EXPECT_EQ(nineteenth.captions.funds, QStringLiteral("Funds:  18"));

    const QString fund = QStringLiteral("Fund 3");
    PickFund(p, fund);
    ChooseType(p, QStringLiteral("Fee Cash"));
    const EntryRow row{fund, QStringLiteral("Fee Cash"), QStringLiteral("3/1/2001")};
    for (int r = 1; r <= MaxRecords; ++r) {
        p.inputValues[3] = Currency::fromUnits(r);
        ASSERT_TRUE(
            StoreRecord(p.portfolio, row, {p.activeFund, p.transCode, p.inputValues}).stored);
    }
    const AddRecordOutcome full = AddRecordClick(p, row);
    EXPECT_EQ(full.messages, std::vector<Message>{Message::RecordLimit});
    EXPECT_EQ(full.captions.records, QStringLiteral("Records:  600"));
    // A correction is refused too, and ends the correction.
    ASSERT_TRUE(BeginCorrect(p, fund).openDialog);
    ASSERT_TRUE(FetchForCorrection(p, QStringLiteral("600")).fetched);
    const int target = p.targetRecord;
    const Currency fees = p.portfolio.record(target).fees;
    p.inputValues[3] = fees + Currency::fromUnits(1);
    EXPECT_EQ(AddRecordClick(p, row).messages, std::vector<Message>{Message::RecordLimit});
    EXPECT_FALSE(p.correcting());
    EXPECT_EQ(p.portfolio.recordCount, MaxRecords);
    EXPECT_EQ(p.portfolio.record(target).fees, fees);
}

// ---- Order ---------------------------------------------------------------------------------

std::vector<int> feesInOrder(const ManagerScreen& p) {
    std::vector<int> out;
    for (int r = 1; r <= p.portfolio.recordCount; ++r) {
        EXPECT_EQ(p.portfolio.record(r).recordNumber, r);
        out.push_back(static_cast<int>(p.portfolio.record(r).fees.raw() / Currency::Scale));
    }
    return out;
}

TEST(RecordOrder, EqualDatesFollowTheSortSteps) {
    // Two records of one date keep the order they were stored in; at the fifth store the gap-2
    // pass puts the second 2005 record behind the fourth.
    const ManagerScreen p = qmtest::screenOf({{"A", "F", "5/5/2005", "0", "0", "1"},
                                              {"A", "F", "5/5/2005", "0", "0", "2"},
                                              {"A", "F", "1/1/2003", "0", "0", "3"},
                                              {"A", "F", "5/5/2005", "0", "0", "4"},
                                              {"A", "F", "2/2/2004", "0", "0", "5"}});
    EXPECT_EQ(feesInOrder(p), (std::vector<int>{3, 5, 1, 4, 2}));

    // A file's records sorted: equal dates 2, 3, 4 come out as 3, 2, 4.
    const auto contents = ReadDatabase(QByteArray("4,1,\"All Records\",\"31\"\r\n\"F\",\" 1\"\r\n"
                                                  "1,0,0,1,0,1,\"F\",#2001-01-02#\r\n"
                                                  "1,0,0,2,0,2,\"F\",#2001-01-01#\r\n"
                                                  "1,0,0,3,0,3,\"F\",#2001-01-01#\r\n"
                                                  "1,0,0,4,0,4,\"F\",#2001-01-01#\r\n"));
    ASSERT_TRUE(contents);
    ManagerScreen q;
    LoadContents(q.portfolio, *contents, QStringLiteral("x.QMD"));
    SortRecordsByDate(q.portfolio);
    EXPECT_EQ(feesInOrder(q), (std::vector<int>{3, 2, 4, 1}));
}

TEST(RecordOrder, PerFundNumbers) {
    ManagerScreen p = qmtest::screenOf({{"A", "F", "3/1/2001", "0", "0", "13"},
                                        {"B", "F", "2/1/2001", "0", "0", "22"},
                                        {"A", "F", "1/1/2001", "0", "0", "11"},
                                        {"B", "F", "4/1/2001", "0", "0", "24"},
                                        {"A", "F", "5/1/2001", "0", "0", "15"}});
    struct Case {
        const char* fund;
        int n;
        int fees; // 0: no such record
    };
    for (const Case& c : {Case{"A", 1, 11}, Case{"A", 2, 13}, Case{"A", 3, 15}, Case{"A", 4, 0},
                          Case{"A", 0, 0}, Case{"B", 1, 22}, Case{"B", 2, 24}, Case{"B", 3, 0}}) {
        PickFund(p, QString::fromLatin1(c.fund));
        const int r = FundRecordToRecord(p.portfolio, p.activeFund, c.n);
        EXPECT_EQ(r == 0 ? 0 : p.portfolio.record(r).fees.raw() / Currency::Scale, c.fees)
            << c.fund << c.n;
    }
    PickFund(p, QStringLiteral("A"));
    const QStringList lines = qmtest::pageLines(ShowFundRecords(p));
    EXPECT_EQ(qmtest::column(lines[5], 90, 96), QStringLiteral("3"));
    EXPECT_EQ(qmtest::column(lines[5], 44, 55), QStringLiteral("15.00"));
}

TEST(FundOrder, CharacterCodesWithRecordsFollowingTheirFund) {
    ManagerScreen p = qmtest::screenOf({{"beta", "F", "1/1/2001", "0", "0", "1"},
                                        {"Alpha", "F", "1/2/2001", "0", "0", "2"},
                                        {"alpha", "F", "1/3/2001", "0", "0", "3"},
                                        {"Beta", "F", "1/4/2001", "0", "0", "4"},
                                        {"Zeta", "F", "1/5/2001", "0", "0", "5"}});
    BeginTabChange(p);
    EXPECT_EQ(FundNames(p.portfolio), (QStringList{"Alpha", "Beta", "Zeta", "alpha", "beta"}));
    const std::map<QString, int> feesOf{
        {"beta", 1}, {"Alpha", 2}, {"alpha", 3}, {"Beta", 4}, {"Zeta", 5}};
    for (int r = 1; r <= p.portfolio.recordCount; ++r)
        EXPECT_EQ(
            p.portfolio.record(r).fees,
            Currency::fromUnits(feesOf.at(p.portfolio.fundName(p.portfolio.record(r).fund()))));
}

// ---- Deletion removes exactly the chosen record or fund -------------------------------------

struct DeleteRecordCase {
    std::vector<const char*> dates; // one fund; fees 1, 2, ... in the order entered
    int number;                     // per-fund number to delete
    std::vector<int> remaining;     // fees in list order
};

void PrintTo(const DeleteRecordCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.dates, c.number, c.remaining);
}

class DeleteRecords : public ::testing::TestWithParam<DeleteRecordCase> {};

TEST_P(DeleteRecords, RemovesExactlyTheChosenRecord) {
    const DeleteRecordCase& c = GetParam();
    ManagerScreen p;
    int fee = 0;
    for (const char* date : c.dates) {
        const std::string fees = std::to_string(++fee);
        ASSERT_TRUE(qmtest::enter(p, {"Fund", "F", date, "0", "0", fees.c_str()}).stored);
    }
    p.portfolio.unsavedChanges = 0;
    ASSERT_TRUE(BeginDelete(p, Fund).openDialog);
    const DeleteChoice choice = ChooseRecordToDelete(p, QString::number(c.number));
    ASSERT_EQ(choice.question, Question::DeleteRecord);
    EXPECT_EQ(choice.recordText, QString::number(c.number));
    const DeleteOutcome out = ConfirmDelete(p, true);
    EXPECT_TRUE(out.recordDeleted);
    EXPECT_EQ(feesInOrder(p), c.remaining);
    EXPECT_EQ(p.portfolio.unsavedChanges, 1);
    EXPECT_EQ(out.captions.records, RecordCountCaption(p.portfolio.recordCount));
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeleteRecords,
    ::testing::Values(DeleteRecordCase{{"1/1/2001", "2/1/2001", "3/1/2001"}, 2, {1, 3}},
                      DeleteRecordCase{{"1/1/2001", "1/1/2001", "1/1/2001"}, 1, {2, 3}},
                      // Dates in and after late 2078 are records like any other.
                      DeleteRecordCase{{"1/1/2001", "1/1/2079", "6/1/2080"}, 2, {1, 3}},
                      DeleteRecordCase{{"12/10/2078", "1/1/2079", "6/1/2080"}, 3, {1, 2}},
                      DeleteRecordCase{{"1/1/2079", "12/12/2078", "1/1/2001"}, 3, {3, 2}},
                      DeleteRecordCase{{"5/5/2005"}, 1, {}}),
    [](const auto& info) {
        return qmtest::NameOf("Record", info.param.number, "of", info.param.dates);
    });

TEST(DeleteRecords, NumbersThatAreNotRecords) {
    ManagerScreen p = qmtest::screenOf({{"Fund", "F", "1/1/2001", "0", "0", "1"},
                                        {"Fund", "F", "1/2/2001", "0", "0", "2"},
                                        {"Fund", "F", "1/3/2001", "0", "0", "3"},
                                        {"Fund", "F", "1/4/2001", "0", "0", "4"}});
    struct Case {
        const char* typed;
        const char* recordText; // "" when not found
    };
    for (const Case& c : {Case{".", ""}, Case{"99999", ""}, Case{"0", ""}, Case{"5", ""},
                          Case{"1..", ""}, Case{"2.5", "2"}, Case{"3.5", "4"}}) {
        ASSERT_TRUE(BeginDelete(p, Fund).openDialog);
        const DeleteChoice choice = ChooseRecordToDelete(p, QString::fromLatin1(c.typed));
        const bool found = *c.recordText != 0;
        EXPECT_EQ(choice.question, found ? std::optional(Question::DeleteRecord) : std::nullopt)
            << c.typed;
        EXPECT_EQ(choice.messages,
                  found ? std::vector<Message>{} : std::vector<Message>{Message::BadRecordNumber})
            << c.typed;
        EXPECT_EQ(p.targetRecordText, QString::fromLatin1(c.recordText));
        ConfirmDelete(p, false);
        EXPECT_EQ(p.targetRecord, 0);
        // Correcting: the same numbers give message 17 and leave the correction mode set.
        ASSERT_TRUE(BeginCorrect(p, Fund).openDialog);
        const FetchOutcome fetch = FetchForCorrection(p, QString::fromLatin1(c.typed));
        EXPECT_EQ(fetch.fetched, found);
        EXPECT_TRUE(p.correcting());
    }
    EXPECT_EQ(p.portfolio.recordCount, 4);
    EXPECT_TRUE(ChooseRecordToDelete(p, QString()).messages.empty());
}

struct DeleteFundCase {
    std::vector<const char*> funds;       // added in this order
    std::vector<const char*> withRecords; // funds given one record
    const char* deleted;
    QStringList remaining; // in name order
};

void PrintTo(const DeleteFundCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.funds, c.withRecords, c.deleted, c.remaining);
}

class DeleteFunds : public ::testing::TestWithParam<DeleteFundCase> {};

TEST_P(DeleteFunds, RemovesExactlyTheChosenFund) {
    const DeleteFundCase& c = GetParam();
    ManagerScreen p;
    for (const char* name : c.funds)
        ASSERT_TRUE(AddFundClick(p, QString::fromUtf8(name)).added);
    for (const char* name : c.withRecords)
        ASSERT_TRUE(qmtest::enter(p, {name, "C", "1/1/2001", "0", "0", "0", "7"}).stored);
    const auto recordsByName = [](const ManagerScreen& q) {
        std::map<QString, int> out;
        for (int r = 1; r <= q.portfolio.recordCount; ++r) {
            EXPECT_TRUE(q.portfolio.record(r).fund() >= 1 &&
                        q.portfolio.record(r).fund() <= q.portfolio.fundCount);
            ++out[q.portfolio.fundName(q.portfolio.record(r).fund())];
        }
        return out;
    };
    const std::map<QString, int> before = recordsByName(p);
    PickFund(p, QString::fromUtf8(c.deleted));
    ASSERT_EQ(BeginDelete(p, QString::fromUtf8(c.deleted)).question, Question::DeleteFund);
    const DeleteOutcome out = ConfirmDelete(p, true);
    EXPECT_TRUE(out.fundDeleted);
    EXPECT_EQ(out.funds, c.remaining);
    EXPECT_EQ(FundNames(p.portfolio), c.remaining);
    EXPECT_EQ(out.captions.funds, FundCountCaption(static_cast<int>(c.remaining.size())));
    EXPECT_EQ(p.activeFund, 0);
    EXPECT_EQ(recordsByName(p), before);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeleteFunds,
    ::testing::Values(
        DeleteFundCase{{"Beta", "Alpha", "Gamma"}, {"Beta", "Gamma"}, "Alpha", {"Beta", "Gamma"}},
        DeleteFundCase{{"Alpha", "zzzzzzzzzz", "~Tilde"},
                       {"Alpha", "~Tilde"},
                       "zzzzzzzzzz",
                       {"Alpha", "~Tilde"}},
        DeleteFundCase{{"Alpha", "zzzzzzzzzz", "~Tilde"},
                       {"zzzzzzzzzz", "~Tilde"},
                       "Alpha",
                       {"zzzzzzzzzz", "~Tilde"}},
        DeleteFundCase{{"~Tilde", "zzzzzzzzz", "Alpha"},
                       {"zzzzzzzzz", "Alpha"},
                       "~Tilde",
                       {"Alpha", "zzzzzzzzz"}},
        DeleteFundCase{{"Only"}, {}, "Only", {}}),
    [](const auto& info) { return qmtest::NameOf(info.param.deleted, "of", info.param.funds); });

TEST(Correction, ReplacesTheFetchedRecordAndACancelledFetchAppends) {
    ManagerScreen p = qmtest::screenOf({{"Fund", "S", "1/1/2001", "10", "100", "50"},
                                        {"Fund", "C", "2/1/2001", "0", "0", "0", "12.5"}});
    EXPECT_FALSE(DeleteFund(p.portfolio, 1)); // a fund with records stays
    ASSERT_TRUE(BeginCorrect(p, Fund).openDialog);
    const FetchOutcome out = FetchForCorrection(p, QStringLiteral("1"));
    ASSERT_TRUE(out.fetched);
    EXPECT_EQ(out.typeText, QStringLiteral("Sold"));
    EXPECT_EQ(out.dateText, QStringLiteral("1/1/2001"));
    EXPECT_EQ(out.boxTexts, (std::array<QString, 5>{"", "$10.0000", "100.0000", "$50.0000", ""}));
    LeaveEntryBox(p, 2, QStringLiteral("40"));
    const AddRecordOutcome stored =
        AddRecordClick(p, {Fund, out.typeText, QStringLiteral("3/1/2001")});
    EXPECT_TRUE(stored.clearRow);
    ASSERT_EQ(p.portfolio.recordCount, 2);
    EXPECT_EQ(p.portfolio.record(2).shares, money("-40"));
    EXPECT_EQ(p.portfolio.record(2).bookValue, money("-350"));

    ASSERT_TRUE(BeginCorrect(p, Fund).openDialog);
    EXPECT_FALSE(FetchForCorrection(p, QString()).fetched);
    ASSERT_TRUE(qmtest::enter(p, {"Fund", "F", "4/1/2001", "0", "0", "2"}).stored);
    EXPECT_EQ(p.portfolio.recordCount, 3);
}

} // namespace
