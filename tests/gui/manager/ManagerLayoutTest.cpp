// The investment manager as a keyboard and screen-reader user meets it: names of the controls,
// the Tab order on each tab, and report lines that show whole.

#include "gui/manager/ManagerWindowFixture.h"

#include <QAccessible>
#include <QListWidget>
#include <QScrollBar>
#include <vector>

using namespace qm;
using namespace qmtest;

namespace {

QString spoken(QString caption) {
    return caption.remove(QLatin1Char('&')).trimmed();
}

QStringList names(const std::vector<const char*>& controls) {
    QStringList out;
    for (const char* name : controls)
        out << QLatin1String(name);
    return out;
}

class ManagerLayout : public ManagerWindowTest {
protected:
    // The sample database opened, a fund picked on the entry tab.
    void openSample() {
        ASSERT_EQ(openFile(copyOf(QStringLiteral(QM_SAMPLE_DATABASE))), QStringList());
        EXPECT_EQ(choose("EFunds", QStringLiteral("Amberlane Growth Fund")), QStringList());
    }
    // Presses `key` `count` times on whatever has the focus; the controls it went to.
    QStringList walk(Qt::Key key, int count, Qt::KeyboardModifiers modifiers = {}) {
        QStringList visited;
        const QStringList shown = run([&] {
            for (int i = 0; i < count; ++i) {
                QTest::keyClick(window->focusWidget(), key, modifiers);
                visited << shownName();
            }
        });
        EXPECT_EQ(shown, QStringList());
        return visited;
    }
};

// A tab of the manager: where Enter goes from the first control, then what Tab goes on to.
struct TabOrder {
    int tab;
    const char* type; // the transaction type chosen on the entry tab, or null
    std::vector<const char*> enterChain;
    std::vector<const char*> then;
};

void PrintTo(const TabOrder& c, std::ostream* os) {
    qmtest::PrintFields(os, c.tab, c.type, c.enterChain, c.then);
}

const std::vector<const char*> EntryButtons{"ECreateFund", "ECorrectRec", "EDelRec", "EPrint",
                                            "EHelp",       "EExit",       "EResults"};

const TabOrder TabOrders[] = {
    {2,
     "Bought",
     {"EFunds", "ETransType", "EInDate", "EInPrice", "EInNumShrs", "EInComm", "EAddaRec"},
     EntryButtons},
    {2,
     "Sold",
     {"EFunds", "ETransType", "EInDate", "EInPrice", "EInNumShrs", "EInComm", "EAddaRec"},
     EntryButtons},
    {2,
     "Cash Dividend",
     {"EFunds", "ETransType", "EInDate", "EInCashDiv", "EAddaRec"},
     EntryButtons},
    {2,
     "Dividend Shares",
     {"EFunds", "ETransType", "EInDate", "EInPrice", "EInNumShrs", "EAddaRec"},
     EntryButtons},
    {2, "Fee Cash", {"EFunds", "ETransType", "EInDate", "EInComm", "EAddaRec"}, EntryButtons},
    {2,
     "Unit Fee",
     {"EFunds", "ETransType", "EInDate", "EInPrice", "EInNumShrs", "EAddaRec"},
     EntryButtons},
    {3, nullptr, {"DDispFunds"}, {"DDisplall", "DHelp", "DPrint", "DExit", "DDResults"}},
    {4,
     nullptr,
     {"CVInPrice(0)", "CVInPrice(1)", "CVInPrice(2)", "CVInPrice(3)", "CVInPrice(4)",
      "CVInPrice(5)", "CVCalc"},
     {"CVPrint", "CVGraph", "CVHelp", "CVExit", "CVResults"}},
};

class ManagerTabOrder : public ManagerLayout, public ::testing::WithParamInterface<TabOrder> {};

TEST_P(ManagerTabOrder, TabFollowsEnterThenTheButtons) {
    const TabOrder& order = GetParam();
    openSample();
    if (order.tab != 2)
        clickTab(order.tab);
    if (order.type) {
        EXPECT_EQ(choose("ETransType", QLatin1String(order.type)), QStringList());
        focus("EInDate");
        keys(QStringLiteral("3/9/2024"));
    }
    const QStringList chain = names(order.enterChain);

    focus(order.enterChain.front());
    QStringList entered{shownName()};
    while (entered.size() < chain.size())
        entered += walk(Qt::Key_Return, 1);
    EXPECT_EQ(entered, chain);

    // Round the tab and back to its first control, both ways.
    const QStringList round = chain.mid(1) + names(order.then) + QStringList{"SSTab2", chain[0]};
    focus(order.enterChain.front());
    EXPECT_EQ(walk(Qt::Key_Tab, static_cast<int>(round.size())), round);
    QStringList back = chain.mid(1) + names(order.then) + QStringList{"SSTab2"};
    std::reverse(back.begin(), back.end());
    back << chain[0];
    focus(order.enterChain.front());
    EXPECT_EQ(walk(Qt::Key_Tab, static_cast<int>(back.size()), Qt::ShiftModifier), back);
}

INSTANTIATE_TEST_SUITE_P(Tabs, ManagerTabOrder, ::testing::ValuesIn(TabOrders),
                         [](const ::testing::TestParamInfo<TabOrder>& info) {
                             QString name = QStringLiteral("Tab%1").arg(info.param.tab);
                             if (info.param.type)
                                 name += QString::fromLatin1(info.param.type).remove(' ');
                             return name.toStdString();
                         });

// Every box and list is named after the label that is its buddy (a price box after its fund),
// every button after its caption; the fund list and the report boxes have names of their own.
TEST_F(ManagerLayout, ControlsAreNamedAfterTheirCaptions) {
    openSample();
    clickTab(4);
    const struct {
        const char* control;
        const char* name;
    } named[] = {
        {"EFunds", "Name of active fund"},
        {"EInComm", "Total fees or commission"},
        {"CVInPrice(5)", "Fernhollow Bond Fund"},
        {"DDispFunds", "Fund names"},
        {"DDResults", "Results"},
    };
    for (const auto& n : named)
        EXPECT_EQ(QAccessible::queryAccessibleInterface(get(n.control))->text(QAccessible::Name),
                  QLatin1String(n.name))
            << n.control;

    std::vector<QWidget*> controls;
    for (QLineEdit* box : window->findChildren<QLineEdit*>()) {
        if (!qobject_cast<QComboBox*>(box->parentWidget()) && !box->isHidden())
            controls.push_back(box);
    }
    for (QComboBox* list : window->findChildren<QComboBox*>())
        controls.push_back(list);
    ASSERT_EQ(controls.size(), 5u + 6u + 2u) << "entry boxes, the funds' prices, two lists";
    for (QWidget* control : controls) {
        const QString id = control->objectName();
        QLabel* label = nullptr;
        for (QLabel* candidate : window->findChildren<QLabel*>()) {
            if (candidate->buddy() == control)
                label = candidate;
        }
        ASSERT_NE(label, nullptr) << id.toStdString();
        EXPECT_FALSE(spoken(label->text()).isEmpty()) << id.toStdString();
        // As a screen reader has it: a list by its label (not the fund or type it shows), and
        // so its drop-down and its edit part.
        const QString name = spoken(label->text());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name), name)
            << id.toStdString();
        if (auto* list = qobject_cast<QComboBox*>(control)) {
            for (QWidget* part :
                 {static_cast<QWidget*>(list->view()), static_cast<QWidget*>(list->lineEdit())})
                EXPECT_EQ(QAccessible::queryAccessibleInterface(part)->text(QAccessible::Name),
                          name)
                    << id.toStdString();
        }
    }
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
        if (qobject_cast<QPushButton*>(button)) {
            EXPECT_EQ(QAccessible::queryAccessibleInterface(button)->text(QAccessible::Name),
                      spoken(button->text()))
                << button->objectName().toStdString();
        }
    }
}

// Each report of the sample database shows its lines whole at the size the window opens with,
// and so does a line as wide as the box is made for.
TEST_F(ManagerLayout, ReportLinesShowWhole) {
    openSample();
    const struct {
        int tab;
        const char* box;
        int columns;
        const char* button; // pressed to write the report, or null
    } reports[] = {
        {2, "EResults", 96, nullptr},
        {3, "DDResults", 90, "DDisplall"},
        {4, "CVResults", 85, "CVCalc"},
    };
    for (const auto& r : reports) {
        if (r.tab != 2)
            clickTab(r.tab);
        if (r.tab == 4) {
            focus("CVInPrice(0)");
            keys(QStringLiteral("20{Enter}20{Enter}20{Enter}20{Enter}20{Enter}20{Enter}"));
        }
        if (r.button) {
            EXPECT_EQ(click(r.button), QStringList());
        }
        auto* box = get<QPlainTextEdit>(r.box);
        const QStringList shown = box->toPlainText().split(QLatin1Char('\n'));
        ASSERT_GT(shown.size(), 5) << r.box;
        for (const QString& line : shown)
            EXPECT_LE(line.size(), r.columns) << r.box << ": " << line.toStdString();
        EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0) << r.box;
        box->setPlainText(QString(r.columns, QLatin1Char('8')));
        QApplication::processEvents();
        EXPECT_EQ(box->horizontalScrollBar()->maximum(), 0) << r.box << " full width";
        EXPECT_EQ(box->font().pointSize(), 10) << r.box;
    }
}

} // namespace
