#pragma once

#include "core/portfolio/RecoveryFile.h"
#include "gui/manager/PortfolioStep.h"

#include <QObject>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>

namespace qm {

// Keeps a manager's unsaved changes in its recovery slot: written on a worker thread of its own
// at most two seconds after a change (never while the window draws), removed once the portfolio
// is its file's again or is discarded. The files stay when the window goes without removing
// them: a process that ends on a signal, or dies, leaves them for the next start to offer.
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    explicit RecoveryWriter(QObject* parent = nullptr);
    ~RecoveryWriter() override; // waits for a write under way

    // The portfolio after a change: `content` with what it belongs to, kept when `unsaved`,
    // else the slot is removed.
    void changed(const SharedContent& content, const RecoveryInfo& info, TextEncoding encoding,
                 bool unsaved);
    // The portfolio is its file's (saved, opened) or discarded: the slot removed.
    void discard();
    // A write still waiting done now, on this thread, once the worker is idle (the program is
    // about to end on a signal or with the desktop session).
    void writeNow();

    // The slot's id (for tests and the restore that hands over a left slot).
    QString slotId() const { return slot_->id(); }
    // Runs `after` on the worker once the next write is done (a restored slot removed only
    // once this one holds its portfolio).
    void afterNextWrite(std::function<void()> after) { afterWrite_ = std::move(after); }

private:
    void writePending(bool here);

    QThreadPool pool_;
    QTimer timer_;
    std::shared_ptr<RecoverySlot> slot_;
    SharedContent content_; // waiting to be written
    RecoveryInfo info_;
    TextEncoding encoding_ = TextEncoding::Utf8;
    std::function<void()> afterWrite_;
    bool written_ = false; // the slot was written since it was last removed
};

} // namespace qm
