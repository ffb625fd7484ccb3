#include "gui/chart/ChartDrawing.h"

#include "screens/ChartData.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace qm {

namespace {

// Fill and outline of the k-th bar set: solid for the first, hatched for the second, so that
// the two mortgage columns stay apart on a black-and-white page.
QBrush barBrush(std::size_t k, bool color) {
    static const QColor colors[] = {QColor(31, 78, 145), QColor(214, 120, 30)};
    const QColor c = color ? colors[k % 2] : (k % 2 == 0 ? QColor(70, 70, 70) : QColor(Qt::black));
    return k % 2 == 0 ? QBrush(c, Qt::SolidPattern) : QBrush(c, Qt::BDiagPattern);
}

QPen linePen(std::size_t k, bool color) {
    static const Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine};
    QPen pen(color ? QColor(31, 78, 145) : QColor(Qt::black));
    pen.setWidthF(2.0);
    pen.setStyle(styles[k % 3]);
    return pen;
}

// A value axis from zero (or below, for losses) to the largest value, in money or percent.
// Money is labelled here, tick by tick: Qt Charts' own label format is printf-style and keeps
// only the characters of one byte, so a symbol such as "€" or "£" would not survive it.
QValueAxis* valueAxis(const ChartPlan& plan, const QString& currencySymbol) {
    double low = 0.0, high = 0.0;
    for (const auto& series : plan.series)
        for (const Currency& value : series) {
            low = std::min(low, value.toDouble());
            high = std::max(high, value.toDouble());
        }
    if (low == high)
        high = low + 1.0;
    QValueAxis* axis = plan.percent ? new QValueAxis : new QCategoryAxis;
    axis->setRange(low, high);
    axis->applyNiceNumbers();
    const int ticks = std::max(2, axis->tickCount());
    const double step = (axis->max() - axis->min()) / (ticks - 1);
    const int decimals = step < 1.0 ? 2 : 0;
    if (plan.percent) {
        axis->setLabelFormat(QStringLiteral("%.%1f%").arg(decimals));
        axis->setTitleText(QStringLiteral("Percent"));
        return axis;
    }
    auto* money = static_cast<QCategoryAxis*>(axis);
    money->setStartValue(money->min());
    money->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int i = 0; i < ticks; ++i) {
        double value = money->min() + i * step;
        if (std::abs(value) < step * 1e-9)
            value = 0.0; // never "-0"
        // The axis reads its labels as rich text; the symbol shows as it was typed.
        money->append((currencySymbol + QString::number(value, 'f', decimals)).toHtmlEscaped(),
                      value);
    }
    money->setTitleText(QStringLiteral("Amount (%1)").arg(currencySymbol).toHtmlEscaped());
    return money;
}

// Year axis of a chart over time: whole years, labelled every 1, 2 or 5 years.
QValueAxis* yearAxis(int years) {
    auto* axis = new QValueAxis;
    axis->setRange(years > 1 ? 1.0 : 0.0, std::max(years, 2));
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0.0);
    axis->setTickInterval(years <= 10 ? 1.0 : years <= 20 ? 2.0 : 5.0);
    axis->setLabelFormat(QStringLiteral("%.0f"));
    return axis;
}

// Labels wider than their bars' share of the axis are cut short; standing upright they have
// more room, so most names show whole (funds that share a name differ only at the end).
void standUprightWhenCrowded(QChart* chart, QBarCategoryAxis* axis, const QStringList& labels) {
    const auto fit = [axis, labels](const QRectF& plot) {
        const QFontMetricsF metrics(axis->labelsFont());
        double widest = 0.0;
        for (const QString& label : labels)
            widest = std::max(widest, metrics.horizontalAdvance(label));
        const double share = plot.width() / std::max<qsizetype>(1, labels.size());
        const int angle = widest + metrics.averageCharWidth() > share ? -90 : 0;
        if (axis->labelsAngle() != angle)
            axis->setLabelsAngle(angle);
    };
    QObject::connect(chart, &QChart::plotAreaChanged, axis, fit);
}

} // namespace

QChart* MakeChart(const ChartPlan& plan, const QString& currencySymbol, bool color) {
    auto* chart = new QChart;
    // The font before the text: the title is laid out once.
    QFont titleFont = chart->titleFont();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.2);
    titleFont.setBold(true);
    chart->setTitleFont(titleFont);
    chart->setTitle(ChartHeading(plan));
    chart->legend()->setVisible(plan.legend);
    chart->legend()->setAlignment(Qt::AlignBottom);
    if (plan.series.empty() || plan.series.front().empty())
        return chart;

    QValueAxis* values = valueAxis(plan, currencySymbol);
    chart->addAxis(values, Qt::AlignLeft);
    if (plan.comparison) {
        auto* bars = new QBarSeries;
        for (std::size_t k = 0; k < plan.series.size(); ++k) {
            auto* set = new QBarSet(plan.seriesNames.value(static_cast<qsizetype>(k)));
            for (const Currency& value : plan.series[k])
                set->append(value.toDouble());
            set->setBrush(barBrush(k, color));
            set->setPen(QPen(Qt::black, 1.0));
            bars->append(set);
        }
        chart->addSeries(bars);
        auto* categories = new QBarCategoryAxis;
        // The axis reads its labels as rich text; a fund's name shows as it was typed.
        QStringList labels;
        for (const QString& label : plan.categories)
            labels << label.toHtmlEscaped();
        categories->append(labels);
        standUprightWhenCrowded(chart, categories, plan.categories);
        categories->setTitleText(plan.categoryAxis);
        chart->addAxis(categories, Qt::AlignBottom);
        bars->attachAxis(categories);
        bars->attachAxis(values);
    } else {
        const int years = static_cast<int>(plan.series.front().size());
        QValueAxis* axis = yearAxis(years);
        axis->setTitleText(plan.categoryAxis);
        chart->addAxis(axis, Qt::AlignBottom);
        for (std::size_t k = 0; k < plan.series.size(); ++k) {
            auto* line = new QLineSeries;
            line->setName(plan.seriesNames.value(static_cast<qsizetype>(k)));
            for (std::size_t i = 0; i < plan.series[k].size(); ++i)
                line->append(static_cast<double>(i + 1), plan.series[k][i].toDouble());
            line->setPen(linePen(k, color));
            line->setPointsVisible(true);
            chart->addSeries(line);
            line->attachAxis(axis);
            line->attachAxis(values);
        }
    }
    return chart;
}

QImage RenderChartImage(const ChartPlan& plan, const QString& currencySymbol, QSize logicalSize,
                        double scale, bool color) {
    // Made with its chart: a view made without one makes a chart of its own, which setChart
    // would hand back to nobody.
    QChartView view(MakeChart(plan, currencySymbol, color));
    view.setRenderHint(QPainter::Antialiasing);
    view.setFrameShape(QFrame::NoFrame);
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.resize(logicalSize);
    view.show(); // laid out but never on screen
    view.chart()->layout()->activate();
    view.chart()->layout()->activate(); // again once the labels have found their angle
    QImage image(logicalSize * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The chart's scene is drawn straight into the finer image, so text and lines stay sharp.
    view.scene()->render(&painter, QRectF(QPointF(0, 0), image.size()),
                         QRectF(QPointF(0, 0), logicalSize));
    painter.end();
    return color ? image : image.convertToFormat(QImage::Format_Grayscale8);
}

namespace {

QGraphicsView* makeView(QWidget* parent) {
    return new QChartView(parent);
}

void showPlan(QGraphicsView* view, const ChartPlan& plan, const QString& currencySymbol) {
    auto* chartView = static_cast<QChartView*>(view);
    QChart* old = chartView->chart();
    chartView->setChart(MakeChart(plan, currencySymbol));
    delete old;
}

const ChartDrawing drawing{makeView, showPlan, RenderChartImage};

} // namespace

} // namespace qm

// The module's one entry point (LoadChartDrawing): its drawing functions.
extern "C" __attribute__((visibility("default"))) const qm::ChartDrawing* qm_chart_drawing() {
    return &qm::drawing;
}
