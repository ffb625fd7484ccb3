#pragma once

#include <QString>
#include <QStringView>

namespace qm {

// A help page kept as a text resource, ":/help/NAME.txt" (src/text/help/NAME.txt, UTF-8): the
// page as its lines are written there, each "\n" ended by LineEnd instead, "{currency}" replaced
// by `currencySymbol` and "{today}" by `today` (the date as the page shows it). A file that does
// not end its last line gives a page without a final line end. An unknown name gives the empty
// text.
QString HelpText(QStringView name, const QString& currencySymbol, const QString& today = QString());

} // namespace qm
