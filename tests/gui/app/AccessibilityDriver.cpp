// Opens every window of the program at once for the screen-reader walk (ScreenReaderWalk.py):
// the start menu, both work windows, each kind of dialog and two chart windows (one over the
// years, one with the manager's measure buttons). The manager has the sample database (the
// first argument) open and its first fund chosen. Prints "ready" once all are shown and runs
// until it is ended.

#include "DriverWindows.h"
#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/chart/QMGraph.h"
#include "gui/common/AppState.h"
#include "gui/common/Dialogs.h"
#include "gui/manager/QMManagement.h"
#include "support/TestEnvironment.h"
#include "support/UiHelpers.h"

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace qm;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillmark-accessibility-driver"));
    qmtest::pinEnvironment();
    app().currencySymbol = QStringLiteral("$");

    QMStart menu;
    menu.show();
    QMInvest calculators;
    calculators.show();
    QMManagement manager;
    manager.show();
    // A copy of its own: the sample's lock would be met by a test program opening it at once.
    QTemporaryDir folder;
    const QString sample = folder.filePath(QStringLiteral("DtaSampl.QMD"));
    if (argc < 2 || !QFile::copy(QString::fromLocal8Bit(argv[1]), sample) ||
        !qmdriver::OpenDatabase(manager, sample)) {
        std::fputs("the sample database did not open\n", stderr);
        return 1;
    }

    dialogState().messageCode = 4;
    AMsgbox message;
    message.show();
    dialogState().choiceCode = 1;
    AllYesNo question(QStringLiteral("DtaSampl.QMD"), QStringLiteral("3"));
    question.show();
    PrinterHeaderInput line;
    line.setCaptions(QStringLiteral("Continue &Printout"),
                     QStringLiteral(" Type in one line header information."));
    line.show();
    dialogState().correctMode = 1;
    FundCurValInput recordNumber;
    recordNumber.show();
    QMessageBox plain(QMessageBox::NoIcon, QStringLiteral("Quillmark"),
                      QStringLiteral("The database was saved."), QMessageBox::Ok);
    plain.setObjectName(QStringLiteral("PlainMessage"));
    plain.setModal(false); // it would keep every other window from becoming active
    plain.show();

    QMGraph years(qmdriver::YearsChart(), app().currencySymbol);
    years.show();
    const MeasureSource measures = qmdriver::FundMeasures();
    QMGraph funds(measures(ManagerMeasure::GainDollars), app().currencySymbol, measures);
    funds.show();

    // Once every window is up, the calculators become the active window, where focus changes
    // show; then the walk may start.
    QTimer::singleShot(0, [&calculators] {
        calculators.raise();
        calculators.activateWindow();
        if (!QTest::qWaitForWindowActive(&calculators))
            std::fputs("the calculators did not become the active window\n", stderr);
        std::puts("ready");
        std::fflush(stdout);
    });
    return application.exec();
}
