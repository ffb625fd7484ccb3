// Every calculator's "&Calculate" with its page, at its largest usual inputs.

#include "core/calculators/BoxTable.h"
#include "core/calculators/CapitalRequired.h"
#include "core/calculators/CompoundGain.h"
#include "core/calculators/InvestedGrowth.h"
#include "core/calculators/Mortgage.h"
#include "core/calculators/PensionGrowth.h"
#include "core/calculators/RetiredIncome.h"
#include "core/input/DisplayForm.h"

#include <benchmark/benchmark.h>

using namespace qm;

namespace {

Currency Money(double units) {
    return Currency::fromDouble(units);
}

void Expect(benchmark::State& state, const CalcOutcome& outcome) {
    for (const Message message : outcome.messages) {
        if (message != Message::TenComparisons) // the tenth comparison empties the page: part of
                                                // the normal cycle
            state.SkipWithError("the calculation failed");
    }
}

// Ten calculations fill a comparison page; the eleventh starts a new one.
void CompoundGain(benchmark::State& state) {
    CalcState calc;
    const CompoundGainTexts texts{QStringLiteral("   $10,000.00"), QStringLiteral("   $20,000.00"),
                                  QStringLiteral(" 40"), QStringLiteral("XYZ Mutual Fund")};
    for (auto _ : state) {
        calc.inputValues[1] = Money(10000);
        calc.inputValues[2] = Money(20000);
        calc.inputValues[3] = Money(40);
        Expect(state, CompoundGainCalculate(calc, texts));
    }
}
BENCHMARK(CompoundGain)->Unit(benchmark::kMicrosecond);

void CapitalRequired(benchmark::State& state) {
    CalcState calc;
    const CapitalRequiredTexts texts{QStringLiteral("  $100,000.00"), QStringLiteral(" 15.00%"),
                                     QStringLiteral(" 40")};
    for (auto _ : state) {
        calc.calcChoice = 0;
        calc.inputValues[1] = Money(100000);
        calc.inputValues[2] = Money(15);
        calc.inputValues[3] = Money(40);
        Expect(state, CapitalRequiredCalculate(calc, texts));
    }
}
BENCHMARK(CapitalRequired)->Unit(benchmark::kMicrosecond);

// Monthly over 40 years: 480 periods on one page.
void InvestedGrowthMonthly40Years(benchmark::State& state) {
    CalcState calc;
    const InvestedGrowthTexts texts{
        "    $1,000.00", "      $100.00", "Monthly", " 8.00%",
        " 3.00%",        " 2.00%",        " 40",     GrowthResults::Complete};
    for (auto _ : state) {
        calc.inputValues[1] = Money(1000);
        calc.inputValues[2] = Money(100);
        calc.inputValues[4] = Money(8);
        calc.inputValues[5] = Money(3);
        calc.inputValues[6] = Money(2);
        calc.inputValues[7] = Money(40);
        Expect(state, InvestedGrowthCalculate(calc, texts));
        benchmark::DoNotOptimize(calc.resultsPage.size());
    }
}
BENCHMARK(InvestedGrowthMonthly40Years)->Unit(benchmark::kMicrosecond);

void PensionGrowth(benchmark::State& state) {
    CalcState calc;
    const double inputs[9] = {0, 25000, 40000, 4, 4, 4, 10, 0, 40};
    for (std::size_t i = 1; i < 9; ++i)
        calc.inputValues[i] = Money(inputs[i]);
    const auto& v = calc.inputValues;
    const PensionGrowthTexts boxes{Display(forms::Money, v[1], calc.currencySymbol),
                                   Display(forms::Money, v[2], calc.currencySymbol),
                                   Display(forms::Percent, v[3], calc.currencySymbol),
                                   Display(forms::Percent, v[4], calc.currencySymbol),
                                   Display(forms::Percent, v[5], calc.currencySymbol),
                                   Display(forms::Percent, v[6], calc.currencySymbol),
                                   Display(forms::Percent, v[7], calc.currencySymbol),
                                   Display(forms::Years3, v[8], calc.currencySymbol)};
    for (auto _ : state)
        Expect(state, PensionGrowthCalculate(calc, boxes));
}
BENCHMARK(PensionGrowth)->Unit(benchmark::kMicrosecond);

// Both withdrawal choices with their defaults.
void RetiredIncome(benchmark::State& state) {
    CalcState calc;
    const RetiredIncomeChoice& choice = RetiredIncomeChoiceFor(static_cast<int>(state.range(0)));
    LoadRetiredIncomeChoice(calc, choice);
    // The boxes as they show the option's defaults, each in its display form for the option.
    const char* const names[] = {nullptr, "RIInCurrValue", "RIInAnnIntGrowthRate",
                                 "RIInAnnIncWDrawnRate", "RIInTimeInYrs"};
    const auto text = [&](std::size_t i) {
        return Display(FindBox(QLatin1String(names[i]), choice.calcChoice)->form,
                       calc.inputValues[i], calc.currencySymbol);
    };
    const RetiredIncomeTexts boxes{text(1), text(2), text(3), text(4)};
    const auto defaults = calc.inputValues;
    for (auto _ : state) {
        calc.inputValues = defaults;
        Expect(state, RetiredIncomeCalculate(calc, boxes));
    }
}
BENCHMARK(RetiredIncome)->ArgName("choice")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

struct MortgageTab {
    CalcState calc;
    MortgageState state;
    MortgageControls controls;
    MortgageOutcome outcome;
    MortgageTab() { OpenMortgageTab(calc, state, controls, outcome); }
};

// The solve run whenever a box or list is left (payment, then the accelerated block).
void CalcMortgageSolve(benchmark::State& state) {
    MortgageTab tab;
    for (auto _ : state) {
        tab.outcome = {};
        if (!CalcMortgage(tab.calc, tab.state, tab.controls, tab.outcome))
            state.SkipWithError("the solve failed");
    }
}
BENCHMARK(CalcMortgageSolve)->Name("CalcMortgage")->Unit(benchmark::kMicrosecond);

void MortgageCalculateClick(benchmark::State& state) {
    MortgageTab tab;
    for (auto _ : state) {
        tab.outcome = {};
        MortgageCalculate(tab.calc, tab.state, tab.controls, tab.outcome);
        Expect(state, tab.outcome);
    }
}
BENCHMARK(MortgageCalculateClick)->Name("MortgageCalculate")->Unit(benchmark::kMicrosecond);

} // namespace
