#include "calculators/CalcTabs.h"

#include "app/AppState.h"
#include "calculators/CapitalRequired.h"
#include "calculators/CompoundGain.h"
#include "calculators/PensionGrowth.h"
#include "calculators/QMInvest.h"
#include "calculators/RetiredIncome.h"
#include "input/BoxTable.h"
#include "input/InputBox.h"
#include "ui/BoxColours.h"
#include "ui/WindowLayout.h"

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
#include <algorithm>

namespace qm {

namespace {

// Labels stand left in the first column of a page's grid; boxes and result labels stand right
// in the second, so the right-justified figures of a tab end in one line.
constexpr Qt::Alignment LabelAlignment = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment FieldAlignment = Qt::AlignRight | Qt::AlignVCenter;

// A caption that changes with an option keeps the width of its longest text, so the page
// does not move when the option changes.
void reserveWidth(QLabel* label, const QStringList& texts) {
    int width = 0;
    for (const QString& text : texts)
        width = std::max(width, label->fontMetrics().horizontalAdvance(text));
    label->setMinimumWidth(width);
}

bool contains(const std::vector<QWidget*>& widgets, const QWidget* widget) {
    return std::find(widgets.begin(), widgets.end(), widget) != widgets.end();
}

QString frameName(CalcTab tab) {
    return QStringLiteral("FrameAll(%1)").arg(static_cast<int>(tab));
}

// A frame whose caption stands on two lines, as the mortgage tab's option frames have it.
QGroupBox* twoLineFrame(const QString& first, const QString& second, QWidget* parent,
                        QVBoxLayout** body) {
    auto* frame = new QGroupBox(parent);
    auto* layout = new QVBoxLayout(frame);
    auto* caption = new QVBoxLayout;
    caption->setSpacing(0);
    caption->addWidget(new QLabel(first, frame));
    caption->addWidget(new QLabel(second, frame));
    layout->addLayout(caption);
    layout->addSpacing(4);
    *body = layout;
    return frame;
}

} // namespace

CalcTabPage::CalcTabPage(CalcTab tab, const QString& prefix, QMInvest& window)
    : QFrame(nullptr), window_(window), grid_(new QGridLayout), tab_(tab), prefix_(prefix) {
    setObjectName(frameName(tab));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(grid_);
    grid_->setHorizontalSpacing(12);
}

InputBox* CalcTabPage::addBox(const char* name, const QString& label, QLabel** labelOut) {
    auto* caption = new QLabel(label, this);
    caption->setObjectName(QLatin1String(name) + QLatin1String("Label"));
    auto* box = new InputBox(name, window_, this);
    box->setFont(FixedPitchFont());
    FitToColumns(box, DisplayColumns(box->objectName()));
    // Figures end at the right edge, also in a box wider than its figure (a box whose kind
    // follows an option is as wide as its widest form).
    if (box->rule().kind != BoxKind::Text)
        box->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    NameAfterLabel(caption, box);
    grid_->addWidget(caption, row_, 0, LabelAlignment);
    grid_->addWidget(box, row_, 1, FieldAlignment);
    ++row_;
    inputs_.push_back(box);
    if (labelOut)
        *labelOut = caption;
    return box;
}

ChoiceList* CalcTabPage::addList(const char* name, const QString& label) {
    auto* caption = new QLabel(label, this);
    caption->setObjectName(QLatin1String(name) + QLatin1String("Label"));
    auto* list = new ChoiceList(name, window_, this);
    NameAfterLabel(caption, list);
    grid_->addWidget(caption, row_, 0, LabelAlignment);
    grid_->addWidget(list, row_, 1, FieldAlignment);
    ++row_;
    inputs_.push_back(list);
    return list;
}

QRadioButton* CalcTabPage::addOption(QButtonGroup* group, int id, const QString& name,
                                     const QString& caption, QWidget* parent) {
    auto* option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    group->addButton(option, id);
    options_.push_back(option);
    if (std::find(groups_.begin(), groups_.end(), group) == groups_.end())
        groups_.push_back(group);
    return option;
}

QRadioButton* CalcTabPage::addOptionPair(const QString& frameCaption, const QString& arrayName,
                                         const QString& caption0, const QString& caption1,
                                         std::function<void()> onClick) {
    auto* frame = new QGroupBox(frameCaption, this);
    auto* body = new QVBoxLayout(frame);
    auto* group = new QButtonGroup(this);
    QRadioButton* first = nullptr;
    for (int id : {0, 1}) {
        QRadioButton* option = addOption(group, id, QStringLiteral("%1(%2)").arg(arrayName).arg(id),
                                         id == 0 ? caption0 : caption1, frame);
        body->addWidget(option);
        connect(option, &QRadioButton::clicked, this, onClick);
        if (id == 0)
            first = option;
    }
    grid_->addWidget(frame, row_++, 0, 1, 2);
    return first;
}

std::vector<QWidget*> CalcTabPage::focusChain() const {
    std::vector<QWidget*> chain;
    // Where Enter goes from each box and list, up to the Calculate button.
    QWidget* next = inputs_.empty() ? nullptr : inputs_.front();
    while (next && !contains(chain, next)) {
        chain.push_back(next);
        const char* target = nullptr;
        if (const auto* box = qobject_cast<const InputBox*>(next))
            target = box->rule().enterTarget;
        else if (const auto* list = qobject_cast<const ChoiceList*>(next))
            target = list->rule().enterTarget;
        next = target ? findChild<QWidget*>(QLatin1String(target)) : nullptr;
    }
    for (QWidget* input : inputs_) {
        if (!contains(chain, input))
            chain.push_back(input);
    }
    for (QPushButton* button : buttons_) {
        if (!contains(chain, button))
            chain.push_back(button);
    }
    chain.insert(chain.end(), options_.begin(), options_.end());
    return chain;
}

void CalcTabPage::addButtons() {
    auto* row = new QHBoxLayout;
    const struct {
        const char* suffix;
        const char* caption;
    } buttons[] = {{"Calculate", "&Calculate"}, {"Print", "&Print"}, {"Help", "&Help"}};
    for (const auto& b : buttons) {
        auto* button =
            NamedButton(prefix_ + QLatin1String(b.suffix), QLatin1String(b.caption), this);
        row->addWidget(button);
        buttons_.push_back(button);
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
    // The grid keeps its natural width; a wider frame leaves the room on the right.
    grid_->setColumnStretch(grid_->columnCount(), 1);
    static_cast<QVBoxLayout*>(layout())->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    for (QButtonGroup* group : groups_)
        TabToSelectedOption(group);
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

// A result of the solver: a green label of money width, its caption beside it. Screen readers
// name it after its caption and read the figure as its description.
QLabel* addResult(QGridLayout* grid, int row, const char* name, const QString& label,
                  QWidget* parent) {
    auto* caption = new QLabel(label, parent);
    caption->setObjectName(QLatin1String(name) + QLatin1String("Label"));
    auto* result = new QLabel(parent);
    result->setObjectName(QLatin1String(name));
    PaintBox(result, BoxColour::Result);
    result->setFont(FixedPitchFont());
    result->setAlignment(FieldAlignment);
    result->setMargin(3);
    result->setFixedWidth(result->fontMetrics().horizontalAdvance(QString(13, QLatin1Char('0'))) +
                          2 * result->margin() + 4);
    result->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    NameAfterLabel(caption, result);
    grid->addWidget(caption, row, 0, LabelAlignment);
    grid->addWidget(result, row, 1, FieldAlignment);
    return result;
}

// The frames' grids start their columns at the same places, so the boxes, results and option
// frames of both stand one above the other.
void alignColumns(QGridLayout* first, QGridLayout* second) {
    for (int column = 0; column < 3; ++column) {
        int width = 0;
        for (QGridLayout* grid : {first, second}) {
            for (int row = 0; row < grid->rowCount(); ++row) {
                if (QLayoutItem* item = grid->itemAtPosition(row, column))
                    width = std::max(width, item->sizeHint().width());
            }
        }
        first->setColumnMinimumWidth(column, width);
        second->setColumnMinimumWidth(column, width);
    }
}

// The option buttons of the quantity to solve for, their captions, the box that holds it and
// what choosing the option does, for screen readers (the caption alone does not say it).
struct SolveOption {
    const char* option;
    const char* caption;
    MortgageSolveFor solveFor;
    const char* box;
    const char* description;
};
constexpr SolveOption SolveOptions[] = {
    {"MTPaymentOpt", "Payment", MortgageSolveFor::Payment, "MTInMthPayment",
     "Finds the monthly principal and interest from the other boxes; its box turns green and "
     "shows the answer"},
    {"MTTermOpt", "Years", MortgageSolveFor::Years, "MTInTerm",
     "Finds the amortization period in years from the other boxes; its box turns green and "
     "shows the answer"},
    {"MTPrincipalOpt", "Principal", MortgageSolveFor::Principal, "MTInPrincipal",
     "Finds the principal amount of mortgage from the other boxes; its box turns green and "
     "shows the answer"},
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
    results_.push_back(addResult(grid_, row_++, "MTTotalPmts",
                                 QStringLiteral("Total interest paid"), conventional));
    QVBoxLayout* solveBody = nullptr;
    QGroupBox* solveFrame = twoLineFrame(QStringLiteral("Select to"), QStringLiteral("find:"),
                                         conventional, &solveBody);
    solveFrame->setObjectName(QStringLiteral("MTSelectToFind"));
    solveFrame->setAccessibleName(QStringLiteral("Select to find"));
    int id = 0;
    for (const SolveOption& o : SolveOptions) {
        QRadioButton* option = addOption(solveGroup_, id++, QLatin1String(o.option),
                                         QLatin1String(o.caption), solveFrame);
        option->setAccessibleDescription(QLatin1String(o.description));
        solveBody->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, option] { solveFor(option); });
    }
    grid_->addWidget(solveFrame, 0, 2, row_, 1, Qt::AlignTop);
    QGridLayout* const conventionalGrid = grid_;

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
        results_.push_back(addResult(grid_, row_++, r.name, QLatin1String(r.label), accelerated));
    QVBoxLayout* daysBody = nullptr;
    QGroupBox* daysFrame =
        twoLineFrame(QStringLiteral("Days in"), QStringLiteral("year"), accelerated, &daysBody);
    daysFrame->setObjectName(QStringLiteral("MTDaysInYearFrame"));
    daysFrame->setAccessibleName(QStringLiteral("Days in year"));
    daysFrame->setAccessibleDescription(
        QStringLiteral("The days in a year used for weekly and biweekly payments"));
    const QStringList dayCaptions = MortgageDaysCaptions();
    for (int i = 0; i < 7; ++i) {
        QRadioButton* day = addOption(daysGroup_, i, QStringLiteral("MTIRFactor(%1)").arg(i),
                                      dayCaptions.at(i), daysFrame);
        days_[static_cast<std::size_t>(i)] = day;
        daysBody->addWidget(day);
        day->installEventFilter(this);
        connect(day, &QRadioButton::clicked, this, [this, i] {
            // The button shows itself as selected; only the days option is remembered.
            MortgageControls controls;
            ClickDaysButton(mortgageState_, controls, i);
        });
    }
    // The seventh option has no caption: it stands for the normal days of the monthly
    // payments, which the days label then shows.
    days_[6]->setAccessibleName(QStringLiteral("Normal"));
    grid_->addWidget(daysFrame, 0, 2, row_, 1, Qt::AlignTop);
    alignColumns(conventionalGrid, grid_);

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
        PaintBox(target, solved ? BoxColour::Result : BoxColour::Input);
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
    for (QLabel* result : results_)
        result->setAccessibleDescription(result->text().trimmed());
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
    // The captions are shown (and the boxes named) from the start; the window's load step
    // starts every calculation afresh after the pages are built.
    loadDefaults();
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
    NameAfterLabel(label32_, box("RIInAnnIncWDrawnRate"));
    NameAfterLabel(label33_, box("RIInTimeInYrs"));
    loadBoxDefaults(choice.calcChoice);
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
    loadDefaults();
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
    NameAfterLabel(label26_, box("CRInCapitalReq"));
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
