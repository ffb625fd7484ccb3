#include "gui/common/SaveDialog.h"

#include "core/output/OutputFile.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FileDialogs.h"
#include "gui/common/Geometry.h"
#include "gui/common/StartFolder.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace qm {

std::optional<QString> AskSavePath(const QString& title, const SaveKind& kind,
                                   const QString& suggestedName) {
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = CurrentWorkWindow();
    QFileDialog dialog(parent, title, StartFolder(), kind.filter);
    dialog.setObjectName(QStringLiteral("SaveAsDialog"));
    PrepareFileDialog(dialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(kind.suffix);
    dialog.selectFile(suggestedName + QLatin1Char('.') + kind.suffix);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return QDir::cleanPath(chosen.first());
}

void ShowSaveFailure(const QString& path, const QString& reason) {
    ShowPlainMessage(QStringLiteral("The file %1 could not be saved: %2")
                         .arg(QDir::toNativeSeparators(path), reason));
}

bool SaveCopy(const QString& title, const SaveKind& kind, const QString& suggestedName,
              const FileContents& contents) {
    const std::optional<QString> path = AskSavePath(title, kind, suggestedName);
    if (!path)
        return false;
    QString reason;
    const QByteArray bytes = contents(reason);
    if (reason.isEmpty())
        reason = WriteWholeFile(*path, bytes);
    if (reason.isEmpty())
        return true;
    ShowSaveFailure(*path, reason);
    return false;
}

} // namespace qm
