#include "gui/manager/ManagerCurrentValueTab.h"

#include "gui/chart/QMGraph.h"
#include "gui/common/Dialogs.h"
#include "gui/common/WindowLayout.h"
#include "gui/manager/ManagerControls.h"
#include "gui/manager/QMManagement.h"
#include "gui/print/ResultsMenu.h"
#include "screens/CurrentValue.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm {

namespace {

// Characters a price box shows whole: the currency symbol, thousands and four decimals.
constexpr int PriceColumns = 16;

} // namespace

ManagerCurrentValueTab::ManagerCurrentValueTab(ManagerScreen& screen, QMManagement& window,
                                               QWidget* parent)
    : QWidget(parent), screen_(screen), window_(window) {
    QWidget* frame = this;
    // Nine funds a column, each name with its price box beside it; only the rows of funds in
    // the database show.
    auto* prices = new QGridLayout;
    prices->setHorizontalSpacing(12);
    constexpr int PerColumn = MaxFunds / 2;
    for (int i = 0; i < MaxFunds; ++i) {
        const auto index = static_cast<std::size_t>(i);
        auto* name = ManagerLabel(QStringLiteral("CVFundName(%1)").arg(i), QString(), frame);
        name->setMinimumWidth(220);
        auto* box = new AmountBox(QStringLiteral("CVInPrice(%1)").arg(i), screen_.editFlag, frame);
        box->setFixedWidth(LineEditWidth(box, PriceColumns));
        box->setEnabled(false);
        name->setBuddy(box);
        cvFundName_[index] = name;
        cvInPrice_[index] = box;
        // The names of the second column stand apart from the boxes of the first.
        const int column = (i / PerColumn) * 3;
        prices->addWidget(name, i % PerColumn, column);
        prices->addWidget(box, i % PerColumn, column + 1);
        KeepPlaceWhenHidden(name);
        KeepPlaceWhenHidden(box);
        name->hide();
        box->hide();

        box->onFirstKey = [this] {
            cvResults_->clear();
            ClearCurrentValueReport(screen_);
        };
        box->onEnter = [this, i] {
            QWidget* next = i < screen_.portfolio.fundCount - 1
                                ? static_cast<QWidget*>(cvInPrice_[static_cast<std::size_t>(i + 1)])
                                : static_cast<QWidget*>(cvCalc_);
            next->setFocus(Qt::TabFocusReason);
        };
        box->onLeave = [this, i](const QString& typed) { return LeavePriceBox(screen_, i, typed); };
    }

    cvCalc_ = ManagerButton("CVCalc", "&Calculate", frame);
    auto* print = ManagerButton("CVPrint", "&Print", frame);
    auto* graph = ManagerButton("CVGraph", "&Graph", frame);
    auto* help = ManagerButton("CVHelp", "&Help", frame);
    auto* exit = ManagerButton("CVExit", "E&xit to menu", frame);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cvCalc_, print, graph, help, exit})
        buttons->addWidget(b);
    buttons->addStretch();
    cvResults_ = ManagerResultsBox("CVResults", 85, frame);
    AddResultsMenu(cvResults_, [this] {
        return cvResults_->toPlainText().isEmpty() ? QString() : screen_.resultsPage;
    });
    prices->setColumnMinimumWidth(2, 24);
    prices->setColumnStretch(5, 1);

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(prices);
    layout->addLayout(buttons);
    layout->addWidget(cvResults_, 1);

    connect(cvCalc_, &QPushButton::clicked, this, [this] { CVCalc_Click(); });
    connect(print, &QPushButton::clicked, this, [this] { CVPrint_Click(); });
    connect(graph, &QPushButton::clicked, this, [this] { CVGraph_Click(); });
    connect(help, &QPushButton::clicked, this, [this] { CVHelp_Click(); });
    connect(exit, &QPushButton::clicked, this, [this] { window_.close(); });
}

bool ManagerCurrentValueTab::setup() {
    const CurrentValueTabSetup setup = OpenCurrentValueTab(screen_.portfolio);
    if (setup.backToEntry) {
        window_.showMessages(setup.messages);
        return false;
    }
    for (std::size_t i = 0; i < MaxFunds; ++i) {
        cvInPrice_[i]->setText(setup.prices[i]);
        cvInPrice_[i]->setEnabled(setup.enabled[i]);
    }
    showFunds(screen_.portfolio);
    return true;
}

void ManagerCurrentValueTab::showFunds(const Portfolio& portfolio) {
    // The rows change together: the frame is laid out once, after the last, not again for each
    // name and box shown.
    QLayout* const rows = layout();
    rows->setEnabled(false);
    for (std::size_t i = 0; i < MaxFunds; ++i) {
        const int fund = static_cast<int>(i) + 1;
        const bool shown = fund <= portfolio.fundCount;
        cvFundName_[i]->setText(shown ? AsTyped(portfolio.fundName(fund)) : QString());
        // A price box is named after its fund; the rows past the last fund stay hidden.
        NameAfterLabel(cvFundName_[i], cvInPrice_[i]);
        cvFundName_[i]->setVisible(shown);
        cvInPrice_[i]->setVisible(shown);
    }
    rows->setEnabled(true);
    rows->activate();
}

void ManagerCurrentValueTab::CVCalc_Click() {
    cvResults_->clear();
    const CurrentValueOutcome out = CalculateCurrentValue(screen_);
    ShowPage(cvResults_, out.page);
    window_.showMessages(out.messages);
}

void ManagerCurrentValueTab::CVPrint_Click() {
    window_.printPage(cvResults_, screen_.resultsPage);
}

void ManagerCurrentValueTab::CVHelp_Click() {
    ShowPage(cvResults_, ShowCurrentValueHelp(screen_));
}

void ManagerCurrentValueTab::CVGraph_Click() {
    if (!PrepareCurrentValueChart(screen_, cvResults_->toPlainText())) {
        ShowMessage(Message::NothingToGraph);
        return;
    }
    const FundTotalReader fundTotal = [this](int row, int column) {
        return screen_.portfolio.fundTotals.at(row, column);
    };
    const QStringList names = FundNames(screen_.portfolio);
    // The chart window shows the funds' current values (row = fund, columns 3 to 5).
    if (managerHooks().showChart)
        managerHooks().showChart(screen_.chartPoints, fundTotal, names);
    else
        ShowManagerChart(screen_.chartPoints, fundTotal, names, screen_.currencySymbol);
}

} // namespace qm
