#pragma once

#include "calculators/CalcTabPage.h"

class QLabel;
class QRadioButton;

namespace qm {

class CapitalPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit CapitalPage(QMInvest& window);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
    // The defaults and the label of the selected option; calcChoice 0 or 2.
    void choseCalc();

private:
    QRadioButton* capital_;
    QLabel* label26_;
};

} // namespace qm
