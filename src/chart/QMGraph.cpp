#include "chart/QMGraph.h"

#include "app/Dialogs.h"
#include "calculators/CalcState.h"
#include "chart/ChartData.h"
#include "print/OutputFile.h"
#include "print/PrintJob.h"
#include "ui/AccessibleList.h"
#include "ui/Geometry.h"
#include "ui/SaveDialog.h"
#include "ui/WindowLayout.h"

#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QFontMetricsF>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QHBoxLayout>
#include <QLegend>
#include <QLineSeries>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace qm {

namespace {

// The window's own size and the size its chart is printed at, in twips.
constexpr int WindowWidthTwips = 9580;
constexpr int WindowHeightTwips = 6765;
constexpr int PrintWidthTwips = 9530;
constexpr int PrintHeightTwips = 6350;
// The printed image's resolution relative to the screen's 96 pixels per inch.
constexpr double PrintScale = 200.0 / 96.0;

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
QValueAxis* valueAxis(const ChartPlan& plan, const QString& currencySymbol) {
    double low = 0.0, high = 0.0;
    for (const auto& series : plan.series)
        for (const Currency& value : series) {
            low = std::min(low, value.toDouble());
            high = std::max(high, value.toDouble());
        }
    if (low == high)
        high = low + 1.0;
    auto* axis = new QValueAxis;
    axis->setRange(low, high);
    axis->applyNiceNumbers();
    const double step = (axis->max() - axis->min()) / std::max(1, axis->tickCount() - 1);
    const QString number = step < 1.0 ? QStringLiteral("%.2f") : QStringLiteral("%.0f");
    if (plan.percent) {
        axis->setLabelFormat(number + QLatin1Char('%'));
        axis->setTitleText(QStringLiteral("Percent"));
    } else {
        axis->setLabelFormat(currencySymbol + number);
        axis->setTitleText(QStringLiteral("Amount (%1)").arg(currencySymbol));
    }
    return axis;
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

QMGraph::QMGraph(const ChartPlan& plan, const QString& currencySymbol, MeasureSource measures,
                 QWidget* parent)
    : QDialog(parent), plan_(std::make_unique<ChartPlan>(plan)), currencySymbol_(currencySymbol),
      measures_(std::move(measures)) {
    setObjectName(QStringLiteral("QMGraph"));
    view_ = new QChartView(this);
    view_->setObjectName(QStringLiteral("MSChart1"));
    SetAccessibleRole(view_, QAccessible::Chart);
    view_->setRenderHint(QPainter::Antialiasing);
    view_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* png = new QAction(QStringLiteral("Save as PNG..."), view_);
    png->setObjectName(QStringLiteral("SaveAsPng"));
    connect(png, &QAction::triggered, this, &QMGraph::saveAsPng);
    auto* pdf = new QAction(QStringLiteral("Save as PDF..."), view_);
    pdf->setObjectName(QStringLiteral("SaveAsPdf"));
    connect(pdf, &QAction::triggered, this, &QMGraph::saveAsPdf);
    view_->addActions({png, pdf});

    auto* row = new QHBoxLayout;
    const struct {
        const char* name;
        const char* caption;
        ManagerMeasure measure;
    } measureButtons[] = {
        {"CVTotValue", "&Current value", ManagerMeasure::CurrentValue},
        {"CVGainDollars", "&Gain/Loss $", ManagerMeasure::GainDollars},
        {"CVGainPercent", "Gain/&Loss %", ManagerMeasure::GainPercent},
    };
    for (const auto& m : measureButtons) {
        QPushButton* button =
            NamedButton(QString::fromLatin1(m.name), QString::fromLatin1(m.caption), this);
        button->setVisible(plan_->measureButtons);
        const ManagerMeasure measure = m.measure;
        connect(button, &QPushButton::clicked, this, [this, measure] { switchMeasure(measure); });
        row->addWidget(button);
    }
    row->addStretch();
    QPushButton* print = NamedButton(QStringLiteral("QMGPrint"), QStringLiteral("&Print"), this);
    QPushButton* exit = NamedButton(QStringLiteral("QMGExit"), QStringLiteral("E&xit"), this);
    connect(print, &QPushButton::clicked, this, &QMGraph::printChart);
    connect(exit, &QPushButton::clicked, this, &QDialog::accept);
    row->addWidget(print);
    row->addWidget(exit);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view_, 1);
    layout->addLayout(row);
    // Smaller than this the axis labels and the legend crowd each other out.
    setMinimumSize(TwipsToPixelsX(WindowWidthTwips, parent) * 3 / 4,
                   TwipsToPixelsY(WindowHeightTwips, parent) * 3 / 4);
    resize(TwipsToPixelsX(WindowWidthTwips, parent), TwipsToPixelsY(WindowHeightTwips, parent));
    // The view takes its size before it gets the chart, so the chart is laid out once, at the
    // size it is shown at, instead of once here and again when the window is shown.
    layout->activate();
    showPlan();
}

QMGraph::~QMGraph() = default;

void QMGraph::showPlan() {
    setWindowTitle(plan_->caption);
    // Screen readers name the chart by the texts above the plot and read its values, one a line,
    // as its description; both follow the measure shown.
    view_->setAccessibleName(ChartHeading(*plan_).simplified());
    view_->setAccessibleDescription(ChartInWords(*plan_, currencySymbol_).join(QLatin1Char('\n')));
    QChart* old = view_->chart();
    view_->setChart(MakeChart(*plan_, currencySymbol_));
    delete old;
}

void QMGraph::switchMeasure(ManagerMeasure measure) {
    // Only the manager's chart has measures to switch between.
    if (!plan_->measureButtons || !measures_)
        return;
    *plan_ = measures_(measure);
    showPlan();
    if (plan_->failed)
        ShowMessage(9);
}

void QMGraph::printChart() {
    if (!AskQuestion(1))
        return;
    // Yes prints the chart in colour; No prints it in grey levels.
    const bool color = AskQuestion(2);
    PrintOnDefaultPrinter(
        documentName(), color ? QPrinter::Color : QPrinter::GrayScale,
        [&](QPrinter& printer, QPainter& painter) { return paintSheet(printer, painter, color); });
}

QString QMGraph::documentName() const {
    return plan_->caption.isEmpty() ? QStringLiteral("Quillmark chart") : plan_->caption;
}

QImage QMGraph::printedImage(bool color) const {
    const QSize logical(TwipsToPixelsX(PrintWidthTwips, this),
                        TwipsToPixelsY(PrintHeightTwips, this));
    return RenderChartImage(*plan_, currencySymbol_, logical, PrintScale, color);
}

bool QMGraph::paintSheet(QPrinter& printer, QPainter& painter, bool color) const {
    // 9530 by 6350 twips on paper, half an inch from the top-left corner.
    const double perTwip = printer.resolution() / 1440.0;
    const QRectF target(720 * perTwip, 720 * perTwip, PrintWidthTwips * perTwip,
                        PrintHeightTwips * perTwip);
    painter.drawImage(target, printedImage(color));
    return true;
}

void QMGraph::saveAsPng() {
    SaveCopy(QStringLiteral("Save as PNG"), PngFile, documentName(), [this](QString& problem) {
        QImage image = printedImage(true);
        // Its resolution says how large it was printed: 9530 by 6350 twips.
        constexpr double MetresPerTwip = 0.0254 / 1440.0;
        image.setDotsPerMeterX(
            static_cast<int>(std::lround(image.width() / (PrintWidthTwips * MetresPerTwip))));
        image.setDotsPerMeterY(
            static_cast<int>(std::lround(image.height() / (PrintHeightTwips * MetresPerTwip))));
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!image.save(&buffer, "PNG"))
            problem = QStringLiteral("the picture could not be made.");
        return bytes;
    });
}

void QMGraph::saveAsPdf() {
    SaveJobAsPdf(SaveAsPdfTitle, documentName(), QPrinter::Color,
                 [this](QPrinter& printer, QPainter& painter) {
                     return paintSheet(printer, painter, true);
                 });
}

void ShowChart(const ChartPlan& plan, const QString& currencySymbol,
               const MeasureSource& measures) {
    QMGraph window(plan, currencySymbol, measures, CurrentWorkWindow());
    if (plan.failed)
        ShowMessage(9);
    window.exec();
}

void ShowCalculatorChart(CalcState& state) {
    ShowChart(BuildCalculatorChart(state), state.currencySymbol);
}

void ShowManagerChart(int points, const std::function<Currency(int row, int column)>& fundTotal,
                      const QStringList& fundNames, const QString& currencySymbol) {
    const MeasureSource measures = [points, fundTotal, fundNames](ManagerMeasure measure) {
        return BuildManagerChart(points, fundTotal, fundNames, measure);
    };
    ShowChart(measures(ManagerMeasure::GainDollars), currencySymbol, measures);
}

bool ReadyToGraph(const QString& resultsText, int chartPoints) {
    if (!resultsText.isEmpty() && chartPoints != 0)
        return true;
    ShowMessage(4);
    return false;
}

} // namespace qm
