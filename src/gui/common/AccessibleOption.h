#pragma once

#include <QAccessibleWidget>

class QRadioButton;

namespace qm {

// An option button as screen readers meet it. Choosing it through the screen reader's toggle
// action clicks it, as a mouse click or the arrow keys do, so the program follows the choice;
// Qt's own description only switches the option on and leaves the program unaware of it.
class AccessibleOption : public QAccessibleWidget {
public:
    explicit AccessibleOption(QRadioButton* option);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    QRadioButton* option() const;
};

} // namespace qm
