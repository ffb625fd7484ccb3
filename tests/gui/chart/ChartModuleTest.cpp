// The chart module as the program finds it: this test program does not link the chart drawing
// in, so LoadChartDrawing looks for quillmark-charts.so beside it, as the program does in the
// build tree.
#include "gui/chart/QMGraph.h"
#include "screens/ChartData.h"
#include "support/ModuleFile.h"
#include "support/UiHelpers.h"

#include <QDialog>
#include <QGraphicsView>
#include <QMessageBox>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

ChartPlan yearsPlan() {
    ChartPlan plan;
    plan.caption = QStringLiteral("Invested growth");
    plan.categoryAxis = QStringLiteral("Years");
    plan.series = {{Currency::fromUnits(100), Currency::fromUnits(250), Currency::fromUnits(400)}};
    plan.seriesNames = {QStringLiteral("Value")};
    plan.categories = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    return plan;
}

// What ShowChart showed: the texts of the windows it opened, the chart window's as "QMGraph".
QStringList showChart() {
    return runAnsweringModals(
        [] { ShowChart(yearsPlan(), QStringLiteral("$")); },
        [](QWidget* dialog) {
            if (dialog->objectName() == QLatin1String("QMGraph")) {
                EXPECT_NE(dialog->findChild<QGraphicsView*>(QStringLiteral("MSChart1")), nullptr);
                pressButton(dialog, QStringLiteral("QMGExit"));
            } else {
                static_cast<QDialog*>(dialog)->accept();
            }
        });
}

TEST(ChartModule, FoundBesideTheProgramAndNamedWhenMissingOrDamaged) {
    const ModuleBesideProgram beside(QStringLiteral("quillmark-charts.so"),
                                     QStringLiteral(QM_CHART_MODULE_FILE));
    for (const ModuleCase& c : beside.cases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(beside.place(c));
        QString problem;
        const ChartDrawing* drawing = LoadChartDrawing(&problem);
        const QStringList shown = showChart();
        if (!c.says.isEmpty()) {
            EXPECT_EQ(drawing, nullptr);
            EXPECT_TRUE(problem.contains(c.says)) << problem.toStdString();
            EXPECT_TRUE(problem.endsWith(QLatin1String("Reinstall Quillmark.")));
            // The user is told, and no empty chart window opens.
            ASSERT_EQ(shown.size(), 1);
            EXPECT_EQ(shown.front(), problem);
        } else {
            ASSERT_NE(drawing, nullptr);
            EXPECT_TRUE(problem.isEmpty());
            EXPECT_EQ(shown, QStringList{QString()});
            // The loaded module draws: the grey picture has its lines and labels.
            const QImage image =
                drawing->render(yearsPlan(), QStringLiteral("$"), QSize(300, 200), 1.0, false);
            ASSERT_EQ(image.size(), QSize(300, 200));
            int dark = 0;
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x)
                    dark += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
            EXPECT_GT(dark, 200);
        }
    }
}

} // namespace
