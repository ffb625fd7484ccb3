#pragma once

#include <QWidget>
#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qm {

class AmountBox;
class DateBox;
class LockedList;
class RecentList;
class QMManagement;
struct EntryBoxes;
struct EntryCaptions;
struct ManagerScreen;
enum class EntryControl;

// The frame of the manager's "Add - edit records" tab: the fund box and its counters, the entry
// row, the record buttons and the record list. Its handlers work on the window's screen model
// and show what they return.
class ManagerEntryTab : public QWidget {
    Q_OBJECT
public:
    ManagerEntryTab(ManagerScreen& screen, QMManagement& window, QWidget* parent);

    // The tab's own step of a tab change: the lists filled, the help closed, the entry row idle.
    void setup();
    QPlainTextEdit* results() const { return eResults_; }
    // A step of the history undone or redone: the tab set up anew with the portfolio now, and
    // the records of `fund` shown when it is still there.
    void showStep(const QString& fund);

private:
    void showCaptions(const EntryCaptions& captions);
    void ERunHelp();
    void EFunds_Click();
    void ECreateFund_Click();
    void ETransType_Click();
    void EAddaRec_Click();
    void ECorrectRec_Click();
    void EDelRec_Click();
    void EHelp_Click();
    void EPrint_Click();
    // The page the tab's "&Print" prints.
    QString entryPage() const;
    void clearEntryRow();
    void disableEntryBoxes();
    void showNumberBoxes();
    void applyBoxes(const EntryBoxes& boxes);
    void enterFromEntryBox(EntryControl from);

    ManagerScreen& screen_;
    QMManagement& window_;

    LockedList* eFunds_ = nullptr;
    LockedList* eTransType_ = nullptr;
    QLabel* eNumFunds_ = nullptr;
    QLabel* eNumRec_ = nullptr;
    QLabel* eDbaseName_ = nullptr;
    DateBox* eInDate_ = nullptr;
    std::array<AmountBox*, 5> eAmounts_{}; // 1 price, 2 shares, 3 fees, 4 cash dividend
    std::array<QLabel*, 5> eAmountLabels_{};
    QPushButton* eAddaRec_ = nullptr;
    QPushButton* eHelp_ = nullptr;
    RecentList* recent_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* redo_ = nullptr;
    QPlainTextEdit* eResults_ = nullptr;
};

} // namespace qm
