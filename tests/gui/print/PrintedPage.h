#pragma once

// Reading a printed results page back from its PDF, and printing a chart through the chart
// window's "&Print", for the tests that press the windows' real buttons.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>

class QMenu;
class QPoint;
class QWidget;

namespace qmtest {

// The lines of a page as text, whatever its line ends ("\r\n" or the boxes' "\n").
QStringList LinesOf(const QString& page);

// Checks that `pdf` is `pageLines` printed as the print buttons print: one font, the fixed-pitch
// print font (here "Liberation Mono") at `points`; two empty lines above the first line; every line
// once, in order, in its own character columns and rows (empty lines kept as gaps), nothing wrapped
// or cut and nothing beyond the paper's edges; a sheet ended only when full, the next one starting
// at the top. Returns the number of sheets.
int ExpectPrintedPage(const QString& pdf, const QStringList& pageLines, int points);

// Runs `openChart` (a "&Graph" click), which opens the chart window; presses the window's "&Print"
// once for each entry of `rounds`, answering its questions with the buttons named there in order,
// then leaves it by "E&xit". Returns every message and question shown, in order; the chart
// window's own (empty) text is left out, and "<chart>" stands where it opened.
QStringList PrintFromChartWindow(const std::function<void()>& openChart,
                                 const QList<QStringList>& rounds);

// Checks that `pdf` holds the chart alone: one sheet, one image in `color` ("rgb" or "gray"),
// 9530 by 6350 twips on paper.
void ExpectChartImage(const QString& pdf, const char* color);

// The whole content of a file; empty when it cannot be read.
QByteArray readAll(const QString& path);

// What a context menu offers: its entries' texts without access-key marks and shortcuts, "-" for
// a separator, a trailing " (off)" for an entry that is disabled.
QStringList entriesOf(const QMenu* menu);

// Opens the context menu of `target` with the right mouse button at `at` and, when `entry` is
// given, clicks the entry with that objectName (the menu is closed otherwise). Returns what the
// menu offered (entriesOf), empty when no menu opened.
QStringList useContextMenu(QWidget* target, QPoint at, const QString& entry = QString());

// The entries a results box's menu offers after the box's own (every one on).
inline const QStringList PageEntries{"Save as PDF...", "Save as text..."};

// The entries of `offered` from the first that saves something on.
QStringList SavingEntries(const QStringList& offered);

// Checks that the box's own entries of `offered` (those before SavingEntries) are copying and
// selecting all, and nothing that changes the text.
void expectCopyAndSelectAll(const QStringList& offered);

} // namespace qmtest
