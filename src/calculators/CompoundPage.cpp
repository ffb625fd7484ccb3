#include "calculators/CompoundPage.h"

#include "calculators/CompoundGain.h"
#include "calculators/QMInvest.h"
#include "input/BoxTable.h"
#include "input/InputBox.h"

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
