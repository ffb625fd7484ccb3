// The calculator window as a keyboard and screen-reader user meets it: names of the controls,
// the Tab order, and what shows whole at the window's sizes.

#include "core/calculators/BoxTable.h"
#include "gui/calculator/InvestFixture.h"

#include <QAccessible>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <algorithm>
#include <vector>

using namespace qm;
using namespace qmtest;

namespace {

// A caption as it is spoken: no mnemonic "&", no blanks around it.
QString spoken(QString caption) {
    return caption.remove(QLatin1Char('&')).trimmed();
}

// What a screen reader calls the control, as its accessible interface says it (a list must not
// be called by the item it shows).
QString accessibleName(QWidget* widget) {
    return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
}

// The one label whose buddy `control` is.
QLabel* labelOf(QWidget* root, QWidget* control) {
    QLabel* found = nullptr;
    for (QLabel* label : root->findChildren<QLabel*>()) {
        if (label->buddy() == control) {
            EXPECT_EQ(found, nullptr) << "two labels for " << control->objectName().toStdString();
            found = label;
        }
    }
    return found;
}

class InvestLayoutTest : public InvestWindowTest {
protected:
    QString focused() const {
        return window->focusWidget() ? window->focusWidget()->objectName() : QString();
    }
    // Presses `key` `count` times on whatever has the focus; the controls it went to.
    QStringList walk(Qt::Key key, int count, Qt::KeyboardModifiers modifiers = {}) {
        QStringList visited;
        answering([&] {
            for (int i = 0; i < count; ++i) {
                QTest::keyClick(window->focusWidget(), key, modifiers);
                visited << focused();
            }
        });
        return visited;
    }
    // The horizontal scroll range of the Results box once it shows `page`.
    int sidewaysScroll(const QString& page) {
        window->state().results = page;
        window->syncResults();
        QApplication::processEvents();
        return get<QPlainTextEdit>("Results")->horizontalScrollBar()->maximum();
    }
};

// Each tab: its Enter chain from the first box to the Calculate button, then its other buttons
// and its options; after them the window's controls follow.
struct TabOrder {
    CalcTab tab;
    std::vector<const char*> controls;
    std::size_t enterChain; // how many of `controls` Enter goes through
};

void PrintTo(const TabOrder& c, std::ostream* os) {
    qmtest::PrintFields(os, c.tab, c.controls, c.enterChain);
}

const TabOrder TabOrders[] = {
    {PensionGrowthTab,
     {"PGInCurrBalance", "PGInCurrAnnSalary", "PGInAnnContribRate", "PGInCompAnnContribRate",
      "PGInEstSalIncrease", "PGInAnnIntGrowthRate", "PGInEstAnnFlatRate", "PGInNumYearsToRetire",
      "PGCalculate", "PGPrint", "PGHelp"},
     9},
    {MortgageTab,
     {"MTCompPeriod", "MTInPrincipal", "MTInRate", "MTInTerm", "MTInMthPayment", "MTFreqPmt",
      "MTCalculate", "MTPrint", "MTHelp", "MTPaymentOpt", "MTIRFactor(6)"},
     7},
    {InvestedGrowthTab,
     {"IGInBegBal", "IGInEachContrib", "IGInMonthsYrs", "IGInIntGrowthRate", "IGInAnnContribRate",
      "IGInAnninFlatRate", "IGInYearsInvested", "IGCalculate", "IGPrint", "IGHelp",
      "IGResultsChoice(0)"},
     8},
    {RetiredIncomeTab,
     {"RIInCurrValue", "RIInAnnIntGrowthRate", "RIInAnnIncWDrawnRate", "RIInTimeInYrs",
      "RICalculate", "RIPrint", "RIHelp", "RIWDrawalChoice(0)"},
     5},
    {CompoundGainTab,
     {"CGInCostofInvest", "CGInValueNow", "CGInNumOfYrs", "CGInNameOfInvest", "CGCalculate",
      "CGPrint", "CGHelp"},
     5},
    {CapitalRequiredTab,
     {"CRInCapitalReq", "CRInIntGrowthRate", "CRInTimeInYrs", "CRCalculate", "CRPrint", "CRHelp",
      "CRCapitalChoices(0)"},
     4},
};
const QStringList WindowControls{"Results",      "AllGraphs",   "HowToUse",
                                 "ClearResults", "ExitProgram", "SSTab1"};

class InvestTabOrderTest : public InvestLayoutTest,
                           public ::testing::WithParamInterface<TabOrder> {};

TEST_P(InvestTabOrderTest, TabFollowsEnterThenTheButtons) {
    const TabOrder& order = GetParam();
    QStringList controls;
    for (const char* name : order.controls)
        controls << QLatin1String(name);
    // The Enter chain as the box table gives it.
    for (std::size_t i = 0; i + 1 < order.enterChain; ++i) {
        const QString name = controls[static_cast<qsizetype>(i)];
        const BoxRule* box = FindBox(name, 0);
        const ListRule* list = FindList(name);
        ASSERT_TRUE(box || list) << name.toStdString();
        EXPECT_EQ(QLatin1String(box ? box->enterTarget : list->enterTarget),
                  controls[static_cast<qsizetype>(i + 1)]);
    }
    EXPECT_TRUE(controls[static_cast<qsizetype>(order.enterChain) - 1].endsWith("Calculate"));

    selectTab(order.tab);
    QWidget* first = get(order.controls.front());
    // Round the whole window and back to the first box, both ways.
    const QStringList round = controls.mid(1) + WindowControls + controls.mid(0, 1);
    focus(first);
    EXPECT_EQ(walk(Qt::Key_Tab, static_cast<int>(round.size())), round);
    QStringList back = controls.mid(1) + WindowControls;
    std::reverse(back.begin(), back.end());
    back << controls.front();
    focus(first);
    EXPECT_EQ(walk(Qt::Key_Tab, static_cast<int>(back.size()), Qt::ShiftModifier), back);
}

INSTANTIATE_TEST_SUITE_P(Tabs, InvestTabOrderTest, ::testing::ValuesIn(TabOrders),
                         [](const ::testing::TestParamInfo<TabOrder>& info) {
                             return std::string(info.param.controls.front()).substr(0, 2);
                         });

// Every box and list is named after the label that is its buddy, also after an option changed
// that label; every button and option after its caption; the page and the solver's results too.
TEST_F(InvestLayoutTest, ControlsAreNamedAfterTheirCaptions) {
    const struct {
        CalcTab tab;
        const char* option; // clicked first, or null
        const char* control;
        const char* name;
    } named[] = {
        {CompoundGainTab, nullptr, "CGInCostofInvest", "Purchase cost of your investment"},
        {InvestedGrowthTab, nullptr, "IGInBegBal", "Beginning balance"},
        {InvestedGrowthTab, nullptr, "IGInMonthsYrs", "Frequency of contribution"},
        {MortgageTab, nullptr, "MTPiPmt", "Each payment. Principal + Int."},
        {MortgageTab, nullptr, "MTIRFactor(6)", "Normal"},
        {RetiredIncomeTab, "RIWDrawalChoice(1)", "RIInTimeInYrs", "Increase annual income by %"},
        {CapitalRequiredTab, "CRCapitalChoices(1)", "CRInCapitalReq", "Annual income required $"},
        {PensionGrowthTab, nullptr, "ExitProgram", "Exit to menu"},
        {PensionGrowthTab, nullptr, "Results", "Results"},
    };
    for (const auto& n : named) {
        selectTab(n.tab);
        if (n.option)
            answering([&] { get<QRadioButton>(n.option)->click(); });
        EXPECT_EQ(accessibleName(get(n.control)), QLatin1String(n.name)) << n.control;

        QWidget* frame = get(QStringLiteral("FrameAll(%1)").arg(n.tab).toLatin1().constData());
        for (QWidget* control : frame->findChildren<QWidget*>()) {
            const QString id = control->objectName();
            if (qobject_cast<InputBox*>(control) || qobject_cast<ChoiceList*>(control)) {
                QLabel* label = labelOf(frame, control);
                ASSERT_NE(label, nullptr) << id.toStdString();
                EXPECT_FALSE(spoken(label->text()).isEmpty()) << id.toStdString();
                EXPECT_EQ(accessibleName(control), spoken(label->text())) << id.toStdString();
            } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
                const QString caption = spoken(button->text());
                EXPECT_EQ(accessibleName(button), caption.isEmpty() ? "Normal" : caption)
                    << id.toStdString();
            } else if (id.startsWith(QLatin1String("MT")) && qobject_cast<QLabel*>(control) &&
                       !id.endsWith(QLatin1String("Label"))) {
                // A result of the mortgage solver: its caption names it, its figure describes it.
                auto* result = static_cast<QLabel*>(control);
                EXPECT_EQ(result->accessibleName(), spoken(labelOf(frame, result)->text()));
                EXPECT_EQ(result->accessibleDescription(), result->text().trimmed());
            }
        }
    }
}

// At the size it opens at and at its smallest, the window shows the six tab captions whole
// (no scroll arrows) and page lines of 60 characters without scrolling sideways.
TEST_F(InvestLayoutTest, CaptionsAndPageLinesShowWhole) {
    auto* tabs = get<QTabBar>("SSTab1");
    for (const QSize size : {window->size(), QSize(1, 1)}) {
        window->resize(size);
        QApplication::processEvents();
        SCOPED_TRACE(
            QStringLiteral("%1x%2").arg(window->width()).arg(window->height()).toStdString());
        for (int i = 0; i < tabs->count(); ++i)
            EXPECT_TRUE(tabs->rect().contains(tabs->tabRect(i))) << tabs->tabText(i).toStdString();
        for (const QToolButton* arrow : tabs->findChildren<QToolButton*>())
            EXPECT_FALSE(arrow->isVisible());

        EXPECT_EQ(sidewaysScroll(QString(60, QLatin1Char('8')) + QStringLiteral("\r\n")), 0);
        EXPECT_GT(sidewaysScroll(QString(90, QLatin1Char('8')) + QStringLiteral("\r\n")), 0)
            << "a line wider than the box scrolls";
        selectTab(PensionGrowthTab);
        EXPECT_EQ(press("PGCalculate"), QStringList());
        EXPECT_EQ(get<QPlainTextEdit>("Results")->horizontalScrollBar()->maximum(), 0)
            << "pension growth page";
    }
}

} // namespace
