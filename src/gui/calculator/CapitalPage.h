#pragma once

#include "gui/calculator/CalcTabPage.h"

class QLabel;
class QRadioButton;

namespace qm {

class CapitalPage : public CalcTabPage {
    Q_OBJECT
public:
    CapitalPage(QMInvest& window, QWidget* parent);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
    // The defaults and the label of the selected option; calcChoice 0 or 2.
    void choseCalc();

private:
    // The caption of the selected option on the box that changes with it (nothing stored).
    void showCaption();

    QRadioButton* capital_;
    QLabel* label26_;
};

} // namespace qm
