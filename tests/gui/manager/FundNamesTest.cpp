// Fund names show as they were typed wherever they land: an "&" stays an "&" and takes no access
// key from the window, and funds that share a name keep a bar and a label each on the chart.

#include "gui/common/WindowLayout.h"
#include "gui/manager/ManagerWindowFixture.h"
#include "support/ManagerTestSupport.h"

#include <QAccessible>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QGraphicsTextItem>
#include <QTextDocument>

using namespace qm;
using namespace qmtest;

namespace {

// What the open chart window shows along its category axis, and its bars.
struct ShownChart {
    QStringList categories;   // the axis' labels, as drawn
    QStringList texts;        // every text drawn on the chart
    std::vector<double> bars; // the bars, left to right
};

ShownChart inspectChart(QWidget* window) {
    ShownChart shown;
    QChartView* view = window->findChild<QChartView*>(QStringLiteral("MSChart1"));
    QChart* chart = view->chart();
    for (QAbstractAxis* axis : chart->axes(Qt::Horizontal)) {
        if (auto* categories = qobject_cast<QBarCategoryAxis*>(axis)) {
            // The axis reads its labels as rich text.
            for (const QString& label : categories->categories()) {
                QTextDocument document;
                document.setHtml(label);
                shown.categories << document.toPlainText();
            }
        }
    }
    for (QAbstractSeries* series : chart->series())
        if (auto* bars = qobject_cast<QBarSeries*>(series))
            for (int i = 0; i < bars->barSets().front()->count(); ++i)
                shown.bars.push_back(bars->barSets().front()->at(i));
    for (QGraphicsItem* item : view->scene()->items())
        if (auto* text = qgraphicsitem_cast<QGraphicsTextItem*>(item))
            shown.texts << text->toPlainText();
    return shown;
}

class FundNames : public ManagerWindowTest {
protected:
    // Funds bought 10 at 10 (an index fund, "S..", at 20) and valued at `prices`, typed into
    // the current value tab's boxes (the funds in name order).
    void fundsValued(const QStringList& funds, const QString& prices) {
        for (const QString& fund : funds)
            fundWith(fund, {{"Bought", fund.startsWith(QLatin1Char('S'))
                                           ? "1/5/2024{Enter}20{Enter}10{Enter}{Enter}"
                                           : "1/5/2024{Enter}10{Enter}10{Enter}{Enter}"}});
        EXPECT_EQ(clickTab(4), QStringList());
        focus("CVInPrice(0)");
        keys(prices);
        EXPECT_EQ(click("CVCalc"), QStringList());
    }
    // Alt+P typed on the focused control; a button pressed by its access key clicks a moment
    // later. Returns the messages shown.
    QStringList altP() {
        return run([&] {
            QTest::keyClick(window->focusWidget(), Qt::Key_P, Qt::AltModifier);
            QTest::qWait(300);
        });
    }
};

TEST_F(FundNames, AnAmpersandShowsAndLeavesPrintItsAccessKey) {
    fundsValued({"Growth", "S&P 500 Index", "<i>Small</i> & Cap"},
                QStringLiteral("11{Enter}12{Enter}25{Enter}"));
    // The funds in name order, each label showing the name whole (neither an access key nor
    // markup taken out), each price box named after its fund.
    const char* const names[] = {"<i>Small</i> & Cap", "Growth", "S&P 500 Index"};
    for (int i = 0; i < 3; ++i) {
        const QString name = QLatin1String(names[i]);
        auto* label = get<QLabel>(QStringLiteral("CVFundName(%1)").arg(i).toLatin1().constData());
        QWidget* box = get(QStringLiteral("CVInPrice(%1)").arg(i).toLatin1().constData());
        EXPECT_EQ(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), name);
        EXPECT_GE(label->sizeHint().width(), label->fontMetrics().horizontalAdvance(name))
            << names[i];
        EXPECT_EQ(QAccessible::queryAccessibleInterface(box)->text(QAccessible::Name), name);
    }
    // The fund list and the record entry's fund box show the name as typed too.
    clickTab(2);
    choose("EFunds", QStringLiteral("S&P 500 Index"));
    EXPECT_EQ(text("EFunds"), "S&P 500 Index");

    // Alt+P prints the report, from a price box and from the page.
    EXPECT_EQ(clickTab(4), QStringList());
    focus("CVInPrice(0)");
    keys(QStringLiteral("11{Enter}12{Enter}25{Enter}"));
    EXPECT_EQ(click("CVCalc"), QStringList());
    const QString report = text("CVResults");
    ASSERT_FALSE(report.isEmpty());
    EXPECT_TRUE(report.contains(QLatin1String("S&P 500 Index")));
    for (const char* from : {"CVInPrice(0)", "CVResults"}) {
        printed.clear();
        focus(from);
        EXPECT_EQ(altP(), QStringList()) << from;
        EXPECT_EQ(printed.size(), 1) << "Alt+P from " << from;
    }
    // Without a report, Alt+P gives Print's message.
    printed.clear();
    focus("CVInPrice(0)");
    keys(QStringLiteral("13"));
    EXPECT_EQ(altP(), QStringList({msg(2)}));
    EXPECT_TRUE(printed.isEmpty());
}

// A file opened while the value frame is hidden has its funds' rows there by the time the tab is
// chosen (set in idle time, not at the click), and the tab shows them as always.
TEST_F(FundNames, AFileOpenedHasItsRowsReadyInTheHiddenValueTab) {
    ASSERT_NE(window->valueTab(), nullptr); // the frame is built
    EXPECT_EQ(openFile(writeFile(QStringLiteral("EXAMPLE.QMD"), ExampleFile)), QStringList());
    auto* first = get<QLabel>("CVFundName(0)");
    EXPECT_TRUE(QTest::qWaitFor([&] { return first->text() == QLatin1String("ABC Fund"); }));
    EXPECT_EQ(get<QLabel>("CVFundName(1)")->text(), "XYZ Mutual Fund");
    EXPECT_FALSE(get("CVInPrice(2)")->isVisibleTo(window));
    EXPECT_EQ(clickTab(4), QStringList());
    for (int i = 0; i < 18; ++i) {
        SCOPED_TRACE(i);
        const QByteArray name = QStringLiteral("CVInPrice(%1)").arg(i).toLatin1();
        EXPECT_EQ(get(name.constData())->isVisible(), i < 2);
        EXPECT_EQ(
            QAccessible::queryAccessibleInterface(get(name.constData()))->text(QAccessible::Name),
            i == 0   ? "ABC Fund"
            : i == 1 ? "XYZ Mutual Fund"
                     : "");
    }
}

TEST_F(FundNames, FundsOfOneNameKeepABarAndALabelEach) {
    fundsValued({"Growth", "S&P 500 Index", "Growth"},
                QStringLiteral("12{Enter}15{Enter}25{Enter}"));
    ShownChart shown;
    const QStringList texts =
        runAnsweringModals([&] { QTest::mouseClick(get("CVGraph"), Qt::LeftButton); },
                           [&](QWidget* dialog) {
                               if (dialog->objectName() != QLatin1String("QMGraph")) {
                                   pressButton(dialog, QStringLiteral("AMsgExit"));
                                   return;
                               }
                               QApplication::processEvents();
                               shown = inspectChart(dialog);
                               pressButton(dialog, QStringLiteral("QMGExit"));
                           });
    EXPECT_EQ(texts, QStringList({QString()})) << "the chart window, and no message";
    // Gain or loss in money, in the funds' order: 10 at 10 priced 12 and 15, 10 at 20 at 25.
    EXPECT_EQ(shown.categories, QStringList({"Growth", "Growth (2)", "S&P 500 Index"}));
    EXPECT_EQ(shown.bars, (std::vector<double>{20, 50, 50}));
    for (const QString& label : shown.categories)
        EXPECT_TRUE(shown.texts.contains(label)) << "drawn: " << label.toStdString();
}

} // namespace
