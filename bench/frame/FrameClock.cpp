#include "FrameClock.h"

#include <QGuiApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <xcb/xcb.h>

namespace qmbench {

namespace {

// The top-level widget a frame event is for: the widget itself or the window it lives in.
QWidget* windowOf(QObject* receiver) {
    if (auto* widget = qobject_cast<QWidget*>(receiver))
        return widget->isWindow() ? widget : nullptr;
    if (auto* window = qobject_cast<QWindow*>(receiver)) {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->windowHandle() == window)
                return top;
    }
    return nullptr;
}

} // namespace

FrameClock::FrameClock(int& argc, char** argv) : QApplication(argc, argv) {
    timer_.start();
    if (auto* x11 = nativeInterface<QNativeInterface::QX11Application>())
        connection_ = x11->connection();
}

void FrameClock::roundTrip() {
    if (!connection_)
        return;
    auto* connection = static_cast<xcb_connection_t*>(connection_);
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

bool FrameClock::notify(QObject* receiver, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Paint)
        ++paints_;
    if ((type != QEvent::Expose && type != QEvent::UpdateRequest) || depth_ > 0)
        return QApplication::notify(receiver, event);
    QWidget* window = windowOf(receiver);
    if (!window)
        return QApplication::notify(receiver, event);
    const int paintsBefore = paints_;
    ++depth_;
    const bool handled = QApplication::notify(receiver, event);
    --depth_;
    if (paints_ != paintsBefore) { // painted, so the backing store was flushed
        roundTrip();
        const qint64 end = now();
        frames_.push_back({window, end});
        if (onFrame)
            onFrame(window, end);
    }
    return handled;
}

qint64 FrameClock::waitForFrame(const std::function<bool(QWidget*)>& which, qint64 after,
                                int timeoutMs) {
    QElapsedTimer waited;
    waited.start();
    QTimer tick; // wakes the loop now and then: waiting for more events may wait long
    tick.start(5);
    for (;;) {
        for (const Frame& frame : frames_) {
            if (frame.window && frame.end > after && which(frame.window)) {
                const qint64 end = frame.end;
                frames_.clear();
                return end;
            }
        }
        if (waited.elapsed() > timeoutMs)
            return -1;
        processEvents(QEventLoop::WaitForMoreEvents);
    }
}

void FrameClock::idle(int ms) {
    QElapsedTimer waited;
    waited.start();
    QTimer tick;
    tick.start(5);
    while (waited.elapsed() < ms) {
        sendPostedEvents(nullptr, QEvent::DeferredDelete);
        processEvents(QEventLoop::WaitForMoreEvents);
    }
    frames_.clear();
}

} // namespace qmbench
