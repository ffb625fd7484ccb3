#include "HistoryModel.h"

#include "PortfolioCheck.h"

#include <algorithm>

namespace qmmonkey {

void HistoryModel::restart(const qm::PortfolioContent& now, bool fileOrder) {
    places_ = {Place{now, fileOrder}};
    steps_.clear();
    index_ = 0;
}

HistoryMove HistoryModel::follow(const HistoryView& seen, const qm::PortfolioContent& now) {
    if (seen.steps == steps_) {
        const int by = seen.index - index_;
        if (by == 0)
            return HistoryMove::None;
        if (by != -1 && by != 1)
            return HistoryMove::Unexplained;
        index_ = seen.index;
        return by < 0 ? HistoryMove::Undo : HistoryMove::Redo;
    }
    // A new step is made after the place: the steps before it are those up to the place, less
    // the oldest ones past the program's limit. A new step is a new object, so it is none of
    // the steps seen before.
    const int kept = static_cast<int>(seen.steps.size()) - 1;
    const int dropped = index_ - kept;
    if (kept < 0 || seen.index != kept + 1 || dropped < 0 ||
        std::find(steps_.begin(), steps_.end(), seen.steps.back()) != steps_.end() ||
        !std::equal(seen.steps.begin(), seen.steps.end() - 1, steps_.begin() + dropped))
        return HistoryMove::Unexplained;
    // A store or a delete sorts the records by date; until one does, a file's order stays.
    Place next{now, places_[static_cast<std::size_t>(index_)].fileOrder && !DatesInOrder(now)};
    places_.resize(static_cast<std::size_t>(index_) + 1);
    steps_.resize(static_cast<std::size_t>(index_));
    places_.erase(places_.begin(), places_.begin() + dropped);
    steps_.erase(steps_.begin(), steps_.begin() + dropped);
    places_.push_back(std::move(next));
    steps_.push_back(seen.steps.back());
    index_ = steps();
    return HistoryMove::Push;
}

const qm::PortfolioContent& HistoryModel::expected() const {
    return places_[static_cast<std::size_t>(index_)].content;
}

bool HistoryModel::fileOrder() const {
    return places_[static_cast<std::size_t>(index_)].fileOrder;
}

} // namespace qmmonkey
