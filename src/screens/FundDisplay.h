#pragma once

// The "Display data" tab without its widgets: the transaction history of one fund, or of every
// fund with a grand total line, as 90-character lines with running totals and the average cost
// per share.

#include "core/portfolio/Portfolio.h"
#include "screens/ManagerScreen.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace qm {

// Most characters the report box is given; a longer all-funds report is refused with the
// plain message NoTextSpaceText.
inline constexpr qsizetype ReportTextCapacity = 4 * 1024 * 1024;

// The report of s.activeFund (31: all funds in table order, then "Total all funds:"), into
// ResultsPage, which it also returns. A calculation failure ends it with the lines built so far.
QString FundDisplay(ManagerScreen& s);

// Tab setup: with no records, message 15 and back to the entry tab; otherwise the fund list
// (select its first line when there is one; empty the report box).
struct DisplayTabSetup {
    std::vector<Message> messages;
    bool backToEntry = false;
    QStringList funds;
};
DisplayTabSetup OpenDisplayTab(const Portfolio& p);

// A fund double-clicked in the list (position 0 = fund 1; -1 when no line is selected).
QString DisplayFund(ManagerScreen& s, int listPosition);

// "&Display all funds": the report, or `fits` false when it is too long for the report box
// (show NoTextSpaceText in a plain message box; the box keeps its text).
struct DisplayAllOutcome {
    bool fits = true;
    QString page;
};
DisplayAllOutcome DisplayAllFunds(ManagerScreen& s);

// The help page of the tab.
QString FundDisplayHelpPage(const QString& currencySymbol);
// "&Help": the help text becomes ResultsPage and is returned.
QString ShowDisplayHelp(ManagerScreen& s);

} // namespace qm
