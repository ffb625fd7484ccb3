#pragma once

#include "app/WorkWindowBase.h"
#include "manager/Portfolio.h"

#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QFileDialog;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace qm {

class AmountBox;
class DateBox;
class FundListBox;
class LockedList;
struct EntryBoxes;
struct EntryCaptions;
enum class EntryControl;

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
    ~QMManagement() override;

    const Portfolio& portfolio() const { return portfolio_; }

    // Opens `path` through the "Open file" tab as if the user had chosen it in the file dialog
    // (the program started with a database file).
    void openDatabaseFile(const QString& path);

    // The tab change: the selected tab's frame shown, the pages and result boxes emptied, the
    // funds put in name order, then the tab's own step.
    void ChangesSSTab2();

protected:
    bool mayClose() override;

private:
    enum Tab { OpenTab = 0, SaveTab = 1, EntryTab = 2, DisplayTab = 3, CurrentValueTab = 4 };

    void build();
    QWidget* buildEntryFrame();
    QWidget* buildDisplayFrame();
    QWidget* buildCurrentValueFrame();

    void selectTab(int tab);
    void showMessages(const std::vector<int>& messages);
    // Prints `page` when `box` shows something; an empty box is message 2.
    void printPage(const QPlainTextEdit* box, const QString& page);

    // Open and save (tabs 0 and 1).
    void openFile();
    void saveFile();
    // The file dialog: the full path chosen, or nothing when it was cancelled.
    std::optional<QString> FileDirectory(bool save);
    QFileDialog& fileDialog();

    // "Add - edit records" (tab 2).
    void setupEntryTab();
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
    // The page the entry tab's "&Print" prints.
    QString entryPage() const;
    void clearEntryRow();
    void disableEntryBoxes();
    void showNumberBoxes();
    void applyBoxes(const EntryBoxes& boxes);
    void enterFromEntryBox(EntryControl from);

    // "Display data" (tab 3).
    bool setupDisplayTab();
    void DDispFunds_DblClick();
    void DDisplall_Click();
    void DHelp_Click();
    void DPrint_Click();
    // "Save records as CSV...": every record in a file the user chooses (RecordsCsv).
    void saveRecordsCsv();
    void closeDisplayHelp();

    // "Current value" (tab 4).
    bool setupCurrentValueTab();
    void CVCalc_Click();
    void CVPrint_Click();
    void CVGraph_Click();
    void CVHelp_Click();

    Portfolio portfolio_;
    // A file to open in place of asking the file dialog (openDatabaseFile).
    std::optional<QString> givenPath_;
    // The file dialog of tabs 0 and 1, made when first needed.
    std::unique_ptr<QFileDialog> fileDialog_;

    QTabBar* tabs_ = nullptr;
    QStackedWidget* frames_ = nullptr;

    // Tab 2.
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
    QPlainTextEdit* eResults_ = nullptr;

    // Tab 3.
    FundListBox* dDispFunds_ = nullptr;
    QPushButton* dHelp_ = nullptr;
    QPlainTextEdit* dResults_ = nullptr;

    // Tab 4.
    std::array<QLabel*, MaxFunds> cvFundName_{};
    std::array<AmountBox*, MaxFunds> cvInPrice_{};
    QPushButton* cvCalc_ = nullptr;
    QPlainTextEdit* cvResults_ = nullptr;
};

} // namespace qm
