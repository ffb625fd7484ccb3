// Found by the random-use driver: a step undone or redone on the entry tab left the record list
// shown before it in the box, while the page behind the box ("&Print" prints it) was emptied:
// the box went on showing the records of a fund the step had taken away. The result boxes are
// now emptied with their pages, as a tab change empties them, and the fund the step was made to
// is shown again while it is still there.

#include "gui/manager/ManagerWindowFixture.h"

using namespace qmtest;

namespace {

class MonkeyUndoOnTheEntryTab : public ManagerWindowTest {
protected:
    // The entry tab's box shows the page "&Print" prints.
    void expectShownIsPrinted(const char* when) {
        QString page = window->screen().helpPage.isEmpty() ? window->screen().resultsPage
                                                           : window->screen().helpPage;
        page.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        EXPECT_EQ(text("EResults"), page) << when;
    }
};

TEST_F(MonkeyUndoOnTheEntryTab, ShowsThePagePrinted) {
    const struct {
        const char* change;
        std::function<void()> make;
    } changes[] = {
        {"add fund", [this] { addFund(QStringLiteral("Beta")); }},
        {"delete fund",
         [this] {
             choose("EFunds", QStringLiteral("Beta"));
             EXPECT_EQ(click("EDelRec", {"yes"}).size(), 1);
         }},
        {"add record",
         [this] {
             choose("EFunds", QStringLiteral("Alpha"));
             EXPECT_EQ(enter("Bought", "1/1/2024{Enter}10{Enter}100{Enter}{Enter}"), QStringList());
         }},
    };
    addFund(QStringLiteral("Alpha"));
    for (const auto& c : changes) {
        SCOPED_TRACE(c.change);
        c.make();
        ASSERT_FALSE(text("EResults").isEmpty()) << "a fund's record list is shown";
        click("UndoRecord");
        expectShownIsPrinted("undone");
        click("RedoRecord");
        expectShownIsPrinted("redone");
    }
    // The fund added and then taken away again shows no page of its own.
    addFund(QStringLiteral("Gamma"));
    click("UndoRecord");
    EXPECT_FALSE(listItems("EFunds").contains(QStringLiteral("Gamma")));
    EXPECT_EQ(text("EResults"), QString());
}

} // namespace
