#include "gui/common/WorkWindowBase.h"

#include "gui/common/AccessibleList.h"
#include "gui/common/CommandGate.h"
#include "gui/common/Geometry.h"
#include "gui/common/Settings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QPointer>

namespace qm {

namespace {
WorkWindow activeKind = WorkWindow::None;
}

WorkWindow ActiveWorkWindow() {
    return activeKind;
}

void SetActiveWorkWindow(WorkWindow kind) {
    activeKind = kind;
}

WorkWindowBase::WorkWindowBase(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    // A screen reader meets it as a window of its own (not as a pane of the start menu).
    SetAccessibleRole(this, QAccessible::Window);
    idle_ = new IdleSteps(this);
    // The settings, from every tab (the box being edited is left first).
    AddCommandKey(
        this, QKeySequence(Qt::CTRL | Qt::Key_Comma), [this]() -> QWidget* { return this; },
        [this](QWidget*) { ShowSettings(this); });
}

WorkWindowBase::~WorkWindowBase() {
    release();
}

void WorkWindowBase::becomeWorkWindow(WorkWindow kind) {
    activeKind = kind;
    SetCurrentWorkWindow(this);
}

void WorkWindowBase::release() {
    if (CurrentWorkWindow() == this) {
        SetCurrentWorkWindow(nullptr);
        activeKind = WorkWindow::None;
    }
}

void WorkWindowBase::closeEvent(QCloseEvent* event) {
    // The box being edited is left before anything is asked, as a click on an exit button
    // leaves it; the close box takes no focus, so the focus goes back to it if the window stays.
    QPointer<QWidget> edited = focusWidget();
    LeaveEditFor(this);
    if (!mayClose()) {
        event->ignore();
        if (edited && edited->isVisible() && !focusWidget())
            edited->setFocus(Qt::OtherFocusReason);
        return;
    }
    event->accept();
    release();
    // Off the screen before the start menu shows again: shown while this window was still there,
    // the menu was placed beside it by a window manager that places new windows where they
    // overlap the least (in a corner of the screen, this window filling its middle).
    hide();
    emit left();
}

bool WorkWindowBase::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // Not on an update request: the first one comes before the window is on the screen, and
    // building then would hold its first frame back.
    if (event->type() == QEvent::Paint)
        idle_->frameDrawn();
    return handled;
}

} // namespace qm
