#pragma once

#include "core/calculators/BoxTable.h"
#include "core/calculators/CalcState.h"
#include "core/calculators/InvestedGrowth.h"
#include "core/text/Messages.h"

#include <QString>
#include <optional>
#include <vector>

namespace qm {

// What the first key of an edit did, before the key itself is filtered.
struct KeyStart {
    bool emptyBox = false;    // the box is emptied, so even a refused key replaces its value
    bool pageEmptied = false; // the page and the Results box were emptied
};

// What leaving a box comes to.
struct BoxLeave {
    std::vector<Message> messages; // shown first, in order
    // The text the box shows afterwards; unset when the box keeps its text as it is.
    std::optional<QString> shown;
    bool refused = false;             // the text could not be stored: the stored value stays
    bool recalculateMortgage = false; // the mortgage solver runs on the stored value
};

// The calculator window without its widgets: the calculator state (page buffer, comparison set,
// chart hand-over, calculation choice, currency symbol) and the edit session of its boxes and
// lists. A box or list reports what happened to it with plain values and shows what comes back.
//
// The edit session: the first key typed into a box (edit flag 0) empties the box, and the page
// where the box's row says so; every key marks the box edited; leaving an edited box parses
// its text, stores the value where the row says and shows it in the row's display form; a
// years box is held to 40 (message 5) on every leave. Every command ends the session.
class CalcScreen {
public:
    CalcState& state() { return state_; }
    const CalcState& state() const { return state_; }

    // The window opens: everything anew, money shown with `currencySymbol`.
    void open(const QString& currencySymbol);

    // --- the edit session ---

    // The row of box `name` that applies for the calculation choice now (the first option's
    // row for a box that has no row of its own for it).
    const BoxRule& boxRule(const QString& name) const;

    // `value` shown in `form`, money with the window's currency symbol.
    QString display(const DisplayForm& form, double value) const;
    QString display(const DisplayForm& form, Currency value) const;

    // Stores `value` where `row` says; returns the text the box shows now, or nothing for a
    // box whose value is not stored (the investment name).
    std::optional<QString> storeValue(const BoxRule& row, double value);

    // The Delete key in a box of `row`: true when the key empties the box at once (and is not
    // passed on); false when it deletes as usual.
    bool deletePressed(const BoxRule& row);

    // A key other than Enter typed into an editable box of `row`; `growth` is the invested-growth
    // "Show results" option selected now.
    KeyStart keyTyped(const BoxRule& row, GrowthResults growth);

    // A key in a locked box, a discarded key in a list, a command: the edit ends.
    void endEdit() { state_.editFlag = 0; }

    // The box of `row` showing `text` is left.
    BoxLeave leaveBox(const BoxRule& row, const QString& text);

    // An item of `list` was chosen: true when that emptied the page.
    bool listChosen(const ListRule& list, GrowthResults growth);
    // A typed character was discarded by `list`.
    void listKeyDiscarded(const ListRule& list);
    // `list` is left: the step to run now (the row's step when an item was chosen since the
    // edit began, else nothing). The edit ends.
    ListLeave leaveList(const ListRule& list);

    // --- the window's commands ---

    // The tab change: empty page and box, counters and tables anew, tab `tab` shown.
    void changeTab(int tab);
    // "Clear &results".
    void clearResults();
    // "&Help" (the tab's page) and "How to &use".
    void showHelpPage(const QString& page);
    void showHowToUse();
    // "&Calculate" starts: the edit ends.
    void beginCalculate() { endEdit(); }
    // The page "&Print" prints: the page being built, or, once the tenth comparison has emptied
    // it, the comparisons still on screen; empty while the box shows no results.
    QString printedPage() const;

private:
    void emptyPage();

    CalcState state_;
};

} // namespace qm
