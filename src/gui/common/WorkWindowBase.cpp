#include "gui/common/WorkWindowBase.h"

#include "gui/common/AccessibleList.h"
#include "gui/common/CommandGate.h"
#include "gui/common/Geometry.h"
#include "gui/style/ProgramStyle.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QImage>
#include <QPointer>
#include <QResizeEvent>

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

namespace {

// Lays out each scroll area of the hidden `window` that has not been (a drop-down list's list
// counts), as its first resize does. Drawn before that, it would be laid out while Qt takes the
// window for shown, and showing its scroll bars then makes the window's native window.
void LayOutScrollAreas(QWidget* window) {
    for (QAbstractScrollArea* area : window->findChildren<QAbstractScrollArea*>()) {
        if (!area->testAttribute(Qt::WA_PendingResizeEvent))
            continue;
        QResizeEvent resized(area->size(), QSize());
        QCoreApplication::sendEvent(area, &resized);
    }
}

} // namespace

void WorkWindowBase::drawAhead() {
    drawnAhead_ = true;
    if (isVisible())
        return;
    LayOutScrollAreas(this);
    // The format of a window's own image on the screen, whose text is drawn the same way.
    const qreal ratio = devicePixelRatioF();
    QImage image(size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    drawingAhead_ = true; // its paint event asks for no idle pass
    auto* style = qobject_cast<ProgramStyle*>(QApplication::style());
    if (style)
        style->setDrawingAsShown(true);
    render(&image);
    if (style)
        style->setDrawingAsShown(false);
    drawingAhead_ = false;
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
    emit left();
}

bool WorkWindowBase::event(QEvent* event) {
    const bool handled = QWidget::event(event);
    // Not on an update request: the first one comes before the window is on the screen, and
    // building then would hold its first frame back.
    if (event->type() == QEvent::Paint && !drawingAhead_)
        idle_->frameDrawn();
    return handled;
}

} // namespace qm
