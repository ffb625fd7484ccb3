#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class QChart;
class QGraphicsView;
class QWidget;

namespace qm {

struct ChartPlan;

// The drawing of charts with Qt's chart classes. It lives in the chart module
// (quillmark-charts.so), which the program loads when a chart is first needed, so that the
// start menu does not wait for the chart libraries; the tests link it in.
struct ChartDrawing {
    // A chart view (a QChartView) showing an empty chart, inside `parent`.
    QGraphicsView* (*makeView)(QWidget* parent);
    // Replaces the chart `view` (made by makeView) shows with the chart of `plan`, money values
    // carrying `currencySymbol`.
    void (*showPlan)(QGraphicsView* view, const ChartPlan& plan, const QString& currencySymbol);
    // RenderChartImage below.
    QImage (*render)(const ChartPlan& plan, const QString& currencySymbol, QSize logicalSize,
                     double scale, bool color);
};

// The chart drawing, linked in or loaded from the chart module on first use (beside the program
// in the build tree, or in the installed library folder). Null when the module is missing or
// cannot be loaded; `problem` then says why, in a sentence for the user.
const ChartDrawing* LoadChartDrawing(QString* problem = nullptr);

// The module's own functions (defined in ChartDrawing.cpp, which only the module and the
// programs that link the drawing in compile): the rest of the program reaches them through
// LoadChartDrawing.

// Lays out a chart of `plan` (money values carry `currencySymbol`). In black and white the series
// keep apart by pattern and line style alone.
QChart* MakeChart(const ChartPlan& plan, const QString& currencySymbol, bool color = true);

// The chart drawn as it is printed: `logicalSize` in screen pixels rendered `scale` times finer,
// in colour or as grey levels (money values carry `currencySymbol`).
QImage RenderChartImage(const ChartPlan& plan, const QString& currencySymbol, QSize logicalSize,
                        double scale, bool color);

} // namespace qm
