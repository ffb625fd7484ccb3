#pragma once

// The checks made after every event: what the windows show against what the program holds,
// and the outcome of the last open or save against the file on disk.

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
};

// What the run has done that the checks hold the program to. The driver notes it as it acts;
// the checks read it, and drop what they have looked at.
struct RunState {
    std::optional<PendingFile> pendingFile;
    // A file whose records are not in date order was opened: they stay in the file's order
    // until the next store or delete sorts them.
    bool fileOrder = false;
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
    QStringList fileProblems(qm::QMManagement& window);
    // Boxes that show another value than the one stored for them: boxes not being edited, or
    // every box once a page was just calculated (its echo of the inputs is what they show).
    QStringList calculatorBoxProblems(qm::QMInvest& window, bool justCalculated);
    QStringList priceBoxProblems(qm::QMManagement& window, bool justCalculated);

    qm::QMStart& menu_;
    RunState& run_;
    int lastRecordCount_ = 0;
    int lastFundCount_ = 0;
};

} // namespace qmmonkey
