#pragma once

// The checks made after every event: what the windows show against what the program holds,
// the outcome of the last open or save against the file on disk, and the manager's history of
// changes against the driver's own account of it.

#include "HistoryModel.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <cstddef>
#include <map>
#include <optional>
#include <vector>

class QWidget;

namespace qm {
struct ChartPlan;
class QMInvest;
class QMManagement;
class QMStart;
} // namespace qm

namespace qmmonkey {

// An open or save whose outcome is checked once the window is back at rest.
struct PendingFile {
    bool save = false;
    QString path;
    std::size_t messagesBefore = 0;
    int saveFailuresBefore = 0;
    // Chosen from the recent databases: the question on unsaved changes comes after the choice,
    // and its "&Yes" calls the open off (`asked`: that question was answered since).
    bool fromList = false;
    bool asked = false;
};

// What the run has done that the checks hold the program to. The driver notes it as it acts;
// the checks read it, and drop what they have looked at.
// Undo and redo asked for since the manager was last checked at rest: by their keys, the
// buttons' access keys, or the buttons. `certainUndo`: an undo (true) or a redo (false) asked
// where it cannot but be done when the history has a step to take back (or make again): the
// enabled button clicked, or the key pressed where no box takes it for its own typing.
struct HistoryAsk {
    bool undo = false;
    bool redo = false;
    std::optional<bool> certainUndo;
};

struct RunState {
    std::optional<PendingFile> pendingFile;
    // The file being opened has its records out of date order: they stay in the file's order
    // until a store or delete sorts them (the history's account follows that after the open).
    bool fileOrder = false;
    HistoryAsk asked;
    QStringList savedFiles;

    // A Calculate was started, with the page as it was before; checked once back at rest.
    std::optional<QString> calculatedFrom;

    std::vector<int> messagesSeen;
    int saveFailuresSeen = 0; // plain messages of a save the system refused
    // What the run did, by kind, for the summary.
    std::map<QString, int> counts;

    void tally(const QString& kind) { ++counts[kind]; }
};

class Checks {
public:
    Checks(qm::QMStart& menu, RunState& run) : menu_(menu), run_(run) {}

    // Every problem found after an event; `context` is the open list or dialog on top, or
    // nothing when a window is at rest.
    QStringList after(QWidget* context);

private:
    QStringList windowProblems(bool topLevel);
    QStringList calculatorProblems(qm::QMInvest& window, bool topLevel);
    QStringList chartProblems(const qm::ChartPlan& drawn);
    QStringList managerProblems(qm::QMManagement& window, bool topLevel);
    // Where the portfolio came from (HistoryChecks.cpp): the file opened or saved, and the
    // steps of the history taken back, made again or made new since the last check at rest.
    QStringList fileProblems(qm::QMManagement& window);
    QStringList historyProblems(qm::QMManagement& window);
    // The history starts afresh (`why`: a file opened, a new window) with nothing in it.
    QStringList startHistory(qm::QMManagement& window, const QString& why, bool fileOrder);
    QStringList moveProblems(qm::QMManagement& window, HistoryMove move, HistoryAsk asked,
                             const QString& from);
    QStringList markProblems(qm::QMManagement& window, bool exact);
    // Boxes that show another value than the one stored for them: boxes not being edited, or
    // every box once a page was just calculated (its echo of the inputs is what they show).
    QStringList calculatorBoxProblems(qm::QMInvest& window, bool justCalculated);
    QStringList priceBoxProblems(qm::QMManagement& window, bool justCalculated);

    qm::QMStart& menu_;
    RunState& run_;
    int lastRecordCount_ = 0;
    int lastFundCount_ = 0;

    HistoryModel history_;
    QPointer<QWidget> historyWindow_; // the manager window the account follows
    // The unsaved mark is known exactly: just after an open, a save or a step undone or redone.
    bool markExact_ = false;
};

} // namespace qmmonkey
