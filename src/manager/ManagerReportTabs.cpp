// The "Display data" and "Current value" tabs of the investment manager.

#include "app/Dialogs.h"
#include "app/Messages.h"
#include "manager/CurrentValue.h"
#include "manager/FundDisplay.h"
#include "manager/ManagerControls.h"
#include "manager/QMManagement.h"
#include "manager/RecordsCsv.h"
#include "print/ResultsMenu.h"
#include "ui/SaveDialog.h"
#include "ui/WindowLayout.h"

#include <QAction>
#include <QFileInfo>
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

QWidget* QMManagement::buildDisplayFrame() {
    auto* frame = new QWidget;
    dDispFunds_ = new FundListBox(QStringLiteral("DDispFunds"), frame);
    // The list has no caption of its own: screen readers name it by what it holds and say
    // how it is used.
    dDispFunds_->setAccessibleName(QStringLiteral("Fund names"));
    dDispFunds_->setAccessibleDescription(
        QStringLiteral("To show an individual fund. Double click on it."));
    dDispFunds_->setFixedWidth(240);
    auto* all = ManagerButton("DDisplall", "&Display all funds", frame);
    dHelp_ = ManagerButton("DHelp", "&Help", frame);
    auto* print = ManagerButton("DPrint", "&Print", frame);
    auto* exit = ManagerButton("DExit", "E&xit to menu", frame);
    dResults_ = ManagerResultsBox("DDResults", 90, frame);
    // The records go out as a table from the box's menu and from anywhere else on the tab.
    auto* csv = new QAction(QStringLiteral("Save records as CSV..."), frame);
    csv->setObjectName(QStringLiteral("SaveRecordsCsv"));
    connect(csv, &QAction::triggered, this, [this] { saveRecordsCsv(); });
    frame->addAction(csv);
    frame->setContextMenuPolicy(Qt::ActionsContextMenu);
    AddResultsMenu(
        dResults_,
        [this] { return dResults_->toPlainText().isEmpty() ? QString() : screen_.resultsPage; },
        {csv});

    auto* left = new QVBoxLayout;
    left->addWidget(dDispFunds_, 1);
    left->addSpacing(6);
    for (QPushButton* b : {all, dHelp_, print, exit})
        left->addWidget(b);
    auto* layout = new QHBoxLayout(frame);
    layout->setSpacing(12);
    layout->addLayout(left);
    layout->addWidget(dResults_, 1);

    dDispFunds_->onDoubleClick = [this] { DDispFunds_DblClick(); };
    dDispFunds_->onEnter = [this] { screen_.activeFund = dDispFunds_->selectedPosition() + 1; };
    connect(all, &QPushButton::clicked, this, [this] { DDisplall_Click(); });
    connect(dHelp_, &QPushButton::clicked, this, [this] { DHelp_Click(); });
    connect(print, &QPushButton::clicked, this, [this] { DPrint_Click(); });
    connect(exit, &QPushButton::clicked, this, [this] { close(); });
    return frame;
}

bool QMManagement::setupDisplayTab() {
    const DisplayTabSetup setup = OpenDisplayTab(screen_.portfolio);
    if (setup.backToEntry) {
        showMessages(setup.messages);
        return false;
    }
    dResults_->clear();
    // The box was emptied with the help text: the button offers help again.
    dHelp_->setText(HelpCaption);
    dDispFunds_->clear();
    dDispFunds_->addItems(setup.funds);
    if (!setup.funds.isEmpty())
        dDispFunds_->setCurrentRow(0);
    return true;
}

void QMManagement::closeDisplayHelp() {
    if (dHelp_->text() != CloseHelpCaption)
        return;
    dHelp_->setText(HelpCaption);
    dResults_->clear();
}

void QMManagement::DDispFunds_DblClick() {
    const int position = dDispFunds_->selectedPosition();
    closeDisplayHelp();
    ShowPage(dResults_, DisplayFund(screen_, position));
}

void QMManagement::DDisplall_Click() {
    closeDisplayHelp();
    const QString shownPage = screen_.resultsPage;
    const DisplayAllOutcome out = DisplayAllFunds(screen_);
    if (!out.fits) {
        // The box keeps what it showed, and printing prints that.
        screen_.resultsPage = shownPage;
        ShowPlainMessage(QString::fromLatin1(NoTextSpaceText));
        return;
    }
    if (dDispFunds_->count() > 0)
        dDispFunds_->setCurrentRow(0);
    ShowPage(dResults_, out.page);
}

void QMManagement::DHelp_Click() {
    if (dHelp_->text() == CloseHelpCaption) {
        closeDisplayHelp();
        screen_.resultsPage.clear();
        return;
    }
    dHelp_->setText(CloseHelpCaption);
    ShowPage(dResults_, ShowDisplayHelp(screen_));
}

void QMManagement::DPrint_Click() {
    printPage(dResults_, screen_.resultsPage);
}

void QMManagement::saveRecordsCsv() {
    const QString base = QFileInfo(screen_.portfolio.databaseName).completeBaseName();
    SaveCopy(QStringLiteral("Save records as CSV"), CsvFile,
             base.isEmpty() ? QStringLiteral("Records") : base,
             [this](QString&) { return RecordsCsv(screen_.portfolio); });
}

QWidget* QMManagement::buildCurrentValueFrame() {
    auto* frame = new QWidget;
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
    connect(exit, &QPushButton::clicked, this, [this] { close(); });
    return frame;
}

bool QMManagement::setupCurrentValueTab() {
    const CurrentValueTabSetup setup = OpenCurrentValueTab(screen_.portfolio);
    if (setup.backToEntry) {
        showMessages(setup.messages);
        return false;
    }
    for (std::size_t i = 0; i < MaxFunds; ++i) {
        cvFundName_[i]->setText(AsTyped(setup.names[i]));
        cvInPrice_[i]->setText(setup.prices[i]);
        cvInPrice_[i]->setEnabled(setup.enabled[i]);
        // A price box is named after its fund; the rows past the last fund stay hidden.
        NameAfterLabel(cvFundName_[i], cvInPrice_[i]);
        cvFundName_[i]->setVisible(setup.enabled[i]);
        cvInPrice_[i]->setVisible(setup.enabled[i]);
    }
    return true;
}

void QMManagement::CVCalc_Click() {
    cvResults_->clear();
    const CurrentValueOutcome out = CalculateCurrentValue(screen_);
    ShowPage(cvResults_, out.page);
    showMessages(out.messages);
}

void QMManagement::CVPrint_Click() {
    printPage(cvResults_, screen_.resultsPage);
}

void QMManagement::CVHelp_Click() {
    ShowPage(cvResults_, ShowCurrentValueHelp(screen_));
}

} // namespace qm
