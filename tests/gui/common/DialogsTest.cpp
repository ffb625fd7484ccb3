#include "gui/common/Dialogs.h"
#include "gui/common/Geometry.h"
#include "gui/common/WorkWindowBase.h"
#include "support/UiHelpers.h"

#include <QAccessible>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

TEST(Dialogs, MessageShowsItsTextAndCloses) {
    const QStringList shown = runAnsweringModals([] { ShowMessage(25); },
                                                 [](QWidget* d) {
                                                     EXPECT_EQ(d->objectName(), "AMsgbox");
                                                     EXPECT_EQ(d->windowTitle(), "Help");
                                                     pressButton(d, QStringLiteral("AMsgExit"));
                                                 });
    EXPECT_EQ(shown, QStringList{QStringLiteral("Bad filename, must be in the form MYFILE.QMD")});
    EXPECT_EQ(dialogState().messageCode, 25);
}

TEST(Dialogs, QuestionAnswers) {
    struct Case {
        const char* button;
        bool yes;
        int choiceCode;
    };
    for (const Case& c : {Case{"AllYes", true, 6}, Case{"AllNo", false, 0}}) {
        bool answer = !c.yes;
        QString read;
        const QStringList shown =
            runAnsweringModals([&] { answer = AskQuestion(3, QStringLiteral("DATA.QMD")); },
                               [&](QWidget* d) {
                                   // A screen reader meets an alert that reads its question.
                                   QAccessibleInterface* alert =
                                       QAccessible::queryAccessibleInterface(d);
                                   EXPECT_EQ(alert->role(), QAccessible::AlertMessage);
                                   read = alert->text(QAccessible::Description);
                                   pressButton(d, QString::fromLatin1(c.button));
                               });
        EXPECT_EQ(answer, c.yes);
        EXPECT_EQ(dialogState().choiceCode, c.choiceCode);
        ASSERT_EQ(shown.size(), 1);
        EXPECT_TRUE(shown.front().startsWith("File changed. DATA.QMD file in memory"));
        EXPECT_EQ(read, shown.front());
    }
    // Closed without an answer: the question number stays, which means No.
    bool answer = true;
    runAnsweringModals([&] { answer = AskQuestion(5); }, [](QWidget* d) { d->close(); });
    EXPECT_FALSE(answer);
    EXPECT_EQ(dialogState().choiceCode, 5);
}

TEST(Dialogs, OneLineInputRefusesTheDoubleQuote) {
    runAnsweringModals([] { AskLine(QStringLiteral("&Add Fund Name"), QStringLiteral(" prompt")); },
                       [](QWidget* d) {
                           auto* box = child<QLineEdit>(d, QStringLiteral("InFName"));
                           QTest::keyClicks(box, QStringLiteral("A \"B\", C"));
                           EXPECT_EQ(box->text(), "A B, C");
                           // One Enter accepts, as the accepting button does.
                           QTest::keyClick(box, Qt::Key_Return);
                       });
    EXPECT_EQ(dialogState().lineInputText, "A B, C");
    runAnsweringModals([] { AskLine(QStringLiteral("&Add Fund Name"), QString()); },
                       [](QWidget* d) { pressButton(d, QStringLiteral("NAcept")); });
    EXPECT_EQ(dialogState().lineInputText, "1");
}

TEST(Dialogs, RecordNumberFiltersByMode) {
    struct Case {
        int mode;
        const char* prompt;
        const char* typed;
        const char* kept;
    };
    for (const Case& c : {Case{1, "Correct record number: ", "1.2a3", "123"},
                          Case{0, "Delete record number: ", "1.2a3", "1.23"}}) {
        // Accepted by "&OK" or by one Enter in the box.
        for (const bool byEnter : {false, true}) {
            SCOPED_TRACE(byEnter ? "Enter" : "OK");
            QString prompt;
            QString result;
            runAnsweringModals([&] { result = AskRecordNumber(c.mode); },
                               [&](QWidget* d) {
                                   prompt = dialogText(d);
                                   auto* box = child<QLineEdit>(d, QStringLiteral("CurVal"));
                                   QTest::keyClicks(box, QString::fromLatin1(c.typed));
                                   if (byEnter)
                                       QTest::keyClick(box, Qt::Key_Return);
                                   else
                                       pressButton(d, QStringLiteral("Accept"));
                               });
            EXPECT_EQ(prompt, QString::fromLatin1(c.prompt));
            EXPECT_EQ(result, QString::fromLatin1(c.kept));
        }
    }
    // Cancel and the close box leave no number.
    for (auto close : {+[](QWidget* d) { pressButton(d, QStringLiteral("NoAccept")); },
                       +[](QWidget* d) { d->close(); }}) {
        dialogState().dialogText = QStringLiteral("stale");
        runAnsweringModals([] { AskRecordNumber(1); }, close);
        EXPECT_EQ(dialogState().dialogText, "");
    }
}

TEST(Dialogs, PlaceThemselvesFromTheWorkWindow) {
    QWidget window;
    window.move(100, 100);
    window.resize(400, 300);
    window.show();
    SetCurrentWorkWindow(&window);
    const QPoint origin = window.frameGeometry().topLeft();
    struct Case {
        WorkWindow active;
        int dx, dy;
    };
    for (const Case& c :
         {Case{WorkWindow::Calculator, 5550, 2500}, Case{WorkWindow::Manager, 3550, 3400}}) {
        SetActiveWorkWindow(c.active);
        QPoint where;
        runAnsweringModals([] { ShowMessage(1); },
                           [&](QWidget* d) {
                               where = d->pos();
                               d->close();
                           });
        EXPECT_EQ(where, origin + QPoint(TwipsToPixelsX(c.dx), TwipsToPixelsY(c.dy)));
    }
    SetCurrentWorkWindow(nullptr);
    SetActiveWorkWindow(WorkWindow::None);
}

} // namespace
