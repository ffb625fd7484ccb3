// The investment manager's screen model driven as the window drives it: the correction under
// way, the edit session, the pages, the file opened, and the currency symbol it shows. No test
// here touches the program's shared state.

#include "screens/ManagerScreen.h"
#include "core/text/Dates.h"
#include "screens/CurrentValue.h"
#include "screens/FundDisplay.h"
#include "screens/RecordEntry.h"
#include "support/CaseName.h"
#include "support/ManagerTestSupport.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <vector>

using namespace qm;

namespace {

const QString Fund = QStringLiteral("Fund");

// A screen whose fund "Fund" has two records and is picked, as after a click in the fund box.
ManagerScreen twoRecords() {
    ManagerScreen s = qmtest::screenOf(
        {{"Fund", "B", "1/2/2001", "10", "100"}, {"Fund", "C", "2/2/2001", "0", "0", "0", "25"}});
    PickFund(s, Fund);
    return s;
}

// ---- The correction mode -------------------------------------------------------------------

// What the user does on the entry tab.
enum class Step {
    Correct,        // "&Correct record" with the fund named in the fund box
    CorrectNoFund,  // "&Correct record" with the prompt in the fund box
    Fetch1,         // record 1 typed in the record-number dialog
    FetchNothing,   // the dialog cancelled
    Fetch9,         // a number that is not one of the fund's records
    Store,          // "&Add Record"
    StoreRefused,   // "&Add Record" with a box the type requires emptied
    AddFund,        // "Add &fund" with a new name
    Delete,         // "&Delete record" with the fund named
    ConfirmRecord1, // record 1 chosen for deletion and the question answered "&Yes"
};

struct ModeCase {
    const char* name;
    std::vector<Step> steps;
    std::vector<Message> messages; // every message the steps gave, in order
    CorrectMode after;
    int recordCount; // the fund's records afterwards
};

void PrintTo(const ModeCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.steps, c.messages, c.after, c.recordCount);
}

class CorrectionMode : public ::testing::TestWithParam<ModeCase> {};

TEST_P(CorrectionMode, IsSetByCorrectAndEndedByWhatEndsTheEntry) {
    const ModeCase& c = GetParam();
    ManagerScreen s = twoRecords();
    std::vector<Message> messages;
    const auto add = [&messages](const std::vector<Message>& more) {
        messages.insert(messages.end(), more.begin(), more.end());
    };
    for (const Step step : c.steps) {
        switch (step) {
        case Step::Correct:
            add(BeginCorrect(s, Fund).messages);
            break;
        case Step::CorrectNoFund:
            add(BeginCorrect(s, PickFundPrompt).messages);
            break;
        case Step::Fetch1:
            add(FetchForCorrection(s, QStringLiteral("1")).messages);
            break;
        case Step::FetchNothing:
            add(FetchForCorrection(s, QString()).messages);
            break;
        case Step::Fetch9:
            add(FetchForCorrection(s, QStringLiteral("9")).messages);
            break;
        case Step::Store:
            add(AddRecordClick(s, {Fund, QStringLiteral("Bought"), QStringLiteral("3/3/2001")})
                    .messages);
            break;
        case Step::StoreRefused:
            s.inputValues[2] = Currency();
            add(AddRecordClick(s, {Fund, QStringLiteral("Bought"), QStringLiteral("3/3/2001")})
                    .messages);
            break;
        case Step::AddFund:
            add(AddFundClick(s, QStringLiteral("Other")).messages);
            PickFund(s, Fund);
            break;
        case Step::Delete:
            add(BeginDelete(s, Fund).messages);
            break;
        case Step::ConfirmRecord1:
            add(ChooseRecordToDelete(s, QStringLiteral("1")).messages);
            ConfirmDelete(s, true);
            break;
        }
    }
    EXPECT_EQ(messages, c.messages);
    EXPECT_EQ(s.correctMode, c.after);
    EXPECT_EQ(FundRecordCount(s.portfolio, s.activeFund), c.recordCount);
}

// Before "&Add Record" the entry row is the type chosen and the boxes left, as the window does;
// Fetch1 fills them from record 1 (Bought 10 x 100).
INSTANTIATE_TEST_SUITE_P(
    Steps, CorrectionMode,
    ::testing::Values(
        ModeCase{"CorrectSetsIt", {Step::Correct}, {}, CorrectMode::Correct, 2},
        ModeCase{"StoringTheCorrectionEndsIt",
                 {Step::Correct, Step::Fetch1, Step::Store},
                 {},
                 CorrectMode::Delete,
                 2},
        ModeCase{"ARefusedCorrectionEndsItWithMessage29",
                 {Step::Correct, Step::Fetch1, Step::StoreRefused},
                 {Message::RecordNotCorrected},
                 CorrectMode::Delete,
                 2},
        ModeCase{"ACancelledFetchKeepsIt",
                 {Step::Correct, Step::FetchNothing},
                 {},
                 CorrectMode::Correct,
                 2},
        ModeCase{"ANumberNotFoundKeepsIt",
                 {Step::Correct, Step::Fetch9},
                 {Message::BadRecordNumber},
                 CorrectMode::Correct,
                 2},
        ModeCase{"AddingAFundEndsIt", {Step::Correct, Step::AddFund}, {}, CorrectMode::Delete, 2},
        ModeCase{
            "TheDeleteDialogEndsIt", {Step::Correct, Step::Delete}, {}, CorrectMode::Delete, 2},
        ModeCase{"ADeletedRecordEndsIt",
                 {Step::Correct, Step::ConfirmRecord1},
                 {},
                 CorrectMode::Delete,
                 1},
        ModeCase{"CorrectWithoutAFundSaysSoAndEndsIt",
                 {Step::Correct, Step::CorrectNoFund},
                 {Message::BadRecordNumber},
                 CorrectMode::Delete,
                 2},
        ModeCase{"CorrectWithoutAFundOutsideACorrectionIsMessage16",
                 {Step::CorrectNoFund},
                 {Message::FundNotSelected},
                 CorrectMode::Delete,
                 2}),
    qmtest::CaseName<ModeCase>);

TEST(CorrectionMode, AFetchedRecordIsReplacedAndACancelledOneIsNot) {
    ManagerScreen s = twoRecords();
    ASSERT_TRUE(BeginCorrect(s, Fund).openDialog);
    ASSERT_TRUE(FetchForCorrection(s, QStringLiteral("1")).fetched);
    EXPECT_EQ(s.transLabel, QStringLiteral("Bought    "));
    LeaveEntryBox(s, 2, QStringLiteral("40"));
    ASSERT_TRUE(
        AddRecordClick(s, {Fund, QStringLiteral("Bought"), QStringLiteral("1/2/2001")}).stored);
    EXPECT_EQ(s.portfolio.recordCount, 2);
    EXPECT_EQ(s.portfolio.record(1).shares, qmtest::money("40"));
    EXPECT_EQ(s.targetRecord, 0);

    // A correction whose dialog was cancelled stores a new record.
    ASSERT_TRUE(BeginCorrect(s, Fund).openDialog);
    EXPECT_FALSE(FetchForCorrection(s, QString()).fetched);
    ASSERT_TRUE(ChooseType(s, QStringLiteral("Fee Cash")).accepted);
    LeaveEntryBox(s, 3, QStringLiteral("5"));
    ASSERT_TRUE(
        AddRecordClick(s, {Fund, QStringLiteral("Fee Cash"), QStringLiteral("4/4/2001")}).stored);
    EXPECT_EQ(s.portfolio.recordCount, 3);
    EXPECT_FALSE(s.correcting());
}

// ---- Tab changes, pages and the file -------------------------------------------------------

TEST(TabChange, EndsTheEditSessionEmptiesThePagesAndSortsTheFunds) {
    ManagerScreen s;
    InitScreen(s);
    AddFundClick(s, QStringLiteral("Zeta"));
    AddFundClick(s, QStringLiteral("Alpha"));
    s.editFlag = 1;
    s.resultsPage = QStringLiteral("report");
    ShowEntryHelp(s);
    ASSERT_FALSE(s.helpPage.isEmpty());
    BeginTabChange(s);
    EXPECT_EQ(s.editFlag, 0);
    EXPECT_TRUE(s.resultsPage.isEmpty());
    EXPECT_TRUE(s.helpPage.isEmpty());
    EXPECT_EQ(FundNames(s.portfolio), (QStringList{"Alpha", "Zeta"}));
}

TEST(EntryHelp, ClosingItShowsTheListAgain) {
    ManagerScreen s = twoRecords();
    const QString list = s.resultsPage;
    ASSERT_TRUE(list.startsWith(QStringLiteral("Trans-")));
    const QString help = ShowEntryHelp(s);
    EXPECT_EQ(help, EntryHelpPage(s.currencySymbol,
                                  s.todayText.isEmpty() ? ShortDate(Today()) : s.todayText));
    EXPECT_EQ(s.resultsPage, list) << "the list stays behind the help page";
    EXPECT_EQ(CloseEntryHelp(s), list);
    EXPECT_TRUE(s.helpPage.isEmpty());
}

struct OpenCase {
    const char* name;
    const char* file; // nullptr: the dialog cancelled; "": a file that is not there
    std::vector<Message> messages;
    int funds;
    bool selectionKept;
    bool pagesKept;
    const char* failure; // how the reason under the file's path begins ("": none)
};

void PrintTo(const OpenCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.file, c.messages, c.funds, c.selectionKept, c.pagesKept,
                        c.failure);
}

class OpenFile : public ::testing::TestWithParam<OpenCase> {};

TEST_P(OpenFile, DropsWhatThePortfolioNoLongerHolds) {
    const OpenCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ManagerScreen s = twoRecords();
    s.helpPage = QStringLiteral("help");
    s.openFailure = QStringLiteral("left from an earlier open");
    std::optional<QString> path;
    if (c.file) {
        path = dir.filePath(QStringLiteral("DATA.QMD"));
        if (*c.file) {
            ASSERT_TRUE(qmtest::writeBytes(*path, QByteArray(c.file)));
        }
    }
    EXPECT_EQ(OpenDatabase(s, path), c.messages);
    EXPECT_EQ(s.portfolio.fundCount, c.funds);
    EXPECT_EQ(s.activeFund, c.selectionKept ? 1 : 0);
    EXPECT_EQ(s.newFundIndex, c.selectionKept ? 1 : 0);
    EXPECT_EQ(s.resultsPage.isEmpty(), !c.pagesKept);
    EXPECT_EQ(s.helpPage.isEmpty(), !c.pagesKept);
    EXPECT_TRUE(s.portfolio.fundTotals.at(31, 0).isZero()) << "the totals are made anew";
    if (*c.failure) {
        const QStringList lines = s.openFailure.split(QLatin1Char('\n'));
        ASSERT_EQ(lines.size(), 2) << s.openFailure.toStdString();
        EXPECT_EQ(lines[0], QDir::toNativeSeparators(*path));
        EXPECT_TRUE(lines[1].startsWith(QLatin1String(c.failure))) << lines[1].toStdString();
    } else {
        EXPECT_EQ(s.openFailure, QString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, OpenFile,
    ::testing::Values(
        OpenCase{"Cancelled", nullptr, {}, 1, true, true, ""},
        OpenCase{"Read", qmtest::ExampleFile.constData(), {}, 2, false, true, ""},
        OpenCase{
            "NotThere", "", {Message::FileNotFound}, 0, false, false, "The file does not exist."},
        OpenCase{"NotADatabase",
                 "no database\r\n",
                 {Message::FileNotFound},
                 0,
                 false,
                 false,
                 "Line 1: the header line has 1 item;"}),
    qmtest::CaseName<OpenCase>);

TEST(Discard, ErasesEverythingButTheCurrencySymbol) {
    ManagerScreen s = twoRecords();
    s.currencySymbol = QStringLiteral("EUR ");
    s.editFlag = 1;
    BeginCorrect(s, Fund);
    DiscardScreen(s);
    EXPECT_EQ(s.portfolio.recordCount, 0);
    EXPECT_EQ(s.portfolio.fundCount, 0);
    EXPECT_EQ(s.activeFund, 0);
    EXPECT_EQ(s.editFlag, 0);
    EXPECT_FALSE(s.correcting());
    EXPECT_TRUE(s.resultsPage.isEmpty());
    EXPECT_EQ(s.currencySymbol, QStringLiteral("EUR "));
}

// ---- What the screen shows in its symbol ---------------------------------------------------

struct SymbolCase {
    const char* symbol;
    const char* typed;
    const char* money; // a money box or price box left after typing
    const char* shares;
};

void PrintTo(const SymbolCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.symbol, c.typed, c.money, c.shares);
}

class Symbol : public ::testing::TestWithParam<SymbolCase> {};

TEST_P(Symbol, MoneyBoxesShowTheScreensSymbolAndSharesNone) {
    const SymbolCase& c = GetParam();
    ManagerScreen s = twoRecords();
    s.currencySymbol = QString::fromUtf8(c.symbol);
    ChooseType(s, QStringLiteral("Bought"));
    const QString typed = QString::fromLatin1(c.typed);
    EXPECT_EQ(LeaveEntryBox(s, 1, typed), QString::fromUtf8(c.money));
    EXPECT_EQ(LeaveEntryBox(s, 2, typed), QString::fromLatin1(c.shares));
    EXPECT_EQ(LeaveEntryBox(s, 3, typed), QString::fromUtf8(c.money));
    OpenCurrentValueTab(s.portfolio);
    EXPECT_EQ(LeavePriceBox(s, 0, typed), QString::fromUtf8(c.money));
    // The fetched record's boxes too.
    BeginCorrect(s, Fund);
    const FetchOutcome fetched = FetchForCorrection(s, QStringLiteral("1"));
    EXPECT_EQ(fetched.boxTexts[1], QString::fromUtf8(c.symbol) + QStringLiteral("10.0000"));
    EXPECT_EQ(fetched.boxTexts[2], QStringLiteral("100.0000"));
}

INSTANTIATE_TEST_SUITE_P(Table, Symbol,
                         ::testing::Values(SymbolCase{"$", "1234.5", "$1,234.5000", "1,234.5000"},
                                           SymbolCase{"\u20ac", "0.25", "\u20ac0.2500", "0.2500"},
                                           SymbolCase{"CHF ", "12", "CHF 12.0000", "12.0000"},
                                           SymbolCase{"", "7", "7.0000", "7.0000"}),
                         [](const auto& info) {
                             return qmtest::NameOf(info.param.symbol, info.param.typed);
                         });

TEST(TransLabel, FollowsTheRecordsOwnType) {
    ManagerScreen s = qmtest::screenOf({{"F", "B", "1/1/2001", "1", "1"},
                                        {"F", "S", "1/2/2001", "1", "1"},
                                        {"F", "C", "1/3/2001", "0", "0", "0", "1"},
                                        {"F", "D", "1/4/2001", "1", "1"},
                                        {"F", "F", "1/5/2001", "0", "0", "1"},
                                        {"F", "U", "1/6/2001", "1", "1"}});
    const QStringList labels{"Bought    ", "Sold      ", "Cash Div. ",
                             "Div/Shrs. ", "Fee Cash  ", "Unit Fee  "};
    for (int r = 1; r <= 6; ++r) {
        s.currentRecord = r;
        TransLabelOf(s);
        EXPECT_EQ(s.transLabel, labels[r - 1]) << r;
        EXPECT_EQ(s.transCode, s.portfolio.record(r).typeCode) << r;
    }
    // A position that is no record leaves the last label.
    for (const int r : {0, -1, RecordSlots}) {
        s.currentRecord = r;
        TransLabelOf(s);
        EXPECT_EQ(s.transLabel, labels[5]) << r;
    }
}

TEST(Chart, HandsOverTheCurrentValuesOnlyWithAReport) {
    ManagerScreen s = twoRecords();
    EXPECT_FALSE(PrepareCurrentValueChart(s, QString()));
    EXPECT_EQ(s.chartKind, ChartKind::None);
    BeginTabChange(s);
    OpenCurrentValueTab(s.portfolio);
    LeavePriceBox(s, 0, QStringLiteral("12"));
    const CurrentValueOutcome out = CalculateCurrentValue(s);
    ASSERT_TRUE(out.messages.empty());
    EXPECT_EQ(s.chartPoints, 1);
    EXPECT_TRUE(PrepareCurrentValueChart(s, out.page));
    EXPECT_EQ(s.chartKind, ChartKind::Manager);
}

} // namespace
