#pragma once

// Drop-down lists as screen readers meet them: named after their label like every other control,
// with the chosen entry as their value. Qt's own description of a list on this desktop gives the
// chosen entry as its name too, so a list read "Monthly" rather than what it is for.

#include <QAccessibleWidget>

class QComboBox;

namespace qm {

class AccessibleList : public QAccessibleWidget {
public:
    explicit AccessibleList(QComboBox* list);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QComboBox* list() const;
};

// Makes every drop-down list of the program use AccessibleList (once; later calls do nothing).
// Needs the application object; lists whose description was already asked for keep Qt's.
void UseAccessibleLists();

} // namespace qm
