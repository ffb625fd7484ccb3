#include "gui/calculator/RetiredPage.h"

#include "core/calculators/RetiredIncome.h"
#include "gui/calculator/QMInvest.h"
#include "gui/common/WindowLayout.h"

#include <QLabel>
#include <QRadioButton>

namespace qm {

RetiredPage::RetiredPage(QMInvest& window, QWidget* parent)
    : CalcTabPage(RetiredIncomeTab, "RI", window, parent) {
    addBox("RIInCurrValue", QStringLiteral("Starting value of your investments"));
    addBox("RIInAnnIntGrowthRate", QStringLiteral("Annual interest/growth rate %"));
    addBox("RIInAnnIncWDrawnRate", QString(), &label32_);
    addBox("RIInTimeInYrs", QString(), &label33_);
    label32_->setObjectName(QStringLiteral("Label32"));
    label33_->setObjectName(QStringLiteral("Label33"));
    percentage_ = addOptionPair(
        QStringLiteral("Withdrawal choices"), QStringLiteral("RIWDrawalChoice"),
        QStringLiteral("Annual percentage"), QStringLiteral("Fixed monthly amount"), [this] {
            EmptyPage(window_.state());
            window_.syncResults();
            choseCalc();
        });
    addButtons();
    reserveWidth(label32_, {QString::fromUtf16(RetiredIncomeChoiceFor(0).label32),
                            QString::fromUtf16(RetiredIncomeChoiceFor(1).label32)});
    reserveWidth(label33_, {QString::fromUtf16(RetiredIncomeChoiceFor(0).label33),
                            QString::fromUtf16(RetiredIncomeChoiceFor(1).label33)});
    // The captions of the first choice are shown (and the boxes named) from the start; the
    // defaults are loaded when the tab is shown.
    percentage_->setChecked(true);
    showCaptions(RetiredIncomeChoiceFor(0));
}

void RetiredPage::loadDefaults() {
    percentage_->setChecked(true);
    choseCalc();
}

void RetiredPage::choseCalc() {
    const RetiredIncomeChoice& choice = RetiredIncomeChoiceFor(percentage_->isChecked() ? 0 : 1);
    LoadRetiredIncomeChoice(window_.state(), choice);
    showCaptions(choice);
    loadBoxDefaults(choice.calcChoice);
}

void RetiredPage::showCaptions(const RetiredIncomeChoice& choice) {
    label32_->setText(QString::fromUtf16(choice.label32));
    label33_->setText(QString::fromUtf16(choice.label33));
    NameAfterLabel(label32_, box("RIInAnnIncWDrawnRate"));
    NameAfterLabel(label33_, box("RIInTimeInYrs"));
}

void RetiredPage::calculate() {
    const RetiredIncomeTexts texts{text("RIInCurrValue"), text("RIInAnnIntGrowthRate"),
                                   text("RIInAnnIncWDrawnRate"), text("RIInTimeInYrs")};
    window_.showOutcome(RetiredIncomeCalculate(window_.state(), texts));
}

QString RetiredPage::helpPage() const {
    return RetiredIncomeHelpPage(window_.state().currencySymbol,
                                 RetiredIncomeOptionOf(window_.state().calcChoice));
}

} // namespace qm
