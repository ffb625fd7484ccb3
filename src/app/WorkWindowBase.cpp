#include "app/WorkWindowBase.h"

#include "app/AppState.h"
#include "ui/AccessibleList.h"
#include "ui/Geometry.h"

#include <QCloseEvent>

namespace qm {

WorkWindowBase::WorkWindowBase(QWidget* parent) : QWidget(parent, Qt::Window) {
    setAttribute(Qt::WA_DeleteOnClose);
    // A screen reader meets it as a window of its own (not as a pane of the start menu).
    SetAccessibleRole(this, QAccessible::Window);
}

WorkWindowBase::~WorkWindowBase() {
    release();
}

void WorkWindowBase::becomeWorkWindow(WorkWindow kind) {
    app().activeWindow = kind;
    SetCurrentWorkWindow(this);
}

void WorkWindowBase::release() {
    if (CurrentWorkWindow() == this) {
        SetCurrentWorkWindow(nullptr);
        app().activeWindow = WorkWindow::None;
    }
}

void WorkWindowBase::closeEvent(QCloseEvent* event) {
    if (!mayClose()) {
        event->ignore();
        return;
    }
    event->accept();
    release();
    emit left();
}

} // namespace qm
