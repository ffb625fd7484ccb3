#pragma once

#include "gui/calculator/CalcTabPage.h"

namespace qm {

class CompoundPage : public CalcTabPage {
    Q_OBJECT
public:
    CompoundPage(QMInvest& window, QWidget* parent);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
};

} // namespace qm
