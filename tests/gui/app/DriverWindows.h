#pragma once

// What the drivers that open every window of the program (the screen-reader walk's and the
// Wayland run's) show in them: a chart over the years, the manager's chart with its measure
// buttons, and the sample database opened through the manager's own file dialog.

#include "gui/chart/QMGraph.h"
#include "screens/ChartData.h"

#include <QString>
#include <functional>

class QWidget;

namespace qm {
class QMManagement;
}

namespace qmdriver {

// Pension growth over 25 years, ending at $244,711.99.
qm::ChartPlan YearsChart();

// Three funds, each measure with figures of its own, as the manager's chart shows them.
qm::MeasureSource FundMeasures();

// Opens `path` through the manager's "Open file" tab and its file dialog, closing any message,
// then chooses the first fund; false when no fund could be chosen. `shown` is called with each
// dialog as it opens, before it is answered.
bool OpenDatabase(qm::QMManagement& manager, const QString& path,
                  const std::function<void(QWidget*)>& shown = {});

} // namespace qmdriver
