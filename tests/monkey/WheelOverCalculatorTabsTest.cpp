// Found by the random-use driver: a turn of the mouse wheel over the calculator's tab bar changed
// the tab without leaving the box being edited first. The box was then left half-way through
// the tab change, after the page had been emptied: its message appeared over the new tab with
// the old frame, and the Results box no longer matched the results. The wheel now takes the
// focus first, as a click does.

#include "Wheel.h"

#include "core/text/Messages.h"
#include "gui/calculator/InvestFixture.h"

#include <QStackedWidget>

using namespace qm;
using namespace qmtest;
using qmmonkey::turnWheel;

namespace {

struct WheelCase {
    const char* name;
    int tab;               // the tab of the box
    const char* calculate; // clicked first so that a page is shown, or null
    const char* box;
    const char* typed; // more than 40 years: leaving the box says so (message 5)
    int notches;
};

void PrintTo(const WheelCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.tab, c.calculate, c.box, c.typed, c.notches);
}

class WheelOverCalculatorTabs : public InvestWindowTest,
                                public ::testing::WithParamInterface<WheelCase> {};

TEST_P(WheelOverCalculatorTabs, LeavesTheBoxBeforeTheTabChanges) {
    const WheelCase& c = GetParam();
    auto* tabs = get<QTabBar>("SSTab1");
    auto* frames = window->findChild<QStackedWidget*>();
    auto* results = get<QPlainTextEdit>("Results");
    selectTab(c.tab);
    if (c.calculate) {
        EXPECT_EQ(press(c.calculate), QStringList());
    }
    QWidget* edited = get(c.box);
    focus(edited);
    type(edited, QLatin1String(c.typed));

    struct Seen {
        QString text;
        int tab;
        int frame;
        bool resultsMatch;
    };
    std::vector<Seen> seen;
    runAnsweringModals([&] { turnWheel(tabs, c.notches); },
                       [&](QWidget* dialog) {
                           QString state = window->state().results;
                           state.replace(QLatin1String("\r\n"), QLatin1String("\n"));
                           seen.push_back({dialogText(dialog), tabs->currentIndex(),
                                           frames->currentIndex(),
                                           results->toPlainText() == state});
                           pressButton(dialog, QStringLiteral("AMsgExit"));
                       });

    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].text, MessageText(5));
    EXPECT_EQ(seen[0].tab, c.tab) << "the message shows over the tab of its box";
    EXPECT_EQ(seen[0].frame, c.tab);
    EXPECT_TRUE(seen[0].resultsMatch) << "the Results box shows the results meanwhile";
    EXPECT_EQ(tabs->currentIndex(), c.tab - c.notches) << "the wheel still changes the tab";
    EXPECT_EQ(frames->currentIndex(), tabs->currentIndex());
    EXPECT_EQ(window->state().visibleTab, tabs->currentIndex());
}

INSTANTIATE_TEST_SUITE_P(Monkey, WheelOverCalculatorTabs,
                         ::testing::Values(WheelCase{"InvestedGrowthToNext", InvestedGrowthTab,
                                                     "IGCalculate", "IGInYearsInvested", "55", -1},
                                           WheelCase{"CompoundGainToPrevious", CompoundGainTab,
                                                     "CGCalculate", "CGInNumOfYrs", "41", 1},
                                           WheelCase{"PensionGrowthToNext", PensionGrowthTab,
                                                     nullptr, "PGInNumYearsToRetire", "99", -1},
                                           WheelCase{"RetiredIncomeToPrevious", RetiredIncomeTab,
                                                     nullptr, "RIInTimeInYrs", "45", 1}),
                         [](const ::testing::TestParamInfo<WheelCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
