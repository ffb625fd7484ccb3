#pragma once

#include <QByteArray>
#include <QString>

namespace qm {

// A results page or report as a plain text file: its lines in UTF-8, each ended by "\n", exactly
// the lines the printer gets but without the two empty lines set above them on paper.
QByteArray PageTextFile(const QString& page);

// Writes `bytes` as the whole of the file `path`. The file is replaced only once everything has
// been written: on any failure an existing file keeps its old contents and no half-written file
// is left. Returns the empty text on success, otherwise the reason.
QString WriteWholeFile(const QString& path, const QByteArray& bytes);

} // namespace qm
