#pragma once

#include "gui/calculator/CalcTabPage.h"

class QLabel;
class QRadioButton;

namespace qm {

struct RetiredIncomeChoice;

class RetiredPage : public CalcTabPage {
    Q_OBJECT
public:
    RetiredPage(QMInvest& window, QWidget* parent);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
    // The defaults, labels and box kinds of the selected withdrawal choice.
    void choseCalc();

private:
    // The captions of `choice` on the two boxes that change with it (nothing stored).
    void showCaptions(const RetiredIncomeChoice& choice);

    QRadioButton* percentage_;
    QLabel* label32_;
    QLabel* label33_;
};

} // namespace qm
