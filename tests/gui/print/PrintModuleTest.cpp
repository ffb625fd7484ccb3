// The print module as the program finds it: this test program does not link the print module's
// code in, so LoadPrintModule looks for quillmark-print.so beside it, as the program does in the
// build tree.
#include "gui/print/PrintModule.h"
#include "gui/print/PrintResults.h"
#include "support/ModuleFile.h"
#include "support/UiHelpers.h"

#include <QDialog>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

const QString Page = QStringLiteral("Module page\n");

TEST(PrintModule, FoundBesideTheProgramAndNamedWhenMissingOrDamaged) {
    const ModuleBesideProgram beside(QStringLiteral("quillmark-print.so"),
                                     QStringLiteral(QM_PRINT_MODULE_FILE));
    for (const ModuleCase& c : beside.cases()) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(beside.place(c));
        QString problem;
        const PrintModule* module = LoadPrintModule(&problem);
        if (!c.says.isEmpty()) {
            EXPECT_EQ(module, nullptr);
            EXPECT_TRUE(problem.startsWith(QLatin1String("Printing cannot go ahead: ")))
                << problem.toStdString();
            EXPECT_TRUE(problem.contains(c.says)) << problem.toStdString();
            EXPECT_TRUE(problem.endsWith(QLatin1String("Reinstall Quillmark.")));
            // Print and Save as PDF tell the user, and no save dialog opens.
            for (const auto& action : {std::function<void()>([] { PrintResults(Page); }),
                                       std::function<void()>([] { SaveResultsAsPdf(Page); })}) {
                const QStringList shown = runAnsweringModals(
                    action, [](QWidget* dialog) { static_cast<QDialog*>(dialog)->reject(); });
                ASSERT_EQ(shown.size(), 1);
                EXPECT_EQ(shown.front(), problem);
            }
        } else {
            ASSERT_NE(module, nullptr);
            EXPECT_TRUE(problem.isEmpty());
            // The loaded module makes a PDF document of the sheets painted, one page each.
            const QByteArray pdf = module->paintPdf(
                QPageSize(QPageSize::A4), QStringLiteral("Module"), PrintColor::Grey,
                [](PrintSheets& sheets, QPainter& painter) {
                    EXPECT_EQ(sheets.paperRect().size().toSize(),
                              QPageSize(QPageSize::A4).sizePixels(sheets.resolution()));
                    painter.drawText(QPointF(300, 300), QStringLiteral("First"));
                    if (!sheets.newPage())
                        return false;
                    painter.drawText(QPointF(300, 300), QStringLiteral("Second"));
                    return true;
                },
                problem);
            EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
            EXPECT_TRUE(pdf.startsWith("%PDF-"));
            EXPECT_EQ(QString::fromLatin1(pdf).count(
                          QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))),
                      2);
        }
    }
}

} // namespace
