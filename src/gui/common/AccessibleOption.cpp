#include "gui/common/AccessibleOption.h"

#include "gui/common/WindowLayout.h"

#include <QKeySequence>
#include <QRadioButton>

namespace qm {

AccessibleOption::AccessibleOption(QRadioButton* option)
    : QAccessibleWidget(option, QAccessible::RadioButton) {}

QRadioButton* AccessibleOption::option() const {
    return static_cast<QRadioButton*>(widget());
}

QString AccessibleOption::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Name:
        if (!option()->accessibleName().isEmpty())
            return option()->accessibleName();
        return SpokenCaption(option()->text());
    case QAccessible::Accelerator:
        return QKeySequence::mnemonic(option()->text()).toString(QKeySequence::NativeText);
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State AccessibleOption::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = option()->isChecked();
    s.pressed = option()->isDown();
    return s;
}

QStringList AccessibleOption::actionNames() const {
    QStringList names;
    if (option()->isEnabled())
        names << toggleAction();
    return names + QAccessibleWidget::actionNames();
}

void AccessibleOption::doAction(const QString& actionName) {
    if (actionName == toggleAction() || actionName == pressAction()) {
        // A click also takes the focus, as choosing with the mouse does: leaving the option
        // later is what some options act on.
        if (option()->isEnabled()) {
            option()->setFocus(Qt::OtherFocusReason);
            option()->click();
        }
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

QStringList AccessibleOption::keyBindingsForAction(const QString& actionName) const {
    if (actionName == toggleAction()) {
        const QString key = text(QAccessible::Accelerator);
        if (!key.isEmpty())
            return {key};
    }
    return QAccessibleWidget::keyBindingsForAction(actionName);
}

} // namespace qm
