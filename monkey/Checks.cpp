// The checks made after every event, on the windows shown and on the files opened or saved.

#include "Checks.h"

#include "Looks.h"
#include "PortfolioCheck.h"

#include "core/calculators/BoxTable.h"
#include "core/input/DisplayForm.h"
#include "core/startup/Startup.h"
#include "core/text/Format.h"
#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/chart/QMGraph.h"
#include "gui/common/AppState.h"
#include "gui/common/Geometry.h"
#include "gui/common/InputBox.h"
#include "gui/common/WorkWindowBase.h"
#include "gui/manager/QMManagement.h"
#include "screens/ChartData.h"
#include "screens/RecordEntry.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSet>
#include <QStackedWidget>
#include <QTabBar>
#include <algorithm>
#include <cstdlib>

namespace qmmonkey {

using qm::QMInvest;
using qm::QMManagement;

namespace {

// The page text as a plain text box gives it back.
QString shownText(QString text) {
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QChar::Nbsp, QLatin1Char(' '));
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

// The first line where two texts differ, for the report.
QString firstDifference(const QString& shown, const QString& expected) {
    const QStringList a = shown.split(QLatin1Char('\n'));
    const QStringList b = expected.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < std::max(a.size(), b.size()); ++i) {
        const QString x = a.value(i, QStringLiteral("(none)"));
        const QString y = b.value(i, QStringLiteral("(none)"));
        if (x != y)
            return QStringLiteral("line %1 shows \"%2\", the state holds \"%3\"")
                .arg(i + 1)
                .arg(x, y);
    }
    return QString();
}

QStringList itemsOf(const QComboBox* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->itemText(i);
    return items;
}

QStringList itemsOf(const QListWidget* list) {
    QStringList items;
    for (int i = 0; i < list->count(); ++i)
        items << list->item(i)->text();
    return items;
}

// Two boxes may stand empty over a value that is kept on purpose: a pension box emptied by the
// Delete key keeps its stored value (and the next page echoes the empty box), and a mortgage
// box the solver emptied after a failed solve stays empty over the zero it stored, also once
// another option has made it a box to type in.
bool emptiedByDesign(const qm::InputBox& box, const QString& expected, const QString& symbol) {
    if (!box.text().isEmpty())
        return false;
    const qm::BoxRule& row = box.rule();
    if (row.deleteKey == qm::DeleteKey::EmptiesBox)
        return true;
    return row.store == qm::BoxStore::MortgageInputs &&
           expected == qm::Display(row.form, 0.0, symbol);
}

} // namespace

QStringList Checks::after(QWidget* context) {
    const bool topLevel = context == nullptr;
    QStringList problems = windowProblems(topLevel);
    // The symbol in use is the one stored, and one an amount can carry.
    if (topLevel && (qm::app().currencySymbol != qm::ReadCurrencySymbol() ||
                     !qm::IsUsableCurrencySymbol(qm::app().currencySymbol)))
        problems << QStringLiteral("the currency symbol in use is \"%1\", the one stored \"%2\"")
                        .arg(qm::app().currencySymbol, qm::ReadCurrencySymbol());
    if (auto* chart = qobject_cast<qm::QMGraph*>(context))
        problems += chartProblems(chart->plan());
    QWidget* work = menu_.workWindow();
    if (work && work->isVisible()) {
        if (auto* calc = qobject_cast<QMInvest*>(work))
            problems += calculatorProblems(*calc, topLevel);
        else if (auto* manager = qobject_cast<QMManagement*>(work))
            problems += managerProblems(*manager, topLevel);
    }
    if (topLevel && work && work->isVisible() && QApplication::activeModalWidget() == nullptr) {
        const bool justCalculated = run_.calculatedFrom.has_value();
        if (auto* calc = qobject_cast<QMInvest*>(work)) {
            const bool changed = justCalculated && *run_.calculatedFrom != calc->state().results;
            problems += calculatorBoxProblems(*calc, changed);
        } else if (auto* manager = qobject_cast<QMManagement*>(work)) {
            problems += priceBoxProblems(*manager, justCalculated);
        }
        run_.calculatedFrom.reset();
    }
    return problems;
}

QStringList Checks::calculatorBoxProblems(QMInvest& window, bool justCalculated) {
    QStringList problems;
    auto* frames = window.findChild<QStackedWidget*>();
    QWidget* frame = frames ? frames->currentWidget() : nullptr;
    if (!frame)
        return problems;
    const qm::CalcState& state = window.state();
    QWidget* edited = window.focusWidget();
    for (qm::InputBox* box : frame->findChildren<qm::InputBox*>()) {
        // The locked box of the quantity the mortgage solver finds shows the solver's answer.
        if (!box->isVisible() || box->isReadOnly() || (box == edited && !justCalculated))
            continue;
        const qm::BoxRule& row = box->rule();
        const auto index = static_cast<std::size_t>(row.index);
        QString expected;
        switch (row.store) {
        case qm::BoxStore::MortgageInputs:
            expected = qm::Display(row.form, state.mortgageInputs.at(index), state.currencySymbol);
            break;
        case qm::BoxStore::InputValues:
            expected = qm::Display(row.form, state.inputValues.at(index), state.currencySymbol);
            break;
        case qm::BoxStore::None:
            continue;
        }
        if (box->text() != expected && !emptiedByDesign(*box, expected, state.currencySymbol))
            problems << QStringLiteral("%1 shows \"%2\" for the stored \"%3\"%4")
                            .arg(box->objectName(), box->text(), expected,
                                 justCalculated ? QStringLiteral(" on a page just calculated")
                                                : QString());
    }
    return problems;
}

QStringList Checks::priceBoxProblems(QMManagement& window, bool justCalculated) {
    QStringList problems;
    const qm::Portfolio& p = window.portfolio();
    QWidget* edited = window.focusWidget();
    for (int i = 0; i < std::min(p.fundCount, qm::MaxFunds); ++i) {
        auto* box = window.findChild<QLineEdit*>(QStringLiteral("CVInPrice(%1)").arg(i));
        if (!box || !box->isVisible() || !box->isEnabled() || (box == edited && !justCalculated))
            continue;
        const qm::Currency price = p.fundTotals.at(i + 1, 2);
        // The tab shows the prices without the currency symbol; a box left shows it with.
        const QString plain = qm::FormatNumber(price, u"####,,###.0000");
        const QString left =
            qm::Display(qm::forms::ManagerMoney, price, window.screen().currencySymbol);
        if (box->text() != plain && box->text() != left)
            problems << QStringLiteral("%1 shows \"%2\" for the stored price \"%3\"")
                            .arg(box->objectName(), box->text(), left);
    }
    return problems;
}

QStringList Checks::windowProblems(bool topLevel) {
    QStringList problems;
    QWidget* work = menu_.workWindow();
    // The edit session of the work window's boxes.
    const int editFlag =
        qobject_cast<QMInvest*>(work)       ? qobject_cast<QMInvest*>(work)->state().editFlag
        : qobject_cast<QMManagement*>(work) ? qobject_cast<QMManagement*>(work)->screen().editFlag
                                            : 0;
    if (editFlag != 0 && editFlag != 1)
        problems << QStringLiteral("EditFlag is %1").arg(editFlag);
    const bool workShown = work && work->isVisible();
    if (workShown && menu_.isVisible())
        problems << QStringLiteral("the start menu is shown beside the work window");
    if (!workShown && !menu_.isVisible())
        problems << QStringLiteral("no window is shown");
    if (workShown) {
        const qm::WorkWindow kind =
            qobject_cast<QMInvest*>(work) ? qm::WorkWindow::Calculator : qm::WorkWindow::Manager;
        if (qm::ActiveWorkWindow() != kind)
            problems << QStringLiteral("ActiveWindow is %1 while %2 is open")
                            .arg(static_cast<int>(qm::ActiveWorkWindow()))
                            .arg(work->objectName());
        if (qm::CurrentWorkWindow() != work)
            problems << QStringLiteral("dialogs are placed from another window than %1")
                            .arg(work->objectName());
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    if (windows.size() > 80)
        problems << QStringLiteral("%1 windows exist (left undestroyed?)").arg(windows.size());
    if (topLevel && workShown && QApplication::activeWindow() == work) {
        // Keys go to the focus widget: it must be a control the user can see.
        QWidget* focus = QApplication::focusWidget();
        if (focus && (!focus->isVisible() || !focus->isEnabled()))
            problems << QStringLiteral("the keyboard goes to %1, which is %2")
                            .arg(describe(focus), focus->isVisible() ? QStringLiteral("disabled")
                                                                     : QStringLiteral("hidden"));
    }
    if (topLevel) {
        for (QWidget* w : windows) {
            if (w->isVisible() && w != &menu_ && w != work)
                problems << QStringLiteral("%1 is still shown with nothing waiting on it")
                                .arg(describe(w));
        }
    }
    return problems;
}

QStringList Checks::chartProblems(const qm::ChartPlan& drawn) {
    QStringList problems;
    if (drawn.failed)
        return problems; // message 9 says so; the chart shows what was set
    if (drawn.caption.isEmpty())
        problems << QStringLiteral("the chart has no caption");
    for (const auto& series : drawn.series) {
        if (series.size() != drawn.series.front().size())
            problems << QStringLiteral("the chart's series differ in length");
    }
    if (!drawn.series.empty() &&
        drawn.seriesNames.size() != static_cast<qsizetype>(drawn.series.size()))
        problems << QStringLiteral("%1 series with %2 names")
                        .arg(drawn.series.size())
                        .arg(drawn.seriesNames.size());
    if (drawn.comparison && !drawn.series.empty() &&
        drawn.categories.size() != static_cast<qsizetype>(drawn.series.front().size()))
        problems << QStringLiteral("%1 bars with %2 labels")
                        .arg(drawn.series.front().size())
                        .arg(drawn.categories.size());
    // The axis draws equal labels as one, so a bar would stand under another's name.
    if (QSet<QString>(drawn.categories.begin(), drawn.categories.end()).size() !=
        drawn.categories.size())
        problems << QStringLiteral("two bars share a label");
    return problems;
}

QStringList Checks::calculatorProblems(QMInvest& window, bool topLevel) {
    QStringList problems;
    const qm::CalcState& state = window.state();
    auto* results = window.findChild<QPlainTextEdit*>(QStringLiteral("Results"));
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("SSTab1"));
    auto* frames = window.findChild<QStackedWidget*>();
    if (!results || !tabs || !frames)
        return {QStringLiteral("the calculator window lacks its Results box or tabs")};
    const QString shown = results->toPlainText();
    const QString expected = shownText(state.results);
    if (shown != expected)
        problems << QStringLiteral("the Results box differs from the results: ") +
                        firstDifference(shown, expected);
    if (state.comparisonCount < 0 || state.comparisonCount > 10)
        problems << QStringLiteral("ComparisonCount is %1").arg(state.comparisonCount);
    if (state.chartPoints < 0 || state.chartPoints > qm::PeriodTable::rows)
        problems << QStringLiteral("ChartPoints is %1").arg(state.chartPoints);
    if (frames->currentIndex() != tabs->currentIndex())
        problems << QStringLiteral("tab %1 shows frame %2")
                        .arg(tabs->currentIndex())
                        .arg(frames->currentIndex());
    if (state.visibleTab != tabs->currentIndex())
        problems << QStringLiteral("VisibleTab is %1 on tab %2")
                        .arg(state.visibleTab)
                        .arg(tabs->currentIndex());
    if (topLevel && tabs->currentIndex() == qm::MortgageTab) {
        // The quantity solved for is shown locked; the other two can be typed into.
        const char* const pairs[][2] = {{"MTPaymentOpt", "MTInMthPayment"},
                                        {"MTTermOpt", "MTInTerm"},
                                        {"MTPrincipalOpt", "MTInPrincipal"}};
        int checked = 0;
        for (const auto& pair : pairs) {
            auto* option = window.findChild<QRadioButton*>(QLatin1String(pair[0]));
            auto* box = window.findChild<QLineEdit*>(QLatin1String(pair[1]));
            if (!option || !box)
                continue;
            checked += option->isChecked() ? 1 : 0;
            if (option->isChecked() != box->isReadOnly())
                problems << QStringLiteral("%1 is %2 while %3 is %4")
                                .arg(QLatin1String(pair[1]),
                                     box->isReadOnly() ? QStringLiteral("locked")
                                                       : QStringLiteral("open"),
                                     QLatin1String(pair[0]),
                                     option->isChecked() ? QStringLiteral("selected")
                                                         : QStringLiteral("not selected"));
        }
        if (checked != 1)
            problems << QStringLiteral("%1 quantities to solve for are selected").arg(checked);
    }
    return problems;
}

QStringList Checks::managerProblems(QMManagement& window, bool topLevel) {
    const qm::Portfolio& p = window.portfolio();
    // What the run changed, for the summary (a file opened changes the counts at once).
    if (std::abs(p.recordCount - lastRecordCount_) == 1)
        run_.tally(p.recordCount > lastRecordCount_ ? QStringLiteral("records added")
                                                    : QStringLiteral("records deleted"));
    if (std::abs(p.fundCount - lastFundCount_) == 1)
        run_.tally(p.fundCount > lastFundCount_ ? QStringLiteral("funds added")
                                                : QStringLiteral("funds deleted"));
    lastRecordCount_ = p.recordCount;
    lastFundCount_ = p.fundCount;
    // At rest, first where the portfolio came from: a file opened or saved, the history's steps.
    QStringList problems;
    if (topLevel)
        problems << fileProblems(window) << historyProblems(window);
    problems += PortfolioProblems(p, !history_.fileOrder() && !run_.fileOrder);
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("SSTab2"));
    auto* frames = window.findChild<QStackedWidget*>();
    if (!tabs || !frames)
        return problems << QStringLiteral("the manager lacks its tabs");
    if (frames->currentIndex() != tabs->currentIndex())
        problems << QStringLiteral("tab %1 shows frame %2")
                        .arg(tabs->currentIndex())
                        .arg(frames->currentIndex());
    if (!topLevel || !problems.isEmpty())
        return problems;

    const int tab = tabs->currentIndex();
    const auto fundList = [&](const QString& list, const QStringList& items) {
        if (items != qm::FundNames(p))
            problems << QStringLiteral("the %1 list holds [%2] for the funds [%3]")
                            .arg(list, items.join(QLatin1String(", ")),
                                 qm::FundNames(p).join(QLatin1String(", ")));
    };
    if (tab < 2)
        problems << QStringLiteral("the manager rests on the file tab %1").arg(tab);
    // "&Print" prints the page behind the box: it must be the page the box shows.
    const qm::ManagerScreen& shown = window.screen();
    const struct {
        int tab;
        const char* box;
        QString printed;
    } pages[] = {{2, "EResults", shown.helpPage.isEmpty() ? shown.resultsPage : shown.helpPage},
                 {3, "DDResults", shown.resultsPage},
                 {4, "CVResults", shown.resultsPage}};
    for (const auto& page : pages) {
        auto* box = window.findChild<QPlainTextEdit*>(QLatin1String(page.box));
        if (page.tab != tab || !box || box->toPlainText().isEmpty())
            continue;
        if (box->toPlainText() != shownText(page.printed))
            problems << QStringLiteral("%1 shows another page than \"&Print\" prints: %2")
                            .arg(QLatin1String(page.box),
                                 firstDifference(box->toPlainText(), shownText(page.printed)));
    }
    if (tab == 2) {
        const qm::EntryCaptions captions = qm::Captions(p);
        const struct {
            const char* label;
            QString expected;
        } labels[] = {{"ENumFunds", captions.funds},
                      {"ENumRec", captions.records},
                      {"EDbaseName", captions.database}};
        for (const auto& l : labels) {
            auto* label = window.findChild<QLabel*>(QLatin1String(l.label));
            if (label && label->text() != l.expected)
                problems << QStringLiteral("%1 shows \"%2\" for \"%3\"")
                                .arg(QLatin1String(l.label), label->text(), l.expected);
        }
        if (auto* funds = window.findChild<QComboBox*>(QStringLiteral("EFunds")))
            fundList(QStringLiteral("fund"), itemsOf(funds));
    }
    if (tab == 3) {
        if (auto* funds = window.findChild<QListWidget*>(QStringLiteral("DDispFunds")))
            fundList(QStringLiteral("display"), itemsOf(funds));
    }
    return problems;
}

} // namespace qmmonkey
