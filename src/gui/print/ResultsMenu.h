#pragma once

#include <QList>
#include <QString>
#include <functional>

class QAction;
class QPlainTextEdit;

namespace qm {

// Gives a results box its context menu "ResultsMenu": the box's own entries for copying and
// selecting, then "Save as PDF..." (`SaveAsPdf`) and "Save as text..." (`SaveAsText`) for the
// page `page` returns - the page the tab's "&Print" prints, empty while there is none (both are
// then off) - then `extra`, after a separator.
void AddResultsMenu(QPlainTextEdit* box, std::function<QString()> page,
                    const QList<QAction*>& extra = {});

} // namespace qm
