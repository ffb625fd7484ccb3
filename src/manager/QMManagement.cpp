#include "manager/QMManagement.h"

#include "app/AppState.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace qm {

QMManagement::QMManagement(QWidget* parent) : WorkWindowBase(parent) {
    setObjectName(QStringLiteral("QMManagement"));
    setWindowTitle(QStringLiteral("Investment manager"));
    becomeWorkWindow(WorkWindow::Manager);

    auto* exit = new QPushButton(QStringLiteral("E&xit to menu"), this);
    exit->setObjectName(QStringLiteral("EExit"));
    exit->setAutoDefault(false);
    connect(exit, &QPushButton::clicked, this, [this] { close(); });
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(exit);
    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addLayout(row);
    resize(640, 480);
}

bool QMManagement::mayClose() {
    return true;
}

} // namespace qm
