#pragma once

// The "Current value" tab without its widgets: a price per fund, and the report of shares,
// book value, current total, gain or loss and share of the portfolio (85-character lines).
// FundTotals columns: 0 shares, 1 book value, 2 typed price, 3 current total, 4 gain or loss,
// 5 gain or loss percent, 6 book value of the records other than Sold; row 31 the totals.

#include "core/portfolio/Portfolio.h"
#include "screens/ManagerScreen.h"

#include <QString>
#include <array>
#include <vector>

namespace qm {

// True when some named fund has no record (message 28: the report cannot be made).
bool CheckEmptyFunds(const Portfolio& p);

// Opening the tab: with no records, message 15 and back to the entry tab. Otherwise typed prices
// are forgotten when the first fund has none or there are unsaved changes; the name labels and
// price boxes of funds 1..FundCount are filled (the others empty and disabled).
struct CurrentValueTabSetup {
    std::vector<Message> messages;
    bool backToEntry = false;
    std::array<QString, MaxFunds> names;
    std::array<QString, MaxFunds> prices;
    std::array<bool, MaxFunds> enabled{};
};
CurrentValueTabSetup OpenCurrentValueTab(Portfolio& p);

// The first key typed into a price box: the report is dropped (empty the report box).
void ClearCurrentValueReport(ManagerScreen& s);

// A price box (index 0..17 for fund index + 1) left after typing: the price is kept and the
// box's new text returned (the currency symbol and four decimals). An amount too large to hold
// keeps the old price.
QString LeavePriceBox(ManagerScreen& s, int index, const QString& text);

// "&Calculate": messages 28 (a fund without records), 24 (a fund holding shares without a
// price) or 3 (amounts beyond the Currency range) and no report; otherwise the report, which
// is also ResultsPage.
struct CurrentValueOutcome {
    std::vector<Message> messages;
    QString page;
};
CurrentValueOutcome CalculateCurrentValue(ManagerScreen& s);

// The report from the sums in columns 0, 1 and 6 and the prices in column 2: fills columns 3, 4
// and 5 and row 31, sets ChartPoints = FundCount, and returns the page. Throws CalcError when an
// amount leaves the Currency range.
QString BuildCurrentValueReport(ManagerScreen& s);

// "&Graph": true (ChartKind set to 8) when there is a report to chart; false means message 4.
bool PrepareCurrentValueChart(ManagerScreen& s, const QString& shownReport);

// The help page of the tab.
QString CurrentValueHelpPage(const QString& currencySymbol);
// "&Help": the help text becomes ResultsPage and is returned.
QString ShowCurrentValueHelp(ManagerScreen& s);

} // namespace qm
