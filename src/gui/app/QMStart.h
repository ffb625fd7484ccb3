#pragma once

#include "gui/app/ReadyWindows.h"
#include "gui/common/WorkWindowBase.h"

#include <QIcon>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace qm {

class RecentList;

// The program's icon (a quill on a ledger page), drawn from its built-in drawing at each size
// when that size is first asked for; null only when the drawing cannot be read.
QIcon ProgramIcon();

// The start menu "Quillmark": "Calculations" opens the calculator window, "Investment manager"
// the manager, "Exit program" ends the program. One work window exists at a time; the menu is
// hidden while it is open and shown again when it closes. Closing the menu ends the program.
// It shows the program's icon and name above the three buttons, and gives every window of the
// program the icon once the menu's first frame is shown.
// While the menu is shown and idle, it makes the work windows ahead (ReadyWindows); a click then
// opens the one made ahead (its load step run there) instead of building one.
class QMStart : public QWidget {
    Q_OBJECT
public:
    explicit QMStart(QWidget* parent = nullptr);
    ~QMStart() override;

    // How the program starts: the menu shown, or, given a database file, the investment
    // manager opened on it as its "Open file" tab opens a file (the menu shows when the manager
    // is left).
    void start(const std::optional<QString>& database = std::nullopt);

    // The open work window, or null.
    WorkWindowBase* workWindow() const { return work_.data(); }
    // The windows made ahead and not opened yet (null where none is).
    WorkWindowBase* readyCalculator() const { return ready_->calculator(); }
    WorkWindowBase* readyManager() const { return ready_->manager(); }
    // Whether both windows made ahead have been drawn once.
    bool readyWindowsDrawn() const { return ready_->drawn(); }
    // Whether windows are made ahead (on unless turned off).
    void setMakingAhead(bool on) { ready_->setOn(on); }

    // Changes a process left unsaved when it ended are offered, each in turn: restored in the
    // investment manager, discarded, or kept for the next start. Asked after the menu's first
    // frame (or once the manager opened on the file given at start).
    void offerRecovery();

    void StartCalc_Click();
    void StartStockMgmt_Click();
    // The settings dialog over the menu (also Ctrl+, there and in the work windows).
    void StartSettings_Click();
    void StartExit_Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void open(WorkWindowBase* window);
    // Shows the open work window when it is a `Window`; otherwise destroys it and opens one.
    template <typename Window> void showWorkWindow();
    // Destroys the work window at once, without asking it anything.
    void destroyWorkWindow();
    // Gives the program and the menu the icon, once.
    void giveWindowsTheIcon();

    QPointer<WorkWindowBase> work_;
    QIcon icon_;
    bool iconGiven_ = false;
    bool chartsLoaded_ = false; // the chart and print modules asked for after the first frame
    bool recoveryOffered_ = false;
    // The databases last opened, under the manager's button: made when the menu first shows
    // with one to list, read again each time it shows.
    RecentList* recent_ = nullptr;
    ReadyWindows* ready_ = nullptr;
};

} // namespace qm
