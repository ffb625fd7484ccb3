// The start menu and the dialogs as they look and read: the icon, the buttons that act, messages
// that show whole, and the names screen readers give the boxes.

#include "core/text/Messages.h"
#include "gui/app/QMStart.h"
#include "gui/common/AppState.h"
#include "gui/common/Dialogs.h"
#include "support/UiHelpers.h"

#include <QAccessible>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResource>
#include <QScrollBar>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

QString focused(QWidget* window) {
    return window->focusWidget() ? window->focusWidget()->objectName() : QString();
}

TEST(StartMenu, IconNameAndTheButtonsInOrder) {
    QMStart menu;
    menu.show();
    menu.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&menu));

    EXPECT_FALSE(ProgramIcon().isNull());
    // The windows get the icon right after the menu's first frame.
    EXPECT_TRUE(QTest::qWaitFor([] { return !QApplication::windowIcon().isNull(); }));
    EXPECT_FALSE(menu.windowIcon().isNull());
    EXPECT_FALSE(QApplication::windowIcon().isNull()) << "every window carries the icon";
    const QLabel* logo = child<QLabel>(&menu, QStringLiteral("StartIcon"));
    ASSERT_NE(logo, nullptr);
    EXPECT_FALSE(logo->pixmap().isNull());
    EXPECT_EQ(child<QLabel>(&menu, QStringLiteral("StartName"))->text(), "Quillmark");

    // Only the four buttons act, and Tab goes round them top to bottom.
    QStringList focusable;
    for (QWidget* w : menu.findChildren<QWidget*>()) {
        if (w->focusPolicy() & Qt::TabFocus)
            focusable << w->objectName();
    }
    EXPECT_EQ(focusable,
              QStringList({"StartCalc", "StartStockMgmt", "StartSettings", "StartExit"}));
    const struct {
        const char* name;
        const char* caption;
        const char* spoken;
    } buttons[] = {{"StartCalc", "Calculations", "Calculations"},
                   {"StartStockMgmt", "Investment manager", "Investment manager"},
                   {"StartSettings", "&Settings...", "Settings..."},
                   {"StartExit", "Exit program", "Exit program"}};
    child<QWidget>(&menu, QStringLiteral("StartExit"))->setFocus(Qt::TabFocusReason);
    for (const auto& b : buttons) {
        QTest::keyClick(menu.focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(focused(&menu), QLatin1String(b.name));
        auto* button = child<QPushButton>(&menu, QLatin1String(b.name));
        EXPECT_EQ(button->text(), QLatin1String(b.caption));
        EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
                  QLatin1String(b.spoken));
    }
}

// The icon is drawn at whatever size is asked for, sharp and whole, and each size once; a work
// window opened before the menu has shown a frame carries it too.
TEST(StartMenu, IconDrawnAtTheSizeAskedForOnce) {
    const QIcon icon = ProgramIcon();
    for (const int edge : {16, 22, 32, 48, 96, 256}) {
        const QPixmap drawn = icon.pixmap(QSize(edge, edge), 1.0);
        ASSERT_EQ(drawn.size(), QSize(edge, edge)) << edge;
        const QImage image = drawn.toImage();
        EXPECT_EQ(image.pixelColor(edge / 2, edge / 2).alpha(), 255) << "the page, " << edge;
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << "the rounded corner, " << edge;
        EXPECT_EQ(icon.pixmap(QSize(edge, edge), 1.0).cacheKey(), drawn.cacheKey())
            << "drawn again at " << edge;
        EXPECT_EQ(QIcon(icon).pixmap(QSize(edge, edge), 1.0).cacheKey(), drawn.cacheKey())
            << "a copy draws again at " << edge;
    }

    QApplication::setWindowIcon(QIcon());
    QMStart menu;
    menu.StartCalc_Click();
    ASSERT_NE(menu.workWindow(), nullptr);
    EXPECT_FALSE(QApplication::windowIcon().isNull());
    EXPECT_FALSE(menu.workWindow()->windowIcon().isNull());
}

// The sizes drawn ahead by the build (the menu's logo, the window icon's edges) are the very
// pixels the drawing gives at that size: a stale or misread file shows at once.
TEST(StartMenu, IconDrawnAheadIsTheDrawingItself) {
    for (const int edge : {16, 32, 64, 96, 128, 192}) {
        QImageReader reader(QStringLiteral(":/quillmark.svg"), "svg");
        reader.setScaledSize(QSize(edge, edge));
        const QImage drawn = reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        ASSERT_EQ(drawn.size(), QSize(edge, edge)) << reader.errorString().toStdString();
        const QImage shown = ProgramIcon()
                                 .pixmap(QSize(edge, edge), 1.0)
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        EXPECT_EQ(shown, drawn) << edge;
        EXPECT_TRUE(QResource(QStringLiteral(":/quillmark-%1.argb").arg(edge)).isValid()) << edge;
    }
}

// Every message wraps at the dialog's width and shows whole: no scroll bar, the last line
// inside the box; a message that fits one line gets a box one line high.
TEST(Dialogs, MessagesShowWholeWithoutScrolling) {
    int shownMessages = 0;
    for (int code = 1; code <= 60; ++code) {
        const QString text = MessageText(code);
        if (text.isEmpty())
            continue;
        ++shownMessages;
        runAnsweringModals(
            [code] { ShowMessage(code); },
            [&](QWidget* dialog) {
                auto* box = child<QPlainTextEdit>(dialog, QStringLiteral("TextMsg"));
                QTextCursor end = box->textCursor();
                end.movePosition(QTextCursor::End);
                EXPECT_LE(box->cursorRect(end).bottom(), box->viewport()->height()) << code;
                EXPECT_EQ(box->verticalScrollBar()->maximum(), 0) << code;
                EXPECT_FALSE(box->verticalScrollBar()->isVisible()) << code;
                EXPECT_FALSE(box->horizontalScrollBar()->isVisible()) << code;
                const QFontMetrics metrics(box->font());
                if (metrics.horizontalAdvance(text) < box->viewport()->width() - 10) {
                    EXPECT_LT(box->height(), 2 * metrics.lineSpacing()) << code;
                }
                // A screen reader meets it as an alert and reads its text as it opens.
                QAccessibleInterface* read = QAccessible::queryAccessibleInterface(dialog);
                EXPECT_EQ(read->role(), QAccessible::AlertMessage) << code;
                EXPECT_EQ(read->text(QAccessible::Description), text) << code;
                pressButton(dialog, QStringLiteral("AMsgExit"));
            });
    }
    EXPECT_GE(shownMessages, 20);
}

// The input boxes of the dialogs are named after their prompts.
TEST(Dialogs, InputBoxesAreNamedAfterTheirPrompts) {
    QString named;
    runAnsweringModals(
        [] {
            AskLine(QStringLiteral("&Add Fund Name"),
                    QStringLiteral(" Type in the name of the fund or") +
                        QString(15, QLatin1Char(' ')) + QStringLiteral("company."));
        },
        [&](QWidget* d) {
            named = child<QLineEdit>(d, QStringLiteral("InFName"))->accessibleName();
            pressButton(d, QStringLiteral("NAcept"));
        });
    EXPECT_EQ(named, QStringLiteral("Type in the name of the fund or") +
                         QString(15, QLatin1Char(' ')) + QStringLiteral("company."));
    for (const auto& [mode, prompt] :
         {std::pair{1, "Correct record number:"}, std::pair{0, "Delete record number:"}}) {
        runAnsweringModals([mode = mode] { AskRecordNumber(mode); },
                           [&](QWidget* d) {
                               named =
                                   child<QLineEdit>(d, QStringLiteral("CurVal"))->accessibleName();
                               pressButton(d, QStringLiteral("NoAccept"));
                           });
        EXPECT_EQ(named, QLatin1String(prompt));
    }
}

} // namespace
