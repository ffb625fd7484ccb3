#include "gui/manager/ManagerControls.h"

#include "core/input/KeyFilters.h"
#include "gui/common/BoxColours.h"
#include "gui/common/Dialogs.h"
#include "gui/common/InputBox.h"
#include "gui/common/WindowLayout.h"
#include "screens/RecordEntry.h"

#include <QFocusEvent>
#include <QFont>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace qm {

namespace {} // namespace

QPushButton* ManagerButton(const char* name, const char* caption, QWidget* parent) {
    return NamedButton(QLatin1String(name), QLatin1String(caption), parent);
}

QLabel* ManagerLabel(const QString& name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    // Names the user typed show character for character, never as markup.
    label->setTextFormat(Qt::PlainText);
    return label;
}

void KeepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

QPlainTextEdit* ManagerResultsBox(const char* name, int columns, QWidget* parent) {
    QPlainTextEdit* box = PageBox(QLatin1String(name), columns, parent);
    box->setMinimumHeight(box->fontMetrics().lineSpacing() * 14);
    return box;
}

AmountBox::AmountBox(const QString& name, int& editFlag, QWidget* parent)
    : FilteredLineEdit(parent), editFlag_(editFlag) {
    setObjectName(name);
    PaintBox(this, BoxColour::Input);
    onKeyDown = [this](QKeyEvent* event) {
        if (event->key() == Qt::Key_Delete)
            editFlag_ = 1; // the key then deletes as usual
        return false;
    };
    onKeyPress = [this](int code) { return keyPress(code); };
}

int AmountBox::keyPress(int code) {
    if (code == KeyEnter) {
        if (onEnter)
            onEnter();
        return 0;
    }
    if (editFlag_ == 0) {
        clear();
        editFlag_ = 1;
        if (onFirstKey)
            onFirstKey();
    }
    return finishAmountKey(MoneyKeyFilter(code, text(), 4));
}

void AmountBox::focusOutEvent(QFocusEvent* event) {
    FilteredLineEdit::focusOutEvent(event);
    // A dialog or popup opening above the window is not leaving the box.
    if (IsWindowFocusChange(event->reason()) || editFlag_ != 1)
        return;
    editFlag_ = 0;
    if (onLeave)
        setText(onLeave(text()));
}

DateBox::DateBox(const QString& name, QWidget* parent) : FilteredLineEdit(parent) {
    setObjectName(name);
    PaintBox(this, BoxColour::Input);
    onKeyPress = [this](int code) { return keyPress(code); };
}

int DateBox::keyPress(int code) {
    if (code == KeyEnter) {
        if (onEnter)
            onEnter();
        return 0;
    }
    const bool accepted = code == KeyBackspace || code == '/' || code == '.' || code == '-' ||
                          code == ' ' || (code >= '0' && code <= '9');
    if (!accepted)
        Beep();
    return accepted ? code : 0;
}

void DateBox::focusOutEvent(QFocusEvent* event) {
    FilteredLineEdit::focusOutEvent(event);
    if (!IsWindowFocusChange(event->reason()))
        checkDate();
}

void DateBox::checkDate() {
    // Only a box the user can be in is checked: the focus also leaves a box that the program
    // disables or hides.
    if (checking_ || !isEnabled() || !isVisible())
        return;
    const std::optional<QString> today = CheckDateBox(text());
    if (!today)
        return;
    checking_ = true;
    ShowMessage(Message::DateFormat);
    setText(*today);
    setFocus(Qt::OtherFocusReason);
    checking_ = false;
}

LockedList::LockedList(const QString& name, QWidget* parent) : QComboBox(parent) {
    setObjectName(name);
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    setCompleter(nullptr);
    lineEdit()->setReadOnly(true);
    PaintBox(this, BoxColour::Input);
    connect(this, &QComboBox::activated, this, [this](int index) {
        // Choosing the item that is already current must still show it as the text.
        setEditText(itemText(index));
        if (onChosen)
            onChosen();
    });
}

void LockedList::setText(const QString& text) {
    if (text.isEmpty())
        setCurrentIndex(-1);
    setEditText(text);
}

void LockedList::setItems(const QStringList& items) {
    clear();
    addItems(items);
    setText(QString());
}

void LockedList::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (event->key() == Qt::Key_Delete) {
        if (onDelete)
            onDelete();
        return;
    }
    const int code = FilteredLineEdit::characterCode(event);
    if (code == KeyEnter) {
        if (onEnter)
            onEnter();
        return;
    }
    if (code >= 0 || event->matches(QKeySequence::Paste)) {
        Beep();
        return;
    }
    // Arrows, page keys and the popup keys choose items as a click does.
    QComboBox::keyPressEvent(event);
}

FundListBox::FundListBox(const QString& name, QWidget* parent) : QListWidget(parent) {
    setObjectName(name);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
}

int FundListBox::selectedPosition() const {
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : row(selected.first());
}

void FundListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    if (onDoubleClick)
        onDoubleClick();
}

void FundListBox::keyPressEvent(QKeyEvent* event) {
    if (FilteredLineEdit::characterCode(event) == KeyEnter) {
        event->accept();
        if (onEnter)
            onEnter();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace qm
