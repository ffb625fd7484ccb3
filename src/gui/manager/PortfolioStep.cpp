#include "gui/manager/PortfolioStep.h"

#include <utility>

namespace qm {

PortfolioStep::PortfolioStep(const QString& text, SharedContent before, SharedContent after,
                             QString fund, Show show)
    : QUndoCommand(text), before_(std::move(before)), after_(std::move(after)),
      fund_(std::move(fund)), show_(std::move(show)) {}

void PortfolioStep::undo() {
    show_(*before_, fund_);
}

void PortfolioStep::redo() {
    if (std::exchange(made_, false))
        return;
    show_(*after_, fund_);
}

} // namespace qm
