// What a window builds in idle time: its steps in their order, one piece a pass, only after a
// frame, with the events waiting handled between pieces, and nothing once no step has work.

#include "gui/common/IdleSteps.h"

#include <QCoreApplication>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace qm;

namespace {

// Steps "a", "b", "c" with so many pieces of work each; every piece done is written to `log`.
struct Window {
    QObject owner;
    IdleSteps* steps = new IdleSteps(&owner);
    std::vector<int> left;
    std::string log;
    std::function<void()> afterPiece = [] {};

    explicit Window(std::vector<int> pieces) : left(std::move(pieces)) {
        for (std::size_t i = 0; i < left.size(); ++i) {
            steps->add([this, i] {
                if (left[i] == 0)
                    return false;
                --left[i];
                log += char('a' + i);
                afterPiece();
                return true;
            });
        }
    }
    // The event loop until nothing is waiting (every zero timer has run).
    void idle() {
        for (int pass = 0; pass < 20; ++pass)
            QCoreApplication::processEvents();
    }
};

TEST(IdleSteps, RunInOrderOnePieceAPassAfterAFrame) {
    const struct Case {
        const char* what;
        std::vector<int> pieces;
        bool on;
        std::string beforeFrame, afterFrame;
    } cases[] = {
        {"each step's pieces in the order added", {2, 1, 3}, true, "", "aabccc"},
        {"a step without work passed over", {0, 2, 0}, true, "", "bb"},
        {"no work: nothing", {0, 0}, true, "", ""},
        {"turned off: nothing", {1, 1}, false, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window window(c.pieces);
        window.steps->setOn(c.on);
        window.idle();
        EXPECT_EQ(window.log, c.beforeFrame) << "nothing before the window's first frame";
        window.steps->frameDrawn();
        window.idle();
        EXPECT_EQ(window.log, c.afterFrame);
    }
}

// Once no step has work the passes stop; new work waits for the window to say so.
TEST(IdleSteps, NewWorkRunsWhenTheWindowWakesThem) {
    const struct Case {
        const char* what;
        int wake; // 0: none, 1: wake(shown), 2: wake(hidden), 3: wakeAfterNextFrame
        std::string beforeFrame, afterFrame;
    } cases[] = {
        {"not woken: a frame alone runs nothing", 0, "", ""},
        {"woken while shown: at once", 1, "b", "b"},
        {"woken while hidden: after the next frame", 2, "", "b"},
        {"woken for after the next frame", 3, "", "b"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Window window({1, 0});
        window.steps->frameDrawn();
        window.idle();
        ASSERT_EQ(window.log, "a");
        window.log.clear();
        window.left[1] = 1;
        if (c.wake == 1 || c.wake == 2)
            window.steps->wake(c.wake == 1);
        else if (c.wake == 3)
            window.steps->wakeAfterNextFrame();
        window.idle();
        EXPECT_EQ(window.log, c.beforeFrame);
        window.steps->frameDrawn();
        window.idle();
        EXPECT_EQ(window.log, c.afterFrame);
    }
}

// A click that comes while the steps have work is handled before their next piece.
TEST(IdleSteps, EventsWaitingComeBetweenPieces) {
    Window window({2, 1});
    window.afterPiece = [&] {
        if (window.log == "a")
            QTimer::singleShot(0, &window.owner, [&] { window.log += '!'; });
    };
    window.steps->frameDrawn();
    window.idle();
    EXPECT_EQ(window.log, "a!ab");
}

} // namespace
