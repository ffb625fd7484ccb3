#include "gui/calculator/InvestFixture.h"

#include "core/text/Page.h"

#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace qm;
using namespace qmtest;

namespace {

QString shownResults(QMInvest* window) {
    return child<QPlainTextEdit>(window, QStringLiteral("Results"))->toPlainText();
}

void click(QWidget* button) {
    static_cast<QAbstractButton*>(button)->click();
}

TEST_F(InvestWindowTest, CaptionsAndTheResultsBox) {
    EXPECT_EQ(window->windowTitle(), "Calculations");
    auto* tabs = get<QTabBar>("SSTab1");
    const QStringList captions{"Pension growth", "Mortgage tables", "Invested growth",
                               "Retired income", "Compound gain",   "Capital required"};
    ASSERT_EQ(tabs->count(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(tabs->tabText(i), captions[i]);

    const struct {
        const char* name;
        const char* text;
    } controls[] = {
        {"AllGraphs", "&Graph"},
        {"ExitProgram", "E&xit to menu"},
        {"PGHelp", "&Help"},
        {"IGResultsChoice(0)", "Complete calculation"},
        {"CRCapitalChoices(0)", "Amount of capital required"},
        {"RIWDrawalChoice(0)", "Annual percentage"},
        {"MTPaymentOpt", "Payment"},
        {"MTIRFactor(0)", "365,25"},
        {"MTIRFactor(6)", ""},
        {"IGInBegBalLabel", "Beginning balance "},
        {"IGInAnnContribRateLabel", "Increase annual contribution rate % "},
        {"MTCompPeriodLabel", "Compound interest periods/yr."},
        {"MTPiPmtLabel", "Each payment. Principal + Int."},
        {"CGInCostofInvestLabel", "Purchase cost of your investment"},
    };
    for (const auto& c : controls)
        EXPECT_EQ(text(c.name), QString::fromLatin1(c.text)) << c.name;
    QStringList frames;
    for (const QGroupBox* frame : window->findChildren<QGroupBox*>())
        frames << frame->title();
    for (const char* title : {"Show results", "Select option", "Withdrawal choices",
                              "Conventional Mortgage", "Accelerated Mortgage"})
        EXPECT_TRUE(frames.contains(QLatin1String(title))) << title;

    auto* results = get<QPlainTextEdit>("Results");
    EXPECT_TRUE(results->isReadOnly());
    EXPECT_EQ(results->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_EQ(results->font().family(), "Courier New");
    EXPECT_EQ(results->font().styleHint(), QFont::Monospace);
    EXPECT_EQ(results->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    // A page longer than the box: the box keeps its width (lines are not laid out again).
    const int width = results->viewport()->width();
    window->state().results = QStringLiteral("line\r\n").repeated(100);
    window->syncResults();
    QApplication::processEvents();
    EXPECT_EQ(results->viewport()->width(), width);
}

// A tab change shows the selected tab's frame alone and discards the page, the counters and
// every typed input.
TEST_F(InvestWindowTest, TabChangeShowsOneFrameAndRestoresDefaults) {
    for (int tab : {4, 1, 5, 0, 3, 2}) {
        selectTab(tab);
        for (int i = 0; i < 6; ++i) {
            EXPECT_EQ(
                get(QStringLiteral("FrameAll(%1)").arg(i).toLatin1().constData())->isVisible(),
                i == tab)
                << "tab " << tab << " frame " << i;
        }
        EXPECT_EQ(window->state().visibleTab, tab);
    }
    selectTab(4);
    focus(box("CGInCostofInvest"));
    type(box("CGInCostofInvest"), QStringLiteral("123"));
    leaveTo(box("CGInValueNow"));
    EXPECT_EQ(window->state().inputValues[1], Currency::fromUnits(123));
    CalcState& state = window->state();
    state.resultsPage = state.results = QStringLiteral("old\r\n");
    state.comparisonCount = 4;
    state.chartPoints = 4;
    state.startNewPage = 1;
    window->syncResults();

    selectTab(0);
    selectTab(4);
    EXPECT_EQ(text("CGInCostofInvest"), "   $10,000.00");
    EXPECT_EQ(state.inputValues[1], Currency::fromUnits(10000));
    EXPECT_TRUE(state.results.isEmpty());
    EXPECT_TRUE(state.resultsPage.isEmpty());
    EXPECT_TRUE(shownResults(window).isEmpty());
    EXPECT_EQ(state.comparisonCount, 0);
    EXPECT_EQ(state.chartPoints, 0);
    EXPECT_EQ(state.startNewPage, 0);
}

// "How to &use" reaches the window's model, which makes the page (line by line:
// CalcScreenTest); the Results box shows it.
TEST_F(InvestWindowTest, HowToUseShowsTheModelsPage) {
    click(get("HowToUse"));
    const QString page = HowToUsePage(window->state().currencySymbol);
    EXPECT_EQ(window->state().resultsPage, page);
    EXPECT_EQ(window->state().results, page);
    EXPECT_EQ(shownResults(window), QString(page).replace(LineEnd, QLatin1String("\n")));
    EXPECT_EQ(window->state().startNewPage, 1);
}

// A calculator window that counts the times "&Graph" opens the chart window.
class ChartCountingWindow : public QMInvest {
public:
    int charts = 0;

protected:
    void showChartWindow() override { ++charts; }
};

// "&Graph" and "&Print" refuse while the Results box is empty; "&Graph" also without chart
// points. Otherwise they hand over to the chart window and the printer.
TEST_F(InvestWindowTest, GraphAndPrintNeedAPage) {
    delete window;
    auto* counting = new ChartCountingWindow;
    window = counting;
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    const QString noGraph = QStringLiteral("No data to graph, Calculate.");
    const QString noPrint = QStringLiteral("No data to print. Calculate.");
    // A page to print reaches the print system; the tests have none, so the page is offered as
    // a PDF instead: a file dialog, which has no message text (closing it saves nothing).
    const QString noPrinter;
    const struct {
        const char* results;
        int chartPoints;
        const char* button;
        const char* message; // null: none
        int charts;
    } cases[] = {
        {"", 5, "AllGraphs", "graph", 0},         {"page\r\n", 0, "AllGraphs", "graph", 0},
        {"page\r\n", 3, "AllGraphs", nullptr, 1}, {"", 3, "PGPrint", "print", 1},
        {"", 3, "MTPrint", "print", 1},           {"", 3, "IGPrint", "print", 1},
        {"", 3, "RIPrint", "print", 1},           {"", 3, "CGPrint", "print", 1},
        {"", 3, "CRPrint", "print", 1},           {"page\r\n", 3, "CRPrint", "printer", 1},
    };
    for (const auto& c : cases) {
        window->state().results = window->state().resultsPage = QString::fromLatin1(c.results);
        window->state().chartPoints = c.chartPoints;
        window->syncResults();
        const QStringList shown = answering([&] { click(get(c.button)); });
        QStringList expected;
        if (c.message)
            expected << (QLatin1String(c.message) == QLatin1String("graph")   ? noGraph
                         : QLatin1String(c.message) == QLatin1String("print") ? noPrint
                                                                              : noPrinter);
        EXPECT_EQ(shown, expected) << c.button << " " << c.results;
        EXPECT_EQ(counting->charts, c.charts) << c.button;
    }

    // "Clear &results" empties the page but keeps the chart data; "&Graph" still refuses.
    window->state().results = window->state().resultsPage = QStringLiteral("page\r\n");
    window->state().comparisonCount = 3;
    window->syncResults();
    click(get("ClearResults"));
    EXPECT_TRUE(shownResults(window).isEmpty());
    EXPECT_EQ(window->state().comparisonCount, 0);
    EXPECT_EQ(window->state().chartPoints, 3);
    EXPECT_EQ(answering([&] { click(get("AllGraphs")); }), QStringList{noGraph});
}

// Each tab's "&Help" shows that calculator's page (of the option selected) by the help-page
// convention: the next comparing Calculate starts a new page.
TEST_F(InvestWindowTest, HelpShowsTheTabsPage) {
    const struct {
        int tab;
        const char* option; // clicked first, when set
        const char* button;
        const char* firstLine;
    } cases[] = {
        {0, nullptr, "PGHelp", "To view the hidden Value column on the"},
        {1, nullptr, "MTHelp", "Calculations are automatic, change the"},
        {2, nullptr, "IGHelp", ""},
        {3, nullptr, "RIHelp", "       Using Percentage Option"},
        {3, "RIWDrawalChoice(1)", "RIHelp", "       Using Fixed Amount Option"},
        {4, nullptr, "CGHelp", "Compare up to 10 different investments on"},
        {5, nullptr, "CRHelp", "    Amount of Capital Required Option"},
        {5, "CRCapitalChoices(1)", "CRHelp", "    Annual Income Required Option"},
    };
    for (const auto& c : cases) {
        selectTab(c.tab);
        if (c.option)
            click(get(c.option));
        click(get(c.button));
        EXPECT_EQ(shownResults(window).section(QLatin1Char('\n'), 0, 0), c.firstLine) << c.button;
        EXPECT_EQ(window->state().resultsPage, window->state().results) << c.button;
        EXPECT_EQ(window->state().startNewPage, 1) << c.button;
    }
    EXPECT_TRUE(shownResults(window).endsWith("give an annual income of $40,000.00.\n\n"));
}

// The options of capital required and retired income reload their defaults, labels and (for
// retired income) the kind of the last two boxes; each click empties the page.
TEST_F(InvestWindowTest, OptionsReloadTheirDefaults) {
    const struct {
        int tab;
        const char* option;
        int calcChoice;
        std::vector<std::pair<const char*, const char*>> shown; // control -> text
    } cases[] = {
        {5,
         "CRCapitalChoices(1)",
         2,
         {{"Label26", "Annual income required $"},
          {"CRInCapitalReq", "   $40,000.00"},
          {"CRInIntGrowthRate", " 15.00%"},
          {"CRInTimeInYrs", " 25"}}},
        {5,
         "CRCapitalChoices(0)",
         0,
         {{"Label26", "Amount of capital required $"}, {"CRInCapitalReq", "  $100,000.00"}}},
        {3,
         "RIWDrawalChoice(1)",
         2,
         {{"Label32", "Monthly amount of cash withdrawn"},
          {"Label33", "Increase annual income by %"},
          {"RIInCurrValue", "  $100,000.00"},
          {"RIInAnnIntGrowthRate", " 10.00%"},
          {"RIInAnnIncWDrawnRate", "  $1,000.00"},
          {"RIInTimeInYrs", "   .00%"}}},
        {3,
         "RIWDrawalChoice(0)",
         0,
         {{"Label32", "Annual income withdrawn as a (%)"},
          {"Label33", "Time in years"},
          {"RIInCurrValue", "  $500,000.00"},
          {"RIInAnnIncWDrawnRate", "  8.00%"},
          {"RIInTimeInYrs", "    20"}}},
    };
    for (const auto& c : cases) {
        selectTab(c.tab);
        const char* first = c.tab == 5 ? "CRInCapitalReq" : "RIInCurrValue";
        focus(box(first));
        type(box(first), QStringLiteral("5"));
        leaveTo(get("AllGraphs"));
        window->state().results = window->state().resultsPage = QStringLiteral("page\r\n");
        window->syncResults();
        click(get(c.option));
        for (const auto& [name, expected] : c.shown)
            EXPECT_EQ(text(name), QString::fromLatin1(expected)) << c.option << " " << name;
        EXPECT_EQ(window->state().calcChoice, c.calcChoice) << c.option;
        EXPECT_TRUE(shownResults(window).isEmpty()) << c.option;
        EXPECT_EQ(window->state().editFlag, 0);
    }

    // The last retired-income box follows the choice: a percentage under "Fixed monthly
    // amount" (no 40-year limit), whole years otherwise.
    const struct {
        const char* option;
        const char* keys;
        const char* shown;
        int beeps;
        bool message;
    } typing[] = {{"RIWDrawalChoice(1)", "2.5", "  2.50%", 0, false},
                  {"RIWDrawalChoice(1)", "45", " 45.00%", 0, false},
                  {"RIWDrawalChoice(0)", "2.5", "    25", 1, false},
                  {"RIWDrawalChoice(0)", "45", "    40", 0, true}};
    for (const auto& t : typing) {
        click(get(t.option));
        beeps = 0;
        InputBox* years = box("RIInTimeInYrs");
        focus(years);
        type(years, QString::fromLatin1(t.keys));
        const QStringList messages = leaveTo(get("AllGraphs"));
        EXPECT_EQ(years->text(), QString::fromLatin1(t.shown)) << t.option << " " << t.keys;
        EXPECT_EQ(beeps, t.beeps) << t.option << " " << t.keys;
        EXPECT_EQ(messages.size(), t.message ? 1 : 0) << t.option << " " << t.keys;
    }
}

// Invested growth: its options and its frequency list empty the page (the list only in
// "Complete calculation"); the comparison count stays.
TEST_F(InvestWindowTest, InvestedGrowthOptionsEmptyThePage) {
    const struct {
        const char* option; // clicked first, page filled after it
        const char* action; // an option clicked, or the list's next item chosen
        bool empties;
    } cases[] = {{"IGResultsChoice(0)", "IGResultsChoice(1)", true},
                 {"IGResultsChoice(1)", "IGResultsChoice(0)", true},
                 {"IGResultsChoice(1)", "IGResultsChoice(1)", true}, // already selected
                 {"IGResultsChoice(0)", "IGResultsChoice(0)", true},
                 {"IGResultsChoice(0)", "IGInMonthsYrs", true},
                 {"IGResultsChoice(1)", "IGInMonthsYrs", false}};
    for (const auto& c : cases) {
        click(get(c.option));
        CalcState& state = window->state();
        state.results = state.resultsPage = QStringLiteral("page\r\n");
        state.comparisonCount = 3;
        window->syncResults();
        QWidget* target = get(c.action);
        if (auto* list = qobject_cast<QComboBox*>(target)) {
            focus(list);
            QTest::keyClick(list, Qt::Key_Down);
            leaveTo(get("AllGraphs"));
        } else {
            click(target);
        }
        EXPECT_EQ(shownResults(window).isEmpty(), c.empties) << c.option << " " << c.action;
        EXPECT_EQ(state.resultsPage.isEmpty(), c.empties) << c.option << " " << c.action;
        EXPECT_EQ(state.comparisonCount, 3);
    }
}

} // namespace
