#include "gui/common/FilteredLineEdit.h"

#include "gui/common/CommandGate.h"

#include "core/calculators/BoxTable.h"
#include "core/input/KeyFilters.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>

namespace qm {

namespace {

std::function<void()>& beepHook() {
    static std::function<void()> hook;
    return hook;
}

} // namespace

void Beep() {
    if (beepHook())
        beepHook()();
    else
        QApplication::beep();
}

void SetBeepHook(std::function<void()> hook) {
    beepHook() = std::move(hook);
}

FilteredLineEdit::FilteredLineEdit(QWidget* parent) : QLineEdit(parent) {
    setAcceptDrops(false);
    setDragEnabled(false);
}

bool FilteredLineEdit::keyKeepsAmountInRange(int code) const {
    if (code == KeyBackspace || code == KeyDel127)
        return true;
    const QString after = TextAfterKey(text(), cursorPosition(), selectionStart(),
                                       static_cast<int>(selectedText().size()), QChar(code));
    return FitsCurrency(after);
}

int FilteredLineEdit::finishAmountKey(int filtered) const {
    if (filtered != 0 && !keyKeepsAmountInRange(filtered))
        filtered = 0;
    if (filtered == 0)
        Beep();
    return filtered;
}

int FilteredLineEdit::characterCode(const QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return KeyEnter;
    case Qt::Key_Backspace:
        return KeyBackspace;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
        return event->key() - Qt::Key_A + 1;
    const QString text = event->text();
    if (text.size() != 1)
        return -1;
    const char16_t c = text.at(0).unicode();
    if (c == KeyDel127 || c < 32)
        return -1; // Delete and other control keys type nothing here
    return c;
}

void FilteredLineEdit::keyPressEvent(QKeyEvent* event) {
    if (onKeyDown && onKeyDown(event)) {
        event->accept();
        return;
    }
    // The undo and redo keys take back the box's own typing (the command gate hands them to the
    // window when the box has none); they type nothing.
    if (IsUndoKey(event)) {
        event->accept();
        undo();
        return;
    }
    if (IsRedoKey(event)) {
        event->accept();
        redo();
        return;
    }
    // Paste by any shortcut (Ctrl+V, Shift+Insert, the platform's own) is refused.
    if (event->matches(QKeySequence::Paste)) {
        event->accept();
        return;
    }
    const int code = characterCode(event);
    if (code < 0 && event->text().size() > 1 && !(event->modifiers() & Qt::ControlModifier)) {
        // A key that types several characters (or one outside the basic plane) types each
        // through the filter.
        event->accept();
        typeText(event->text());
        return;
    }
    if (code < 0) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Enter never reaches the line edit, whatever the hook returns.
    const int result = onKeyPress ? onKeyPress(code) : code;
    if (result == 0 || code == KeyEnter) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void FilteredLineEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    if (selectAllOnFocus_) {
        selectAll();
        selectOnNextClick_ = event->reason() == Qt::MouseFocusReason;
    }
}

void FilteredLineEdit::typeText(const QString& text) {
    for (const char32_t c : QStringView(text).toUcs4()) {
        if (QChar::requiresSurrogates(c)) {
            // No key event carries it as one character: the hook decides alone.
            const int code = static_cast<int>(c);
            if (isReadOnly() || (onKeyPress && onKeyPress(code) == 0))
                continue;
            insert(QString::fromUcs4(&c, 1));
            continue;
        }
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier,
                      QString(QChar(static_cast<char16_t>(c))));
        keyPressEvent(&key);
    }
}

void FilteredLineEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Only committed text counts, typed as keys. Text still being composed is not shown: the
    // line edit would put it in place of the selected text, changing the box unfiltered.
    event->accept();
    if (!event->commitString().isEmpty())
        typeText(event->commitString());
}

void FilteredLineEdit::mousePressEvent(QMouseEvent* event) {
    // The middle button pastes the selection of another program on some desktops: refused
    // like any other paste.
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
    // A click that gave the focus keeps the whole text selected, as Tab does.
    if (selectOnNextClick_) {
        selectOnNextClick_ = false;
        selectAll();
    }
}

void FilteredLineEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void FilteredLineEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    selectOnNextClick_ = false;
}

void FilteredLineEdit::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    // Only copying and selecting stay: every other entry (paste, cut, delete, undo, redo,
    // inserting control characters) could change the text other than by typing. The entries
    // carry no names, so they are told apart by the shortcut shown after their tab.
    const QString copy = QKeySequence(QKeySequence::Copy).toString(QKeySequence::NativeText);
    const QString selectAll =
        QKeySequence(QKeySequence::SelectAll).toString(QKeySequence::NativeText);
    for (QAction* action : menu->actions()) {
        if (action->isSeparator())
            continue;
        const QString shortcut = action->text().section(QLatin1Char('\t'), 1);
        if (shortcut.isEmpty() || (shortcut != copy && shortcut != selectAll))
            action->setEnabled(false);
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace qm
