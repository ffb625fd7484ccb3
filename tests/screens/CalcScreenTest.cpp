// The calculator window's model: the edit session of its boxes and lists, and the window's
// commands, driven with the values the widgets hand it.

#include "screens/CalcScreen.h"
#include "core/text/Page.h"
#include "support/CaseName.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

const QString FilledPage = QStringLiteral("page\r\n");

// A model whose page is filled, with the calculation choice `choice`, editing or not.
CalcScreen screenWith(int choice, bool editing, const QString& symbol = QStringLiteral("$")) {
    CalcScreen screen;
    screen.open(symbol);
    screen.state().calcChoice = choice;
    screen.state().resultsPage = FilledPage;
    screen.state().results = FilledPage;
    screen.state().editFlag = editing ? 1 : 0;
    return screen;
}

// The value a row stored, as an amount (the mortgage boxes store doubles).
Currency storedValue(const CalcState& state, const BoxRule& row) {
    const auto i = static_cast<std::size_t>(row.index);
    return row.store == BoxStore::MortgageInputs ? Currency::fromDouble(state.mortgageInputs[i])
                                                 : state.inputValues[i];
}

struct LeaveCase {
    const char* box;
    int choice;
    bool edited;              // the box was typed into before it was left
    const char* text;         // the box's text when it is left
    const char16_t* shown;    // what it shows afterwards (null: its text is not replaced)
    double stored;            // the value stored (NAN: nothing is stored)
    bool yearsMessage;        // message 5
    bool refused;             // the text cannot be stored
    bool recalculateMortgage; // the solver runs
    const char* symbol = "$";
};

void PrintTo(const LeaveCase& c, std::ostream* os) {
    PrintFields(os, c.box, c.choice, c.edited, c.text, c.shown, c.stored, c.yearsMessage, c.refused,
                c.recalculateMortgage, c.symbol);
}

class LeaveBoxTest : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(LeaveBoxTest, ParsesStoresAndShowsTheDisplayForm) {
    const LeaveCase& c = GetParam();
    CalcScreen screen = screenWith(c.choice, c.edited, QString::fromLatin1(c.symbol));
    const BoxRule& row = screen.boxRule(QLatin1String(c.box));
    const CalcState before = screen.state();

    const BoxLeave out = screen.leaveBox(row, QString::fromLatin1(c.text));

    EXPECT_EQ(out.shown.has_value(), c.shown != nullptr);
    if (out.shown && c.shown) {
        EXPECT_EQ(*out.shown, QString::fromUtf16(c.shown));
    }
    if (row.store != BoxStore::None) {
        const Currency expected =
            std::isnan(c.stored) ? storedValue(before, row) : Currency::fromDouble(c.stored);
        EXPECT_EQ(storedValue(screen.state(), row), expected);
    }
    EXPECT_EQ(out.messages, c.yearsMessage ? std::vector<Message>{Message::FortyYearLimit}
                                           : std::vector<Message>{});
    EXPECT_EQ(out.refused, c.refused);
    EXPECT_EQ(out.recalculateMortgage, c.recalculateMortgage);
    EXPECT_EQ(screen.state().editFlag, 0) << "leaving ends the edit";
    EXPECT_EQ(screen.state().results, FilledPage) << "leaving keeps the page";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Boxes, LeaveBoxTest, ::testing::Values(
    // Money: the symbol, grouping and two decimals, right-justified to 13; Val reads the text.
    LeaveCase{"CGInCostofInvest", 0, true,  "2500",      u"    $2,500.00", 2500, false, false, false},
    LeaveCase{"CGInCostofInvest", 0, true,  "",          u"         $.00", 0, false, false, false},
    LeaveCase{"CGInCostofInvest", 0, true,  "$5",        u"         $.00", 0, false, false, false},
    LeaveCase{"CGInCostofInvest", 0, true,  "1.5x7",     u"        $1.50", 1.5, false, false, false},
    LeaveCase{"CGInCostofInvest", 0, true,  "2500",      u" EUR 2,500.00", 2500, false, false, false, "EUR "},
    LeaveCase{"IGInBegBal",       0, true,  "1234567.5", u"$1,234,567.50", 1234567.5, false, false, false},
    LeaveCase{"RIInAnnIncWDrawnRate", 2, true, "950",    u"    $950.00", 950, false, false, false},
    // A box passed through without an edit keeps its text and its value.
    LeaveCase{"CGInCostofInvest", 0, false, "2500",      nullptr, NAN, false, false, false},
    // Text that does not fit an amount is refused (only the program could put it there).
    LeaveCase{"CGInCostofInvest", 0, true,  "1234567890123456", nullptr, NAN, false, true, false},
    // The investment name is free text: nothing is stored or shown anew.
    LeaveCase{"CGInNameOfInvest", 0, true,  "AB",        nullptr, NAN, false, false, false},
    // Percentages.
    LeaveCase{"CRInIntGrowthRate", 0, true, ".5",        u"   .50%", 0.5, false, false, false},
    LeaveCase{"IGInIntGrowthRate", 0, true, "125",       u"125.0%", 125, false, false, false},
    LeaveCase{"RIInTimeInYrs",    2, true,  "55",        u" 55.00%", 55, false, false, false},
    // Years: held to 40 on every leave, edited or not, with message 5.
    LeaveCase{"CGInNumOfYrs",     0, true,  "55",        u" 40", 40, true, false, false},
    LeaveCase{"CGInNumOfYrs",     0, true,  "40",        u" 40", 40, false, false, false},
    LeaveCase{"CGInNumOfYrs",     0, false, "55",        u"40", NAN, true, false, false},
    LeaveCase{"CRInTimeInYrs",    0, true,  "41",        u" 40", 40, true, false, false},
    LeaveCase{"IGInYearsInvested", 0, true, "41",        u"40", 40, true, false, false},
    LeaveCase{"PGInNumYearsToRetire", 0, true, "99",     u" 40", 40, true, false, false},
    LeaveCase{"RIInTimeInYrs",    0, true,  "45",        u"    40", 40, true, false, false},
    // The mortgage boxes store doubles and have the solver run.
    LeaveCase{"MTInTerm",         0, true,  "45",        u"   40", 40, true, false, true},
    LeaveCase{"MTInTerm",         0, false, "45",        u"40", NAN, true, false, false},
    LeaveCase{"MTInRate",         0, true,  "7.125",     u" 7.125%", 7.125, false, false, true},
    LeaveCase{"MTInPrincipal",    0, true,  "80000.5",   u"   $80,000.50", 80000.5, false, false, true},
    LeaveCase{"MTInPrincipal",    0, true,  "80000.5",   u"EUR 80,000.50", 80000.5, false, false, true, "EUR "},
    LeaveCase{"MTInPrincipal",    0, false, "80000.5",   nullptr, NAN, false, false, false}),
    [](const auto& info) {
        return NameOf(info.param.box, info.param.edited ? "edited" : "passed",
                      info.param.text, info.param.symbol);
    });
// clang-format on

struct FirstKeyCase {
    const char* box;
    int choice;
    GrowthResults growth;
    bool editing;     // a key was typed before
    bool pageEmptied; // the page and the Results box are emptied
};

void PrintTo(const FirstKeyCase& c, std::ostream* os) {
    PrintFields(os, c.box, c.choice, static_cast<int>(c.growth), c.editing, c.pageEmptied);
}

class FirstKeyTest : public ::testing::TestWithParam<FirstKeyCase> {};

// The first key of an edit empties the box, and the page where the box's row says so; later
// keys empty nothing. Every key marks the box edited.
TEST_P(FirstKeyTest, EmptiesTheBoxAndThePageWhereTheRowSays) {
    const FirstKeyCase& c = GetParam();
    CalcScreen screen = screenWith(c.choice, c.editing);
    const KeyStart start = screen.keyTyped(screen.boxRule(QLatin1String(c.box)), c.growth);
    EXPECT_EQ(start.emptyBox, !c.editing);
    EXPECT_EQ(start.pageEmptied, c.pageEmptied);
    EXPECT_EQ(screen.state().results.isEmpty(), c.pageEmptied);
    EXPECT_EQ(screen.state().resultsPage.isEmpty(), c.pageEmptied);
    EXPECT_EQ(screen.state().editFlag, 1);
}

constexpr GrowthResults Complete = GrowthResults::Complete;
constexpr GrowthResults Totals = GrowthResults::ComparisonTotals;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Boxes, FirstKeyTest, ::testing::Values(
    FirstKeyCase{"CGInCostofInvest",   0, Complete, false, false},
    FirstKeyCase{"CGInNameOfInvest",   0, Complete, false, false},
    FirstKeyCase{"CRInCapitalReq",     0, Complete, false, true},
    FirstKeyCase{"CRInCapitalReq",     0, Complete, true,  false},
    FirstKeyCase{"IGInBegBal",         0, Complete, false, true},
    FirstKeyCase{"IGInYearsInvested",  0, Totals,   false, false},
    FirstKeyCase{"MTInPrincipal",      0, Complete, false, false},
    FirstKeyCase{"PGInEstAnnFlatRate", 0, Complete, false, true},
    FirstKeyCase{"RIInCurrValue",      0, Complete, false, true},
    FirstKeyCase{"RIInTimeInYrs",      2, Totals,   false, true}),
    [](const auto& info) {
        return NameOf(info.param.box, info.param.growth == Totals ? "totals" : "complete",
                      info.param.editing ? "later" : "first");
    });
// clang-format on

// Delete: in most boxes it marks the box edited and deletes as usual; in the pension boxes it
// empties the box at once without marking it edited; in the name box it only deletes.
TEST(CalcScreenTest, DeleteKeyFollowsTheRow) {
    const struct {
        const char* box;
        bool emptiesBox;
        int editFlag;
    } cases[] = {
        {"CGInCostofInvest", false, 1},
        {"PGInCurrAnnSalary", true, 0},
        {"CGInNameOfInvest", false, 0},
    };
    for (const auto& c : cases) {
        CalcScreen screen = screenWith(0, false);
        EXPECT_EQ(screen.deletePressed(screen.boxRule(QLatin1String(c.box))), c.emptiesBox)
            << c.box;
        EXPECT_EQ(screen.state().editFlag, c.editFlag) << c.box;
    }
}

// The lists: choosing an item and leaving the list, with and without a choice since the edit
// began; a discarded key ends the edit only where the row says so.
TEST(CalcScreenTest, ListsChooseAndApplyAsTheirRowSays) {
    const struct {
        const char* list;
        GrowthResults growth;
        bool choiceEmptiesPage;
        ListLeave afterChoice;
        int flagAfterDiscardedKey; // from 1
    } cases[] = {
        {"IGInMonthsYrs", Complete, true, ListLeave::Nothing, 0},
        {"IGInMonthsYrs", Totals, false, ListLeave::Nothing, 0},
        {"MTCompPeriod", Complete, false, ListLeave::RecalculateMortgage, 1},
        {"MTFreqPmt", Complete, false, ListLeave::ApplyDaysOption, 1},
    };
    for (const auto& c : cases) {
        const ListRule& list = *FindList(QLatin1String(c.list));
        CalcScreen screen = screenWith(0, false);
        EXPECT_EQ(screen.leaveList(list), ListLeave::Nothing) << c.list << ": nothing chosen";

        EXPECT_EQ(screen.listChosen(list, c.growth), c.choiceEmptiesPage) << c.list;
        EXPECT_EQ(screen.state().results.isEmpty(), c.choiceEmptiesPage) << c.list;
        EXPECT_EQ(screen.leaveList(list), c.afterChoice) << c.list;
        EXPECT_EQ(screen.state().editFlag, 0) << c.list;
        EXPECT_EQ(screen.leaveList(list), ListLeave::Nothing) << c.list << ": applied once";

        screen.state().editFlag = 1;
        screen.listKeyDiscarded(list);
        EXPECT_EQ(screen.state().editFlag, c.flagAfterDiscardedKey) << c.list;
    }
}

// The window's commands: each ends the edit where the window's step says, and leaves the page,
// the counters and the chart data as the step says.
TEST(CalcScreenTest, CommandsKeepTheirPageAndCounters) {
    CalcScreen screen;
    screen.open(QStringLiteral("EUR "));
    CalcState& state = screen.state();
    const auto fill = [&] {
        state.resultsPage = FilledPage;
        state.results = FilledPage;
        state.comparisonCount = 3;
        state.chartPoints = 3;
        state.calcChoice = 2;
        state.inputValues[1] = Currency::fromUnits(5);
        state.editFlag = 1;
    };

    fill();
    screen.clearResults();
    EXPECT_TRUE(state.results.isEmpty() && state.resultsPage.isEmpty());
    EXPECT_EQ(state.comparisonCount, 0);
    EXPECT_EQ(state.chartPoints, 3) << "the chart data is kept";

    fill();
    screen.changeTab(MortgageTab);
    EXPECT_TRUE(state.results.isEmpty() && state.resultsPage.isEmpty());
    EXPECT_EQ(state.comparisonCount + state.chartPoints + state.calcChoice, 0);
    EXPECT_EQ(state.inputValues[1], Currency());
    EXPECT_EQ(state.editFlag, 0);
    EXPECT_EQ(state.visibleTab, MortgageTab);
    EXPECT_EQ(state.currencySymbol, "EUR ") << "a tab change keeps the symbol";

    fill();
    screen.beginCalculate();
    EXPECT_EQ(state.editFlag, 0);
    EXPECT_EQ(state.results, FilledPage);

    screen.showHowToUse();
    EXPECT_EQ(state.results, HowToUsePage(QStringLiteral("EUR ")));
    EXPECT_EQ(state.resultsPage, state.results);
    EXPECT_EQ(state.startNewPage, 1);
    EXPECT_EQ(HowToUsePage(QStringLiteral("EUR ")), HowToUsePage(QStringLiteral("$")))
        << "the \"$\" of the page is a literal character";

    screen.showHelpPage(QStringLiteral("help\r\n"));
    EXPECT_EQ(state.results, "help\r\n");
}

TEST(CalcScreenTest, HowToUsePageLineByLine) {
    CalcScreen screen;
    screen.open(QStringLiteral("$"));
    const QStringList expected{
        "        Quillmark v3.4",
        "",
        "This program was written to incorporate the",
        "6 common calculations I found myself using",
        "frequently.",
        "",
        "Click on the tab name to open that module.",
        "",
        "Input boxes have a yellow background, to",
        "change figures, click box and start typing.",
        "Use numbers only (0 - 9) and period (.).",
        "Automatic formatting puts in the $ and %",
        "signs on leaving the box.",
        "",
        "Do not use Copy or Paste in input boxes.",
        "",
        "Each module has its own controls:",
        "",
        "'Calculate' will send the results of that",
        "calculation to the Results textbox.",
        "",
        "'Print' sends Results page to your printer.",
        "",
        "'Help' shows how to use that module.",
        "",
        "To use your word processor to format and",
        "print the Results. Right click on the text",
        "box and then on Select All, right click again",
        "on the selected text then on Copy. Open your",
        "editor and Paste the text to it.",
        "",
        "Use Courier fonts as each letter, space and",
        "number are the same width, for evenly spaced",
        "columns.",
        "",
        "All calculations are limited to 40 years.",
        "",
        "Interest/Growth rate refers to combined",
        "dividends, interest and/or the growth in",
        "price of the investment.",
        "",
    };
    screen.showHowToUse();
    EXPECT_EQ(screen.state().resultsPage, expected.join(LineEnd) + LineEnd);
}

// "&Print" prints the page being built, or what the box still shows once the tenth comparison
// emptied the buffer; nothing while the box is empty.
TEST(CalcScreenTest, PrintedPage) {
    const struct {
        const char* results;
        const char* page;
        const char* printed;
    } cases[] = {{"", "built", ""}, {"shown", "built", "built"}, {"shown", "", "shown"}};
    for (const auto& c : cases) {
        CalcScreen screen;
        screen.state().results = QLatin1String(c.results);
        screen.state().resultsPage = QLatin1String(c.page);
        EXPECT_EQ(screen.printedPage(), QLatin1String(c.printed)) << c.results << "/" << c.page;
    }
}

TEST(CalcScreenTest, MessagesKeepTheirOrderAndNumbers) {
    CalcOutcome outcome;
    outcome.add(Message::WrongEntry);
    outcome.add(Message::TenComparisons);
    EXPECT_EQ(outcome.messages,
              (std::vector<Message>{Message::WrongEntry, Message::TenComparisons}));
}

} // namespace
