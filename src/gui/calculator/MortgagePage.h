#pragma once

#include "core/calculators/Mortgage.h"
#include "gui/calculator/CalcTabPage.h"

#include <array>
#include <vector>

class QButtonGroup;
class QLabel;
class QRadioButton;

namespace qm {

class MortgagePage : public CalcTabPage {
    Q_OBJECT
public:
    MortgagePage(QMInvest& window, QWidget* parent);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;

    int daysOption() const;
    void selectDaysOption(int index);

    // The solver, run when an edited box or the compounding list is left.
    void recalculate();
    // The days-in-year step that ends with the solver: the payment-frequency list left after
    // an item was chosen, or any days-in-year button left.
    void applyDaysOption();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A click on an option button: that quantity is solved for from now on (no solve yet).
    void solveFor(QRadioButton* option);
    // Paints the box of the quantity to solve for green and locks it; the others yellow.
    void paintSolvedBox(MortgageSolveFor solveFor);

    // The controls as the solver sees them, and back. `step` runs on them; the window then
    // shows its outcome.
    MortgageControls readControls() const;
    void writeControls(const MortgageControls& controls);
    template <typename Step> void run(Step&& step);

    // Rates, payments and the days convention: they outlive solves and tab changes.
    MortgageState mortgageState_;
    QButtonGroup* solveGroup_;
    QButtonGroup* daysGroup_;
    std::array<QRadioButton*, 7> days_{};
    // The green result labels, whose figures screen readers read as their descriptions.
    std::vector<QLabel*> results_;
};

} // namespace qm
