#pragma once

#include "core/portfolio/Portfolio.h"

#include <QWidget>
#include <array>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace qm {

class AmountBox;
class QMManagement;
struct ManagerScreen;

// The frame of the manager's "Current value" tab: a price box per fund, the buttons, and the
// gains report, which can be charted.
class ManagerCurrentValueTab : public QWidget {
    Q_OBJECT
public:
    ManagerCurrentValueTab(ManagerScreen& screen, QMManagement& window, QWidget* parent);

    // The tab's own step of a tab change; false (after message 15) when there are no records.
    bool setup();
    // Shows a row (the name and the price box) for each of the portfolio's funds, named after
    // it, and hides the others. The tab's setup does it too; done beforehand, while the tab is
    // hidden, it leaves the setup little to change.
    void showFunds(const Portfolio& portfolio);
    QPlainTextEdit* results() const { return cvResults_; }
    // CVInPrice(0) to CVInPrice(17), in Tab order.
    const std::array<AmountBox*, MaxFunds>& priceBoxes() const { return cvInPrice_; }

private:
    void CVCalc_Click();
    void CVPrint_Click();
    void CVGraph_Click();
    void CVHelp_Click();

    ManagerScreen& screen_;
    QMManagement& window_;

    std::array<QLabel*, MaxFunds> cvFundName_{};
    std::array<AmountBox*, MaxFunds> cvInPrice_{};
    QPushButton* cvCalc_ = nullptr;
    QPlainTextEdit* cvResults_ = nullptr;
};

} // namespace qm
