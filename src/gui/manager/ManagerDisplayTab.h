#pragma once

#include <QWidget>

class QPlainTextEdit;
class QPushButton;

namespace qm {

class FundListBox;
class QMManagement;
struct ManagerScreen;

// The frame of the manager's "Display data" tab: the fund list, its buttons and the
// per-fund transaction report.
class ManagerDisplayTab : public QWidget {
    Q_OBJECT
public:
    ManagerDisplayTab(ManagerScreen& screen, QMManagement& window, QWidget* parent);

    // The tab's own step of a tab change; false (after message 15) when there are no records.
    bool setup();
    QPlainTextEdit* results() const { return dResults_; }

private:
    void DDispFunds_DblClick();
    void DDisplall_Click();
    void DHelp_Click();
    void DPrint_Click();
    // "Save records as CSV...": every record in a file the user chooses (RecordsCsv).
    void saveRecordsCsv();
    void closeDisplayHelp();

    ManagerScreen& screen_;
    QMManagement& window_;

    FundListBox* dDispFunds_ = nullptr;
    QPushButton* dHelp_ = nullptr;
    QPlainTextEdit* dResults_ = nullptr;
};

} // namespace qm
