// The investment manager from the keyboard: access keys leave the box being edited first, as a
// click on the button does; Enter on a focused button presses it; Ctrl+O and Ctrl+S do what the
// file tabs do; F1 and Ctrl+P press the shown tab's Help and Print buttons; input-method text
// goes through the boxes' filters.

#include "gui/manager/ManagerWindowFixture.h"

#include <QInputMethodEvent>

using namespace qm;
using namespace qmtest;

namespace {

// One fund with three records, dated 1/1, 2/1 and 3/1/2024 at prices 10, 11 and 12.
class ManagerKeys : public ManagerWindowTest {
protected:
    void SetUp() override {
        ManagerWindowTest::SetUp();
        threeRecordFund();
    }
    // Types an access key (Alt+`key`) into the focused control and waits for the button's click.
    QStringList altKey(Qt::Key key, const QStringList& replies = {}) {
        return run(
            [&] {
                QTest::keyClick(window->focusWidget(), key, Qt::AltModifier);
                QTest::qWait(250);
            },
            replies);
    }
    QString page(const char* box) { return get<QPlainTextEdit>(box)->toPlainText(); }
};

TEST_F(ManagerKeys, CorrectionByTheAccessKeyKeepsTheTypedPrice) {
    EXPECT_EQ(click("ECorrectRec", {QStringLiteral("number:1")}), QStringList());
    focus("EInPrice");
    keys(QStringLiteral("15"));
    EXPECT_EQ(altKey(Qt::Key_A), QStringList());
    EXPECT_EQ(shownName(), "EAddaRec");
    EXPECT_TRUE(page("EResults").contains("15.0000")) << page("EResults").toStdString();
    EXPECT_EQ(text("ENumRec"), "Records:  3");
}

TEST_F(ManagerKeys, CurrentValueByTheAccessKeyUsesTheTypedPrice) {
    QString pages[2];
    for (int byKey = 0; byKey < 2; ++byKey) {
        EXPECT_EQ(clickTab(2), QStringList());
        EXPECT_EQ(clickTab(4), QStringList());
        focus("CVInPrice(0)");
        keys(QStringLiteral("20"));
        EXPECT_EQ(byKey ? altKey(Qt::Key_C) : click("CVCalc"), QStringList());
        EXPECT_EQ(text("CVInPrice(0)"), "$20.0000");
        pages[byKey] = page("CVResults");
    }
    EXPECT_EQ(pages[1], pages[0]);
    EXPECT_TRUE(pages[1].contains("6,000.00")) << pages[1].toStdString();
}

// Every access-key button of the entry tab, the price box being edited: the same messages,
// dialogs, box and page as its click.
TEST_F(ManagerKeys, EveryAccessKeyOfTheEntryTabActsAsItsClick) {
    const struct {
        const char* button;
        Qt::Key key;
        QStringList replies;
    } cases[] = {
        {"ECreateFund", Qt::Key_F, {QStringLiteral("cancel")}},
        {"EAddaRec", Qt::Key_A, {}},
        {"ECorrectRec", Qt::Key_C, {QStringLiteral("cancel")}},
        {"EDelRec", Qt::Key_D, {QStringLiteral("cancel")}},
        {"EPrint", Qt::Key_P, {}},
        {"EHelp", Qt::Key_H, {}},
    };
    for (const auto& c : cases) {
        QStringList shown[2], boxes[2];
        for (int byKey = 0; byKey < 2; ++byKey) {
            EXPECT_EQ(clickTab(3), QStringList());
            EXPECT_EQ(clickTab(2), QStringList());
            choose("EFunds", QStringLiteral("F"));
            choose("ETransType", QStringLiteral("Bought"));
            focus("EInDate");
            keys(QStringLiteral("4/1/2024{Enter}13{Enter}10{Enter}{Enter}"));
            focus("EInPrice");
            keys(QStringLiteral("14"));
            const QString records = text("ENumRec");
            shown[byKey] = byKey ? altKey(c.key, c.replies) : click(c.button, c.replies);
            boxes[byKey] << text("EInPrice");
            if (QLatin1String(c.button) == QLatin1String("EAddaRec")) {
                // Each way adds its own record, at the price typed last.
                EXPECT_NE(text("ENumRec"), records);
                EXPECT_TRUE(page("EResults").contains("14.0000"));
            } else {
                boxes[byKey] << page("EResults") << text("ENumRec");
            }
        }
        EXPECT_EQ(shown[1], shown[0]) << c.button;
        EXPECT_EQ(boxes[1], boxes[0]) << c.button;
    }
}

TEST_F(ManagerKeys, EnterOnAFocusedButtonPressesIt) {
    choose("ETransType", QStringLiteral("Bought"));
    focus("EInDate");
    // The Enter walk of the entry row ends on "&Add Record"; the next Enter adds the record.
    keys(QStringLiteral("4/1/2024{Enter}13{Enter}10{Enter}{Enter}"));
    EXPECT_EQ(shownName(), "EAddaRec");
    EXPECT_EQ(text("ENumRec"), "Records:  3");
    EXPECT_EQ(keys(QStringLiteral("{Enter}")), QStringList());
    EXPECT_EQ(text("ENumRec"), "Records:  4");
    // Every tab's help button, by Enter.
    for (const auto& [tab, help] : {std::pair{2, "EHelp"}, std::pair{3, "DHelp"}}) {
        EXPECT_EQ(clickTab(tab), QStringList());
        focus(help);
        EXPECT_EQ(keys(QStringLiteral("{Enter}")), QStringList());
        EXPECT_EQ(text(help), "Close &Help") << help;
    }
}

TEST_F(ManagerKeys, FileKeysDoWhatTheFileTabsDo) {
    const QString path = dir.filePath(QStringLiteral("KEYS.QMD"));
    focus("EInDate");
    // Ctrl+S saves as the "Save file" tab does, and comes back to the entry tab.
    EXPECT_EQ(run([&] { QTest::keyClick(window->focusWidget(), Qt::Key_S, Qt::ControlModifier); },
                  {QStringLiteral("file:") + path}),
              QStringList());
    EXPECT_TRUE(QFileInfo::exists(path));
    EXPECT_EQ(tab(), 2);
    // Ctrl+O opens as the "Open file" tab does.
    focus("EInPrice");
    EXPECT_EQ(run([&] { QTest::keyClick(window->focusWidget(), Qt::Key_O, Qt::ControlModifier); },
                  {QStringLiteral("file:") + path}),
              QStringList());
    EXPECT_EQ(tab(), 2);
    EXPECT_EQ(text("ENumRec"), "Records:  3");
    EXPECT_EQ(text("EDbaseName"), "Database: KEYS.QMD");
}

// A manager with no records.
using EmptyManagerKeys = ManagerWindowTest;

TEST_F(EmptyManagerKeys, OpenFileIsReachedByTheKeyboard) {
    // The tab bar's arrow keys would pass "Save file" ("No Records."); Ctrl+O goes straight to
    // the file dialog, and Ctrl+S says what the tab says.
    const QString path = writeFile(QStringLiteral("EX.QMD"), ExampleFile);
    const auto ctrl = [this](Qt::Key key, const QStringList& replies) {
        return run([&] { QTest::keyClick(window->focusWidget(), key, Qt::ControlModifier); },
                   replies);
    };
    focus("EInDate");
    EXPECT_EQ(ctrl(Qt::Key_S, {}), QStringList{msg(15)});
    EXPECT_EQ(tab(), 2);
    focus("EInDate");
    EXPECT_EQ(ctrl(Qt::Key_O, {QStringLiteral("file:") + path}), QStringList());
    EXPECT_EQ(text("ENumRec"), "Records:  3");
    EXPECT_EQ(tab(), 2);
}

TEST_F(ManagerKeys, HelpAndPrintKeysPressTheShownTabsButtons) {
    const struct {
        int tab;
        QKeyCombination key;
        const char* button;
        const char* results;
        QStringList shown;
        QStringList printed;
    } cases[] = {
        {2, Qt::Key_F1, "EHelp", "EResults", {}, {}},
        {3, Qt::Key_F1, "DHelp", "DDResults", {}, {}},
        {4, Qt::Key_F1, "CVHelp", "CVResults", {}, {}},
        {2, Qt::CTRL | Qt::Key_P, "EPrint", "EResults", {msg(2)}, {}},
        {3, Qt::CTRL | Qt::Key_P, "DPrint", "DDResults", {msg(2)}, {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(clickTab(c.tab), QStringList());
        QWidget* first = window->focusWidget();
        const qsizetype before = printed.size();
        const QStringList shown = run([&] {
            QTest::keyClick(first ? first : window, c.key.key(), c.key.keyboardModifiers());
        });
        EXPECT_EQ(shown, c.shown) << c.button;
        EXPECT_EQ(shownName(), c.button);
        const QString byKey = page(c.results);
        const qsizetype printedByKey = printed.size() - before;
        EXPECT_EQ(clickTab(c.tab == 2 ? 3 : 2), QStringList());
        EXPECT_EQ(clickTab(c.tab), QStringList());
        EXPECT_EQ(click(c.button), c.shown) << c.button;
        EXPECT_EQ(page(c.results), byKey) << c.button;
        EXPECT_EQ(printed.size() - before - printedByKey, printedByKey) << c.button;
    }
}

// Input-method text goes through each manager box's filter character by character.
TEST_F(ManagerKeys, InputMethodTextIsFiltered) {
    const struct {
        const char* box;
        const char* commit;
        const char* shown;
    } cases[] = {{"EInPrice", "-1a2.34567", "12.3456"},
                 {"EInDate", "1/2x/2024a", "1/2/2024"},
                 {"EInNumShrs", "1e5", "15"}};
    choose("ETransType", QStringLiteral("Bought"));
    for (const auto& c : cases) {
        focus(c.box);
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromLatin1(c.commit));
        QApplication::sendEvent(get(c.box), &commit);
        EXPECT_EQ(text(c.box), QString::fromLatin1(c.shown)) << c.box;
    }
}

} // namespace
