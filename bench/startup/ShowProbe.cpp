// Loaded into a program with LD_PRELOAD: ends the process as soon as its first top-level window
// has been shown, so that the process's run time is its start-up time, and says on standard
// error which window that was ("first window shown: NAME", NAME its objectName). The same probe
// goes into the program and into the minimal Qt program it is compared with; the install test
// and scripts/fresh-check.sh use it to see which window the program starts with.
// With QM_PROBE_END=frame it ends the process at the end of the first painted frame instead: once
// a window's first expose or update request has been handled and painted something (the repaint
// manager paints and flushes the backing store while handling it), and, on an X server, one round
// trip has made sure the server has the image (bench/frame/FrameClock.h explains the choice).
#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

#include <cstdlib>
#include <unistd.h>
#include <xcb/xcb.h>

namespace {

void roundTripToServer() {
    auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
}

class FirstShow : public QObject {
public:
    explicit FirstShow(QObject* parent)
        : QObject(parent), untilFrame_(qgetenv("QM_PROBE_END") == "frame") {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!untilFrame_) {
            if (event->type() == QEvent::Show) {
                if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->isWindow()) {
                    const QByteArray line =
                        "first window shown: " + widget->objectName().toUtf8() + '\n';
                    [[maybe_unused]] const ssize_t written =
                        write(STDERR_FILENO, line.constData(), static_cast<size_t>(line.size()));
                    _exit(0);
                }
            }
            return false;
        }
        if (event->type() == QEvent::Paint) {
            ++paints_;
        } else if ((event->type() == QEvent::Expose || event->type() == QEvent::UpdateRequest) &&
                   isWindow(watched) && !handling_) {
            // The window handles its expose (or update request) here, painting and flushing;
            // then the process ends if that drew a frame.
            const int before = paints_;
            handling_ = true;
            watched->event(event);
            handling_ = false;
            if (paints_ != before) {
                roundTripToServer();
                _exit(0);
            }
            return true;
        }
        return false;
    }

private:
    static bool isWindow(QObject* object) {
        if (auto* widget = qobject_cast<QWidget*>(object))
            return widget->isWindow();
        return qobject_cast<QWindow*>(object) != nullptr;
    }

    const bool untilFrame_;
    bool handling_ = false;
    int paints_ = 0;
};

void installProbe() {
    QCoreApplication::instance()->installEventFilter(new FirstShow(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
