#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/common/AppState.h"
#include "gui/common/Geometry.h"
#include "gui/common/WorkWindowBase.h"
#include "gui/manager/QMManagement.h"
#include "support/UiHelpers.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

// What a user and the rest of the program see of an opened work window: its size, every named
// control's text, state and whether it shows, the focus, the screen model, and which window is
// current.
QStringList Snapshot(WorkWindowBase* window) {
    QStringList seen;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->objectName().isEmpty())
            continue;
        QString text;
        if (auto* box = qobject_cast<QLineEdit*>(w))
            text = box->text();
        else if (auto* list = qobject_cast<QComboBox*>(w))
            text = QString::number(list->count()) + u'/' + list->currentText();
        else if (auto* label = qobject_cast<QLabel*>(w))
            text = label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            text = button->text() + (button->isChecked() ? QStringLiteral("*") : QString());
        else if (auto* page = qobject_cast<QPlainTextEdit*>(w))
            text = page->toPlainText();
        else if (auto* tabs = qobject_cast<QTabBar*>(w))
            text = QString::number(tabs->currentIndex());
        seen << QStringLiteral("%1 %2 [%3] %4")
                    .arg(w->objectName(), QLatin1String(w->metaObject()->className()), text)
                    .arg(w->isVisibleTo(window));
    }
    seen.sort();
    seen << QStringLiteral("size %1x%2").arg(window->width()).arg(window->height());
    seen << QStringLiteral("focus %1")
                .arg(window->focusWidget() ? window->focusWidget()->objectName() : QString());
    seen << QStringLiteral("current %1 %2")
                .arg(CurrentWorkWindow() == window)
                .arg(static_cast<int>(ActiveWorkWindow()));
    if (auto* calc = qobject_cast<QMInvest*>(window)) {
        const CalcState& s = calc->state();
        seen << QStringLiteral("calc %1 %2 %3 %4")
                    .arg(s.currencySymbol)
                    .arg(s.visibleTab)
                    .arg(s.resultsPage)
                    .arg(s.calcChoice);
        for (const Currency& value : s.inputValues)
            seen << QString::number(value.raw());
    } else if (auto* manager = qobject_cast<QMManagement*>(window)) {
        const ManagerScreen& s = manager->screen();
        seen << QStringLiteral("manager %1 %2 %3 %4 %5")
                    .arg(s.currencySymbol, s.helpPage, s.resultsPage, s.todayText)
                    .arg(s.activeFund);
    }
    return seen;
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

// Whether `window` made ahead is out of every user's and the program's sight.
void ExpectUnseen(WorkWindowBase* window) {
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    // No native window: it is in no window list and not in the accessibility tree.
    EXPECT_EQ(window->windowHandle(), nullptr);
    EXPECT_NE(CurrentWorkWindow(), window);
    EXPECT_FALSE(window->isAncestorOf(QApplication::focusWidget()));
}

struct Kind {
    const char* button;
    bool calculator;
};
constexpr Kind Calculator{"StartCalc", true};
constexpr Kind Manager{"StartStockMgmt", false};

class ReadyWindows : public ::testing::Test {
protected:
    void SetUp() override {
        app().currencySymbol = QStringLiteral("$");
        menu = new QMStart;
    }
    void TearDown() override {
        delete menu.data();
        settle();
    }
    // Shows the menu and lets its idle passes make both kinds ahead and draw them once.
    void showAndWaitForReadyWindows() {
        menu->show();
        EXPECT_TRUE(QTest::qWaitFor(
            [this] {
                return menu->readyCalculator() && menu->readyManager() && menu->readyWindowsDrawn();
            },
            10000));
    }
    WorkWindowBase* ready(const Kind& kind) const {
        return kind.calculator ? menu->readyCalculator() : menu->readyManager();
    }
    WorkWindowBase* open(const Kind& kind) {
        QTest::mouseClick(child<QPushButton>(menu, QLatin1String(kind.button)), Qt::LeftButton);
        return menu->workWindow();
    }
    QPointer<QMStart> menu;
};

// The window a click opens is a fresh window whether it was made ahead or at the click: the
// load step (here with the currency symbol changed after the windows were made) runs at the
// click.
TEST_F(ReadyWindows, OpenedWindowIsAsFreshWhetherMadeAheadOrAtTheClick) {
    for (const Kind& kind : {Calculator, Manager}) {
        SCOPED_TRACE(kind.button);
        // Made at the click: clicked before the menu has had an idle pass.
        menu->show();
        app().currencySymbol = QStringLiteral("EUR");
        WorkWindowBase* atClick = open(kind);
        ASSERT_NE(atClick, nullptr);
        EXPECT_TRUE(atClick->isVisible());
        EXPECT_FALSE(menu->isVisible());
        const QStringList fresh = Snapshot(atClick);
        EXPECT_TRUE(fresh.contains(QStringLiteral("current 1 %1").arg(kind.calculator ? 1 : 2)));
        menu->StartExit_Click();
        settle();
        delete menu.data();
        app().currencySymbol = QStringLiteral("$");

        // Made ahead, opened after the symbol changed.
        menu = new QMStart;
        showAndWaitForReadyWindows();
        QPointer<WorkWindowBase> madeAhead = ready(kind);
        ExpectUnseen(madeAhead);
        app().currencySymbol = QStringLiteral("EUR");
        EXPECT_EQ(open(kind), madeAhead.data());
        EXPECT_EQ(ready(kind), nullptr);
        EXPECT_TRUE(madeAhead->isVisible());
        EXPECT_EQ(Snapshot(madeAhead), fresh);
        menu->StartExit_Click();
        settle();
        delete menu.data();
        menu = new QMStart;
    }
}

// Opening one kind destroys the ready window of the other; nothing made ahead is shown or
// current, and none survives "Exit program" or the menu's close; leaving the work window makes
// its kind ahead again.
TEST_F(ReadyWindows, OpeningOneKindDestroysTheOtherAndNothingSurvivesTheEnd) {
    for (const Kind& kind : {Calculator, Manager}) {
        for (const bool byExit : {true, false}) {
            SCOPED_TRACE(QStringLiteral("%1 %2").arg(kind.button).arg(byExit).toStdString());
            showAndWaitForReadyWindows();
            const Kind& other = kind.calculator ? Manager : Calculator;
            QPointer<WorkWindowBase> otherReady = ready(other);
            QPointer<WorkWindowBase> window = open(kind);
            ASSERT_TRUE(window);
            ASSERT_TRUE(otherReady) << "kept until the first frame";
            EXPECT_FALSE(otherReady->isVisible());
            // The other kind made ahead is destroyed after it.
            EXPECT_TRUE(QTest::qWaitFor([&] { return !otherReady; }));
            EXPECT_EQ(ready(other), nullptr) << "nothing made while the work window is open";
            EXPECT_EQ(ready(kind), nullptr);
            EXPECT_EQ(CurrentWorkWindow(), window.data());

            // Back at the menu: both kinds are made ahead again, unseen.
            window->close();
            settle();
            EXPECT_FALSE(window);
            EXPECT_TRUE(QTest::qWaitFor(
                [this] { return menu->readyCalculator() && menu->readyManager(); }, 10000));
            ExpectUnseen(menu->readyCalculator());
            ExpectUnseen(menu->readyManager());
            EXPECT_EQ(ActiveWorkWindow(), WorkWindow::None);
            EXPECT_EQ(CurrentWorkWindow(), nullptr);

            QPointer<WorkWindowBase> calc = menu->readyCalculator();
            QPointer<WorkWindowBase> manager = menu->readyManager();
            if (byExit)
                QTest::mouseClick(child<QPushButton>(menu, "StartExit"), Qt::LeftButton);
            else
                menu->close();
            EXPECT_FALSE(calc);
            EXPECT_FALSE(manager);
            for (QWidget* w : QApplication::topLevelWidgets())
                EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
            settle();
            delete menu.data();
            menu = new QMStart;
        }
    }
}

} // namespace
