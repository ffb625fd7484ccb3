#include "print/PrintJob.h"

#include "app/Dialogs.h"
#include "ui/SaveDialog.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QPageSize>
#include <QPainter>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <optional>
#include <utility>

namespace qm {

namespace {

// The busy pointer for as long as the job is being painted and handed over.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { restore(); }
    void restore() {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = true;
};

// Paints the job; an empty text means it was handed over, otherwise it says what went wrong.
QString runJob(const QPrinterInfo& target, const QString& documentName,
               QPrinter::ColorMode colorMode, const SheetPainter& draw) {
    QPrinter printer(target, QPrinter::HighResolution);
    if (!printer.isValid())
        return QStringLiteral("the printer %1 cannot be used.").arg(target.printerName());
    printer.setDocName(documentName);
    printer.setFullPage(true);
    printer.setColorMode(colorMode);
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("the print job could not be started on %1.")
            .arg(target.printerName());
    const bool drawn = draw(printer, painter);
    if (!drawn)
        printer.abort();
    painter.end();
    if (!drawn)
        return QStringLiteral("a new page could not be started on %1.").arg(target.printerName());
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        return QStringLiteral("the print system reported an error for %1.")
            .arg(target.printerName());
    return QString();
}

// The default printer found by the last lookup, while jobs on it succeed.
std::optional<QPrinterInfo>& rememberedPrinter() {
    static std::optional<QPrinterInfo> printer;
    return printer;
}

PrinterLookup& printerLookup() {
    static PrinterLookup lookup;
    return lookup;
}

QPrinterInfo lookUpDefaultPrinter() {
    return printerLookup() ? printerLookup()() : QPrinterInfo::defaultPrinter();
}

// The remembered default printer, else the print system's answer; a printer found is
// remembered, "none" is not (one may be added meanwhile).
QPrinterInfo defaultPrinter() {
    std::optional<QPrinterInfo>& remembered = rememberedPrinter();
    if (remembered)
        return *remembered;
    QPrinterInfo found = lookUpDefaultPrinter();
    if (!found.isNull())
        remembered = found;
    return found;
}

} // namespace

void ForgetDefaultPrinter() {
    rememberedPrinter().reset();
}

void SetPrinterLookup(PrinterLookup lookup) {
    printerLookup() = std::move(lookup);
    ForgetDefaultPrinter();
}

bool PrintOnDefaultPrinter(const QString& documentName, QPrinter::ColorMode colorMode,
                           const SheetPainter& draw) {
    BusyPointer busy;
    const QPrinterInfo target = defaultPrinter();
    if (target.isNull()) {
        busy.restore();
        return SaveJobAsPdf(NoPrinterSaveTitle, documentName, colorMode, draw);
    }
    const QString reason = runJob(target, documentName, colorMode, draw);
    busy.restore();
    if (reason.isEmpty())
        return true;
    // The printer may have gone or another become the default: asked anew next time.
    ForgetDefaultPrinter();
    ShowPlainMessage(PrintFailedPrefix + reason);
    return false;
}

QByteArray PaintPdf(const QString& documentName, QPrinter::ColorMode colorMode,
                    const SheetPainter& draw, QString& problem) {
    // The printer writes its PDF to a file of its own; it is read back and the caller writes it
    // where the user asked in one piece.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        problem = scratch.errorString();
        return {};
    }
    const QString path = scratch.filePath(QStringLiteral("job.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        const QPrinterInfo paperOf = defaultPrinter();
        if (!paperOf.isNull() && paperOf.defaultPageSize().isValid())
            printer.setPageSize(paperOf.defaultPageSize());
        else
            printer.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                              ? QPageSize::Letter
                                              : QPageSize::A4));
        printer.setDocName(documentName);
        printer.setCreator(QStringLiteral("Quillmark"));
        printer.setFullPage(true);
        printer.setColorMode(colorMode);
        QPainter painter;
        if (!painter.begin(&printer)) {
            problem = QStringLiteral("the PDF document could not be started.");
            return {};
        }
        const bool drawn = draw(printer, painter);
        painter.end();
        if (!drawn) {
            problem = QStringLiteral("a new page could not be started.");
            return {};
        }
    }
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly)) {
        problem = written.errorString();
        return {};
    }
    return written.readAll();
}

bool SaveJobAsPdf(const QString& title, const QString& documentName, QPrinter::ColorMode colorMode,
                  const SheetPainter& draw) {
    return SaveCopy(title, PdfFile, documentName, [&](QString& problem) {
        BusyPointer busy;
        return PaintPdf(documentName, colorMode, draw, problem);
    });
}

} // namespace qm
