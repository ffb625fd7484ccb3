#include "gui/common/FileDialogs.h"

#include "gui/common/WindowLayout.h"

#include <QAbstractItemView>
#include <QAbstractProxyModel>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>

namespace qm {

namespace {

// The box or list `item` holds: itself, or the first in it (nested layouts searched in order).
QWidget* controlIn(QLayoutItem* item) {
    if (!item)
        return nullptr;
    if (QWidget* w = item->widget())
        return qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w) ? w : nullptr;
    if (QLayout* layout = item->layout())
        for (int i = 0; i < layout->count(); ++i)
            if (QWidget* w = controlIn(layout->itemAt(i)))
                return w;
    return nullptr;
}

// The box or list on the right of `label` in its grid row, for a caption set beside its control
// without being made its buddy.
QWidget* controlBeside(QLabel* label) {
    auto* grid = label->parentWidget() ? qobject_cast<QGridLayout*>(label->parentWidget()->layout())
                                       : nullptr;
    const int index = grid ? grid->indexOf(label) : -1;
    if (index < 0)
        return nullptr;
    int row = 0, column = 0, rows = 0, columns = 0;
    grid->getItemPosition(index, &row, &column, &rows, &columns);
    for (int c = column + columns; c < grid->columnCount(); ++c)
        if (QWidget* w = controlIn(grid->itemAtPosition(row, c)))
            return w;
    return nullptr;
}

bool ShowsFiles(const QAbstractItemModel* model) {
    if (const auto* proxy = qobject_cast<const QAbstractProxyModel*>(model))
        model = proxy->sourceModel();
    return qobject_cast<const QFileSystemModel*>(model) != nullptr;
}

// Watches one file dialog: names its controls as it shows.
class FileDialogWatch : public QObject {
public:
    explicit FileDialogWatch(QFileDialog* dialog) : QObject(dialog), dialog_(dialog) {
        setObjectName(QStringLiteral("FileDialogWatch"));
        dialog->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == dialog_ && event->type() == QEvent::Show)
            nameControls();
        return QObject::eventFilter(watched, event);
    }

private:
    // Boxes and lists with a caption are named after it; the two item views without one after
    // what they show. Nothing that has a name already is renamed.
    void nameControls() {
        for (QLabel* label : dialog_->findChildren<QLabel*>()) {
            QWidget* buddy = label->buddy();
            if (!buddy && (buddy = controlBeside(label)))
                label->setBuddy(buddy);
            if (buddy && buddy->accessibleName().isEmpty() && !label->text().isEmpty())
                NameAfterLabel(label, buddy);
        }
        for (QAbstractItemView* view : dialog_->findChildren<QAbstractItemView*>()) {
            if (!view->accessibleName().isEmpty() || !view->model())
                continue;
            // (A list's drop-down is a view too: the list it belongs to carries the name.)
            if (view->window() != dialog_)
                continue;
            view->setAccessibleName(ShowsFiles(view->model()) ? QStringLiteral("Files")
                                                              : QStringLiteral("Places"));
        }
    }

    QFileDialog* dialog_;
};

} // namespace

bool DesktopMayProvideFileDialog(const QString& platform, const QString& platformTheme,
                                 const QString& desktop) {
    static const QStringList withoutDesktop{QStringLiteral("offscreen"), QStringLiteral("minimal"),
                                            QStringLiteral("vnc"), QStringLiteral("linuxfb"),
                                            QStringLiteral("eglfs")};
    if (withoutDesktop.contains(platform))
        return false;
    return !platformTheme.trimmed().isEmpty() || !desktop.trimmed().isEmpty();
}

void PrepareFileDialog(QFileDialog& dialog) {
    // Qt's own dialog is made at once where no desktop is there to give one; elsewhere Qt asks
    // the platform theme and makes its own only when the theme has none.
    if (!DesktopMayProvideFileDialog(QGuiApplication::platformName(),
                                     qEnvironmentVariable("QT_QPA_PLATFORMTHEME"),
                                     qEnvironmentVariable("XDG_CURRENT_DESKTOP")))
        dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!dialog.findChild<QObject*>(QStringLiteral("FileDialogWatch"), Qt::FindDirectChildrenOnly))
        new FileDialogWatch(&dialog);
}

} // namespace qm
