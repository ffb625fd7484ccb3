#include "input/InputBox.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "input/KeyFilters.h"
#include "text/Conversions.h"
#include "ui/BoxColours.h"

#include <QDropEvent>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <algorithm>
#include <string>

namespace qm {

namespace {

void focusByName(BoxHost& host, const char* name) {
    if (QWidget* target = host.control(QString::fromLatin1(name)))
        target->setFocus(Qt::TabFocusReason);
}

} // namespace

int DisplayColumns(const QString& name) {
    // The compound-gain investment name is free text: its default fits with room to spare.
    constexpr int TextColumns = 20;
    int columns = 0;
    for (const BoxRule& row : AllBoxes()) {
        if (name != QLatin1String(row.name))
            continue;
        const int shown =
            row.kind == BoxKind::Text
                ? TextColumns
                : row.form.width +
                      static_cast<int>(std::char_traits<char16_t>::length(row.form.suffix));
        columns = std::max(columns, shown);
    }
    return columns;
}

bool IsWindowFocusChange(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

InputBox::InputBox(const char* name, BoxHost& host, QWidget* parent)
    : FilteredLineEdit(parent), host_(host) {
    setObjectName(QLatin1String(name));
    Q_ASSERT(FindBox(objectName(), 0)); // a row for any choice, or for the first option
    PaintBox(this, BoxColour::Input);
    onKeyDown = [this](QKeyEvent* event) { return keyDown(event); };
    onKeyPress = [this](int code) { return keyPress(code); };
}

const BoxRule& InputBox::rule() const {
    const BoxRule* row = FindBox(objectName(), host_.calcState().calcChoice);
    if (!row)
        row = FindBox(objectName(), 0);
    Q_ASSERT(row);
    return *row;
}

void InputBox::setValue(double value) {
    const BoxRule& row = rule();
    CalcState& state = host_.calcState();
    switch (row.store) {
    case BoxStore::MortgageInputs:
        state.mortgageInputs[static_cast<std::size_t>(row.index)] = value;
        setText(Display(row.form, value));
        break;
    case BoxStore::InputValues: {
        const Currency amount = Currency::fromDouble(value);
        state.inputValues[static_cast<std::size_t>(row.index)] = amount;
        setText(Display(row.form, amount));
        break;
    }
    case BoxStore::None:
        break;
    }
}

bool InputBox::keyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Delete)
        return false;
    switch (rule().deleteKey) {
    case DeleteKey::MarksEdited:
        host_.calcState().editFlag = 1;
        return false;
    case DeleteKey::EmptiesBox:
        if (!isReadOnly())
            clear();
        return true;
    case DeleteKey::Plain:
        return false;
    }
    return false;
}

void InputBox::emptyPageIfConfigured(const BoxRule& row) {
    switch (row.pageClear) {
    case PageClear::Never:
        return;
    case PageClear::WhileComplete:
        host_.growthInputChanged();
        return;
    case PageClear::Always:
        EmptyPage(host_.calcState());
        host_.resultsChanged();
        return;
    }
}

int InputBox::keyPress(int code) {
    // The box of the quantity the mortgage solver finds is locked: a key only ends the edit.
    if (isReadOnly()) {
        host_.calcState().editFlag = 0;
        return 0;
    }
    const BoxRule& row = rule();
    if (code == KeyEnter) {
        focusByName(host_, row.enterTarget);
        return 0;
    }
    if (host_.calcState().editFlag == 0) {
        clear();
        emptyPageIfConfigured(row);
    }
    int out = code;
    switch (row.filter) {
    case BoxFilter::Money:
        out = MoneyKeyFilter(code, text(), row.extraDecimals);
        break;
    case BoxFilter::Digit:
        out = DigitKeyFilter(code);
        break;
    case BoxFilter::None:
        break;
    }
    if (row.filter != BoxFilter::None)
        out = finishAmountKey(out);
    host_.calcState().editFlag = 1;
    return out;
}

void InputBox::focusOutEvent(QFocusEvent* event) {
    FilteredLineEdit::focusOutEvent(event);
    if (!IsWindowFocusChange(event->reason()))
        leave();
}

void InputBox::dragEnterEvent(QDragEnterEvent* event) {
    event->ignore();
}

void InputBox::dragMoveEvent(QDragMoveEvent* event) {
    event->ignore();
}

void InputBox::dropEvent(QDropEvent* event) {
    event->ignore();
}

void InputBox::leave() {
    const BoxRule& row = rule();
    if (row.kind == BoxKind::Text) {
        host_.calcState().editFlag = 0;
        return;
    }
    if (row.yearsCheck == YearsCheck::EveryLeave && Val(text()) > 40) {
        ShowMessage(5);
        setText(QStringLiteral("40"));
    }
    if (host_.calcState().editFlag != 1)
        return;
    host_.calcState().editFlag = 0;
    const double value = Val(text());
    if (row.store == BoxStore::InputValues && !FitsCurrency(text())) {
        // Only text put in by the program could get here; keep the stored value.
        Beep();
        return;
    }
    setValue(value);
    if (row.recalculatesMortgage)
        host_.recalculateMortgage();
}

ChoiceList::ChoiceList(const char* name, BoxHost& host, QWidget* parent)
    : QComboBox(parent), host_(host), rule_(*FindList(QString::fromLatin1(name))) {
    setObjectName(QLatin1String(name));
    setEditable(false);
    PaintBox(this, BoxColour::Input);
    connect(this, &QComboBox::activated, this, [this] { chosen(); });
}

void ChoiceList::loadItems() {
    clear();
    for (const char16_t* item : rule_.items)
        addItem(QString::fromUtf16(item));
    setCurrentIndex(0);
}

void ChoiceList::chosen() {
    switch (rule_.click) {
    case ListClick::EmptiesPageWhileComplete:
        host_.growthInputChanged();
        break;
    case ListClick::MarksEdited:
        host_.calcState().editFlag = 1;
        break;
    }
}

void ChoiceList::keyPressEvent(QKeyEvent* event) {
    const int code = FilteredLineEdit::characterCode(event);
    if (code < 0) {
        // Arrows, page keys and the popup keys choose items as a click does.
        QComboBox::keyPressEvent(event);
        return;
    }
    event->accept();
    if (code == KeyEnter) {
        focusByName(host_, rule_.enterTarget);
        return;
    }
    // Typed characters are discarded: the item changes only by choosing it.
    if (rule_.keyEndsEdit)
        host_.calcState().editFlag = 0;
}

void ChoiceList::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
    if (!event->commitString().isEmpty() && rule_.keyEndsEdit)
        host_.calcState().editFlag = 0;
}

void ChoiceList::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (IsWindowFocusChange(event->reason()))
        return;
    if (host_.calcState().editFlag == 1) {
        if (rule_.leave == ListLeave::RecalculateMortgage) {
            host_.calcState().editFlag = 0;
            host_.recalculateMortgage();
        } else if (rule_.leave == ListLeave::ApplyDaysOption) {
            host_.calcState().editFlag = 0;
            host_.applyDaysOption();
        }
    }
    host_.calcState().editFlag = 0;
}

} // namespace qm
