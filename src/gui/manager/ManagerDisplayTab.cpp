#include "gui/manager/ManagerDisplayTab.h"

#include "core/portfolio/RecordsCsv.h"
#include "core/text/Messages.h"
#include "gui/common/Dialogs.h"
#include "gui/common/SaveDialog.h"
#include "gui/common/WindowLayout.h"
#include "gui/manager/ManagerControls.h"
#include "gui/manager/QMManagement.h"
#include "gui/print/ResultsMenu.h"
#include "screens/FundDisplay.h"

#include <QAction>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm {

ManagerDisplayTab::ManagerDisplayTab(ManagerScreen& screen, QMManagement& window, QWidget* parent)
    : QWidget(parent), screen_(screen), window_(window) {
    QWidget* frame = this;
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
    connect(exit, &QPushButton::clicked, this, [this] { window_.close(); });
}

bool ManagerDisplayTab::setup() {
    const DisplayTabSetup setup = OpenDisplayTab(screen_.portfolio);
    if (setup.backToEntry) {
        window_.showMessages(setup.messages);
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

void ManagerDisplayTab::closeDisplayHelp() {
    if (dHelp_->text() != CloseHelpCaption)
        return;
    dHelp_->setText(HelpCaption);
    dResults_->clear();
}

void ManagerDisplayTab::DDispFunds_DblClick() {
    const int position = dDispFunds_->selectedPosition();
    closeDisplayHelp();
    ShowPage(dResults_, DisplayFund(screen_, position));
}

void ManagerDisplayTab::DDisplall_Click() {
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

void ManagerDisplayTab::DHelp_Click() {
    if (dHelp_->text() == CloseHelpCaption) {
        closeDisplayHelp();
        screen_.resultsPage.clear();
        return;
    }
    dHelp_->setText(CloseHelpCaption);
    ShowPage(dResults_, ShowDisplayHelp(screen_));
}

void ManagerDisplayTab::DPrint_Click() {
    window_.printPage(dResults_, screen_.resultsPage);
}

void ManagerDisplayTab::saveRecordsCsv() {
    const QString base = QFileInfo(screen_.portfolio.databaseName).completeBaseName();
    SaveCopy(QStringLiteral("Save records as CSV"), CsvFile,
             base.isEmpty() ? QStringLiteral("Records") : base,
             [this](QString&) { return RecordsCsv(screen_.portfolio); });
}

} // namespace qm
