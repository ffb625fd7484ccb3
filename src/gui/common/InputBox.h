#pragma once

#include <QComboBox>

#include "core/calculators/BoxTable.h"
#include "gui/common/FilteredLineEdit.h"
#include "screens/CalcScreen.h"

namespace qm {

// What the input boxes and lists need from the window that holds them.
class BoxHost {
public:
    virtual ~BoxHost() = default;
    // The window's model: it decides what a key, a choice or leaving a control does.
    virtual CalcScreen& calcScreen() = 0;
    // The invested-growth "Show results" option selected now.
    virtual GrowthResults growthResults() const = 0;
    // The page was emptied by a box or list: the Results box must show it.
    virtual void resultsChanged() = 0;
    // A mortgage box, or the compounding list, was left after an edit.
    virtual void recalculateMortgage() = 0;
    // The payment-frequency list was left after an item was chosen.
    virtual void applyDaysOption() = 0;
    // A control of the window by its name (Enter moves the focus to it).
    virtual QWidget* control(const QString& name) = 0;
};

// A yellow input box of the calculator window. Everything that differs between boxes comes
// from its row of the box table, looked up by the window's model from the box's name and the
// calculation choice, so the boxes whose kind follows an option switch with it. The model
// decides what the first key, the Delete key and leaving the box do (see CalcScreen); the box
// filters keys, moves the focus and shows what the model returns:
//   - getting the focus selects the whole text;
//   - the first key typed empties the box before the key is filtered, so even a refused first
//     key replaces the old value;
//   - money and digit boxes filter every key; a refused key beeps; a key that would make the
//     value too large to store is refused as well;
//   - Enter moves the focus to the row's next control and never calculates;
//   - paste and drops are refused, and the clipboard is left alone.
class InputBox : public FilteredLineEdit {
    Q_OBJECT
public:
    InputBox(const char* name, BoxHost& host, QWidget* parent = nullptr);

    // The row that applies now.
    const BoxRule& rule() const;

    // Stores `value` where the row says and shows it in the row's display form (tab defaults).
    void setValue(double value);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    // Nothing dragged onto a box is taken, even if a drop reaches it.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool keyDown(QKeyEvent* event);
    int keyPress(int code);
    void leave();

    BoxHost& host_;
};

// A drop-down list of the calculator window: nothing can be typed into it (printable keys are
// discarded, so no item is chosen by its first letter); Enter moves the focus to the row's next
// control; choosing an item and leaving the list act as the window's model says for its row of
// the list table.
class ChoiceList : public QComboBox {
    Q_OBJECT
public:
    ChoiceList(const char* name, BoxHost& host, QWidget* parent = nullptr);

    const ListRule& rule() const { return rule_; }

    // Empties the list, fills it with its items and shows the first.
    void loadItems();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Text from an input method is discarded as typed characters are (the list would choose
    // an item by it otherwise).
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void chosen();

    BoxHost& host_;
    const ListRule& rule_;
};

// The most characters box `name` shows in any of its display forms (a free-text box: room for
// a short name). Boxes are made this wide.
int DisplayColumns(const QString& name);

// True for a focus change that only follows the window (a dialog or a popup opened above it):
// that is not leaving a control.
bool IsWindowFocusChange(Qt::FocusReason reason);

} // namespace qm
