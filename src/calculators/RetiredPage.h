#pragma once

#include "calculators/CalcTabPage.h"

class QLabel;
class QRadioButton;

namespace qm {

class RetiredPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit RetiredPage(QMInvest& window);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
    // The defaults, labels and box kinds of the selected withdrawal choice.
    void choseCalc();

private:
    QRadioButton* percentage_;
    QLabel* label32_;
    QLabel* label33_;
};

} // namespace qm
