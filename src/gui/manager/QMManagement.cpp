#include "gui/manager/QMManagement.h"

#include "core/portfolio/DatabaseFile.h"
#include "core/text/Dates.h"
#include "gui/common/AppState.h"
#include "gui/common/BoxColours.h"
#include "gui/common/CommandGate.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FileDialogs.h"
#include "gui/common/StartFolder.h"
#include "gui/common/WindowLayout.h"
#include "gui/manager/ManagerControls.h"
#include "gui/manager/ManagerCurrentValueTab.h"
#include "gui/manager/ManagerDisplayTab.h"
#include "gui/manager/ManagerEntryTab.h"
#include "gui/print/PrintResults.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QSplitter>
#include <QStackedWidget>
#include <QStandardPaths>
#include <QTabBar>
#include <QUrl>
#include <QVBoxLayout>
#include <QWindow>

#include <utility>

namespace qm {

namespace {

// Steps kept in the history: at 600 records a step holds about 50 kB.
constexpr int UndoLimit = 100;

} // namespace

ManagerHooks& managerHooks() {
    static ManagerHooks hooks;
    return hooks;
}

QMManagement::QMManagement(QWidget* parent) : QMManagement(BuildOnly(), parent) {
    load();
}

QMManagement::QMManagement(BuildOnly, QWidget* parent) : WorkWindowBase(parent) {
    setObjectName(QStringLiteral("QMManagement"));
    setWindowTitle(QStringLiteral("Investment manager"));
    PaintBoxesIn(this); // before the boxes are made, so that each is styled once
    build();
    ChooseOpeningTab(tabs_, frames_, EntryTab);

    // In idle time, in this order: the funds of a file opened since shown in the value frame;
    // then, in a manager that opened empty, the file dialog set up for "Open file" (the first
    // thing done there), the value frame, and its layout in the pass after. A manager that
    // opened on a database (the program started on a file) holds only what it shows: the file
    // dialog and the frame are made when first asked for (about 3.6 MB and 0.5 MB until then).
    idleSteps().add([this] {
        if (!std::exchange(fundsToShow_, false))
            return false;
        valueTab_->showFunds(screen_.portfolio);
        return true;
    });
    const auto openedEmpty = [this] { return screen_.portfolio.databasePath.isEmpty(); };
    idleSteps().add([this, openedEmpty] {
        if (fileDialog_ || !openedEmpty())
            return false;
        setUpFileDialog(false);
        return true;
    });
    idleSteps().add([this, openedEmpty] {
        if (valueTab_ || !openedEmpty())
            return false;
        valueTab();
        valueTabToLayOut_ = true;
        return true;
    });
    idleSteps().add([this] {
        if (!std::exchange(valueTabToLayOut_, false))
            return false;
        LayOutHiddenPage(frames_, valueTab_);
        return true;
    });
}

void QMManagement::load() {
    becomeWorkWindow(WorkWindow::Manager);
    screen_.currencySymbol = app().currencySymbol;
    InitScreen(screen_);
    portfolioIsFile(true);
    ChangesSSTab2(); // the tab chosen as it was built
}

namespace {

// The file dialog of a manager window that went, kept for the next manager window: deleting it
// would have Qt write its own settings file to disk there and then, and a new one would read
// back just what it holds. The one kept goes as the program quits; a window that goes after
// that deletes its own.
struct SpareFileDialog {
    QPointer<QFileDialog> dialog;
    bool quitting = false;
};

SpareFileDialog& spareFileDialog() {
    static SpareFileDialog spare;
    static const bool deletedAtQuit = [] {
        QObject::connect(qApp, &QCoreApplication::aboutToQuit, qApp, [] {
            spare.quitting = true;
            delete spare.dialog.data();
        });
        return true;
    }();
    Q_UNUSED(deletedAtQuit);
    return spare;
}

} // namespace

QMManagement::~QMManagement() {
    SpareFileDialog& spare = spareFileDialog();
    if (fileDialog_ && !spare.dialog && !spare.quitting)
        spare.dialog = fileDialog_.release();
}

void QMManagement::build() {
    tabs_ = new QTabBar(this);
    tabs_->setObjectName(QStringLiteral("SSTab2"));
    // Clicking a tab, or turning the mouse wheel over the tabs, takes the focus first, so the
    // box being edited is left (and its value kept) before the tab change.
    tabs_->setFocusPolicy(Qt::WheelFocus);
    tabs_->setUsesScrollButtons(false);
    tabs_->setElideMode(Qt::ElideNone);
    tabs_->setExpanding(false);
    frames_ = new QStackedWidget(this);
    const char* const captions[] = {"Open file", "Save file", "Add - edit records", "Display data",
                                    "Current value"};
    for (const char* caption : captions)
        tabs_->addTab(QLatin1String(caption));
    // Each tab shows frame AllFramesIM(tab). The open and save frames stay empty: the file
    // dialog is shown over them while a file is chosen. Each is made under the frames, so that
    // its controls are styled once. The "Current value" frame is built when first needed (its
    // tab chosen, or asked for with valueTab()) or in idle time after the window's first
    // frame: the display frame, the widest, and the window's height decide the window's size.
    QWidget* const openFrame = new QWidget(frames_);
    QWidget* const saveFrame = new QWidget(frames_);
    entryTab_ = new ManagerEntryTab(screen_, *this, frames_);
    displayTab_ = new ManagerDisplayTab(screen_, *this, frames_);
    for (QWidget* frame :
         std::initializer_list<QWidget*>{openFrame, saveFrame, entryTab_, displayTab_}) {
        frame->setObjectName(QStringLiteral("AllFramesIM(%1)").arg(frames_->count()));
        frames_->addWidget(frame);
    }
    connect(tabs_, &QTabBar::currentChanged, this, [this] { ChangesSSTab2(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addWidget(frames_, 1);

    // Tab follows Enter on each tab, then goes on to the tab's buttons and its page: the entry
    // row in the order Enter takes (boxes a transaction type does not use are passed over),
    // the display tab's fund list, and the price boxes of the funds, then "&Calculate" (those
    // join the chain when their frame is built).
    std::vector<QWidget*> chain{tabs_};
    for (const char* name :
         {"EFunds",     "ETransType", "EInDate",     "EInPrice",    "EInNumShrs", "EInComm",
          "EInCashDiv", "EAddaRec",   "ECreateFund", "ECorrectRec", "EDelRec",    "EPrint",
          "EHelp",      "EExit",      "EResults",    "DDispFunds",  "DDisplall",  "DHelp",
          "DPrint",     "DExit",      "DDResults"})
        chain.push_back(findChild<QWidget*>(QLatin1String(name)));
    SetTabChain(chain);

    // The file tabs by the keyboard (the arrow keys on the tab bar would pass "Save file" on
    // the way to "Open file"), and each tab's help and printout.
    const auto tabBar = [this]() -> QWidget* { return tabs_; };
    AddCommandKey(this, QKeySequence(Qt::CTRL | Qt::Key_O), tabBar,
                  [this](QWidget*) { selectTab(OpenTab); });
    AddCommandKey(this, QKeySequence(Qt::CTRL | Qt::Key_S), tabBar,
                  [this](QWidget*) { selectTab(SaveTab); });
    AddHelpAndPrintKeys(this, [this] { return frames_->currentWidget(); });

    // Undo and redo from any tab: the step is shown on the entry tab. The keys go to a box only
    // while it has typing of its own to take back (CommandGate).
    history_.setUndoLimit(UndoLimit);
    const auto stepButton = [this](const char* name) {
        return [this, name]() -> QWidget* {
            auto* button = entryTab_->findChild<QWidget*>(QLatin1String(name));
            return button && button->isEnabled() ? button : nullptr;
        };
    };
    for (const QKeySequence& key : {QKeySequence(Qt::CTRL | Qt::Key_Z)})
        AddCommandKey(this, key, stepButton("UndoRecord"), [this](QWidget*) { undoStep(); });
    for (const QKeySequence& key :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)})
        AddCommandKey(this, key, stepButton("RedoRecord"), [this](QWidget*) { redoStep(); });

    // It opens at the size its layout asks for, every report line showing whole.
    ensurePolished();
    resize(sizeHint().expandedTo(QSize(0, WorkWindowHeight)));
}

ManagerCurrentValueTab* QMManagement::valueTab() {
    if (valueTab_)
        return valueTab_;
    valueTab_ = new ManagerCurrentValueTab(screen_, *this, frames_);
    valueTab_->setObjectName(QStringLiteral("AllFramesIM(%1)").arg(CurrentValueTab));
    frames_->addWidget(valueTab_); // hidden
    // Its price boxes and buttons follow the display tab's page in the Tab order.
    std::vector<QWidget*> chain{displayTab_->results()};
    chain.insert(chain.end(), valueTab_->priceBoxes().begin(), valueTab_->priceBoxes().end());
    for (const char* name : {"CVCalc", "CVPrint", "CVGraph", "CVHelp", "CVExit", "CVResults"})
        chain.push_back(valueTab_->findChild<QWidget*>(QLatin1String(name)));
    SetTabChain(chain);
    return valueTab_;
}

QWidget* QMManagement::control(const QString& name) {
    return findChild<QWidget*>(name);
}

void QMManagement::ChangesSSTab2() {
    const int t = tabs_->currentIndex();
    if (t == CurrentValueTab)
        valueTab();
    frames_->setCurrentIndex(t); // hides the frame shown so far and shows the tab's own
    beginPages();
    switch (t) {
    case OpenTab:
        openFile();
        break;
    case SaveTab:
        saveFile();
        break;
    case EntryTab:
        entryTab_->setup();
        break;
    case DisplayTab:
        if (!displayTab_->setup())
            selectTab(EntryTab);
        break;
    case CurrentValueTab:
        if (!valueTab()->setup())
            selectTab(EntryTab);
        break;
    default:
        break;
    }
}

void QMManagement::beginPages() {
    BeginTabChange(screen_);
    for (QPlainTextEdit* box : {valueTab_ ? valueTab_->results() : nullptr, displayTab_->results(),
                                entryTab_->results()}) {
        if (box)
            box->clear();
    }
}

void QMManagement::selectTab(int tab) {
    // Selecting the tab runs the tab change again.
    tabs_->setCurrentIndex(tab);
}

void QMManagement::showMessages(const std::vector<Message>& messages, const QString& details) {
    for (const Message message : messages)
        ShowMessage(message, details);
}

void QMManagement::printPage(const QPlainTextEdit* box, const QString& page) {
    if (box->toPlainText().isEmpty())
        ShowMessage(Message::NothingToPrint);
    else if (managerHooks().print)
        managerHooks().print(page);
    else
        PrintResults(page);
}

QFileDialog& QMManagement::fileDialog() {
    // One dialog for the window's life, handed on to the next manager window when it goes
    // (spareFileDialog): made once, it starts at once the next time. It has no parent widget, so
    // that it is none of the window's controls; it is modal over the window and centred on it.
    if (!fileDialog_ && spareFileDialog().dialog) {
        fileDialog_.reset(spareFileDialog().dialog.data());
        spareFileDialog().dialog.clear();
        // Sized, placed and split as a new one when it shows; the rest is set up each time.
        fileDialog_->setAttribute(Qt::WA_Resized, false);
        fileDialog_->setAttribute(Qt::WA_Moved, false);
        if (auto* panes = fileDialog_->findChild<QSplitter*>(QStringLiteral("splitter")))
            panes->setSizes({180, 520});
    }
    if (!fileDialog_) {
        fileDialog_ = std::make_unique<QFileDialog>();
        QFileDialog& dialog = *fileDialog_;
        dialog.setObjectName(QStringLiteral("CMDialog1"));
        PrepareFileDialog(dialog);
        // Any name is returned; a file that is not there is reported when it is read.
        dialog.setFileMode(QFileDialog::AnyFile);
        dialog.setNameFilter(DatabaseFilterDescription);
        // Database files are listed whatever the letter case of their extension.
        dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
        // Wide enough a side bar for the folders' names to show whole.
        if (auto* panes = dialog.findChild<QSplitter*>(QStringLiteral("splitter")))
            panes->setSizes({180, 520});
    }
    return *fileDialog_;
}

QFileDialog& QMManagement::setUpFileDialog(bool save) {
    // It starts in the folder of the file in memory, else where the last database was opened
    // or saved; the folder of the sample database is one click away in its side bar. Each step
    // is skipped when the dialog has it already (each costs icons or a read of the folder).
    const QString folder = screen_.portfolio.databasePath.isEmpty()
                               ? StartFolder()
                               : QFileInfo(screen_.portfolio.databasePath).absolutePath();
    QFileDialog& dialog = fileDialog();
    dialog.setWindowModality(Qt::ApplicationModal);
    dialog.winId();
    if (QWindow* shown = dialog.windowHandle())
        shown->setTransientParent(window()->windowHandle());
    const QFileDialog::AcceptMode mode = save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen;
    if (dialog.acceptMode() != mode)
        dialog.setAcceptMode(mode);
    // A name saved without any extension gets ".QMD" (the dialog's own rule: an existing folder
    // typed is still entered, and a file that would be replaced is asked about under the name
    // written); a name opened is taken as typed, so files saved without one still open.
    const QString suffix = save ? QStringLiteral("QMD") : QString();
    if (dialog.defaultSuffix() != suffix)
        dialog.setDefaultSuffix(suffix);
    if (dialog.directory() != QDir(folder))
        dialog.setDirectory(folder);
    QList<QUrl> places{QUrl::fromLocalFile(QDir::homePath())};
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty() && QFileInfo(documents).isDir())
        places << QUrl::fromLocalFile(documents);
    places << QUrl::fromLocalFile(SampleFolder());
    if (dialog.sidebarUrls() != places)
        dialog.setSidebarUrls(places);
    return dialog;
}

std::optional<QString> QMManagement::FileDirectory(bool save) {
    QFileDialog& dialog = setUpFileDialog(save);
    // The name of the database in memory, or none (not the name typed last time).
    if (auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit")))
        name->clear();
    dialog.selectFile(screen_.portfolio.databaseName);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return chosen.first();
}

void QMManagement::openFile() {
    // Opening replaces the portfolio in memory, so unsaved changes are not dropped without the
    // question the exits ask: "&Yes" goes back to the entry tab with nothing read.
    if (ShouldAskBeforeDiscard(screen_.portfolio) &&
        AskQuestion(Question::SaveChangedFile, screen_.portfolio.databaseName)) {
        selectTab(EntryTab);
        return;
    }
    const std::optional<QString> path =
        givenPath_ ? std::exchange(givenPath_, std::nullopt) : FileDirectory(false);
    // A file another copy of the program has open is opened only when the user says so.
    DatabaseLock next;
    if (path && !mayUseDatabase(*path, false, next)) {
        selectTab(EntryTab);
        return;
    }
    const std::vector<Message> messages = OpenDatabase(screen_, path);
    // The portfolio now is the file's: nothing in memory is left unsaved, and the lock goes with
    // the file (none is left when the portfolio was emptied).
    if (path && messages.empty()) {
        keepLockOf(*path, next);
        RememberDatabasePath(screen_.portfolio.databasePath);
        // The value frame, if built, shows the new funds in the idle pass after the next frame.
        fundsToShow_ = valueTab_ != nullptr;
        buildAfterNextFrame();
    } else if (path) {
        lock_.release();
    }
    if (path) {
        // Read, or emptied by a file that could not be read: either way nothing of the portfolio
        // before is kept, so nothing is left unsaved.
        screen_.portfolio.unsavedChanges = 0;
        portfolioIsFile(true);
    }
    showMessages(messages, screen_.openFailure);
    selectTab(EntryTab);
}

void QMManagement::openDatabaseFile(const QString& path) {
    givenPath_ = path;
    if (tabs_->currentIndex() == OpenTab)
        ChangesSSTab2();
    else
        selectTab(OpenTab);
    givenPath_.reset(); // not used when the open was called off
}

void QMManagement::saveFile() {
    std::vector<Message> messages;
    if (BeginSave(screen_.portfolio, messages)) {
        std::optional<QString> path = FileDirectory(true);
        DatabaseLock next;
        if (path && !mayUseDatabase(*path, true, next))
            path.reset();
        const SaveOutcome outcome = SaveDatabase(screen_.portfolio, path);
        if (outcome.saved) {
            RememberDatabasePath(screen_.portfolio.databasePath);
            keepLockOf(*path, next);
            portfolioIsFile(false);
        }
        if (!outcome.failure.isEmpty())
            ShowPlainMessage(outcome.failure);
        messages = outcome.messages;
    }
    showMessages(messages);
    selectTab(EntryTab);
}

bool QMManagement::mayUseDatabase(const QString& path, bool saving, DatabaseLock& next) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    // The file in memory, changed on disk by another program since it was read or written here,
    // is replaced only when the user says so (and then still kept as the backup).
    if (saving && absolute == screen_.portfolio.databasePath &&
        ChangedOnDisk(path, screen_.portfolio.fileStamp) &&
        !AskPlainQuestion(
            QStringLiteral("%1 was changed on disk by another program since it was opened or "
                           "saved here.\n\nReplace it with the portfolio shown here? The file "
                           "on disk is kept as %1.bak.")
                .arg(screen_.portfolio.databaseName)))
        return false;
    if (absolute == lock_.lockedPath())
        return true; // this window's own file
    if (next.take(path) != DatabaseLock::Outcome::HeldBy)
        return true;
    const LockHolder& holder = next.holder();
    const QString text =
        QStringLiteral("%1 is open in %2 (process %3 on %4) since %5.\n\n"
                       "When two copies of the program save the same file, the changes of the "
                       "one that saved first are lost. %6")
            .arg(QFileInfo(path).fileName(),
                 holder.program.isEmpty() ? QStringLiteral("another program") : holder.program,
                 QString::number(holder.pid), holder.host,
                 holder.since.toString(QStringLiteral("yyyy-MM-dd hh:mm")),
                 saving ? QStringLiteral("Save over it anyway?")
                        : QStringLiteral("Open it anyway?"));
    return AskPlainQuestion(text);
}

void QMManagement::keepLockOf(const QString& path, DatabaseLock& next) {
    if (!next.lockedPath().isEmpty())
        lock_ = std::move(next);
    else if (QFileInfo(path).absoluteFilePath() != lock_.lockedPath())
        lock_.release(); // a file no lock can be made for, or one opened all the same
}

bool QMManagement::mayClose() {
    if (ShouldAskBeforeDiscard(screen_.portfolio) &&
        AskQuestion(Question::SaveChangedFile, screen_.portfolio.databaseName))
        return false; // "&Yes": go back and save
    DiscardScreen(screen_);
    history_.clear();
    recovery_.discard();
    return true;
}

SharedContent QMManagement::contentNow() const {
    // Consecutive steps share the portfolio between them when nothing changed in between.
    PortfolioContent now = ContentOf(screen_.portfolio);
    if (history_.index() > 0) {
        const auto* last =
            static_cast<const PortfolioStep*>(history_.command(history_.index() - 1));
        if (*last->after() == now)
            return last->after();
    }
    if (saved_ && *saved_ == now)
        return saved_;
    return std::make_shared<const PortfolioContent>(std::move(now));
}

void QMManagement::recordStep(const QString& text, const SharedContent& before,
                              const QString& fund) {
    SharedContent after = contentNow();
    if (*after != *before)
        history_.push(
            new PortfolioStep(text, before, std::move(after), fund,
                              [this](const PortfolioContent& content, const QString& shown) {
                                  showStep(content, shown);
                              }));
    portfolioChanged();
}

void QMManagement::undoStep() {
    if (history_.canUndo())
        history_.undo();
}

void QMManagement::redoStep() {
    if (history_.canRedo())
        history_.redo();
}

void QMManagement::showStep(const PortfolioContent& content, const QString& fund) {
    if (tabs_->currentIndex() != EntryTab)
        selectTab(EntryTab);
    RestoreContent(screen_.portfolio, content);
    // Unsaved as a stored or deleted record makes it, until the records are the file's again.
    screen_.portfolio.unsavedChanges = SameRecords(content, *saved_) ? 0 : 1;
    screen_.correctMode = CorrectMode::Delete;
    // The pages shown so far are of the portfolio before the step: emptied as a tab change
    // empties them, so that no box shows (or prints) a page of records or funds no longer held.
    beginPages();
    entryTab_->showStep(fund);
    fundsToShow_ = valueTab_ != nullptr; // the value frame's funds, in an idle pass
    buildAfterNextFrame();
    portfolioChanged();
}

bool QMManagement::differsFromFile() const {
    return screen_.portfolio.unsavedChanges != 0 ||
           !SameAsSaved(ContentOf(screen_.portfolio), *saved_);
}

void QMManagement::portfolioIsFile(bool newHistory) {
    if (newHistory)
        history_.clear();
    saved_ = std::make_shared<const PortfolioContent>(ContentOf(screen_.portfolio));
    recovery_.discard();
    showTitle();
}

void QMManagement::portfolioChanged() {
    const Portfolio& p = screen_.portfolio;
    recovery_.changed(contentNow(), {p.databasePath, p.databaseName, Now(), p.fileStamp},
                      p.fileEncoding, differsFromFile());
    showTitle();
}

bool QMManagement::restoreRecovery(LeftRecovery left) {
    const std::optional<DatabaseContents> kept = ReadDatabaseFile(left.databaseFile);
    if (!kept) {
        ShowPlainMessage(QStringLiteral("The unsaved changes kept in %1 cannot be read; the file "
                                        "is left there.")
                             .arg(QDir::toNativeSeparators(left.databaseFile)));
        return false;
    }
    const QString& path = left.info.databasePath;
    DatabaseLock next;
    if (!path.isEmpty() && !mayUseDatabase(path, false, next))
        return false;
    // What the mark measures against: the database as it is on disk now.
    Portfolio file;
    if (const std::optional<DatabaseContents> onDisk =
            path.isEmpty() ? std::nullopt : ReadDatabaseFile(path))
        LoadContents(file, *onDisk, path);
    LoadContents(screen_.portfolio, *kept, path);
    screen_.portfolio.fileStamp = left.info.stamp; // a save then sees a file changed since
    history_.clear();
    saved_ = std::make_shared<const PortfolioContent>(ContentOf(file));
    if (!path.isEmpty())
        keepLockOf(path, next);
    screen_.portfolio.unsavedChanges = SameRecords(ContentOf(screen_.portfolio), *saved_) ? 0 : 1;
    if (differsFromFile()) {
        // The left slot goes once this window's own slot holds the changes.
        recovery_.afterNextWrite([left]() mutable { RemoveRecovery(left); });
    } else {
        RemoveRecovery(left);
    }
    fundsToShow_ = valueTab_ != nullptr;
    if (tabs_->currentIndex() != EntryTab)
        selectTab(EntryTab);
    else
        ChangesSSTab2();
    portfolioChanged();
    return true;
}

void QMManagement::showTitle() {
    // "Investment manager" while it holds nothing of a file and nothing unsaved, as it opens.
    const QString& name = screen_.portfolio.databaseName;
    const bool modified = differsFromFile();
    QString title = QStringLiteral("Investment manager");
    if (!name.isEmpty())
        title = name + QStringLiteral("[*] - ") + title;
    else if (modified)
        title += QStringLiteral("[*]");
    setWindowTitle(title);
    setWindowModified(modified);
}

} // namespace qm
