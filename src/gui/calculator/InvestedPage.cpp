#include "gui/calculator/InvestedPage.h"

#include "gui/calculator/QMInvest.h"
#include "gui/common/InputBox.h"

#include <QRadioButton>

namespace qm {

InvestedPage::InvestedPage(QMInvest& window, QWidget* parent)
    : CalcTabPage(InvestedGrowthTab, "IG", window, parent) {
    addBox("IGInBegBal", QStringLiteral("Beginning balance "));
    addBox("IGInEachContrib", QStringLiteral("Amount of each contribution "));
    addList("IGInMonthsYrs", QStringLiteral("Frequency of contribution "));
    addBox("IGInIntGrowthRate", QStringLiteral("Annual Interest/growth rate % "));
    addBox("IGInAnnContribRate", QStringLiteral("Increase annual contribution rate % "));
    addBox("IGInAnninFlatRate", QStringLiteral("Average annual inflation rate % "));
    addBox("IGInYearsInvested", QStringLiteral("Number of years invested "));
    // Every click on an option, even on the one already selected, empties the page.
    complete_ = addOptionPair(QStringLiteral("Show results"), QStringLiteral("IGResultsChoice"),
                              QStringLiteral("Complete calculation"),
                              QStringLiteral("Comparison totals"), [this] {
                                  EmptyPage(window_.state());
                                  window_.syncResults();
                              });
    // What each choice shows is more than its caption says; screen readers read it.
    complete_->setAccessibleDescription(
        QStringLiteral("Shows one calculation in full, a line for each period; choosing it "
                       "empties the Results page"));
    findChild<QRadioButton*>(QStringLiteral("IGResultsChoice(1)"))
        ->setAccessibleDescription(QStringLiteral("Keeps the totals of up to ten calculations "
                                                  "on one page to compare them; choosing it "
                                                  "empties the Results page"));
    addButtons();
}

void InvestedPage::loadDefaults() {
    findChild<ChoiceList*>(QStringLiteral("IGInMonthsYrs"))->loadItems();
    loadBoxDefaults(0);
    window_.state().inputValues[3] = Currency::fromUnits(1); // the frequency: once a year
    complete_->setChecked(true);
}

GrowthResults InvestedPage::results() const {
    return complete_->isChecked() ? GrowthResults::Complete : GrowthResults::ComparisonTotals;
}

void InvestedPage::calculate() {
    const InvestedGrowthTexts texts{text("IGInBegBal"),         text("IGInEachContrib"),
                                    text("IGInMonthsYrs"),      text("IGInIntGrowthRate"),
                                    text("IGInAnnContribRate"), text("IGInAnninFlatRate"),
                                    text("IGInYearsInvested"),  results()};
    window_.showOutcome(InvestedGrowthCalculate(window_.state(), texts));
}

QString InvestedPage::helpPage() const {
    return InvestedGrowthHelpPage(window_.state().currencySymbol);
}

} // namespace qm
