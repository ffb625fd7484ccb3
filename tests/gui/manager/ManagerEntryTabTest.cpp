#include "gui/common/WindowLayout.h"
#include "gui/common/WorkWindowBase.h"
#include "gui/manager/ManagerWindowFixture.h"

#include <QPointer>

using namespace qm;
using namespace qmtest;

namespace {

const std::initializer_list<int> ListColumns{10, 20, 32, 44, 55, 66, 77, 90, 96};
const std::initializer_list<int> TotalColumns{31, 44, 55, 66, 77, 90};
const QString Rule96(96, QLatin1Char('_'));

// The record lines of the entry tab's list (between the two underscore lines).
QStringList recordLines(const QStringList& list) {
    const qsizetype end = list.lastIndexOf(Rule96);
    return end > 3 ? list.mid(3, end - 3) : QStringList();
}

TEST_F(ManagerWindowTest, OpensOnTheEntryTabWithEveryControl) {
    auto* tabs = get<QTabBar>("SSTab2");
    const QStringList captions{"Open file", "Save file", "Add - edit records", "Display data",
                               "Current value"};
    ASSERT_EQ(tabs->count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(tabs->tabText(i), captions[i]);
        EXPECT_EQ(get(QStringLiteral("AllFramesIM(%1)").arg(i).toLatin1())->isVisible(), i == 2);
    }
    EXPECT_EQ(tab(), 2);
    EXPECT_EQ(ActiveWorkWindow(), WorkWindow::Manager);
    const struct {
        const char* name;
        const char* text;
    } controls[] = {
        {"EFunds", "Click dn/arrow for funds list"},
        {"ECreateFund", "Add &fund"},
        {"ENumFunds", "Funds:  0"},
        {"ENumRec", "Records:  0"},
        {"EDbaseName", "Database: "},
        {"ETransType", ""},
        {"EInDate", ""},
        {"EAddaRec", "&Add Record"},
        {"ECorrectRec", "&Correct record"},
        {"EDelRec", "&Delete record"},
        {"EPrint", "&Print"},
        {"EHelp", "&Help"},
        {"EExit", "E&xit to menu"},
        {"EFundsLabel", "Name of active fund"},
        {"ECreateFundLabel", "Add a new fund to database"},
        {"ETransTypeLabel", "Select Transaction type from list"},
        {"EInDateLabel", "Transaction date"},
        {"EInPriceLabel", "Price of each share"},
        {"EInNumShrsLabel", "Number of shares"},
        {"EInCommLabel", "Total fees or commission"},
        {"EInCashDivLabel", "Total of cash dividends"},
        {"DDisplall", "&Display all funds"},
        {"DHelp", "&Help"},
        {"DPrint", "&Print"},
        {"DExit", "E&xit to menu"},
        {"CVCalc", "&Calculate"},
        {"CVPrint", "&Print"},
        {"CVGraph", "&Graph"},
        {"CVHelp", "&Help"},
        {"CVExit", "E&xit to menu"},
        {"CVFundName(0)", ""},
        {"CVFundName(17)", ""},
        {"CVInPrice(0)", ""},
        {"CVInPrice(17)", ""},
    };
    for (const auto& c : controls)
        EXPECT_EQ(text(c.name), QString::fromLatin1(c.text)) << c.name;
    EXPECT_NE(get("DDispFunds"), nullptr);
    EXPECT_EQ(listItems("ETransType"), QStringList({"Bought", "Sold", "Cash Dividend",
                                                    "Dividend Shares", "Fee Cash", "Unit Fee"}));
    for (const char* name : {"EInDate", "EInPrice", "EInNumShrs", "EInComm", "EInCashDiv"})
        EXPECT_FALSE(get(name)->isEnabled()) << name;
    for (const char* name : {"EResults", "DDResults", "CVResults"}) {
        auto* box = get<QPlainTextEdit>(name);
        EXPECT_TRUE(box->isReadOnly()) << name;
        EXPECT_EQ(box->lineWrapMode(), QPlainTextEdit::NoWrap) << name;
        EXPECT_EQ(box->font().family(), "Courier New") << name;
        EXPECT_TRUE(box->font().fixedPitch()) << name;
        EXPECT_EQ(box->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn) << name;
        // A page longer than the box shown: it keeps its width (lines are not laid out again).
        if (!box->isVisible())
            continue;
        const int width = box->viewport()->width();
        ShowPage(box, QStringLiteral("line\r\n").repeated(100));
        QApplication::processEvents();
        EXPECT_EQ(box->viewport()->width(), width) << name;
    }
}

// The six help samples for one fund, and a purchase whose fees box was left empty: each is
// typed along the entry row with Enter and listed with its book value.
TEST_F(ManagerWindowTest, HelpSamplesAreListedWithTheirBookValues) {
    addFund(QStringLiteral("Sample Fund"));
    const struct {
        const char* type;
        const char* keys;
        QStringList listed;
    } samples[] = {
        {"Bought",
         "1/2/2024{Enter}10{Enter}100{Enter}50{Enter}",
         {"Bought", "1/2/2024", "10.0000", "100.0000", "50.00", ".00", ".00", "1,050.00", "1"}},
        {"Sold",
         "1/3/2024{Enter}10{Enter}100{Enter}50{Enter}",
         {"Sold", "1/3/2024", "10.0000", "-100.0000", "50.00", ".00", ".00", "-950.00", "2"}},
        {"Cash Dividend",
         "1/4/2024{Enter}100{Enter}",
         {"Cash Div.", "1/4/2024", ".0000", ".0000", ".00", ".00", "100.00", "-100.00", "3"}},
        {"Dividend Shares",
         "1/5/2024{Enter}10{Enter}10{Enter}",
         {"Div/Shrs.", "1/5/2024", "10.0000", "10.0000", ".00", "100.00", ".00", ".00", "4"}},
        {"Fee Cash",
         "1/6/2024{Enter}100{Enter}",
         {"Fee Cash", "1/6/2024", ".0000", ".0000", "100.00", ".00", ".00", "100.00", "5"}},
        {"Unit Fee",
         "1/7/2024{Enter}10{Enter}5{Enter}",
         {"Unit Fee", "1/7/2024", "10.0000", "-5.0000", ".00", "-50.00", ".00", ".00", "6"}},
        {"Bought",
         "1/8/2024{Enter}10{Enter}100{Enter}{Enter}",
         {"Bought", "1/8/2024", "10.0000", "100.0000", ".00", ".00", ".00", "1,000.00", "7"}},
    };
    for (const auto& s : samples) {
        choose("ETransType", QLatin1String(s.type));
        focus("EInDate");
        EXPECT_EQ(keys(QLatin1String(s.keys)), QStringList()) << s.keys;
        EXPECT_EQ(shownName(), "EAddaRec") << s.keys;
        EXPECT_EQ(click("EAddaRec"), QStringList()) << s.keys;
        EXPECT_FALSE(get("EInDate")->isEnabled());
        EXPECT_EQ(text("ETransType"), "");
    }
    const QStringList list = lines("EResults");
    const QStringList records = recordLines(list);
    ASSERT_EQ(records.size(), 7);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(records[i].size(), 96);
        EXPECT_EQ(fields(records[i], ListColumns), samples[i].listed) << i;
    }
    EXPECT_EQ(fields(list.last(), TotalColumns),
              QStringList({"Total:", "105.0000", "200.00", "50.00", "100.00", "1,100.00"}));
    EXPECT_EQ(text("ENumRec"), "Records:  7");
}

// Enter walks through the boxes the type uses; the others are hidden.
TEST_F(ManagerWindowTest, EnterFollowsTheBoxesOfTheType) {
    addFund(QStringLiteral("F"));
    const struct {
        const char* type;
        QStringList walk; // focus after each Enter, from the date box on
    } cases[] = {
        {"Bought", {"EInPrice", "EInNumShrs", "EInComm", "EAddaRec"}},
        {"Sold", {"EInPrice", "EInNumShrs", "EInComm", "EAddaRec"}},
        {"Cash Dividend", {"EInCashDiv", "EAddaRec"}},
        {"Dividend Shares", {"EInPrice", "EInNumShrs", "EAddaRec"}},
        {"Fee Cash", {"EInComm", "EAddaRec"}},
        {"Unit Fee", {"EInPrice", "EInNumShrs", "EAddaRec"}},
    };
    focus("EFunds");
    keys(QStringLiteral("{Enter}"));
    EXPECT_EQ(shownName(), "ETransType");
    for (const auto& c : cases) {
        choose("ETransType", QLatin1String(c.type));
        focus("ETransType");
        keys(QStringLiteral("{Enter}"));
        EXPECT_EQ(shownName(), "EInDate");
        for (const char* box : {"EInPrice", "EInNumShrs", "EInComm", "EInCashDiv"}) {
            const bool used = c.walk.contains(QLatin1String(box));
            EXPECT_EQ(get(box)->isVisible(), used) << c.type << " " << box;
            EXPECT_EQ(get(box)->isEnabled(), used) << c.type << " " << box;
        }
        focus("EInDate");
        keys(QStringLiteral("1/2/2024"));
        for (const QString& next : c.walk) {
            EXPECT_EQ(keys(QStringLiteral("{Enter}")), QStringList());
            EXPECT_EQ(shownName(), next) << c.type;
        }
    }
}

TEST_F(ManagerWindowTest, RefusalsOfTheEntryRow) {
    // A type before any fund: message 16, the type emptied, the fund box focused.
    EXPECT_EQ(choose("ETransType", QStringLiteral("Bought")), QStringList({msg(16)}));
    EXPECT_EQ(text("ETransType"), "");
    EXPECT_EQ(shownName(), "EFunds");

    // A name dialog closed by its close box adds nothing (not even the last name again).
    addFund(QStringLiteral("F"));
    EXPECT_EQ(click("ECreateFund", {QStringLiteral("close")}), QStringList());
    EXPECT_EQ(text("ENumFunds"), "Funds:  1");

    // Nothing can be typed into the two lists; Delete in the type list clears the row.
    choose("ETransType", QStringLiteral("Bought"));
    focus("EInDate");
    keys(QStringLiteral("1/2/2024{Enter}12.34567{Enter}"));
    EXPECT_EQ(text("EInPrice"), "$12.3456");
    EXPECT_EQ(beeps, 1) << "a fifth decimal";
    for (const char* list : {"ETransType", "EFunds"}) {
        const QString before = text(list);
        focus(list);
        keys(QStringLiteral("a1"));
        EXPECT_EQ(text(list), before);
    }
    EXPECT_EQ(beeps, 5);
    focus("ETransType");
    keys(QStringLiteral("{Del}"));
    EXPECT_EQ(text("ETransType"), "");
    for (const char* box : {"EInDate", "EInPrice", "EInNumShrs", "EInComm", "EInCashDiv"}) {
        EXPECT_EQ(text(box), "") << box;
        EXPECT_FALSE(get(box)->isEnabled()) << box;
        EXPECT_TRUE(get(box)->isVisible()) << box;
    }

    // A date box left with something that is not a date: message 30, today, focus kept.
    const struct {
        const char* typed;
        const char* shown;
        int beeps;
    } dates[] = {{"13/45/2024", "3/9/2024", 0},
                 {"2024", "3/9/2024", 0},
                 {"", "3/9/2024", 0},
                 {"2/29/2024x,", "2/29/2024", 2},
                 {"1-2-2024", "1-2-2024", 0}};
    for (const auto& d : dates) {
        choose("ETransType", QStringLiteral("Bought"));
        focus("EInDate");
        const int before = beeps;
        const QStringList shown = keys(QLatin1String(d.typed) + QStringLiteral("{Enter}"));
        const bool date = QLatin1String(d.shown) != QLatin1String("3/9/2024");
        EXPECT_EQ(shown, date ? QStringList() : QStringList({"Correct date format is 3/9/2024"}))
            << d.typed;
        EXPECT_EQ(text("EInDate"), QLatin1String(d.shown));
        EXPECT_EQ(shownName(), date ? "EInPrice" : "EInDate") << d.typed;
        EXPECT_EQ(beeps - before, d.beeps) << d.typed;
    }
}

// Three records of one fund, dated 1/1, 2/1 and 3/1/2024 at prices 10, 11 and 12.
class EditRecords : public ManagerWindowTest {
protected:
    void SetUp() override {
        ManagerWindowTest::SetUp();
        threeRecordFund();
    }
    // Date, price and number of each listed record.
    QStringList listed() {
        QStringList out;
        for (const QString& line : recordLines(lines("EResults"))) {
            const QStringList f = fields(line, ListColumns);
            out << f[1] + QLatin1Char(' ') + f[2] + QLatin1Char(' ') + f[8];
        }
        return out;
    }
};

TEST_F(EditRecords, CorrectionKeepsItsPlaceOrMovesWithItsDate) {
    const struct {
        const char* number;
        const char* box;
        const char* typed;
        QStringList after;
    } cases[] = {
        {"1", "EInPrice", "15", {"1/1/2024 15.0000 1", "2/1/2024 11.0000 2", "3/1/2024 12.0000 3"}},
        {"1",
         "EInDate",
         "4/1/2024",
         {"2/1/2024 11.0000 1", "3/1/2024 12.0000 2", "4/1/2024 15.0000 3"}},
        {"3",
         "EInDate",
         "1/15/2024",
         {"1/15/2024 15.0000 1", "2/1/2024 11.0000 2", "3/1/2024 12.0000 3"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(click("ECorrectRec", {QStringLiteral("number:") + QLatin1String(c.number)}),
                  QStringList());
        EXPECT_EQ(text("ETransType"), "Bought");
        EXPECT_FALSE(get("ETransType")->isEnabled());
        EXPECT_EQ(text("EInNumShrs"), "100.0000");
        EXPECT_EQ(text("EInComm"), "") << "a zero is shown as an empty box";
        focus(c.box);
        keys(QLatin1String(c.typed));
        EXPECT_EQ(click("EAddaRec"), QStringList());
        EXPECT_EQ(listed(), c.after) << c.typed;
    }
    EXPECT_EQ(text("ENumRec"), "Records:  3");
    EXPECT_TRUE(get("ETransType")->isEnabled());
}

TEST_F(EditRecords, CancelledCorrectionThenANewEntryAppends) {
    EXPECT_EQ(click("ECorrectRec", {QStringLiteral("cancel")}), QStringList());
    EXPECT_EQ(enter(QStringLiteral("Sold"), QStringLiteral("4/1/2024{Enter}13{Enter}40{Enter}")),
              QStringList());
    EXPECT_EQ(listed(), QStringList({"1/1/2024 10.0000 1", "2/1/2024 11.0000 2",
                                     "3/1/2024 12.0000 3", "4/1/2024 13.0000 4"}));
    EXPECT_EQ(text("ENumRec"), "Records:  4");
}

// Which numbers name no record is the screen model's (DeleteRecords.NumbersThatAreNotRecords):
// here, that the dialog's answer reaches it from both buttons and its message is shown.
TEST_F(EditRecords, RecordNumbersThatAreNotRecords) {
    const QStringList before = listed();
    const struct {
        const char* button;
        const char* typed;
    } cases[] = {{"ECorrectRec", "4"}, {"EDelRec", "."}};
    for (const auto& c : cases) {
        EXPECT_EQ(click(c.button, {QStringLiteral("number:") + QLatin1String(c.typed)}),
                  QStringList({msg(17)}))
            << c.button << " " << c.typed;
        EXPECT_EQ(listed(), before);
        EXPECT_EQ(window->portfolio().unsavedChanges, 1);
    }
    EXPECT_EQ(text("ENumRec"), "Records:  3");
}

TEST_F(EditRecords, DeletingRenumbersAndAnEmptyFundGoes) {
    EXPECT_EQ(click("EDelRec", {QStringLiteral("number:2"), QStringLiteral("no")}),
              QStringList({"Are you sure you wish to delete record number: 2"}));
    EXPECT_EQ(listed().size(), 3);
    EXPECT_EQ(click("EDelRec", {QStringLiteral("number:2"), QStringLiteral("yes")}).size(), 1);
    EXPECT_EQ(listed(), QStringList({"1/1/2024 10.0000 1", "3/1/2024 12.0000 2"}));
    EXPECT_EQ(text("ENumRec"), "Records:  2");

    // A fund without records lists the headings, two rules and a zero total line.
    addFund(QStringLiteral("Empty"));
    const QStringList list = lines("EResults");
    ASSERT_EQ(list.size(), 5);
    EXPECT_TRUE(list[0].startsWith(QLatin1String("Trans-         Trade")));
    EXPECT_TRUE(list[1].startsWith(QLatin1String("action          Date")));
    EXPECT_EQ(list[2], Rule96);
    EXPECT_EQ(list[3], Rule96);
    EXPECT_EQ(fields(list[4], TotalColumns),
              QStringList({"Total:", ".0000", ".00", ".00", ".00", ".00"}));
    EXPECT_EQ(text("ENumFunds"), "Funds:  2");
    EXPECT_EQ(click("EDelRec", {QStringLiteral("yes")}),
              QStringList({"Are you sure you wish to delete the current Fund name."}));
    EXPECT_EQ(text("ENumFunds"), "Funds:  1");
    EXPECT_EQ(text("EFunds"), "");
    EXPECT_EQ(get<QComboBox>("EFunds")->count(), 1);
    EXPECT_EQ(get<QComboBox>("EFunds")->itemText(0), "F");
}

// Leaving with unsaved changes asks question 3: "&Yes" keeps the window (close box too), "&No"
// returns to the menu; the manager then opens afresh.
enum class Change { None, Store, Correct, Delete };
struct LeaveCase {
    const char* name;
    Change change;
    const char* exitBy; // a button, or "close" for the close box
    int tab;
};

void PrintTo(const LeaveCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.change, c.exitBy, c.tab);
}

class Leaving : public ManagerWindowTest, public ::testing::WithParamInterface<LeaveCase> {};

TEST_P(Leaving, AsksBeforeDiscardingChanges) {
    const LeaveCase& c = GetParam();
    const QString path =
        writeFile(QStringLiteral("DATA.QMD"), "2,1,\"All Records\",\"31\"\r\n\"F\",\" 1\"\r\n"
                                              "1,10,100,0,0,1000,\"B\",#2024-01-02#\r\n"
                                              "1,0,0,0,5,-5,\"C\",#2024-01-03#\r\n");
    EXPECT_EQ(openFile(path), QStringList());
    choose("EFunds", QStringLiteral("F"));
    if (c.change == Change::Store)
        enter(QStringLiteral("Fee Cash"), QStringLiteral("1/3/2024{Enter}5"));
    if (c.change == Change::Correct) {
        click("ECorrectRec", {QStringLiteral("number:1")});
        click("EAddaRec");
    }
    if (c.change == Change::Delete)
        click("EDelRec", {QStringLiteral("number:1"), QStringLiteral("yes")});
    if (c.tab != 2)
        clickTab(c.tab);
    QPointer<QMManagement> manager = window;
    const auto leave = [&](const char* answer) {
        const QStringList replies =
            c.change == Change::None ? QStringList() : QStringList({QLatin1String(answer)});
        if (QLatin1String(c.exitBy) == QLatin1String("close"))
            return run([&] { window->close(); }, replies);
        return click(c.exitBy, replies);
    };
    if (c.change != Change::None) {
        EXPECT_EQ(leave("yes"), QStringList({"File changed. DATA.QMD file in memory will be "
                                             "erased. Do you wish to go back and save it to "
                                             "Disk?."}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        ASSERT_TRUE(manager);
        EXPECT_TRUE(manager->isVisible());
        EXPECT_FALSE(menu->isVisible());
    }
    leave("no");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(manager);
    EXPECT_TRUE(menu->isVisible());
    openManager();
    EXPECT_EQ(tab(), 2);
    EXPECT_EQ(text("EDbaseName"), "Database: ");
    EXPECT_EQ(text("ENumRec"), "Records:  0");
    EXPECT_EQ(text("ENumFunds"), "Funds:  0");
}

INSTANTIATE_TEST_SUITE_P(Ways, Leaving,
                         ::testing::Values(LeaveCase{"Unchanged", Change::None, "EExit", 2},
                                           LeaveCase{"Stored", Change::Store, "EExit", 2},
                                           LeaveCase{"StoredCloseBox", Change::Store, "close", 2},
                                           LeaveCase{"Corrected", Change::Correct, "DExit", 3},
                                           LeaveCase{"Deleted", Change::Delete, "CVExit", 4}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
