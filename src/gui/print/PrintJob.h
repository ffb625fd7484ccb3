#pragma once

#include "gui/print/PrintModule.h"

#include <QString>
#include <functional>

namespace qm {

// What the user is told when printing cannot go ahead.
inline const QString PrintFailedPrefix = QStringLiteral("Printing failed: ");
// The title of the save dialog offered in place of a printer when there is none.
inline const QString NoPrinterSaveTitle =
    QStringLiteral("No printer is available - save as PDF instead");
inline const QString SaveAsPdfTitle = QStringLiteral("Save as PDF");

// The default printer is asked of the print system once and remembered for the jobs after;
// a job that fails, or a lookup that finds no printer, has the next job ask again.
// ForgetDefaultPrinter() has the next job ask again in any case.
void ForgetDefaultPrinter();
// How the default printer is looked up: the print system's answer, or for a test `lookup`
// (empty: the print system's again). Forgets the remembered printer.
using PrinterLookup = std::function<DefaultPrinter()>;
void SetPrinterLookup(PrinterLookup lookup);

// Prints one job on the system's default printer. The job is painted and handed to the print
// system by one worker thread, jobs one at a time in the order given, so `draw` runs there: it
// holds copies of all it paints and reaches no widget. Returns true when the job was queued;
// the pointer shows the program busy (still usable) until the last job is done. When the print
// system fails, the system's plain message box says so (PrintFailedPrefix and the reason) once
// that is known, and the next job asks for the default printer again. Without a printer the save
// dialog titled NoPrinterSaveTitle offers the job as a PDF file instead (SaveJobAsPdf, here and
// now); true when it was saved. Without the print module a plain message names it. The caller's
// data is untouched either way.
bool PrintOnDefaultPrinter(const QString& documentName, PrintColor color, SheetPainter draw);

// Waits until every job queued so far is done and reports here what went wrong with any of
// them. The program does this as it quits, so no job is lost at exit.
void WaitForPrintJobs();

// The job painted exactly as on paper into a PDF document in memory: the default printer's
// paper when there is one, else the locale's (Letter where it is the custom, A4 elsewhere).
// The empty array, with the reason in `problem`, when it (or the print module) could not be made.
QByteArray PaintPdf(const QString& documentName, PrintColor color, const SheetPainter& draw,
                    QString& problem);

// Asks where to save a PDF (the dialog titled `title`, "<documentName>.pdf" suggested) and writes
// the job there (PaintPdf); a failure is named in a message. True when the file was written.
bool SaveJobAsPdf(const QString& title, const QString& documentName, PrintColor color,
                  const SheetPainter& draw);

} // namespace qm
