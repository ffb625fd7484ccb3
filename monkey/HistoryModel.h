#pragma once

// The driver's own account of the investment manager's history of changes: the portfolio it
// saw after each change, and the place the history stands at. After every event the history
// the program shows is followed: a step taken back or made again must bring back the portfolio
// seen at that place, and a new step keeps the portfolio as it is then. Qt Core only, so the
// account is tested without windows.

#include "core/portfolio/PortfolioContent.h"

#include <vector>

namespace qmmonkey {

// The history as the program shows it: its steps, each known only by its identity, oldest
// first, and how many of them are done.
struct HistoryView {
    std::vector<const void*> steps;
    int index = 0;
};

// How the history moved since it was last followed.
enum class HistoryMove { None, Undo, Redo, Push, Unexplained };

class HistoryModel {
public:
    // A history that starts afresh (a file opened, a new window) at `now`, with nothing to undo
    // or redo; `fileOrder`: its records may stand in the file's order rather than by date.
    void restart(const qm::PortfolioContent& now, bool fileOrder);

    // Follows the history shown now. One step taken back or made again moves the place; a new
    // step after the place (the steps that could be redone dropped, and the oldest ones the
    // program no longer keeps) records `now`. Any other change is Unexplained and leaves the
    // account as it was.
    HistoryMove follow(const HistoryView& seen, const qm::PortfolioContent& now);

    // The portfolio the history says is shown now.
    const qm::PortfolioContent& expected() const;
    int index() const { return index_; }
    int steps() const { return static_cast<int>(steps_.size()); }
    bool canUndo() const { return index_ > 0; }
    bool canRedo() const { return index_ < steps(); }
    // Whether the records shown now may stand in a file's order: nothing since the file was
    // opened has sorted them.
    bool fileOrder() const;

    // The portfolio as its file holds it (as the window opened, before any file).
    void setSaved(const qm::PortfolioContent& saved) { saved_ = saved; }
    const qm::PortfolioContent& saved() const { return saved_; }

private:
    struct Place {
        qm::PortfolioContent content;
        bool fileOrder = false;
    };
    // places_[i] is the portfolio after step i; places_[0] the one before the oldest step.
    std::vector<Place> places_{Place{}};
    std::vector<const void*> steps_;
    int index_ = 0;
    qm::PortfolioContent saved_;
};

} // namespace qmmonkey
