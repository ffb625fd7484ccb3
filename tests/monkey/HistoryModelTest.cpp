#include "HistoryModel.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>
#include <memory>

using namespace qm;
using namespace qmmonkey;

namespace {

// A portfolio told apart by the name of its one fund.
PortfolioContent contentNamed(int n) {
    PortfolioContent c;
    c.fundCount = 1;
    c.fundNames[1] = QStringLiteral("F%1").arg(n);
    return c;
}

int nameOf(const PortfolioContent& c) {
    return c.fundNames[1].mid(1).toInt();
}

// A history as the program keeps it: each step a new object, the oldest dropped past `limit`.
struct ProgramHistory {
    std::vector<std::unique_ptr<int>> made;
    HistoryView view;
    std::size_t limit = 3;

    void push() {
        made.push_back(std::make_unique<int>(0));
        view.steps.resize(static_cast<std::size_t>(view.index));
        view.steps.push_back(made.back().get());
        if (view.steps.size() > limit)
            view.steps.erase(view.steps.begin());
        view.index = static_cast<int>(view.steps.size());
    }
};

// One event: what the program's history does, the portfolio then, and what the account makes
// of it.
struct Event {
    char does; // p push, u undo, r redo, x last step replaced, 2 two undone at once, c cleared,
               // - nothing
    int shown; // the portfolio after the event
    HistoryMove move;
    int expected; // the portfolio the account expects after it
};

struct Walk {
    const char* name;
    std::vector<Event> events;
};

void PrintTo(const Walk& w, std::ostream* os) {
    *os << w.name;
}

class HistoryWalks : public ::testing::TestWithParam<Walk> {};

TEST_P(HistoryWalks, FollowsTheProgramsHistory) {
    ProgramHistory program;
    HistoryModel account;
    account.restart(contentNamed(0), false);
    for (std::size_t i = 0; i < GetParam().events.size(); ++i) {
        const Event& e = GetParam().events[i];
        switch (e.does) {
        case 'p':
            program.push();
            break;
        case 'u':
            --program.view.index;
            break;
        case 'r':
            ++program.view.index;
            break;
        case '2':
            program.view.index -= 2;
            break;
        case 'c':
            program.view = {};
            break;
        case 'x':
            program.made.push_back(std::make_unique<int>(0));
            program.view.steps.back() = program.made.back().get();
            break;
        default:
            break;
        }
        EXPECT_EQ(account.follow(program.view, contentNamed(e.shown)), e.move) << "event " << i;
        EXPECT_EQ(nameOf(account.expected()), e.expected) << "event " << i;
    }
}

using M = HistoryMove;

INSTANTIATE_TEST_SUITE_P(Monkey, HistoryWalks,
                         ::testing::Values(Walk{"each place comes back",
                                                {{'p', 1, M::Push, 1},
                                                 {'p', 2, M::Push, 2},
                                                 {'u', 1, M::Undo, 1},
                                                 {'u', 0, M::Undo, 0},
                                                 {'r', 1, M::Redo, 1},
                                                 {'r', 2, M::Redo, 2},
                                                 {'-', 2, M::None, 2}}},
                                           Walk{"a new step drops those to redo",
                                                {{'p', 1, M::Push, 1},
                                                 {'p', 2, M::Push, 2},
                                                 {'u', 1, M::Undo, 1},
                                                 {'p', 3, M::Push, 3},
                                                 {'u', 1, M::Undo, 1},
                                                 {'r', 3, M::Redo, 3}}},
                                           Walk{"the oldest steps go past the limit",
                                                {{'p', 1, M::Push, 1},
                                                 {'p', 2, M::Push, 2},
                                                 {'p', 3, M::Push, 3},
                                                 {'p', 4, M::Push, 4},
                                                 {'u', 3, M::Undo, 3},
                                                 {'u', 2, M::Undo, 2},
                                                 {'u', 1, M::Undo, 1},
                                                 {'p', 5, M::Push, 5},
                                                 {'u', 1, M::Undo, 1}}},
                                           Walk{"anything else leaves the account as it was",
                                                {{'p', 1, M::Push, 1},
                                                 {'p', 2, M::Push, 2},
                                                 {'x', 2, M::Unexplained, 2},
                                                 {'2', 0, M::Unexplained, 2},
                                                 {'c', 0, M::Unexplained, 2}}}),
                         qmtest::CaseName<Walk>);

// The records of a file keep the file's order until a step sorts them, and have it again when
// the history goes back to before that step.
TEST(MonkeyHistory, FileOrderFollowsThePlace) {
    const auto records = [](std::initializer_list<int> days) {
        PortfolioContent c;
        for (const int d : days) {
            Record r;
            r.tradeDate = QDate(2001, 1, d);
            c.records.push_back(r);
        }
        return c;
    };
    ProgramHistory program;
    HistoryModel account;
    account.restart(records({3, 1}), true);
    program.push(); // a fund added: the records as they were
    ASSERT_EQ(account.follow(program.view, records({3, 1})), HistoryMove::Push);
    EXPECT_TRUE(account.fileOrder());
    program.push(); // a record stored: all sorted
    ASSERT_EQ(account.follow(program.view, records({1, 2, 3})), HistoryMove::Push);
    EXPECT_FALSE(account.fileOrder());
    --program.view.index;
    ASSERT_EQ(account.follow(program.view, records({3, 1})), HistoryMove::Undo);
    EXPECT_TRUE(account.fileOrder());
    account.restart(records({1, 2}), false);
    EXPECT_FALSE(account.fileOrder());
    EXPECT_FALSE(account.canUndo());
}

} // namespace
