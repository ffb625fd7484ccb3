#include "gui/app/EndSignals.h"

#include "gui/manager/QMManagement.h"

#include <QApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QWidget>

#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace qm {

namespace {

// The signal handler only writes the signal's number down a socket; the event loop reads it.
int signalSocket[2] = {-1, -1};

void OnSignal(int number) {
    const char byte = static_cast<char>(number);
    [[maybe_unused]] const ssize_t written = ::write(signalSocket[0], &byte, 1);
}

void KeepEveryManagersChanges() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (auto* manager = qobject_cast<QMManagement*>(window))
            manager->keepUnsavedNow();
    }
}

} // namespace

void CatchEndSignals() {
    if (signalSocket[0] != -1 || ::socketpair(AF_UNIX, SOCK_STREAM, 0, signalSocket) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalSocket[1], QSocketNotifier::Read, qApp);
    QObject::connect(notifier, &QSocketNotifier::activated, qApp, [notifier] {
        char byte = 0;
        if (::read(signalSocket[1], &byte, 1) != 1)
            return;
        notifier->setEnabled(false);
        KeepEveryManagersChanges();
        QCoreApplication::exit(0); // the windows go with the menu, asking nothing
    });
    QObject::connect(qApp, &QGuiApplication::commitDataRequest, qApp,
                     [](QSessionManager&) { KeepEveryManagersChanges(); });
    struct sigaction action = {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int number : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(number, &action, nullptr);
}

} // namespace qm
