#include "gui/print/PrintResults.h"

#include "core/output/OutputFile.h"
#include "core/output/PrintLayout.h"
#include "gui/common/SaveDialog.h"
#include "gui/common/WorkWindowBase.h"
#include "gui/print/PrintJob.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QTextLayout>
#include <algorithm>
#include <deque>

namespace qm {

namespace {

QFont printFont() {
    QFont font(PrintFontFamily, PrintFontPoints(ActiveWorkWindow()));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    font.setBold(false);
    return font;
}

bool drawPage(const QString& page, const QFont& font, PrintSheets& output, QPainter& painter) {
    painter.setFont(font);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics(font, output.device());
    // Sizes in device pixels: the printer's resolution per inch, 72 points per inch.
    const double perPoint = output.resolution() / 72.0;
    const QRectF paper = output.paperRect();
    const double top = PrintTopMarginPoints * perPoint;
    const double usable = paper.height() - top - PrintBottomMarginPoints * perPoint;
    const QList<QStringList> sheets =
        LayOutPrintPages(page, LinesPerPage(usable, metrics.lineSpacing()));

    // Each line is shaped once: the shaping that gives its width for the margin is the one
    // drawn.
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(painter.layoutDirection());
    std::deque<QTextLayout> shaped;
    double widest = 0.0;
    for (const QStringList& sheet : sheets) {
        for (const QString& line : sheet) {
            if (line.isEmpty())
                continue;
            QTextLayout& layout = shaped.emplace_back(line, font, output.device());
            layout.setTextOption(option);
            layout.beginLayout();
            const QTextLine row = layout.createLine();
            layout.endLayout();
            widest = std::max(widest, row.horizontalAdvance());
        }
    }
    const double left = PrintLeftMargin(paper.width() / perPoint, widest / perPoint) * perPoint;

    auto next = shaped.begin();
    for (qsizetype s = 0; s < sheets.size(); ++s) {
        if (s > 0 && !output.newPage())
            return false;
        double baseline = top + metrics.ascent();
        for (const QString& line : sheets.at(s)) {
            if (!line.isEmpty()) {
                const QTextLayout& layout = *next++;
                // The row's own top: its baseline falls on the sheet's.
                layout.draw(&painter, QPointF(left, baseline - layout.lineAt(0).ascent()));
            }
            baseline += metrics.lineSpacing();
        }
    }
    return true;
}

const QString DocumentName = QStringLiteral("Quillmark");

} // namespace

void PrintResults(const QString& page) {
    // Decided now, as the user clicked: the job is painted later, off this thread.
    PrintOnDefaultPrinter(DocumentName, PrintColor::Grey,
                          [page, font = printFont()](PrintSheets& sheets, QPainter& painter) {
                              return drawPage(page, font, sheets, painter);
                          });
}

void SaveResultsAsPdf(const QString& page) {
    SaveJobAsPdf(SaveAsPdfTitle, DocumentName, PrintColor::Grey,
                 [&page, font = printFont()](PrintSheets& sheets, QPainter& painter) {
                     return drawPage(page, font, sheets, painter);
                 });
}

void SaveResultsAsText(const QString& page) {
    SaveCopy(QStringLiteral("Save as text"), TextFile, DocumentName,
             [&page](QString&) { return PageTextFile(page); });
}

} // namespace qm
