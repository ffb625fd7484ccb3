// The print module as the program finds it: this test program does not link the print module's
// code in, so LoadPrintModule looks for quillmark-print.so beside it, as the program does in the
// build tree.
#include "print/PrintModule.h"
#include "print/PrintResults.h"
#include "support/ModuleFile.h"
#include "support/UiHelpers.h"

#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

const QString Page = QStringLiteral("Module page\n");

TEST(PrintModule, FoundBesideTheProgramAndNamedWhenMissingOrDamaged) {
    const QString beside =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("quillmark-print.so"));
    QFile::remove(beside);

    struct Case {
        const char* name;
        QByteArray file; // the file put beside the program: none, not a library, the module
        const char* says;
    } cases[] = {
        {"missing", {}, "quillmark-print.so is missing"},
        {"damaged", "not a library", "could not be loaded"},
        {"present", "module", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(qmtest::PlaceModule(beside, c.file, QStringLiteral(QM_PRINT_MODULE_FILE)));
        QString problem;
        const PrintModule* module = LoadPrintModule(&problem);
        if (c.says) {
            EXPECT_EQ(module, nullptr);
            EXPECT_TRUE(problem.startsWith(QLatin1String("Printing cannot go ahead: ")))
                << problem.toStdString();
            EXPECT_TRUE(problem.contains(QLatin1String(c.says))) << problem.toStdString();
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
    QFile::remove(beside);
}

} // namespace
