#include "gui/chart/QMGraph.h"

#include "core/calculators/CalcState.h"
#include "core/output/OutputFile.h"
#include "gui/common/AccessibleList.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Geometry.h"
#include "gui/common/SaveDialog.h"
#include "gui/common/WindowLayout.h"
#include "gui/print/PrintJob.h"
#include "screens/ChartData.h"

#include <QAction>
#include <QBuffer>
#include <QGraphicsView>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
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

} // namespace

QMGraph::QMGraph(const ChartPlan& plan, const QString& currencySymbol, MeasureSource measures,
                 QWidget* parent)
    : QDialog(parent), plan_(std::make_unique<ChartPlan>(plan)), currencySymbol_(currencySymbol),
      measures_(std::move(measures)), drawing_(LoadChartDrawing()) {
    setObjectName(QStringLiteral("QMGraph"));
    // Without the chart module (ShowChart says so before it opens the window) the view stays
    // empty.
    view_ = drawing_ ? drawing_->makeView(this) : new QGraphicsView(this);
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
    if (drawing_)
        drawing_->showPlan(view_, *plan_, currencySymbol_);
}

void QMGraph::switchMeasure(ManagerMeasure measure) {
    // Only the manager's chart has measures to switch between.
    if (!plan_->measureButtons || !measures_)
        return;
    *plan_ = measures_(measure);
    showPlan();
    if (plan_->failed)
        ShowMessage(Message::CannotDrawGraph);
}

void QMGraph::printChart() {
    if (!AskQuestion(Question::ContinuePrinting))
        return;
    // Yes prints the chart in colour; No prints it in grey levels.
    const bool color = AskQuestion(Question::PrintInColour);
    PrintOnDefaultPrinter(documentName(), color ? PrintColor::Color : PrintColor::Grey,
                          [image = printedImage(color)](PrintSheets& sheets, QPainter& painter) {
                              return paintSheet(sheets, painter, image);
                          });
}

QString QMGraph::documentName() const {
    return plan_->caption.isEmpty() ? QStringLiteral("Quillmark chart") : plan_->caption;
}

QImage QMGraph::printedImage(bool color) const {
    const QSize logical(TwipsToPixelsX(PrintWidthTwips, this),
                        TwipsToPixelsY(PrintHeightTwips, this));
    if (!drawing_) {
        QImage blank(logical * PrintScale, QImage::Format_RGB32);
        blank.fill(Qt::white);
        return blank;
    }
    return drawing_->render(*plan_, currencySymbol_, logical, PrintScale, color);
}

bool QMGraph::paintSheet(PrintSheets& sheets, QPainter& painter, const QImage& image) {
    // 9530 by 6350 twips on paper, half an inch from the top-left corner.
    const double perTwip = sheets.resolution() / 1440.0;
    const QRectF target(720 * perTwip, 720 * perTwip, PrintWidthTwips * perTwip,
                        PrintHeightTwips * perTwip);
    painter.drawImage(target, image);
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
    SaveJobAsPdf(SaveAsPdfTitle, documentName(), PrintColor::Color,
                 [this](PrintSheets& sheets, QPainter& painter) {
                     return paintSheet(sheets, painter, printedImage(true));
                 });
}

namespace {

// A chart that could not be built says so first, then opens with what was set.
void Open(QMGraph& window) {
    if (window.plan().failed)
        ShowMessage(Message::CannotDrawGraph);
    window.exec();
}

} // namespace

void ShowChart(const ChartPlan& plan, const QString& currencySymbol,
               const MeasureSource& measures) {
    QString problem;
    if (!LoadChartDrawing(&problem)) {
        ShowPlainMessage(problem);
        return;
    }
    QMGraph window(plan, currencySymbol, measures, CurrentWorkWindow());
    Open(window);
}

void ShowCalculatorChart(CalcState& state, std::unique_ptr<QMGraph> madeAhead) {
    const ChartPlan plan = BuildCalculatorChart(state);
    if (!madeAhead || madeAhead->plan() != plan ||
        madeAhead->currencySymbol() != state.currencySymbol) {
        ShowChart(plan, state.currencySymbol);
        return;
    }
    Open(*madeAhead);
}

std::unique_ptr<QMGraph> MakeCalculatorChart(const CalcState& state, QWidget* parent) {
    if (!LoadChartDrawing())
        return nullptr;
    CalcState copy = state; // building the chart writes the year ends into the state
    return std::make_unique<QMGraph>(BuildCalculatorChart(copy), state.currencySymbol,
                                     MeasureSource{}, parent);
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
    ShowMessage(Message::NothingToGraph);
    return false;
}

} // namespace qm
