#include "gui/calculator/CompoundPage.h"

#include "core/calculators/BoxTable.h"
#include "core/calculators/CompoundGain.h"
#include "gui/calculator/QMInvest.h"
#include "gui/common/InputBox.h"

namespace qm {

CompoundPage::CompoundPage(QMInvest& window, QWidget* parent)
    : CalcTabPage(CompoundGainTab, "CG", window, parent) {
    addBox("CGInCostofInvest", QStringLiteral("Purchase cost of your investment"));
    addBox("CGInValueNow", QStringLiteral("Present or future value"));
    addBox("CGInNumOfYrs", QStringLiteral("Number of years invested"));
    addBox("CGInNameOfInvest", QStringLiteral("Name of your investment"));
    addButtons();
}

void CompoundPage::loadDefaults() {
    loadBoxDefaults(0);
    box("CGInNameOfInvest")->setText(QString::fromUtf16(DefaultInvestmentName));
}

void CompoundPage::calculate() {
    const CompoundGainTexts texts{text("CGInCostofInvest"), text("CGInValueNow"),
                                  text("CGInNumOfYrs"), text("CGInNameOfInvest")};
    window_.showOutcome(CompoundGainCalculate(window_.state(), texts));
}

QString CompoundPage::helpPage() const {
    return CompoundGainHelpPage(window_.state().currencySymbol);
}

} // namespace qm
