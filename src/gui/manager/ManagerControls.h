#pragma once

// The investment manager's own kinds of control: its amount boxes (four decimals), the date box,
// the drop-down lists that take no typing, and the fund list of the display tab.

#include "gui/common/FilteredLineEdit.h"

#include <QComboBox>
#include <QListWidget>
#include <functional>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qm {

// The caption of a help button while its help text is closed, and while it is shown.
inline const QString HelpCaption = QStringLiteral("&Help");
inline const QString CloseHelpCaption = QStringLiteral("Close &Help");

// A button that Enter in a box never presses by itself.
QPushButton* ManagerButton(const char* name, const char* caption, QWidget* parent);
QLabel* ManagerLabel(const QString& name, const QString& text, QWidget* parent);
// Keeps the place of `widget` in its layout while it is hidden, so the controls beside it do not
// shift.
void KeepPlaceWhenHidden(QWidget* widget);
// A read-only results box in the fixed-pitch font, wide enough for `columns` characters,
// scrolled sideways rather than wrapped.
QPlainTextEdit* ManagerResultsBox(const char* name, int columns, QWidget* parent);

// An amount box of the manager (entry row prices, shares, fees and dividends, current prices):
//   - the first key typed after the box was entered (the window's edit flag 0) empties it, then
//     `onFirstKey` runs; the Delete key counts as typing;
//   - keys pass MoneyKeyFilter with four decimals; a refused key beeps, and so does a key that
//     would make the amount too large to hold;
//   - Enter runs `onEnter` and types nothing;
//   - leaving the box after typing replaces its text by what `onLeave` returns for it.
// Paste and drops are refused.
class AmountBox : public FilteredLineEdit {
    Q_OBJECT
public:
    // `editFlag` is the window's edit session, shared by all its amount boxes.
    AmountBox(const QString& name, int& editFlag, QWidget* parent = nullptr);

    std::function<void()> onEnter;
    std::function<void()> onFirstKey;
    std::function<QString(const QString& typed)> onLeave;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    int keyPress(int code);
    int& editFlag_;
};

// The transaction date box: digits, "/", ".", "-", the blank and backspace are typed; Enter runs
// `onEnter`; any other key beeps. Leaving it with a text that is not a date shows message 30,
// puts today's date in it and keeps the focus there.
class DateBox : public FilteredLineEdit {
    Q_OBJECT
public:
    explicit DateBox(const QString& name, QWidget* parent = nullptr);

    std::function<void()> onEnter;

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    int keyPress(int code);
    void checkDate();
    bool checking_ = false;
};

// A drop-down list whose text the program sets but the user cannot type into: every typed
// character beeps and is dropped. An item is chosen from the list (or by the arrow keys), which
// shows it as the text and runs `onChosen`. Enter runs `onEnter`; the Delete key runs `onDelete`.
class LockedList : public QComboBox {
    Q_OBJECT
public:
    explicit LockedList(const QString& name, QWidget* parent = nullptr);

    // The text shown (any text, not only an item); the empty text shows nothing.
    void setText(const QString& text);
    QString text() const { return currentText(); }
    // Replaces the items; the text is left empty.
    void setItems(const QStringList& items);

    std::function<void()> onChosen;
    std::function<void()> onEnter;
    std::function<void()> onDelete;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The fund list of the display tab: a double-click anywhere in it (on a line or not) runs
// `onDoubleClick`; Enter runs `onEnter`.
class FundListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FundListBox(const QString& name, QWidget* parent = nullptr);

    // The position of the selected line, or -1 when none is selected.
    int selectedPosition() const;

    std::function<void()> onDoubleClick;
    std::function<void()> onEnter;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace qm
