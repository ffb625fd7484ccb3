// Loaded into a program with LD_PRELOAD: ends the process as soon as its first top-level window
// has been shown, so that the process's run time is its start-up time, and says on standard
// error which window that was ("first window shown: NAME", NAME its objectName). The same probe
// goes into the program and into the minimal Qt program it is compared with; the install test
// and scripts/fresh-check.sh use it to see which window the program starts with.
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
};

void installProbe() {
    QCoreApplication::instance()->installEventFilter(new FirstShow(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
