// Commands started from the keyboard (access keys, Enter on a focused button, F1, Ctrl+P) in the
// calculator window, the start menu and the dialogs: each leaves the box being edited first,
// exactly as a click on the button does, then runs as the click runs.

#include "core/text/Messages.h"
#include "gui/app/QMStart.h"
#include "gui/calculator/InvestFixture.h"
#include "gui/common/AppState.h"
#include "gui/common/Dialogs.h"

#include <QInputMethodEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>

using namespace qm;
using namespace qmtest;

namespace {

enum Tab { Pension = 0, Mortgage = 1, Invested = 2, Retired = 3, Compound = 4, Capital = 5 };

// What a command left behind: the messages it showed, the page, the edited control's text and
// what is stored for it.
struct Outcome {
    QStringList messages;
    QString page;
    QString shown;
    bool operator==(const Outcome&) const = default;
};

void PrintTo(const Outcome& o, std::ostream* os) {
    *os << "messages {" << o.messages.join(QLatin1String(" | ")).toStdString() << "} shown \""
        << o.shown.toStdString() << "\" page:\n"
        << o.page.left(400).toStdString();
}

class CommandKeys : public InvestWindowTest {
protected:
    // Opens `tab` afresh (its defaults), types `keys` into `control`, then starts the command of
    // `button` by a mouse click on it, or by the access key `key` typed in the control.
    Outcome run(int tab, const char* control, const QString& keys, const char* button, Qt::Key key,
                bool byKey) {
        selectTab(tab == Pension ? Mortgage : Pension);
        selectTab(tab);
        QWidget* edited = get(control);
        focus(edited);
        type(edited, keys);
        Outcome out;
        out.messages = answering([&] {
            if (byKey) {
                QTest::keyClick(edited, key, Qt::AltModifier);
                QTest::qWait(250); // the button shows itself pressed before it clicks
            } else {
                QTest::mouseClick(get(button), Qt::LeftButton);
            }
        });
        out.page = get<QPlainTextEdit>("Results")->toPlainText();
        out.shown = text(control);
        return out;
    }
    // Both ways; the access key must give what the click gives.
    Outcome same(int tab, const char* control, const QString& keys, const char* button,
                 Qt::Key key) {
        const Outcome click = run(tab, control, keys, button, key, false);
        const Outcome byKey = run(tab, control, keys, button, key, true);
        EXPECT_EQ(byKey, click) << control << " " << keys.toStdString() << " then " << button;
        EXPECT_EQ(window->focusWidget(), get(button)) << "the access key moves the focus";
        return byKey;
    }
};

TEST_F(CommandKeys, AccessKeyLeavesTheEditedBoxFirst) {
    const QString yearsLimit = MessageText(5);
    {
        SCOPED_TRACE("compound gain: the typed cost is calculated and kept");
        const Outcome o = same(Compound, "CGInCostofInvest", "50000", "CGCalculate", Qt::Key_C);
        EXPECT_TRUE(o.page.contains("50,000.00")) << o.page.toStdString();
        EXPECT_FALSE(o.page.contains("10,000.00")) << o.page.toStdString();
        EXPECT_EQ(o.shown.trimmed(), "$50,000.00");
    }
    {
        SCOPED_TRACE("mortgage: the payment for the typed principal");
        const Outcome o = same(Mortgage, "MTInPrincipal", "200000", "MTCalculate", Qt::Key_C);
        EXPECT_FALSE(o.page.contains("675.21")) << o.page.toStdString();
        EXPECT_TRUE(o.page.contains("1,350.4")) << o.page.toStdString();
    }
    {
        SCOPED_TRACE("invested growth: the years are held to 40 with the message");
        const Outcome o = same(Invested, "IGInYearsInvested", "55", "IGCalculate", Qt::Key_C);
        EXPECT_EQ(o.messages, QStringList{yearsLimit});
        EXPECT_EQ(o.shown, "40");
    }
    {
        SCOPED_TRACE("mortgage: a frequency chosen by the arrow keys is applied");
        const Outcome o = same(Mortgage, "MTFreqPmt", "{Down}", "MTCalculate", Qt::Key_C);
        EXPECT_EQ(o.messages, QStringList());
        EXPECT_FALSE(o.page.isEmpty());
        // Every later solve still works.
        EXPECT_EQ(press("MTCalculate"), QStringList());
    }
}

// Every button with an access key on every tab, and the window's own buttons, with the tab's
// first box being edited.
TEST_F(CommandKeys, EveryAccessKeyOfTheWindowActsAsItsClick) {
    const struct {
        int tab;
        const char* box;
        const char* prefix;
    } tabs[] = {{Pension, "PGInCurrBalance", "PG"},   {Mortgage, "MTInPrincipal", "MT"},
                {Invested, "IGInBegBal", "IG"},       {Retired, "RIInCurrValue", "RI"},
                {Compound, "CGInCostofInvest", "CG"}, {Capital, "CRInCapitalReq", "CR"}};
    const struct {
        const char* suffix; // of the tab's buttons; a whole name for the window's buttons
        Qt::Key key;
        bool ofTab;
    } buttons[] = {{"Calculate", Qt::Key_C, true}, {"Print", Qt::Key_P, true},
                   {"Help", Qt::Key_H, true},      {"ClearResults", Qt::Key_R, false},
                   {"HowToUse", Qt::Key_U, false}, {"AllGraphs", Qt::Key_G, false}};
    for (const auto& t : tabs) {
        if (!window->buildFrameOf(QLatin1String(t.box))) {
            ADD_FAILURE() << "no box " << t.box;
            continue;
        }
        for (const auto& b : buttons) {
            const QByteArray name =
                b.ofTab ? QByteArray(t.prefix) + b.suffix : QByteArray(b.suffix);
            same(t.tab, t.box, QStringLiteral("7"), name.constData(), b.key);
        }
    }
}

TEST_F(CommandKeys, ExitKeyLeavesTheBoxThenCloses) {
    QPointer<QMInvest> guard(window);
    QWidget* years = get("IGInYearsInvested");
    focus(years);
    type(years, QStringLiteral("55"));
    const QStringList shown = runAnsweringModals(
        [&] {
            QTest::keyClick(years, Qt::Key_X, Qt::AltModifier);
            QTest::qWait(250);
        },
        [](QWidget* dialog) { pressButton(dialog, QStringLiteral("AMsgExit")); });
    EXPECT_EQ(shown, QStringList{MessageText(5)});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "the window closed";
    window = guard.data();
}

TEST_F(CommandKeys, CloseBoxLeavesTheBoxFirst) {
    QPointer<QMInvest> guard(window);
    QWidget* years = get("IGInYearsInvested");
    focus(years);
    type(years, QStringLiteral("55"));
    const QStringList shown = runAnsweringModals(
        [&] { window->close(); }, // the close box
        [](QWidget* dialog) { pressButton(dialog, QStringLiteral("AMsgExit")); });
    EXPECT_EQ(shown, QStringList{MessageText(5)});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(guard.isNull()) << "the window closed";
    window = guard.data();
}

TEST_F(CommandKeys, EnterOnTheCalculateButtonAtTheEndOfTheEnterWalk) {
    selectTab(Compound);
    QWidget* cost = get("CGInCostofInvest");
    focus(cost);
    type(cost, QStringLiteral("50000"));
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(window->focusWidget(), Qt::Key_Return);
    ASSERT_EQ(window->focusWidget(), get("CGCalculate"));
    EXPECT_EQ(text("Results"), QString()) << "Enter in the boxes never calculates";
    EXPECT_EQ(answering([&] { QTest::keyClick(get("CGCalculate"), Qt::Key_Return); }),
              QStringList());
    EXPECT_TRUE(get<QPlainTextEdit>("Results")->toPlainText().contains("50,000.00"));
}

// F1 and Ctrl+P do what the shown tab's Help and Print buttons do, the box left first.
TEST_F(CommandKeys, HelpAndPrintKeysPressTheTabsButtons) {
    const struct {
        int tab;
        const char* box;
        const char* button;
        QKeyCombination key;
    } cases[] = {
        {Compound, "CGInCostofInvest", "CGHelp", Qt::Key_F1},
        {Mortgage, "MTInTerm", "MTHelp", Qt::Key_F1},
        {Invested, "IGInYearsInvested", "IGHelp", Qt::Key_F1},
        {Compound, "CGInCostofInvest", "CGPrint", Qt::CTRL | Qt::Key_P},
        {Invested, "IGInYearsInvested", "IGPrint", Qt::CTRL | Qt::Key_P},
    };
    for (const auto& c : cases) {
        Outcome results[2];
        for (int byKey = 0; byKey < 2; ++byKey) {
            selectTab(c.tab == Pension ? Mortgage : Pension);
            selectTab(c.tab);
            QWidget* box = get(c.box);
            focus(box);
            type(box, QStringLiteral("55"));
            results[byKey].messages = answering([&] {
                if (byKey)
                    QTest::keyClick(box, c.key.key(), c.key.keyboardModifiers());
                else
                    QTest::mouseClick(get(c.button), Qt::LeftButton);
            });
            results[byKey].page = get<QPlainTextEdit>("Results")->toPlainText();
            results[byKey].shown = text(c.box);
        }
        EXPECT_EQ(results[1], results[0]) << c.button;
        EXPECT_EQ(window->focusWidget(), get(c.button)) << c.button;
    }
}

// Text an input method commits goes through the box's filter character by character.
TEST_F(CommandKeys, InputMethodTextIsFiltered) {
    const struct {
        int tab;
        const char* box;
        const char* commit;
        const char* shown;
    } cases[] = {
        {Compound, "CGInNumOfYrs", "-7x", "7"},
        {Compound, "CGInCostofInvest", "-1a2.555", "12.55"},
        {Compound, "CGInNameOfInvest", "Fund \xc3\xa9t\xc3\xa9", "Fund \xc3\xa9t\xc3\xa9"},
        {Mortgage, "MTInRate", "7,25%", "725"},
    };
    for (const auto& c : cases) {
        selectTab(c.tab == Pension ? Mortgage : Pension);
        selectTab(c.tab);
        QWidget* box = get(c.box);
        focus(box);
        const QString before = text(c.box);
        QInputMethodEvent composing(QStringLiteral("99"), {});
        QApplication::sendEvent(box, &composing);
        EXPECT_EQ(text(c.box), before) << "text being composed leaves the box as it is";
        QInputMethodEvent commit;
        commit.setCommitString(QString::fromUtf8(c.commit));
        QApplication::sendEvent(box, &commit);
        EXPECT_EQ(text(c.box), QString::fromUtf8(c.shown)) << c.commit;
    }
    // A list takes no text: an input method does not choose an item by it.
    selectTab(Mortgage);
    QWidget* frequency = get("MTFreqPmt");
    focus(frequency);
    const QString chosen = text("MTFreqPmt");
    for (const char* typed : {"M", "W", "Q", "B", "S"}) {
        QInputMethodEvent commit;
        commit.setCommitString(QLatin1String(typed));
        QApplication::sendEvent(frequency, &commit);
        EXPECT_EQ(text("MTFreqPmt"), chosen) << typed;
    }
    // The filtered years are what is stored: the doubling of compound gain is over 7 years.
    selectTab(Pension);
    selectTab(Compound);
    QWidget* years = get("CGInNumOfYrs");
    focus(years);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("-7abc"));
    QApplication::sendEvent(years, &commit);
    EXPECT_EQ(leaveTo(get("CGCalculate")), QStringList());
    EXPECT_EQ(text("CGInNumOfYrs").trimmed(), "7");
    EXPECT_EQ(answering([&] { QTest::keyClick(get("CGCalculate"), Qt::Key_Return); }),
              QStringList());
}

TEST(StartMenuKeys, EnterOnAFocusedButtonOpensItsWindow) {
    QMStart menu;
    menu.show();
    menu.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));
    auto* calc = child<QPushButton>(&menu, QStringLiteral("StartCalc"));
    calc->setFocus(Qt::TabFocusReason);
    QTest::keyClick(calc, Qt::Key_Return);
    EXPECT_NE(qobject_cast<QMInvest*>(menu.workWindow()), nullptr);
}

// Each dialog of the program: Enter on its focused button presses it, and its access keys
// work from its box.
TEST(DialogKeys, EnterOnAFocusedButtonAndAccessKeysPressIt) {
    const auto keyClick = [](QWidget* dialog, const char* focusName, Qt::Key key,
                             Qt::KeyboardModifiers mods = Qt::NoModifier) {
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
        QWidget* to = child<QWidget>(dialog, QString::fromLatin1(focusName));
        to->setFocus(Qt::TabFocusReason);
        QTest::keyClick(to, key, mods);
        QTest::qWait(250);
    };
    {
        SCOPED_TRACE("message: Enter on E&xit");
        bool closed = false;
        runAnsweringModals(
            [&] {
                ShowMessage(25);
                closed = true;
            },
            [&](QWidget* d) { keyClick(d, "AMsgExit", Qt::Key_Return); });
        EXPECT_TRUE(closed);
    }
    for (const auto& c : {std::pair{"AllYes", true}, std::pair{"AllNo", false}}) {
        SCOPED_TRACE(c.first);
        bool yes = !c.second;
        runAnsweringModals([&] { yes = AskQuestion(3, QStringLiteral("DATA.QMD")); },
                           [&](QWidget* d) { keyClick(d, c.first, Qt::Key_Return); });
        EXPECT_EQ(yes, c.second);
    }
    {
        SCOPED_TRACE("fund name: Enter in the box, then Enter on the button");
        const QString answer = [&] {
            QString out;
            runAnsweringModals(
                [&] { out = AskLine(QStringLiteral("&Add Fund Name"), QStringLiteral(" p")); },
                [&](QWidget* d) {
                    QWidget* box = child<QWidget>(d, QStringLiteral("InFName"));
                    QTest::keyClicks(box, QStringLiteral("Growth"));
                    QTest::keyClick(box, Qt::Key_Return);
                    QTest::keyClick(d->focusWidget(), Qt::Key_Return);
                });
            return out;
        }();
        EXPECT_EQ(answer, "Growth");
    }
    {
        SCOPED_TRACE("fund name: the access key from the box");
        runAnsweringModals([&] { AskLine(QStringLiteral("&Add Fund Name"), QStringLiteral(" p")); },
                           [&](QWidget* d) {
                               QWidget* box = child<QWidget>(d, QStringLiteral("InFName"));
                               QTest::keyClicks(box, QStringLiteral("Bonds"));
                               keyClick(d, "InFName", Qt::Key_A, Qt::AltModifier);
                           });
        EXPECT_EQ(dialogState().lineInputText, "Bonds");
    }
    for (const auto& c :
         {std::tuple{"Accept", Qt::Key_O, "12"}, std::tuple{"NoAccept", Qt::Key_C, ""}}) {
        SCOPED_TRACE(std::get<0>(c));
        dialogState().correctMode = 1;
        QString viaEnter, viaKey;
        for (int byKey = 0; byKey < 2; ++byKey) {
            QString& out = byKey ? viaKey : viaEnter;
            runAnsweringModals([&] { out = AskRecordNumber(1); },
                               [&](QWidget* d) {
                                   QWidget* box = child<QWidget>(d, QStringLiteral("CurVal"));
                                   QTest::keyClicks(box, QStringLiteral("1x2"));
                                   if (byKey)
                                       keyClick(d, "CurVal", std::get<1>(c), Qt::AltModifier);
                                   else
                                       keyClick(d, std::get<0>(c), Qt::Key_Return);
                               });
        }
        EXPECT_EQ(viaEnter, std::get<2>(c));
        EXPECT_EQ(viaKey, std::get<2>(c));
    }
}

} // namespace
