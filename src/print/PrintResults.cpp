#include "print/PrintResults.h"

#include "app/WorkWindowBase.h"
#include "print/OutputFile.h"
#include "print/PrintJob.h"
#include "print/PrintLayout.h"
#include "ui/SaveDialog.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>

namespace qm {

namespace {

QFont printFont() {
    QFont font(PrintFontFamily, PrintFontPoints(ActiveWorkWindow()));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setBold(false);
    return font;
}

bool drawPage(const QString& page, QPrinter& printer, QPainter& painter) {
    const QFont font = printFont();
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, &printer);
    // Sizes in device pixels: the printer's resolution per inch, 72 points per inch.
    const double perPoint = printer.resolution() / 72.0;
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const double top = PrintTopMarginPoints * perPoint;
    const double usable = paper.height() - top - PrintBottomMarginPoints * perPoint;
    const QList<QStringList> sheets =
        LayOutPrintPages(page, LinesPerPage(usable, metrics.lineSpacing()));

    double widest = 0.0;
    for (const QStringList& sheet : sheets)
        for (const QString& line : sheet)
            widest = std::max(widest, metrics.horizontalAdvance(line));
    const double left = PrintLeftMargin(paper.width() / perPoint, widest / perPoint) * perPoint;

    for (qsizetype s = 0; s < sheets.size(); ++s) {
        if (s > 0 && !printer.newPage())
            return false;
        double baseline = top + metrics.ascent();
        for (const QString& line : sheets.at(s)) {
            if (!line.isEmpty())
                painter.drawText(QPointF(left, baseline), line);
            baseline += metrics.lineSpacing();
        }
    }
    return true;
}

const QString DocumentName = QStringLiteral("Quillmark");

} // namespace

void PrintResults(const QString& page) {
    PrintOnDefaultPrinter(
        DocumentName, QPrinter::GrayScale,
        [&page](QPrinter& printer, QPainter& painter) { return drawPage(page, printer, painter); });
}

void SaveResultsAsPdf(const QString& page) {
    SaveJobAsPdf(
        SaveAsPdfTitle, DocumentName, QPrinter::GrayScale,
        [&page](QPrinter& printer, QPainter& painter) { return drawPage(page, printer, painter); });
}

void SaveResultsAsText(const QString& page) {
    SaveCopy(QStringLiteral("Save as text"), TextFile, DocumentName,
             [&page](QString&) { return PageTextFile(page); });
}

} // namespace qm
