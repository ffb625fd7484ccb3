#pragma once

#include "core/calculators/ChartKind.h"
#include "core/text/CurrencyTable.h"
#include "core/text/Messages.h"

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

namespace qm {

// Per-period chart data: rows 0..500 by period or year, columns 0..5.
using PeriodTable = CurrencyTable<501, 6>;
// Per-comparison chart data: rows 0..21 by comparison number, columns 0..4.
using ComparisonTable = CurrencyTable<22, 5>;

// Tab indexes of the calculator window.
enum CalcTab {
    PensionGrowthTab = 0,
    MortgageTab = 1,
    InvestedGrowthTab = 2,
    RetiredIncomeTab = 3,
    CompoundGainTab = 4,
    CapitalRequiredTab = 5,
};

// Everything the calculator window keeps between events. The window owns one; the calculators
// read and change it; the chart window reads the chart hand-over values.
struct CalcState {
    QString resultsPage; // the page being built (what "&Print" prints)
    QString results;     // what the Results box shows
    int comparisonCount = 0;
    int startNewPage = 0; // 1 after a help page: the next comparing Calculate starts afresh
    std::array<Currency, 9> inputValues{};  // parsed inputs of the active tab, 1-based
    std::array<double, 6> mortgageInputs{}; // the mortgage tab's inputs, 1-based
    PeriodTable periodData;
    ComparisonTable comparisonData;
    int chartPoints = 0;
    ChartKind chartKind = ChartKind::None;
    QString chartTitle;
    int chartPeriodCount = 0;
    int chartPeriodsPerYear = 0;
    int calcChoice = 0;
    int visibleTab = InvestedGrowthTab;
    // 1 while a box of the window is being edited: set by its first key, ended when it is left
    // and by every command.
    int editFlag = 0;
    // Placed before money amounts on pages and in boxes; the window sets it from the settings.
    QString currencySymbol = QStringLiteral("$");
};

// What a handler asks the window to show afterwards: message numbers, in order.
struct CalcOutcome {
    std::vector<Message> messages;
    void add(Message m) { messages.push_back(m); }
};

// The error trap shared by the calculators: runs `step`; a CalcError adds message 3 ("Wrong or
// missing entry, try again.") and returns false. Whatever the step changed before it failed
// stays changed.
template <typename Step> bool RunTrapped(CalcOutcome& outcome, Step&& step) {
    try {
        step();
        return true;
    } catch (const CalcError&) {
        outcome.add(Message::WrongEntry);
        return false;
    }
}

// Steps 1 to 3 of a tab change: empty page and box, counters and chart values to 0, tables anew.
void ResetForTabChange(CalcState& state);

// "Clear &results": empty page and box, comparison count 0; chart data is kept.
void ClearResults(CalcState& state);

// An option click that starts afresh: empty page and box; the comparison count and the chart
// data are kept.
void EmptyPage(CalcState& state);

// The help-page convention: the page becomes `page` (its lines already ended), the next
// comparing Calculate starts a new page, and the box shows the page.
void ShowHelpPage(CalcState& state, const QString& page);

// Comparison bookkeeping at the start of a comparing Calculate (compound gain, mortgage): a help
// page is dropped, the count goes up, and the first calculation of a page makes the comparison
// table anew.
void BeginComparison(CalcState& state);

// After a successful comparing Calculate: the tenth empties the page buffer (the box keeps
// showing it), resets the count and adds message 8.
void EndComparison(CalcState& state, CalcOutcome& outcome);

// The general help page of "How to &use" for a window showing money with `currencySymbol`
// (the page's own "$" and "%" are literal characters).
QString HowToUsePage(const QString& currencySymbol);

} // namespace qm
