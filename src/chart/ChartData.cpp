#include "chart/ChartData.h"

#include <cmath>

namespace qm {

namespace {

QString captionOf(int kind) {
    switch (kind) {
    case 3:
        return QStringLiteral("Capital required");
    case 4:
        return QStringLiteral("Pension growth");
    case 5:
        return QStringLiteral("Mortgage comparisons");
    case 6:
        return QStringLiteral("Compound gain");
    case 7:
        return QStringLiteral("Investment growth");
    case 8:
        return QStringLiteral("Investment manager charts");
    case 9:
        return QStringLiteral("Invested growth");
    case 10:
    case 11:
        return QStringLiteral("Retirement income");
    default:
        return QString();
    }
}

QStringList numbered(int count) {
    QStringList labels;
    for (int i = 1; i <= count; ++i)
        labels << QString::number(i);
    return labels;
}

// Year-end values of an invested-growth table: every period that closes a whole year.
void selectYearEnds(CalcState& state) {
    if (state.chartPeriodsPerYear == 0)
        throw CalcError("no periods per year");
    int k = 1;
    for (int j = 1; j <= state.chartPeriodCount; ++j) {
        const double years = static_cast<double>(j) / state.chartPeriodsPerYear;
        if (years == std::floor(years)) {
            state.periodData.at(k, 5) = state.periodData.at(j, 4);
            ++k;
        }
    }
    state.chartPoints = k - 1;
}

void fillByYears(ChartSpec& spec, std::vector<Currency> values, const QString& stem) {
    const int n = static_cast<int>(values.size());
    spec.series = {std::move(values)};
    spec.categories = numbered(n);
    spec.categoryAxis = QStringLiteral("Years");
    spec.dataLabel = stem + QString::number(n) + QStringLiteral(" Years");
}

void fillComparisons(ChartSpec& spec, std::vector<std::vector<Currency>> series,
                     const QString& label) {
    const int n = series.empty() ? 0 : static_cast<int>(series.front().size());
    spec.legend = true;
    spec.comparison = true;
    spec.series = std::move(series);
    spec.categories = numbered(n);
    spec.categoryAxis = QStringLiteral("Comparison");
    spec.dataLabel = label;
}

} // namespace

ChartSpec BuildCalculatorChart(CalcState& state) {
    ChartSpec spec;
    const int kind = state.chartKind;
    spec.caption = captionOf(kind);
    try {
        if (kind == 9)
            selectYearEnds(state);
        const int n = state.chartPoints;
        std::vector<Currency> values;
        switch (kind) {
        case 3:
        case 4:
        case 9:
        case 11:
            for (int i = 1; i <= n; ++i)
                values.push_back(state.periodData.at(i, kind == 9 ? 5 : 4));
            fillByYears(spec, std::move(values), state.chartTitle);
            spec.seriesNames = {QStringLiteral("Value")};
            break;
        case 10:
            for (int i = 1; i <= n; ++i)
                values.push_back(i == 1 ? state.inputValues.at(1) : state.periodData.at(i - 1, 4));
            fillByYears(spec, std::move(values), state.chartTitle);
            spec.seriesNames = {QStringLiteral("Beginning balance")};
            break;
        case 5: {
            std::vector<Currency> conventional, accelerated;
            for (int i = 1; i <= n; ++i) {
                conventional.push_back(state.comparisonData.at(i, 1));
                accelerated.push_back(state.comparisonData.at(i, 2));
            }
            spec.title = QStringLiteral("Total interest paid");
            fillComparisons(spec, {std::move(conventional), std::move(accelerated)},
                            QStringLiteral("Total interest paid"));
            spec.seriesNames = {QStringLiteral("Conventional"), QStringLiteral("Accelerated")};
            break;
        }
        case 6:
        case 7:
            for (int i = 1; i <= n; ++i)
                values.push_back(state.comparisonData.at(i, 1));
            fillComparisons(spec, {std::move(values)},
                            kind == 6 ? QStringLiteral("Annual percentage gain/loss comparisons")
                                      : QStringLiteral("Total growth values for each comparision"));
            spec.percent = kind == 6;
            spec.seriesNames = {kind == 6 ? QStringLiteral("Annual %")
                                          : QStringLiteral("Final value")};
            break;
        default:
            break;
        }
    } catch (const CalcError&) {
        spec.series.clear();
        spec.categories.clear();
        spec.dataLabel.clear();
        spec.title.clear();
        spec.failed = true;
    }
    return spec;
}

ChartSpec BuildManagerChart(int points,
                            const std::function<Currency(int row, int column)>& fundTotal,
                            const QStringList& fundNames, ManagerMeasure measure) {
    ChartSpec spec;
    spec.caption = captionOf(8);
    spec.measureButtons = true;
    std::vector<Currency> values;
    QStringList names;
    try {
        for (int i = 1; i <= points; ++i) {
            values.push_back(fundTotal(i, static_cast<int>(measure)));
            names << (i - 1 < fundNames.size() ? fundNames.at(i - 1) : QString::number(i));
        }
    } catch (const CalcError&) {
        spec.failed = true;
        return spec;
    }
    spec.legend = true;
    spec.comparison = true;
    spec.series = {std::move(values)};
    spec.categories = names;
    spec.categoryAxis = QStringLiteral("Fund");
    spec.percent = measure == ManagerMeasure::GainPercent;
    switch (measure) {
    case ManagerMeasure::CurrentValue:
        spec.dataLabel = QStringLiteral("Current value of each company/fund");
        break;
    case ManagerMeasure::GainDollars:
        spec.dataLabel = QStringLiteral("Gain or Loss in dollars");
        break;
    case ManagerMeasure::GainPercent:
        spec.dataLabel = QStringLiteral("Gain or Loss in percent");
        break;
    }
    spec.seriesNames = {spec.dataLabel};
    return spec;
}

} // namespace qm
