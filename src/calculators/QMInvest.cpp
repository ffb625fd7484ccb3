#include "calculators/QMInvest.h"

#include "app/AppState.h"
#include "app/Dialogs.h"
#include "calculators/CalcTabPage.h"
#include "calculators/CapitalPage.h"
#include "calculators/CompoundPage.h"
#include "calculators/InvestedGrowth.h"
#include "calculators/InvestedPage.h"
#include "calculators/MortgagePage.h"
#include "calculators/PensionPage.h"
#include "calculators/RetiredPage.h"
#include "chart/QMGraph.h"
#include "print/PrintResults.h"
#include "print/ResultsMenu.h"
#include "ui/BoxColours.h"
#include "ui/CommandGate.h"
#include "ui/WindowLayout.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace qm {

namespace {

// The Results box shows lines of this many characters without scrolling.
constexpr int ResultsColumns = 62;

} // namespace

QMInvest::QMInvest(QWidget* parent) : WorkWindowBase(parent) {
    setObjectName(QStringLiteral("QMInvest"));
    setWindowTitle(QStringLiteral("Calculations"));
    PaintBoxesIn(this); // before the boxes are made, so that each is styled once
    build();

    // Load step: this is the work window; it always opens on "Invested growth".
    becomeWorkWindow(WorkWindow::Calculator);
    screen_.open(app().currencySymbol);
    screen_.state().visibleTab = PensionGrowthTab;
    {
        const QSignalBlocker quiet(tabs_);
        tabs_->setCurrentIndex(InvestedGrowthTab);
    }
    ChangeSSTab();
}

QMInvest::~QMInvest() {
    // The control that has the focus is left as the window goes: that must start nothing
    // (no solve, no message) on a window half torn down.
    closing_ = true;
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
}

void QMInvest::build() {
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("SSTab1"));
    // Clicking a tab, or turning the mouse wheel over the tabs, takes the focus first, so the
    // box being edited is left (and stored) before the tab change discards the inputs.
    tabs_->setFocusPolicy(Qt::WheelFocus);
    // Every caption is shown whole: the bar is never narrower than its six tabs.
    tabs_->setUsesScrollButtons(false);
    tabs_->setElideMode(Qt::ElideNone);
    tabs_->setExpanding(false);
    frames_ = new QStackedWidget(this);

    pages_[PensionGrowthTab] = new PensionPage(*this);
    pages_[MortgageTab] = mortgage_ = new MortgagePage(*this);
    pages_[InvestedGrowthTab] = invested_ = new InvestedPage(*this);
    pages_[RetiredIncomeTab] = retired_ = new RetiredPage(*this);
    pages_[CompoundGainTab] = new CompoundPage(*this);
    pages_[CapitalRequiredTab] = capital_ = new CapitalPage(*this);
    const char* const captions[] = {"Pension growth", "Mortgage tables", "Invested growth",
                                    "Retired income", "Compound gain",   "Capital required"};
    for (int i = 0; i < 6; ++i) {
        tabs_->addTab(QLatin1String(captions[i]));
        frames_->addWidget(pages_[static_cast<std::size_t>(i)]);
    }
    connect(tabs_, &QTabBar::currentChanged, this, [this] { ChangeSSTab(); });

    results_ = new QPlainTextEdit(this);
    results_->setObjectName(QStringLiteral("Results"));
    results_->setAccessibleName(QStringLiteral("Results"));
    results_->setReadOnly(true);
    results_->setTabChangesFocus(true);
    results_->setLineWrapMode(QPlainTextEdit::NoWrap);
    results_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    results_->setFont(FixedPitchFont());
    // The widest page lines (pension growth) are 59 characters: they show whole.
    results_->setMinimumWidth(TextBoxWidth(results_, ResultsColumns));
    results_->setMinimumHeight(results_->fontMetrics().lineSpacing() * 20);
    AddResultsMenu(results_, [this] { return printedPage(); });

    auto* graph = NamedButton(QStringLiteral("AllGraphs"), QStringLiteral("&Graph"), this);
    auto* howTo = NamedButton(QStringLiteral("HowToUse"), QStringLiteral("How to &use"), this);
    auto* clear =
        NamedButton(QStringLiteral("ClearResults"), QStringLiteral("Clear &results"), this);
    auto* exit = NamedButton(QStringLiteral("ExitProgram"), QStringLiteral("E&xit to menu"), this);
    connect(graph, &QPushButton::clicked, this, [this] { graphClicked(); });
    connect(howTo, &QPushButton::clicked, this, [this] { howToUseClicked(); });
    connect(clear, &QPushButton::clicked, this, [this] { clearResultsClicked(); });
    connect(exit, &QPushButton::clicked, this, [this] { close(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {graph, howTo, clear, exit})
        buttons->addWidget(b);

    auto* right = new QVBoxLayout;
    right->addWidget(results_, 1);
    right->addLayout(buttons);

    // The tabs stand above both the calculator's frame and the page it writes.
    auto* body = new QHBoxLayout;
    body->setSpacing(16);
    body->addWidget(frames_);
    body->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(body, 1);

    // Tab goes from the tab bar through the tab's boxes in their Enter order and its buttons,
    // then to the page and the window's buttons.
    std::vector<QWidget*> chain{tabs_};
    for (CalcTabPage* page : pages_) {
        const std::vector<QWidget*> controls = page->focusChain();
        chain.insert(chain.end(), controls.begin(), controls.end());
    }
    chain.insert(chain.end(), {results_, graph, howTo, clear, exit});
    SetTabChain(chain);

    AddHelpAndPrintKeys(this, [this] { return frames_->currentWidget(); });

    // It opens at the size its layout asks for; the layout keeps it from shrinking below the
    // size at which every caption and a whole page line still show.
    ensurePolished();
    resize(sizeHint().expandedTo(QSize(0, WorkWindowHeight)));
}

QWidget* QMInvest::control(const QString& name) {
    return findChild<QWidget*>(name);
}

QString QMInvest::controlText(const QString& name) const {
    const QWidget* widget = findChild<QWidget*>(name);
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* list = qobject_cast<const QComboBox*>(widget))
        return list->currentText();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return QString();
}

void QMInvest::setControlText(const QString& name, const QString& text) {
    QWidget* widget = findChild<QWidget*>(name);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (auto* list = qobject_cast<QComboBox*>(widget))
        list->setCurrentText(text);
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
}

bool QMInvest::isSelected(const QString& optionName) const {
    const auto* button = findChild<QAbstractButton*>(optionName);
    return button && button->isChecked();
}

int QMInvest::daysOption() const {
    return mortgage_->daysOption();
}

void QMInvest::selectDaysOption(int index) {
    mortgage_->selectDaysOption(index);
}

void QMInvest::syncResults() {
    if (state().results == shownResults_)
        return;
    shownResults_ = state().results;
    ShowPage(results_, shownResults_);
}

void QMInvest::ChangeSSTab() {
    const int selected = tabs_->currentIndex();
    screen_.changeTab(selected);
    frames_->setCurrentIndex(selected); // hides the frame shown so far, shows the selected one
    pages_[static_cast<std::size_t>(selected)]->loadDefaults();
    syncResults();
}

void QMInvest::CRChoseCalc() {
    capital_->choseCalc();
}

void QMInvest::RIChoseCalc() {
    retired_->choseCalc();
}

void QMInvest::showOutcome(const CalcOutcome& outcome) {
    syncResults();
    for (const Message message : outcome.messages)
        ShowMessage(message);
}

void QMInvest::showOutcome(const MortgageOutcome& outcome) {
    syncResults();
    if (!outcome.plainMessage.isEmpty())
        ShowPlainMessage(outcome.plainMessage);
    if (outcome.focusPayment) {
        if (QWidget* payment = control(QStringLiteral("MTInMthPayment")))
            payment->setFocus(Qt::OtherFocusReason);
    }
    for (const Message message : outcome.messages)
        ShowMessage(message);
}

GrowthResults QMInvest::growthResults() const {
    return invested_->results();
}

void QMInvest::recalculateMortgage() {
    if (!closing_)
        mortgage_->recalculate();
}

void QMInvest::applyDaysOption() {
    if (!closing_)
        mortgage_->applyDaysOption();
}

void QMInvest::calculateClicked(CalcTab tab) {
    screen_.beginCalculate();
    pages_[static_cast<std::size_t>(tab)]->calculate();
}

void QMInvest::helpClicked(CalcTab tab) {
    screen_.showHelpPage(pages_[static_cast<std::size_t>(tab)]->helpPage());
    syncResults();
}

QString QMInvest::printedPage() const {
    return screen_.printedPage();
}

void QMInvest::printClicked() {
    if (state().results.isEmpty()) {
        ShowMessage(Message::NothingToPrintCalculate);
        return;
    }
    PrintResults(printedPage());
}

void QMInvest::graphClicked() {
    if (!ReadyToGraph(state().results, state().chartPoints))
        return;
    showChartWindow();
    syncResults();
}

void QMInvest::showChartWindow() {
    ShowCalculatorChart(state());
}

void QMInvest::howToUseClicked() {
    screen_.showHowToUse();
    syncResults();
}

void QMInvest::clearResultsClicked() {
    screen_.clearResults();
    syncResults();
}

} // namespace qm
