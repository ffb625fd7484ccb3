// Opens every window of the program at once for the screen-reader walk (ScreenReaderWalk.py):
// the start menu, both work windows, each kind of dialog and two chart windows (one over the
// years, one with the manager's measure buttons). The manager has the sample database (the
// first argument) open and its first fund chosen. Prints "ready" once all are shown and runs
// until it is ended.

#include "core/calculators/CalcState.h"
#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/chart/QMGraph.h"
#include "gui/common/AppState.h"
#include "gui/common/Dialogs.h"
#include "gui/manager/QMManagement.h"
#include "screens/ChartData.h"
#include "support/TestEnvironment.h"
#include "support/UiHelpers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace qm;

namespace {

// Pension growth over 25 years, ending at $244,711.99.
ChartPlan yearsChart() {
    CalcState state;
    state.chartKind = ChartKind::PensionGrowth;
    state.chartPoints = 25;
    state.chartTitle = QStringLiteral(" Pension growth over ");
    for (int year = 1; year <= 25; ++year)
        state.periodData.at(year, 4) = Currency::fromRaw(97884796LL * year);
    return BuildCalculatorChart(state);
}

// Three funds, each measure with figures of its own.
Currency fundTotal(int row, int column) {
    return Currency::fromRaw(row * 1000000LL * (column == 3 ? 12 : column == 4 ? -3 : 1) + 2500);
}

const QStringList DriverFunds = {QStringLiteral("Acme Growth"), QStringLiteral("Bond Index"),
                                 QStringLiteral("Cash Reserve")};

// Opens `path` through the manager's "Open file" tab and its file dialog, closing any message,
// then chooses the first fund.
bool openDatabase(QMManagement& manager, const QString& path) {
    auto* tabs = manager.findChild<QTabBar*>(QStringLiteral("SSTab2"));
    auto* funds = manager.findChild<QComboBox*>(QStringLiteral("EFunds"));
    if (!tabs || !funds)
        return false;
    const auto answer = [path](QWidget* dialog) {
        QTimer::singleShot(0, dialog, [dialog, path] {
            if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
                auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                edit->setText(path);
                QTest::keyClick(edit, Qt::Key_Return);
            } else {
                std::fprintf(stderr, "message: %s\n", qPrintable(qmtest::dialogText(dialog)));
                dialog->close();
            }
        });
    };
    qmtest::runAnsweringModals(
        [tabs] { QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center()); }, answer);
    if (funds->count() == 0)
        return false;
    qmtest::runAnsweringModals(
        [funds] {
            funds->showPopup();
            QAbstractItemView* view = funds->view();
            view->setCurrentIndex(view->model()->index(0, 0));
            QTest::keyClick(view, Qt::Key_Return);
        },
        answer);
    return true;
}

} // namespace

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
        !openDatabase(manager, sample)) {
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

    QMGraph years(yearsChart(), app().currencySymbol);
    years.show();
    const MeasureSource measures = [](ManagerMeasure measure) {
        return BuildManagerChart(3, fundTotal, DriverFunds, measure);
    };
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
