#pragma once

#include "core/output/WorkWindow.h"

#include <QWidget>

class QTimer;

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
class WorkWindowBase : public QWidget {
    Q_OBJECT
public:
    explicit WorkWindowBase(QWidget* parent = nullptr);
    ~WorkWindowBase() override;

    // The load step of a window built with BuildOnly, run as it opens: it becomes the work
    // window and loads what it opens on, exactly as a window made there and then.
    virtual void load() {}

    // Draws the hidden window once into a throwaway image, so that what its first frame needs
    // the first time in a process (the fonts' glyphs, the style's pictures, code not run yet) is
    // ready when it opens. Nothing more is built and no native window is made.
    void drawAhead();
    bool drawnAhead() const { return drawnAhead_; }

    // Whether the parts not built yet are built in idle time once the window has drawn a frame
    // (on unless turned off; off, each is built only when it is needed).
    void setBuildingInIdleTime(bool on) { buildInIdleTime_ = on; }

signals:
    // The window has closed and will be destroyed: the start menu shows itself again.
    void left();

protected:
    // Asked before the window closes; false keeps it open (the close is cancelled).
    virtual bool mayClose() { return true; }

    // The load step: this window becomes the one dialogs are placed from.
    void becomeWorkWindow(WorkWindow kind);

    // Builds one part of the window not built yet, in idle time; returns whether one is left.
    virtual bool buildNextInIdleTime() { return false; }
    // Something new is left to build: another idle pass follows (once the window is shown).
    void buildAgainInIdleTime();
    // The same, the pass following the window's next frame.
    void buildAfterNextFrame() { leftToBuild_ = true; }

    void closeEvent(QCloseEvent* event) override;
    // The window's own paint event comes while a frame is drawn: the idle pass follows it.
    bool event(QEvent* event) override;

private:
    void release();

    // A zero timer: its pass runs once the frame is out and the events waiting then are done.
    QTimer* idle_ = nullptr;
    bool buildInIdleTime_ = true;
    bool leftToBuild_ = true;
    bool drawingAhead_ = false;
    bool drawnAhead_ = false;
};

// The kind of the work window open now (None while only the start menu is): dialogs place
// themselves by it and printing picks its font size by it. A work window sets it as it loads and
// clears it as it goes; tests of dialogs and printing set it themselves.
WorkWindow ActiveWorkWindow();
void SetActiveWorkWindow(WorkWindow kind);

} // namespace qm
