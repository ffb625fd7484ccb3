#include "gui/common/CommandGate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QShortcut>

namespace qm {

namespace {

bool isEnterKey(const QKeyEvent* key) {
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && mods == Qt::NoModifier;
}

bool usable(const QWidget* widget) {
    return widget && widget->isVisible() && widget->isEnabled();
}

// Whether `key` is an undo or redo key that the box `watched` has nothing of its own for: it is
// then the window's command (the portfolio's history) and not the box's.
bool undoKeyPassesBox(const QObject* watched, const QKeyEvent* key) {
    const auto* box = qobject_cast<const QLineEdit*>(watched);
    if (!box)
        return false;
    return (IsUndoKey(key) && !box->isUndoAvailable()) ||
           (IsRedoKey(key) && !box->isRedoAvailable());
}

} // namespace

void CommandGate::install() {
    static QPointer<CommandGate> gate;
    if (gate || !qApp)
        return;
    gate = new CommandGate(qApp);
    qApp->installEventFilter(gate);
}

bool CommandGate::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // A box takes Ctrl+Z and the redo keys for its own typing; when it has none to take back
        // they go on to the window, as in every program with a history of changes.
        if (undoKeyPassesBox(watched, static_cast<QKeyEvent*>(event))) {
            event->ignore();
            return true;
        }
        break;
    case QEvent::Shortcut: {
        // A button's access key: the button clicks itself (after this filter) without taking
        // the focus, so the edit is left here first. An ambiguous key only moves the focus.
        auto* button = qobject_cast<QAbstractButton*>(watched);
        if (button && !static_cast<QShortcutEvent*>(event)->isAmbiguous() && usable(button))
            LeaveEditFor(button);
        break;
    }
    case QEvent::KeyPress: {
        auto* button = qobject_cast<QPushButton*>(watched);
        auto* key = static_cast<QKeyEvent*>(event);
        // Keys go to the focused control: a push button receiving Enter has the focus.
        if (button && isEnterKey(key)) {
            key->accept();
            if (!key->isAutoRepeat() && button->isEnabled())
                button->click();
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

bool IsUndoKey(const QKeyEvent* key) {
    return key->matches(QKeySequence::Undo);
}

bool IsRedoKey(const QKeyEvent* key) {
    const QKeySequence pressed(key->keyCombination());
    return key->matches(QKeySequence::Redo) ||
           pressed == QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z) ||
           pressed == QKeySequence(Qt::CTRL | Qt::Key_Y);
}

void LeaveEditFor(QWidget* target) {
    if (!target)
        return;
    QWidget* focused = QApplication::focusWidget();
    if (!focused || focused == target || focused->window() != target->window())
        return;
    if ((target->focusPolicy() & Qt::ClickFocus) && usable(target))
        target->setFocus(Qt::ShortcutFocusReason);
    else
        focused->clearFocus();
}

void PressButton(QAbstractButton* button) {
    if (!usable(button))
        return;
    LeaveEditFor(button);
    // Leaving may have shown a message, after which the button can be gone or disabled.
    if (usable(button))
        button->click();
}

QShortcut* AddCommandKey(QWidget* window, const QKeySequence& key, std::function<QWidget*()> target,
                         std::function<void(QWidget*)> command) {
    auto* shortcut = new QShortcut(key, window);
    QObject::connect(shortcut, &QShortcut::activated, window,
                     [target = std::move(target), command = std::move(command)] {
                         QPointer<QWidget> to = target();
                         if (!to)
                             return;
                         LeaveEditFor(to);
                         if (to)
                             command(to);
                     });
    return shortcut;
}

void AddHelpAndPrintKeys(QWidget* window, std::function<QWidget*()> shownFrame) {
    const auto frameButton = [shownFrame](const char* suffix) {
        return [shownFrame, suffix]() -> QWidget* {
            QWidget* frame = shownFrame();
            if (!frame)
                return nullptr;
            for (QAbstractButton* button : frame->findChildren<QAbstractButton*>()) {
                if (button->objectName().endsWith(QLatin1String(suffix)) && usable(button))
                    return button;
            }
            return nullptr;
        };
    };
    const auto press = [](QWidget* button) { PressButton(static_cast<QAbstractButton*>(button)); };
    AddCommandKey(window, QKeySequence(Qt::Key_F1), frameButton("Help"), press);
    AddCommandKey(window, QKeySequence(Qt::CTRL | Qt::Key_P), frameButton("Print"), press);
}

} // namespace qm
