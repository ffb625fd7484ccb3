#pragma once

#include "gui/common/WorkWindowBase.h"

#include <QObject>
#include <QPointer>

class QTimer;

namespace qm {

class QMInvest;
class QMManagement;

// The work windows made ahead while the start menu is read, so that a click on the menu only
// shows a window that is already built and drawn once. Nothing else in the program makes a work
// window ahead, and a window author need not know it happens; the one rule it imposes is the
// contract of a work window's constructor and load step (WorkWindowBase): built with
// BuildOnly, a window changes nothing outside itself until load() runs.
//
// What is made and when: while the menu is shown, one step an idle pass after its frames, the
// calculator window first and then the manager, each made and then drawn once, hidden, into a
// throwaway image on the tab it opens on, so that what its first frame needs the first time in a
// process (the fonts' glyphs, the style's pictures, code not run yet) is ready when it opens;
// never a window of the kind the menu keeps open. How it is handed over: take<Window>() gives the
// one made ahead (or a new one); the caller runs its load step and shows it. The window of the
// other kind goes right after the handed window's first frame, so that only one work window's worth
// of memory is kept.
class ReadyWindows : public QObject {
    Q_OBJECT
public:
    // Makes windows ahead only while `menu` is shown.
    explicit ReadyWindows(QWidget* menu);
    ~ReadyWindows() override;

    // Whether windows are made ahead (on unless turned off).
    void setOn(bool on) { on_ = on; }
    bool isOn() const { return on_; }

    // The menu has drawn a frame, or the work window has gone: the steps left follow, one an idle
    // pass.
    void resume();

    // The window of `Window`'s kind, built only (its load step not run): the one made ahead, or a
    // new one. It is the window kept from now on.
    template <typename Window> WorkWindowBase* take();

    // The windows made ahead and not handed over (null where none is).
    WorkWindowBase* calculator() const { return calculator_.data(); }
    WorkWindowBase* manager() const { return manager_.data(); }
    // Whether both windows made ahead have been drawn once.
    bool drawn() const { return calculator_ && manager_ && calculatorDrawn_ && managerDrawn_; }

    // Destroys every window made ahead at once.
    void destroyAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether a step is left: a window to make or to draw once.
    bool wanted() const;
    void step();
    // Draws the hidden `window` once into a throwaway image; nothing more is built and no native
    // window is made.
    static void drawAhead(WorkWindowBase& window);
    // Hands `made` over as the window kept (null: `fresh` is made); the other kind made ahead,
    // `other`, goes after the handed window's first frame.
    WorkWindowBase* handOver(QPointer<WorkWindowBase>& made, QPointer<WorkWindowBase>& other,
                             WorkWindowBase* (*fresh)());

    QWidget* menu_;
    QPointer<WorkWindowBase> calculator_;
    QPointer<WorkWindowBase> manager_;
    bool calculatorDrawn_ = false;
    bool managerDrawn_ = false;
    // The window handed over last (the menu's work window while it lives).
    QPointer<WorkWindowBase> kept_;
    // The other kind made ahead when a window was handed over, until that window's first frame.
    QPointer<WorkWindowBase> leaving_;
    QTimer* pass_ = nullptr;
    bool on_ = true;
};

template <> WorkWindowBase* ReadyWindows::take<QMInvest>();
template <> WorkWindowBase* ReadyWindows::take<QMManagement>();

} // namespace qm
