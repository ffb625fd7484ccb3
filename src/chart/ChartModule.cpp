#include "chart/ChartDrawing.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

// Defined where the drawing is linked in (the tests); the program itself leaves it undefined and
// loads the module.
extern "C" __attribute__((weak)) const qm::ChartDrawing* qm_chart_drawing();

namespace qm {

namespace {

constexpr char ModuleName[] = "quillmark-charts.so";

// The places the module may be, in order: beside the program (the build tree), then the
// library folder of an installed program (QM_CHART_MODULE_DIR, relative to the program's).
QStringList modulePlaces() {
    const QDir program(QCoreApplication::applicationDirPath());
    return {program.filePath(QLatin1String(ModuleName)),
            QDir::cleanPath(program.filePath(QStringLiteral(QM_CHART_MODULE_DIR "/") +
                                             QLatin1String(ModuleName)))};
}

struct Loaded {
    const ChartDrawing* drawing = nullptr;
    QString problem;
};

Loaded load() {
    Loaded loaded;
    if (qm_chart_drawing) {
        loaded.drawing = qm_chart_drawing();
        return loaded;
    }
    const QStringList places = modulePlaces();
    for (const QString& place : places) {
        if (!QFileInfo::exists(place))
            continue;
        // Kept loaded for the rest of the process: its windows and charts live on.
        QLibrary library(place);
        using Entry = const ChartDrawing* (*)();
        if (auto entry = reinterpret_cast<Entry>(library.resolve("qm_chart_drawing"))) {
            loaded.drawing = entry();
            return loaded;
        }
        loaded.problem = QStringLiteral("The chart window cannot open: its part %1 could not be "
                                        "loaded (%2). Reinstall Quillmark.")
                             .arg(QDir::toNativeSeparators(place), library.errorString());
        return loaded;
    }
    loaded.problem = QStringLiteral("The chart window cannot open: its part %1 is missing "
                                    "(looked for in %2). Reinstall Quillmark.")
                         .arg(QLatin1String(ModuleName),
                              QDir::toNativeSeparators(QFileInfo(places.last()).path()));
    return loaded;
}

} // namespace

const ChartDrawing* LoadChartDrawing(QString* problem) {
    // Loaded once; a module that was missing is looked for again the next time.
    static const ChartDrawing* drawing = nullptr;
    if (!drawing) {
        const Loaded loaded = load();
        drawing = loaded.drawing;
        if (!drawing && problem)
            *problem = loaded.problem;
    }
    return drawing;
}

} // namespace qm
