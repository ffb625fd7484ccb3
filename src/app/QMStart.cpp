#include "app/QMStart.h"

#include "calculators/QMInvest.h"
#include "manager/QMManagement.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm {

QMStart::QMStart(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("QMStart"));
    setWindowTitle(QStringLiteral("Quillmark"));
    // The program ends from the menu only: a work window closing while the menu is hidden must
    // not end it.
    QApplication::setQuitOnLastWindowClosed(false);

    const struct {
        const char* name;
        const char* caption;
        void (QMStart::*handler)();
    } buttons[] = {{"StartCalc", "Calculations", &QMStart::StartCalc_Click},
                   {"StartStockMgmt", "Investment manager", &QMStart::StartStockMgmt_Click},
                   {"StartExit", "Exit program", &QMStart::StartExit_Click}};
    auto* layout = new QVBoxLayout(this);
    for (const auto& b : buttons) {
        auto* button = new QPushButton(QLatin1String(b.caption), this);
        button->setObjectName(QLatin1String(b.name));
        button->setMinimumWidth(220);
        const auto handler = b.handler;
        connect(button, &QPushButton::clicked, this, [this, handler] { (this->*handler)(); });
        layout->addWidget(button);
    }
}

QMStart::~QMStart() {
    destroyWorkWindow();
}

void QMStart::open(WorkWindowBase* window) {
    hide();
    work_ = window;
    connect(window, &WorkWindowBase::left, this, [this] { show(); });
    window->show();
}

void QMStart::StartCalc_Click() {
    if (qobject_cast<QMInvest*>(work_.data())) {
        hide();
        work_->show();
        return;
    }
    destroyWorkWindow();
    open(new QMInvest);
}

void QMStart::StartStockMgmt_Click() {
    if (qobject_cast<QMManagement*>(work_.data())) {
        hide();
        work_->show();
        return;
    }
    destroyWorkWindow();
    open(new QMManagement);
}

void QMStart::destroyWorkWindow() {
    delete work_.data();
}

void QMStart::StartExit_Click() {
    // Every window goes at once: no work window is asked whether it may close.
    destroyWorkWindow();
    hide();
    QCoreApplication::quit();
}

void QMStart::closeEvent(QCloseEvent* event) {
    destroyWorkWindow();
    event->accept();
    QCoreApplication::quit();
}

} // namespace qm
