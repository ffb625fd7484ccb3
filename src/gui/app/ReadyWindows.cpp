#include "gui/app/ReadyWindows.h"

#include "gui/calculator/QMInvest.h"
#include "gui/manager/QMManagement.h"
#include "gui/style/ProgramStyle.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QResizeEvent>
#include <QTimer>

namespace qm {

namespace {

template <typename Window> WorkWindowBase* MakeBuildOnly() {
    return new Window(BuildOnly());
}

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

ReadyWindows::ReadyWindows(QWidget* menu) : QObject(menu), menu_(menu) {
    // A zero timer: each step runs once the events already waiting (a key, a click) are done.
    pass_ = new QTimer(this);
    pass_->setSingleShot(true);
    pass_->setInterval(0);
    connect(pass_, &QTimer::timeout, this, &ReadyWindows::step);
}

ReadyWindows::~ReadyWindows() {
    destroyAll();
}

void ReadyWindows::destroyAll() {
    delete leaving_.data();
    delete calculator_.data();
    delete manager_.data();
}

bool ReadyWindows::wanted() const {
    // Only while the menu is shown: the kind of the window kept needs none.
    if (!on_ || !menu_->isVisible())
        return false;
    return (!calculator_ && !qobject_cast<QMInvest*>(kept_.data())) ||
           (!manager_ && !qobject_cast<QMManagement*>(kept_.data())) ||
           (calculator_ && !calculatorDrawn_) || (manager_ && !managerDrawn_);
}

void ReadyWindows::resume() {
    if (wanted() && !pass_->isActive())
        pass_->start();
}

void ReadyWindows::step() {
    if (!wanted())
        return;
    // One step a pass, the calculator first: each window is made, then drawn once.
    if (calculator_ && !calculatorDrawn_) {
        drawAhead(*calculator_);
        calculatorDrawn_ = true;
    } else if (!calculator_ && !qobject_cast<QMInvest*>(kept_.data())) {
        calculator_ = MakeBuildOnly<QMInvest>();
        calculatorDrawn_ = false;
    } else if (manager_ && !managerDrawn_) {
        drawAhead(*manager_);
        managerDrawn_ = true;
    } else {
        manager_ = MakeBuildOnly<QMManagement>();
        managerDrawn_ = false;
    }
    resume();
}

void ReadyWindows::drawAhead(WorkWindowBase& window) {
    if (window.isVisible())
        return;
    LayOutScrollAreas(&window);
    // The format of a window's own image on the screen, whose text is drawn the same way.
    const qreal ratio = window.devicePixelRatioF();
    QImage image(window.size() * ratio, QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    // Its paint event here is no frame on the screen: it asks for no idle pass.
    const bool building = window.isBuildingInIdleTime();
    window.setBuildingInIdleTime(false);
    // A hidden window is drawn in the active colours, but its first frame on the screen is drawn
    // before it is made the active window: drawn as shown, it leaves in the style's cache what
    // that frame copies.
    auto* style = qobject_cast<ProgramStyle*>(QApplication::style());
    if (style)
        style->setDrawingAsShown(true);
    window.render(&image);
    if (style)
        style->setDrawingAsShown(false);
    window.setBuildingInIdleTime(building);
}

WorkWindowBase* ReadyWindows::handOver(QPointer<WorkWindowBase>& made,
                                       QPointer<WorkWindowBase>& other,
                                       WorkWindowBase* (*fresh)()) {
    delete leaving_.data();
    leaving_ = other;
    other = nullptr;
    WorkWindowBase* window = made.data();
    made = nullptr;
    if (!window)
        window = fresh();
    kept_ = window;
    // Once it has gone, the other kind, if still waiting for its first frame, goes with it, and
    // its own kind is made ahead again while the menu is shown. The pass decides that later:
    // while the window is being destroyed it is no longer a work window, and asking its kind
    // then is undefined.
    connect(window, &QObject::destroyed, this, [this] {
        delete leaving_.data();
        if (on_)
            pass_->start();
    });
    if (leaving_)
        window->installEventFilter(this);
    return window;
}

template <> WorkWindowBase* ReadyWindows::take<QMInvest>() {
    return handOver(calculator_, manager_, &MakeBuildOnly<QMInvest>);
}

template <> WorkWindowBase* ReadyWindows::take<QMManagement>() {
    return handOver(manager_, calculator_, &MakeBuildOnly<QMManagement>);
}

bool ReadyWindows::eventFilter(QObject* watched, QEvent* event) {
    // The handed window's first paint: its frame is out once this event loop pass ends.
    if (event->type() == QEvent::Paint && watched == kept_.data()) {
        watched->removeEventFilter(this);
        if (leaving_)
            leaving_->deleteLater();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace qm
