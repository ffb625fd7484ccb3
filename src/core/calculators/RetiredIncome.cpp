#include "core/calculators/RetiredIncome.h"

#include "core/calculators/BoxTable.h"
#include "core/calculators/YearTable.h"
#include "core/finance/RetiredIncomeFigures.h"
#include "core/text/Conversions.h"
#include "core/text/HelpText.h"
#include "core/text/Page.h"

#include <algorithm>

namespace qm {

namespace {

const RetiredIncomeChoice PercentageChoice{
    static_cast<int>(RetiredIncomeOption::Percentage),
    u"Annual income withdrawn as a (%)",
    u"Time in years",
};

const RetiredIncomeChoice FixedChoice{
    static_cast<int>(RetiredIncomeOption::Fixed),
    u"Monthly amount of cash withdrawn",
    u"Increase annual income by %",
};

// The rows computed, then their totals row (numbered like the last year) when the calculation
// went through. A refused or failed calculation still leaves its years in the table.
void storeRows(PeriodTable& table, const RetiredIncomeFigures& figures) {
    int row = 0;
    for (const RetiredIncomeYear& y : figures.years) {
        ++row;
        StoreYearRow(table, row, row, y.growth, y.income, y.value);
    }
    if (figures.error == RetiredIncomeError::None) {
        const RetiredIncomeYear& t = figures.totals;
        StoreYearRow(table, row + 1, row, t.growth, t.income, t.value);
    }
}

void appendEcho(QString& page, bool fixed, const RetiredIncomeTexts& texts) {
    page += QStringLiteral("Starting value of investments: ") + texts.currValue + LineEnd;
    page +=
        QStringLiteral("Annual interest/growth rate:          ") + texts.annIntGrowthRate + LineEnd;
    if (fixed) {
        page +=
            QStringLiteral("Monthly amount of cash withdrawn:") + texts.annIncWDrawnRate + LineEnd;
        page += QStringLiteral("Increase annual income by:            ") + texts.timeInYrs +
                LineEnd + LineEnd;
    } else {
        page += QStringLiteral("Annual income withdrawn as a (%):     ") + texts.annIncWDrawnRate +
                LineEnd;
        page += QStringLiteral("Time in years:                        ") + texts.timeInYrs +
                LineEnd + LineEnd;
    }
}

// Returns false when the withdrawal was refused (message 7).
bool runCalculation(CalcState& state, const RetiredIncomeTexts& texts) {
    RetiredIncomeInputs inputs;
    inputs.option = RetiredIncomeOptionOf(state.calcChoice);
    const bool fixed = inputs.option == RetiredIncomeOption::Fixed;
    inputs.startValue = state.inputValues[1];
    inputs.growth = static_cast<float>(state.inputValues[2].toDouble() / 100.0);
    const double withdrawn = state.inputValues[3].toDouble() / 100.0;

    appendEcho(state.resultsPage, fixed, texts);

    if (fixed) {
        inputs.monthlyAmount = 100.0 * withdrawn;
        inputs.increase = Currency::fromDouble(state.inputValues[4].toDouble() / 100.0).toDouble();
    } else {
        inputs.withdrawnShare = withdrawn;
        // A negative count (the years box takes digits only) is no years at all.
        inputs.years = std::max(0, static_cast<int>(ToWhole(state.inputValues[4])));
    }
    const RetiredIncomeFigures figures = ComputeRetiredIncome(inputs);
    storeRows(state.periodData, figures);
    if (figures.error == RetiredIncomeError::Failed)
        throw CalcError("retired income failed");
    if (figures.error == RetiredIncomeError::WithdrawalAboveSavings)
        return false;
    const int rows = static_cast<int>(figures.years.size());

    const PeriodTable& table = state.periodData;
    state.resultsPage += QStringLiteral("Year   Int/Growth   Annual Income       Value") + LineEnd;
    state.resultsPage += PageRule + LineEnd;
    for (int row = 1; row <= rows; ++row)
        state.resultsPage += YearLine(table, row);
    state.resultsPage += PageRule + LineEnd;
    state.resultsPage += TotLine(table, rows + 1);
    state.results = state.resultsPage;

    state.chartPoints = rows;
    state.chartKind = fixed ? ChartKind::RetiredIncomeFixed : ChartKind::RetiredIncomeRunningDown;
    state.chartTitle = fixed ? QStringLiteral("Retirement beginning balance over ")
                             : QStringLiteral("Retirement ending balance over ");
    return true;
}

} // namespace

const RetiredIncomeChoice& RetiredIncomeChoiceFor(int option) {
    return option == 1 ? FixedChoice : PercentageChoice;
}

void LoadRetiredIncomeChoice(CalcState& state, const RetiredIncomeChoice& choice) {
    for (const BoxDefault& d : DefaultsFor(RetiredIncomeTab, choice.calcChoice)) {
        const BoxRule* box = FindBox(QLatin1String(d.box), choice.calcChoice);
        state.inputValues[static_cast<std::size_t>(box->index)] = Currency::fromDouble(d.value);
    }
    state.calcChoice = choice.calcChoice;
    state.editFlag = 0;
}

CalcOutcome RetiredIncomeCalculate(CalcState& state, const RetiredIncomeTexts& texts) {
    CalcOutcome outcome;
    state.editFlag = 0;
    state.chartKind = ChartKind::None;
    state.chartPoints = 0;
    state.resultsPage.clear();
    state.periodData.clear();
    bool accepted = true;
    RunTrapped(outcome, [&] { accepted = runCalculation(state, texts); });
    if (!accepted)
        outcome.add(Message::WithdrawalAboveSavings);
    return outcome;
}

QString RetiredIncomeHelpPage(const QString& currencySymbol, RetiredIncomeOption option) {
    return HelpText(option == RetiredIncomeOption::Fixed ? u"RetiredIncomeFixed"
                                                         : u"RetiredIncomePercentage",
                    currencySymbol);
}

} // namespace qm
