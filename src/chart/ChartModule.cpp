#include "chart/ChartDrawing.h"

#include "ui/LoadModule.h"

// Defined where the drawing is linked in (the tests); the program itself leaves it undefined and
// loads the module.
extern "C" __attribute__((weak)) const qm::ChartDrawing* qm_chart_drawing();

namespace qm {

const ChartDrawing* LoadChartDrawing(QString* problem) {
    // Loaded once; a module that was missing is looked for again the next time.
    static const ChartDrawing* drawing = nullptr;
    if (!drawing) {
        if (qm_chart_drawing) {
            drawing = qm_chart_drawing();
        } else if (auto entry = reinterpret_cast<const ChartDrawing* (*)()>(
                       LoadModuleEntry("quillmark-charts.so", "qm_chart_drawing",
                                       QStringLiteral("The chart window cannot open"), problem))) {
            drawing = entry();
        }
    }
    return drawing;
}

} // namespace qm
