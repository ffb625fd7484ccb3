#include "gui/chart/QMGraph.h"
#include "gui/print/PrintJob.h"
#include "screens/ChartData.h"
#include "support/CaseName.h"
#include "support/UiHelpers.h"

#include <QAccessible>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QLegend>
#include <QLineSeries>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocument>
#include <QValueAxis>
#include <gtest/gtest.h>
#include <memory>

using namespace qm;
using namespace qmtest;

namespace {

// These tests never reach a real printer: the test main points the print system at a socket
// that does not exist, and no printer is named in the environment either.
const bool noPrintSystem = [] {
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    return true;
}();

Currency units(int n) {
    return Currency::fromUnits(n);
}

// What the open chart window shows.
struct Shown {
    QString caption, heading;
    bool legend = false;
    bool bars = false;
    std::vector<std::vector<double>> series; // per bar set or line, the plotted values
    std::vector<Qt::BrushStyle> fills;       // per bar set
    bool measureButtons = false;
    QString valueFormat;
    // What a screen reader reads of the chart: its role, name and description.
    QAccessible::Role role = QAccessible::NoRole;
    QString readName, readDescription;
};

Shown inspect(QWidget* window) {
    Shown shown;
    shown.caption = window->windowTitle();
    QChart* chart = child<QChartView>(window, QStringLiteral("MSChart1"))->chart();
    shown.heading = chart->title();
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(
        child<QChartView>(window, QStringLiteral("MSChart1")));
    shown.role = read->role();
    shown.readName = read->text(QAccessible::Name);
    shown.readDescription = read->text(QAccessible::Description);
    shown.legend = chart->legend()->isVisible();
    for (QAbstractSeries* series : chart->series()) {
        if (auto* bars = qobject_cast<QBarSeries*>(series)) {
            shown.bars = true;
            for (QBarSet* set : bars->barSets()) {
                std::vector<double> values;
                for (int i = 0; i < set->count(); ++i)
                    values.push_back(set->at(i));
                shown.series.push_back(values);
                shown.fills.push_back(set->brush().style());
            }
        } else if (auto* line = qobject_cast<QLineSeries*>(series)) {
            std::vector<double> values;
            for (const QPointF& p : line->points())
                values.push_back(p.y());
            shown.series.push_back(values);
        }
    }
    // Percent by the axis's own format; money labelled tick by tick (one label shown here, its
    // digits as "9").
    for (QAbstractAxis* axis : chart->axes(Qt::Vertical)) {
        if (auto* money = qobject_cast<QCategoryAxis*>(axis))
            shown.valueFormat = money->categoriesLabels().value(1).replace(
                QRegularExpression(QStringLiteral("[0-9]+")), QStringLiteral("9"));
        else if (auto* values = qobject_cast<QValueAxis*>(axis))
            shown.valueFormat = values->labelFormat();
    }
    shown.measureButtons =
        !child<QPushButton>(window, QStringLiteral("CVTotValue"))->isHidden() &&
        !child<QPushButton>(window, QStringLiteral("CVGainDollars"))->isHidden() &&
        !child<QPushButton>(window, QStringLiteral("CVGainPercent"))->isHidden();
    return shown;
}

// Runs `open`, inspects the chart window it opens and closes it; returns the texts of the
// dialogs shown on the way (the chart window's own is empty).
QStringList openAndInspect(const std::function<void()>& open, Shown& shown,
                           const std::function<void(QWidget*)>& alsoDo = {}) {
    return runAnsweringModals(open, [&](QWidget* dialog) {
        if (dialog->objectName() != QLatin1String("QMGraph")) {
            pressButton(dialog, QStringLiteral("AMsgExit"));
            return;
        }
        shown = inspect(dialog);
        if (alsoDo)
            alsoDo(dialog);
        pressButton(dialog, QStringLiteral("QMGExit"));
    });
}

// The chart hand-over of one calculator: three points of 100, 200, 300 (the mortgage's second
// series 10, 20, 30), with the title stem its calculator leaves.
CalcState handOver(int kind) {
    CalcState state;
    state.chartKind = static_cast<ChartKind>(kind);
    state.chartPoints = 3;
    for (int i = 1; i <= 12; ++i)
        state.periodData.at(i, 4) = units(100 * i);
    for (int i = 1; i <= 4; ++i) {
        state.comparisonData.at(i, 1) = units(100 * i);
        state.comparisonData.at(i, 2) = units(10 * i);
    }
    state.inputValues[1] = units(50);
    if (kind == 9) {
        state.chartPeriodCount = 12;
        state.chartPeriodsPerYear = 4; // year ends at periods 4, 8, 12
    }
    const std::map<int, const char*> stems = {
        {3, "Growth in capital required over "},    {4, " Pension growth over "},
        {5, "Totals for comparisons, number "},     {6, "Percentage gain/loss for comparisions "},
        {7, "Totals for comparisons, number "},     {9, "Investment growth over "},
        {10, "Retirement beginning balance over "}, {11, "Retirement ending balance over "}};
    state.chartTitle = QString::fromLatin1(stems.at(kind));
    return state;
}

struct CodeCase {
    int kind;
    const char* caption;
    const char* heading;
    bool legend, bars;
    std::vector<std::vector<double>> series;
};

void PrintTo(const CodeCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.kind, c.caption, c.heading, c.legend, c.bars, c.series);
}

class CalculatorCharts : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CalculatorCharts, ShowCaptionLabelLegendAndValues) {
    const CodeCase& c = GetParam();
    CalcState state = handOver(c.kind);
    Shown shown;
    const QStringList dialogs = openAndInspect([&] { ShowCalculatorChart(state); }, shown);
    EXPECT_EQ(dialogs, QStringList{QString()}) << "only the chart window opens";
    EXPECT_EQ(shown.caption, QString::fromLatin1(c.caption));
    EXPECT_EQ(shown.heading, QString::fromLatin1(c.heading));
    EXPECT_EQ(shown.legend, c.legend);
    EXPECT_EQ(shown.bars, c.bars);
    EXPECT_EQ(shown.series, c.series);
    // A screen reader reads the heading, then one line for each value plotted.
    std::size_t values = 0;
    for (const auto& series : c.series)
        values += series.size();
    EXPECT_EQ(shown.readName, QString::fromLatin1(c.heading).simplified());
    EXPECT_EQ(shown.readDescription.split(QLatin1Char('\n')).size(),
              static_cast<qsizetype>(values + 1));
    if (shown.fills.size() == 2) { // the mortgage's two columns differ by pattern, not colour alone
        EXPECT_NE(shown.fills[0], shown.fills[1]);
    }
    EXPECT_FALSE(shown.measureButtons);
    EXPECT_EQ(shown.valueFormat, c.kind == 6 ? "%.0f%" : "$9");
}

INSTANTIATE_TEST_SUITE_P(EveryCode, CalculatorCharts,
                         ::testing::Values(CodeCase{3,
                                                    "Capital required",
                                                    "Growth in capital required over 3 Years",
                                                    false,
                                                    false,
                                                    {{100, 200, 300}}},
                                           CodeCase{4,
                                                    "Pension growth",
                                                    " Pension growth over 3 Years",
                                                    false,
                                                    false,
                                                    {{100, 200, 300}}},
                                           CodeCase{5,
                                                    "Mortgage comparisons",
                                                    "Total interest paid",
                                                    true,
                                                    true,
                                                    {{100, 200, 300}, {10, 20, 30}}},
                                           CodeCase{6,
                                                    "Compound gain",
                                                    "Annual percentage gain/loss comparisons",
                                                    true,
                                                    true,
                                                    {{100, 200, 300}}},
                                           CodeCase{7,
                                                    "Investment growth",
                                                    "Total growth values for each comparision",
                                                    true,
                                                    true,
                                                    {{100, 200, 300}}},
                                           CodeCase{9,
                                                    "Invested growth",
                                                    "Investment growth over 3 Years",
                                                    false,
                                                    false,
                                                    {{400, 800, 1200}}},
                                           CodeCase{10,
                                                    "Retirement income",
                                                    "Retirement beginning balance over 3 Years",
                                                    false,
                                                    false,
                                                    {{50, 100, 200}}},
                                           CodeCase{11,
                                                    "Retirement income",
                                                    "Retirement ending balance over 3 Years",
                                                    false,
                                                    false,
                                                    {{100, 200, 300}}}),
                         [](const auto& info) { return "Code" + std::to_string(info.param.kind); });

TEST(ChartWindow, MoneyAxisCarriesTheCurrencySymbol) {
    // The symbol is the one the calculator window was opened with.
    CalcState state = handOver(3);
    state.currencySymbol = QStringLiteral("€");
    Shown shown;
    openAndInspect([&] { ShowCalculatorChart(state); }, shown);
    EXPECT_EQ(shown.valueFormat, QStringLiteral("€9"));
}

TEST(ChartWindow, ManagerMeasuresSwitchValuesAndLabel) {
    auto totals = [](int row, int column) { return Currency::fromUnits(row * 1000 + column); };
    const QStringList names{QStringLiteral("Alpha"), QStringLiteral("Beta")};
    struct Step {
        const char* button; // empty: as the window opens
        const char* heading;
        std::vector<double> values;
        const char* format;
        const char* read; // the values as a screen reader reads them
    };
    const std::vector<Step> steps = {
        {"", "Gain or Loss in dollars", {1004, 2004}, "$9", "Alpha: $1,004.00\nBeta: $2,004.00"},
        {"CVTotValue",
         "Current value of each company/fund",
         {1003, 2003},
         "$9",
         "Alpha: $1,003.00\nBeta: $2,003.00"},
        {"CVGainPercent",
         "Gain or Loss in percent",
         {1005, 2005},
         "%.0f%",
         "Alpha: 1,005.00%\nBeta: 2,005.00%"},
        {"CVGainDollars",
         "Gain or Loss in dollars",
         {1004, 2004},
         "$9",
         "Alpha: $1,004.00\nBeta: $2,004.00"},
    };
    Shown first;
    std::vector<Shown> after;
    openAndInspect([&] { ShowManagerChart(2, totals, names, QStringLiteral("$")); }, first,
                   [&](QWidget* window) {
                       for (const Step& step : steps)
                           if (*step.button) {
                               pressButton(window, QString::fromLatin1(step.button));
                               after.push_back(inspect(window));
                           }
                   });
    ASSERT_EQ(after.size(), steps.size() - 1);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const Shown& shown = i == 0 ? first : after[i - 1];
        SCOPED_TRACE(steps[i].heading);
        EXPECT_EQ(shown.caption, "Investment manager charts");
        EXPECT_EQ(shown.heading, QString::fromLatin1(steps[i].heading));
        EXPECT_TRUE(shown.legend);
        EXPECT_TRUE(shown.bars);
        EXPECT_TRUE(shown.measureButtons);
        EXPECT_EQ(shown.series, std::vector<std::vector<double>>{steps[i].values});
        EXPECT_EQ(shown.valueFormat, QString::fromLatin1(steps[i].format));
        // A screen reader follows the measure: the chart's name and every value with its fund.
        EXPECT_EQ(shown.role, QAccessible::Chart);
        EXPECT_EQ(shown.readName, QString::fromLatin1(steps[i].heading));
        EXPECT_EQ(shown.readDescription, QString::fromLatin1(steps[i].heading) + QLatin1Char('\n') +
                                             QString::fromLatin1(steps[i].read));
    }
}

TEST(ChartWindow, MeasureButtonsDoNothingForACalculatorChart) {
    // Even when a calculator chart's hidden buttons are pressed, its values stay.
    CalcState state = handOver(3);
    Shown before, after;
    openAndInspect([&] { ShowCalculatorChart(state); }, before,
                   [&](QWidget* window) {
                       pressButton(window, QStringLiteral("CVTotValue"));
                       after = inspect(window);
                   });
    EXPECT_EQ(after.series, before.series);
    EXPECT_EQ(after.heading, before.heading);
}

TEST(ChartWindow, FailedBuildShowsMessage9ThenOpensWithWhatWasSet) {
    struct Case {
        const char* what;
        CalcState state;
        const char* caption;
    };
    CalcState beyondTable = handOver(6);
    beyondTable.chartPoints = 22; // past the last comparison row
    CalcState noPeriodsPerYear = handOver(9);
    noPeriodsPerYear.chartPeriodsPerYear = 0;
    for (Case& c :
         std::vector<Case>{{"comparison row 22", beyondTable, "Compound gain"},
                           {"no periods per year", noPeriodsPerYear, "Invested growth"}}) {
        SCOPED_TRACE(c.what);
        Shown shown;
        const QStringList dialogs = openAndInspect([&] { ShowCalculatorChart(c.state); }, shown);
        EXPECT_EQ(dialogs,
                  (QStringList{QStringLiteral("Cannot draw graph, try again."), QString()}));
        EXPECT_EQ(shown.caption, QString::fromLatin1(c.caption));
        EXPECT_TRUE(shown.series.empty());
    }
}

TEST(ChartWindow, PrintAsksToContinueThenForColour) {
    struct Case {
        std::vector<const char*> answers;
        QStringList shown;
    };
    // The tests have no printer: the chart is offered as a PDF instead (closing the dialog
    // saves nothing).
    const QString noPrinter = NoPrinterSaveTitle;
    const std::vector<Case> cases = {
        {{"AllNo"}, {QStringLiteral(" Continue with Printout.")}},
        {{"AllYes", "AllYes"},
         {QStringLiteral(" Continue with Printout."), QStringLiteral(" Print in Color."),
          noPrinter}},
        {{"AllYes", "AllNo"},
         {QStringLiteral(" Continue with Printout."), QStringLiteral(" Print in Color."),
          noPrinter}},
    };
    for (const Case& c : cases) {
        CalcState state = handOver(4);
        QMGraph window(BuildCalculatorChart(state), state.currencySymbol);
        window.show();
        std::size_t answered = 0;
        QStringList shown;
        runAnsweringModals([&] { pressButton(&window, QStringLiteral("QMGPrint")); },
                           [&](QWidget* dialog) {
                               shown << (dialog->objectName() == QLatin1String("SaveAsDialog")
                                             ? dialog->windowTitle()
                                             : dialogText(dialog));
                               if (dialog->objectName() == QLatin1String("AllYesNo") &&
                                   answered < c.answers.size())
                                   pressButton(dialog, QString::fromLatin1(c.answers[answered++]));
                               else
                                   dialog->close();
                           });
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(answered, c.answers.size());
        EXPECT_TRUE(window.isVisible()) << "the chart window stays open after printing";
    }
}

TEST(ChartWindow, GraphButtonsRefuseWithoutData) {
    struct Case {
        const char* results;
        int points;
        bool ready;
    };
    for (const Case& c :
         {Case{"", 3, false}, Case{"page", 0, false}, Case{"", 0, false}, Case{"page", 3, true}}) {
        bool ready = !c.ready;
        const QStringList shown = runAnsweringModals(
            [&] { ready = ReadyToGraph(QString::fromLatin1(c.results), c.points); },
            [](QWidget* dialog) { pressButton(dialog, QStringLiteral("AMsgExit")); });
        EXPECT_EQ(ready, c.ready);
        EXPECT_EQ(shown, c.ready ? QStringList{}
                                 : QStringList{QStringLiteral("No data to graph, Calculate.")});
    }
}

TEST(ChartWindow, PrintedImageHasThePrintSizeInColourOrGrey) {
    CalcState state = handOver(5);
    const ChartPlan plan = BuildCalculatorChart(state);
    for (bool color : {true, false}) {
        const QImage image =
            RenderChartImage(plan, QStringLiteral("$"), QSize(300, 200), 2.0, color);
        EXPECT_EQ(image.size(), QSize(600, 400));
        EXPECT_EQ(image.isGrayscale(), !color);
        int inked = 0; // pixels that are not paper white: the chart was drawn
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                inked += image.pixel(x, y) != qRgb(255, 255, 255);
        EXPECT_GT(inked, image.width() * image.height() / 50) << "color " << color;
    }
}

// The category axis reads its labels as rich text; names with markup or entities in them still
// show character for character, each under its own bar.
TEST(ChartWindow, FundNamesShowAsTyped) {
    const QStringList names{"AT&amp;T", "<b>Bold</b> & Co", "Growth", "Growth", "1 < 2 > 0"};
    const ChartPlan plan = BuildManagerChart(
        static_cast<int>(names.size()), [](int row, int) { return units(row * 100); }, names);
    std::unique_ptr<QChart> chart(MakeChart(plan, QStringLiteral("$")));
    QStringList shown;
    for (QAbstractAxis* axis : chart->axes(Qt::Horizontal)) {
        if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis)) {
            for (const QString& label : categories->categories()) {
                QTextDocument document;
                document.setHtml(label);
                shown << document.toPlainText();
            }
        }
    }
    EXPECT_EQ(shown,
              QStringList({"AT&amp;T", "<b>Bold</b> & Co", "Growth", "Growth (2)", "1 < 2 > 0"}));
}

// The value axis labels its ticks and names its unit with the currency symbol as it was set, in
// any script and of any length, each character drawn (none lost to "?").
TEST(ChartWindow, CurrencySymbolsOfAnyScriptShowOnTheValueAxis) {
    const QStringList names{"Cedar", "Pine"};
    const ChartPlan plan = BuildManagerChart(
        2, [](int row, int) { return units(row * 400); }, names);
    for (const QString symbol : {"$", "\u20ac", "\u00a3", "\u00a5", "\u20b9", "CHF ", "kr", "&<"}) {
        QMGraph window(plan, symbol);
        window.show();
        QApplication::processEvents();
        auto* view = child<QChartView>(&window, QStringLiteral("MSChart1"));
        QStringList drawn;
        for (QGraphicsItem* item : view->scene()->items())
            if (auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item);
                text && text->isVisible())
                drawn << text->toPlainText();
        const std::string seen = drawn.join(QStringLiteral(" | ")).toStdString();
        for (const QString& label : {symbol + QStringLiteral("0"), symbol + QStringLiteral("400"),
                                     QStringLiteral("Amount (%1)").arg(symbol)})
            EXPECT_TRUE(drawn.contains(label)) << label.toStdString() << " in " << seen;
    }
}

// In the chart window, names that do not fit side by side stand upright and show whole; names
// that fit stay level.
TEST(ChartWindow, CrowdedFundNamesStandUprightAndShowWhole) {
    const struct {
        int funds;
        int angle;
    } cases[] = {{3, 0}, {18, -90}};
    for (const auto& c : cases) {
        QStringList names;
        for (int i = 0; i < c.funds; ++i)
            names << (i % 3 == 2 ? QStringLiteral("Growth") : QStringLiteral("Fund %1").arg(i));
        QMGraph window(BuildManagerChart(
                           c.funds, [](int row, int) { return units(row * 100); }, names),
                       QStringLiteral("$"));
        window.show();
        QApplication::processEvents();
        auto* view = child<QChartView>(&window, QStringLiteral("MSChart1"));
        auto* axis = qobject_cast<QBarCategoryAxis*>(view->chart()->axes(Qt::Horizontal).front());
        ASSERT_NE(axis, nullptr);
        EXPECT_EQ(axis->labelsAngle(), c.angle) << c.funds << " funds";
        QStringList drawn;
        for (QGraphicsItem* item : view->scene()->items())
            if (auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item);
                text && text->isVisible())
                drawn << text->toPlainText();
        for (const QString& label : DistinctLabels(names))
            EXPECT_TRUE(drawn.contains(label)) << c.funds << " funds: " << label.toStdString();
    }
}

} // namespace
