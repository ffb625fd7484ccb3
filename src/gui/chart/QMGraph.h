#pragma once

#include "gui/chart/ChartDrawing.h"

#include <QDialog>
#include <QImage>
#include <QSize>
#include <QStringList>
#include <functional>
#include <memory>

class QGraphicsView;
class QPainter;

namespace qm {

class PrintSheets;

// From chart/ChartData.h and calculators/CalcState.h (kept out of this header: the meta-object
// compiler cannot read the standard library's newest headers).
struct ChartPlan;
struct CalcState;
class Currency;
enum class ManagerMeasure;

// Builds the manager's chart anew for another measure (the measure buttons of the chart window).
using MeasureSource = std::function<ChartPlan(ManagerMeasure)>;

// The chart window: shows one ChartPlan in the chart control `MSChart1` (money values carry the
// currency symbol of the window that opened it), prints it (`QMGPrint`), closes (`QMGExit`); the
// manager's measure buttons `CVTotValue`, `CVGainDollars` and `CVGainPercent` are shown only for a
// chart that asks for them and rebuild it through `measures`.
class QMGraph : public QDialog {
    Q_OBJECT
public:
    QMGraph(const ChartPlan& plan, const QString& currencySymbol, MeasureSource measures = {},
            QWidget* parent = nullptr);
    ~QMGraph() override;

    const ChartPlan& plan() const { return *plan_; }
    const QString& currencySymbol() const { return currencySymbol_; }

    // "&Print": asks " Continue with Printout." and " Print in Color.", then prints the chart at
    // 9530 by 6350 twips on the default printer (without one, offers it as a PDF file).
    void printChart();

    // The chart's context menu: "Save as PNG..." the picture printed in colour, at the printed
    // size; "Save as PDF..." the sheet printed in colour.
    void saveAsPng();
    void saveAsPdf();

private:
    void showPlan();
    // The chart as printed: its picture (drawn here, by the widgets) and the one sheet it is
    // placed on (on whichever thread paints the job).
    QImage printedImage(bool color) const;
    static bool paintSheet(PrintSheets& sheets, QPainter& painter, const QImage& image);
    QString documentName() const;
    void switchMeasure(ManagerMeasure measure);

    std::unique_ptr<ChartPlan> plan_;
    QString currencySymbol_;
    MeasureSource measures_;
    const ChartDrawing* drawing_;
    QGraphicsView* view_;
};

// Opens the chart window modally on `plan`, money values carrying `currencySymbol`. A chart that
// could not be built first shows message 9 "Cannot draw graph, try again." and then opens with what
// was set.
void ShowChart(const ChartPlan& plan, const QString& currencySymbol,
               const MeasureSource& measures = {});

// "&Graph" of the calculator window: the chart of the last calculation (BuildCalculatorChart),
// in the window's currency symbol (CalcState::currencySymbol). A window made ahead
// (MakeCalculatorChart) is the one shown when it shows that same chart; otherwise one is made.
void ShowCalculatorChart(CalcState& state, std::unique_ptr<QMGraph> madeAhead = nullptr);

// The chart window "&Graph" would open on `state`, made hidden inside `parent` (it leaves `state`
// as it is); null when the chart module cannot be loaded.
std::unique_ptr<QMGraph> MakeCalculatorChart(const CalcState& state, QWidget* parent);

// "&Graph" of the manager: one value per fund 1..points from `fundTotal(row, column)` (columns 3,
// 4 and 5 for the three measures), labelled by `fundNames`; opens on the gain or loss in money.
void ShowManagerChart(int points, const std::function<Currency(int row, int column)>& fundTotal,
                      const QStringList& fundNames, const QString& currencySymbol);

// The refusal of both "&Graph" buttons: true when there is something to chart (the results box
// is not empty and there are points); otherwise shows message 4 "No data to graph, Calculate."
// and returns false.
bool ReadyToGraph(const QString& resultsText, int chartPoints);

} // namespace qm
