#include "gui/app/QMStart.h"

#include "core/portfolio/RecoveryFile.h"
#include "gui/app/ProgramIconEngine.h"

#include "gui/calculator/QMInvest.h"
#include "gui/chart/ChartDrawing.h"
#include "gui/common/AccessibleList.h"
#include "gui/common/RecentList.h"
#include "gui/common/StartFolder.h"
#include "gui/common/WindowLayout.h"
#include "gui/manager/QMManagement.h"
#include "gui/print/PrintModule.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm {

namespace {

// The icon's edge on the start menu, in pixels.
constexpr int MenuIconSize = 96;

} // namespace

QIcon ProgramIcon() {
    return QIcon(new ProgramIconEngine(QStringLiteral(":/quillmark.svg")));
}

QMStart::QMStart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("QMStart"));
    setWindowTitle(QStringLiteral("Quillmark"));
    SetAccessibleRole(this, QAccessible::Window);
    // The program ends from the menu only: a work window closing while the menu is hidden must
    // not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    // Every window of the program, dialogs included, carries the program's icon: given right
    // after the menu's first frame (the window system draws its sizes then) or before a work
    // window opens, whichever comes first.
    icon_ = ProgramIcon();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 24, 40, 28);
    layout->setSpacing(10);
    // The menu is as large as its contents, no larger.
    layout->setSizeConstraint(QLayout::SetFixedSize);
    auto* logo = new QLabel(this);
    logo->setObjectName(QStringLiteral("StartIcon"));
    logo->setPixmap(icon_.pixmap(QSize(MenuIconSize, MenuIconSize), devicePixelRatioF()));
    logo->setAlignment(Qt::AlignCenter);
    auto* name = new QLabel(windowTitle(), this);
    name->setObjectName(QStringLiteral("StartName"));
    QFont nameFont = name->font();
    nameFont.setBold(true);
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.6);
    name->setFont(nameFont);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);
    layout->addWidget(name);
    layout->addSpacing(14);

    const struct {
        const char* name;
        const char* caption;
        void (QMStart::*handler)();
    } buttons[] = {{"StartCalc", "Calculations", &QMStart::StartCalc_Click},
                   {"StartStockMgmt", "Investment manager", &QMStart::StartStockMgmt_Click},
                   {"StartExit", "Exit program", &QMStart::StartExit_Click}};
    for (const auto& b : buttons) {
        auto* button = NamedButton(QLatin1String(b.name), QLatin1String(b.caption), this);
        button->setMinimumSize(240, 34);
        const auto handler = b.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        // Ending the program stands a little apart from the two windows it can open.
        if (handler == &QMStart::StartExit_Click)
            layout->addSpacing(10);
        layout->addWidget(button);
    }

    ready_ = new ReadyWindows(this);
}

void QMStart::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (recent_) {
        const bool any = recent_->refresh();
        recent_->setVisible(any);
        return;
    }
    if (RecentDatabases().isEmpty())
        return;
    recent_ = new RecentList(this);
    recent_->setMinimumSize(240, 34);
    recent_->onChosen = [this](const QString& path) {
        StartStockMgmt_Click();
        if (auto* manager = qobject_cast<QMManagement*>(work_.data()))
            manager->openDatabaseFile(path);
    };
    // Under the button of the window it opens, before the program's end.
    auto* box = static_cast<QVBoxLayout*>(layout());
    const int after = box->indexOf(findChild<QWidget*>(QStringLiteral("StartStockMgmt")));
    box->insertWidget(after + 1, recent_);
    setTabOrder(findChild<QWidget*>(QStringLiteral("StartStockMgmt")), recent_);
}

QMStart::~QMStart() {
    ready_->destroyAll();
    destroyWorkWindow();
}

void QMStart::giveWindowsTheIcon() {
    if (iconGiven_)
        return;
    iconGiven_ = true;
    if (!icon_.isNull())
        QApplication::setWindowIcon(icon_);
    setWindowIcon(icon_);
}

void QMStart::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (!iconGiven_)
        QMetaObject::invokeMethod(this, &QMStart::giveWindowsTheIcon, Qt::QueuedConnection);
    // The chart and print modules follow the menu's first frame: loaded while the menu is read,
    // they are ready for the first chart window and the first Print (a program started on a
    // database loads each when first needed instead).
    if (!recoveryOffered_)
        QMetaObject::invokeMethod(this, &QMStart::offerRecovery, Qt::QueuedConnection);
    if (!chartsLoaded_) {
        chartsLoaded_ = true;
        QMetaObject::invokeMethod(
            this, [] { LoadChartDrawing(); }, Qt::QueuedConnection);
        QMetaObject::invokeMethod(
            this, [] { LoadPrintModule(); }, Qt::QueuedConnection);
    }
    // The work windows not made yet are made after the frame, while the menu is read.
    ready_->resume();
}

void QMStart::open(WorkWindowBase* window) {
    giveWindowsTheIcon();
    hide();
    work_ = window;
    connect(window, &WorkWindowBase::left, this, [this] { show(); });
    window->show();
}

template <typename Window> void QMStart::showWorkWindow() {
    if (qobject_cast<Window*>(work_.data())) {
        hide();
        work_->show();
        return;
    }
    destroyWorkWindow();
    WorkWindowBase* window = ready_->take<Window>();
    window->load();
    open(window);
}

void QMStart::start(const std::optional<QString>& database) {
    if (!database) {
        show();
        return;
    }
    StartStockMgmt_Click();
    if (auto* manager = qobject_cast<QMManagement*>(work_.data()))
        manager->openDatabaseFile(*database);
    QMetaObject::invokeMethod(this, &QMStart::offerRecovery, Qt::QueuedConnection);
}

void QMStart::offerRecovery() {
    if (std::exchange(recoveryOffered_, true))
        return;
    std::vector<LeftRecovery> left = LeftRecoveries();
    for (LeftRecovery& slot : left) {
        const RecoveryInfo& info = slot.info;
        const QString what = info.databaseName.isEmpty()
                                 ? QStringLiteral("a portfolio that was never saved")
                                 : info.databaseName;
        const QString text =
            QStringLiteral("The program ended before the changes to %1 were saved. The last "
                           "change was made on %2 at %3.\n\nRestore them? They open in the "
                           "investment manager, not yet saved.")
                .arg(what, info.changed.date().toString(QStringLiteral("yyyy-MM-dd")),
                     info.changed.time().toString(QStringLiteral("hh:mm")));
        QMessageBox box(QMessageBox::Question, QStringLiteral("Quillmark"), text,
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                        work_ ? static_cast<QWidget*>(work_.data()) : this);
        box.setObjectName(QStringLiteral("RecoveryQuestion"));
        box.button(QMessageBox::Yes)->setText(QStringLiteral("&Restore"));
        box.button(QMessageBox::No)->setText(QStringLiteral("&Discard"));
        box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Not now"));
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        if (!info.databasePath.isEmpty())
            box.setDetailedText(QStringLiteral("Database: %1\nKept in: %2")
                                    .arg(QDir::toNativeSeparators(info.databasePath),
                                         QDir::toNativeSeparators(slot.databaseFile)));
        const int answer = box.exec();
        if (answer == QMessageBox::No) {
            RemoveRecovery(slot);
        } else if (answer == QMessageBox::Yes) {
            // Into a manager of its own: one holding changes is never replaced.
            auto* manager = qobject_cast<QMManagement*>(work_.data());
            if (manager && manager->differsFromFile())
                continue; // offered again at the next start
            StartStockMgmt_Click();
            manager = qobject_cast<QMManagement*>(work_.data());
            if (manager && manager->restoreRecovery(std::move(slot)))
                break; // the others at the next start
        }
    }
}

void QMStart::StartCalc_Click() {
    showWorkWindow<QMInvest>();
}

void QMStart::StartStockMgmt_Click() {
    showWorkWindow<QMManagement>();
}

void QMStart::destroyWorkWindow() {
    delete work_.data();
}

void QMStart::StartExit_Click() {
    // Every window goes at once: no work window is asked whether it may close.
    ready_->destroyAll();
    destroyWorkWindow();
    hide();
    QCoreApplication::quit();
}

void QMStart::closeEvent(QCloseEvent* event) {
    ready_->destroyAll();
    destroyWorkWindow();
    event->accept();
    QCoreApplication::quit();
}

} // namespace qm
