#include "calculators/CalcTabs.h"

#include "app/AppState.h"
#include "calculators/QMInvest.h"
#include "input/BoxTable.h"
#include "input/InputBox.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qm {

namespace {

const QLatin1String YellowBox("background-color: rgb(255, 255, 0);");
const QLatin1String GreenBox("background-color: rgb(128, 255, 128);");

// The boxes right-justify their values with blanks, so they use the fixed-pitch font.
QFont boxFont() {
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

QString frameName(CalcTab tab) {
    return QStringLiteral("FrameAll(%1)").arg(static_cast<int>(tab));
}

// A frame whose caption stands on two lines, as the mortgage tab's option frames have it.
QGroupBox* twoLineFrame(const QString& first, const QString& second, QWidget* parent,
                        QVBoxLayout** body) {
    auto* frame = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(frame);
    layout->addWidget(new QLabel(first, frame));
    layout->addWidget(new QLabel(second, frame));
    *body = layout;
    return frame;
}

} // namespace

CalcTabPage::CalcTabPage(CalcTab tab, const QString& prefix, QMInvest& window)
    : QFrame(nullptr), window_(window), grid_(new QGridLayout), tab_(tab), prefix_(prefix) {
    setObjectName(frameName(tab));
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid_);
}

InputBox* CalcTabPage::addBox(const char* name, const QString& label, QLabel** labelOut) {
    auto* caption = new QLabel(label, this);
    caption->setObjectName(QLatin1String(name) + QLatin1String("Label"));
    auto* box = new InputBox(name, window_, this);
    box->setFont(boxFont());
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 15);
    caption->setBuddy(box);
    grid_->addWidget(caption, row_, 0);
    grid_->addWidget(box, row_, 1);
    ++row_;
    if (labelOut)
        *labelOut = caption;
    return box;
}

ChoiceList* CalcTabPage::addList(const char* name, const QString& label) {
    auto* caption = new QLabel(label, this);
    caption->setObjectName(QLatin1String(name) + QLatin1String("Label"));
    auto* list = new ChoiceList(name, window_, this);
    caption->setBuddy(list);
    grid_->addWidget(caption, row_, 0);
    grid_->addWidget(list, row_, 1);
    ++row_;
    return list;
}

QRadioButton* CalcTabPage::addOption(QButtonGroup* group, int id, const QString& name,
                                     const QString& caption, QWidget* parent) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    group->addButton(option, id);
    return option;
}

void CalcTabPage::addButtons() {
    auto* row = new QHBoxLayout;
    const struct {
        const char* suffix;
        const char* caption;
    } buttons[] = {{"Calculate", "&Calculate"}, {"Print", "&Print"}, {"Help", "&Help"}};
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QLatin1String(b.caption), this);
        button->setObjectName(prefix_ + QLatin1String(b.suffix));
        button->setAutoDefault(false);
        row->addWidget(button);
        const QString suffix = QLatin1String(b.suffix);
        connect(button, &QPushButton::clicked, this, [this, suffix] {
            if (suffix == QLatin1String("Calculate"))
                window_.calculateClicked(tab_);
            else if (suffix == QLatin1String("Print"))
                window_.printClicked();
            else
                window_.helpClicked(tab_);
        });
    }
    row->addStretch();
    static_cast<QVBoxLayout*>(layout())->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
}

void CalcTabPage::loadBoxDefaults(int choice) {
    for (const BoxDefault& d : DefaultsFor(tab_, choice)) {
        if (InputBox* target = box(d.box))
            target->setValue(d.value);
    }
}

InputBox* CalcTabPage::box(const char* name) const {
    return findChild<InputBox*>(QLatin1String(name));
}

// ---- Pension growth ---------------------------------------------------------------------

PensionPage::PensionPage(QMInvest& window) : CalcTabPage(PensionGrowthTab, "PG", window) {
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

// ---- Mortgage tables --------------------------------------------------------------------

namespace {

QLabel* addResult(QGridLayout* grid, int row, const char* name, const QString& label,
                  QWidget* parent) {
    auto* caption = new QLabel(label, parent);
    caption->setObjectName(QLatin1String(name) + QLatin1String("Label"));
    auto* result = new QLabel(parent);
    result->setObjectName(QLatin1String(name));
    result->setStyleSheet(GreenBox);
    result->setFont(boxFont());
    result->setMinimumWidth(result->fontMetrics().horizontalAdvance(QLatin1Char('0')) * 15);
    grid->addWidget(caption, row, 0);
    grid->addWidget(result, row, 1);
    return result;
}

} // namespace

MortgagePage::MortgagePage(QMInvest& window)
    : CalcTabPage(MortgageTab, "MT", window), solveGroup_(new QButtonGroup(this)),
      daysGroup_(new QButtonGroup(this)) {
    QGridLayout* const pageGrid = grid_;

    // Conventional mortgage: the inputs, the choice of what to solve for, the total interest.
    auto* conventional = new QGroupBox(QStringLiteral("Conventional Mortgage"), this);
    grid_ = new QGridLayout(conventional);
    row_ = 0;
    addList("MTCompPeriod", QStringLiteral("Compound interest periods/yr."));
    addBox("MTInPrincipal", QStringLiteral("Principal amount of mortgage"));
    addBox("MTInRate", QStringLiteral("Annual interest rate %"));
    addBox("MTInTerm", QStringLiteral("Amortization period in years"));
    addBox("MTInMthPayment", QStringLiteral("Monthly principal and interest"));
    addResult(grid_, row_++, "MTTotalPmts", QStringLiteral("Total interest paid"), conventional);
    QVBoxLayout* solveBody = nullptr;
    QGroupBox* solveFrame = twoLineFrame(QStringLiteral("Select to"), QStringLiteral("find:"),
                                         conventional, &solveBody);
    solveFrame->setObjectName(QStringLiteral("MTSelectToFind"));
    const struct {
        const char* name;
        const char* caption;
    } solveOptions[] = {
        {"MTPaymentOpt", "Payment"}, {"MTTermOpt", "Years"}, {"MTPrincipalOpt", "Principal"}};
    int id = 0;
    for (const auto& o : solveOptions) {
        QRadioButton* option = addOption(solveGroup_, id++, QLatin1String(o.name),
                                         QLatin1String(o.caption), solveFrame);
        solveBody->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, option] { solveFor(option); });
    }
    grid_->addWidget(solveFrame, 0, 2, row_, 1);

    // Accelerated mortgage: the payment frequency, the days in a year and the results.
    auto* accelerated = new QGroupBox(QStringLiteral("Accelerated Mortgage"), this);
    grid_ = new QGridLayout(accelerated);
    row_ = 0;
    addList("MTFreqPmt", QStringLiteral("Frequency/type of payment"));
    const struct {
        const char* name;
        const char* label;
    } results[] = {{"MTNumPmts", "No. of payments each year"},
                   {"MTDaysInYear", "Number of days in year used"},
                   {"MTTotIntSaved", "Interest saved v normal mtge"},
                   {"MTNumYrs", "No. of years to final payment"},
                   {"MTPiPmt", "Each payment. Principal + Int."},
                   {"MTTotIntPaid", "Total interest paid"}};
    for (const auto& r : results)
        addResult(grid_, row_++, r.name, QLatin1String(r.label), accelerated);
    QVBoxLayout* daysBody = nullptr;
    QGroupBox* daysFrame =
        twoLineFrame(QStringLiteral("Days in"), QStringLiteral("year"), accelerated, &daysBody);
    daysFrame->setObjectName(QStringLiteral("MTDaysInYearFrame"));
    const char* const dayCaptions[] = {"365,25", "365", "364.50", "364", "363.50", "363", ""};
    for (int i = 0; i < 7; ++i) {
        days_[static_cast<std::size_t>(i)] =
            addOption(daysGroup_, i, QStringLiteral("MTIRFactor(%1)").arg(i),
                      QLatin1String(dayCaptions[i]), daysFrame);
        daysBody->addWidget(days_[static_cast<std::size_t>(i)]);
        days_[static_cast<std::size_t>(i)]->installEventFilter(this);
    }
    grid_->addWidget(daysFrame, 0, 2, row_, 1);

    grid_ = pageGrid;
    grid_->addWidget(conventional, 0, 0);
    grid_->addWidget(accelerated, 1, 0);
    row_ = 2;
    addButtons();
}

bool MortgagePage::eventFilter(QObject* watched, QEvent* event) {
    // Leaving any days-in-year button applies the option chosen.
    if (event->type() == QEvent::FocusOut) {
        const auto* focus = static_cast<QFocusEvent*>(event);
        if (!IsWindowFocusChange(focus->reason()))
            window_.applyDaysOption();
    }
    return CalcTabPage::eventFilter(watched, event);
}

int MortgagePage::daysOption() const {
    return daysGroup_->checkedId();
}

void MortgagePage::selectDaysOption(int index) {
    if (index >= 0 && index < 7)
        days_[static_cast<std::size_t>(index)]->setChecked(true);
}

void MortgagePage::solveFor(QRadioButton* option) {
    const struct {
        const char* option;
        const char* box;
    } pairs[] = {{"MTPaymentOpt", "MTInMthPayment"},
                 {"MTTermOpt", "MTInTerm"},
                 {"MTPrincipalOpt", "MTInPrincipal"}};
    for (const auto& p : pairs) {
        InputBox* target = box(p.box);
        const bool solved = option->objectName() == QLatin1String(p.option);
        target->setReadOnly(solved);
        target->setStyleSheet(solved ? GreenBox : YellowBox);
    }
    app().editFlag = 0;
}

void MortgagePage::loadDefaults() {
    CalcState& state = window_.state();
    state.mortgageInputs = {};
    auto* compounding = findChild<ChoiceList*>(QStringLiteral("MTCompPeriod"));
    auto* frequency = findChild<ChoiceList*>(QStringLiteral("MTFreqPmt"));
    compounding->clear();
    frequency->clear();
    selectDaysOption(6);
    auto* payment = findChild<QRadioButton*>(QStringLiteral("MTPaymentOpt"));
    payment->setChecked(true);
    solveFor(payment);
    compounding->loadItems();
    loadBoxDefaults(0);
    frequency->loadItems();
    window_.recalculateMortgage();
    app().editFlag = 0;
}

// ---- Invested growth --------------------------------------------------------------------

InvestedPage::InvestedPage(QMInvest& window) : CalcTabPage(InvestedGrowthTab, "IG", window) {
    addBox("IGInBegBal", QStringLiteral("Beginning balance "));
    addBox("IGInEachContrib", QStringLiteral("Amount of each contribution "));
    addList("IGInMonthsYrs", QStringLiteral("Frequency of contribution "));
    addBox("IGInIntGrowthRate", QStringLiteral("Annual Interest/growth rate % "));
    addBox("IGInAnnContribRate", QStringLiteral("Increase annual contribution rate % "));
    addBox("IGInAnninFlatRate", QStringLiteral("Average annual inflation rate % "));
    addBox("IGInYearsInvested", QStringLiteral("Number of years invested "));
    auto* frame = new QGroupBox(QStringLiteral("Show results"), this);
    auto* body = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(this);
    complete_ = addOption(group, 0, QStringLiteral("IGResultsChoice(0)"),
                          QStringLiteral("Complete calculation"), frame);
    QRadioButton* totals = addOption(group, 1, QStringLiteral("IGResultsChoice(1)"),
                                     QStringLiteral("Comparison totals"), frame);
    body->addWidget(complete_);
    body->addWidget(totals);
    for (QRadioButton* option : {complete_, totals})
        connect(option, &QRadioButton::clicked, this, [this] { window_.emptyPage(); });
    grid_->addWidget(frame, row_++, 0, 1, 2);
    addButtons();
}

void InvestedPage::loadDefaults() {
    findChild<ChoiceList*>(QStringLiteral("IGInMonthsYrs"))->loadItems();
    loadBoxDefaults(0);
    window_.state().inputValues[3] = Currency::fromUnits(1); // the frequency: once a year
    complete_->setChecked(true);
}

bool InvestedPage::completeCalculation() const {
    return complete_->isChecked();
}

// ---- Retired income ---------------------------------------------------------------------

RetiredPage::RetiredPage(QMInvest& window) : CalcTabPage(RetiredIncomeTab, "RI", window) {
    addBox("RIInCurrValue", QStringLiteral("Starting value of your investments"));
    addBox("RIInAnnIntGrowthRate", QStringLiteral("Annual interest/growth rate %"));
    addBox("RIInAnnIncWDrawnRate", QString(), &label32_);
    addBox("RIInTimeInYrs", QString(), &label33_);
    label32_->setObjectName(QStringLiteral("Label32"));
    label33_->setObjectName(QStringLiteral("Label33"));
    auto* frame = new QGroupBox(QStringLiteral("Withdrawal choices"), this);
    auto* body = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(this);
    percentage_ = addOption(group, 0, QStringLiteral("RIWDrawalChoice(0)"),
                            QStringLiteral("Annual percentage"), frame);
    QRadioButton* fixed = addOption(group, 1, QStringLiteral("RIWDrawalChoice(1)"),
                                    QStringLiteral("Fixed monthly amount"), frame);
    body->addWidget(percentage_);
    body->addWidget(fixed);
    for (QRadioButton* option : {percentage_, fixed}) {
        connect(option, &QRadioButton::clicked, this, [this] {
            window_.emptyPage();
            choseCalc();
        });
    }
    grid_->addWidget(frame, row_++, 0, 1, 2);
    addButtons();
}

void RetiredPage::loadDefaults() {
    percentage_->setChecked(true);
    choseCalc();
}

void RetiredPage::choseCalc() {
    const bool percentage = percentage_->isChecked();
    const int choice = percentage ? 0 : 2;
    window_.state().calcChoice = choice;
    label32_->setText(percentage ? QStringLiteral("Annual income withdrawn as a (%)")
                                 : QStringLiteral("Monthly amount of cash withdrawn"));
    label33_->setText(percentage ? QStringLiteral("Time in years")
                                 : QStringLiteral("Increase annual income by %"));
    loadBoxDefaults(choice);
    app().editFlag = 0;
}

// ---- Compound gain ----------------------------------------------------------------------

CompoundPage::CompoundPage(QMInvest& window) : CalcTabPage(CompoundGainTab, "CG", window) {
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

// ---- Capital required -------------------------------------------------------------------

CapitalPage::CapitalPage(QMInvest& window) : CalcTabPage(CapitalRequiredTab, "CR", window) {
    addBox("CRInCapitalReq", QString(), &label26_);
    label26_->setObjectName(QStringLiteral("Label26"));
    addBox("CRInIntGrowthRate", QStringLiteral("Annual interest/growth rate %"));
    addBox("CRInTimeInYrs", QStringLiteral("Number of years"));
    auto* frame = new QGroupBox(QStringLiteral("Select option"), this);
    auto* body = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(this);
    capital_ = addOption(group, 0, QStringLiteral("CRCapitalChoices(0)"),
                         QStringLiteral("Amount of capital required"), frame);
    QRadioButton* income = addOption(group, 1, QStringLiteral("CRCapitalChoices(1)"),
                                     QStringLiteral("Annual income required"), frame);
    body->addWidget(capital_);
    body->addWidget(income);
    for (QRadioButton* option : {capital_, income}) {
        connect(option, &QRadioButton::clicked, this, [this] {
            window_.emptyPage();
            choseCalc();
        });
    }
    grid_->addWidget(frame, row_++, 0, 1, 2);
    addButtons();
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
        label26_->setText(QStringLiteral("Amount of capital required $"));
    } else {
        loadBoxDefaults(2);
        label26_->setText(QStringLiteral("Annual income required $"));
        state.calcChoice = 2;
    }
}

} // namespace qm
