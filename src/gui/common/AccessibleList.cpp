#include "gui/common/AccessibleList.h"

#include "gui/common/AccessibleOption.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVariant>

namespace qm {

namespace {

// The dynamic property that carries a role set by SetAccessibleRole.
constexpr char RoleProperty[] = "qmAccessibleRole";

QAccessibleInterface* interfaceFactory(const QString&, QObject* object) {
    if (auto* list = qobject_cast<QComboBox*>(object))
        return new AccessibleList(list);
    if (auto* option = qobject_cast<QRadioButton*>(object))
        return new AccessibleOption(option);
    auto* widget = qobject_cast<QWidget*>(object);
    const QVariant role = object ? object->property(RoleProperty) : QVariant();
    if (widget && role.isValid())
        return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
    return nullptr;
}

} // namespace

AccessibleList::AccessibleList(QComboBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

QComboBox* AccessibleList::list() const {
    return static_cast<QComboBox*>(widget());
}

void* AccessibleList::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QString AccessibleList::shown() const {
    return list()->isEditable() ? list()->lineEdit()->text() : list()->currentText();
}

QString AccessibleList::text(int startOffset, int endOffset) const {
    const QString all = shown();
    startOffset = qBound(0, startOffset, static_cast<int>(all.size()));
    endOffset = endOffset < 0 ? static_cast<int>(all.size())
                              : qBound(startOffset, endOffset, static_cast<int>(all.size()));
    return all.mid(startOffset, endOffset - startOffset);
}

int AccessibleList::characterCount() const {
    return static_cast<int>(shown().size());
}

void AccessibleList::selection(int, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = 0;
}

QString AccessibleList::attributes(int offset, int* startOffset, int* endOffset) const {
    *startOffset = *endOffset = offset;
    return {};
}

QString AccessibleList::text(QAccessible::Text t) const {
    switch (t) {
    case QAccessible::Value:
        return shown();
    default:
        // The name is the accessible name, else the label whose buddy the list is; never the
        // chosen entry.
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State AccessibleList::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.expandable = true;
    s.expanded = list()->view()->isVisible();
    s.collapsed = !s.expanded;
    s.editable = list()->isEditable() && !list()->lineEdit()->isReadOnly();
    return s;
}

// The children are the drop-down's entries and, for a list one can type into, its edit part.
int AccessibleList::childCount() const {
    return list()->isEditable() ? 2 : 1;
}

QAccessibleInterface* AccessibleList::child(int index) const {
    if (index == 0)
        return QAccessible::queryAccessibleInterface(list()->view());
    if (index == 1 && list()->isEditable())
        return QAccessible::queryAccessibleInterface(list()->lineEdit());
    return nullptr;
}

int AccessibleList::indexOfChild(const QAccessibleInterface* child) const {
    if (!child)
        return -1;
    if (child->object() == list()->view())
        return 0;
    if (list()->isEditable() && child->object() == list()->lineEdit())
        return 1;
    return -1;
}

QStringList AccessibleList::actionNames() const {
    return {showMenuAction(), pressAction()};
}

void AccessibleList::doAction(const QString& actionName) {
    if (actionName != showMenuAction() && actionName != pressAction())
        return;
    if (list()->view()->isVisible())
        list()->hidePopup();
    else
        list()->showPopup();
}

QStringList AccessibleList::keyBindingsForAction(const QString&) const {
    return {};
}

void UseAccessibleInterfaces() {
    static bool installed = false;
    if (installed)
        return;
    installed = true;
    QAccessible::installFactory(&interfaceFactory);
}

void UseAccessibleList(QComboBox* list) {
    UseAccessibleInterfaces();
    // Building a widget can make Qt describe it before any role or factory is in place; such a
    // description is dropped, and the next one asked for is ours.
    QAccessibleInterface* current = QAccessible::queryAccessibleInterface(list);
    if (current && !dynamic_cast<AccessibleList*>(current))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

void SetAccessibleRole(QWidget* widget, QAccessible::Role role) {
    UseAccessibleInterfaces();
    widget->setProperty(RoleProperty, static_cast<int>(role));
    QAccessibleInterface* current = QAccessible::queryAccessibleInterface(widget);
    if (current && current->role() != role)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(current));
}

} // namespace qm
