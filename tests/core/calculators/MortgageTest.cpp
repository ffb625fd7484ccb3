#include "core/calculators/Mortgage.h"

#include "core/text/Messages.h"
#include "gui/common/AppState.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

using S = MortgageSolveFor;
const std::vector<Message> None, Msg3{Message::WrongEntry}, Msg8{Message::TenComparisons};

// The tab as the window holds it: opened with its defaults, driven through the handlers.
struct Tab {
    CalcState calc;
    MortgageState state;
    MortgageControls c;
    MortgageOutcome out;

    Tab() { OpenMortgageTab(calc, state, c, out); }
    void type(MortgageBox box, const char* text) {
        MortgageBoxText(c, box) = QString::fromLatin1(text);
        calc.editFlag = 1;
        LeaveMortgageBox(calc, state, c, box, out);
    }
    void compounding(const char* item) {
        c.compPeriod = QString::fromLatin1(item);
        ClickMortgageListItem(calc);
        LeaveCompoundingList(calc, state, c, out);
    }
    void frequency(const char* item) {
        c.freqPmt = QString::fromLatin1(item);
        ClickMortgageListItem(calc);
        LeaveFrequencyList(calc, state, c, out);
    }
    void days(int button) {
        ClickDaysButton(state, c, button);
        LeaveDaysButton(calc, state, c, out);
    }
    bool solve() {
        out = {};
        return CalcMortgage(calc, state, c, out);
    }
    void calculate() {
        out = {};
        MortgageCalculate(calc, state, c, out);
    }
    // Boxes and result captions, blanks trimmed, in screen order.
    QString summary() const {
        return QStringList{c.principal,  c.term,   c.payment, c.totalPmts,  c.numPmts,
                           c.daysInYear, c.numYrs, c.piPmt,   c.totIntPaid, c.totIntSaved}
            .replaceInStrings(QStringLiteral(" "), QString())
            .join(u' ');
    }
};

// Principal 100,000.00, 6.500 % and 25 years unless the row solves for one of them. Expected:
// boxes and captions as summary() gives them.
TEST(MortgageSolve, ShowsTheResultsToTheCent) {
    const struct {
        const char* compounding;
        S solveFor;
        const char* payment; // typed into MTInMthPayment, or nullptr
        const char* frequency;
        int daysButton; // clicked after the frequency (-1: none)
        const char* summary;
    } cases[] = {
        // clang-format off
        {"Monthly", S::Payment, nullptr, "Monthly", -1,
         "$100,000.00 25 $675.21 $102,562.14 12 Normal 25.00 $675.21 $102,562.14 $.00"},
        {"Semiannual", S::Payment, nullptr, "Monthly", -1,
         "$100,000.00 25 $669.82 $100,947.13 12 Normal 25.00 $669.82 $100,947.13 $.00"},
        {"Monthly", S::Years, "800", "Monthly", -1,
         "$100,000.00 17.44 $800.00 $67,397.35 12 Normal 17.44 $800.00 $67,397.35 $.00"},
        {"Monthly", S::Principal, "800", "Monthly", -1,
         "$118,482.16 25 $800.00 $121,517.84 12 Normal 25.00 $800.00 $121,517.84 $.00"},
        {"Monthly", S::Payment, nullptr, "Biweekly(acl)", -1,
         "$100,000.00 25 $675.21 $102,562.14 26 365.00 20.68 $337.60 $81,557.27 $21,004.87"},
        {"Monthly", S::Payment, nullptr, "Biweekly(acl)", 0,
         "$100,000.00 25 $675.21 $102,562.14 26 365.25 20.67 $337.60 $81,420.39 $21,141.75"},
        {"Monthly", S::Payment, nullptr, "Biweekly(acl)", 3,
         "$100,000.00 25 $675.21 $102,562.14 26 364.00 20.75 $337.60 $82,109.86 $20,452.29"},
        {"Monthly", S::Payment, nullptr, "Weekly(acl)", -1,
         "$100,000.00 25 $675.21 $102,562.14 52 365.00 20.66 $168.80 $81,320.47 $21,241.68"},
        {"Monthly", S::Payment, nullptr, "Semimonthly", -1,
         "$100,000.00 25 $675.21 $102,562.14 24 Normal 24.92 $337.60 $101,879.32 $682.82"},
        {"Monthly", S::Payment, nullptr, "2 Weeks", -1,
         "$100,000.00 25 $675.21 $102,562.14 26 365.00 24.81 $311.63 $101,004.70 $1,557.45"},
        {"Monthly", S::Payment, nullptr, "1 Week", -1,
         "$100,000.00 25 $675.21 $102,562.14 52 365.00 24.77 $155.82 $100,695.65 $1,866.49"},
        {"Semiannual", S::Payment, nullptr, "Biweekly(acl)", -1,
         "$100,000.00 25 $669.82 $100,947.13 26 365.00 20.73 $334.91 $80,499.29 $20,447.84"},
        // clang-format on
    };
    for (const auto& p : cases) {
        SCOPED_TRACE(p.summary);
        Tab t;
        t.compounding(p.compounding);
        SelectMortgageSolveFor(t.calc, t.c, p.solveFor);
        if (p.payment)
            t.type(MortgageBox::Payment, p.payment);
        t.frequency(p.frequency);
        if (p.daysButton >= 0)
            t.days(p.daysButton);
        ASSERT_TRUE(t.solve());
        EXPECT_EQ(t.summary(), p.summary);
    }
}

// Each starts from "Biweekly(acl)" at 365 days, so MTDaysInYear has a text to keep.
TEST(MortgageFailure, EmptiesTheResultCaptionsAndReportsIt) {
    const char* const Small = PaymentTooSmallText;
    const char* const Large = PaymentTooLargeText;
    const struct {
        S solveFor;
        double principal, rate, years, payment;
        const char* compounding;
        const char* frequency;
        const char* plain;     // payment message, or nullptr for message 3
        const char* solvedBox; // what the box of the solved quantity shows
    } cases[] = {
        // clang-format off
        {S::Years, 1e5, 6.5, 0, 550, "Monthly", "Monthly", Small, ""},  // 64.63 years
        {S::Years, 1e5, 6.5, 0, 500, "Monthly", "Monthly", Small, ""},  // below the interest
        {S::Years, 1e5, 6.5, 0, 0, "Monthly", "Monthly", Small, ""},
        {S::Years, 1e5, 0, 0, 800, "Monthly", "Monthly", Small, ""},
        {S::Years, 1000, 6.5, 0, 1000, "Monthly", "Monthly", Large, ""},
        {S::Years, 0, 6.5, 0, 800, "Monthly", "Monthly", Large, ""},
        {S::Payment, 0, 6.5, 25, 0, "Monthly", "Monthly", nullptr, "$.00"},
        {S::Principal, 1e5, 6.5, 25, 0, "Monthly", "Monthly", nullptr, ""},
        {S::Payment, 1e5, 0, 25, 0, "Monthly", "Monthly", nullptr, "$.00"},
        {S::Principal, 0, 0, 25, 800, "Monthly", "Monthly", nullptr, ""},
        {S::Payment, 1e5, 6.5, 0, 0, "Monthly", "Monthly", nullptr, "$.00"},
        {S::Payment, 1e5, 1e300, 25, 0, "Monthly", "Monthly", nullptr, "$.00"},
        {S::Years, 1e5, 6.5, 0, 800, "", "Monthly", nullptr, ""},
        {S::Payment, 1e5, 6.5, 25, 0, "Monthly", "Daily", nullptr, "$.00"},
        // clang-format on
    };
    int row = 0;
    for (const auto& p : cases) {
        SCOPED_TRACE(++row);
        Tab t;
        t.frequency("Biweekly(acl)");
        t.c.compPeriod = QString::fromLatin1(p.compounding);
        t.c.freqPmt = QString::fromLatin1(p.frequency);
        SelectMortgageSolveFor(t.calc, t.c, p.solveFor);
        t.calc.mortgageInputs = {0, p.principal, p.rate, p.years, p.payment, 0};
        EXPECT_FALSE(t.solve());
        const QStringList captions{t.c.totalPmts, t.c.numPmts,     t.c.daysInYear, t.c.numYrs,
                                   t.c.piPmt,     t.c.totIntSaved, t.c.totIntPaid};
        EXPECT_EQ(captions.join(u'|'), "||365.00||||");
        EXPECT_EQ(MortgageBoxText(t.c, SolvedBox(p.solveFor)).trimmed(), p.solvedBox);
        EXPECT_EQ(t.out.plainMessage, p.plain ? p.plain : "");
        EXPECT_EQ(t.out.focusPayment, p.plain != nullptr);
        EXPECT_EQ(t.out.messages, p.plain ? None : Msg3);
    }
}

TEST(MortgageFailure, WeekFrequencyBeforeAnyDaysRowGivesMessage3) {
    Tab t; // a fresh process has no periods per year yet
    t.c.freqPmt = QStringLiteral("2 Weeks");
    EXPECT_FALSE(t.solve());
    EXPECT_EQ(t.out.messages, Msg3);
}

TEST(MortgageDays, KeepTheOptionConsistentWithTheFrequency) {
    const struct {
        const char* frequency;
        int clicked;  // days button clicked and left (-1: none)
        int selected; // days button selected afterwards
        const char* days;
    } cases[] = {{"Monthly", 0, 6, "Normal"},        {"Semimonthly", 3, 6, "Normal"},
                 {"Biweekly(acl)", -1, 1, "365.00"}, {"Biweekly(acl)", 2, 2, "364.50"},
                 {"2 Weeks", 4, 4, "363.50"},        {"Weekly(acl)", 5, 5, "363.00"},
                 {"1 Week", 6, 1, "365.00"}};
    for (const auto& p : cases) {
        SCOPED_TRACE(p.frequency);
        Tab t;
        t.frequency(p.frequency);
        const QString before = t.summary();
        if (p.clicked >= 0)
            t.days(p.clicked);
        EXPECT_EQ(t.c.daysButton, p.selected);
        EXPECT_EQ(t.state.daysOption, p.selected);
        EXPECT_EQ(t.c.daysInYear, p.days);
        if (p.selected == 6) {
            EXPECT_EQ(t.summary(), before); // the click had no lasting effect
        }
    }
}

TEST(MortgageDays, MonthlyAgainDropsTheOptionAndAnUnclickedListDoesNothing) {
    Tab t;
    t.frequency("Biweekly(acl)");
    t.days(3);
    t.frequency("Monthly");
    EXPECT_EQ(t.c.daysButton, 6);
    EXPECT_EQ(t.c.numYrs, "25.00");
    t.frequency("Weekly(acl)"); // starts at 365 days again, not at the last row
    EXPECT_EQ(t.c.daysButton, 1);
    t.c.freqPmt = QStringLiteral("Monthly");
    t.calc.editFlag = 0;
    LeaveFrequencyList(t.calc, t.state, t.c, t.out);
    EXPECT_EQ(t.c.numPmts, "52");
}

TEST(MortgageBoxes, StoreAndRedisplayOnlyWhenEdited) {
    const struct {
        MortgageBox box;
        const char* typed;
        double value;
        const char* shown;
    } cases[] = {{MortgageBox::Principal, "2500", 2500, "    $2,500.00"},
                 {MortgageBox::Principal, "$", 0, "         $.00"},
                 {MortgageBox::Rate, "7.125", 7.125, " 7.125%"},
                 {MortgageBox::Rate, "12.345", 12.345, "12.345%"},
                 {MortgageBox::Term, "30", 30, "   30"}};
    for (const auto& p : cases) {
        SCOPED_TRACE(p.typed);
        Tab t;
        MortgageBoxText(t.c, p.box) = QStringLiteral("7");
        LeaveMortgageBox(t.calc, t.state, t.c, p.box, t.out); // not edited: nothing changes
        EXPECT_EQ(MortgageBoxText(t.c, p.box), "7");
        t.type(p.box, p.typed);
        EXPECT_EQ(t.calc.mortgageInputs[static_cast<std::size_t>(p.box)], p.value);
        EXPECT_EQ(MortgageBoxText(t.c, p.box), p.shown);
        EXPECT_EQ(t.calc.editFlag, 0);
    }
}

// The block of the default mortgage, written out column by column.
QString DefaultBlock() {
    QString page;
    // clang-format off
    for (const char* line : {
             "           Conventional Mortgage",
             "Compound interest periods/yr:        Monthly",
             "Principal amount of mortgage:    $100,000.00",
             "Annual interest rate %:                6.500%",
             "Amortization period in years:             25",
             "Monthly principal + interest:        $675.21",
             "Total interest paid:             $102,562.14",
             "",
             "             Accelerated Mortgage",
             "Frequency/type of payment:           Monthly",
             "Number of payments each year:             12",
             "Number of days in year used:          Normal",
             "Interest saved v normal mtge:           $.00",
             "No. of years to final payment:         25.00",
             "Each payment, Principal + int:       $675.21",
             "Total interest paid:             $102,562.14",
             "____________________________________________",
             "",
         })
        page += QString::fromLatin1(line) + "\r\n";
    // clang-format on
    return page;
}

TEST(MortgageCalculate, ReopenedTabWritesTheSixteenLinesOfTheDefaults) {
    Tab t;
    SelectMortgageSolveFor(t.calc, t.c, S::Years);
    t.type(MortgageBox::Principal, "5");
    t.frequency("Weekly(acl)");
    OpenMortgageTab(t.calc, t.state, t.c, t.out);
    EXPECT_EQ(t.calc.editFlag, 0);
    t.calculate();
    const QStringList got = t.calc.resultsPage.split("\r\n"), want = DefaultBlock().split("\r\n");
    ASSERT_EQ(got.size(), want.size());
    for (qsizetype i = 0; i < want.size(); ++i)
        EXPECT_EQ(got[i], want[i]) << "line " << i + 1;
    EXPECT_EQ(t.calc.results, t.calc.resultsPage);
    EXPECT_EQ(t.calc.comparisonData.at(1, 1), Currency::fromRaw(1025621400));
    EXPECT_EQ(t.calc.comparisonData.at(1, 2), Currency::fromRaw(1025621400));
    EXPECT_EQ(t.calc.chartPoints, 1);
    EXPECT_EQ(t.calc.chartKind, ChartKind::MortgageComparisons);
    EXPECT_EQ(t.calc.chartTitle, "Totals for comparisons, number ");
    EXPECT_EQ(t.out.messages, None);
}

// Ten Calculate clicks fill the page; a failed tenth solve still writes its block (with empty
// values and a zero comparison row) and still ends the page.
TEST(MortgageCalculate, TenthCalculateEndsThePageAndEleventhStartsAgain) {
    for (const bool tenthFails : {false, true}) {
        SCOPED_TRACE(tenthFails);
        Tab t;
        for (int i = 1; i <= 9; ++i)
            t.calculate();
        if (tenthFails) {
            SelectMortgageSolveFor(t.calc, t.c, S::Years);
            t.calc.mortgageInputs[4] = 500;
        }
        t.calculate();
        EXPECT_EQ(t.out.messages, Msg8);
        EXPECT_EQ(t.out.plainMessage, tenthFails ? PaymentTooSmallText : "");
        const QStringList lines = t.calc.results.split("\r\n");
        ASSERT_EQ(lines.size(), 10 * 18 + 1);
        EXPECT_EQ(lines[9 * 18 + 4].size(), tenthFails ? 39 : 44); // years
        EXPECT_EQ(lines[9 * 18 + 6].size(), tenthFails ? 31 : 44); // total interest
        EXPECT_EQ(lines[9 * 18 + 11], "Number of days in year used:          Normal");
        EXPECT_TRUE(t.calc.resultsPage.isEmpty());
        EXPECT_EQ(t.calc.chartPoints, 10);
        EXPECT_EQ(t.calc.comparisonData.at(9, 2), Currency::fromRaw(1025621400));
        EXPECT_EQ(t.calc.comparisonData.at(10, 1).isZero(), tenthFails);
        EXPECT_EQ(t.calc.comparisonData.at(10, 2).isZero(), tenthFails);
        t.calculate();
        EXPECT_EQ(t.calc.comparisonCount, 1);
        EXPECT_EQ(t.calc.results.count("Conventional Mortgage"), 1);
        EXPECT_EQ(t.calc.comparisonData.at(9, 1), Currency());
    }
}

// The comparison values are the two total interests as solved, to the cent, however wide: the
// captions keep only their first 13 characters, losing the cents from ten million on and a
// digit from a billion on.
TEST(MortgageCalculate, ComparisonValuesAreTheTotalsToTheCent) {
    const struct {
        const char* principal;
        const char* frequency;
        const char* conventional; // comparison value 1
        const char* accelerated;  // comparison value 2
    } cases[] = {
        // clang-format off
        {"100000", "Monthly", "102562.14", "102562.14"},
        {"12000000", "Monthly", "12307457.27", "12307457.27"},
        {"975000000", "Monthly", "999980903.37", "999980903.37"},
        {"1000000000", "Monthly", "1025621439.35", "1025621439.35"},
        {"1000000000", "Biweekly(acl)", "1025621439.35", "815572723.97"},
        {"99999999999", "Weekly(acl)", "102562143933.89", "81320465179.83"},
        // Beyond the range of an amount: reported, and no value kept.
        {"1000000000000000", "Monthly", "0", "0"},
        // clang-format on
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.principal);
        Tab t;
        t.type(MortgageBox::Principal, c.principal);
        t.frequency(c.frequency);
        t.calculate();
        EXPECT_EQ(t.out.messages, QString(c.conventional) == "0" ? Msg3 : None);
        EXPECT_EQ(t.calc.comparisonData.at(1, 1).toPlainString(), c.conventional);
        EXPECT_EQ(t.calc.comparisonData.at(1, 2).toPlainString(), c.accelerated);
    }
}

TEST(MortgageCalculate, HelpPageThenCalculateStartsAFreshPage) {
    Tab t;
    t.calculate();
    ShowHelpPage(t.calc, MortgageHelpPage(t.calc.currencySymbol));
    EXPECT_EQ(t.calc.startNewPage, 1);
    EXPECT_TRUE(t.calc.results.startsWith("Calculations are automatic, change the\r\nvalues"));
    EXPECT_TRUE(t.calc.results.endsWith("option button is disabled when\r\nusing these.\r\n"));
    EXPECT_EQ(t.calc.results.count("\r\n\r\n"), 8);
    t.calculate();
    EXPECT_EQ(t.calc.resultsPage, DefaultBlock());
}

} // namespace
