#pragma once

#include "core/portfolio/DatabaseLock.h"
#include "core/portfolio/Portfolio.h"
#include "gui/common/WorkWindowBase.h"
#include "gui/manager/PortfolioStep.h"
#include "gui/manager/RecoveryWriter.h"
#include "screens/ManagerScreen.h"

#include <QString>
#include <QStringList>
#include <QUndoStack>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QFileDialog;
class QPlainTextEdit;
class QStackedWidget;
class QTabBar;

namespace qm {

class ManagerCurrentValueTab;
class ManagerDisplayTab;
class ManagerEntryTab;

// Reads a fund's figure of the current-value report: row = fund number (1 to points), column 3
// current total, 4 gain or loss, 5 gain or loss in percent.
using FundTotalReader = std::function<Currency(int row, int column)>;

// Where the manager hands its pages to the printer and its current values to the chart window.
// Empty hooks use the program's own printing and chart window.
struct ManagerHooks {
    std::function<void(const QString& page)> print;
    std::function<void(int points, FundTotalReader fundTotal, QStringList fundNames)> showChart;
};
ManagerHooks& managerHooks();

// The investment manager "Investment manager": one portfolio in memory, worked on through the
// five tabs of SSTab2, each showing its frame AllFramesIM(i):
//   0 "Open file" and 1 "Save file" show the file dialog at once, read or write the database
//     file and return to tab 2;
//   2 "Add - edit records": funds, the entry row, correcting and deleting records, the list;
//   3 "Display data": the per-fund transaction report;
//   4 "Current value": prices per fund and the gains report, which can be charted.
// It opens on tab 2 with no database. Its three "E&xit to menu" buttons and its close box ask
// before an unsaved database is discarded (mayClose).
class QMManagement : public WorkWindowBase {
    Q_OBJECT
public:
    explicit QMManagement(QWidget* parent = nullptr);
    // Built only: load() opens it.
    explicit QMManagement(BuildOnly, QWidget* parent = nullptr);
    ~QMManagement() override;

    const Portfolio& portfolio() const { return screen_.portfolio; }
    const ManagerScreen& screen() const { return screen_; }

    // This is the work window, with an empty portfolio, opened on "Add - edit records".
    void load() override;

    // Opens `path` through the "Open file" tab as if the user had chosen it in the file dialog
    // (the program started with a database file).
    void openDatabaseFile(const QString& path);

    // The tab change: the selected tab's frame shown, the pages and result boxes emptied, the
    // funds put in name order, then the tab's own step.
    void ChangesSSTab2();

    // A control by its name; one of the "Current value" frame is found once the frame is built.
    QWidget* control(const QString& name);
    bool isValueTabBuilt() const { return valueTab_ != nullptr; }
    // The "Current value" frame, built (and put in the Tab order) if it was not yet.
    ManagerCurrentValueTab* valueTab();

    // For the tabs: each message shown in turn (with `details` behind its details button, if
    // any); `page` printed when `box` shows something (an empty box is message 2).
    void showMessages(const std::vector<Message>& messages, const QString& details = QString());
    void printPage(const QPlainTextEdit* box, const QString& page);

    // The history of changes to the portfolio: every change the tabs make is a step that can be
    // undone and redone (Ctrl+Z, Ctrl+Shift+Z or Ctrl+Y, the entry tab's buttons). Opening a
    // file or leaving the manager clears it.
    const QUndoStack& history() const { return history_; }
    // The portfolio as it is now, for a tab to hand to recordStep after its change.
    SharedContent contentNow() const;
    // After a tab's handler: a step named `text` when the portfolio is no longer `before`;
    // undoing or redoing it shows the records of `fund` (none: only the fund list).
    void recordStep(const QString& text, const SharedContent& before, const QString& fund);
    // The step before (or after) the portfolio shown, on the entry tab. Nothing happens where
    // there is none.
    void undoStep();
    void redoStep();
    // Whether the portfolio differs from the file it was read from or last saved to (from an
    // empty one when it has none): what the title's unsaved mark shows.
    bool differsFromFile() const;

    // Changes a process left unsaved when it ended (LeftRecoveries), put in this empty window as
    // they were: the database they belong to named and locked, the unsaved mark set. The left
    // slot is removed once this window's own slot holds them. False (the slot kept for the
    // next start) when they cannot be read or the user called it off.
    bool restoreRecovery(LeftRecovery left);
    // Unsaved changes written to the recovery slot now (the program is about to end on a
    // signal or with the desktop session).
    void keepUnsavedNow() { recovery_.writeNow(); }
    const RecoveryWriter& recovery() const { return recovery_; }

protected:
    bool mayClose() override;

private:
    enum Tab { OpenTab = 0, SaveTab = 1, EntryTab = 2, DisplayTab = 3, CurrentValueTab = 4 };

    void build();
    void selectTab(int tab);
    // The pages and their result boxes emptied, the funds put in name order (BeginTabChange).
    void beginPages();

    // Open and save (tabs 0 and 1).
    void openFile();
    void saveFile();
    // The file dialog: the full path chosen, or nothing when it was cancelled.
    std::optional<QString> FileDirectory(bool save);
    QFileDialog& fileDialog();
    // The dialog set up to open (or `save`) over this window, short of its name box.
    QFileDialog& setUpFileDialog(bool save);
    // Whether the database `path` may be opened (or `saving`, written): its lock is taken into
    // `next` (none where no lock can be made there), or another live process holds it and the
    // user chose to go on all the same (`next` then holds none). Saving over the file in memory
    // after another program changed it asks first too.
    bool mayUseDatabase(const QString& path, bool saving, DatabaseLock& next);
    // The file `path` is the one in memory now: its lock is `next`'s, or this window's own.
    void keepLockOf(const QString& path, DatabaseLock& next);
    // The portfolio is the file's now (read, saved, or emptied): what the unsaved mark is
    // measured against; an open (`newHistory`) also clears the history.
    void portfolioIsFile(bool newHistory);
    // A step undone or redone: `content` put in the portfolio and shown on the entry tab.
    void showStep(const PortfolioContent& content, const QString& fund);
    // After every change: the title and the recovery slot follow the portfolio.
    void portfolioChanged();
    // The window's title: the database's name and the unsaved mark.
    void showTitle();

    ManagerScreen screen_;
    // A file to open in place of asking the file dialog (openDatabaseFile).
    std::optional<QString> givenPath_;
    // The file dialog of tabs 0 and 1, made in idle time after the first frame or when first
    // needed, whichever comes first, or handed on by the manager window before.
    std::unique_ptr<QFileDialog> fileDialog_;
    // The lock of the database open here: one writer per file.
    DatabaseLock lock_;
    QUndoStack history_;
    // The portfolio as its file holds it (an empty one before any file).
    SharedContent saved_;
    RecoveryWriter recovery_;

    QTabBar* tabs_ = nullptr;
    QStackedWidget* frames_ = nullptr;
    ManagerEntryTab* entryTab_ = nullptr;
    ManagerDisplayTab* displayTab_ = nullptr;
    ManagerCurrentValueTab* valueTab_ = nullptr;
    bool fundsToShow_ = false;      // the value frame shows the funds of a file opened since
    bool valueTabToLayOut_ = false; // built in an idle pass, laid out in the next
};

} // namespace qm
