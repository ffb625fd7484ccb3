#include "screens/ChartData.h"

#include "core/text/Format.h"

#include <QSet>
#include <cmath>

namespace qm {

namespace {

QString captionOf(ChartKind kind) {
    switch (kind) {
    case ChartKind::CapitalRequired:
        return QStringLiteral("Capital required");
    case ChartKind::PensionGrowth:
        return QStringLiteral("Pension growth");
    case ChartKind::MortgageComparisons:
        return QStringLiteral("Mortgage comparisons");
    case ChartKind::CompoundGain:
        return QStringLiteral("Compound gain");
    case ChartKind::InvestedComparisons:
        return QStringLiteral("Investment growth");
    case ChartKind::Manager:
        return QStringLiteral("Investment manager charts");
    case ChartKind::InvestedGrowth:
        return QStringLiteral("Invested growth");
    case ChartKind::RetiredIncomeFixed:
    case ChartKind::RetiredIncomeRunningDown:
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

void fillByYears(ChartPlan& plan, std::vector<Currency> values, const QString& stem) {
    const int n = static_cast<int>(values.size());
    plan.series = {std::move(values)};
    plan.categories = numbered(n);
    plan.categoryAxis = QStringLiteral("Years");
    plan.dataLabel = stem + QString::number(n) + QStringLiteral(" Years");
}

void fillComparisons(ChartPlan& plan, std::vector<std::vector<Currency>> series,
                     const QString& label) {
    const int n = series.empty() ? 0 : static_cast<int>(series.front().size());
    plan.legend = true;
    plan.comparison = true;
    plan.series = std::move(series);
    plan.categories = numbered(n);
    plan.categoryAxis = QStringLiteral("Comparison");
    plan.dataLabel = label;
}

} // namespace

QStringList DistinctLabels(const QStringList& names) {
    // Labels are compared as they show: blanks at the ends and runs of blanks inside do not.
    const auto shown = [](const QString& label) { return label.simplified(); };
    QSet<QString> taken;
    for (const QString& name : names)
        taken.insert(shown(name));
    QSet<QString> used;
    QStringList labels;
    for (const QString& name : names) {
        QString label = name;
        if (used.contains(shown(label))) {
            // Numbered from the second of a name on, past any name that already reads so.
            for (int n = 2;; ++n) {
                label = QStringLiteral("%1 (%2)").arg(name.simplified()).arg(n);
                if (!taken.contains(label) && !used.contains(label))
                    break;
            }
        }
        used.insert(shown(label));
        labels << label;
    }
    return labels;
}

ChartPlan BuildCalculatorChart(CalcState& state) {
    ChartPlan plan;
    const ChartKind kind = state.chartKind;
    plan.caption = captionOf(kind);
    try {
        if (kind == ChartKind::InvestedGrowth)
            selectYearEnds(state);
        const int n = state.chartPoints;
        std::vector<Currency> values;
        switch (kind) {
        case ChartKind::CapitalRequired:
        case ChartKind::PensionGrowth:
        case ChartKind::InvestedGrowth:
        case ChartKind::RetiredIncomeRunningDown:
            for (int i = 1; i <= n; ++i)
                values.push_back(state.periodData.at(i, kind == ChartKind::InvestedGrowth ? 5 : 4));
            fillByYears(plan, std::move(values), state.chartTitle);
            plan.seriesNames = {QStringLiteral("Value")};
            break;
        case ChartKind::RetiredIncomeFixed:
            for (int i = 1; i <= n; ++i)
                values.push_back(i == 1 ? state.inputValues.at(1) : state.periodData.at(i - 1, 4));
            fillByYears(plan, std::move(values), state.chartTitle);
            plan.seriesNames = {QStringLiteral("Beginning balance")};
            break;
        case ChartKind::MortgageComparisons: {
            std::vector<Currency> conventional, accelerated;
            for (int i = 1; i <= n; ++i) {
                conventional.push_back(state.comparisonData.at(i, 1));
                accelerated.push_back(state.comparisonData.at(i, 2));
            }
            plan.title = QStringLiteral("Total interest paid");
            fillComparisons(plan, {std::move(conventional), std::move(accelerated)},
                            QStringLiteral("Total interest paid"));
            plan.seriesNames = {QStringLiteral("Conventional"), QStringLiteral("Accelerated")};
            break;
        }
        case ChartKind::CompoundGain:
        case ChartKind::InvestedComparisons:
            for (int i = 1; i <= n; ++i)
                values.push_back(state.comparisonData.at(i, 1));
            fillComparisons(plan, {std::move(values)},
                            kind == ChartKind::CompoundGain
                                ? QStringLiteral("Annual percentage gain/loss comparisons")
                                : QStringLiteral("Total growth values for each comparision"));
            plan.percent = kind == ChartKind::CompoundGain;
            plan.seriesNames = {kind == ChartKind::CompoundGain ? QStringLiteral("Annual %")
                                                                : QStringLiteral("Final value")};
            break;
        default:
            break;
        }
    } catch (const CalcError&) {
        plan.series.clear();
        plan.categories.clear();
        plan.dataLabel.clear();
        plan.title.clear();
        plan.failed = true;
    }
    return plan;
}

ChartPlan BuildManagerChart(int points,
                            const std::function<Currency(int row, int column)>& fundTotal,
                            const QStringList& fundNames, ManagerMeasure measure) {
    ChartPlan plan;
    plan.caption = captionOf(ChartKind::Manager);
    plan.measureButtons = true;
    std::vector<Currency> values;
    QStringList names;
    try {
        for (int i = 1; i <= points; ++i) {
            values.push_back(fundTotal(i, static_cast<int>(measure)));
            names << (i - 1 < fundNames.size() ? fundNames.at(i - 1) : QString::number(i));
        }
    } catch (const CalcError&) {
        plan.failed = true;
        return plan;
    }
    plan.legend = true;
    plan.comparison = true;
    plan.series = {std::move(values)};
    plan.categories = DistinctLabels(names);
    plan.categoryAxis = QStringLiteral("Fund");
    plan.percent = measure == ManagerMeasure::GainPercent;
    switch (measure) {
    case ManagerMeasure::CurrentValue:
        plan.dataLabel = QStringLiteral("Current value of each company/fund");
        break;
    case ManagerMeasure::GainDollars:
        plan.dataLabel = QStringLiteral("Gain or Loss in dollars");
        break;
    case ManagerMeasure::GainPercent:
        plan.dataLabel = QStringLiteral("Gain or Loss in percent");
        break;
    }
    plan.seriesNames = {plan.dataLabel};
    return plan;
}

QStringList ChartInWords(const ChartPlan& plan, const QString& currencySymbol) {
    QStringList lines;
    const QString heading = ChartHeading(plan).simplified();
    if (!heading.isEmpty())
        lines << heading;
    const auto valueText = [&](const Currency& value) {
        const QString number = FormatNumber(value, u"#,##0.00");
        if (plan.percent)
            return number + QLatin1Char('%');
        // A loss reads with its sign before the currency symbol.
        return number.startsWith(QLatin1Char('-'))
                   ? QLatin1Char('-') + currencySymbol + number.mid(1)
                   : currencySymbol + number;
    };
    const bool byYears = !plan.comparison;
    const bool named = plan.series.size() > 1;
    for (std::size_t i = 0; !plan.series.empty() && i < plan.series.front().size(); ++i) {
        const auto point = static_cast<qsizetype>(i);
        QString label;
        if (byYears)
            label = QStringLiteral("Year %1").arg(i + 1);
        else if (plan.categoryAxis == QLatin1String("Comparison"))
            label = QStringLiteral("Comparison %1").arg(plan.categories.value(point));
        else
            label = plan.categories.value(point).trimmed();
        for (std::size_t k = 0; k < plan.series.size(); ++k) {
            if (i >= plan.series[k].size())
                continue;
            QString line = label;
            if (named)
                line += QStringLiteral(", ") +
                        plan.seriesNames.value(static_cast<qsizetype>(k)).trimmed();
            lines << line + QStringLiteral(": ") + valueText(plan.series[k][i]);
        }
    }
    if (plan.series.empty() || plan.series.front().empty())
        lines << QStringLiteral("No values to show.");
    return lines;
}

} // namespace qm
