#pragma once

#include "core/portfolio/PortfolioContent.h"

#include <QString>
#include <QUndoCommand>
#include <functional>
#include <memory>

namespace qm {

using SharedContent = std::shared_ptr<const PortfolioContent>;

// One change to the portfolio in the manager's history: the portfolio before and after it, and
// the fund it was made to (shown again when the change is undone or redone). The change is made
// by the tab's own handler before the step is pushed, so the first redo does nothing; each later
// undo or redo hands its side to `show`, which puts it in the portfolio and shows it.
class PortfolioStep : public QUndoCommand {
public:
    using Show = std::function<void(const PortfolioContent& content, const QString& fund)>;

    PortfolioStep(const QString& text, SharedContent before, SharedContent after, QString fund,
                  Show show);

    void undo() override;
    void redo() override;

    const SharedContent& after() const { return after_; }

private:
    SharedContent before_;
    SharedContent after_;
    QString fund_;
    Show show_;
    bool made_ = true; // the change was made before the step was pushed
};

} // namespace qm
