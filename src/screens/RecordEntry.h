#pragma once

// The "Add - edit records" tab without its widgets: each handler takes the texts of the controls
// it reads, changes the portfolio, and returns what the window shows (message numbers in order,
// captions, list contents, the record list page). The window keeps only widget state (focus,
// the help button's caption, which boxes are enabled) and shows what it is given.

#include "core/portfolio/Portfolio.h"
#include "screens/ManagerScreen.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <vector>

namespace qm {

// The three labels of the tab.
struct EntryCaptions {
    QString funds;    // ENumFunds: "Funds:  3"
    QString records;  // ENumRec: "Records:  12"
    QString database; // EDbaseName: "Database: DATA.QMD"
};
EntryCaptions Captions(const Portfolio& p);

// The text the fund box shows until a fund is picked.
inline const QString PickFundPrompt = QStringLiteral("Click dn/arrow for funds list");

// The controls of the entry row, in the order Enter walks through them.
enum class EntryControl { Date, Price, Shares, Fees, CashDividend, AddRecord };

// Which boxes a transaction type uses: enabled (the date box always), visible (the date box is
// always visible), and where Enter in the date box goes.
struct EntryBoxes {
    bool dateEnabled = false;
    bool priceEnabled = false;
    bool sharesEnabled = false;
    bool feesEnabled = false;
    bool cashDividendEnabled = false;
    bool priceVisible = true;
    bool sharesVisible = true;
    bool feesVisible = true;
    bool cashDividendVisible = true;
    EntryControl enterFromDate = EntryControl::Price;
};
// No type chosen enables nothing and shows every box.
EntryBoxes BoxesForType(std::optional<TransactionType> type);

// Where Enter moves the focus from a box of the entry row for the chosen type.
EntryControl EnterTarget(EntryControl from, std::optional<TransactionType> type);

// Tab setup: the fund box text and list, the type list, the captions; TodayText taken;
// NewFundIndex and TargetRecord 0 (a fund must be picked again).
struct EntryTabSetup {
    QString fundText;
    QStringList funds;
    QStringList types;
    EntryCaptions captions;
};
EntryTabSetup SetupEntryTab(ManagerScreen& s);

// The record list of fund NewFundIndex (96-character lines and a total line without a final
// line end). FundTotals and the page array are made anew; the list becomes ResultsPage.
QString ShowFundRecords(ManagerScreen& s);

// A fund picked in the fund box: the highest entry of that name becomes active. The window
// then shows every number box, disables and clears the entry row, and shows the returned list.
QString PickFund(ManagerScreen& s, const QString& fundText);

// "Add &fund" once the name dialog has closed (`lineInputText` its result).
struct AddFundOutcome {
    std::vector<Message> messages; // 36 at 18 funds
    bool added = false;
    QString fundText; // new text of the fund box (appended to its list) when added
    QString page;     // the new fund's (empty) record list when added
    EntryCaptions captions;
};
AddFundOutcome AddFundClick(ManagerScreen& s, const QString& lineInputText);

// A transaction type chosen in the type list.
struct ChooseTypeOutcome {
    std::vector<Message> messages; // 16 when no fund was picked or added: empty the type text
    bool accepted = false;         // when accepted: empty the five boxes, apply `boxes`
    EntryBoxes boxes;
};
ChooseTypeOutcome ChooseType(ManagerScreen& s, const QString& fullName);

// The date box being left: nothing when its text is a date; otherwise show message 30 and
// put the returned text (today's short date) in the box, keeping the focus there.
std::optional<QString> CheckDateBox(const QString& text);

// A number box being left after typing (index 1 price, 2 shares, 3 fees, 4 cash dividend):
// stores its value in InputValues and returns the box's new text (the currency symbol and four
// decimals; shares without the symbol). An amount too large to hold keeps the old value.
QString LeaveEntryBox(ManagerScreen& s, int index, const QString& text);

// "&Add Record".
struct AddRecordOutcome {
    std::vector<Message> messages;
    bool stored = false;   // the entry boxes are disabled
    bool clearRow = false; // show every number box and clear the entry row
    bool showPage = false; // the record list changed: show `page`
    QString page;
    EntryCaptions captions;
};
AddRecordOutcome AddRecordClick(ManagerScreen& s, const EntryRow& row);

// First step of "&Correct record" and "&Delete record": the fund box must name the active fund.
struct BeginOutcome {
    std::vector<Message> messages;
    bool openDialog = false;          // open the record-number dialog (the correction mode is set)
    std::optional<Question> question; // delete only: ask question 5 (delete the fund) instead
};
BeginOutcome BeginCorrect(ManagerScreen& s, const QString& fundText);

// "&Correct record" once the record-number dialog has closed: the record fetched into the row.
struct FetchOutcome {
    std::vector<Message> messages; // 17 when the number is not one of the fund's records
    bool fetched = false;
    QString typeText;                // ETransType text (the list is then disabled)
    QString dateText;                // EInDate
    std::array<QString, 5> boxTexts; // 1 price, 2 shares, 3 fees, 4 cash dividend ("" for 0)
    EntryBoxes boxes;
};
FetchOutcome FetchForCorrection(ManagerScreen& s, const QString& dialogText);

BeginOutcome BeginDelete(ManagerScreen& s, const QString& fundText);

// "&Delete record" once the record-number dialog has closed.
struct DeleteChoice {
    std::vector<Message> messages;    // 17 when not found
    std::optional<Question> question; // 4: ask "delete record number: " + recordText
    QString recordText;
};
DeleteChoice ChooseRecordToDelete(ManagerScreen& s, const QString& dialogText);

// The answer to question 4 or 5.
struct DeleteOutcome {
    bool recordDeleted = false; // show `page`
    bool fundDeleted = false;   // empty the fund box text, refill its list with `funds`
    QString page;
    QStringList funds;
    EntryCaptions captions;
};
DeleteOutcome ConfirmDelete(ManagerScreen& s, bool yes);

// The help page (today's short date in the six samples).
QString EntryHelpPage(const QString& currencySymbol, const QString& todayText);
// "&Help" while the help page is closed: builds HelpPage and returns it.
QString ShowEntryHelp(ManagerScreen& s);
// Closing the help page: HelpPage emptied; returns the page to show again (ResultsPage).
QString CloseEntryHelp(ManagerScreen& s);

} // namespace qm
