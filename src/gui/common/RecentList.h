#pragma once

#include <QPushButton>
#include <functional>

class QMenu;

namespace qm {

// The button "Rece&nt databases" ("RecentDatabases") whose drop-down lists the databases last
// opened or saved (RecentDatabases()), as the start menu and the manager show it: one line per
// database, its name and folder. Choosing one runs `onChosen` with its full path.
class RecentList : public QPushButton {
    Q_OBJECT
public:
    explicit RecentList(QWidget* parent = nullptr);

    // The list read again (files gone since are dropped); false when it has no database.
    bool refresh();
    // The full paths listed, the last first.
    QStringList paths() const;

    std::function<void(const QString& path)> onChosen;

private:
    QMenu* menu_ = nullptr;
};

} // namespace qm
