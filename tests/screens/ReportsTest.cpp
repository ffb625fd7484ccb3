#include "support/CaseName.h"
#include "support/ManagerTestSupport.h"

#include "core/portfolio/DatabaseFile.h"
#include "core/text/Format.h"
#include "core/text/Page.h"
#include "screens/CurrentValue.h"
#include "screens/FundDisplay.h"

#include <QFile>
#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <set>

using namespace qm;
using qmtest::column;
using qmtest::Entry;
using qmtest::pageLines;

namespace {

const QString Rule85(85, QLatin1Char('_'));
const QString Rule90(90, QLatin1Char('_'));
const QString Rule96(96, QLatin1Char('_'));

// ---- Record list of the entry tab ----------------------------------------------------------

TEST(RecordList, TheSixHelpSamples) {
    ManagerScreen p = qmtest::screenOf({{"Fund", "U", "1/6/2001", "10.00", "5"},
                                        {"Fund", "B", "1/1/2001", "10.00", "100", "50.00"},
                                        {"Fund", "D", "1/4/2001", "10.00", "10"},
                                        {"Fund", "S", "1/2/2001", "10.00", "100", "50.00"},
                                        {"Fund", "F", "1/5/2001", "0", "0", "100.00"},
                                        {"Fund", "C", "1/3/2001", "0", "0", "0", "100.00"}});
    const QString page = PickFund(p, QStringLiteral("Fund"));
    EXPECT_EQ(p.resultsPage, page);
    EXPECT_FALSE(page.endsWith(LineEnd));
    const QStringList lines = pageLines(page);
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[0], QStringLiteral("Trans-         Trade       Share      Number      Comm/   "
                                       "Div/Unit       Cash        Book    Rec"));
    EXPECT_EQ(lines[1],
              QStringLiteral("action          Date       Price      Shares       Fees      "
                             "Value      Div'd       Value    No."));
    EXPECT_EQ(lines[2], Rule96);
    const std::vector<QStringList> expected{
        {"Bought", "1/1/2001", "10.0000", "100.0000", "50.00", ".00", ".00", "1,050.00", "1"},
        {"Sold", "1/2/2001", "10.0000", "-100.0000", "50.00", ".00", ".00", "-950.00", "2"},
        {"Cash Div.", "1/3/2001", ".0000", ".0000", ".00", ".00", "100.00", "-100.00", "3"},
        {"Div/Shrs.", "1/4/2001", "10.0000", "10.0000", ".00", "100.00", ".00", ".00", "4"},
        {"Fee Cash", "1/5/2001", ".0000", ".0000", "100.00", ".00", ".00", "100.00", "5"},
        {"Unit Fee", "1/6/2001", "10.0000", "-5.0000", ".00", "-50.00", ".00", ".00", "6"}};
    for (qsizetype i = 0; i < 6; ++i) {
        EXPECT_EQ(lines[3 + i].size(), 96);
        EXPECT_EQ(qmtest::fields(lines[3 + i], {10, 20, 32, 44, 55, 66, 77, 90, 96}),
                  expected[static_cast<std::size_t>(i)]);
    }
    EXPECT_EQ(lines[9], Rule96);
    EXPECT_EQ(lines[10].left(31), QStringLiteral("Total:                         "));
    EXPECT_EQ(qmtest::fields(lines[10], {31, 44, 55, 66, 77, 90}),
              (QStringList{"Total:", "5.0000", "200.00", "50.00", "100.00", "100.00"}));
}

TEST(RecordList, AFundWithoutRecords) {
    ManagerScreen p = qmtest::screenOf({{"Full", "B", "1/1/2001", "10", "10"}});
    const AddFundOutcome out = AddFundClick(p, QStringLiteral("Empty"));
    ASSERT_TRUE(out.added);
    EXPECT_EQ(out.fundText, QStringLiteral("Empty"));
    const QStringList lines = pageLines(out.page);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[2], Rule96);
    EXPECT_EQ(lines[3], Rule96);
    EXPECT_EQ(lines[4], QStringLiteral("Total:                         ") +
                            QStringLiteral("        .0000") + QStringLiteral("        .00") +
                            QStringLiteral("        .00") + QStringLiteral("        .00") +
                            QStringLiteral("          .00"));
    // Rebuilding the list forgets typed prices.
    p.portfolio.fundTotals.at(1, 2) = qmtest::money("5");
    PickFund(p, QStringLiteral("Full"));
    EXPECT_TRUE(p.portfolio.fundTotals.at(1, 2).isZero());
}

TEST(EntryTab, SetupCaptionsAndHelpPage) {
    ManagerScreen p;
    InitScreen(p);
    const EntryTabSetup setup = SetupEntryTab(p);
    EXPECT_EQ(setup.fundText, QStringLiteral("Click dn/arrow for funds list"));
    EXPECT_EQ(setup.types, (QStringList{"Bought", "Sold", "Cash Dividend", "Dividend Shares",
                                        "Fee Cash", "Unit Fee"}));
    EXPECT_EQ(setup.captions.funds, QStringLiteral("Funds:  0"));
    EXPECT_EQ(setup.captions.records, QStringLiteral("Records:  0"));
    EXPECT_EQ(setup.captions.database, QStringLiteral("Database: "));

    const QString help = ShowEntryHelp(p);
    EXPECT_EQ(p.helpPage, help);
    const QStringList lines = pageLines(help);
    const QStringList inOrder{
        "On startup Funds: 0. Either use Open file tab to retrieve a database file from disk or",
        "To Create a New Database File.",
        "To clear the record data row, click the Transaction Type shown and press the Delete key.",
        "All records are shown sorted by the transaction date.",
        "All changes exist in computer memory only. Click Save file tab, name your database file.",
        "Retrieve a previously saved database file by clicking the Open file tab.",
        "Shown below are 6 sample inputs which cover all possible transactions.",
        QStringLiteral("      Bought       ") + "3/9/2024" +
            "     10.00         100       50.00 or 0",
        "Shows data entry for shares Bought.",
        QStringLiteral("       Sold        ") + "3/9/2024" +
            "     10.00         100       50.00 or 0",
        QStringLiteral("   Cash Dividend   ") + "3/9/2024" +
            "                                      100.00",
        QStringLiteral("  Dividend Shares  ") + "3/9/2024" + "     10.00          10",
        QStringLiteral("     Fee Cash      ") + "3/9/2024" + "                            100.00",
        QStringLiteral("     Unit Fee      ") + "3/9/2024" + "     10.00           5",
        "Fund Name or Transaction Type cannot be changed.",
        "To Delete a Fund Name all records in Fund must be deleted first. With no records left,",
        "clicking Delete Record will then delete the Fund Name.",
        "After returning here from other modules, Name of Active fund must be selected again.",
        "Book Value: A positive figure represents cash paid out by you, a negative figure cash",
        "received and .00 a none cash transaction",
        "Load the file DtaSampl.QMD and try out all the features."};
    qsizetype at = 0;
    for (const QString& literal : inOrder) {
        const qsizetype found = lines.indexOf(literal, at);
        EXPECT_GE(found, at) << literal.toStdString();
        if (found >= 0)
            at = found + 1;
    }
    p.resultsPage = QStringLiteral("list");
    EXPECT_EQ(CloseEntryHelp(p), QStringLiteral("list"));
    EXPECT_TRUE(p.helpPage.isEmpty());
    EXPECT_EQ(CheckDateBox(QStringLiteral("2/29/2024")), std::nullopt);
    EXPECT_EQ(CheckDateBox(QStringLiteral("2/30/2024")), QStringLiteral("3/9/2024"));
}

// ---- Fund display --------------------------------------------------------------------------

const std::initializer_list<int> TotalColumns{30, 44, 55, 66, 77, 90};

struct TotalsCase {
    const char* name;
    std::vector<Entry> entries;
    QStringList total; // shares, fees, dividend shares, cash dividends, book value
    const char* averageCost;
};

void PrintTo(const TotalsCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.entries, c.total, c.averageCost);
}

class FundDisplayTotals : public ::testing::TestWithParam<TotalsCase> {};

TEST_P(FundDisplayTotals, TotalsAndAverageCost) {
    const TotalsCase& c = GetParam();
    ManagerScreen p;
    for (const Entry& e : c.entries)
        ASSERT_TRUE(qmtest::enter(p, e).stored);
    BeginTabChange(p);
    const QString page = DisplayFund(p, 0);
    EXPECT_EQ(p.resultsPage, page);
    const QStringList lines = pageLines(page);
    const qsizetype n = static_cast<qsizetype>(c.entries.size());
    ASSERT_EQ(lines.size(), 4 + n + 6);
    EXPECT_EQ(lines[0],
              QStringLiteral("Trans-         Trade       Share      Number       Comm      "
                             "Div'd       Cash         Book"));
    EXPECT_EQ(lines[1],
              QStringLiteral("action          Date       Price      Shares       Fees     "
                             "Shares      Div'd        Value"));
    EXPECT_EQ(lines[2], Rule90);
    EXPECT_EQ(lines[3], QStringLiteral("Fund"));
    for (qsizetype i = 4; i < 4 + n; ++i)
        EXPECT_EQ(lines[i].size(), 90);
    EXPECT_EQ(lines[4 + n], QString());
    EXPECT_EQ(lines[5 + n].size(), 90);
    EXPECT_EQ(qmtest::fields(lines[5 + n], TotalColumns), QStringList{"Total:"} + c.total);
    EXPECT_EQ(lines[6 + n], QStringLiteral("Average cost per share = ") +
                                RightJustify(QString::fromLatin1(c.averageCost), 11));
    EXPECT_EQ(lines[7 + n], Rule90);
    EXPECT_EQ(lines[8 + n], QString());
    EXPECT_EQ(p.portfolio.averageCost, qmtest::money(c.averageCost));
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, FundDisplayTotals,
    ::testing::Values(TotalsCase{"bought and sold",
                                 {{"Fund", "B", "1/1/2001", "10.00", "100", "50.00"},
                                  {"Fund", "S", "1/2/2001", "10.00", "100", "50.00"}},
                                 {".0000", "100.0000", ".00", ".00", "100.00"},
                                 ".0000"},
                      TotalsCase{"bought only",
                                 {{"Fund", "B", "1/1/2001", "10.00", "100", "50.00"}},
                                 {"100.0000", "50.0000", ".00", ".00", "1,050.00"},
                                 "10.5000"},
                      TotalsCase{"with dividend shares",
                                 {{"Fund", "B", "1/1/2001", "10.00", "100", "50.00"},
                                  {"Fund", "D", "1/2/2001", "10.00", "10"}},
                                 {"110.0000", "50.0000", "100.00", ".00", "1,050.00"},
                                 "9.5455"},
                      TotalsCase{"cash dividend only",
                                 {{"Fund", "C", "1/1/2001", "0", "0", "0", "100.00"}},
                                 {".0000", ".0000", ".00", "100.00", "-100.00"},
                                 ".0000"},
                      TotalsCase{"unit fee",
                                 {{"Fund", "B", "1/1/2001", "4.00", "30"},
                                  {"Fund", "U", "1/2/2001", "4.00", "5"}},
                                 {"25.0000", ".0000", "-20.00", ".00", "120.00"},
                                 "4.8000"}),
    qmtest::CaseName<TotalsCase>);

TEST(FundDisplayAll, TwoFundsAndTheGrandTotal) {
    ManagerScreen p = qmtest::screenOf({{"Beta", "B", "1/3/2001", "20.00", "50", "5.00"},
                                        {"Alpha", "B", "1/1/2001", "10.00", "100", "50.00"},
                                        {"Beta", "D", "1/4/2001", "20.00", "5"},
                                        {"Beta", "C", "1/5/2001", "0", "0", "0", "25.00"}});
    BeginTabChange(p);
    const DisplayAllOutcome out = DisplayAllFunds(p);
    EXPECT_TRUE(out.fits);
    EXPECT_EQ(p.activeFund, AllFundsEntry);
    const QStringList lines = pageLines(out.page);
    ASSERT_EQ(lines.size(), 3 + 7 + 9 + 2);
    EXPECT_EQ(lines[3], QStringLiteral("Alpha"));
    EXPECT_EQ(qmtest::fields(lines[6], TotalColumns),
              (QStringList{"Total:", "100.0000", "50.0000", ".00", ".00", "1,050.00"}));
    EXPECT_EQ(lines[10], QStringLiteral("Beta"));
    EXPECT_EQ(qmtest::fields(lines[15], TotalColumns),
              (QStringList{"Total:", "55.0000", "5.0000", "100.00", "25.00", "980.00"}));
    EXPECT_EQ(lines[16], QStringLiteral("Average cost per share =     17.8182"));
    EXPECT_EQ(lines[19].size(), 90);
    EXPECT_EQ(
        qmtest::fields(lines[19], TotalColumns),
        (QStringList{"Total all funds:", "155.0000", "55.0000", "100.00", "25.00", "2,030.00"}));
    EXPECT_EQ(lines[20], QString());
}

TEST(FundDisplayAll, NameCutAndNothingSelected) {
    const QString longName = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmno"); // 41
    ManagerScreen p = qmtest::screenOf(
        {{"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmno", "B", "1/1/2001", "1", "1"}});
    EXPECT_EQ(pageLines(DisplayFund(p, 0))[3], longName.left(40));
    EXPECT_EQ(pageLines(DisplayAllFunds(p).page)[3], longName.left(40));
    const QStringList none = pageLines(DisplayFund(p, -1)); // no line selected
    ASSERT_EQ(none.size(), 10);
    EXPECT_EQ(none[3], QString());
    EXPECT_EQ(qmtest::fields(none[5], TotalColumns),
              (QStringList{"Total:", ".0000", ".0000", ".00", ".00", ".00"}));
    EXPECT_EQ(OpenDisplayTab(p.portfolio).funds, QStringList{longName});
    EXPECT_EQ(OpenDisplayTab(Portfolio{}).messages, std::vector<Message>{Message::NoRecords});
}

// ---- Current value -------------------------------------------------------------------------

// Opens the tab, types the prices (nullptr leaves a box untouched) and calculates.
CurrentValueOutcome calculate(ManagerScreen& p, std::initializer_list<const char*> prices) {
    BeginTabChange(p);
    OpenCurrentValueTab(p.portfolio);
    int i = 0;
    for (const char* price : prices) {
        if (price)
            LeavePriceBox(p, i, QString::fromLatin1(price));
        ++i;
    }
    return CalculateCurrentValue(p);
}

ManagerScreen twoFunds() {
    return qmtest::screenOf({{"Fund A", "B", "1/1/2001", "10.00", "100", "9.95"},
                             {"Fund A", "C", "2/1/2001", "0", "0", "0", "25.00"},
                             {"Fund A", "S", "3/1/2001", "12.50", "40", "9.95"},
                             {"Fund B", "B", "1/15/2001", "20.00", "50"}});
}

TEST(CurrentValue, TwoFundExampleLineByLine) {
    ManagerScreen p = twoFunds();
    const CurrentValueOutcome out = calculate(p, {"11", "18"});
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(p.resultsPage, out.page);
    const QStringList expected{
        "Fund      Number        Book     Current      Current       Gain/     Gain/      % 0f",
        "Name      Shares       Value       Price        Total       Loss$     Loss%     Total",
        Rule85,
        "Fund A",
        QStringLiteral("    ") + "     60.0000" + "      494.90" + "       11.00" +
            "       660.00" + "      165.10" + "    33.36%" + "    42.30%",
        "",
        "Fund B",
        QStringLiteral("    ") + "     50.0000" + "    1,000.00" + "       18.00" +
            "       900.00" + "     -100.00" + "   -10.00%" + "    57.69%",
        "",
        Rule85,
        QStringLiteral("Tot:") + "    110.0000" + "    1,494.90" + "            " +
            "     1,560.00" + "       65.10" + "     4.35%" + "   100.00%",
        ""};
    EXPECT_EQ(pageLines(out.page), expected);
    for (qsizetype i : {0, 1, 2, 4, 7, 9, 10})
        EXPECT_EQ(expected[i].size(), 85);
    EXPECT_EQ(p.chartPoints, 2);
    // The chart reads each fund's total, gain and percent.
    EXPECT_EQ(p.portfolio.fundTotals.at(1, 3), qmtest::money("660"));
    EXPECT_EQ(p.portfolio.fundTotals.at(2, 4), qmtest::money("-100"));
    EXPECT_EQ(p.portfolio.fundTotals.at(1, 5), qmtest::money("33.3603"));
    EXPECT_EQ(p.portfolio.fundTotals.at(1, 6), qmtest::money("984.95"));
    EXPECT_TRUE(PrepareCurrentValueChart(p, out.page));
    EXPECT_EQ(p.chartKind, ChartKind::Manager);
    EXPECT_FALSE(PrepareCurrentValueChart(p, QString()));
}

struct FundLineCase {
    const char* name;
    std::vector<Entry> entries;
    std::vector<const char*> prices;
    int fund;         // 1-based, in name order
    QStringList line; // shares, book, price, total, gain, gain %, share of total
    QString totalPercent;
};

void PrintTo(const FundLineCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.entries, c.prices, c.fund, c.line, c.totalPercent);
}

class CurrentValueLines : public ::testing::TestWithParam<FundLineCase> {};

TEST_P(CurrentValueLines, FundLineAndTotalPercent) {
    const FundLineCase& c = GetParam();
    ManagerScreen p;
    for (const Entry& e : c.entries)
        ASSERT_TRUE(qmtest::enter(p, e).stored);
    BeginTabChange(p);
    OpenCurrentValueTab(p.portfolio);
    for (std::size_t i = 0; i < c.prices.size(); ++i)
        LeavePriceBox(p, static_cast<int>(i), QString::fromLatin1(c.prices[i]));
    const CurrentValueOutcome out = CalculateCurrentValue(p);
    ASSERT_TRUE(out.messages.empty());
    const QStringList lines = pageLines(out.page);
    const QString line = lines[3 * c.fund + 1];
    EXPECT_EQ(line.size(), 85);
    EXPECT_EQ(qmtest::fields(line, {4, 16, 28, 40, 53, 65, 75, 85}), QStringList{""} + c.line);
    EXPECT_EQ(column(lines[lines.size() - 2], 65, 75), c.totalPercent);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, CurrentValueLines,
    ::testing::Values(
        // Gain measured against what was paid in, not against the negative book value.
        FundLineCase{
            "bought and sold",
            {{"Solo", "B", "1/1/2001", "10.00", "100"}, {"Solo", "S", "1/2/2001", "20.00", "60"}},
            {"15"},
            1,
            {"40.0000", "-200.00", "15.00", "600.00", "800.00", "80.00%", "100.00%"},
            "80.00%"},
        // A fully sold fund needs no price.
        FundLineCase{"sold out without a price",
                     {{"Held", "B", "1/1/2001", "10.00", "10"},
                      {"Sold out", "B", "1/2/2001", "10.00", "100"},
                      {"Sold out", "S", "1/3/2001", "12.00", "100"}},
                     {"11"},
                     2,
                     {".0000", "-200.00", ".00", ".00", "200.00", "20.00%", ".00%"},
                     "19.09%"},
        // Four decimals typed, two shown.
        FundLineCase{"price with four decimals",
                     {{"Fund", "B", "1/1/2001", "10.00", "10"}},
                     {"12.3456"},
                     1,
                     {"10.0000", "100.00", "12.35", "123.46", "23.46", "23.46%", "100.00%"},
                     "23.46%"},
        // No book value: 100 percent.
        FundLineCase{"dividend shares only",
                     {{"Gift", "D", "1/1/2001", "5.00", "10"}},
                     {"6"},
                     1,
                     {"10.0000", ".00", "6.00", "60.00", "60.00", "100.00%", "100.00%"},
                     ".00%"},
        // A share of exactly 29.00 percent is not shown as 28.99.
        FundLineCase{"exact share",
                     {{"A", "B", "1/1/2001", "1.00", "29"}, {"B", "B", "1/2/2001", "1.00", "71"}},
                     {"1", "1"},
                     1,
                     {"29.0000", "29.00", "1.00", "29.00", ".00", ".00%", "29.00%"},
                     ".00%"}),
    qmtest::CaseName<FundLineCase>);

struct RefusedReportCase {
    const char* name;
    bool addEmptyFund;
    std::vector<const char*> prices; // "" leaves the box as the tab opened it
    int message;
};

void PrintTo(const RefusedReportCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.addEmptyFund, c.prices, c.message);
}

class CurrentValueRefused : public ::testing::TestWithParam<RefusedReportCase> {};

TEST_P(CurrentValueRefused, NoReport) {
    const RefusedReportCase& c = GetParam();
    ManagerScreen p = twoFunds();
    if (c.addEmptyFund)
        AddFundClick(p, QStringLiteral("Added"));
    BeginTabChange(p);
    OpenCurrentValueTab(p.portfolio);
    for (std::size_t i = 0; i < c.prices.size(); ++i) {
        if (*c.prices[i])
            LeavePriceBox(p, static_cast<int>(i), QString::fromLatin1(c.prices[i]));
    }
    p.chartPoints = 7;
    const CurrentValueOutcome out = CalculateCurrentValue(p);
    EXPECT_EQ(out.messages, std::vector<Message>{Message{c.message}});
    EXPECT_TRUE(out.page.isEmpty());
    EXPECT_TRUE(p.resultsPage.isEmpty());
    EXPECT_EQ(p.chartPoints, 7);
    for (int row : {1, 2, 31})
        for (int col : {0, 1, 3, 4, 5, 6})
            EXPECT_TRUE(p.portfolio.fundTotals.at(row, col).isZero()) << row << "," << col;
}

INSTANTIATE_TEST_SUITE_P(
    Table, CurrentValueRefused,
    ::testing::Values(RefusedReportCase{"no price", false, {"11", ""}, 24},
                      RefusedReportCase{"price 0", false, {"0", "18"}, 24},
                      RefusedReportCase{"fund without records", true, {"11", "18", ""}, 28},
                      RefusedReportCase{"fund without records before prices", true, {"", ""}, 28},
                      RefusedReportCase{"beyond Currency", false, {"900000000000000", "18"}, 3}),
    qmtest::CaseName<RefusedReportCase>);

TEST(CurrentValue, TabOpeningKeepsOrForgetsPrices) {
    struct Case {
        const char* first;
        int unsaved;
        const char* shownFirst;
        const char* shownSecond;
    };
    for (const Case& c : {Case{"11", 0, "11.0000", "18.0000"}, Case{"0", 0, ".0000", ".0000"},
                          Case{"11", 1, ".0000", ".0000"}}) {
        ManagerScreen p = twoFunds();
        p.portfolio.unsavedChanges = 0;
        BeginTabChange(p);
        OpenCurrentValueTab(p.portfolio);
        LeavePriceBox(p, 0, QString::fromLatin1(c.first));
        EXPECT_EQ(LeavePriceBox(p, 1, QStringLiteral("18")), QStringLiteral("$18.0000"));
        p.portfolio.unsavedChanges = c.unsaved;
        const CurrentValueTabSetup setup = OpenCurrentValueTab(p.portfolio);
        EXPECT_EQ(setup.names[0], QStringLiteral("Fund A"));
        EXPECT_EQ(setup.prices[0], QString::fromLatin1(c.shownFirst)) << c.first << c.unsaved;
        EXPECT_EQ(setup.prices[1], QString::fromLatin1(c.shownSecond)) << c.first << c.unsaved;
        EXPECT_TRUE(setup.enabled[1]);
        EXPECT_FALSE(setup.enabled[2]);
        EXPECT_EQ(setup.names[2], QString());
    }
    ManagerScreen empty;
    EXPECT_EQ(OpenCurrentValueTab(empty.portfolio).messages,
              std::vector<Message>{Message::NoRecords});
    EXPECT_EQ(ShowCurrentValueHelp(empty),
              QStringLiteral("Type the current share price or whatif price beside each fund name "
                             "then click Calculate.\r\n\r\nFor DtaSampl enter 20.00 for all "
                             "current price inputs. "));
}

// ---- The sample database at 20.00 ----------------------------------------------------------

// The sample file read line by line here, independently of the reader: raw amounts in
// ten-thousandths.
struct SampleRecord {
    int fund;
    std::int64_t price, shares, fees, cash, book;
    QString type;
    QString date;
};

std::int64_t rawOf(const QString& text) {
    const QStringList parts = text.split(QLatin1Char('.'));
    const bool negative = text.startsWith(QLatin1Char('-'));
    const std::int64_t whole = std::llabs(parts[0].toLongLong());
    const QString fraction = parts.size() > 1 ? parts[1].leftJustified(4, QLatin1Char('0')) : "0";
    const std::int64_t raw = whole * 10000 + fraction.toLongLong();
    return negative ? -raw : raw;
}

// A report field ("1,234.56", "-5.0000", "12.30%") as ten-thousandths.
std::int64_t fieldRaw(const QString& field) {
    QString t = field;
    t.remove(QLatin1Char(',')).remove(QLatin1Char('%'));
    return rawOf(t);
}

// Nearest hundredth, halves away from zero, in ten-thousandths.
std::int64_t cents(std::int64_t raw) {
    const std::int64_t away = raw < 0 ? -50 : 50;
    return (raw + away) / 100 * 100;
}

TEST(SampleDatabase, ReportsAtTwentyMatchTheRecords) {
    QFile file(QStringLiteral(QM_SAMPLE_DATABASE));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    QStringList lines = QString::fromUtf8(bytes).split(QStringLiteral("\r\n"));
    lines.removeLast();
    const QStringList header = lines[0].split(QLatin1Char(','));
    const int records = header[0].toInt();
    const int funds = header[1].toInt();
    ASSERT_GE(funds, 5);
    ASSERT_LE(funds, 6);
    ASSERT_GE(records, 35);
    ASSERT_EQ(lines.size(), 1 + funds + records);

    std::vector<SampleRecord> sample;
    std::set<QString> types;
    for (int r = 0; r < records; ++r) {
        const QStringList f = lines[1 + funds + r].split(QLatin1Char(','));
        ASSERT_EQ(f.size(), 8);
        SampleRecord s{f[0].toInt(), rawOf(f[1]), rawOf(f[2]),    rawOf(f[3]),
                       rawOf(f[4]),  rawOf(f[5]), f[6].mid(1, 1), f[7]};
        // The stored book value follows the type's rule (whole-cent prices, whole shares).
        std::int64_t book = 0;
        if (s.type == "B" || s.type == "S")
            book = s.price * s.shares / 10000 + s.fees;
        else if (s.type == "C")
            book = -s.cash;
        else if (s.type == "F")
            book = s.fees;
        EXPECT_EQ(s.book, book) << r;
        EXPECT_EQ(s.shares < 0, s.type == "S" || s.type == "U") << r;
        if (!sample.empty()) {
            EXPECT_LT(sample.back().date, s.date) << r;
        }
        types.insert(s.type);
        sample.push_back(s);
    }
    EXPECT_EQ(types.size(), 6u);

    std::map<int, std::array<std::int64_t, 3>> sums; // shares, book, book without sales
    for (const SampleRecord& s : sample) {
        auto& sum = sums[s.fund];
        sum[0] += s.shares;
        sum[1] += s.book;
        if (s.type != "S")
            sum[2] += s.book;
    }

    ManagerScreen p;
    InitScreen(p);
    ASSERT_TRUE(OpenDatabase(p, QStringLiteral(QM_SAMPLE_DATABASE)).empty());
    EXPECT_EQ(p.portfolio.databaseName, QStringLiteral("DtaSampl.QMD"));
    BeginTabChange(p);
    OpenCurrentValueTab(p.portfolio);
    for (int i = 0; i < funds; ++i)
        LeavePriceBox(p, i, QStringLiteral("20.00"));
    const CurrentValueOutcome out = CalculateCurrentValue(p);
    ASSERT_TRUE(out.messages.empty());
    const QStringList report = pageLines(out.page);

    std::int64_t totalValue = 0, totalBook = 0, totalShares = 0;
    for (const auto& [fund, sum] : sums) {
        totalValue += sum[0] * 20;
        totalBook += sum[1];
        totalShares += sum[0];
    }
    const auto amounts = [](const QString& line) {
        std::vector<std::int64_t> out;
        for (const QString& f : qmtest::fields(line, {4, 16, 28, 40, 53, 65, 75, 85}).mid(1))
            out.push_back(fieldRaw(f));
        return out;
    };
    for (const auto& [fund, sum] : sums) {
        EXPECT_EQ(report[3 * fund], lines[fund].section(QLatin1Char('"'), 1, 1));
        const std::int64_t value = sum[0] * 20;
        const std::int64_t gain = value - sum[1];
        EXPECT_GT(gain, 0) << fund;
        const std::vector<std::int64_t> got = amounts(report[3 * fund + 1]);
        const double base = sum[1] >= 50 ? sum[1] : sum[2];
        EXPECT_NEAR(got[5] / 10000.0, gain / base * 100, 0.005) << fund;
        EXPECT_EQ(got, (std::vector<std::int64_t>{sum[0], cents(sum[1]), 200000, cents(value),
                                                  cents(gain), got[5],
                                                  value * 10000 / totalValue * 100}));
    }
    const std::vector<std::int64_t> tot = amounts(report[report.size() - 2]);
    EXPECT_EQ(tot[0], totalShares);
    EXPECT_EQ(tot[1], cents(totalBook));
    EXPECT_EQ(tot[3], cents(totalValue));
    EXPECT_EQ(tot[4], cents(totalValue - totalBook));

    // The all-funds display adds up to the same records.
    const QStringList display = pageLines(DisplayAllFunds(p).page);
    const QString grand = display[display.size() - 2];
    EXPECT_TRUE(grand.startsWith(QStringLiteral("Total all funds:")));
    EXPECT_EQ(fieldRaw(column(grand, 30, 44)), totalShares);
    EXPECT_EQ(fieldRaw(column(grand, 77, 90)), cents(totalBook));
    int fundTotals = 0;
    for (const QString& line : display) {
        if (!line.startsWith(QStringLiteral("Total:")))
            continue;
        ++fundTotals;
        EXPECT_EQ(fieldRaw(column(line, 30, 44)), sums[fundTotals][0]);
        EXPECT_EQ(fieldRaw(column(line, 77, 90)), cents(sums[fundTotals][1]));
    }
    EXPECT_EQ(fundTotals, funds);
}

} // namespace
