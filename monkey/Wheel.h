#pragma once

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

namespace qmmonkey {

// One notch of the mouse wheel over the middle of `target`, delivered as the
// window system delivers it (the wheel then gives the focus to a control that
// takes it by the wheel). Away from the user (notches > 0) a tab bar selects
// the tab before, towards the user the one after.
inline void turnWheel(QWidget* target, int notches) {
    const QPointF at = QRectF(target->rect()).center();
    QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QSpontaneKeyEvent::setSpontaneous(&event);
    qApp->notify(target, &event);
}

} // namespace qmmonkey
