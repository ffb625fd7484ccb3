#include "core/output/PrintLayout.h"

#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace qm {

int PrintFontPoints(WorkWindow active) {
    return active == WorkWindow::Manager ? 10 : 11;
}

QStringList PrintedLines(const QString& page) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = page.split(lineEnd);
    // The split leaves one empty piece after a closing line end (or for an empty page).
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    lines.prepend(QString());
    lines.prepend(QString());
    return lines;
}

QList<QStringList> LayOutPrintPages(const QString& page, int linesPerPage) {
    const int perPage = std::max(1, linesPerPage);
    const QStringList lines = PrintedLines(page);
    QList<QStringList> pages;
    for (qsizetype first = 0; first < lines.size(); first += perPage)
        pages.append(lines.mid(first, perPage));
    return pages;
}

int LinesPerPage(double usableHeight, double lineSpacing) {
    if (!(lineSpacing > 0.0) || !(usableHeight > 0.0))
        return 1;
    return std::max(1, static_cast<int>(std::floor(usableHeight / lineSpacing)));
}

double PrintLeftMargin(double paperWidth, double widestLine) {
    return std::clamp((paperWidth - widestLine) / 2.0, 0.0, PrintMaxSideMarginPoints);
}

} // namespace qm
