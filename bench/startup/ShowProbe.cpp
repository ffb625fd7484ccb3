// Loaded into a program with LD_PRELOAD: ends the process as soon as its first top-level window
// has been shown, so that the process's run time is its start-up time. The same probe goes into
// the program and into the minimal Qt program it is compared with.
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

#include <unistd.h>

namespace {

class FirstShow : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->isWindow())
                _exit(0);
        }
        return false;
    }
};

void installProbe() {
    QCoreApplication::instance()->installEventFilter(new FirstShow(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
