#include "gui/manager/ManagerWindowFixture.h"

#include <QComboBox>

using namespace qm;
using namespace qmtest;

namespace {

// What the entry tab shows of the portfolio: counters, fund list, the fund box and its page.
struct Shown {
    QString funds, records, fundText, page;
    QStringList fundList;
    bool operator==(const Shown&) const = default;
};

void PrintTo(const Shown& s, std::ostream* os) {
    *os << s.funds.toStdString() << " | " << s.records.toStdString() << " | "
        << s.fundText.toStdString() << " | " << s.fundList.join(',').toStdString() << "\n"
        << s.page.toStdString();
}

class History : public ManagerWindowTest {
protected:
    Shown shown() {
        return {text("ENumFunds"), text("ENumRec"), text("EFunds"), text("EResults"),
                listItems("EFunds")};
    }
    // A key pressed on the focused control, as a person presses it.
    void press(QKeyCombination key) {
        run([&] { QTest::keyClick(window->focusWidget(), key.key(), key.keyboardModifiers()); });
    }
    void undoKey() { press(Qt::CTRL | Qt::Key_Z); }
    bool canUndo() { return get("UndoRecord")->isEnabled(); }
    bool canRedo() { return get("RedoRecord")->isEnabled(); }
};

// Each kind of change, undone and redone by each of the keys and buttons: the tab shows after
// each step exactly what it showed after the change itself (or before it).
TEST_F(History, EveryChangeIsUndoneAndRedoneAsItWasShown) {
    addFund(QStringLiteral("Alpha"));
    fundWith(QStringLiteral("Beta"), {{"Bought", "1/1/2024{Enter}10{Enter}100{Enter}{Enter}"}});
    const struct {
        const char* what;
        std::function<void()> change;
    } changes[] = {
        {"add record",
         [this] {
             EXPECT_EQ(enter("Bought", "2/1/2024{Enter}11{Enter}50{Enter}{Enter}"), QStringList());
         }},
        {"correct record",
         [this] {
             click("ECorrectRec", {"number:1"});
             focus("EInPrice");
             keys("9{Enter}");
             click("EAddaRec");
         }},
        {"delete record",
         [this] {
             click("EDelRec", {"number:1", "yes"});
         }},
        {"add fund", [this] { addFund(QStringLiteral("Gamma")); }},
        {"delete fund",
         [this] {
             choose("EFunds", QStringLiteral("Alpha"));
             click("EDelRec", {"yes"});
         }},
    };
    for (const auto& c : changes) {
        SCOPED_TRACE(c.what);
        choose("EFunds", QStringLiteral("Beta"));
        const Shown before = shown();
        const int records = window->portfolio().recordCount;
        const int funds = window->portfolio().fundCount;
        c.change();
        const Shown after = shown();
        ASSERT_NE(after, before);
        ASSERT_TRUE(canUndo());

        focus("EFunds");
        undoKey();
        EXPECT_EQ(window->portfolio().recordCount, records);
        EXPECT_EQ(window->portfolio().fundCount, funds);
        const Shown undone = shown();
        EXPECT_EQ(undone.records, before.records);
        EXPECT_EQ(undone.funds, before.funds);
        if (QString::fromLatin1(c.what).endsWith(QLatin1String("record"))) {
            EXPECT_EQ(undone.page, before.page);
        }
        EXPECT_TRUE(canRedo());
        press(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        EXPECT_EQ(shown().records, after.records);
        EXPECT_EQ(shown().funds, after.funds);
        click("UndoRecord");
        EXPECT_EQ(shown().records, before.records);
        focus("EFunds");
        press(Qt::CTRL | Qt::Key_Y);
        EXPECT_EQ(shown().records, after.records);
        EXPECT_FALSE(canRedo());
    }
}

// The unsaved mark follows the steps: gone when the portfolio is back to what was saved, and
// leaving then asks nothing; opening a file starts a new history.
TEST_F(History, UnsavedMarkFollowsTheStepsAndAnOpenClearsThem) {
    EXPECT_EQ(window->windowTitle(), "Investment manager");
    threeRecordFund();
    EXPECT_TRUE(window->isWindowModified());
    const QString file = dir.filePath(QStringLiteral("Mine.QMD"));
    EXPECT_EQ(clickTab(1, {QStringLiteral("file:") + file}), QStringList());
    EXPECT_EQ(window->windowTitle(), "Mine.QMD[*] - Investment manager");
    EXPECT_FALSE(window->isWindowModified());

    choose("EFunds", QStringLiteral("F"));
    EXPECT_EQ(enter("Sold", "4/1/2024{Enter}13{Enter}10{Enter}{Enter}"), QStringList());
    EXPECT_TRUE(window->isWindowModified());
    focus("EFunds");
    undoKey();
    EXPECT_FALSE(window->isWindowModified()) << "back to the file saved";
    EXPECT_EQ(window->portfolio().unsavedChanges, 0);
    undoKey(); // before the save: the third record gone, which the file has
    EXPECT_TRUE(window->isWindowModified());
    EXPECT_EQ(window->portfolio().unsavedChanges, 1);
    press(Qt::CTRL | Qt::Key_Y);
    EXPECT_FALSE(window->isWindowModified());

    // Undone back to the file: leaving asks nothing.
    choose("EFunds", QStringLiteral("F"));
    EXPECT_EQ(enter("Sold", "4/1/2024{Enter}13{Enter}10{Enter}{Enter}"), QStringList());
    focus("EFunds");
    undoKey();
    EXPECT_EQ(openFile(file), QStringList()) << "no question over a portfolio back to its file";
    EXPECT_FALSE(canUndo());
    EXPECT_FALSE(canRedo());
    EXPECT_EQ(window->portfolio().recordCount, 3);
}

// Ctrl+Z in a box takes back its own typing first; with none left it is the window's undo.
// From another tab the step is shown on the entry tab.
TEST_F(History, BoxesKeepTheirOwnUndoAndOtherTabsComeBack) {
    threeRecordFund();
    choose("ETransType", QStringLiteral("Bought"));
    focus("EInDate");
    keys("5/1/2024");
    undoKey();
    EXPECT_EQ(text("EInDate"), "") << "the typing undone";
    EXPECT_FALSE(get<QLineEdit>("EInDate")->isUndoAvailable()) << shownName().toStdString();
    EXPECT_EQ(window->portfolio().recordCount, 3) << "no record undone";
    undoKey();
    EXPECT_EQ(window->portfolio().recordCount, 2);

    clickTab(3);
    focus("DDispFunds");
    undoKey();
    EXPECT_EQ(tab(), 2);
    EXPECT_EQ(window->portfolio().recordCount, 1);
    EXPECT_EQ(text("ENumRec"), "Records:  1");
}

} // namespace
