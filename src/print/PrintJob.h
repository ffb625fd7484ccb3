#pragma once

#include <QPrinter>
#include <QString>
#include <functional>

class QPainter;

namespace qm {

// What the user is told when printing cannot go ahead.
inline const QString NoPrinterMessage =
    QStringLiteral("No printer is available. Install a printer and try again.");
inline const QString PrintFailedPrefix = QStringLiteral("Printing failed: ");

// Paints one job on the system's default printer, with the busy pointer shown meanwhile.
// `draw` paints the sheets on a full-page printer (origin at the paper's corner), calls
// printer.newPage() between sheets and returns false when that fails. Returns true when the job
// was handed to the print system. Otherwise the system's plain message box names the problem
// (NoPrinterMessage, or PrintFailedPrefix and the reason), and the program carries on; the
// caller's data is untouched either way.
bool PrintOnDefaultPrinter(const QString& documentName, QPrinter::ColorMode colorMode,
                           const std::function<bool(QPrinter&, QPainter&)>& draw);

} // namespace qm
