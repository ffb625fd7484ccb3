#include "gui/common/RecentList.h"

#include "gui/common/StartFolder.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

namespace qm {

RecentList::RecentList(QWidget* parent)
    : QPushButton(QStringLiteral("Rece&nt databases"), parent), menu_(new QMenu(this)) {
    setObjectName(QStringLiteral("RecentDatabases"));
    menu_->setObjectName(QStringLiteral("RecentDatabasesMenu"));
    setToolTip(QStringLiteral("Open a database opened or saved lately"));
    setMenu(menu_);
    refresh();
}

bool RecentList::refresh() {
    menu_->clear();
    for (const QString& path : RecentDatabases()) {
        const QFileInfo file(path);
        QAction* open = menu_->addAction(
            QStringLiteral("%1  (%2)")
                .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath())));
        open->setData(path);
        open->setToolTip(QDir::toNativeSeparators(path));
        connect(open, &QAction::triggered, this, [this, path] {
            if (onChosen)
                onChosen(path);
        });
    }
    setEnabled(!menu_->isEmpty());
    return !menu_->isEmpty();
}

QStringList RecentList::paths() const {
    QStringList listed;
    for (const QAction* action : menu_->actions())
        listed << action->data().toString();
    return listed;
}

} // namespace qm
