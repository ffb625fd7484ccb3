#pragma once

#include "core/calculators/CalcState.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace qm {

// What the chart window shows: built from the values a calculator or the manager left behind.
struct ChartPlan {
    QString caption; // the window caption ("" when the chart code is unknown)
    std::vector<std::vector<Currency>> series; // one or (mortgage) two series of equal length
    QStringList seriesNames;                   // legend entries, one per series
    QStringList categories; // one label per point (year, comparison number or fund name)
    QString categoryAxis;   // what the points are ("Years", "Comparison", "Fund")
    QString dataLabel;      // the caption naming the plotted values
    QString title;          // the chart title (the mortgage comparison only)
    bool legend = false;
    bool percent = false;        // values are percentages rather than money
    bool comparison = false;     // one bar per comparison or fund, rather than values over time
    bool measureButtons = false; // the manager's three measure buttons are shown
    bool failed = false;         // building failed: "Cannot draw graph, try again." (message 9)

    bool operator==(const ChartPlan&) const = default;
};

// The calculator window's chart, by state.chartKind (3 to 7, 9 to 11). The year-end selection of
// an invested-growth table writes column 5 of periodData and sets chartPoints to the number of
// whole years, as the chart window always has. A failure leaves `failed` set and the chart as far
// as it was built (the caption; no values).
ChartPlan BuildCalculatorChart(CalcState& state);

// The labels of bars named `names`, in order, each one its own: a name that shows as an earlier
// one does (funds may share a name) gets the first free number after it: "Name (2)", "Name (3)".
QStringList DistinctLabels(const QStringList& names);

// The manager's measures: column 3 current value, 4 gain or loss in money, 5 in percent.
enum class ManagerMeasure { CurrentValue = 3, GainDollars = 4, GainPercent = 5 };

// The manager's chart (code 8): one value per fund 1..points from `fundTotal(row, column)`.
ChartPlan BuildManagerChart(int points,
                            const std::function<Currency(int row, int column)>& fundTotal,
                            const QStringList& fundNames,
                            ManagerMeasure measure = ManagerMeasure::GainDollars);

// The texts above the plot: the chart title, then the data label naming the values (one of them
// when they are the same or one is empty), on separate lines. Inline: the chart module, which
// carries none of the computation library, draws it too.
inline QString ChartHeading(const ChartPlan& plan) {
    if (plan.title.isEmpty())
        return plan.dataLabel;
    if (plan.dataLabel.isEmpty() || plan.dataLabel == plan.title)
        return plan.title;
    return plan.title + QLatin1Char('\n') + plan.dataLabel;
}

// The chart in words, as a screen reader gives it: the heading on one line, then every plotted
// value with its label, one a line: "Year 25: $244,711.99" over the years, "Comparison 2: 7.25%"
// or "<fund name>: -$120.00" for bars, the series name after the label where there are several
// ("Comparison 1, Accelerated: $9,870.00"). Money carries `currencySymbol`; a chart without
// values says so.
QStringList ChartInWords(const ChartPlan& plan, const QString& currencySymbol);

} // namespace qm
