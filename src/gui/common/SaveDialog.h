#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace qm {

// What a copy of a page, a chart or the records is saved as: the dialog's name filter and the
// extension added to a name typed without one.
struct SaveKind {
    QString filter; // e.g. "PDF files (*.pdf)"
    QString suffix; // e.g. "pdf"
};
inline const SaveKind PdfFile{QStringLiteral("PDF files (*.pdf)"), QStringLiteral("pdf")};
inline const SaveKind TextFile{QStringLiteral("Text files (*.txt)"), QStringLiteral("txt")};
inline const SaveKind PngFile{QStringLiteral("PNG pictures (*.png)"), QStringLiteral("png")};
inline const SaveKind CsvFile{QStringLiteral("CSV files (*.csv)"), QStringLiteral("csv")};

// The file dialog "SaveAsDialog" for saving a copy: titled `title`, starting in StartFolder()
// with `suggestedName` filled in, asking before an existing file is replaced. The full path
// chosen, or nothing when it was cancelled.
std::optional<QString> AskSavePath(const QString& title, const SaveKind& kind,
                                   const QString& suggestedName);

// "The file <path> could not be saved: <reason>" in the system's plain message box.
void ShowSaveFailure(const QString& path, const QString& reason);

// Makes the file's contents; leaves a reason in `problem` when they cannot be made.
using FileContents = std::function<QByteArray(QString& problem)>;

// Asks where to save (AskSavePath), makes the contents and writes them there in one piece
// (WriteWholeFile); a failure is shown (ShowSaveFailure) and leaves any existing file as it was.
// True when the file was written.
bool SaveCopy(const QString& title, const SaveKind& kind, const QString& suggestedName,
              const FileContents& contents);

} // namespace qm
