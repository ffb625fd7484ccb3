// Found by the random-use driver: a turn of the mouse wheel over the manager's tab bar changed
// the tab without leaving the box being edited, so a date that is not a date was never
// reported (the box was hidden before it was checked). The wheel now takes the focus first, as
// a click does: the date is checked on the entry tab, then the tab changes.

#include "Wheel.h"

#include "gui/manager/ManagerWindowFixture.h"

using namespace qmtest;
using qmmonkey::turnWheel;

namespace {

class WheelOverManagerTabs : public ManagerWindowTest {};

TEST_F(WheelOverManagerTabs, ChecksTheDateBeforeTheTabChanges) {
    addFund(QStringLiteral("Alpha Fund"));
    choose("ETransType", QStringLiteral("Bought"));
    focus("EInDate");
    keys(QStringLiteral("99/99/99"));
    auto* tabs = get<QTabBar>("SSTab2");

    std::vector<std::pair<QString, int>> seen; // each message and the tab it showed over
    runAnsweringModals([&] { turnWheel(tabs, -1); },
                       [&](QWidget* dialog) {
                           seen.emplace_back(dialogText(dialog), tabs->currentIndex());
                           QTimer::singleShot(0, dialog, [dialog] { answerDialog(dialog, {}); });
                       });

    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.front().first, msg(30));
    EXPECT_EQ(seen.front().second, 2) << "checked on the entry tab, before the tab change";
    // "Display data" has no records to show and returns to the entry tab.
    EXPECT_EQ(tab(), 2);
}

} // namespace
