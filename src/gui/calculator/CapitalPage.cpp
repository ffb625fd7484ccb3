#include "gui/calculator/CapitalPage.h"

#include "core/calculators/CapitalRequired.h"
#include "gui/calculator/QMInvest.h"
#include "gui/common/WindowLayout.h"

#include <QLabel>
#include <QRadioButton>

namespace qm {

CapitalPage::CapitalPage(QMInvest& window, QWidget* parent)
    : CalcTabPage(CapitalRequiredTab, "CR", window, parent) {
    addBox("CRInCapitalReq", QString(), &label26_);
    label26_->setObjectName(QStringLiteral("Label26"));
    addBox("CRInIntGrowthRate", QStringLiteral("Annual interest/growth rate %"));
    addBox("CRInTimeInYrs", QStringLiteral("Number of years"));
    capital_ = addOptionPair(QStringLiteral("Select option"), QStringLiteral("CRCapitalChoices"),
                             QStringLiteral("Amount of capital required"),
                             QStringLiteral("Annual income required"), [this] {
                                 EmptyPage(window_.state());
                                 window_.syncResults();
                                 choseCalc();
                             });
    addButtons();
    reserveWidth(label26_, {QStringLiteral("Amount of capital required $"),
                            QStringLiteral("Annual income required $")});
    // The caption of the first option is shown (and the box named) from the start; the
    // defaults are loaded when the tab is shown.
    capital_->setChecked(true);
    showCaption();
}

void CapitalPage::loadDefaults() {
    capital_->setChecked(true);
    choseCalc();
}

void CapitalPage::choseCalc() {
    CalcState& state = window_.state();
    state.calcChoice = 0;
    if (capital_->isChecked()) {
        loadBoxDefaults(0);
    } else {
        loadBoxDefaults(2);
        state.calcChoice = 2;
    }
    showCaption();
}

void CapitalPage::showCaption() {
    label26_->setText(capital_->isChecked() ? QStringLiteral("Amount of capital required $")
                                            : QStringLiteral("Annual income required $"));
    NameAfterLabel(label26_, box("CRInCapitalReq"));
}

void CapitalPage::calculate() {
    const CapitalRequiredTexts texts{text("CRInCapitalReq"), text("CRInIntGrowthRate"),
                                     text("CRInTimeInYrs")};
    window_.showOutcome(CapitalRequiredCalculate(window_.state(), texts));
}

QString CapitalPage::helpPage() const {
    return CapitalRequiredHelpPage(window_.state().currencySymbol, capital_->isChecked()
                                                                       ? CapitalOption::Capital
                                                                       : CapitalOption::Income);
}

} // namespace qm
