#pragma once

#include <QLineEdit>
#include <functional>

namespace qm {

// Sounds the system beep for a refused key. Tests replace the sound to count refusals; an empty
// function restores it.
void Beep();
void SetBeepHook(std::function<void()> hook);

// A single-line box whose typed characters pass through a hook before they reach the text,
// and which refuses paste and drops (the keyboard shortcuts, the context menu, the middle
// mouse button and drag and drop), so only keys that pass the hook can change it. Text an
// input method commits is typed character by character through the same hook. The system
// clipboard is never touched.
class FilteredLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit FilteredLineEdit(QWidget* parent = nullptr);

    // Every key press, before anything else (the Delete key, for example). Return true to
    // swallow the key.
    std::function<bool(QKeyEvent*)> onKeyDown;
    // Every key that types a character, with its character code: 13 for Enter, 8 for
    // backspace, 1 to 26 for Ctrl with a letter, else the character. Return the code to type,
    // or 0 to swallow the key. Without a hook every character is typed, except Enter.
    std::function<int(int)> onKeyPress;

    // Empties the box as setting its text does: what the program empties is not the person's
    // typing, so Ctrl+Z does not bring it back (QLineEdit::clear would let it).
    void clear() { setText(QString()); }

    // Selects the whole text when the box gets the focus (also when it is clicked into).
    void setSelectAllOnFocus(bool on) { selectAllOnFocus_ = on; }

    // Finishes a key an amount filter passed as `filtered` (0 = refused): a key that would take
    // the amount out of range is refused too, and a refused key beeps. Returns the code to type.
    int finishAmountKey(int filtered) const;

    // The character code a key event types, or -1 when the key types nothing (arrows, Tab,
    // function keys, Delete, bare modifiers).
    static int characterCode(const QKeyEvent* event);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Whether typing `code` now (at the cursor, over the selection) leaves a text whose number
    // still fits the Currency range with at most 15 integer digits. Backspace always does.
    bool keyKeepsAmountInRange(int code) const;
    // Types `text` one character at a time, each as its own key.
    void typeText(const QString& text);

    bool selectAllOnFocus_ = true;
    bool selectOnNextClick_ = false;
};

} // namespace qm
