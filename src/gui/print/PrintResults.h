#pragma once

#include <QString>

namespace qm {

// Prints `page` (a results page, report or help page) on the system's default printer as one job:
// the fixed-pitch print font, 11 points in the calculator window and 10 in the manager
// (ActiveWorkWindow()), two empty lines, then the page's lines exactly as they are, a new sheet
// whenever one is full. Without a printer the page is offered as a PDF file instead; when the
// print system fails, a plain message says so. Nothing else changes.
void PrintResults(const QString& page);

// "Save as PDF...": the page laid out exactly as PrintResults prints it, in a PDF file the user
// chooses.
void SaveResultsAsPdf(const QString& page);

// "Save as text...": the page's lines in a UTF-8 text file the user chooses (PageTextFile).
void SaveResultsAsText(const QString& page);

} // namespace qm
