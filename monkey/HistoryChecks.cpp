// The checks of where the manager's portfolio came from, made at rest: the file last opened or
// saved against the file on disk, and the history of changes against the driver's own account
// of it (HistoryModel), with the unsaved mark and the "&Undo" and "&Redo" buttons that follow
// both.

#include "Checks.h"

#include "PortfolioCheck.h"
#include "Trail.h"

#include "core/portfolio/DatabaseFile.h"
#include "gui/common/Dialogs.h"
#include "gui/manager/QMManagement.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QTabBar>
#include <QUndoStack>
#include <algorithm>
#include <utility>

namespace qmmonkey {

using qm::QMManagement;

namespace {

HistoryView viewOf(const QUndoStack& history) {
    HistoryView view;
    for (int i = 0; i < history.count(); ++i)
        view.steps.push_back(history.command(i));
    view.index = history.index();
    return view;
}

QString placeOf(int index, int steps) {
    return QStringLiteral("step %1 of %2").arg(index).arg(steps);
}

// The buttons are enabled exactly while there is a step to take back, or to make again.
QStringList stepButtonProblems(QMManagement& window, const HistoryModel& history) {
    QStringList problems;
    const std::pair<const char*, bool> buttons[] = {{"UndoRecord", history.canUndo()},
                                                    {"RedoRecord", history.canRedo()}};
    for (const auto& [name, can] : buttons) {
        auto* button = window.findChild<QAbstractButton*>(QLatin1String(name));
        if (!button || button->isEnabled() != can)
            problems << QStringLiteral("%1 is %2 at %3")
                            .arg(QLatin1String(name),
                                 !button               ? QStringLiteral("missing")
                                 : button->isEnabled() ? QStringLiteral("enabled")
                                                       : QStringLiteral("disabled"),
                                 placeOf(history.index(), history.steps()));
    }
    return problems;
}

} // namespace

QStringList Checks::fileProblems(QMManagement& window) {
    if (!run_.pendingFile)
        return {};
    const PendingFile f = *run_.pendingFile;
    run_.pendingFile.reset();
    const bool fileOrder = std::exchange(run_.fileOrder, false);
    // "&Yes" to the question on unsaved changes kept the portfolio: nothing was opened.
    if (f.fromList && f.asked && qm::dialogState().choiceCode == 6)
        return {};
    const std::vector<int> since(
        run_.messagesSeen.begin() +
            static_cast<std::ptrdiff_t>(std::min(f.messagesBefore, run_.messagesSeen.size())),
        run_.messagesSeen.end());
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
        return problems +
               startHistory(window, QStringLiteral("opening %1 (unread)").arg(name), false);
    }
    // The save failed and said so: the file on disk is whatever it was.
    if (f.save && (shown(25) || run_.saveFailuresSeen > f.saveFailuresBefore))
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
        return problems + startHistory(window, QStringLiteral("opening ") + name, fileOrder);
    // What the unsaved mark measures against from now on; the history is kept.
    history_.setSaved(qm::ContentOf(p));
    markExact_ = true;
    if (problems.isEmpty() && !run_.savedFiles.contains(f.path))
        run_.savedFiles << f.path;
    return problems;
}

QStringList Checks::startHistory(QMManagement& window, const QString& why, bool fileOrder) {
    QStringList problems;
    const QUndoStack& steps = window.history();
    if (steps.count() != 0)
        problems << QStringLiteral("%1 left %2 steps in the history (at %3)")
                        .arg(why)
                        .arg(steps.count())
                        .arg(placeOf(steps.index(), steps.count()));
    const qm::PortfolioContent now = qm::ContentOf(window.portfolio());
    history_.restart(now, fileOrder);
    history_.setSaved(now);
    markExact_ = true;
    return problems;
}

QStringList Checks::historyProblems(QMManagement& window) {
    QStringList problems;
    if (historyWindow_ != &window) {
        historyWindow_ = &window;
        problems += startHistory(window, QStringLiteral("a new manager window"), false);
    }
    const HistoryAsk asked = std::exchange(run_.asked, HistoryAsk{});
    // A certain undo (or redo) with a step to take back (or make again) must have done it.
    std::optional<HistoryMove> due;
    if (asked.certainUndo && (*asked.certainUndo ? history_.canUndo() : history_.canRedo()))
        due = *asked.certainUndo ? HistoryMove::Undo : HistoryMove::Redo;
    const QString from = placeOf(history_.index(), history_.steps());
    const HistoryMove move =
        history_.follow(viewOf(window.history()), qm::ContentOf(window.portfolio()));
    if (move == HistoryMove::Undo || move == HistoryMove::Redo)
        run_.tally(move == HistoryMove::Undo ? QStringLiteral("steps undone")
                                             : QStringLiteral("steps redone"));
    if (move != HistoryMove::None)
        Note(QStringLiteral("(the history went from %1 to %2)")
                 .arg(from, placeOf(window.history().index(), window.history().count())));
    if (due && move != *due)
        problems << QStringLiteral("%1 at %2 left the history at %3")
                        .arg(*due == HistoryMove::Undo ? QStringLiteral("undo")
                                                       : QStringLiteral("redo"),
                             from, placeOf(window.history().index(), window.history().count()));
    problems += moveProblems(window, move, asked, from);
    const bool exact =
        std::exchange(markExact_, false) || move == HistoryMove::Undo || move == HistoryMove::Redo;
    return problems + markProblems(window, exact) + stepButtonProblems(window, history_);
}

QStringList Checks::moveProblems(QMManagement& window, HistoryMove move, HistoryAsk asked,
                                 const QString& from) {
    const QString to = placeOf(window.history().index(), window.history().count());
    QString what;
    switch (move) {
    case HistoryMove::Unexplained:
        return {QStringLiteral("the history went from %1 to %2 in one event").arg(from, to)};
    case HistoryMove::Push:
        return {}; // the account keeps the portfolio as it is now
    case HistoryMove::None:
        what = QStringLiteral("with the history left at ") + to;
        break;
    case HistoryMove::Undo:
    case HistoryMove::Redo: {
        const bool undo = move == HistoryMove::Undo;
        what = QStringLiteral("%1 from %2 to %3")
                   .arg(undo ? QStringLiteral("undone") : QStringLiteral("redone"), from, to);
        if (!(undo ? asked.undo : asked.redo))
            return {QStringLiteral("a step was %1 without its key or button").arg(what)};
        break;
    }
    }
    QStringList problems;
    for (const QString& d :
         ContentDifferences(qm::ContentOf(window.portfolio()), history_.expected()))
        problems << QStringLiteral("%1, the portfolio is not the one there: %2").arg(what, d);
    // A step taken back or made again is shown on the entry tab.
    auto* tabs = window.findChild<QTabBar*>(QStringLiteral("SSTab2"));
    if (move != HistoryMove::None && tabs && tabs->currentIndex() != 2)
        problems << QStringLiteral("%1 on tab %2").arg(what).arg(tabs->currentIndex());
    return problems;
}

QStringList Checks::markProblems(QMManagement& window, bool exact) {
    // The unsaved mark shows a portfolio that differs from its file's; the unsaved count, records
    // that differ. Just after an open, a save, or a step undone or redone, neither shows more.
    const qm::Portfolio& p = window.portfolio();
    const qm::PortfolioContent now = qm::ContentOf(p);
    const bool differs = !qm::SameAsSaved(now, history_.saved());
    const bool recordsDiffer = !qm::SameRecords(now, history_.saved());
    const bool marked = window.isWindowModified();
    QStringList problems;
    if ((differs && !marked) || (exact && marked != differs))
        problems << QStringLiteral("the window is%1 marked modified while the portfolio %2 its "
                                   "file's")
                        .arg(marked ? QString() : QStringLiteral(" not"),
                             differs ? QStringLiteral("differs from") : QStringLiteral("is"));
    if ((recordsDiffer && p.unsavedChanges == 0) ||
        (exact && p.unsavedChanges != (recordsDiffer ? 1 : 0)))
        problems << QStringLiteral("%1 unsaved changes counted while the records %2 the file's")
                        .arg(p.unsavedChanges)
                        .arg(recordsDiffer ? QStringLiteral("differ from") : QStringLiteral("are"));
    return problems;
}

} // namespace qmmonkey
