#pragma once

#include "core/output/WorkWindow.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace qm {

// How a results page or report is laid out on paper. The text is printed exactly as it is: its
// line ends start new lines and nothing is wrapped; a sheet is ended whenever it is full.

inline const QString PrintFontFamily = QStringLiteral("Courier New");

// 11 points while the calculator window is open (or no work window), 10 in the manager.
int PrintFontPoints(WorkWindow active);

// Space kept free above and below the text on every sheet, in points.
inline constexpr double PrintTopMarginPoints = 36.0;
inline constexpr double PrintBottomMarginPoints = 36.0;
// The widest left margin, in points; narrower when the longest line needs the room.
inline constexpr double PrintMaxSideMarginPoints = 36.0;

// The printed lines: two empty lines, then the lines of `page`. "\r\n" (and a lone "\n" or "\r")
// ends a line; a line end at the very end of the page ends its last line and adds none.
QStringList PrintedLines(const QString& page);

// The printed lines sheet by sheet: each inner list holds the rows of one sheet from the top.
// Every sheet but the last holds exactly `linesPerPage` rows (at least one row per sheet).
QList<QStringList> LayOutPrintPages(const QString& page, int linesPerPage);

// Rows that fit a sheet whose text area is `usableHeight` high, `lineSpacing` apart (at least 1).
int LinesPerPage(double usableHeight, double lineSpacing);

// The left margin that centres the longest line on the sheet, at most PrintMaxSideMarginPoints
// and never negative (a line wider than the sheet starts at its edge and runs off the right).
double PrintLeftMargin(double paperWidth, double widestLine);

} // namespace qm
