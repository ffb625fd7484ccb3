#pragma once

#include "core/calculators/CalcState.h"
#include "core/input/DisplayForm.h"

#include <QString>
#include <QStringView>
#include <span>

namespace qm {

// What a box holds.
enum class BoxKind { Money, Percent, Years, Text };

// Which filter the typed characters pass.
enum class BoxFilter { None, Money, Digit };

// Where a parsed value goes: an InputValues index as Currency, a MortgageInputs index as a
// double, or nowhere (the investment name).
enum class BoxStore { InputValues, MortgageInputs, None };

// What the first key typed into a box does besides emptying the box.
enum class PageClear {
    Never,
    Always,
    WhileComplete, // only while the invested-growth option "Complete calculation" is selected
};

// What the Delete key does.
enum class DeleteKey {
    MarksEdited, // the box counts as edited; the key then deletes as usual
    EmptiesBox,  // the box is emptied at once and does not count as edited
    Plain,       // nothing beyond deleting
};

// When leaving a box checks the 40-year limit.
enum class YearsCheck { Never, EveryLeave };

// Every calculator box choice that any calculation is valid for (CalcState::calcChoice).
inline constexpr int AnyChoice = -1;

// The configuration of one input box of the calculator window. A box whose behaviour follows
// the retired-income withdrawal choice has one row per choice.
struct BoxRule {
    const char* name;
    CalcTab tab;
    int choice; // AnyChoice, or the CalcState::calcChoice this row is valid for
    BoxKind kind;
    DisplayForm form;
    BoxStore store;
    int index; // InputValues or MortgageInputs index
    BoxFilter filter;
    int extraDecimals; // decimals allowed beyond two (0: the usual two)
    const char* enterTarget;
    PageClear pageClear;
    DeleteKey deleteKey;
    YearsCheck yearsCheck;
    bool recalculatesMortgage; // leaving it after an edit runs the mortgage solver
};

// Every input box of the calculator window, tab by tab.
std::span<const BoxRule> AllBoxes();

// The row of box `name` for calculation choice `choice`, or null when there is none.
const BoxRule* FindBox(const QString& name, int choice);

// A default loaded into a box when its tab (or one of its options) is chosen.
struct BoxDefault {
    const char* box;
    int choice; // AnyChoice, or the calcChoice it belongs to
    double value;
};

// The defaults of a tab for calculation choice `choice` (capital required and retired income
// have one set per option; the others ignore it).
std::vector<BoxDefault> DefaultsFor(CalcTab tab, int choice);

// The investment name shown on the compound-gain tab after a tab change.
inline constexpr const char16_t* DefaultInvestmentName = u"XYZ Mutual Fund";

// What choosing an item of a drop-down list does.
enum class ListClick {
    EmptiesPageWhileComplete, // invested growth: empties the page in "Complete calculation"
    MarksEdited,              // mortgage lists: the solver runs when the list is left
};

// What leaving a drop-down list does when an item was chosen since it got the focus.
enum class ListLeave { Nothing, RecalculateMortgage, ApplyDaysOption };

struct ListRule {
    const char* name;
    CalcTab tab;
    std::span<const char16_t* const> items; // the first is the default
    const char* enterTarget;
    ListClick click;
    ListLeave leave;
    bool keyEndsEdit; // a discarded key also sets EditFlag to 0
};

const ListRule* FindList(const QString& name);

// The text a box would hold after the character `typed` replaced its selection (or was
// inserted at the cursor when nothing is selected).
QString TextAfterKey(QStringView text, int cursor, int selectionStart, int selectionLength,
                     QChar typed);

// True when `text` can be stored: at most 15 digits before the first point and a value inside
// the Currency range. Keys that would break this are refused, so no typed value overflows.
bool FitsCurrency(QStringView text);

} // namespace qm
