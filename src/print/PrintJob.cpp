#include "print/PrintJob.h"

#include "app/Dialogs.h"

#include <QApplication>
#include <QPainter>
#include <QPrinterInfo>

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
               QPrinter::ColorMode colorMode,
               const std::function<bool(QPrinter&, QPainter&)>& draw) {
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

} // namespace

bool PrintOnDefaultPrinter(const QString& documentName, QPrinter::ColorMode colorMode,
                           const std::function<bool(QPrinter&, QPainter&)>& draw) {
    BusyPointer busy;
    const QPrinterInfo target = QPrinterInfo::defaultPrinter();
    QString problem;
    if (target.isNull())
        problem = NoPrinterMessage;
    else if (const QString reason = runJob(target, documentName, colorMode, draw);
             !reason.isEmpty())
        problem = PrintFailedPrefix + reason;
    busy.restore();
    if (problem.isEmpty())
        return true;
    ShowPlainMessage(problem);
    return false;
}

} // namespace qm
