#include "gui/common/InputBox.h"

#include "core/input/KeyFilters.h"
#include "gui/common/BoxColours.h"
#include "gui/common/Dialogs.h"

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
    return host_.calcScreen().boxRule(objectName());
}

void InputBox::setValue(double value) {
    if (std::optional<QString> shown = host_.calcScreen().storeValue(rule(), value))
        setText(*shown);
}

bool InputBox::keyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Delete)
        return false;
    if (!host_.calcScreen().deletePressed(rule()))
        return false;
    if (!isReadOnly())
        clear();
    return true;
}

int InputBox::keyPress(int code) {
    CalcScreen& screen = host_.calcScreen();
    // The box of the quantity the mortgage solver finds is locked: a key only ends the edit.
    if (isReadOnly()) {
        screen.endEdit();
        return 0;
    }
    const BoxRule& row = rule();
    if (code == KeyEnter) {
        focusByName(host_, row.enterTarget);
        return 0;
    }
    const KeyStart start = screen.keyTyped(row, host_.growthResults());
    if (start.emptyBox)
        clear();
    if (start.pageEmptied)
        host_.resultsChanged();
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
    const BoxLeave out = host_.calcScreen().leaveBox(rule(), text());
    for (const Message message : out.messages)
        ShowMessage(message);
    if (out.shown)
        setText(*out.shown);
    if (out.refused) {
        Beep();
        return;
    }
    if (out.recalculateMortgage)
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
    if (host_.calcScreen().listChosen(rule_, host_.growthResults()))
        host_.resultsChanged();
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
    host_.calcScreen().listKeyDiscarded(rule_);
}

void ChoiceList::inputMethodEvent(QInputMethodEvent* event) {
    event->accept();
    if (!event->commitString().isEmpty())
        host_.calcScreen().listKeyDiscarded(rule_);
}

void ChoiceList::focusOutEvent(QFocusEvent* event) {
    QComboBox::focusOutEvent(event);
    if (IsWindowFocusChange(event->reason()))
        return;
    switch (host_.calcScreen().leaveList(rule_)) {
    case ListLeave::RecalculateMortgage:
        host_.recalculateMortgage();
        break;
    case ListLeave::ApplyDaysOption:
        host_.applyDaysOption();
        break;
    case ListLeave::Nothing:
        break;
    }
}

} // namespace qm
