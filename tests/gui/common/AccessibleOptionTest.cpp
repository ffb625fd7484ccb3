// Option buttons chosen through a screen reader act as a click does.

#include "gui/common/AccessibleList.h"

#include <QAccessible>
#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace qm;

namespace {

TEST(AccessibleOption, TheToggleActionClicksTheOption) {
    UseAccessibleInterfaces();
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    auto* group = new QButtonGroup(&window);
    struct Case {
        const char* caption;
        const char* accessibleName;
        const char* name;
        const char* key;
    };
    const Case cases[] = {
        {"&Payment", "", "Payment", "Alt+P"},
        {"Years", "", "Years", ""},
        {"", "Normal", "Normal", ""},
    };
    std::vector<QRadioButton*> options;
    QStringList clicked;
    for (const Case& c : cases) {
        auto* option = new QRadioButton(QLatin1String(c.caption), &window);
        option->setAccessibleName(QLatin1String(c.accessibleName));
        group->addButton(option);
        layout->addWidget(option);
        QObject::connect(option, &QRadioButton::clicked, &window,
                         [&clicked, c] { clicked << QLatin1String(c.name); });
        options.push_back(option);
    }
    options.front()->setChecked(true);
    window.show();

    for (std::size_t i = 0; i < options.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.name);
        QAccessibleInterface* read = QAccessible::queryAccessibleInterface(options[i]);
        EXPECT_EQ(read->role(), QAccessible::RadioButton);
        EXPECT_EQ(read->text(QAccessible::Name), QLatin1String(c.name));
        EXPECT_TRUE(read->state().checkable);
        ASSERT_NE(read->actionInterface(), nullptr);
        const QString toggle = QAccessibleActionInterface::toggleAction();
        EXPECT_EQ(read->actionInterface()->keyBindingsForAction(toggle),
                  *c.key ? QStringList{QLatin1String(c.key)} : QStringList{});

        // Chosen by the screen reader: checked, the others not, and the program told of it as
        // of a click.
        read->actionInterface()->doAction(toggle);
        EXPECT_TRUE(read->state().checked);
        EXPECT_TRUE(options[i]->isChecked());
        for (std::size_t k = 0; k < options.size(); ++k) {
            if (k != i) {
                EXPECT_FALSE(options[k]->isChecked());
            }
        }
        EXPECT_EQ(clicked.size(), static_cast<qsizetype>(i + 1));
        EXPECT_EQ(clicked.last(), QLatin1String(c.name));
    }

    // A disabled option offers nothing to do and stays as it is.
    options[1]->setEnabled(false);
    QAccessibleInterface* disabled = QAccessible::queryAccessibleInterface(options[1]);
    EXPECT_FALSE(disabled->actionInterface()->actionNames().contains(
        QAccessibleActionInterface::toggleAction()));
    disabled->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(options[1]->isChecked());
    EXPECT_EQ(clicked.size(), 3);
}

} // namespace
