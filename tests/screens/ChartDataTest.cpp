#include "screens/ChartData.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace qm;

namespace {

Currency units(int n) {
    return Currency::fromUnits(n);
}

// An invested-growth table of `periods` rows whose value column holds 1000 x the period number.
CalcState growthTable(int periods, int perYear, int years) {
    CalcState state;
    for (int r = 1; r <= periods; ++r)
        state.periodData.at(r, 4) = units(1000 * r);
    state.chartKind = ChartKind::InvestedGrowth;
    state.chartPoints = years;
    state.chartTitle = QStringLiteral("Investment growth over ");
    state.chartPeriodCount = periods;
    state.chartPeriodsPerYear = perYear;
    return state;
}

TEST(CalculatorChart, YearEndSelectionPicksTheLastPeriodOfEveryYear) {
    struct Case {
        int periods, perYear, years;
        std::vector<int> periodsPlotted;
        const char* label;
    };
    std::vector<int> monthly;
    for (int m = 12; m <= 300; m += 12)
        monthly.push_back(m);
    for (const Case& c : {Case{300, 12, 25, monthly, "Investment growth over 25 Years"},
                          Case{8, 4, 2, {4, 8}, "Investment growth over 2 Years"},
                          Case{1, 1, 1, {1}, "Investment growth over 1 Years"}}) {
        CalcState state = growthTable(c.periods, c.perYear, c.years);
        const ChartPlan plan = BuildCalculatorChart(state);
        EXPECT_EQ(plan.caption, "Invested growth");
        EXPECT_EQ(plan.dataLabel, QString::fromLatin1(c.label));
        EXPECT_FALSE(plan.legend);
        ASSERT_EQ(plan.series.size(), 1u);
        std::vector<Currency> expected;
        for (int p : c.periodsPlotted)
            expected.push_back(units(1000 * p));
        EXPECT_EQ(plan.series.front(), expected);
        EXPECT_EQ(state.chartPoints, static_cast<int>(c.periodsPlotted.size()));
        // Opening the chart again gives the same picture.
        EXPECT_EQ(BuildCalculatorChart(state).series, plan.series);
    }
}

TEST(CalculatorChart, ByYearsCodesUseTheTitleStemAndCount) {
    struct Case {
        int kind;
        const char* stem;
        const char* caption;
        const char* label;
    };
    for (const Case& c :
         {Case{3, "Growth in capital required over ", "Capital required",
               "Growth in capital required over 3 Years"},
          Case{4, " Pension growth over ", "Pension growth", " Pension growth over 3 Years"},
          Case{11, "Retirement ending balance over ", "Retirement income",
               "Retirement ending balance over 3 Years"}}) {
        CalcState state;
        for (int r = 1; r <= 4; ++r)
            state.periodData.at(r, 4) = units(r);
        state.chartKind = static_cast<ChartKind>(c.kind);
        state.chartPoints = 3;
        state.chartTitle = QString::fromLatin1(c.stem);
        const ChartPlan plan = BuildCalculatorChart(state);
        EXPECT_EQ(plan.caption, QString::fromLatin1(c.caption));
        EXPECT_EQ(plan.dataLabel, QString::fromLatin1(c.label));
        EXPECT_EQ(plan.series.front(), (std::vector<Currency>{units(1), units(2), units(3)}));
        EXPECT_FALSE(plan.legend);
    }
}

TEST(CalculatorChart, RetiredIncomeFixedAmountStartsWithTheStartingValue) {
    CalcState state;
    state.inputValues[1] = units(100000);
    state.periodData.at(1, 4) = units(97459);
    state.periodData.at(2, 4) = units(94000);
    state.chartKind = ChartKind::RetiredIncomeFixed;
    state.chartPoints = 3;
    state.chartTitle = QStringLiteral("Retirement beginning balance over ");
    const ChartPlan plan = BuildCalculatorChart(state);
    EXPECT_EQ(plan.series.front(),
              (std::vector<Currency>{units(100000), units(97459), units(94000)}));
    EXPECT_EQ(plan.dataLabel, "Retirement beginning balance over 3 Years");
}

TEST(CalculatorChart, ComparisonCodesTurnTheLegendOn) {
    CalcState state;
    for (int i = 1; i <= 3; ++i) {
        state.comparisonData.at(i, 1) = units(10 * i);
        state.comparisonData.at(i, 2) = units(i);
    }
    state.chartPoints = 3;
    struct Case {
        int kind;
        const char* caption;
        const char* label;
        std::size_t series;
    };
    for (const Case& c :
         {Case{5, "Mortgage comparisons", "Total interest paid", 2},
          Case{6, "Compound gain", "Annual percentage gain/loss comparisons", 1},
          Case{7, "Investment growth", "Total growth values for each comparision", 1}}) {
        state.chartKind = static_cast<ChartKind>(c.kind);
        const ChartPlan plan = BuildCalculatorChart(state);
        EXPECT_EQ(plan.caption, QString::fromLatin1(c.caption));
        EXPECT_EQ(plan.dataLabel, QString::fromLatin1(c.label));
        EXPECT_TRUE(plan.legend);
        EXPECT_FALSE(plan.measureButtons);
        ASSERT_EQ(plan.series.size(), c.series);
        EXPECT_EQ(plan.series.front(), (std::vector<Currency>{units(10), units(20), units(30)}));
        if (c.kind == 5) {
            EXPECT_EQ(plan.title, "Total interest paid");
            EXPECT_EQ(plan.series.back(), (std::vector<Currency>{units(1), units(2), units(3)}));
        }
    }
}

TEST(CalculatorChart, FailuresAreReportedNotThrown) {
    CalcState noPeriods = growthTable(12, 0, 1); // no periods per year: division by zero
    EXPECT_TRUE(BuildCalculatorChart(noPeriods).failed);
    CalcState tooMany;
    tooMany.chartKind = ChartKind::CompoundGain;
    tooMany.chartPoints = 22; // beyond the comparison table
    const ChartPlan plan = BuildCalculatorChart(tooMany);
    EXPECT_TRUE(plan.failed);
    EXPECT_EQ(plan.caption, "Compound gain");
    EXPECT_TRUE(plan.series.empty());
    CalcState unknown;
    unknown.chartKind = ChartKind::None;
    EXPECT_EQ(BuildCalculatorChart(unknown).caption, "");
}

TEST(ManagerChart, OpensOnGainInMoneyAndSwitchesMeasures) {
    auto totals = [](int row, int column) { return Currency::fromUnits(row * 100 + column); };
    const QStringList names{QStringLiteral("Alpha"), QStringLiteral("Beta")};
    struct Case {
        ManagerMeasure measure;
        const char* label;
        int column;
    };
    for (const Case& c :
         {Case{ManagerMeasure::GainDollars, "Gain or Loss in dollars", 4},
          Case{ManagerMeasure::CurrentValue, "Current value of each company/fund", 3},
          Case{ManagerMeasure::GainPercent, "Gain or Loss in percent", 5}}) {
        const ChartPlan plan = BuildManagerChart(2, totals, names, c.measure);
        EXPECT_EQ(plan.caption, "Investment manager charts");
        EXPECT_EQ(plan.dataLabel, QString::fromLatin1(c.label));
        EXPECT_TRUE(plan.legend);
        EXPECT_TRUE(plan.measureButtons);
        EXPECT_EQ(plan.categories, names);
        EXPECT_EQ(plan.series.front(),
                  (std::vector<Currency>{units(100 + c.column), units(200 + c.column)}));
    }
    EXPECT_EQ(BuildManagerChart(2, totals, names).dataLabel, "Gain or Loss in dollars");
}

// Funds may share a name; each bar keeps a label of its own, in the funds' order, and a name
// shows as typed where it is the first of its kind.
TEST(ManagerChart, FundsOfOneNameGetLabelsOfTheirOwn) {
    const struct {
        QStringList names, labels;
    } cases[] = {
        {{"Alpha", "Beta"}, {"Alpha", "Beta"}},
        {{"Growth", "S&P 500 Index", "Growth"}, {"Growth", "S&P 500 Index", "Growth (2)"}},
        {{"A", "A", "A"}, {"A", "A (2)", "A (3)"}},
        // A name that already reads "A (2)" keeps it; the second "A" takes the next number.
        {{"A", "A (2)", "A"}, {"A", "A (2)", "A (3)"}},
        {{"A", "A", "A (2)"}, {"A", "A (3)", "A (2)"}},
        // Names that show alike (blanks at the ends, or doubled inside) are told apart too.
        {{"Big  Fund", "Big Fund ", " Big Fund"}, {"Big  Fund", "Big Fund (2)", "Big Fund (3)"}},
        {{"a", "A"}, {"a", "A"}},
    };
    for (const auto& c : cases) {
        const QStringList labels = DistinctLabels(c.names);
        EXPECT_EQ(labels, c.labels) << c.names.join('|').toStdString();
        EXPECT_EQ(QSet<QString>(labels.begin(), labels.end()).size(), labels.size());
    }

    // The manager's chart: one label per bar, the values in the funds' order.
    auto totals = [](int row, int column) { return Currency::fromUnits(row * 100 + column); };
    const ChartPlan plan =
        BuildManagerChart(3, totals, {"Growth", "Growth", "Bonds"}, ManagerMeasure::CurrentValue);
    EXPECT_EQ(plan.categories, QStringList({"Growth", "Growth (2)", "Bonds"}));
    EXPECT_EQ(plan.series.front(), (std::vector<Currency>{units(103), units(203), units(303)}));
}

} // namespace

// The chart read out: the heading, then every value with its label, for each kind of chart.
TEST(ChartInWords, EveryValueWithItsLabel) {
    const auto amount = [](std::int64_t raw) { return Currency::fromRaw(raw); };
    ChartPlan years;
    years.dataLabel = QStringLiteral("Investment growth over 3 Years");
    years.series = {{amount(10000000), amount(2447119900), amount(-5000)}};
    years.categories = {"1", "2", "3"};
    years.categoryAxis = QStringLiteral("Years");
    years.seriesNames = {QStringLiteral("Value")};

    ChartPlan mortgage;
    mortgage.title = mortgage.dataLabel = QStringLiteral("Total interest paid");
    mortgage.comparison = true;
    mortgage.series = {{amount(1234567800), amount(10000)}, {amount(987000000), amount(0)}};
    mortgage.categories = {"1", "2"};
    mortgage.categoryAxis = QStringLiteral("Comparison");
    mortgage.seriesNames = {QStringLiteral("Conventional"), QStringLiteral("Accelerated")};

    ChartPlan gain;
    gain.dataLabel = QStringLiteral("Annual percentage gain/loss comparisons");
    gain.comparison = gain.percent = true;
    gain.series = {{amount(72500), amount(-31000)}};
    gain.categories = {"1", "2"};
    gain.categoryAxis = QStringLiteral("Comparison");

    const QStringList names = {QStringLiteral("Acme Growth  "), QStringLiteral("Bond Fund")};
    const auto totals = [](int row, int column) {
        return Currency::fromUnits(row == 1 ? 100 * column : -12 * column);
    };
    ChartPlan funds = BuildManagerChart(2, totals, names, ManagerMeasure::CurrentValue);
    ChartPlan fundsPercent = BuildManagerChart(2, totals, names, ManagerMeasure::GainPercent);

    ChartPlan twoHeadings;
    twoHeadings.title = QStringLiteral("Title");
    twoHeadings.dataLabel = QStringLiteral("Label");

    struct Case {
        const char* what;
        const ChartPlan& plan;
        QString symbol;
        QStringList lines;
    };
    const Case cases[] = {
        {"values over the years",
         years,
         "$",
         {"Investment growth over 3 Years", "Year 1: $1,000.00", "Year 2: $244,711.99",
          "Year 3: -$0.50"}},
        {"two series, each named",
         mortgage,
         "$",
         {"Total interest paid", "Comparison 1, Conventional: $123,456.78",
          "Comparison 1, Accelerated: $98,700.00", "Comparison 2, Conventional: $1.00",
          "Comparison 2, Accelerated: $0.00"}},
        {"percentages carry no currency",
         gain,
         "$",
         {"Annual percentage gain/loss comparisons", "Comparison 1: 7.25%",
          "Comparison 2: -3.10%"}},
        {"funds by name, another symbol",
         funds,
         QString::fromUtf8("£"),
         {"Current value of each company/fund", QString::fromUtf8("Acme Growth: £300.00"),
          QString::fromUtf8("Bond Fund: -£36.00")}},
        {"the percent measure",
         fundsPercent,
         "$",
         {"Gain or Loss in percent", "Acme Growth: 500.00%", "Bond Fund: -60.00%"}},
        {"nothing plotted", twoHeadings, "$", {"Title Label", "No values to show."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(ChartInWords(c.plan, c.symbol), c.lines);
    }
}

TEST(ChartInWords, AFailedChartSaysItHasNoValues) {
    CalcState state;
    state.chartKind =
        ChartKind::InvestedGrowth; // no periods per year: the year-end selection fails
    state.chartPoints = 3;
    const ChartPlan plan = BuildCalculatorChart(state);
    ASSERT_TRUE(plan.failed);
    EXPECT_EQ(ChartInWords(plan, "$"), QStringList{"No values to show."});
}
