// The investment manager's pages and records saved to files through the real buttons and context
// menus, with no print system at all, read back from the files.
#include "gui/manager/ManagerWindowFixture.h"

#include "core/output/OutputFile.h"
#include "core/portfolio/RecordsCsv.h"
#include "gui/print/PrintSystem.h"
#include "gui/print/PrintedPage.h"

#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace qm;
using namespace qmtest;

namespace {

// ---- The investment manager ---------------------------------------------------------------

class ManagerCopies : public WithoutPrintSystem<ManagerWindowTest> {
protected:
    void SetUp() override {
        ManagerWindowTest::SetUp();
        if (HasFatalFailure())
            return;
        managerHooks().print = {}; // the program's own printing
        const QString sample = dir.filePath(QStringLiteral("DtaSampl.QMD"));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QM_SAMPLE_DATABASE), sample));
        ASSERT_EQ(openFile(sample), QStringList());
        sampleBytes = readAll(sample);
    }
    QString out(const char* name) { return out_.filePath(QLatin1String(name)); }
    // Chooses `entry` from the context menu of the box `box`, answering the save dialog with
    // `reply` ("file:<path>" or "cancel").
    QStringList fromMenu(const char* box, const char* entry, const QString& reply) {
        auto* page = get<QPlainTextEdit>(box);
        return run(
            [&] {
                useContextMenu(page->viewport(), page->viewport()->rect().center(),
                               QString::fromLatin1(entry));
            },
            {reply});
    }
    void expectDatabaseKept() {
        EXPECT_EQ(window->portfolio().unsavedChanges, 0);
        EXPECT_EQ(readAll(dir.filePath(QStringLiteral("DtaSampl.QMD"))), sampleBytes);
    }

    QTemporaryDir out_;
    QByteArray sampleBytes;
};

// "&Print" without a printer saves the record list as the PDF it would have printed (10 points);
// the boxes' menus save their pages as PDF and text.
TEST_F(ManagerCopies, PagesAsPdfAndText) {
    choose("EFunds", QStringLiteral("Amberlane Growth Fund"));
    const QString list = text("EResults");
    EXPECT_EQ(click("EPrint", {"file:" + out("list")}), QStringList());
    ExpectPrintedPage(out("list.pdf"), LinesOf(list), 10);
    EXPECT_EQ(click("EPrint", {"cancel"}), QStringList());
    EXPECT_EQ(text("EResults"), list);

    EXPECT_EQ(fromMenu("EResults", "SaveAsText", "file:" + out("list.txt")), QStringList());
    EXPECT_EQ(readAll(out("list.txt")), PageTextFile(window->screen().resultsPage));
    EXPECT_EQ(QString::fromUtf8(readAll(out("list.txt"))),
              QString(list).replace(QLatin1String("\r\n"), QLatin1String("\n")) +
                  (list.endsWith(QLatin1Char('\n')) ? QString() : QStringLiteral("\n")))
        << "the lines the box shows";

    EXPECT_EQ(clickTab(3), QStringList());
    EXPECT_EQ(click("DDisplall"), QStringList());
    const QString display = text("DDResults");
    EXPECT_EQ(fromMenu("DDResults", "SaveAsPdf", "file:" + out("display.pdf")), QStringList());
    ExpectPrintedPage(out("display.pdf"), LinesOf(display), 10);

    EXPECT_EQ(clickTab(4), QStringList());
    focus("CVInPrice(0)");
    for (int k = 0; k < window->portfolio().fundCount; ++k)
        keys(QStringLiteral("20{Enter}"));
    EXPECT_EQ(click("CVCalc"), QStringList());
    EXPECT_EQ(fromMenu("CVResults", "SaveAsText", "file:" + out("values")), QStringList());
    EXPECT_EQ(readAll(out("values.txt")), PageTextFile(window->screen().resultsPage));
    EXPECT_TRUE(readAll(out("values.txt")).contains("20.00"));
    expectDatabaseKept();
}

// The records as CSV from the "Display data" tab: from the report's menu and from the tab's own
// menu (the fund list), a header and one row per record; a file that cannot be written is
// named in a message and nothing else changes.
TEST_F(ManagerCopies, RecordsAsCsvFromDisplayData) {
    EXPECT_EQ(clickTab(3), QStringList());
    auto* page = get<QPlainTextEdit>("DDResults");
    QStringList offered = useContextMenu(page->viewport(), page->viewport()->rect().center());
    expectCopyAndSelectAll(offered);
    EXPECT_EQ(SavingEntries(offered), (QStringList{"Save as PDF... (off)", "Save as text... (off)",
                                                   "-", "Save records as CSV..."}));

    EXPECT_EQ(fromMenu("DDResults", "SaveRecordsCsv", "file:" + out("records")), QStringList());
    const QByteArray csv = readAll(out("records.csv"));
    EXPECT_EQ(csv, RecordsCsv(window->portfolio()));
    const QStringList rows = QString::fromUtf8(csv).split(QStringLiteral("\r\n"));
    EXPECT_EQ(rows.size(), window->portfolio().recordCount + 2) << "header, records, final CRLF";
    EXPECT_EQ(rows.front(), "Fund,Type,Date,Price,Shares,Fees,Cash dividend,Book value");

    // The tab's own menu, over the fund list.
    auto* funds = get("DDispFunds");
    EXPECT_EQ(run([&] { useContextMenu(funds, QPoint(10, funds->height() - 5), "SaveRecordsCsv"); },
                  {"file:" + out("again.csv")}),
              QStringList());
    EXPECT_EQ(readAll(out("again.csv")), csv);

    const QString unwritable = out("missing/records.csv");
    const QStringList failed = fromMenu("DDResults", "SaveRecordsCsv", "file:" + unwritable);
    ASSERT_EQ(failed.size(), 1);
    EXPECT_TRUE(
        failed[0].startsWith(QStringLiteral("The file %1 could not be saved: ").arg(unwritable)))
        << failed[0].toStdString();
    EXPECT_EQ(tab(), 3);
    expectDatabaseKept();
}

// A spreadsheet opens the saved records with the numbers as numbers and the dates as dates.
TEST_F(ManagerCopies, SpreadsheetReadsTheRecords) {
    QString office = QStandardPaths::findExecutable(QStringLiteral("libreoffice"));
    if (office.isEmpty())
        office = QStandardPaths::findExecutable(QStringLiteral("soffice"));
    if (office.isEmpty())
        GTEST_SKIP() << "no spreadsheet program is installed";
    EXPECT_EQ(clickTab(3), QStringList());
    EXPECT_EQ(fromMenu("DDResults", "SaveRecordsCsv", "file:" + out("records")), QStringList());
    QProcess convert;
    convert.start(
        office,
        {QStringLiteral("-env:UserInstallation=file://") + out_.path() + QStringLiteral("/profile"),
         QStringLiteral("--headless"), QStringLiteral("--infilter=CSV:44,34,76,1,,1033,false,true"),
         QStringLiteral("--convert-to"), QStringLiteral("fods"), QStringLiteral("--outdir"),
         out_.path(), out("records.csv")});
    ASSERT_TRUE(convert.waitForFinished(120000));
    const QString sheet = QString::fromUtf8(readAll(out("records.fods")));
    ASSERT_FALSE(sheet.isEmpty()) << convert.readAll().toStdString();
    // Cells of one type and value side by side are written once with a repeat count.
    QMap<QString, int> cellsOfType;
    static const QRegularExpression cell(QStringLiteral("<table:table-cell\\b([^>]*)>"));
    static const QRegularExpression type(QStringLiteral("office:value-type=\"(\\w+)\""));
    static const QRegularExpression repeated(
        QStringLiteral("table:number-columns-repeated=\"(\\d+)\""));
    for (const auto& match : cell.globalMatch(sheet)) {
        const QString attributes = match.captured(1);
        const auto repeat = repeated.match(attributes);
        cellsOfType[type.match(attributes).captured(1)] +=
            repeat.hasMatch() ? repeat.captured(1).toInt() : 1;
    }
    const int records = window->portfolio().recordCount;
    EXPECT_EQ(cellsOfType.value(QStringLiteral("float")), 5 * records);
    EXPECT_EQ(cellsOfType.value(QStringLiteral("date")), records);
}

} // namespace
