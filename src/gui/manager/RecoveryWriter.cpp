#include "gui/manager/RecoveryWriter.h"

#include "core/portfolio/DatabaseFile.h"

#include <utility>

namespace qm {

namespace {

// The longest a change waits before it is kept.
constexpr int WriteDelayMs = 2000;

void Write(RecoverySlot& slot, const PortfolioContent& content, const RecoveryInfo& info,
           TextEncoding encoding) {
    auto portfolio = std::make_unique<Portfolio>();
    RestoreContent(*portfolio, content);
    portfolio->fileEncoding = encoding;
    // A slot that cannot be written leaves the person's work as it is: they are told when
    // they save, which is what counts.
    slot.write(WriteDatabase(*portfolio), info);
}

} // namespace

RecoveryWriter::RecoveryWriter(QObject* parent)
    : QObject(parent), slot_(std::make_shared<RecoverySlot>()) {
    pool_.setMaxThreadCount(1); // writes and removals in the order asked
    pool_.setExpiryTimeout(-1);
    timer_.setSingleShot(true);
    timer_.setInterval(WriteDelayMs);
    connect(&timer_, &QTimer::timeout, this, [this] { writePending(false); });
}

RecoveryWriter::~RecoveryWriter() {
    pool_.waitForDone();
}

void RecoveryWriter::changed(const SharedContent& content, const RecoveryInfo& info,
                             TextEncoding encoding, bool unsaved) {
    if (!unsaved) {
        discard();
        return;
    }
    content_ = content;
    info_ = info;
    encoding_ = encoding;
    // Not restarted by the changes after: each is kept within the delay of its own.
    if (!timer_.isActive())
        timer_.start();
}

void RecoveryWriter::discard() {
    timer_.stop();
    content_.reset();
    if (std::exchange(written_, false))
        pool_.start([slot = slot_] { slot->remove(); });
}

void RecoveryWriter::writeNow() {
    timer_.stop();
    pool_.waitForDone();
    writePending(true);
}

void RecoveryWriter::writePending(bool here) {
    if (!content_)
        return;
    written_ = true;
    auto task = [slot = slot_, content = std::exchange(content_, nullptr), info = info_,
                 encoding = encoding_, after = std::exchange(afterWrite_, nullptr)] {
        Write(*slot, *content, info, encoding);
        if (after)
            after();
    };
    if (here)
        task();
    else
        pool_.start(std::move(task));
}

} // namespace qm
