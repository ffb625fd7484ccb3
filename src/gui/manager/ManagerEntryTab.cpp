#include "gui/manager/ManagerEntryTab.h"

#include "gui/common/AppState.h"
#include "gui/common/Dialogs.h"
#include "gui/common/RecentList.h"
#include "gui/common/WindowLayout.h"
#include "gui/manager/ManagerControls.h"
#include "gui/manager/PortfolioStep.h"
#include "gui/manager/QMManagement.h"
#include "gui/print/ResultsMenu.h"
#include "screens/RecordEntry.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUndoStack>
#include <QVBoxLayout>

namespace qm {

namespace {

const QString AddFundCaption = QStringLiteral("&Add Fund Name");
const QString AddFundPrompt = QStringLiteral(" Type in the name of the fund or") +
                              QString(15, QLatin1Char(' ')) + QStringLiteral("company.");

// Characters the entry boxes show whole: a date in the short format, and an amount with the
// currency symbol, thousands and four decimals.
constexpr int DateColumns = 12;
constexpr int AmountColumns = 16;

} // namespace

ManagerEntryTab::ManagerEntryTab(ManagerScreen& screen, QMManagement& window, QWidget* parent)
    : QWidget(parent), screen_(screen), window_(window) {
    QWidget* frame = this;

    eFunds_ = new LockedList(QStringLiteral("EFunds"), frame);
    eFunds_->setMinimumWidth(280);
    auto* createFund = ManagerButton("ECreateFund", "Add &fund", frame);
    createFund->setMinimumWidth(160);
    eNumFunds_ = ManagerLabel(QStringLiteral("ENumFunds"), QStringLiteral("Funds:  0"), frame);
    eNumRec_ = ManagerLabel(QStringLiteral("ENumRec"), QStringLiteral("Records:    0"), frame);
    eDbaseName_ =
        ManagerLabel(QStringLiteral("EDbaseName"), QStringLiteral("Database: None"), frame);

    auto* fundsLabel =
        ManagerLabel(QStringLiteral("EFundsLabel"), QStringLiteral("Name of active fund"), frame);
    NameAfterLabel(fundsLabel, eFunds_);
    auto* createLabel = ManagerLabel(QStringLiteral("ECreateFundLabel"),
                                     QStringLiteral("Add a new fund to database"), frame);
    // The button keeps its caption as its name; the label beside it says what it does.
    createLabel->setBuddy(createFund);
    createFund->setAccessibleDescription(createLabel->text());
    auto* top = new QGridLayout;
    top->setHorizontalSpacing(16);
    top->addWidget(fundsLabel, 0, 0);
    top->addWidget(eFunds_, 1, 0);
    top->addWidget(createLabel, 0, 1);
    top->addWidget(createFund, 1, 1, Qt::AlignLeft);
    auto* counters = new QHBoxLayout;
    counters->setSpacing(24);
    for (QLabel* label : {eNumFunds_, eNumRec_, eDbaseName_})
        counters->addWidget(label);
    counters->addStretch();
    // The databases last opened or saved, one choice away (read again as the tab opens).
    // Like the history's buttons, it is passed over by Tab (the tab's order is its entry row's
    // and record buttons'); its access key and the mouse reach it.
    recent_ = new RecentList(frame);
    recent_->setFocusPolicy(Qt::ClickFocus);
    recent_->onChosen = [this](const QString& path) { window_.openDatabaseFile(path); };
    counters->addWidget(recent_);
    top->addLayout(counters, 2, 0, 1, 3);
    top->setColumnStretch(2, 1);

    // The data entry row: each caption above its box, the columns as wide as their captions.
    auto* input = new QGroupBox(QStringLiteral("Record input"), frame);
    input->setObjectName(QStringLiteral("ERecordInput"));
    auto* row = new QGridLayout(input);
    row->setHorizontalSpacing(12);
    eTransType_ = new LockedList(QStringLiteral("ETransType"), input);
    eTransType_->setMinimumWidth(160);
    auto* typeLabel = ManagerLabel(QStringLiteral("ETransTypeLabel"),
                                   QStringLiteral("Select Transaction type from list"), input);
    NameAfterLabel(typeLabel, eTransType_);
    row->addWidget(typeLabel, 0, 0);
    row->addWidget(eTransType_, 1, 0);
    eInDate_ = new DateBox(QStringLiteral("EInDate"), input);
    eInDate_->setMinimumWidth(LineEditWidth(eInDate_, DateColumns));
    auto* dateLabel =
        ManagerLabel(QStringLiteral("EInDateLabel"), QStringLiteral("Transaction date"), input);
    NameAfterLabel(dateLabel, eInDate_);
    row->addWidget(dateLabel, 0, 1);
    row->addWidget(eInDate_, 1, 1);
    const struct {
        const char* name;
        const char* label;
    } amounts[] = {{"EInPrice", "Price of each share"},
                   {"EInNumShrs", "Number of shares"},
                   {"EInComm", "Total fees or commission"},
                   {"EInCashDiv", "Total of cash dividends"}};
    for (int i = 1; i <= 4; ++i) {
        const auto& a = amounts[i - 1];
        auto* box = new AmountBox(QLatin1String(a.name), screen_.editFlag, input);
        box->setMinimumWidth(LineEditWidth(box, AmountColumns));
        auto* label = ManagerLabel(QLatin1String(a.name) + QStringLiteral("Label"),
                                   QLatin1String(a.label), input);
        NameAfterLabel(label, box);
        row->addWidget(label, 0, i + 1);
        row->addWidget(box, 1, i + 1);
        // A box hidden for the chosen type keeps its place, so the row does not shift.
        KeepPlaceWhenHidden(box);
        KeepPlaceWhenHidden(label);
        eAmounts_[static_cast<std::size_t>(i)] = box;
        eAmountLabels_[static_cast<std::size_t>(i)] = label;
        box->onLeave = [this, i](const QString& typed) { return LeaveEntryBox(screen_, i, typed); };
        const EntryControl from = static_cast<EntryControl>(i); // Price, Shares, Fees, Dividend
        box->onEnter = [this, from] { enterFromEntryBox(from); };
    }
    row->setColumnStretch(6, 1);
    eInDate_->onEnter = [this] { enterFromEntryBox(EntryControl::Date); };

    eAddaRec_ = ManagerButton("EAddaRec", "&Add Record", frame);
    auto* correct = ManagerButton("ECorrectRec", "&Correct record", frame);
    auto* remove = ManagerButton("EDelRec", "&Delete record", frame);
    auto* print = ManagerButton("EPrint", "&Print", frame);
    eHelp_ = ManagerButton("EHelp", "&Help", frame);
    auto* exit = ManagerButton("EExit", "E&xit to menu", frame);
    // Take back the last change, or make it again: enabled while there is one.
    undo_ = ManagerButton("UndoRecord", "&Undo", frame);
    redo_ = ManagerButton("RedoRecord", "&Redo", frame);
    for (QPushButton* button : {undo_, redo_})
        button->setFocusPolicy(Qt::ClickFocus); // Alt+U, Alt+R, Ctrl+Z and the redo keys
    const QUndoStack& history = window_.history();
    const auto followHistory = [this, &history] {
        undo_->setEnabled(history.canUndo());
        redo_->setEnabled(history.canRedo());
        undo_->setToolTip(history.canUndo()
                              ? QStringLiteral("Undo %1 (Ctrl+Z)").arg(history.undoText())
                              : QString());
        redo_->setToolTip(history.canRedo()
                              ? QStringLiteral("Redo %1 (Ctrl+Shift+Z)").arg(history.redoText())
                              : QString());
        undo_->setAccessibleDescription(undo_->toolTip());
        redo_->setAccessibleDescription(redo_->toolTip());
    };
    connect(&history, &QUndoStack::indexChanged, this, followHistory);
    connect(&history, &QUndoStack::cleanChanged, this, followHistory);
    followHistory();
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {eAddaRec_, correct, remove, undo_, redo_, print, eHelp_, exit})
        buttons->addWidget(b);
    buttons->addStretch();

    eResults_ = ManagerResultsBox("EResults", 96, frame);
    AddResultsMenu(eResults_,
                   [this] { return eResults_->toPlainText().isEmpty() ? QString() : entryPage(); });

    auto* layout = new QVBoxLayout(frame);
    layout->addLayout(top);
    layout->addWidget(input);
    layout->addLayout(buttons);
    layout->addWidget(eResults_, 1);

    eFunds_->onChosen = [this] { EFunds_Click(); };
    eFunds_->onEnter = [this] { eTransType_->setFocus(Qt::TabFocusReason); };
    eTransType_->onChosen = [this] { ETransType_Click(); };
    eTransType_->onEnter = [this] { eInDate_->setFocus(Qt::TabFocusReason); };
    eTransType_->onDelete = [this] {
        showNumberBoxes();
        clearEntryRow();
        disableEntryBoxes();
    };
    connect(createFund, &QPushButton::clicked, this, [this] { ECreateFund_Click(); });
    connect(eAddaRec_, &QPushButton::clicked, this, [this] { EAddaRec_Click(); });
    connect(correct, &QPushButton::clicked, this, [this] { ECorrectRec_Click(); });
    connect(remove, &QPushButton::clicked, this, [this] { EDelRec_Click(); });
    connect(print, &QPushButton::clicked, this, [this] { EPrint_Click(); });
    connect(eHelp_, &QPushButton::clicked, this, [this] { EHelp_Click(); });
    connect(exit, &QPushButton::clicked, this, [this] { window_.close(); });
    connect(undo_, &QPushButton::clicked, this, [this] { window_.undoStep(); });
    connect(redo_, &QPushButton::clicked, this, [this] { window_.redoStep(); });
    // Made as the tab opens (idle until a fund is picked), so that a window drawn ahead draws
    // the boxes as its first frame shows them.
    disableEntryBoxes();
}

void ManagerEntryTab::setup() {
    recent_->refresh();
    const EntryTabSetup setup = SetupEntryTab(screen_);
    eFunds_->setItems(setup.funds);
    eFunds_->setText(setup.fundText);
    ERunHelp();
    showCaptions(setup.captions);
    eTransType_->setItems(setup.types);
    // The entry row starts idle: a fund must be picked again before anything is typed.
    showNumberBoxes();
    clearEntryRow();
    disableEntryBoxes();
}

void ManagerEntryTab::showStep(const QString& fund) {
    setup();
    if (fund.isEmpty() || !FundNames(screen_.portfolio).contains(fund))
        return;
    eFunds_->setText(fund);
    ShowPage(eResults_, PickFund(screen_, fund));
}

void ManagerEntryTab::showCaptions(const EntryCaptions& captions) {
    eNumFunds_->setText(captions.funds);
    eNumRec_->setText(captions.records);
    eDbaseName_->setText(captions.database);
}

void ManagerEntryTab::ERunHelp() {
    if (eHelp_->text() != CloseHelpCaption)
        return;
    eHelp_->setText(HelpCaption);
    ShowPage(eResults_, CloseEntryHelp(screen_));
}

void ManagerEntryTab::EFunds_Click() {
    ERunHelp();
    const QString page = PickFund(screen_, eFunds_->text());
    showNumberBoxes();
    disableEntryBoxes();
    clearEntryRow();
    ShowPage(eResults_, page);
}

void ManagerEntryTab::ECreateFund_Click() {
    ERunHelp();
    // Closing the name dialog by its close box leaves the answer as it was: start from the
    // cancel answer so that an earlier fund's name is never added again.
    dialogState().lineInputText = QStringLiteral("1");
    const QString name = AskLine(AddFundCaption, AddFundPrompt);
    const SharedContent before = window_.contentNow();
    const AddFundOutcome out = AddFundClick(screen_, name);
    window_.recordStep(QStringLiteral("add fund"), before, out.fundText);
    window_.showMessages(out.messages);
    if (out.added) {
        eFunds_->addItem(out.fundText);
        eFunds_->setText(out.fundText);
        ShowPage(eResults_, out.page);
    }
    showCaptions(out.captions);
}

void ManagerEntryTab::ETransType_Click() {
    const ChooseTypeOutcome out = ChooseType(screen_, eTransType_->text());
    if (!out.accepted) {
        window_.showMessages(out.messages);
        eTransType_->setText(QString());
        eFunds_->setFocus(Qt::OtherFocusReason);
        return;
    }
    eInDate_->clear();
    for (std::size_t i = 1; i <= 4; ++i)
        eAmounts_[i]->clear();
    applyBoxes(out.boxes);
}

void ManagerEntryTab::EAddaRec_Click() {
    ERunHelp();
    const SharedContent before = window_.contentNow();
    const bool correcting = screen_.correcting();
    const QString fund = eFunds_->text();
    const AddRecordOutcome out =
        AddRecordClick(screen_, {fund, eTransType_->text(), eInDate_->text()});
    window_.recordStep(correcting ? QStringLiteral("correct record") : QStringLiteral("add record"),
                       before, fund);
    window_.showMessages(out.messages);
    if (out.stored)
        disableEntryBoxes();
    if (out.clearRow) {
        showNumberBoxes();
        clearEntryRow();
    }
    if (out.showPage)
        ShowPage(eResults_, out.page);
    showCaptions(out.captions);
}

void ManagerEntryTab::ECorrectRec_Click() {
    ERunHelp();
    const BeginOutcome begin = BeginCorrect(screen_, eFunds_->text());
    window_.showMessages(begin.messages);
    if (!begin.openDialog)
        return;
    const FetchOutcome fetch = FetchForCorrection(screen_, AskRecordNumber(1));
    window_.showMessages(fetch.messages);
    if (!fetch.fetched)
        return;
    // The fund and the type of a record cannot be changed.
    eTransType_->setText(fetch.typeText);
    eTransType_->setEnabled(false);
    eInDate_->setText(fetch.dateText);
    for (std::size_t i = 1; i <= 4; ++i)
        eAmounts_[i]->setText(fetch.boxTexts[i]);
    applyBoxes(fetch.boxes);
}

void ManagerEntryTab::EDelRec_Click() {
    ERunHelp();
    const BeginOutcome begin = BeginDelete(screen_, eFunds_->text());
    window_.showMessages(begin.messages);
    bool yes = false;
    if (begin.openDialog) {
        const DeleteChoice choice = ChooseRecordToDelete(screen_, AskRecordNumber(0));
        window_.showMessages(choice.messages);
        if (choice.question != Question::DeleteRecord)
            return;
        yes =
            AskQuestion(Question::DeleteRecord, screen_.portfolio.databaseName, choice.recordText);
    } else if (begin.question == Question::DeleteFund) {
        yes = AskQuestion(Question::DeleteFund);
    } else {
        return;
    }
    const SharedContent before = window_.contentNow();
    const QString fund = eFunds_->text();
    const DeleteOutcome out = ConfirmDelete(screen_, yes);
    window_.recordStep(out.fundDeleted ? QStringLiteral("delete fund")
                                       : QStringLiteral("delete record"),
                       before, out.fundDeleted ? QString() : fund);
    if (out.recordDeleted)
        ShowPage(eResults_, out.page);
    if (out.fundDeleted)
        eFunds_->setItems(out.funds);
    showCaptions(out.captions);
}

void ManagerEntryTab::EHelp_Click() {
    if (eHelp_->text() == CloseHelpCaption) {
        ERunHelp();
        return;
    }
    eHelp_->setText(CloseHelpCaption);
    ShowPage(eResults_, ShowEntryHelp(screen_));
}

QString ManagerEntryTab::entryPage() const {
    // The help page while it is shown, else the record list.
    return screen_.helpPage.isEmpty() ? screen_.resultsPage : screen_.helpPage;
}

void ManagerEntryTab::EPrint_Click() {
    window_.printPage(eResults_, entryPage());
}

void ManagerEntryTab::clearEntryRow() {
    eTransType_->setEnabled(true);
    eTransType_->setText(QString());
    eInDate_->clear();
    for (std::size_t i = 1; i <= 4; ++i)
        eAmounts_[i]->clear();
}

void ManagerEntryTab::disableEntryBoxes() {
    eInDate_->setEnabled(false);
    for (std::size_t i = 1; i <= 4; ++i)
        eAmounts_[i]->setEnabled(false);
}

void ManagerEntryTab::showNumberBoxes() {
    for (std::size_t i = 1; i <= 4; ++i) {
        eAmounts_[i]->setVisible(true);
        eAmountLabels_[i]->setVisible(true);
    }
}

void ManagerEntryTab::applyBoxes(const EntryBoxes& b) {
    eInDate_->setEnabled(b.dateEnabled);
    const std::array<bool, 5> enabled{false, b.priceEnabled, b.sharesEnabled, b.feesEnabled,
                                      b.cashDividendEnabled};
    const std::array<bool, 5> visible{false, b.priceVisible, b.sharesVisible, b.feesVisible,
                                      b.cashDividendVisible};
    for (std::size_t i = 1; i <= 4; ++i) {
        eAmounts_[i]->setEnabled(enabled[i]);
        eAmounts_[i]->setVisible(visible[i]);
        eAmountLabels_[i]->setVisible(visible[i]);
    }
}

void ManagerEntryTab::enterFromEntryBox(EntryControl from) {
    const EntryControl target = EnterTarget(from, screen_.transType());
    QWidget* to = target == EntryControl::AddRecord ? static_cast<QWidget*>(eAddaRec_)
                  : target == EntryControl::Date
                      ? static_cast<QWidget*>(eInDate_)
                      : static_cast<QWidget*>(eAmounts_[static_cast<std::size_t>(target)]);
    to->setFocus(Qt::TabFocusReason);
}

} // namespace qm
