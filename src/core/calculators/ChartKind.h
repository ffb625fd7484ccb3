#pragma once

namespace qm {

// What a chart shows; each kind keeps the number it has always had.
enum class ChartKind : int {
    None = 0,
    CapitalRequired = 3,           // capital or income by year
    PensionGrowth = 4,             // pension value by year
    MortgageComparisons = 5,       // total interest of each comparison
    CompoundGain = 6,              // annual gain of each comparison
    InvestedComparisons = 7,       // final value of each comparison
    Manager = 8,                   // the investment manager's fund chart
    InvestedGrowth = 9,            // invested, gain and value by period
    RetiredIncomeFixed = 10,       // fixed income: the balance at the start of each year
    RetiredIncomeRunningDown = 11, // income that uses up the capital
};

constexpr int Number(ChartKind kind) {
    return static_cast<int>(kind);
}

} // namespace qm
