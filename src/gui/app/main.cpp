#include "core/startup/CommandLine.h"
#include "core/startup/Startup.h"
#include "gui/app/EndSignals.h"
#include "gui/app/QMStart.h"
#include "gui/common/AccessibleList.h"
#include "gui/common/AppState.h"
#include "gui/common/StartFolder.h"
#include "gui/style/ProgramStyle.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The command line is read before the window system is reached: --help, --version and a
    // mistake are answered without a display.
    const qm::CommandLine line = qm::ParseCommandLine(qm::ArgumentList(argc, argv));
    if (line.action != qm::CommandLine::Action::Start) {
        const QCoreApplication core(argc, argv); // tells where the program lies
        return qm::AnswerCommandLine(line, qm::SampleFolder());
    }
    QApplication application(argc, argv);
    qm::UseAccessibleInterfaces();
    qm::UseProgramStyle();
    // Window managers match the windows with the menu entry by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.quillmark.quillmark"));
    qm::app().currencySymbol = qm::RunStartup();
    qm::CatchEndSignals();
    qm::QMStart menu;
    menu.start(line.database);
    return application.exec();
}
