#pragma once

#include <QObject>
#include <functional>

class QAbstractButton;
class QKeyEvent;
class QKeySequence;
class QShortcut;
class QWidget;

namespace qm {

// Every command of the program starts the way a click on its button starts it: the box or list
// being edited is left first (its value stored and shown in its display form, its checks and
// messages run, a list's choice applied), because the click moves the focus to the button. The
// gate gives the keyboard the same path:
//   - an access key (Alt with the underlined letter) of a button or option first moves the
//     focus to it, then presses it;
//   - Enter on a focused push button presses it, in every window and dialog (Space already
//     does); Enter in a box keeps its own meaning;
//   - the windows' command keys (AddCommandKey) and closing a work window leave the box first.
// The gate watches the whole application; it is installed by the first button the program
// makes (NamedButton), so every window and dialog has it.
class CommandGate : public QObject {
    Q_OBJECT
public:
    static void install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
};

// The keys of the history of changes: undo (Ctrl+Z) and redo (Ctrl+Shift+Z, Ctrl+Y, and the
// platform's own redo key).
bool IsUndoKey(const QKeyEvent* key);
bool IsRedoKey(const QKeyEvent* key);

// Leaves the box or list being edited in the window of `target` as a click on `target` does:
// the focus moves to `target`, or, where `target` takes no focus, away from the box. Nothing
// happens when the focus is on `target` already or in another window.
void LeaveEditFor(QWidget* target);

// Presses `button` as a click does: the edit is left for it, then the button is clicked (when
// it is still shown and enabled).
void PressButton(QAbstractButton* button);

// A key of `window` (for example F1) that leaves the edit for the control `target` returns
// (the button or tab bar the command belongs to), then runs `command` with it. A null target
// runs nothing.
QShortcut* AddCommandKey(QWidget* window, const QKeySequence& key, std::function<QWidget*()> target,
                         std::function<void(QWidget*)> command);

// F1 and Ctrl+P of a window with tabs: they press the "&Help" and "&Print" buttons of the
// frame `shownFrame` returns (the buttons whose names end in "Help" and "Print").
void AddHelpAndPrintKeys(QWidget* window, std::function<QWidget*()> shownFrame);

} // namespace qm
