// The calculator window builds the frames of the tabs not shown when they are first needed (or
// in idle time): whichever way and order they come, the window behaves as one whose frames were
// all built when it opened.

#include "gui/calculator/InvestFixture.h"

#include <QStackedWidget>
#include <memory>
#include <vector>

using namespace qm;
using namespace qmtest;

namespace {

constexpr int TabCount = 6;

// A calculator window with every frame built before it is shown: the window as it was when all
// its tabs were built up front.
std::unique_ptr<QMInvest> fullyBuiltWindow() {
    auto built = std::make_unique<QMInvest>();
    built->setBuildingInIdleTime(false);
    // Each tab shown once, as the tested windows' tabs are (an option group's Tab stop is its
    // selected option).
    auto* tabs = static_cast<QTabBar*>(built->control(QStringLiteral("SSTab1")));
    for (int tab : {0, 1, 2, 3, 4, 5, 2})
        tabs->setCurrentIndex(tab);
    return built;
}

// The names of the controls the Tab key can stop at, in the window's focus chain from its tab
// bar (hidden frames included: their controls are passed over while hidden).
QStringList tabChain(QMInvest* window) {
    QStringList names;
    QWidget* start = window->control(QStringLiteral("SSTab1"));
    for (QWidget* w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus)
            names << w->objectName();
    }
    return names;
}

// The calculator window opened with idle-time building off, so each frame but the shown one is
// built only as the test needs it.
class InvestPagesTest : public InvestWindowTest {
protected:
    void SetUp() override {
        app().currencySymbol = QStringLiteral("$");
        SetBeepHook([this] { ++beeps; });
        window = new QMInvest;
        window->setBuildingInIdleTime(false);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    bool allBuilt() const {
        for (int tab = 0; tab < TabCount; ++tab) {
            if (!window->isBuilt(tab))
                return false;
        }
        return true;
    }
};

// How the frames come to be built: by choosing their tabs, by looking a control up, in idle
// time. Each order ends with every frame built.
struct BuildOrder {
    const char* how;
    std::vector<int> tabs;            // selected in this order
    std::vector<const char*> lookups; // then asked for by a control's name, in this order
    bool idle;                        // then the rest in idle time
};

void PrintTo(const BuildOrder& o, std::ostream* os) {
    *os << o.how;
}

const BuildOrder BuildOrders[] = {
    {"Idle", {}, {}, true},
    {"TabsBackwards", {5, 4, 3, 1, 0}, {}, false},
    {"LookupsThenIdle", {}, {"CRCalculate", "PGInCurrBalance"}, true},
    {"Mixed", {3}, {"CGHelp", "Label26", "PGPrint"}, false},
};

class InvestBuildOrderTest : public InvestPagesTest,
                             public ::testing::WithParamInterface<BuildOrder> {
protected:
    void buildAll(const BuildOrder& order) {
        for (int tab : order.tabs)
            selectTab(tab);
        for (const char* name : order.lookups)
            ASSERT_NE(window->buildFrameOf(QLatin1String(name)), nullptr) << name;
        if (order.idle) {
            window->setBuildingInIdleTime(true);
            window->update();
            ASSERT_TRUE(QTest::qWaitFor([&] { return allBuilt(); }));
        }
        ASSERT_TRUE(allBuilt());
        for (int tab : {0, 1, 2, 3, 4, 5, 2})
            selectTab(tab);
        QApplication::processEvents();
    }
};

// The Tab key goes through the tab bar, each tab's controls in the order of the tabs, the page
// and the window's buttons, whatever order the frames were built in.
TEST_P(InvestBuildOrderTest, TabChainAsWithEveryFrameBuilt) {
    const std::unique_ptr<QMInvest> reference = fullyBuiltWindow();
    buildAll(GetParam());
    const QStringList expected = tabChain(reference.get());
    EXPECT_EQ(expected.size(), 62) << expected.join(' ').toStdString();
    EXPECT_EQ(tabChain(window), expected);
}

// The window keeps the size it opened at, and its frames their place, as the other frames are
// built; it is the size the window asks for with every frame built.
TEST_P(InvestBuildOrderTest, SizeAsWithEveryFrameBuilt) {
    const QSize opened = window->size();
    const QRect frames = window->findChild<QStackedWidget*>()->geometry();
    const std::unique_ptr<QMInvest> reference = fullyBuiltWindow();
    EXPECT_EQ(opened, reference->size());
    buildAll(GetParam());
    EXPECT_EQ(window->size(), opened);
    EXPECT_EQ(window->findChild<QStackedWidget*>()->geometry(), frames);
    EXPECT_EQ(window->minimumSizeHint(), reference->minimumSizeHint());
}

// Each tab's access keys reach the controls of the tab shown, never those of another frame
// with the same captions: "&Help" shows the page its own Help button shows.
TEST_P(InvestBuildOrderTest, AccessKeysReachTheShownTab) {
    buildAll(GetParam());
    const char* const helpButtons[] = {"PGHelp", "MTHelp", "IGHelp", "RIHelp", "CGHelp", "CRHelp"};
    for (int tab = 0; tab < TabCount; ++tab) {
        selectTab(tab);
        press(helpButtons[tab]);
        const QString clicked = get<QPlainTextEdit>("Results")->toPlainText();
        window->clearResultsClicked();
        ASSERT_TRUE(get<QPlainTextEdit>("Results")->toPlainText().isEmpty());
        QWidget* focused = window->focusWidget() ? window->focusWidget() : window;
        answering([&] {
            QTest::keyClick(focused, Qt::Key_H, Qt::AltModifier);
            QTest::qWait(250); // the button shows itself pressed before it clicks
        });
        EXPECT_FALSE(clicked.isEmpty());
        EXPECT_EQ(get<QPlainTextEdit>("Results")->toPlainText(), clicked) << "tab " << tab;
    }
}

INSTANTIATE_TEST_SUITE_P(Orders, InvestBuildOrderTest, ::testing::ValuesIn(BuildOrders),
                         [](const ::testing::TestParamInfo<BuildOrder>& info) {
                             return std::string(info.param.how);
                         });

// A frame built while another tab is being typed in: building stores nothing (the typed box
// and the values of the tab shown stay), and the frame shows its defaults when its tab is
// first chosen, as a window with every frame built does.
TEST_F(InvestPagesTest, FrameFirstShownAfterTypingOnAnotherTab) {
    const struct {
        int tab;
        const char* control; // its frame built while typing
        std::vector<const char*> boxes;
    } cases[] = {
        {PensionGrowthTab, "PGHelp", {"PGInCurrBalance", "PGInNumYearsToRetire"}},
        {RetiredIncomeTab, "Label32", {"RIInCurrValue", "RIInAnnIncWDrawnRate", "Label33"}},
        {CompoundGainTab, "CGInNameOfInvest", {"CGInCostofInvest", "CGInNameOfInvest"}},
        {CapitalRequiredTab, "CRCapitalChoices(1)", {"CRInCapitalReq", "Label26"}},
    };
    const std::unique_ptr<QMInvest> reference = fullyBuiltWindow();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.control);
        selectTab(InvestedGrowthTab);
        InputBox* typed = box("IGInBegBal");
        focus(typed);
        typed->selectAll();
        type(typed, QStringLiteral("123"));
        const auto values = window->state().inputValues;
        const int choice = window->state().calcChoice;

        ASSERT_FALSE(window->isBuilt(c.tab));
        ASSERT_NE(window->buildFrameOf(QLatin1String(c.control)), nullptr);
        EXPECT_EQ(typed->text(), "123");
        EXPECT_EQ(window->focusWidget(), typed);
        EXPECT_EQ(window->state().inputValues, values);
        EXPECT_EQ(window->state().calcChoice, choice);
        leaveTo(box("IGInEachContrib"));
        EXPECT_EQ(window->state().inputValues[1], Currency::fromUnits(123));

        selectTab(c.tab);
        static_cast<QTabBar*>(reference->control(QStringLiteral("SSTab1")))->setCurrentIndex(c.tab);
        for (const char* name : c.boxes) {
            EXPECT_EQ(text(name), reference->controlText(QLatin1String(name))) << name;
        }
        EXPECT_EQ(window->state().inputValues, reference->state().inputValues);
        EXPECT_EQ(window->state().calcChoice, reference->state().calcChoice);
    }
}

} // namespace
