#include "support/TestEnvironment.h"

#include "gui/style/ProgramStyle.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

QtMessageHandler previousHandler = nullptr;

// The offscreen platform reports features it lacks on every window; that says nothing about
// the program, so those lines are dropped.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QLatin1String("propagateSizeHints")))
        return;
    if (previousHandler)
        previousHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // No test reaches a real printer: the print system is a socket that does not exist, unless a
    // test starts its own (tests/print).
    qputenv("CUPS_SERVER", "/nonexistent/quillmark-tests-no-print-system.sock");
    previousHandler = qInstallMessageHandler(quietHandler);
    QApplication app(argc, argv);
    qm::UseProgramStyle(); // as the program does
    qmtest::pinEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
