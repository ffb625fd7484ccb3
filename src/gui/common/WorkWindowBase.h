#pragma once

#include "core/output/WorkWindow.h"
#include "gui/common/IdleSteps.h"

#include <QWidget>

namespace qm {

// Asks a work window's constructor to build the window only, leaving its load step for when it
// opens: a window made ahead, while the user looks at the start menu, is hidden, is not the work
// window and has changed nothing outside itself until load() runs.
struct BuildOnly {
    explicit BuildOnly() = default;
};

// A work window opened from the start menu (the calculator window or the investment manager).
// It is destroyed when it closes; leaving it by its exit button or its close box both go
// through close(), so one check (mayClose) guards both.
//
// The contract of its constructor and load step: the constructor (given BuildOnly) builds the
// window hidden, with the frame of the tab it opens on, and changes nothing outside itself (no
// file read, no setting, not the window dialogs are placed from), so that the start menu may
// make it ahead (ReadyWindows) and destroy it unused. load() then makes it the work window and
// loads what it opens on, exactly as a window made there and then; it runs once, just before
// the window is first shown. What the window does not show at first is built when the user
// first needs it or, before that, by its idle steps (IdleSteps), never as a side effect of
// looking a control up.
class WorkWindowBase : public QWidget {
    Q_OBJECT
public:
    explicit WorkWindowBase(QWidget* parent = nullptr);
    ~WorkWindowBase() override;

    // The load step of a window built with BuildOnly, run as it opens: it becomes the work
    // window and loads what it opens on, exactly as a window made there and then.
    virtual void load() {}

    // Whether the parts not built yet are built in idle time once the window has drawn a frame
    // (on unless turned off; off, each is built only when it is needed).
    void setBuildingInIdleTime(bool on) { idle_->setOn(on); }
    bool isBuildingInIdleTime() const { return idle_->isOn(); }

signals:
    // The window has closed (it is hidden) and will be destroyed: the start menu shows itself
    // again.
    void left();

protected:
    // Asked before the window closes; false keeps it open (the close is cancelled).
    virtual bool mayClose() { return true; }

    // The load step: this window becomes the one dialogs are placed from.
    void becomeWorkWindow(WorkWindow kind);

    // What the window builds in idle time, its steps added in order by the window's constructor.
    IdleSteps& idleSteps() { return *idle_; }
    // Something new is left to build: another idle pass follows (once the window is shown).
    void buildAgainInIdleTime() { idle_->wake(isVisible()); }
    // The same, the pass following the window's next frame.
    void buildAfterNextFrame() { idle_->wakeAfterNextFrame(); }

    void closeEvent(QCloseEvent* event) override;
    // The window's own paint event comes while a frame is drawn: the idle pass follows it.
    bool event(QEvent* event) override;

private:
    void release();

    IdleSteps* idle_ = nullptr;
};

// The kind of the work window open now (None while only the start menu is): dialogs place
// themselves by it and printing picks its font size by it. A work window sets it as it loads and
// clears it as it goes; tests of dialogs and printing set it themselves.
WorkWindow ActiveWorkWindow();
void SetActiveWorkWindow(WorkWindow kind);

} // namespace qm
