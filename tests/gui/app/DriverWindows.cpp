#include "DriverWindows.h"

#include "core/calculators/CalcState.h"
#include "gui/manager/QMManagement.h"
#include "support/UiHelpers.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <cstdio>

using namespace qm;

namespace qmdriver {

ChartPlan YearsChart() {
    CalcState state;
    state.chartKind = ChartKind::PensionGrowth;
    state.chartPoints = 25;
    state.chartTitle = QStringLiteral(" Pension growth over ");
    for (int year = 1; year <= 25; ++year)
        state.periodData.at(year, 4) = Currency::fromRaw(97884796LL * year);
    return BuildCalculatorChart(state);
}

MeasureSource FundMeasures() {
    return [](ManagerMeasure measure) {
        const auto total = [](int row, int column) {
            return Currency::fromRaw(row * 1000000LL *
                                         (column == 3   ? 12
                                          : column == 4 ? -3
                                                        : 1) +
                                     2500);
        };
        const QStringList funds = {QStringLiteral("Acme Growth"), QStringLiteral("Bond Index"),
                                   QStringLiteral("Cash Reserve")};
        return BuildManagerChart(3, total, funds, measure);
    };
}

bool OpenDatabase(QMManagement& manager, const QString& path,
                  const std::function<void(QWidget*)>& shown) {
    auto* tabs = manager.findChild<QTabBar*>(QStringLiteral("SSTab2"));
    auto* funds = manager.findChild<QComboBox*>(QStringLiteral("EFunds"));
    if (!tabs || !funds)
        return false;
    const auto answer = [path, shown](QWidget* dialog) {
        if (shown)
            shown(dialog);
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

} // namespace qmdriver
