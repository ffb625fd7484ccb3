// What a screen reader is told of the program's drop-down lists and of widgets given a role.

#include "gui/common/AccessibleList.h"
#include "gui/common/WindowLayout.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace qm;

namespace {

QAccessibleInterface* read(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

// Each kind of list the program has, named after its label: the list, its drop-down and its
// edit part carry the label's words; the chosen entry is the value, never the name.
TEST(AccessibleList, NamedAfterTheLabelWithTheChosenEntryAsValue) {
    struct Case {
        const char* what;
        bool editable, locked;
        const char* label;
        QStringList items;
        const char* name;
    };
    const Case cases[] = {
        {"a choice list",
         false,
         false,
         "Compound interest periods/yr. ",
         {"Monthly", "Semiannual"},
         "Compound interest periods/yr."},
        {"a list whose edit part only shows",
         true,
         true,
         "Name of active &fund",
         {"Amberlane Growth Fund", "Brookmere Income Fund"},
         "Name of active fund"},
        {"a list one types into", true, false, "Transaction type", {"Bought"}, "Transaction type"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QWidget window;
        auto* label = new QLabel(QLatin1String(c.label), &window);
        auto* list = new QComboBox(&window);
        list->setEditable(c.editable);
        if (c.editable)
            list->lineEdit()->setReadOnly(c.locked);
        list->addItems(c.items);
        NameAfterLabel(label, list);
        window.show();

        QAccessibleInterface* spoken = read(list);
        EXPECT_EQ(spoken->role(), QAccessible::ComboBox);
        EXPECT_EQ(spoken->text(QAccessible::Name), QLatin1String(c.name));
        EXPECT_EQ(spoken->text(QAccessible::Value), c.items.first());
        // The chosen entry is also the list's text, where screen readers look for it.
        QAccessibleTextInterface* shown = spoken->textInterface();
        ASSERT_NE(shown, nullptr);
        EXPECT_EQ(shown->text(0, -1), c.items.first());
        EXPECT_EQ(shown->characterCount(), c.items.first().size());
        EXPECT_EQ(shown->text(1, 3), c.items.first().mid(1, 2));
        list->setCurrentIndex(c.items.size() - 1);
        EXPECT_EQ(spoken->text(QAccessible::Name), QLatin1String(c.name)) << "after a choice";
        EXPECT_EQ(spoken->text(QAccessible::Value), c.items.last());
        EXPECT_EQ(shown->text(0, -1), c.items.last());
        EXPECT_EQ(spoken->state().editable, c.editable && !c.locked);
        EXPECT_FALSE(spoken->state().readOnly) << "a list can always be chosen from";

        ASSERT_EQ(spoken->childCount(), c.editable ? 2 : 1);
        EXPECT_EQ(spoken->child(0)->object(), list->view());
        EXPECT_EQ(spoken->child(0)->text(QAccessible::Name), QLatin1String(c.name));
        EXPECT_EQ(spoken->indexOfChild(spoken->child(0)), 0);
        if (c.editable) {
            QAccessibleInterface* edit = spoken->child(1);
            EXPECT_EQ(edit->object(), list->lineEdit());
            EXPECT_EQ(edit->text(QAccessible::Name), QLatin1String(c.name));
            EXPECT_EQ(edit->state().readOnly, c.locked);
            EXPECT_EQ(spoken->indexOfChild(edit), 1);
        }

        // The screen reader's "show menu" opens the drop-down and closes it again.
        ASSERT_TRUE(spoken->actionInterface());
        EXPECT_TRUE(spoken->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::showMenuAction()));
        spoken->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        EXPECT_TRUE(list->view()->isVisible());
        EXPECT_TRUE(spoken->state().expanded);
        spoken->actionInterface()->doAction(QAccessibleActionInterface::showMenuAction());
        EXPECT_FALSE(list->view()->isVisible());
        EXPECT_TRUE(spoken->state().collapsed);
    }
}

// A role set before the widget is first read is the role a screen reader meets; a widget
// without one keeps Qt's.
TEST(AccessibleList, RolesSetForWindowsMessagesAndCharts) {
    for (const QAccessible::Role role :
         {QAccessible::Window, QAccessible::AlertMessage, QAccessible::Chart}) {
        QDialog widget;
        widget.show(); // described by Qt before the role is set
        ASSERT_EQ(read(&widget)->role(), QAccessible::Dialog);
        SetAccessibleRole(&widget, role);
        widget.setAccessibleDescription(QStringLiteral("Read me"));
        EXPECT_EQ(read(&widget)->role(), role);
        EXPECT_EQ(read(&widget)->text(QAccessible::Description), "Read me");
    }
    QDialog plain;
    EXPECT_EQ(read(&plain)->role(), QAccessible::Dialog);
}

} // namespace
