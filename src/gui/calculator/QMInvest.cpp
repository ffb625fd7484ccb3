#include "gui/calculator/QMInvest.h"

#include "core/calculators/InvestedGrowth.h"
#include "gui/calculator/CalcTabPage.h"
#include "gui/calculator/CapitalPage.h"
#include "gui/calculator/CompoundPage.h"
#include "gui/calculator/InvestedPage.h"
#include "gui/calculator/MortgagePage.h"
#include "gui/calculator/PensionPage.h"
#include "gui/calculator/RetiredPage.h"
#include "gui/chart/QMGraph.h"
#include "gui/common/AppState.h"
#include "gui/common/BoxColours.h"
#include "gui/common/CommandGate.h"
#include "gui/common/Dialogs.h"
#include "gui/common/WindowLayout.h"
#include "gui/print/PrintResults.h"
#include "gui/print/ResultsMenu.h"

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
#include <algorithm>

namespace qm {

namespace {

// The Results box shows lines of this many characters without scrolling.
constexpr int ResultsColumns = 62;

// Whether control `name` belongs to the frame of `tab` by its name: the tab's prefix, the
// captions that change with an option, the frame itself.
bool BearsNameOf(const QString& name, int tab) {
    static constexpr const char* Prefixes[] = {"PG", "MT", "IG", "RI", "CG", "CR"};
    if (name.startsWith(QLatin1String(Prefixes[tab])))
        return true;
    if (name == QStringLiteral("FrameAll(%1)").arg(tab))
        return true;
    if (tab == RetiredIncomeTab)
        return name == QLatin1String("Label32") || name == QLatin1String("Label33");
    return tab == CapitalRequiredTab && name == QLatin1String("Label26");
}

} // namespace

QMInvest::QMInvest(QWidget* parent) : QMInvest(BuildOnly(), parent) {
    load();
}

QMInvest::QMInvest(BuildOnly, QWidget* parent) : WorkWindowBase(parent) {
    setObjectName(QStringLiteral("QMInvest"));
    setWindowTitle(QStringLiteral("Calculations"));
    PaintBoxesIn(this); // before the boxes are made, so that each is styled once
    build();
    // It always opens on "Invested growth".
    ChooseOpeningTab(tabs_, frames_, InvestedGrowthTab);

    // In idle time, in this order: each frame not built yet, laid out in the pass after it was
    // built; then the chart window of the page shown.
    idleSteps().add([this] {
        if (!toLayOut_)
            return false;
        LayOutHiddenPage(frames_, std::exchange(toLayOut_, nullptr));
        return true;
    });
    idleSteps().add([this] {
        const auto next = std::find(pages_.begin(), pages_.end(), nullptr);
        if (next == pages_.end())
            return false;
        const int tab = static_cast<int>(next - pages_.begin());
        toLayOut_ = page(tab);
        return true;
    });
    idleSteps().add([this] {
        if (!std::exchange(chartWanted_, false))
            return false;
        chartAhead_ = MakeCalculatorChart(state(), this);
        return true;
    });
}

void QMInvest::load() {
    // This is the work window, on the tab chosen as it was built.
    becomeWorkWindow(WorkWindow::Calculator);
    screen_.open(app().currencySymbol);
    screen_.state().visibleTab = PensionGrowthTab;
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
    const char* const captions[] = {"Pension growth", "Mortgage tables", "Invested growth",
                                    "Retired income", "Compound gain",   "Capital required"};
    for (const char* caption : captions)
        tabs_->addTab(QLatin1String(caption));
    // Frame i is tab i's: an empty stand-in (of no size) holds its place until it is built.
    for (int tab = 0; tab < 6; ++tab)
        frames_->addWidget(new QWidget(frames_));
    connect(tabs_, &QTabBar::currentChanged, this, [this] { ChangeSSTab(); });

    // The widest page lines (pension growth) are 59 characters: they show whole.
    results_ = PageBox(QStringLiteral("Results"), ResultsColumns, this);
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
    // then to the page and the window's buttons; each tab's controls join the chain as its
    // frame is built. The window opens on "Invested growth". The mortgage tab's frame is the
    // largest, wider and taller than every other: it decides the size of the window's frames,
    // so it is built with the shown one and the window's layout stays as it is while the other
    // frames are built.
    SetTabChain({tabs_, results_, graph, howTo, clear, exit});
    buildPage(InvestedGrowthTab);
    buildPage(MortgageTab);

    AddHelpAndPrintKeys(this, [this] { return frames_->currentWidget(); });

    // It opens at the size its layout asks for; the layout keeps it from shrinking below the
    // size at which every caption and a whole page line still show.
    ensurePolished();
    resize(sizeHint().expandedTo(QSize(0, WorkWindowHeight)));
}

void QMInvest::buildPage(int tab) {
    CalcTabPage* made = nullptr;
    switch (tab) {
    case PensionGrowthTab:
        made = new PensionPage(*this, frames_);
        break;
    case MortgageTab:
        made = mortgage_ = new MortgagePage(*this, frames_);
        break;
    case InvestedGrowthTab:
        made = invested_ = new InvestedPage(*this, frames_);
        break;
    case RetiredIncomeTab:
        made = retired_ = new RetiredPage(*this, frames_);
        break;
    case CompoundGainTab:
        made = new CompoundPage(*this, frames_);
        break;
    default:
        made = capital_ = new CapitalPage(*this, frames_);
        break;
    }
    pages_[static_cast<std::size_t>(tab)] = made;
    QWidget* const standIn = frames_->widget(tab);
    frames_->insertWidget(tab, made); // hidden
    frames_->removeWidget(standIn);
    delete standIn;
    // Its controls follow the last control of the nearest tab before it that is built (or the
    // tab bar); what followed that control follows them.
    QWidget* before = tabs_;
    for (int t = tab - 1; t >= 0; --t) {
        if (CalcTabPage* built = pages_[static_cast<std::size_t>(t)]) {
            before = built->focusChain().back();
            break;
        }
    }
    std::vector<QWidget*> chain{before};
    const std::vector<QWidget*> controls = made->focusChain();
    chain.insert(chain.end(), controls.begin(), controls.end());
    SetTabChain(chain);
}

CalcTabPage* QMInvest::page(int tab) {
    if (!isBuilt(tab))
        buildPage(tab);
    return pages_[static_cast<std::size_t>(tab)];
}

QWidget* QMInvest::control(const QString& name) {
    return findChild<QWidget*>(name);
}

QWidget* QMInvest::buildFrameOf(const QString& name) {
    if (QWidget* found = control(name))
        return found;
    // The tab whose names it bears first, then any other not built yet.
    for (const bool owner : {true, false}) {
        for (int tab = 0; tab < 6; ++tab) {
            if (isBuilt(tab) || (owner && !BearsNameOf(name, tab)))
                continue;
            CalcTabPage* built = page(tab);
            if (built->objectName() == name)
                return built;
            if (QWidget* found = built->findChild<QWidget*>(name))
                return found;
        }
    }
    return nullptr;
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
    QWidget* widget = control(name);
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
    const auto* button = qobject_cast<const QAbstractButton*>(findChild<QWidget*>(optionName));
    return button && button->isChecked();
}

int QMInvest::daysOption() const {
    return static_cast<MortgagePage*>(const_cast<QMInvest*>(this)->page(MortgageTab))->daysOption();
}

void QMInvest::selectDaysOption(int index) {
    static_cast<MortgagePage*>(page(MortgageTab))->selectDaysOption(index);
}

void QMInvest::syncResults() {
    if (state().results == shownResults_)
        return;
    shownResults_ = state().results;
    ShowPage(results_, shownResults_);
    // A new page: the chart made ahead was of the page before.
    chartAhead_.reset();
    chartWanted_ = !shownResults_.isEmpty() && state().chartPoints != 0;
    if (chartWanted_)
        buildAgainInIdleTime();
}

void QMInvest::ChangeSSTab() {
    const int selected = tabs_->currentIndex();
    CalcTabPage* shown = page(selected);
    screen_.changeTab(selected);
    frames_->setCurrentIndex(selected); // hides the frame shown so far, shows the selected one
    shown->loadDefaults();
    syncResults();
}

void QMInvest::CRChoseCalc() {
    page(CapitalRequiredTab);
    capital_->choseCalc();
}

void QMInvest::RIChoseCalc() {
    page(RetiredIncomeTab);
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
    // Only the mortgage tab's controls ask for these, so its frame is built.
    if (!closing_ && mortgage_)
        mortgage_->recalculate();
}

void QMInvest::applyDaysOption() {
    if (!closing_ && mortgage_)
        mortgage_->applyDaysOption();
}

void QMInvest::calculateClicked(CalcTab tab) {
    screen_.beginCalculate();
    page(tab)->calculate();
}

void QMInvest::helpClicked(CalcTab tab) {
    screen_.showHelpPage(page(tab)->helpPage());
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
    ShowCalculatorChart(state(), std::move(chartAhead_));
    // The same chart may be asked for again.
    chartWanted_ = true;
    buildAgainInIdleTime();
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
