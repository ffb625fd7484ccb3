#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/common/AppState.h"
#include "gui/common/Geometry.h"
#include "gui/common/WorkWindowBase.h"
#include "gui/manager/QMManagement.h"
#include "support/UiHelpers.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

void click(QWidget* root, const char* name) {
    child<QPushButton>(root, QString::fromLatin1(name))->click();
}

// Lets a window closed with deferred deletion go.
void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

QString boxText(QWidget* window, const char* name) {
    return child<QLineEdit>(window, QString::fromLatin1(name))->text();
}

class Navigation : public ::testing::Test {
protected:
    void SetUp() override {
        app().currencySymbol = QStringLiteral("$");
        menu.show();
    }
    QMStart menu;
};

// Every box of every tab shows its default, in its display form, when its tab opens.
TEST_F(Navigation, CalculationsOpensOnInvestedGrowthWithEveryDefault) {
    click(&menu, "StartCalc");
    auto* window = qobject_cast<QMInvest*>(menu.workWindow());
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(menu.isVisible());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Calculations");
    EXPECT_EQ(ActiveWorkWindow(), WorkWindow::Calculator);
    EXPECT_EQ(CurrentWorkWindow(), window);
    EXPECT_EQ(child<QTabBar>(window, "SSTab1")->currentIndex(), InvestedGrowthTab);
    EXPECT_TRUE(child<QWidget>(window, "FrameAll(2)")->isVisible());

    const struct {
        int tab;
        std::vector<std::pair<const char*, const char16_t*>> boxes;
    } defaults[] = {
        {2,
         {{"IGInBegBal", u"         $.00"},
          {"IGInEachContrib", u"    $1,000.00"},
          {"IGInMonthsYrs", u"Annually"},
          {"IGInIntGrowthRate", u"15.00%"},
          {"IGInAnnContribRate", u"  .00%"},
          {"IGInAnninFlatRate", u"  .00%"},
          {"IGInYearsInvested", u"25"}}},
        {0,
         {{"PGInCurrBalance", u"         $.00"},
          {"PGInCurrAnnSalary", u"   $40,000.00"},
          {"PGInAnnContribRate", u"  4.00%"},
          {"PGInCompAnnContribRate", u"  4.00%"},
          {"PGInEstSalIncrease", u"  4.00%"},
          {"PGInAnnIntGrowthRate", u" 10.00%"},
          {"PGInEstAnnFlatRate", u"   .00%"},
          {"PGInNumYearsToRetire", u" 25"}}},
        {1,
         {{"MTInPrincipal", u"  $100,000.00"},
          {"MTInRate", u" 6.500%"},
          {"MTInTerm", u"   25"},
          {"MTCompPeriod", u"Monthly"},
          {"MTFreqPmt", u"Monthly"}}},
        {3,
         {{"RIInCurrValue", u"  $500,000.00"},
          {"RIInAnnIntGrowthRate", u" 10.00%"},
          {"RIInAnnIncWDrawnRate", u"  8.00%"},
          {"RIInTimeInYrs", u"    20"},
          {"Label32", u"Annual income withdrawn as a (%)"},
          {"Label33", u"Time in years"}}},
        {4,
         {{"CGInCostofInvest", u"   $10,000.00"},
          {"CGInValueNow", u"   $20,000.00"},
          {"CGInNumOfYrs", u"  5"},
          {"CGInNameOfInvest", u"XYZ Mutual Fund"}}},
        {5,
         {{"CRInCapitalReq", u"  $100,000.00"},
          {"CRInIntGrowthRate", u" 15.00%"},
          {"CRInTimeInYrs", u" 25"},
          {"Label26", u"Amount of capital required $"}}},
    };
    for (const auto& tab : defaults) {
        child<QTabBar>(window, "SSTab1")->setCurrentIndex(tab.tab);
        for (const auto& [name, text] : tab.boxes)
            EXPECT_EQ(window->controlText(QString::fromLatin1(name)), QString::fromUtf16(text))
                << name;
    }
    EXPECT_TRUE(window->isSelected(QStringLiteral("RIWDrawalChoice(0)")));
    EXPECT_TRUE(window->isSelected(QStringLiteral("CRCapitalChoices(0)")));
    EXPECT_TRUE(window->isSelected(QStringLiteral("MTPaymentOpt")));
    EXPECT_EQ(window->daysOption(), 6);
    const auto& values = window->state().inputValues;
    EXPECT_EQ(values[1], Currency::fromUnits(100000));
    EXPECT_EQ(values[2], Currency::fromUnits(15));
    EXPECT_EQ(values[3], Currency::fromUnits(25));
}

// Leaving the calculator (its button or its close box) destroys it and shows the menu; the
// next opening starts afresh.
TEST_F(Navigation, LeavingTheCalculatorReturnsToTheMenu) {
    for (const bool byButton : {true, false}) {
        click(&menu, "StartCalc");
        QPointer<QMInvest> window = qobject_cast<QMInvest*>(menu.workWindow());
        ASSERT_TRUE(window);
        child<QTabBar>(window, "SSTab1")->setCurrentIndex(CompoundGainTab);
        child<QLineEdit>(window, "CGInCostofInvest")->setText(QStringLiteral("typed"));
        window->state().resultsPage = window->state().results = QStringLiteral("old\r\n");
        window->syncResults();

        if (byButton)
            click(window, "ExitProgram");
        else
            window->close();
        settle();
        EXPECT_FALSE(window) << "the calculator is destroyed";
        EXPECT_TRUE(menu.isVisible());
        EXPECT_EQ(ActiveWorkWindow(), WorkWindow::None);
        EXPECT_EQ(CurrentWorkWindow(), nullptr);

        click(&menu, "StartCalc");
        window = qobject_cast<QMInvest*>(menu.workWindow());
        ASSERT_TRUE(window);
        EXPECT_EQ(child<QTabBar>(window, "SSTab1")->currentIndex(), InvestedGrowthTab);
        EXPECT_EQ(boxText(window, "IGInEachContrib"), "    $1,000.00");
        EXPECT_TRUE(window->state().resultsPage.isEmpty());
        EXPECT_TRUE(child<QPlainTextEdit>(window, "Results")->toPlainText().isEmpty());
        click(window, "ExitProgram");
        settle();
    }
}

TEST_F(Navigation, ManagerOpensAndLeaves) {
    click(&menu, "StartStockMgmt");
    QPointer<QWidget> manager = menu.workWindow();
    ASSERT_TRUE(qobject_cast<QMManagement*>(manager.data()));
    EXPECT_EQ(manager->windowTitle(), "Investment manager");
    EXPECT_EQ(ActiveWorkWindow(), WorkWindow::Manager);
    EXPECT_FALSE(menu.isVisible());
    click(manager, "EExit");
    settle();
    EXPECT_FALSE(manager);
    EXPECT_TRUE(menu.isVisible());
    EXPECT_EQ(ActiveWorkWindow(), WorkWindow::None);
}

// A work window that refuses to close stays open for its button and its close box alike.
TEST_F(Navigation, MayCloseGuardsBothWaysOut) {
    class Guarded : public QMManagement {
    public:
        bool allow = false;

    protected:
        bool mayClose() override { return allow; }
    };
    QPointer<Guarded> window = new Guarded;
    window->show();
    child<QPushButton>(window, "EExit")->click();
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->close());
    settle();
    ASSERT_TRUE(window);
    EXPECT_EQ(ActiveWorkWindow(), WorkWindow::Manager);
    window->allow = true;
    EXPECT_TRUE(window->close());
    settle();
    EXPECT_FALSE(window);
}

// "Exit program" ends at once: the work window goes without being asked.
TEST_F(Navigation, ExitProgramDestroysEverythingWithoutAsking) {
    click(&menu, "StartStockMgmt");
    QPointer<WorkWindowBase> manager = menu.workWindow();
    ASSERT_TRUE(manager);
    menu.StartExit_Click();
    EXPECT_FALSE(manager) << "destroyed at once, not after a close";
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(ActiveWorkWindow(), WorkWindow::None);
}

} // namespace
