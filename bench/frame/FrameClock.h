#pragma once

// Where a frame ends. On the X server with raster widgets a window's frame is drawn when its
// expose or update request is handled: the repaint manager paints the dirty widgets into the
// backing store and flushes it, which sends the image to the X server (a shared-memory or plain
// put-image request). There is no "frame swapped" signal for raster windows, so the clock notes
// the moment that event has been handled - only when it painted something - and then makes one
// round trip to the X server: the server answers requests in order, so by the reply it has
// copied the image into the window. That moment is the frame's end.

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <functional>
#include <vector>

namespace qmbench {

class FrameClock : public QApplication {
public:
    FrameClock(int& argc, char** argv);

    // Nanoseconds since the clock was made.
    qint64 now() const { return timer_.nsecsElapsed(); }

    // Runs after each frame with its window and its end (also inside modal dialogs' loops).
    std::function<void(QWidget* window, qint64 end)> onFrame;

    // The end of the first frame of a window `which` accepts that ended after `after`, waiting
    // for it up to `timeoutMs`; -1 when none came.
    qint64 waitForFrame(const std::function<bool(QWidget*)>& which, qint64 after,
                        int timeoutMs = 10000);

    // Lets the event loop run for `ms` milliseconds (trailing frames, deferred deletes).
    void idle(int ms);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    struct Frame {
        QPointer<QWidget> window;
        qint64 end = 0;
    };

    void roundTrip();

    QElapsedTimer timer_;
    std::vector<Frame> frames_;
    int paints_ = 0;
    int depth_ = 0;
    void* connection_ = nullptr; // the X connection, null on other platforms
};

} // namespace qmbench
