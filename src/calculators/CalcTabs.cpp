#include "calculators/CalcTabs.h"

#include "app/AppState.h"
#include "calculators/CapitalRequired.h"
#include "calculators/CompoundGain.h"
#include "calculators/PensionGrowth.h"
#include "calculators/QMInvest.h"
#include "calculators/RetiredIncome.h"
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

// Empties the page and the Results box (the option clicks that start afresh).
void EmptyPage(QMInvest& window) {
    window.state().resultsPage.clear();
    window.state().results.clear();
    window.syncResults();
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

QString CalcTabPage::text(const char* name) const {
    return window_.controlText(QLatin1String(name));
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

void PensionPage::calculate() {
    const PensionGrowthBoxes boxes{text("PGInCurrBalance"),    text("PGInCurrAnnSalary"),
                                   text("PGInAnnContribRate"), text("PGInCompAnnContribRate"),
                                   text("PGInEstSalIncrease"), text("PGInAnnIntGrowthRate"),
                                   text("PGInEstAnnFlatRate"), text("PGInNumYearsToRetire")};
    window_.showOutcome(CalculatePensionGrowth(window_.state(), boxes));
}

QString PensionPage::helpPage() const {
    return PensionGrowthHelpPage();
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

// The option buttons of the quantity to solve for and the box that holds it.
struct SolveOption {
    const char* option;
    MortgageSolveFor solveFor;
    const char* box;
};
constexpr SolveOption SolveOptions[] = {
    {"MTPaymentOpt", MortgageSolveFor::Payment, "MTInMthPayment"},
    {"MTTermOpt", MortgageSolveFor::Years, "MTInTerm"},
    {"MTPrincipalOpt", MortgageSolveFor::Principal, "MTInPrincipal"},
};

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
        connect(days_[static_cast<std::size_t>(i)], &QRadioButton::clicked, this, [this, i] {
            MortgageControls controls = readControls();
            ClickDaysButton(mortgageState_, controls, i);
        });
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
    for (const SolveOption& o : SolveOptions) {
        if (option->objectName() == QLatin1String(o.option)) {
            paintSolvedBox(o.solveFor);
            break;
        }
    }
    app().editFlag = 0;
}

void MortgagePage::paintSolvedBox(MortgageSolveFor solveFor) {
    for (const SolveOption& o : SolveOptions) {
        InputBox* target = box(o.box);
        const bool solved = o.solveFor == solveFor;
        target->setReadOnly(solved);
        target->setStyleSheet(solved ? GreenBox : YellowBox);
    }
}

MortgageControls MortgagePage::readControls() const {
    MortgageControls c;
    c.compPeriod = text("MTCompPeriod");
    c.freqPmt = text("MTFreqPmt");
    for (const SolveOption& o : SolveOptions) {
        if (window_.isSelected(QLatin1String(o.option)))
            c.solveFor = o.solveFor;
    }
    c.principal = text("MTInPrincipal");
    c.rate = text("MTInRate");
    c.term = text("MTInTerm");
    c.payment = text("MTInMthPayment");
    c.totalPmts = text("MTTotalPmts");
    c.numPmts = text("MTNumPmts");
    c.daysInYear = text("MTDaysInYear");
    c.totIntSaved = text("MTTotIntSaved");
    c.numYrs = text("MTNumYrs");
    c.piPmt = text("MTPiPmt");
    c.totIntPaid = text("MTTotIntPaid");
    c.daysButton = daysOption();
    return c;
}

void MortgagePage::writeControls(const MortgageControls& c) {
    const struct {
        const char* name;
        const QString& text;
    } shown[] = {{"MTCompPeriod", c.compPeriod}, {"MTFreqPmt", c.freqPmt},
                 {"MTInPrincipal", c.principal}, {"MTInRate", c.rate},
                 {"MTInTerm", c.term},           {"MTInMthPayment", c.payment},
                 {"MTTotalPmts", c.totalPmts},   {"MTNumPmts", c.numPmts},
                 {"MTDaysInYear", c.daysInYear}, {"MTTotIntSaved", c.totIntSaved},
                 {"MTNumYrs", c.numYrs},         {"MTPiPmt", c.piPmt},
                 {"MTTotIntPaid", c.totIntPaid}};
    for (const auto& s : shown) {
        if (text(s.name) != s.text)
            window_.setControlText(QLatin1String(s.name), s.text);
    }
    selectDaysOption(c.daysButton);
    for (const SolveOption& o : SolveOptions) {
        if (o.solveFor == c.solveFor)
            findChild<QRadioButton*>(QLatin1String(o.option))->setChecked(true);
    }
    paintSolvedBox(c.solveFor);
}

template <typename Step> void MortgagePage::run(Step&& step) {
    MortgageControls controls = readControls();
    MortgageOutcome outcome;
    step(window_.state(), mortgageState_, controls, outcome);
    writeControls(controls);
    window_.showOutcome(outcome);
}

void MortgagePage::loadDefaults() {
    // Both lists are emptied and filled again, showing "Monthly"; the inputs, the days option
    // and the quantity to solve for start anew, and the payment is solved.
    findChild<ChoiceList*>(QStringLiteral("MTCompPeriod"))->loadItems();
    findChild<ChoiceList*>(QStringLiteral("MTFreqPmt"))->loadItems();
    run(OpenMortgageTab);
}

void MortgagePage::recalculate() {
    run(CalcMortgage);
}

void MortgagePage::applyDaysOption() {
    run(ApplyDaysOption);
}

void MortgagePage::calculate() {
    run(MortgageCalculate);
}

QString MortgagePage::helpPage() const {
    return MortgageHelpPage();
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
    // Every click on an option, even on the one already selected, empties the page.
    for (QRadioButton* option : {complete_, totals}) {
        connect(option, &QRadioButton::clicked, this, [this] {
            GrowthResultsChoiceClicked(window_.state());
            window_.syncResults();
        });
    }
    grid_->addWidget(frame, row_++, 0, 1, 2);
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
    return InvestedGrowthHelpPage();
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
            EmptyPage(window_);
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
    const RetiredIncomeChoice& choice = RetiredIncomeChoiceFor(percentage_->isChecked() ? 0 : 1);
    LoadRetiredIncomeChoice(window_.state(), choice);
    label32_->setText(QString::fromUtf16(choice.label32));
    label33_->setText(QString::fromUtf16(choice.label33));
    const char* const boxes[] = {"RIInCurrValue", "RIInAnnIntGrowthRate", "RIInAnnIncWDrawnRate",
                                 "RIInTimeInYrs"};
    for (std::size_t i = 1; i <= 4; ++i)
        box(boxes[i - 1])->setText(Display(choice.forms[i], choice.defaults[i]));
}

void RetiredPage::calculate() {
    const RetiredIncomeBoxes boxes{text("RIInCurrValue"), text("RIInAnnIntGrowthRate"),
                                   text("RIInAnnIncWDrawnRate"), text("RIInTimeInYrs")};
    window_.showOutcome(CalculateRetiredIncome(window_.state(), boxes));
}

QString RetiredPage::helpPage() const {
    return RetiredIncomeHelpPage(window_.state().calcChoice);
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

void CompoundPage::calculate() {
    const CompoundGainTexts texts{text("CGInCostofInvest"), text("CGInValueNow"),
                                  text("CGInNumOfYrs"), text("CGInNameOfInvest")};
    window_.showOutcome(CompoundGainCalculate(window_.state(), texts));
}

QString CompoundPage::helpPage() const {
    return CompoundGainHelpPage();
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
            CapitalOptionClicked(window_.state());
            window_.syncResults();
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

void CapitalPage::calculate() {
    const CapitalRequiredTexts texts{text("CRInCapitalReq"), text("CRInIntGrowthRate"),
                                     text("CRInTimeInYrs")};
    window_.showOutcome(CapitalRequiredCalculate(window_.state(), texts));
}

QString CapitalPage::helpPage() const {
    return CapitalRequiredHelpPage(capital_->isChecked() ? CapitalOption::Capital
                                                         : CapitalOption::Income);
}

} // namespace qm
