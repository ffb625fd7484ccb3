#pragma once

#include "core/calculators/InvestedGrowth.h"
#include "gui/calculator/CalcTabPage.h"

class QRadioButton;

namespace qm {

class InvestedPage : public CalcTabPage {
    Q_OBJECT
public:
    InvestedPage(QMInvest& window, QWidget* parent);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
    // The "Show results" option selected now.
    GrowthResults results() const;

private:
    QRadioButton* complete_;
};

} // namespace qm
