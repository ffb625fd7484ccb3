#include "gui/print/ResultsMenu.h"

#include "gui/print/PrintResults.h"

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

namespace qm {

void AddResultsMenu(QPlainTextEdit* box, std::function<QString()> page,
                    const QList<QAction*>& extra) {
    box->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(
        box, &QWidget::customContextMenuRequested, box, [box, page, extra](const QPoint& at) {
            QMenu* menu = box->createStandardContextMenu(at);
            menu->setObjectName(QStringLiteral("ResultsMenu"));
            menu->setAttribute(Qt::WA_DeleteOnClose);
            const bool hasPage = !page().isEmpty();
            menu->addSeparator();
            QAction* pdf = menu->addAction(QStringLiteral("Save as PDF..."));
            pdf->setObjectName(QStringLiteral("SaveAsPdf"));
            pdf->setEnabled(hasPage);
            QAction* text = menu->addAction(QStringLiteral("Save as text..."));
            text->setObjectName(QStringLiteral("SaveAsText"));
            text->setEnabled(hasPage);
            // The page is taken again when chosen: it is what the box shows at that moment.
            QObject::connect(pdf, &QAction::triggered, box, [page] { SaveResultsAsPdf(page()); });
            QObject::connect(text, &QAction::triggered, box, [page] { SaveResultsAsText(page()); });
            if (!extra.isEmpty()) {
                menu->addSeparator();
                menu->addActions(extra);
            }
            // Scroll areas report the place in their viewport.
            menu->popup(box->viewport()->mapToGlobal(at));
        });
}

} // namespace qm
