#include "Monkey.h"

#include "Looks.h"
#include "Trail.h"

#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/manager/QMManagement.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <algorithm>

namespace qmmonkey {

using qm::QMInvest;
using qm::QMManagement;

Monkey::Monkey(const MonkeyOptions& options, qm::QMStart& menu)
    : options_(options), menu_(menu), rng_(options.seed), checks_(menu, run_) {
    ticker_.setSingleShot(true);
    connect(&ticker_, &QTimer::timeout, this, &Monkey::step);
    clock_.start();
    QDir(options_.folder).mkpath(QStringLiteral("dir"));
    QDir(options_.folder).mkpath(QStringLiteral("dir.QMD"));
}

void Monkey::start() {
    schedule();
}

void Monkey::schedule(int delayMs) {
    ticker_.start(delayMs);
}

QString Monkey::summary() const {
    QStringList parts;
    for (const auto& [kind, n] : run_.counts)
        parts << QStringLiteral("%1 %2").arg(n).arg(kind);
    std::map<int, int> messages;
    for (const int m : run_.messagesSeen)
        ++messages[m];
    QStringList byNumber;
    for (const auto& [m, n] : messages)
        byNumber << QStringLiteral("%1x%2").arg(m).arg(n);
    return QStringLiteral("%1 events; %2; messages by number: %3")
        .arg(event_)
        .arg(parts.join(QLatin1String(", ")), byNumber.join(QLatin1Char(' ')));
}

// ---- The step ---------------------------------------------------------------------------

void Monkey::step() {
    if (finished_)
        return;
    const qint64 now = clock_.elapsed();
    if (now < holdUntilMs_) {
        schedule(static_cast<int>(holdUntilMs_ - now));
        return;
    }
    QWidget* context = onTop();
    // A step that let events be processed without a new dialog on top: act once it is done.
    if (std::find(running_.begin(), running_.end(), context) != running_.end()) {
        schedule(1);
        return;
    }
    running_.push_back(context);
    SetEvent(++event_);
    // The next step is due before this one acts: if the action opens a dialog, that step
    // answers it from the dialog's own event loop.
    schedule();
    // What a real event loop does before the next input arrives: pending deletions, layouts.
    QCoreApplication::sendPostedEvents();
    context = onTop();
    running_.back() = context;

    check(context);
    if (event_ > options_.events && !windingDown_) {
        windingDown_ = true;
        plan_.clear();
        Note(QStringLiteral("the run winds down to the start menu and ends"));
    }
    act(context);
    running_.pop_back();
}

void Monkey::act(QWidget* context) {
    if (context && context != QApplication::activePopupWidget())
        seeDialog(context);
    if (windingDown_) {
        windDown(context);
        return;
    }
    if (context && context == QApplication::activePopupWidget()) {
        onPopup(context);
        return;
    }
    if (context) {
        onModal(context);
        return;
    }
    QWidget* work = menu_.workWindow();
    if (work && work->isVisible())
        onWorkWindow(work);
    else if (menu_.isVisible())
        onStartMenu();
    else
        fail(QStringLiteral("no window is shown"));
}

void Monkey::check(QWidget* context) {
    const QStringList problems = checks_.after(context);
    if (!problems.isEmpty())
        fail(problems.join(QLatin1String("; ")));
}

// ---- What is on top ---------------------------------------------------------------------

void Monkey::onStartMenu() {
    plan_.clear();
    if (chance(0.05))
        clickNamed(&menu_, QStringLiteral("StartSettings"));
    else if (chance(0.5))
        clickNamed(&menu_, QStringLiteral("StartCalc"));
    else
        clickNamed(&menu_, QStringLiteral("StartStockMgmt"));
}

bool Monkey::ensureActive(QWidget* window) {
    if (QApplication::activeWindow() == window) {
        activationTries_ = 0;
        return true;
    }
    if (++activationTries_ > 50)
        fail(QStringLiteral("%1 cannot be made the active window").arg(describe(window)));
    Note(QStringLiteral("activate %1").arg(describe(window)));
    window->activateWindow();
    return false;
}

// The controls of a work window a user can reach now, by kind.
struct Controls {
    QList<QPushButton*> buttons;
    QList<QRadioButton*> options;
    QList<QTabBar*> tabs;
    QList<QComboBox*> lists;
    QList<QLineEdit*> boxes; // not the boxes of the lists
    QList<QListWidget*> itemLists;
    QList<QPlainTextEdit*> pages;
    QList<QWidget*> wheeled; // a turn of the wheel chooses another tab or item
};

namespace {

Controls controlsOf(QWidget* window) {
    Controls c;
    c.buttons = usable<QPushButton>(window);
    c.options = usable<QRadioButton>(window);
    c.tabs = usable<QTabBar>(window);
    c.lists = usable<QComboBox>(window);
    for (QLineEdit* edit : usable<QLineEdit>(window)) {
        if (!qobject_cast<QComboBox*>(edit->parentWidget()))
            c.boxes << edit;
    }
    c.itemLists = usable<QListWidget>(window);
    c.pages = usable<QPlainTextEdit>(window);
    for (QTabBar* t : c.tabs)
        c.wheeled << t;
    for (QComboBox* l : c.lists)
        c.wheeled << l;
    return c;
}

} // namespace

void Monkey::onWorkWindow(QWidget* window) {
    if (!ensureActive(window))
        return;
    auto* manager = qobject_cast<QMManagement*>(window);
    auto* calc = qobject_cast<QMInvest*>(window);
    if (manager && manager != lastManager_) {
        lastManager_ = manager;
        planManagerVisit(*manager);
    }
    if (plan_.empty() || planWindow_ != window) {
        plan_.clear();
        choosePlan(manager, calc);
    }
    if (!plan_.empty()) {
        const std::function<void()> next = plan_.front();
        plan_.pop_front();
        next();
        return;
    }
    useControls(window, controlsOf(window));
}

void Monkey::useControls(QWidget* window, const Controls& c) {
    const auto w = [](const auto& list, double weight) { return list.isEmpty() ? 0.0 : weight; };
    auto* manager = qobject_cast<QMManagement*>(window);
    switch (
        weighted({w(c.buttons, 16), w(c.tabs, 7), w(c.options, 5), w(c.lists, 5), w(c.boxes, 12),
                  30, 8, w(c.itemLists, 4), w(c.pages, 1), w(c.boxes, 1), w(c.wheeled, 2), 0.3, 4,
                  w(c.buttons, 4), w(c.boxes, 1), 2, manager ? 5.0 : 0.0})) {
    case 0:
        click(anyButton(c.buttons), QStringLiteral("click"));
        break;
    case 1: {
        QTabBar* bar = pick(c.tabs);
        clickTab(bar, chance(0.1) ? bar->currentIndex() : below(bar->count()));
        break;
    }
    case 2: {
        QRadioButton* option = pick(c.options);
        click(option, QStringLiteral("click option"), QPoint(6, option->height() / 2));
        break;
    }
    case 3: {
        QComboBox* list = pick(c.lists);
        if (chance(0.6))
            click(list, QStringLiteral("open list"), QPoint(list->width() - 6, list->height() / 2));
        else
            chooseListItem(list, below(list->count()));
        break;
    }
    case 4: {
        QLineEdit* box = pick(c.boxes);
        click(box, QStringLiteral("click into"),
              QPoint(1 + below(std::max(1, box->width() - 2)), box->height() / 2));
        break;
    }
    case 5:
        pressRandomKey(window);
        break;
    case 6:
        if (!c.boxes.isEmpty() && chance(0.6))
            click(pick(c.boxes), QStringLiteral("click into"));
        typeInto(window, randomEntry());
        break;
    case 7:
        useItemList(pick(c.itemLists));
        break;
    case 8: {
        QPlainTextEdit* page = pick(c.pages);
        click(page->viewport(), QStringLiteral("click the page ") + page->objectName());
        break;
    }
    case 9:
        openContextMenu(pick(c.boxes));
        break;
    case 10:
        turnWheelOver(pick(c.wheeled));
        break;
    case 11:
        closeBox(window, describe(window));
        break;
    case 12:
        pressAccessKey(window);
        break;
    case 13:
        pressFocusedButton(window);
        break;
    case 14:
        middleClick(pick(c.boxes));
        break;
    case 16:
        useHistory(*manager, chance(0.6));
        break;
    default:
        commitText(window, randomEntry());
        break;
    }
}

void Monkey::onPopup(QWidget* popup) {
    QWidget* target = popup->focusWidget() ? popup->focusWidget() : popup;
    switch (weighted({30, 15, 30, 15, 5, 5})) {
    case 0:
        press(target, {Qt::Key_Down, {}, QString(), QStringLiteral("Down")});
        break;
    case 1:
        press(target, {Qt::Key_Up, {}, QString(), QStringLiteral("Up")});
        break;
    case 2:
        // A database chosen from the recent ones is opened as one chosen in the file dialog.
        if (auto* menu = qobject_cast<QMenu*>(popup);
            menu && menu->objectName() == QLatin1String("RecentDatabasesMenu") &&
            menu->activeAction() && !menu->activeAction()->data().toString().isEmpty())
            expectFile(false, menu->activeAction()->data().toString(), true);
        press(target, Enter);
        break;
    case 3:
        press(target, Escape);
        break;
    case 4:
        press(
            target,
            {chance(0.5) ? Qt::Key_Home : Qt::Key_End, {}, QString(), QStringLiteral("Home/End")});
        break;
    default:
        Note(QStringLiteral("click beside the open list"));
        popup->close();
        break;
    }
}

void Monkey::onModal(QWidget* modal) {
    if (auto* files = qobject_cast<QFileDialog*>(modal)) {
        if (files->objectName() == QLatin1String("SaveAsDialog"))
            answerSaveCopy(files);
        else
            answerFiles(files);
        return;
    }
    if (qobject_cast<QMessageBox*>(modal)) {
        answerPlainBox(modal);
        return;
    }
    const QString name = modal->objectName();
    if (name == QLatin1String("AMsgbox"))
        answerMessage(modal);
    else if (name == QLatin1String("AllYesNo"))
        answerQuestion(modal);
    else if (name == QLatin1String("PrinterHeaderInput"))
        answerLine(modal);
    else if (name == QLatin1String("FundCurValInput"))
        answerNumber(modal);
    else if (name == QLatin1String("QMGraph"))
        useChart(modal);
    else if (name == QLatin1String("Settings"))
        answerSettings(modal);
    else
        fail(QStringLiteral("an unexpected dialog: %1 \"%2\"")
                 .arg(describe(modal), modal->windowTitle()));
}

void Monkey::windDown(QWidget* context) {
    if (++windDownSteps_ > 300)
        fail(QStringLiteral("the program could not be brought back to the start menu"));
    if (context && context == QApplication::activePopupWidget()) {
        press(context->focusWidget() ? context->focusWidget() : context, Escape);
        return;
    }
    if (context) {
        const QString name = context->objectName();
        if (auto* files = qobject_cast<QFileDialog*>(context)) {
            cancelFiles(files);
        } else if (auto* box = qobject_cast<QMessageBox*>(context)) {
            // "No" to a plain question calls the open or save it asks about off.
            if (box->objectName() == QLatin1String("PlainQuestion"))
                run_.pendingFile.reset();
            QAbstractButton* no = box->button(QMessageBox::No);
            if (!no)
                no = box->escapeButton();
            if (!no && !box->buttons().isEmpty())
                no = box->buttons().first();
            if (no)
                click(no, QStringLiteral("click"));
            else
                box->close();
        } else {
            const QString button = name == QLatin1String("AMsgbox")              ? "AMsgExit"
                                   : name == QLatin1String("AllYesNo")           ? "AllNo"
                                   : name == QLatin1String("PrinterHeaderInput") ? "NAcept"
                                   : name == QLatin1String("FundCurValInput")    ? "NoAccept"
                                   : name == QLatin1String("QMGraph")            ? "QMGExit"
                                   : name == QLatin1String("Settings")           ? "SettingsCancel"
                                                                                 : "";
            if (button.isEmpty() || !clickNamed(context, button)) {
                closeBox(context, describe(context));
            }
        }
        return;
    }
    QWidget* work = menu_.workWindow();
    if (work && work->isVisible()) {
        for (const QString& exit : WorkExitButtons) {
            auto* button = work->findChild<QPushButton*>(exit);
            if (button && button->isVisible() && button->isEnabled()) {
                click(button, QStringLiteral("click"));
                return;
            }
        }
        closeBox(work, describe(work));
        return;
    }
    // At the start menu: the run ends as the user ends the program.
    finished_ = true;
    if (chance(0.8)) {
        clickNamed(&menu_, QStringLiteral("StartExit"));
    } else {
        closeBox(&menu_, QStringLiteral("the start menu"));
    }
    ticker_.stop();
}

} // namespace qmmonkey
