// The manager builds its "Current value" frame when it is first needed (or in idle time):
// whichever way it comes, the window behaves as one whose frames were all built when it opened.

#include "gui/common/AppState.h"
#include "gui/manager/QMManagement.h"
#include "support/UiHelpers.h"

#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace qm;
using namespace qmtest;

namespace {

constexpr int CurrentValueTab = 4;

// The Tab order of the window's controls from the tab bar, as the window has always had it.
QStringList expectedChain() {
    QStringList names{
        "EFunds",   "ETransType",  "EInDate",     "EInPrice", "EInNumShrs", "EInComm", "EInCashDiv",
        "EAddaRec", "ECreateFund", "ECorrectRec", "EDelRec",  "EPrint",     "EHelp",   "EExit",
        "EResults", "DDispFunds",  "DDisplall",   "DHelp",    "DPrint",     "DExit",   "DDResults"};
    for (int i = 0; i < 18; ++i)
        names << QStringLiteral("CVInPrice(%1)").arg(i);
    names << "CVCalc"
          << "CVPrint"
          << "CVGraph"
          << "CVHelp"
          << "CVExit"
          << "CVResults";
    return names;
}

// The named controls of `expected` in the order the focus chain passes them, from the tab bar.
QStringList chainOf(QMManagement& window, const QStringList& expected) {
    QStringList names;
    QWidget* start = window.control(QStringLiteral("SSTab2"));
    for (QWidget* w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain()) {
        if (expected.contains(w->objectName()))
            names << w->objectName();
    }
    return names;
}

enum class Way { Idle, Asked, TabChosen };

class ManagerFramesTest : public ::testing::TestWithParam<Way> {
protected:
    void SetUp() override { app().currencySymbol = QStringLiteral("$"); }
};

TEST_P(ManagerFramesTest, ValueFrameAsIfBuiltWhenTheWindowOpened) {
    // The reference: the frame built before the window is shown.
    auto reference = std::make_unique<QMManagement>();
    reference->setBuildingInIdleTime(false);
    ASSERT_NE(reference->valueTab(), nullptr);
    const QSize referenceSize = reference->size();
    // Its layout is in force once it is shown.
    reference->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(reference.get()));
    const QSize referenceMinimum = reference->minimumSizeHint();
    reference.reset();

    QMManagement window;
    window.setBuildingInIdleTime(false);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    ASSERT_FALSE(window.isValueTabBuilt());
    EXPECT_EQ(window.size(), referenceSize);
    const QRect frames = window.findChild<QStackedWidget*>()->geometry();

    switch (GetParam()) {
    case Way::Idle:
        window.setBuildingInIdleTime(true);
        window.update();
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.isValueTabBuilt(); }));
        break;
    case Way::Asked:
        window.valueTab();
        ASSERT_NE(window.control(QStringLiteral("CVInPrice(17)")), nullptr);
        break;
    case Way::TabChosen: {
        // No records yet: the tab says so and goes back to the entry tab.
        auto* tabs = static_cast<QTabBar*>(window.control(QStringLiteral("SSTab2")));
        const QStringList shown =
            runAnsweringModals([&] { tabs->setCurrentIndex(CurrentValueTab); },
                               [](QWidget* dialog) { dialog->close(); });
        EXPECT_EQ(shown.size(), 1);
        EXPECT_EQ(tabs->currentIndex(), 2);
        break;
    }
    }
    ASSERT_TRUE(window.isValueTabBuilt());
    QApplication::processEvents();
    EXPECT_EQ(chainOf(window, expectedChain()), expectedChain());
    EXPECT_EQ(window.size(), referenceSize);
    EXPECT_EQ(window.findChild<QStackedWidget*>()->geometry(), frames);
    // The window cannot be made smaller than with the frame built from the start (once its
    // layout has taken the new frame in).
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.minimumSizeHint() == referenceMinimum; }))
        << window.minimumSizeHint().width() << "x" << window.minimumSizeHint().height();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.minimumSize() == referenceMinimum; }))
        << window.minimumSize().width() << "x" << window.minimumSize().height();
    EXPECT_FALSE(window.control(QStringLiteral("AllFramesIM(4)"))->isVisible());
    EXPECT_TRUE(window.control(QStringLiteral("AllFramesIM(2)"))->isVisible());
}

std::string wayName(const ::testing::TestParamInfo<Way>& info) {
    static const char* const names[] = {"Idle", "Asked", "TabChosen"};
    return names[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(ValueFrame, ManagerFramesTest,
                         ::testing::Values(Way::Idle, Way::Asked, Way::TabChosen), wayName);

} // namespace
