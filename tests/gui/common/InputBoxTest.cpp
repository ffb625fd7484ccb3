#include "gui/calculator/InvestFixture.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <cmath>
#include <map>

using namespace qm;
using namespace qmtest;

namespace {

const char* const YearsLimit = "Wrong entry, 40 years limit.";

struct TypingCase {
    int tab;
    const char* box;
    const char* keys;      // see InvestWindowTest::type
    const char16_t* shown; // the box's text after it was left
    double stored;         // the value stored (NAN: the old value stays)
    int beeps;
    bool yearsMessage;
};

void PrintTo(const TypingCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.tab, c.box, c.keys, c.shown, c.stored, c.beeps, c.yearsMessage);
}

class TypingTest : public InvestWindowTest, public ::testing::WithParamInterface<TypingCase> {};

// The value the box stored: a double for the mortgage boxes, otherwise an exact amount (made
// from the double the same way the box makes it).
Currency storedValue(QMInvest& window, const BoxRule& row) {
    const std::size_t i = static_cast<std::size_t>(row.index);
    return row.store == BoxStore::MortgageInputs
               ? Currency::fromDouble(window.state().mortgageInputs[i])
               : window.state().inputValues[i];
}

TEST_P(TypingTest, LeavingParsesStoresAndRedisplays) {
    const TypingCase& c = GetParam();
    selectTab(c.tab);
    InputBox* target = box(c.box);
    const Currency before = storedValue(*window, target->rule());
    focus(target);
    EXPECT_EQ(target->selectedText(), target->text()) << "the whole text is selected";
    type(target, QString::fromLatin1(c.keys));
    const QStringList messages = leaveTo(get(c.tab == 1 ? "MTCalculate" : "AllGraphs"));

    EXPECT_EQ(target->text(), QString::fromUtf16(c.shown));
    const Currency expected = std::isnan(c.stored) ? before : Currency::fromDouble(c.stored);
    EXPECT_EQ(storedValue(*window, target->rule()), expected);
    EXPECT_EQ(beeps, c.beeps);
    EXPECT_EQ(messages,
              c.yearsMessage ? QStringList{QString::fromLatin1(YearsLimit)} : QStringList{});
    EXPECT_EQ(window->state().editFlag, 0);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Boxes, TypingTest, ::testing::Values(
    // Money: the symbol, grouping and two decimals, right-justified to 13.
    TypingCase{4, "CGInCostofInvest", "2500",             u"    $2,500.00", 2500, 0, false},
    TypingCase{4, "CGInCostofInvest", "12.345",           u"       $12.34", 12.34, 1, false},
    TypingCase{4, "CGInCostofInvest", "1..5",             u"        $1.00", 1, 0, false},
    TypingCase{4, "CGInCostofInvest", "1.23{Home}4",      u"        $1.23", 1.23, 1, false},
    // The first key replaces the value wherever the cursor is, even when it is refused.
    TypingCase{4, "CGInCostofInvest", "x",                u"         $.00", 0, 1, false},
    TypingCase{4, "CGInCostofInvest", "{End}5",           u"        $5.00", 5, 0, false},
    TypingCase{4, "CGInCostofInvest", "{Bksp}7",          u"        $7.00", 7, 0, false},
    // Delete marks the box edited: what is left is parsed, and a leading "$" reads as 0.
    TypingCase{4, "CGInCostofInvest", "{Home}{Del}",      u"         $.00", 0, 0, false},
    TypingCase{4, "CGInCostofInvest", "{Del}",            u"         $.00", 0, 0, false},
    // Passing through without typing changes nothing.
    TypingCase{4, "CGInCostofInvest", "",                 u"   $10,000.00", 10000, 0, false},
    // No typed value can overflow: a 16th digit, or a value beyond the range, is refused.
    TypingCase{4, "CGInCostofInvest", "1234567890123456", u"$123,456,789,", 123456789012345, 1, false},
    TypingCase{4, "CGInCostofInvest", "9999999999999999", u"$99,999,999,9", 99999999999999, 2, false},
    TypingCase{4, "CGInNameOfInvest", "{End}AB",          u"AB", NAN, 0, false},
    // Years: digits only, at most 40 (every years box and display form: CalcScreenTest).
    TypingCase{4, "CGInNumOfYrs",     "55",               u" 40", 40, 0, true},
    TypingCase{4, "CGInNumOfYrs",     "a7",               u"  7", 7, 1, false},
    TypingCase{4, "CGInNumOfYrs",     "4.",               u"  4", 4, 1, false},
    TypingCase{1, "MTInTerm",         "45",               u"   40", 40, 0, true},
    // Percentages and the other money forms (every form: CalcScreenTest).
    TypingCase{0, "PGInAnnContribRate", "4.5",            u"  4.50%", 4.5, 0, false},
    TypingCase{3, "RIInAnnIncWDrawnRate", "8.5",          u"  8.50%", 8.5, 0, false},
    // The mortgage rate takes a third decimal; the mortgage boxes store doubles.
    TypingCase{1, "MTInRate",         "12.345",           u"12.345%", 12.345, 0, false},
    TypingCase{1, "MTInRate",         "7.1256",           u" 7.125%", 7.125, 1, false},
    TypingCase{1, "MTInPrincipal",    "80000.5",          u"   $80,000.50", 80000.5, 0, false},
    // Pension boxes: Delete empties the box without marking it edited.
    TypingCase{0, "PGInCurrAnnSalary", "{Del}",           u"", NAN, 0, false},
    TypingCase{0, "PGInCurrAnnSalary", "{End}{Del}",      u"", NAN, 0, false},
    TypingCase{0, "PGInCurrAnnSalary", "{Del}5",          u"        $5.00", 5, 0, false}),
    [](const auto& info) { return NameOf(info.param.box, info.param.keys); });
// clang-format on

// Enter moves the focus along each tab and ends on its Calculate button without calculating.
TEST_F(InvestWindowTest, EnterMovesTheFocusAndNeverCalculates) {
    const struct {
        int tab;
        const char* solveFor; // the mortgage option selected first
        std::vector<const char*> chain;
    } chains[] = {
        {0,
         nullptr,
         {"PGInCurrBalance", "PGInCurrAnnSalary", "PGInAnnContribRate", "PGInCompAnnContribRate",
          "PGInEstSalIncrease", "PGInAnnIntGrowthRate", "PGInEstAnnFlatRate",
          "PGInNumYearsToRetire", "PGCalculate"}},
        {1,
         "MTPrincipalOpt",
         {"MTInRate", "MTInTerm", "MTInMthPayment", "MTFreqPmt", "MTCalculate"}},
        {1, "MTPaymentOpt", {"MTCompPeriod", "MTInPrincipal", "MTInRate"}},
        {2,
         nullptr,
         {"IGInBegBal", "IGInEachContrib", "IGInMonthsYrs", "IGInIntGrowthRate",
          "IGInAnnContribRate", "IGInAnninFlatRate", "IGInYearsInvested", "IGCalculate"}},
        {3,
         nullptr,
         {"RIInCurrValue", "RIInAnnIntGrowthRate", "RIInAnnIncWDrawnRate", "RIInTimeInYrs",
          "RICalculate"}},
        {4,
         nullptr,
         {"CGInCostofInvest", "CGInValueNow", "CGInNumOfYrs", "CGInNameOfInvest", "CGCalculate"}},
        {5, nullptr, {"CRInCapitalReq", "CRInIntGrowthRate", "CRInTimeInYrs", "CRCalculate"}},
    };
    for (const auto& c : chains) {
        selectTab(c.tab);
        if (c.solveFor)
            get<QRadioButton>(c.solveFor)->click();
        focus(get(c.chain.front()));
        for (std::size_t i = 1; i < c.chain.size(); ++i) {
            QTest::keyClick(window->focusWidget(), Qt::Key_Return);
            ASSERT_EQ(window->focusWidget(), get(c.chain[i])) << "Enter after " << c.chain[i - 1];
        }
        EXPECT_TRUE(window->state().results.isEmpty()) << "tab " << c.tab;
        EXPECT_EQ(window->state().comparisonCount, 0) << "tab " << c.tab;
    }
}

// The first key typed into a box reaches the window's model, which empties the page where the
// box's row says so (every box: CalcScreenTest); the Results box shows it, and the invested-
// growth option selected on screen is the one the model goes by. The key typed here is refused
// by the numeric boxes: the box is emptied before the key is filtered.
TEST_F(InvestWindowTest, FirstKeyEmptiesThePageOnlyWhereTheTabSaysSo) {
    const struct {
        int tab;
        const char* option; // clicked before the page is filled
        const char* box;
        bool empties;
    } cases[] = {
        {4, nullptr, "CGInCostofInvest", false},
        {5, nullptr, "CRInCapitalReq", true},
        {2, nullptr, "IGInBegBal", true},
        {2, "IGResultsChoice(1)", "IGInYearsInvested", false},
    };
    for (const auto& c : cases) {
        selectTab(c.tab);
        if (c.option)
            get<QRadioButton>(c.option)->click();
        window->state().resultsPage = QStringLiteral("page\r\n");
        window->state().results = QStringLiteral("page\r\n");
        window->syncResults();
        InputBox* target = box(c.box);
        focus(target);
        type(target, QStringLiteral("x"));
        EXPECT_EQ(target->text(), target->rule().kind == BoxKind::Text ? "x" : "") << c.box;
        EXPECT_EQ(window->state().results.isEmpty(), c.empties) << c.box;
        EXPECT_EQ(window->state().resultsPage.isEmpty(), c.empties) << c.box;
        EXPECT_EQ(get<QPlainTextEdit>("Results")->toPlainText().isEmpty(), c.empties) << c.box;
        leaveTo(get("AllGraphs"));
    }
}

// Paste and drops are refused, and the clipboard keeps what it held.
TEST_F(InvestWindowTest, PasteAndDropAreRefusedAndTheClipboardKept) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(QStringLiteral("777"));
    selectTab(4);
    InputBox* target = box("CGInCostofInvest");
    focus(target);
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(target->text(), "   $10,000.00");

    QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                target->mapToGlobal(QPoint(2, 2)));
    QApplication::sendEvent(target, &menuEvent);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    // Copying and selecting stay; paste and everything else that changes the text is off.
    const auto keys = [](QKeySequence::StandardKey key) {
        return QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
    };
    int pasteEntries = 0;
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        if (action->text().endsWith(keys(QKeySequence::SelectAll)))
            continue; // Qt itself turns it off while everything is selected
        const bool reads = action->text().endsWith(keys(QKeySequence::Copy));
        EXPECT_EQ(action->isEnabled(), reads) << action->text().toStdString();
        pasteEntries += action->text().endsWith(keys(QKeySequence::Paste)) ? 1 : 0;
    }
    EXPECT_EQ(pasteEntries, 1);
    menu->close();

    QMimeData dragged;
    dragged.setText(QStringLiteral("999"));
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &dragged, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_EQ(target->text(), "   $10,000.00");
    EXPECT_FALSE(target->acceptDrops());

    leaveTo(box("CGInValueNow"));
    EXPECT_EQ(window->state().inputValues[1], Currency::fromUnits(10000));
    EXPECT_EQ(clipboard->text(), "777");
}

// The box of the quantity the mortgage solver finds is locked and green; keys only end the
// edit. Choosing another quantity unlocks it.
TEST_F(InvestWindowTest, MortgageSolvedBoxIsLocked) {
    selectTab(1);
    const struct {
        const char* option;
        const char* locked;
    } cases[] = {{"MTPaymentOpt", "MTInMthPayment"},
                 {"MTPrincipalOpt", "MTInPrincipal"},
                 {"MTTermOpt", "MTInTerm"}};
    for (const auto& c : cases) {
        get<QRadioButton>(c.option)->click();
        for (const char* name : {"MTInPrincipal", "MTInTerm", "MTInMthPayment", "MTInRate"}) {
            const bool locked = QLatin1String(name) == QLatin1String(c.locked);
            EXPECT_EQ(box(name)->isReadOnly(), locked) << c.option << " " << name;
            // The colour shown: the pixel most of the box is drawn in.
            const QImage image = box(name)->grab().toImage();
            std::map<QRgb, int> counts;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    ++counts[image.pixel(x, y)];
            const QColor shown(std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                                   return a.second < b.second;
                               })->first);
            EXPECT_EQ(shown, locked ? QColor(128, 255, 128) : QColor(255, 255, 0))
                << c.option << " " << name;
        }
        InputBox* target = box(c.locked);
        const QString before = target->text();
        focus(target);
        type(target, QStringLiteral("5"));
        EXPECT_EQ(window->state().editFlag, 0);
        EXPECT_EQ(target->text(), before);
        leaveTo(get("MTCalculate"));
    }
}

// The lists take no typing; the mortgage solver runs where an edit or a choice is left. A solve
// rewrites the total interest caption; applying the days option also puts the days button
// back where the payment frequency wants it.
TEST_F(InvestWindowTest, ListsAndTheMortgageSolves) {
    auto* frequency = get<QComboBox>("IGInMonthsYrs");
    focus(frequency);
    window->state().editFlag = 1;
    type(frequency, QStringLiteral("Mq "));
    EXPECT_EQ(frequency->currentText(), "Annually");
    EXPECT_EQ(window->state().editFlag, 0);

    selectTab(1);
    EXPECT_EQ(text("MTTotalPmts"), "  $102,562.14") << "the tab opens with a solve";
    EXPECT_EQ(window->state().editFlag, 0);

    const struct {
        const char* control;
        const char* keys; // {Down} chooses the next item of a list
        bool solves;
        bool appliesDays;
    } steps[] = {
        {"MTInPrincipal", "5", true, false}, // edited: solved on leaving
        {"MTInRate", "", false, false},      // passed through: nothing
        {"MTCompPeriod", "S", false, false}, // typing chooses nothing
        {"MTCompPeriod", "{Down}", true, false},
        {"MTFreqPmt", "{Down}", true, true},
        {"MTFreqPmt", "", false, false},
        {"MTIRFactor(3)", "", true, true}, // leaving a days button always applies it
    };
    for (const auto& s : steps) {
        QWidget* control = get(s.control);
        focus(control);
        const QString keys = QString::fromLatin1(s.keys);
        if (keys == QLatin1String("{Down}"))
            QTest::keyClick(control, Qt::Key_Down);
        else
            type(control, keys);
        window->setControlText(QStringLiteral("MTTotalPmts"), QStringLiteral("unsolved"));
        window->selectDaysOption(2);
        leaveTo(get("MTCalculate"));
        EXPECT_EQ(text("MTTotalPmts") != QLatin1String("unsolved"), s.solves)
            << s.control << " " << s.keys;
        EXPECT_EQ(window->daysOption(), s.appliesDays ? 6 : 2) << s.control << " " << s.keys;
    }
    EXPECT_DOUBLE_EQ(window->state().mortgageInputs[1], 5);
    EXPECT_EQ(get<QComboBox>("MTCompPeriod")->currentText(), "Bimonthly");
    EXPECT_EQ(get<QComboBox>("MTFreqPmt")->currentText(), "Semimonthly");
}

} // namespace
