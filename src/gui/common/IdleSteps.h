#pragma once

#include <QObject>
#include <functional>
#include <vector>

class QTimer;

namespace qm {

// What a work window builds in idle time, in one explicit order: the only place where a window
// builds a part before it is needed (a frame of a tab not shown, a dialog, a chart window).
//
// The rule: the steps are asked in the order they were added, one idle pass at a time, and only
// after the window has drawn a frame (never before its first frame, which must not wait for
// them). In each pass the first step that has work does one piece of it and returns true;
// another pass follows, after the events waiting then (a key, a click). When no step has work
// the passes stop until the window says there is more (wake, or wakeAfterNextFrame). A part a
// user asks for before its step came is built there and then by the window itself; its step
// then finds nothing to do.
class IdleSteps : public QObject {
    Q_OBJECT
public:
    // Does one piece of a step's work; false when the step had nothing to do.
    using Step = std::function<bool()>;

    explicit IdleSteps(QObject* parent);

    // The next step in order.
    void add(Step step) { steps_.push_back(std::move(step)); }

    // Whether steps run at all (on unless turned off; off, each part is built only when needed).
    void setOn(bool on) { on_ = on; }
    bool isOn() const { return on_; }

    // There is more to do: a pass follows now if the window is shown, else after its next frame.
    void wake(bool shown);
    // There is more to do, from the pass after the window's next frame.
    void wakeAfterNextFrame() { wanted_ = true; }
    // The window has drawn a frame: the passes follow if there is work.
    void frameDrawn();

private:
    void pass();

    std::vector<Step> steps_;
    // A zero timer: its pass runs once the frame is out and the events waiting then are done.
    QTimer* timer_ = nullptr;
    bool on_ = true;
    bool wanted_ = true;
};

} // namespace qm
