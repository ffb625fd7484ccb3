#pragma once

#include "gui/calculator/CalcTabPage.h"

namespace qm {

class PensionPage : public CalcTabPage {
    Q_OBJECT
public:
    PensionPage(QMInvest& window, QWidget* parent);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
};

} // namespace qm
