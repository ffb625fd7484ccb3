#include "gui/calculator/PensionPage.h"

#include "core/calculators/PensionGrowth.h"
#include "gui/calculator/QMInvest.h"

namespace qm {

PensionPage::PensionPage(QMInvest& window, QWidget* parent)
    : CalcTabPage(PensionGrowthTab, "PG", window, parent) {
    addBox("PGInCurrBalance", QStringLiteral("Current balance in account"));
    addBox("PGInCurrAnnSalary", QStringLiteral("My current annual salary"));
    addBox("PGInAnnContribRate", QStringLiteral("My annual contribution rate %"));
    addBox("PGInCompAnnContribRate", QStringLiteral("Company annual contribution rate %"));
    addBox("PGInEstSalIncrease", QStringLiteral("Estimated annual salary increase %"));
    addBox("PGInAnnIntGrowthRate", QStringLiteral("Annual interest/growth rate %"));
    addBox("PGInEstAnnFlatRate", QStringLiteral("Estimated annual inflation rate %"));
    addBox("PGInNumYearsToRetire", QStringLiteral("Number of years to retirement"));
    addButtons();
}

void PensionPage::loadDefaults() {
    loadBoxDefaults(0);
}

void PensionPage::calculate() {
    const PensionGrowthTexts texts{text("PGInCurrBalance"),    text("PGInCurrAnnSalary"),
                                   text("PGInAnnContribRate"), text("PGInCompAnnContribRate"),
                                   text("PGInEstSalIncrease"), text("PGInAnnIntGrowthRate"),
                                   text("PGInEstAnnFlatRate"), text("PGInNumYearsToRetire")};
    window_.showOutcome(PensionGrowthCalculate(window_.state(), texts));
}

QString PensionPage::helpPage() const {
    return PensionGrowthHelpPage(window_.state().currencySymbol);
}

} // namespace qm
