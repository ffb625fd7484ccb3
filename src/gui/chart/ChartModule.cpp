#include "gui/chart/ChartDrawing.h"

#include "gui/common/LoadModule.h"

// Defined where the drawing is linked in (the tests); the program itself leaves it undefined and
// loads the module.
extern "C" __attribute__((weak)) const qm::ChartDrawing* qm_chart_drawing();

namespace qm {

const ChartDrawing* LoadChartDrawing(QString* problem) {
    return LoadModuleTable<ChartDrawing>(qm_chart_drawing, "quillmark-charts.so",
                                         "qm_chart_drawing",
                                         QStringLiteral("The chart window cannot open"), problem);
}

} // namespace qm
