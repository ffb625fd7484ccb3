#pragma once

// The investment manager window's state besides its widgets: the portfolio it works on, the edit
// session of its amount boxes, the correction under way, the entry row's values and chosen type,
// the fund and record it points at, the page shown and its help page, and what it hands to the
// chart window. Everything here is Qt Core only; the window holds one and shows what the tab
// handlers (RecordEntry, FundDisplay, CurrentValue) return for it.

#include "core/calculators/ChartKind.h"
#include "core/portfolio/Portfolio.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace qm {

// Whether the record-number dialog was opened to correct a record or to delete one.
enum class CorrectMode : int { Delete = 0, Correct = 1 };

struct ManagerScreen {
    Portfolio portfolio;

    // Edit session of the amount boxes: 1 once a key was typed into the box being edited, 0
    // when it was entered or left.
    int editFlag = 0;
    // The record-number dialog's mode; Correct from "&Correct record" until the entry is stored
    // or dropped.
    CorrectMode correctMode = CorrectMode::Delete;
    bool correcting() const { return correctMode == CorrectMode::Correct; }

    std::array<Currency, 6> inputValues{}; // entry boxes: 1 price, 2 shares, 3 fees, 4 cash div.
    int activeFund = 0;    // fund named in the fund box (0 none; 31 in an all-funds report)
    int newFundIndex = 0;  // fund last added or picked (0: choosing a type is refused)
    int currentRecord = 0; // record TransLabelOf looks at
    int targetRecord = 0;  // record being corrected or deleted (0 none)
    QString targetRecordText;
    QString transCode;  // code of the chosen transaction type
    QString transLabel; // 10-character report label set by TransLabelOf

    // Why the file of the last "Open file" could not be read (its path and the line at fault),
    // shown as the details of message 13; empty after a file was read or the dialog cancelled.
    QString openFailure;

    QString resultsPage; // the report or record list being shown
    QString helpPage;    // the entry tab's help page while it is shown
    QString todayText;   // today's short date, taken when the entry tab is set up
    // Placed before the amounts the boxes show and in the help pages; the window sets it from
    // the program's setting when it opens.
    QString currencySymbol = QStringLiteral("$");

    // Handed to the chart window: how many funds it shows, and what it shows.
    int chartPoints = 0;
    ChartKind chartKind = ChartKind::None;

    // The chosen transaction type (transCode); nothing when none is chosen.
    std::optional<TransactionType> transType() const { return TypeFromCode(transCode); }
};

// The window opened: an empty portfolio, nothing chosen.
void InitScreen(ManagerScreen& s);
// Leaving the manager: the portfolio and everything shown erased (the currency symbol kept).
void DiscardScreen(ManagerScreen& s);

// Common steps of every tab change: the report and help pages emptied, funds put in name order,
// the edit session ended.
void BeginTabChange(ManagerScreen& s);

// Sets s.transLabel and s.transCode from the type of record s.currentRecord.
void TransLabelOf(ManagerScreen& s);

// The "Open file" tab once the file dialog has closed (OpenDatabase on the portfolio): a file
// read drops the fund and record pointed at; a file that cannot be read drops the pages too,
// and leaves why in s.openFailure.
std::vector<Message> OpenDatabase(ManagerScreen& s, const std::optional<QString>& path);

// An amount as a money box shows it after it was left: the currency symbol and four decimals.
QString ManagerMoneyText(const ManagerScreen& s, Currency value);

} // namespace qm
