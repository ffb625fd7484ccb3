// The print module's code (quillmark-print.so): everything that reaches the print system.
#include "gui/print/PrintModule.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryDir>

namespace qm {

namespace {

class PrinterSheets final : public PrintSheets {
public:
    explicit PrinterSheets(QPrinter& printer) : printer_(printer) {}
    QPaintDevice* device() override { return &printer_; }
    int resolution() const override { return printer_.resolution(); }
    QRectF paperRect() const override { return printer_.paperRect(QPrinter::DevicePixel); }
    bool newPage() override { return printer_.newPage(); }

private:
    QPrinter& printer_;
};

QPrinter::ColorMode colorMode(PrintColor color) {
    return color == PrintColor::Color ? QPrinter::Color : QPrinter::GrayScale;
}

DefaultPrinter defaultPrinter() {
    const QPrinterInfo found = QPrinterInfo::defaultPrinter();
    if (found.isNull())
        return {};
    return {found.printerName(), found.defaultPageSize(),
            std::make_shared<const QPrinterInfo>(found)};
}

QString print(const DefaultPrinter& printer, const QString& documentName, PrintColor color,
              const SheetPainter& draw) {
    // The printer as the print system described it when it was found on the UI thread; one
    // known by its name only is looked up here.
    const QPrinterInfo target = printer.found
                                    ? *static_cast<const QPrinterInfo*>(printer.found.get())
                                    : QPrinterInfo::printerInfo(printer.name);
    if (target.isNull())
        return QStringLiteral("the printer %1 cannot be used.").arg(printer.name);
    QPrinter device(target, QPrinter::HighResolution);
    if (!device.isValid())
        return QStringLiteral("the printer %1 cannot be used.").arg(target.printerName());
    device.setDocName(documentName);
    device.setFullPage(true);
    device.setColorMode(colorMode(color));
    QPainter painter;
    if (!painter.begin(&device))
        return QStringLiteral("the print job could not be started on %1.")
            .arg(target.printerName());
    PrinterSheets sheets(device);
    const bool drawn = draw(sheets, painter);
    if (!drawn)
        device.abort();
    painter.end();
    if (!drawn)
        return QStringLiteral("a new page could not be started on %1.").arg(target.printerName());
    if (device.printerState() == QPrinter::Error || device.printerState() == QPrinter::Aborted)
        return QStringLiteral("the print system reported an error for %1.")
            .arg(target.printerName());
    return QString();
}

QByteArray paintPdf(const QPageSize& pageSize, const QString& documentName, PrintColor color,
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
        printer.setPageSize(pageSize);
        printer.setDocName(documentName);
        printer.setCreator(QStringLiteral("Quillmark"));
        printer.setFullPage(true);
        printer.setColorMode(colorMode(color));
        QPainter painter;
        if (!painter.begin(&printer)) {
            problem = QStringLiteral("the PDF document could not be started.");
            return {};
        }
        PrinterSheets sheets(printer);
        const bool drawn = draw(sheets, painter);
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

} // namespace

} // namespace qm

extern "C" __attribute__((visibility("default"))) const qm::PrintModule* qm_print_module() {
    static const qm::PrintModule module{&qm::defaultPrinter, &qm::print, &qm::paintPdf};
    return &module;
}
