#include "Monkey.h"

#include "PortfolioCheck.h"
#include "Trail.h"
#include "Wheel.h"

#include "core/calculators/BoxTable.h"
#include "core/input/DisplayForm.h"
#include "core/portfolio/DatabaseFile.h"
#include "core/text/Dates.h"
#include "core/text/Format.h"
#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/chart/QMGraph.h"
#include "gui/common/AppState.h"
#include "gui/common/Dialogs.h"
#include "gui/common/Geometry.h"
#include "gui/common/InputBox.h"
#include "gui/common/WorkWindowBase.h"
#include "gui/manager/QMManagement.h"
#include "screens/ChartData.h"
#include "screens/RecordEntry.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSet>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace qmmonkey {

using qm::QMInvest;
using qm::QMManagement;

namespace {

// The exit buttons of the work windows: pressed now and then, so that visits last a while.
const QStringList WorkExitButtons{"ExitProgram", "EExit", "DExit", "CVExit"};

QString describe(const QWidget* w) {
    if (!w)
        return QStringLiteral("(nothing)");
    QString name = w->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(w->metaObject()->className());
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return name + QStringLiteral(" \"") + button->text() + QLatin1Char('"');
    return name;
}

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

template <typename T> QList<T*> usable(QWidget* root) {
    QList<T*> found;
    for (T* w : root->findChildren<T*>()) {
        if (w->window() == root && w->isVisible() && w->isEnabled())
            found << w;
    }
    return found;
}

bool copyFresh(const QString& from, const QString& to) {
    QFile::remove(to);
    return QFile::copy(from, to) && QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

const Key Escape{Qt::Key_Escape, {}, QStringLiteral("\x1b"), QStringLiteral("Escape")};
const Key Enter{Qt::Key_Return, {}, QStringLiteral("\r"), QStringLiteral("Enter")};

// The key that types a character: a letter by its letter key, the rest of printable ASCII by
// its own code.
int keyCodeOf(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return Qt::Key_A + (c - u'a');
    if (c >= 0x20 && c < 0x7f)
        return c;
    return Qt::Key_unknown;
}

void closeBox(QWidget* window, const QString& what) {
    Note(QStringLiteral("close box of %1").arg(what));
    window->close();
}

// An open list or menu, else the active dialog; nothing when a window is at rest.
QWidget* onTop() {
    QWidget* popup = QApplication::activePopupWidget();
    return popup ? popup : QApplication::activeModalWidget();
}

} // namespace

Monkey::Monkey(const MonkeyOptions& options, qm::QMStart& menu)
    : options_(options), menu_(menu), rng_(options.seed) {
    ticker_.setSingleShot(true);
    connect(&ticker_, &QTimer::timeout, this, &Monkey::step);
    clock_.start();
    QDir(options_.folder).mkpath(QStringLiteral("dir"));
    QDir(options_.folder).mkpath(QStringLiteral("dir.QMD"));
}

void Monkey::start() {
    schedule();
}

void Monkey::schedule(int delayMs) {
    ticker_.start(delayMs);
}

void Monkey::fail(const QString& what) {
    // Where the program stood: inside a dialog, the handler that opened it.
    PrintStack();
    QStringList shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            shown << describe(w) + (w == QApplication::activeModalWidget() ? " (modal)" : "") +
                         (w->objectName() == QLatin1String("AMsgbox")
                              ? QStringLiteral(" message %1").arg(qm::dialogState().messageCode)
                              : QString());
    }
    PrintFailure("CHECK FAILED",
                 what +
                     QStringLiteral(" [windows shown: %1]").arg(shown.join(QLatin1String(", "))));
    std::fflush(stdout);
    _exit(1);
}

void Monkey::tally(const QString& kind) {
    ++counts_[kind];
}

QString Monkey::summary() const {
    QStringList parts;
    for (const auto& [kind, n] : counts_)
        parts << QStringLiteral("%1 %2").arg(n).arg(kind);
    std::map<int, int> messages;
    for (const int m : messagesSeen_)
        ++messages[m];
    QStringList byNumber;
    for (const auto& [m, n] : messages)
        byNumber << QStringLiteral("%1x%2").arg(m).arg(n);
    return QStringLiteral("%1 events; %2; messages by number: %3")
        .arg(event_)
        .arg(parts.join(QLatin1String(", ")), byNumber.join(QLatin1Char(' ')));
}

// ---- The step ---------------------------------------------------------------------------

void Monkey::step() {
    if (finished_)
        return;
    const qint64 now = clock_.elapsed();
    if (now < holdUntilMs_) {
        schedule(static_cast<int>(holdUntilMs_ - now));
        return;
    }
    QWidget* context = onTop();
    // A step that let events be processed without a new dialog on top: act once it is done.
    if (std::find(running_.begin(), running_.end(), context) != running_.end()) {
        schedule(1);
        return;
    }
    running_.push_back(context);
    SetEvent(++event_);
    // The next step is due before this one acts: if the action opens a dialog, that step
    // answers it from the dialog's own event loop.
    schedule();
    // What a real event loop does before the next input arrives: pending deletions, layouts.
    QCoreApplication::sendPostedEvents();
    context = onTop();
    running_.back() = context;

    check(context);
    if (event_ > options_.events && !windingDown_) {
        windingDown_ = true;
        plan_.clear();
        Note(QStringLiteral("the run winds down to the start menu and ends"));
    }
    act(context);
    running_.pop_back();
}

void Monkey::act(QWidget* context) {
    if (context && context != QApplication::activePopupWidget())
        seeDialog(context);
    if (windingDown_) {
        windDown(context);
        return;
    }
    if (context && context == QApplication::activePopupWidget()) {
        onPopup(context);
        return;
    }
    if (context) {
        onModal(context);
        return;
    }
    QWidget* work = menu_.workWindow();
    if (work && work->isVisible())
        onWorkWindow(work);
    else if (menu_.isVisible())
        onStartMenu();
    else
        fail(QStringLiteral("no window is shown"));
}

// ---- Checks -----------------------------------------------------------------------------

void Monkey::check(QWidget* context) {
    const bool topLevel = context == nullptr;
    QStringList problems = windowProblems(topLevel);
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
        const bool justCalculated = calculatedFrom_.has_value();
        if (auto* calc = qobject_cast<QMInvest*>(work)) {
            const bool changed = justCalculated && *calculatedFrom_ != calc->state().results;
            problems += calculatorBoxProblems(*calc, changed);
        } else if (auto* manager = qobject_cast<QMManagement*>(work)) {
            problems += priceBoxProblems(*manager, justCalculated);
        }
        calculatedFrom_.reset();
    }
    if (!problems.isEmpty())
        fail(problems.join(QLatin1String("; ")));
}

namespace {

// Two boxes may stand empty over a value that is kept on purpose: a pension box emptied by the
// Delete key keeps its stored value (and the next page echoes the empty box), and a mortgage
// box the solver emptied after a failed solve stays empty over the zero it stored, also once
// another option has made it a box to type in.
bool emptiedByDesign(const qm::InputBox& box, const QString& expected) {
    if (!box.text().isEmpty())
        return false;
    const qm::BoxRule& row = box.rule();
    if (row.deleteKey == qm::DeleteKey::EmptiesBox)
        return true;
    return row.store == qm::BoxStore::MortgageInputs &&
           expected == qm::Display(row.form, 0.0, qm::app().currencySymbol);
}

} // namespace

QStringList Monkey::calculatorBoxProblems(QMInvest& window, bool justCalculated) {
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
        if (box->text() != expected && !emptiedByDesign(*box, expected))
            problems << QStringLiteral("%1 shows \"%2\" for the stored \"%3\"%4")
                            .arg(box->objectName(), box->text(), expected,
                                 justCalculated ? QStringLiteral(" on a page just calculated")
                                                : QString());
    }
    return problems;
}

QStringList Monkey::priceBoxProblems(QMManagement& window, bool justCalculated) {
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

QStringList Monkey::windowProblems(bool topLevel) {
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

QStringList Monkey::chartProblems(const qm::ChartPlan& drawn) {
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

QStringList Monkey::calculatorProblems(QMInvest& window, bool topLevel) {
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

QStringList Monkey::managerProblems(QMManagement& window, bool topLevel) {
    const qm::Portfolio& p = window.portfolio();
    // What the run changed, for the summary (a file opened changes the counts at once).
    if (std::abs(p.recordCount - lastRecordCount_) == 1)
        tally(p.recordCount > lastRecordCount_ ? QStringLiteral("records added")
                                               : QStringLiteral("records deleted"));
    if (std::abs(p.fundCount - lastFundCount_) == 1)
        tally(p.fundCount > lastFundCount_ ? QStringLiteral("funds added")
                                           : QStringLiteral("funds deleted"));
    lastRecordCount_ = p.recordCount;
    lastFundCount_ = p.fundCount;
    QStringList problems = PortfolioProblems(p, !fileOrder_);
    if (fileOrder_ && PortfolioProblems(p).size() == problems.size())
        fileOrder_ = false; // sorted again by a store or delete
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
    return problems + fileProblems(window);
}

QStringList Monkey::fileProblems(QMManagement& window) {
    if (!pendingFile_)
        return {};
    const PendingFile f = *pendingFile_;
    pendingFile_.reset();
    const std::vector<int> since(
        messagesSeen_.begin() +
            static_cast<std::ptrdiff_t>(std::min(f.messagesBefore, messagesSeen_.size())),
        messagesSeen_.end());
    const auto shown = [&](int m) {
        return std::find(since.begin(), since.end(), m) != since.end();
    };
    const qm::Portfolio& p = window.portfolio();
    const std::optional<qm::DatabaseContents> contents = qm::ReadDatabaseFile(f.path);
    const QString name = QFileInfo(f.path).fileName();
    QStringList problems;
    if (!f.save && shown(13)) {
        if (contents)
            problems << QStringLiteral("%1 can be read, yet opening it said it cannot").arg(name);
        if (p.fundCount != 0 || p.recordCount != 0 || !p.databaseName.isEmpty())
            problems << QStringLiteral("a file that could not be opened left %1 funds, %2 "
                                       "records, database \"%3\"")
                            .arg(p.fundCount)
                            .arg(p.recordCount)
                            .arg(p.databaseName);
        return problems;
    }
    // The save failed and said so: the file on disk is whatever it was.
    if (f.save && (shown(25) || saveFailuresSeen_ > f.saveFailuresBefore))
        return problems;
    if (!contents)
        return {(f.save ? QStringLiteral("saved %1 without a message, but it cannot be read back")
                        : QStringLiteral("%1 cannot be read, yet it was opened without message 13"))
                    .arg(name)};
    // Opened or saved: the window holds what the file holds, under the file's name.
    const QString done = f.save ? QStringLiteral("saved") : QStringLiteral("opened");
    for (const QString& d : ContentDifferences(p, *contents))
        problems << QStringLiteral("%1 %2: %3").arg(done, name, d);
    if (p.databaseName != name)
        problems << QStringLiteral("%1 %2 as database \"%3\"").arg(done, name, p.databaseName);
    if (!f.save)
        return problems;
    if (p.unsavedChanges != 0)
        problems << QStringLiteral("saved %1 but changes are still marked unsaved").arg(name);
    if (problems.isEmpty() && !savedFiles_.contains(f.path))
        savedFiles_ << f.path;
    return problems;
}

// ---- What is on top ---------------------------------------------------------------------

void Monkey::onStartMenu() {
    plan_.clear();
    if (chance(0.5))
        clickNamed(&menu_, QStringLiteral("StartCalc"));
    else
        clickNamed(&menu_, QStringLiteral("StartStockMgmt"));
}

bool Monkey::ensureActive(QWidget* window) {
    if (QApplication::activeWindow() == window) {
        activationTries_ = 0;
        return true;
    }
    if (++activationTries_ > 50)
        fail(QStringLiteral("%1 cannot be made the active window").arg(describe(window)));
    Note(QStringLiteral("activate %1").arg(describe(window)));
    window->activateWindow();
    return false;
}

void Monkey::onWorkWindow(QWidget* window) {
    if (!ensureActive(window))
        return;
    auto* manager = qobject_cast<QMManagement*>(window);
    auto* calc = qobject_cast<QMInvest*>(window);
    if (manager && manager != lastManager_) {
        lastManager_ = manager;
        planManagerVisit(*manager);
    }
    if (plan_.empty() || planWindow_ != window) {
        plan_.clear();
        if (manager && chance(0.06)) {
            switch (weighted({5, 2, 1, 2})) {
            case 0:
                planRecordEntry(*manager);
                break;
            case 1:
                planCorrection(*manager, true);
                break;
            case 2:
                planCorrection(*manager, false);
                break;
            default:
                planCurrentValue(*manager);
                break;
            }
        } else if (calc && chance(0.05)) {
            if (chance(0.7))
                planCalculation(*calc);
            else
                planComparisons(*calc);
        }
    }
    if (!plan_.empty()) {
        const std::function<void()> next = plan_.front();
        plan_.pop_front();
        next();
        return;
    }

    const QList<QPushButton*> buttons = usable<QPushButton>(window);
    const QList<QRadioButton*> options = usable<QRadioButton>(window);
    const QList<QTabBar*> tabs = usable<QTabBar>(window);
    const QList<QComboBox*> lists = usable<QComboBox>(window);
    QList<QLineEdit*> boxes;
    for (QLineEdit* edit : usable<QLineEdit>(window)) {
        if (!qobject_cast<QComboBox*>(edit->parentWidget()))
            boxes << edit;
    }
    const QList<QListWidget*> itemLists = usable<QListWidget>(window);
    const QList<QPlainTextEdit*> pages = usable<QPlainTextEdit>(window);
    const auto w = [](const auto& list, double weight) { return list.isEmpty() ? 0.0 : weight; };
    QList<QWidget*> wheeled; // a turn of the wheel chooses another tab or item
    for (QTabBar* t : tabs)
        wheeled << t;
    for (QComboBox* l : lists)
        wheeled << l;
    switch (weighted({w(buttons, 16), w(tabs, 7), w(options, 5), w(lists, 5), w(boxes, 12), 30, 8,
                      w(itemLists, 4), w(pages, 1), w(boxes, 1), w(wheeled, 2), 0.3, 4,
                      w(buttons, 4), w(boxes, 1), 2})) {
    case 0: {
        std::vector<double> weights;
        for (QPushButton* b : buttons)
            weights.push_back(WorkExitButtons.contains(b->objectName()) ? 0.05 : 1.0);
        click(buttons.at(weighted(weights)), QStringLiteral("click"));
        break;
    }
    case 1: {
        QTabBar* bar = pick(tabs);
        clickTab(bar, chance(0.1) ? bar->currentIndex() : below(bar->count()));
        break;
    }
    case 2: {
        QRadioButton* option = pick(options);
        click(option, QStringLiteral("click option"), QPoint(6, option->height() / 2));
        break;
    }
    case 3: {
        QComboBox* list = pick(lists);
        if (chance(0.6))
            click(list, QStringLiteral("open list"), QPoint(list->width() - 6, list->height() / 2));
        else
            chooseListItem(list, below(list->count()));
        break;
    }
    case 4: {
        QLineEdit* box = pick(boxes);
        click(box, QStringLiteral("click into"),
              QPoint(1 + below(std::max(1, box->width() - 2)), box->height() / 2));
        break;
    }
    case 5:
        pressRandomKey(window);
        break;
    case 6: {
        if (!boxes.isEmpty() && chance(0.6)) {
            QLineEdit* box = pick(boxes);
            click(box, QStringLiteral("click into"));
        }
        const int kind = weighted({6, 2, 2});
        typeInto(window, kind == 0 ? randomAmount() : kind == 1 ? randomDate() : randomText(8));
        break;
    }
    case 7: {
        QListWidget* list = pick(itemLists);
        if (list->count() == 0) {
            click(list->viewport(), QStringLiteral("click the empty list"));
            break;
        }
        QListWidgetItem* item = list->item(below(list->count()));
        const QPoint at = list->visualItemRect(item).center();
        click(list->viewport(), QStringLiteral("click item \"%1\" of").arg(item->text()), at);
        if (chance(0.6) && list->isVisible()) {
            Note(QStringLiteral("double-click item \"%1\"").arg(item->text()));
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        }
        break;
    }
    case 8: {
        QPlainTextEdit* page = pick(pages);
        click(page->viewport(), QStringLiteral("click the page ") + page->objectName());
        break;
    }
    case 9: {
        QLineEdit* box = pick(boxes);
        Note(QStringLiteral("context menu of %1").arg(describe(box)));
        const QPoint at = box->rect().center();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->mapToGlobal(at));
        QCoreApplication::sendEvent(box, &event);
        break;
    }
    case 10: {
        QWidget* target = pick(wheeled);
        const bool down = chance(0.5);
        Note(QStringLiteral("turn the wheel %1 over %2")
                 .arg(down ? QStringLiteral("down") : QStringLiteral("up"), describe(target)));
        turnWheel(target, down ? -1 : 1);
        break;
    }
    case 11:
        closeBox(window, describe(window));
        break;
    case 12:
        pressAccessKey(window);
        break;
    case 13:
        pressFocusedButton(window);
        break;
    case 14:
        middleClick(pick(boxes));
        break;
    default: {
        const int kind = weighted({6, 2, 2});
        commitText(window, kind == 0 ? randomAmount() : kind == 1 ? randomDate() : randomText(8));
        break;
    }
    }
}

void Monkey::onPopup(QWidget* popup) {
    QWidget* target = popup->focusWidget() ? popup->focusWidget() : popup;
    switch (weighted({30, 15, 30, 15, 5, 5})) {
    case 0:
        press(target, {Qt::Key_Down, {}, QString(), QStringLiteral("Down")});
        break;
    case 1:
        press(target, {Qt::Key_Up, {}, QString(), QStringLiteral("Up")});
        break;
    case 2:
        press(target, Enter);
        break;
    case 3:
        press(target, Escape);
        break;
    case 4:
        press(
            target,
            {chance(0.5) ? Qt::Key_Home : Qt::Key_End, {}, QString(), QStringLiteral("Home/End")});
        break;
    default:
        Note(QStringLiteral("click beside the open list"));
        popup->close();
        break;
    }
}

void Monkey::seeDialog(QWidget* dialog) {
    if (dialog->property("qmMonkeySeen").toBool())
        return;
    dialog->setProperty("qmMonkeySeen", true);
    const QString name = dialog->objectName();
    if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
        tally(name == QLatin1String("SaveAsDialog")            ? QStringLiteral("copies offered")
              : files->acceptMode() == QFileDialog::AcceptSave ? QStringLiteral("save dialogs")
                                                               : QStringLiteral("open dialogs"));
    } else if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        tally(QStringLiteral("plain messages"));
        Note(QStringLiteral("plain message \"%1\"").arg(box->text().left(80)));
        if (box->text().startsWith(QLatin1String("Could not save ")))
            ++saveFailuresSeen_;
    } else if (name == QLatin1String("AMsgbox")) {
        messagesSeen_.push_back(qm::dialogState().messageCode);
        tally(QStringLiteral("messages"));
        Note(QStringLiteral("message %1 shown").arg(qm::dialogState().messageCode));
    } else if (name == QLatin1String("AllYesNo")) {
        tally(QStringLiteral("questions"));
        Note(QStringLiteral("question %1 asked").arg(qm::dialogState().choiceCode));
    } else if (name == QLatin1String("PrinterHeaderInput")) {
        tally(QStringLiteral("line inputs"));
        // The box to type into has the keyboard when the dialog opens.
        if (auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("InFName")))
            box->setFocus(Qt::OtherFocusReason);
    } else if (name == QLatin1String("FundCurValInput")) {
        tally(QStringLiteral("record numbers asked"));
    } else if (name == QLatin1String("QMGraph")) {
        tally(QStringLiteral("charts"));
    }
}

void Monkey::onModal(QWidget* modal) {
    if (auto* files = qobject_cast<QFileDialog*>(modal)) {
        if (files->objectName() == QLatin1String("SaveAsDialog"))
            answerSaveCopy(files);
        else
            answerFiles(files);
        return;
    }
    if (qobject_cast<QMessageBox*>(modal)) {
        answerPlainBox(modal);
        return;
    }
    const QString name = modal->objectName();
    if (name == QLatin1String("AMsgbox"))
        answerMessage(modal);
    else if (name == QLatin1String("AllYesNo"))
        answerQuestion(modal);
    else if (name == QLatin1String("PrinterHeaderInput"))
        answerLine(modal);
    else if (name == QLatin1String("FundCurValInput"))
        answerNumber(modal);
    else if (name == QLatin1String("QMGraph"))
        useChart(modal);
    else
        fail(QStringLiteral("an unexpected dialog: %1 \"%2\"")
                 .arg(describe(modal), modal->windowTitle()));
}

void Monkey::windDown(QWidget* context) {
    if (++windDownSteps_ > 300)
        fail(QStringLiteral("the program could not be brought back to the start menu"));
    if (context && context == QApplication::activePopupWidget()) {
        press(context->focusWidget() ? context->focusWidget() : context, Escape);
        return;
    }
    if (context) {
        const QString name = context->objectName();
        if (auto* files = qobject_cast<QFileDialog*>(context)) {
            cancelFiles(files);
        } else if (auto* box = qobject_cast<QMessageBox*>(context)) {
            QAbstractButton* no = box->button(QMessageBox::No);
            if (!no)
                no = box->escapeButton();
            if (!no && !box->buttons().isEmpty())
                no = box->buttons().first();
            if (no)
                click(no, QStringLiteral("click"));
            else
                box->close();
        } else {
            const QString button = name == QLatin1String("AMsgbox")              ? "AMsgExit"
                                   : name == QLatin1String("AllYesNo")           ? "AllNo"
                                   : name == QLatin1String("PrinterHeaderInput") ? "NAcept"
                                   : name == QLatin1String("FundCurValInput")    ? "NoAccept"
                                   : name == QLatin1String("QMGraph")            ? "QMGExit"
                                                                                 : "";
            if (button.isEmpty() || !clickNamed(context, button)) {
                closeBox(context, describe(context));
            }
        }
        return;
    }
    QWidget* work = menu_.workWindow();
    if (work && work->isVisible()) {
        for (const QString& exit : WorkExitButtons) {
            auto* button = work->findChild<QPushButton*>(exit);
            if (button && button->isVisible() && button->isEnabled()) {
                click(button, QStringLiteral("click"));
                return;
            }
        }
        closeBox(work, describe(work));
        return;
    }
    // At the start menu: the run ends as the user ends the program.
    finished_ = true;
    if (chance(0.8)) {
        clickNamed(&menu_, QStringLiteral("StartExit"));
    } else {
        closeBox(&menu_, QStringLiteral("the start menu"));
    }
    ticker_.stop();
}

// ---- Dialogs ----------------------------------------------------------------------------

// A dialog's own answers come first in `weights`; the last three weigh what a user can do with
// any dialog: its close box, Escape, a random key. One of those three is done here and -1
// returned; otherwise the index of the dialog's own answer chosen.
int Monkey::chooseAnswer(QWidget* dialog, const QString& what, const std::vector<double>& weights) {
    const int choice = weighted(weights);
    const int own = static_cast<int>(weights.size()) - 3;
    if (choice < own)
        return choice;
    if (choice == own)
        closeBox(dialog, what);
    else if (choice == own + 1)
        press(keyTarget(dialog), Escape);
    else
        pressRandomKey(dialog);
    return -1;
}

void Monkey::answerMessage(QWidget* dialog) {
    if (chooseAnswer(dialog, QStringLiteral("the message"), {70, 10, 10, 10}) == 0)
        clickNamed(dialog, QStringLiteral("AMsgExit"));
}

void Monkey::answerQuestion(QWidget* dialog) {
    const int choice = chooseAnswer(dialog, QStringLiteral("the question"), {40, 40, 10, 5, 5});
    if (choice >= 0)
        clickNamed(dialog, choice == 0 ? QStringLiteral("AllYes") : QStringLiteral("AllNo"));
}

// The two input dialogs are not answered with Escape.
void Monkey::answerLine(QWidget* dialog) {
    if (!ensureActive(dialog))
        return;
    switch (chooseAnswer(dialog, QStringLiteral("the line input"), {45, 35, 10, 5, 0, 5})) {
    case 0:
        typeInto(dialog, chance(0.05) ? randomText(300) : randomText(14));
        break;
    case 1:
        clickNamed(dialog, QStringLiteral("Acept"));
        break;
    case 2:
        clickNamed(dialog, QStringLiteral("NAcept"));
        break;
    }
}

void Monkey::answerNumber(QWidget* dialog) {
    if (!ensureActive(dialog))
        return;
    switch (chooseAnswer(dialog, QStringLiteral("the record number"), {45, 40, 8, 4, 0, 3})) {
    case 0:
        typeInto(dialog, randomRecordNumber());
        break;
    case 1:
        clickNamed(dialog, QStringLiteral("Accept"));
        break;
    case 2:
        clickNamed(dialog, QStringLiteral("NoAccept"));
        break;
    }
}

void Monkey::cancelFiles(QFileDialog* dialog) {
    pendingFile_.reset();
    switch (below(3)) {
    case 0:
        if (auto* buttons = dialog->findChild<QDialogButtonBox*>()) {
            if (QPushButton* cancel = buttons->button(QDialogButtonBox::Cancel)) {
                click(cancel, QStringLiteral("click the file dialog's"));
                break;
            }
        }
        Note(QStringLiteral("cancel the file dialog"));
        dialog->reject();
        break;
    case 1:
        closeBox(dialog, QStringLiteral("the file dialog"));
        break;
    default:
        press(dialog, Escape);
        break;
    }
}

void Monkey::answerFiles(QFileDialog* dialog) {
    const bool save = dialog->acceptMode() == QFileDialog::AcceptSave;
    if (!ensureActive(dialog))
        return;
    const QDir folder(options_.folder);
    QString path;
    if (forcedFile_) {
        path = *forcedFile_;
        forcedFile_.reset();
    } else {
        switch (weighted({16, 22, 7, 15, 14, 8, 4, savedFiles_.isEmpty() ? 0.0 : 10.0, 3})) {
        case 0:
            cancelFiles(dialog);
            return;
        case 1:
            path = folder.filePath(QStringLiteral("DtaSampl.QMD"));
            break;
        case 2:
            path = folder.filePath(QStringLiteral("largest.QMD"));
            if (!save && !copyFresh(options_.largestDatabase, path))
                fail(QStringLiteral("cannot copy %1").arg(options_.largestDatabase));
            break;
        case 3: {
            const char* const forms[] = {"new-%1.QMD", "new-%1.qmd", "NEW%1", "new %1.QMD"};
            path = folder.filePath(QString::fromLatin1(forms[below(4)]).arg(++fileCounter_));
            break;
        }
        case 4:
            path = freshMalformedFile();
            break;
        case 5:
            path = folder.filePath(chance(0.5) ? QStringLiteral("dir") : QStringLiteral("dir.QMD"));
            break;
        case 6:
            path = folder.filePath(QStringLiteral("missing/x.QMD"));
            break;
        case 7:
            path = pick(savedFiles_);
            break;
        default: {
            static const QString letters = QStringLiteral("abcXYZ019 -_");
            QString name;
            for (int i = 0, n = 1 + below(10); i < n; ++i)
                name += pick(letters);
            if (name.trimmed().isEmpty())
                name = QStringLiteral("x");
            path = dialog->directory().absoluteFilePath(name.trimmed());
            break;
        }
        }
    }
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit)
        fail(QStringLiteral("the file dialog has no file name box"));
    pendingFile_ = PendingFile{save, path, messagesSeen_.size(), saveFailuresSeen_};
    if (!save) {
        const std::optional<qm::DatabaseContents> contents = qm::ReadDatabaseFile(path);
        if (contents && !DatesInOrder(*contents)) {
            fileOrder_ = true;
            Note(QStringLiteral("(its records are not in date order)"));
        }
    }
    Note(QStringLiteral("%1 file %2")
             .arg(save ? QStringLiteral("save as") : QStringLiteral("open"),
                  QDir(options_.folder).relativeFilePath(path)));
    // The name is typed into the name box, which has the keyboard: the dialog then drops the
    // preset name from its list selection, as it does for a user typing there.
    edit->setFocus(Qt::MouseFocusReason);
    edit->setText(path);
    QTest::keyClick(edit, Qt::Key_Return);
}

void Monkey::answerSaveCopy(QFileDialog* dialog) {
    if (!ensureActive(dialog))
        return;
    const QDir folder(options_.folder);
    QString path;
    switch (weighted({40, 45, 15})) {
    case 0:
        cancelFiles(dialog);
        return;
    case 1:
        path = folder.filePath(QStringLiteral("copy-%1").arg(++fileCounter_));
        break;
    default: // cannot be written: a message names it
        path = folder.filePath(QStringLiteral("missing/copy"));
        break;
    }
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    if (!edit)
        fail(QStringLiteral("the file dialog has no file name box"));
    Note(QStringLiteral("save a copy as %1").arg(QDir(options_.folder).relativeFilePath(path)));
    edit->setFocus(Qt::MouseFocusReason);
    edit->setText(path);
    QTest::keyClick(edit, Qt::Key_Return);
}

void Monkey::answerPlainBox(QWidget* dialog) {
    auto* box = qobject_cast<QMessageBox*>(dialog);
    const QList<QAbstractButton*> buttons = box->buttons();
    switch (weighted({buttons.isEmpty() ? 0.0 : 80.0, 10, 10})) {
    case 0:
        click(pick(buttons), QStringLiteral("click"));
        break;
    case 1:
        closeBox(box, QStringLiteral("the plain message"));
        break;
    default:
        press(box, Escape);
        break;
    }
}

void Monkey::useChart(QWidget* chart) {
    const QList<QPushButton*> buttons = usable<QPushButton>(chart);
    std::vector<double> weights;
    for (QPushButton* b : buttons) {
        const QString name = b->objectName();
        weights.push_back(name == QLatin1String("QMGExit")    ? 30
                          : name == QLatin1String("QMGPrint") ? 6
                                                              : 10);
    }
    weights.push_back(8); // the close box
    weights.push_back(5); // a key
    const int choice = weighted(weights);
    if (choice < buttons.size()) {
        click(buttons.at(choice), QStringLiteral("click"));
    } else if (choice == buttons.size()) {
        closeBox(chart, QStringLiteral("the chart"));
    } else if (ensureActive(chart)) {
        pressRandomKey(chart);
    }
}

// ---- Plans ------------------------------------------------------------------------------

void Monkey::beginPlan(QWidget& window) {
    plan_.clear();
    planWindow_ = &window;
}

void Monkey::planManagerVisit(QMManagement& window) {
    // Every visit starts with a fresh copy of the sample database opened through "Open file".
    const QString sample = QDir(options_.folder).filePath(QStringLiteral("DtaSampl.QMD"));
    if (!copyFresh(options_.sampleDatabase, sample))
        fail(QStringLiteral("cannot copy the sample database %1").arg(options_.sampleDatabase));
    beginPlan(window);
    plan_.push_back([this, sample, w = QPointer<QMManagement>(&window)] {
        if (!w)
            return;
        forcedFile_ = sample;
        clickTab(w->findChild<QTabBar*>(QStringLiteral("SSTab2")), 0);
        forcedFile_.reset();
    });
}

void Monkey::planRecordEntry(QMManagement& window) {
    const QPointer<QMManagement> w(&window);
    beginPlan(window);
    plan_.push_back([this, w] {
        auto* tabs = w->findChild<QTabBar*>(QStringLiteral("SSTab2"));
        if (tabs->currentIndex() != 2)
            clickTab(tabs, 2);
        else
            Note(QStringLiteral("plan: enter a record"));
    });
    plan_.push_back([this, w] { chooseAnyFund(*w); });
    plan_.push_back([this, w] {
        auto* types = w->findChild<QComboBox*>(QStringLiteral("ETransType"));
        if (types->isVisible() && types->isEnabled() && types->count() > 0)
            chooseListItem(types, below(types->count()));
    });
    plan_.push_back([this, w] { typeIntoNamed(w, QStringLiteral("EInDate"), randomDate()); });
    for (const char* box : {"EInPrice", "EInNumShrs", "EInComm", "EInCashDiv"}) {
        plan_.push_back([this, w, box] {
            if (chance(0.85))
                typeIntoNamed(w, QLatin1String(box), randomAmount());
        });
    }
    plan_.push_back([this, w] {
        if (chance(0.9))
            clickNamed(w, QStringLiteral("EAddaRec"));
    });
}

void Monkey::planCurrentValue(QMManagement& window) {
    const QPointer<QMManagement> w(&window);
    beginPlan(window);
    plan_.push_back([this, w] {
        Note(QStringLiteral("plan: value the funds"));
        auto* tabs = w->findChild<QTabBar*>(QStringLiteral("SSTab2"));
        if (tabs->currentIndex() != 4)
            clickTab(tabs, 4);
    });
    for (int i = 0; i < qm::MaxFunds; ++i) {
        plan_.push_back([this, w, i] {
            const QString name = QStringLiteral("CVInPrice(%1)").arg(i);
            auto* box = w->findChild<QLineEdit*>(name);
            if (box && box->isVisible() && box->isEnabled() && chance(0.95))
                typeIntoNamed(w, name, chance(0.8) ? QStringLiteral("20.00") : randomAmount());
        });
    }
    plan_.push_back([this, w] { clickNamed(w, QStringLiteral("CVCalc")); });
    plan_.push_back([this, w] {
        if (chance(0.5))
            clickNamed(w, QStringLiteral("CVGraph"));
    });
}

void Monkey::planCorrection(QMManagement& window, bool correct) {
    const QPointer<QMManagement> w(&window);
    beginPlan(window);
    plan_.push_back([this, w, correct] {
        Note(correct ? QStringLiteral("plan: correct a record")
                     : QStringLiteral("plan: delete a record"));
        auto* tabs = w->findChild<QTabBar*>(QStringLiteral("SSTab2"));
        if (tabs->currentIndex() != 2)
            clickTab(tabs, 2);
    });
    plan_.push_back([this, w] { chooseAnyFund(*w); });
    // The record number is typed into the dialog this opens, like every other answer.
    plan_.push_back([this, w, correct] {
        clickNamed(w, correct ? QStringLiteral("ECorrectRec") : QStringLiteral("EDelRec"));
    });
    if (!correct)
        return;
    plan_.push_back([this, w] {
        QList<QLineEdit*> boxes;
        for (const char* name : {"EInDate", "EInPrice", "EInNumShrs", "EInComm", "EInCashDiv"}) {
            auto* box = w->findChild<QLineEdit*>(QLatin1String(name));
            if (box && box->isVisible() && box->isEnabled())
                boxes << box;
        }
        if (boxes.isEmpty())
            return;
        QLineEdit* box = pick(boxes);
        typeIntoNamed(w, box->objectName(),
                      box->objectName() == QLatin1String("EInDate") ? randomDate()
                                                                    : randomAmount());
    });
    plan_.push_back([this, w] {
        if (chance(0.9))
            clickNamed(w, QStringLiteral("EAddaRec"));
    });
}

void Monkey::planComparisons(QMInvest& window) {
    const QPointer<QMInvest> w(&window);
    beginPlan(window);
    Note(QStringLiteral("plan: compare calculations"));
    for (int i = 0, n = 8 + below(7); i < n; ++i) {
        plan_.push_back([this, w] {
            const QList<qm::InputBox*> boxes = usable<qm::InputBox>(w);
            if (!boxes.isEmpty() && chance(0.3)) {
                qm::InputBox* box = pick(boxes);
                click(box, QStringLiteral("click into"));
                typeInto(w, QString::number(1 + below(chance(0.5) ? 40 : 100000)));
            }
            clickCalculate(*w);
        });
    }
    plan_.push_back([this, w] {
        if (chance(0.6))
            clickNamed(w, QStringLiteral("AllGraphs"));
    });
}

void Monkey::planCalculation(QMInvest& window) {
    const QPointer<QMInvest> w(&window);
    beginPlan(window);
    Note(QStringLiteral("plan: calculate"));
    for (int i = 0, n = 1 + below(3); i < n; ++i) {
        plan_.push_back([this, w] {
            const QList<qm::InputBox*> boxes = usable<qm::InputBox>(w);
            if (boxes.isEmpty())
                return;
            qm::InputBox* box = pick(boxes);
            click(box, QStringLiteral("click into"));
            typeInto(w, chance(0.7) ? QString::number(1 + below(chance(0.5) ? 40 : 100000))
                                    : randomAmount());
        });
    }
    plan_.push_back([this, w] { clickCalculate(*w); });
    plan_.push_back([this, w] {
        if (chance(0.3))
            clickNamed(w, QStringLiteral("AllGraphs"));
    });
}

// ---- User actions -----------------------------------------------------------------------

void Monkey::noteCommand(const QWidget* button) {
    if (button && button->objectName().endsWith(QLatin1String("Calculate"))) {
        if (auto* calc = qobject_cast<QMInvest*>(menu_.workWindow()))
            calculatedFrom_ = calc->state().results;
        else
            calculatedFrom_ = QString();
    }
}

void Monkey::pressAccessKey(QWidget* root) {
    QList<QAbstractButton*> keyed;
    for (QAbstractButton* b : usable<QAbstractButton>(root)) {
        if (!QKeySequence::mnemonic(b->text()).isEmpty())
            keyed << b;
    }
    if (keyed.isEmpty())
        return;
    QAbstractButton* button = pick(keyed);
    const QKeyCombination combination = QKeySequence::mnemonic(button->text())[0];
    const Qt::Key letter = combination.key();
    noteCommand(button);
    press(keyTarget(root),
          Key{letter, Qt::AltModifier, QString(QChar(static_cast<char16_t>(letter))).toLower(),
              QStringLiteral("Alt+%1 (%2)")
                  .arg(QChar(static_cast<char16_t>(letter)))
                  .arg(button->objectName())});
}

void Monkey::pressFocusedButton(QWidget* root) {
    auto* button = qobject_cast<QPushButton*>(keyTarget(root));
    if (!button) {
        const QList<QPushButton*> buttons = usable<QPushButton>(root);
        if (buttons.isEmpty())
            return;
        std::vector<double> weights;
        for (QPushButton* b : buttons)
            weights.push_back(WorkExitButtons.contains(b->objectName()) ? 0.05 : 1.0);
        button = buttons.at(weighted(weights));
        Note(QStringLiteral("tab to %1").arg(describe(button)));
        button->setFocus(Qt::TabFocusReason);
        if (!button->hasFocus())
            return;
    }
    noteCommand(button);
    press(button, chance(0.5)
                      ? Enter
                      : Key{Qt::Key_Space, {}, QStringLiteral(" "), QStringLiteral("Space")});
}

void Monkey::middleClick(QLineEdit* box) {
    // Where the platform has a mouse selection, it holds something no filter lets through.
    if (QGuiApplication::clipboard()->supportsSelection())
        QGuiApplication::clipboard()->setText(QStringLiteral("-7abc1"), QClipboard::Selection);
    Note(QStringLiteral("middle-click %1").arg(describe(box)));
    QTest::mouseClick(box, Qt::MiddleButton, {}, box->rect().center());
}

void Monkey::commitText(QWidget* root, const QString& text) {
    QWidget* target = keyTarget(root);
    // An input method only sends to a control that takes its text (not to a read-only page).
    if (!target->testAttribute(Qt::WA_InputMethodEnabled))
        return;
    Note(QStringLiteral("input method commits \"%1\" to %2").arg(text, describe(target)));
    if (chance(0.3)) {
        QInputMethodEvent composing(text.left(2), {});
        QCoreApplication::sendEvent(target, &composing);
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(target, &commit);
}

void Monkey::click(QWidget* widget, const QString& what, QPoint at) {
    Note(QStringLiteral("%1 %2").arg(what, describe(widget)));
    noteCommand(widget);
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
}

void Monkey::clickTab(QTabBar* tabs, int index) {
    if (!tabs || !tabs->isVisible() || index < 0 || index >= tabs->count())
        return;
    // A tab scrolled out of sight, or under the scroll arrows, cannot be clicked: the user
    // scrolls the tabs first.
    QRect shown = tabs->tabRect(index) & tabs->rect();
    QList<QAbstractButton*> arrows;
    for (QAbstractButton* b : tabs->findChildren<QAbstractButton*>()) {
        if (!b->isVisible())
            continue;
        const QRect g = b->geometry();
        if (g.center().x() > shown.center().x())
            shown.setRight(std::min(shown.right(), g.left() - 1));
        else
            shown.setLeft(std::max(shown.left(), g.right() + 1));
        if (b->isEnabled())
            arrows << b;
    }
    if (shown.width() < 4 || shown.height() < 4) {
        if (!arrows.isEmpty())
            click(pick(arrows),
                  QStringLiteral("scroll the tabs of %1 with").arg(tabs->objectName()));
        return;
    }
    Note(QStringLiteral("click tab \"%1\"").arg(tabs->tabText(index)));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, shown.center());
}

void Monkey::chooseListItem(QComboBox* list, int index) {
    Note(QStringLiteral("choose item %1 of %2").arg(index).arg(describe(list)));
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(list->width() - 6, list->height() / 2));
    if (!QApplication::activePopupWidget())
        return;
    QAbstractItemView* view = list->view();
    if (index >= 0 && index < list->count())
        view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

void Monkey::chooseAnyFund(QMManagement& window) {
    auto* funds = window.findChild<QComboBox*>(QStringLiteral("EFunds"));
    if (funds->isVisible() && funds->count() > 0)
        chooseListItem(funds, below(funds->count()));
}

void Monkey::clickCalculate(QWidget& window) {
    for (QPushButton* b : usable<QPushButton>(&window)) {
        if (b->objectName().endsWith(QLatin1String("Calculate"))) {
            useButton(&window, b);
            return;
        }
    }
}

void Monkey::useButton(QWidget* root, QAbstractButton* button) {
    // Mostly a click; else its access key typed where the keyboard is (a box being edited, as
    // often as not), or Enter or Space once the button has the focus.
    const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
    switch (weighted(
        {6, mnemonic.isEmpty() ? 0.0 : 2.5, qobject_cast<QPushButton*>(button) ? 1.5 : 0.0})) {
    case 1: {
        const Qt::Key letter = mnemonic[0].key();
        noteCommand(button);
        press(keyTarget(root->window()),
              Key{letter, Qt::AltModifier, QString(QChar(static_cast<char16_t>(letter))).toLower(),
                  QStringLiteral("Alt+%1 (%2)")
                      .arg(QChar(static_cast<char16_t>(letter)))
                      .arg(button->objectName())});
        return;
    }
    case 2:
        Note(QStringLiteral("tab to %1").arg(describe(button)));
        button->setFocus(Qt::TabFocusReason);
        if (button->hasFocus()) {
            noteCommand(button);
            press(button,
                  chance(0.5)
                      ? Enter
                      : Key{Qt::Key_Space, {}, QStringLiteral(" "), QStringLiteral("Space")});
            return;
        }
        break;
    default:
        break;
    }
    click(button, QStringLiteral("click"));
}

bool Monkey::clickNamed(QWidget* root, const QString& name) {
    auto* button = root->findChild<QAbstractButton*>(name);
    if (!button || !button->isVisible() || !button->isEnabled())
        return false;
    useButton(root, button);
    return true;
}

void Monkey::typeIntoNamed(QWidget* root, const QString& name, const QString& text) {
    auto* box = root->findChild<QLineEdit*>(name);
    if (!box || !box->isVisible() || !box->isEnabled())
        return;
    click(box, QStringLiteral("click into"));
    typeInto(root, text);
}

QWidget* Monkey::keyTarget(QWidget* root) const {
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == root)
        return focus;
    return root;
}

void Monkey::press(QWidget* target, const Key& key) {
    Note(QStringLiteral("key %1 to %2").arg(key.name, describe(target)));
    QTest::sendKeyEvent(QTest::Click, target, static_cast<Qt::Key>(key.key), key.text,
                        key.modifiers);
    if (key.modifiers & Qt::AltModifier)
        holdUntilMs_ = clock_.elapsed() + 150;
}

void Monkey::pressRandomKey(QWidget* root) {
    press(keyTarget(root), randomKey());
}

void Monkey::typeInto(QWidget* root, const QString& text) {
    Note(QStringLiteral("type \"%1\" to %2").arg(text, describe(keyTarget(root))));
    const QPointer<QWidget> window(root);
    for (const QChar c : text) {
        if (!window || !window->isVisible())
            return;
        // A key that moved the focus or opened a dialog: the rest goes where the keyboard is.
        if (QApplication::activeModalWidget() && QApplication::activeModalWidget() != root)
            return;
        QTest::sendKeyEvent(QTest::Click, keyTarget(root),
                            static_cast<Qt::Key>(keyCodeOf(c.unicode())), QString(c),
                            Qt::NoModifier);
    }
}

// ---- Random choices ---------------------------------------------------------------------

int Monkey::below(int n) {
    if (n <= 1)
        return 0;
    return static_cast<int>(rng_() % static_cast<std::uint64_t>(n));
}

bool Monkey::chance(double p) {
    return static_cast<double>(rng_() % 1000000) < p * 1000000.0;
}

int Monkey::weighted(const std::vector<double>& weights) {
    double total = 0;
    for (const double w : weights)
        total += w;
    if (total <= 0)
        return 0;
    double r = static_cast<double>(rng_() % 1000000) / 1000000.0 * total;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (r < weights[i])
            return static_cast<int>(i);
        r -= weights[i];
    }
    return static_cast<int>(weights.size()) - 1;
}

Key Monkey::randomKey() {
    const auto character = [](char16_t c) {
        return Key{keyCodeOf(c), {}, QString(QChar(c)), QString(QChar(c))};
    };
    switch (weighted({36, 7, 2, 2, 3, 2, 8, 6, 5, 7, 5, 2, 2, 2, 1, 4, 2, 2, 1, 2})) {
    case 0:
        return character(static_cast<char16_t>(u'0' + below(10)));
    case 1:
        return character(u'.');
    case 2:
        return character(u',');
    case 3:
        return character(u'-');
    case 4:
        return character(u'/');
    case 5:
        return Key{Qt::Key_Space, {}, QStringLiteral(" "), QStringLiteral("Space")};
    case 6:
        return character(static_cast<char16_t>((chance(0.5) ? u'a' : u'A') + below(26)));
    case 7:
        return Key{Qt::Key_Backspace, {}, QStringLiteral("\b"), QStringLiteral("Backspace")};
    case 8:
        return Key{Qt::Key_Delete, {}, QStringLiteral("\x7f"), QStringLiteral("Delete")};
    case 9:
        return Enter;
    case 10:
        return Key{Qt::Key_Tab, {}, QStringLiteral("\t"), QStringLiteral("Tab")};
    case 11:
        return Key{Qt::Key_Backtab, Qt::ShiftModifier, QString(), QStringLiteral("Shift+Tab")};
    case 12:
        return Key{Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"),
                   QStringLiteral("Ctrl+V")};
    case 13: {
        const char letters[] = {'A', 'C', 'X', 'Z'};
        const char c = letters[below(4)];
        return Key{Qt::Key_A + (c - 'A'), Qt::ControlModifier, QString(QChar(c - 'A' + 1)),
                   QStringLiteral("Ctrl+") + QChar::fromLatin1(c)};
    }
    case 14:
        return Escape;
    case 15: {
        const Qt::Key keys[] = {Qt::Key_Up,    Qt::Key_Down, Qt::Key_Left,
                                Qt::Key_Right, Qt::Key_Home, Qt::Key_End};
        const char* const names[] = {"Up", "Down", "Left", "Right", "Home", "End"};
        const int i = below(6);
        return Key{keys[i], {}, QString(), QLatin1String(names[i])};
    }
    case 16: {
        const char c = static_cast<char>('A' + below(26));
        return Key{Qt::Key_A + (c - 'A'), Qt::AltModifier,
                   QString(QChar::fromLatin1(static_cast<char>(c - 'A' + 'a'))),
                   QStringLiteral("Alt+") + QChar::fromLatin1(c)};
    }
    case 17: {
        const char16_t symbols[] = {u'$', u'%', u'"', u'\'', u'#', u'+'};
        return character(symbols[below(6)]);
    }
    case 18:
        return chance(0.5)
                   ? Key{Qt::Key_F4, {}, QString(), QStringLiteral("F4")}
                   : Key{Qt::Key_Down, Qt::AltModifier, QString(), QStringLiteral("Alt+Down")};
    default: {
        // The windows' command keys: help, print, and the manager's open and save.
        switch (below(4)) {
        case 0:
            return Key{Qt::Key_F1, {}, QString(), QStringLiteral("F1")};
        case 1:
            return Key{Qt::Key_P, Qt::ControlModifier, QStringLiteral("\x10"),
                       QStringLiteral("Ctrl+P")};
        case 2:
            return Key{Qt::Key_O, Qt::ControlModifier, QStringLiteral("\x0f"),
                       QStringLiteral("Ctrl+O")};
        default:
            return Key{Qt::Key_S, Qt::ControlModifier, QStringLiteral("\x13"),
                       QStringLiteral("Ctrl+S")};
        }
    }
    }
}

QString Monkey::randomAmount() {
    const auto digits = [this](int n, bool leadingZeroAllowed) {
        QString s;
        for (int i = 0; i < n; ++i) {
            const int d = (i == 0 && !leadingZeroAllowed) ? 1 + below(9) : below(10);
            s += QChar(u'0' + d);
        }
        return s;
    };
    switch (weighted({60, 8, 6, 8, 8, 5})) {
    case 0: {
        QString s = digits(1 + below(5), false);
        if (chance(0.6))
            s += QLatin1Char('.') + digits(1 + below(4), true);
        return s;
    }
    case 1: {
        const char* const zeros[] = {"0", ".0", "0.00", "0000", "."};
        return QLatin1String(zeros[below(5)]);
    }
    case 2:
        return digits(11 + below(10), false);
    case 3:
        return QLatin1Char('.') + digits(1 + below(6), true);
    case 4: {
        static const QString pool = QStringLiteral("0123456789.,-$ %e");
        QString s;
        for (int i = 0, n = 1 + below(9); i < n; ++i)
            s += pick(pool);
        return s;
    }
    default:
        return QStringLiteral("-") + digits(1 + below(4), false);
    }
}

QString Monkey::randomDate() {
    if (chance(0.8)) {
        const QDate date(1930 + below(150), 1 + below(12), 1 + below(28));
        return qm::ShortDate(date.addDays(below(4)));
    }
    static const QString pool = QStringLiteral("0123456789/.- ");
    QString s;
    for (int i = 0, n = 1 + below(12); i < n; ++i)
        s += pick(pool);
    return s;
}

QString Monkey::randomText(int maxLength) {
    static const QString pool = QStringLiteral(
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789     \",#'.-&/\u00e9\u00df"
        "\u20ac\u4e2d");
    QString s;
    for (int i = 0, n = 1 + below(maxLength); i < n; ++i)
        s += pick(pool);
    return s;
}

QString Monkey::randomRecordNumber() {
    switch (weighted({60, 5, 10, 5, 3, 3, 5, 5, 4})) {
    case 0:
        return QString::number(1 + below(12));
    case 1:
        return QStringLiteral("0");
    case 2:
        return QString::number(13 + below(700));
    case 3:
        return QStringLiteral("%1.5").arg(below(6));
    case 4:
        return QStringLiteral("-1");
    case 5:
        return QStringLiteral("99999");
    case 6:
        return randomText(4);
    case 7:
        return QString();
    default:
        return QStringLiteral(".");
    }
}

QString Monkey::freshMalformedFile() {
    QFile source(chance(0.8) ? options_.sampleDatabase : options_.largestDatabase);
    if (!source.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read %1").arg(source.fileName()));
    QByteArray bytes = source.readAll();
    for (int i = 0, n = 1 + below(3); i < n; ++i) {
        const int size = static_cast<int>(bytes.size());
        const int at = below(std::max(1, size));
        const int kind = below(8);
        switch (kind) {
        case 0: // cut short
            bytes.truncate(at);
            break;
        case 1: // one byte changed
            if (size > 0)
                bytes[at] = static_cast<char>(below(256));
            break;
        case 2: { // a few bytes put in
            QByteArray noise;
            for (int k = 0, m = 1 + below(6); k < m; ++k)
                noise += "0123456789,\"#-.\r\nAB\x00\xff"[below(19)];
            bytes.insert(at, noise);
            break;
        }
        case 3:   // a line dropped
        case 4:   // a line doubled
        case 5: { // a digit in a line changed
            QList<QByteArray> lines = bytes.split('\n');
            const int line = below(static_cast<int>(lines.size()));
            if (lines.isEmpty())
                break;
            if (kind == 3)
                lines.removeAt(line);
            else if (kind == 4)
                lines.insert(line, lines.at(line));
            else {
                QByteArray& l = lines[line];
                for (qsizetype k = 0; k < l.size(); ++k) {
                    if (l[k] >= '0' && l[k] <= '9' && chance(0.3))
                        l[k] = static_cast<char>('0' + below(10));
                }
            }
            bytes = lines.join('\n');
            break;
        }
        case 6: // nothing but noise
            bytes.clear();
            for (int k = 0, m = below(64); k < m; ++k)
                bytes += static_cast<char>(below(256));
            break;
        default: // something after the end
            bytes += chance(0.5) ? QByteArray("\r\n\r\n") : QByteArray("\r\nextra line\r\n");
            break;
        }
    }
    const QString path =
        QDir(options_.folder).filePath(QStringLiteral("broken-%1.QMD").arg(below(4)));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        fail(QStringLiteral("cannot write %1").arg(path));
    out.write(bytes);
    return path;
}

} // namespace qmmonkey
