#pragma once

// Controls as screen readers meet them, where Qt's own description falls short: drop-down lists
// named after their label like every other control (Qt gives a list's chosen entry as its name
// on this desktop, so a list read "Monthly" rather than what it is for), and windows, messages
// and charts given the role they play.

#include <QAccessible>
#include <QAccessibleWidget>

class QComboBox;

namespace qm {

// A drop-down list: its name is its accessible name (else its label's text), its value the
// chosen entry, which it also shows as its (read-only) text, where screen readers look for what a
// list shows; its children are the drop-down's entries and, for a list one can type into, its
// edit part.
class AccessibleList : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleList(QComboBox* list);

    void* interface_cast(QAccessible::InterfaceType t) override;

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

    // The chosen entry as text.
    QString text(int startOffset, int endOffset) const override;
    int characterCount() const override;
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int* startOffset, int* endOffset) const override;
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* startOffset, int* endOffset) const override;

private:
    QComboBox* list() const;
    QString shown() const;
};

// Makes every drop-down list of the program use AccessibleList, every option button
// AccessibleOption, and widgets given a role by SetAccessibleRole that role (once; later calls do
// nothing). Needs the application object; a
// control whose description a screen reader already asked for keeps the one it has.
void UseAccessibleInterfaces();

// Makes `list` use AccessibleList also when Qt described it before UseAccessibleInterfaces ran.
void UseAccessibleList(QComboBox* list);

// Screen readers meet `widget` in `role` (for example a top-level window as a window, a message
// dialog as an alert, a chart as a chart). Set it before the widget is shown.
void SetAccessibleRole(QWidget* widget, QAccessible::Role role);

} // namespace qm
