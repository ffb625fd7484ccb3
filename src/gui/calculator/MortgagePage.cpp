#include "gui/calculator/MortgagePage.h"

#include "gui/calculator/QMInvest.h"
#include "gui/common/AppState.h"
#include "gui/common/BoxColours.h"
#include "gui/common/InputBox.h"
#include "gui/common/WindowLayout.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

namespace qm {

namespace {

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
    result->setAlignment(CalcTabPage::FieldAlignment);
    result->setMargin(3);
    result->setFixedWidth(result->fontMetrics().horizontalAdvance(QString(13, QLatin1Char('0'))) +
                          2 * result->margin() + 4);
    result->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    NameAfterLabel(caption, result);
    grid->addWidget(caption, row, 0, CalcTabPage::LabelAlignment);
    grid->addWidget(result, row, 1, CalcTabPage::FieldAlignment);
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

MortgagePage::MortgagePage(QMInvest& window, QWidget* parent)
    : CalcTabPage(MortgageTab, "MT", window, parent), solveGroup_(new QButtonGroup(this)),
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
    window_.state().editFlag = 0;
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
    return MortgageHelpPage(window_.state().currencySymbol);
}

} // namespace qm
