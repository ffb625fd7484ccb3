#include "screens/CalcScreen.h"

#include "core/input/DisplayForm.h"
#include "core/text/Conversions.h"

namespace qm {

namespace {

// The most years a years box takes.
constexpr double MaxYears = 40;

} // namespace

void CalcScreen::open(const QString& currencySymbol) {
    state_ = CalcState{};
    state_.currencySymbol = currencySymbol;
}

const BoxRule& CalcScreen::boxRule(const QString& name) const {
    const BoxRule* row = FindBox(name, state_.calcChoice);
    if (!row)
        row = FindBox(name, 0);
    Q_ASSERT(row);
    return *row;
}

QString CalcScreen::display(const DisplayForm& form, double value) const {
    return Display(form, value, state_.currencySymbol);
}

QString CalcScreen::display(const DisplayForm& form, Currency value) const {
    return Display(form, value, state_.currencySymbol);
}

std::optional<QString> CalcScreen::storeValue(const BoxRule& row, double value) {
    switch (row.store) {
    case BoxStore::MortgageInputs:
        state_.mortgageInputs[static_cast<std::size_t>(row.index)] = value;
        return display(row.form, value);
    case BoxStore::InputValues: {
        const Currency amount = Currency::fromDouble(value);
        state_.inputValues[static_cast<std::size_t>(row.index)] = amount;
        return display(row.form, amount);
    }
    case BoxStore::None:
        break;
    }
    return std::nullopt;
}

bool CalcScreen::deletePressed(const BoxRule& row) {
    switch (row.deleteKey) {
    case DeleteKey::MarksEdited:
        state_.editFlag = 1;
        return false;
    case DeleteKey::EmptiesBox:
        return true;
    case DeleteKey::Plain:
        return false;
    }
    return false;
}

void CalcScreen::emptyPage() {
    EmptyPage(state_);
}

KeyStart CalcScreen::keyTyped(const BoxRule& row, GrowthResults growth) {
    KeyStart start;
    if (state_.editFlag == 0) {
        start.emptyBox = true;
        switch (row.pageClear) {
        case PageClear::Never:
            break;
        case PageClear::WhileComplete:
            if (growth == GrowthResults::Complete) {
                emptyPage();
                start.pageEmptied = true;
            }
            break;
        case PageClear::Always:
            emptyPage();
            start.pageEmptied = true;
            break;
        }
    }
    state_.editFlag = 1;
    return start;
}

BoxLeave CalcScreen::leaveBox(const BoxRule& row, const QString& text) {
    BoxLeave out;
    if (row.kind == BoxKind::Text) {
        endEdit();
        return out;
    }
    QString current = text;
    if (row.yearsCheck == YearsCheck::EveryLeave && Val(current) > MaxYears) {
        out.messages.push_back(Message::FortyYearLimit);
        current = QStringLiteral("40");
        out.shown = current;
    }
    if (state_.editFlag != 1)
        return out;
    endEdit();
    if (row.store == BoxStore::InputValues && !FitsCurrency(current)) {
        // Only text put in by the program could get here; keep the stored value.
        out.refused = true;
        return out;
    }
    if (std::optional<QString> shown = storeValue(row, Val(current)))
        out.shown = shown;
    out.recalculateMortgage = row.recalculatesMortgage;
    return out;
}

bool CalcScreen::listChosen(const ListRule& list, GrowthResults growth) {
    switch (list.click) {
    case ListClick::EmptiesPageWhileComplete:
        if (growth != GrowthResults::Complete)
            return false;
        emptyPage();
        return true;
    case ListClick::MarksEdited:
        state_.editFlag = 1;
        return false;
    }
    return false;
}

void CalcScreen::listKeyDiscarded(const ListRule& list) {
    if (list.keyEndsEdit)
        endEdit();
}

ListLeave CalcScreen::leaveList(const ListRule& list) {
    const ListLeave step = state_.editFlag == 1 ? list.leave : ListLeave::Nothing;
    endEdit();
    return step;
}

void CalcScreen::changeTab(int tab) {
    ResetForTabChange(state_);
    endEdit();
    state_.visibleTab = tab;
}

void CalcScreen::clearResults() {
    ClearResults(state_);
}

void CalcScreen::showHelpPage(const QString& page) {
    ShowHelpPage(state_, page);
}

void CalcScreen::showHowToUse() {
    ShowHelpPage(state_, HowToUsePage(state_.currencySymbol));
}

QString CalcScreen::printedPage() const {
    if (state_.results.isEmpty())
        return QString();
    return state_.resultsPage.isEmpty() ? state_.results : state_.resultsPage;
}

} // namespace qm
