#include "core/portfolio/RecordsCsv.h"

#include "core/portfolio/DatabaseFile.h"
#include "support/ManagerTestSupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <limits>

using namespace qm;
using namespace qmtest;

namespace {

// Reads comma-separated values as RFC 4180 has them: fields in double quotes may hold commas,
// line breaks and doubled quotes; rows end in CRLF. An unbalanced quote fails the test.
QList<QStringList> parseCsv(const QString& text) {
    QList<QStringList> rows;
    QStringList row;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < text.size() && text[i + 1] == QLatin1Char('"')) {
                field += c;
                ++i;
            } else if (c == QLatin1Char('"')) {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == QLatin1Char('"') && field.isEmpty()) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            row << field;
            field.clear();
        } else if (c == QLatin1Char('\r') && i + 1 < text.size() &&
                   text[i + 1] == QLatin1Char('\n')) {
            row << field;
            rows << row;
            row.clear();
            field.clear();
            ++i;
        } else {
            EXPECT_NE(c, QLatin1Char('"')) << "a quote inside an unquoted field";
            EXPECT_NE(c, QLatin1Char('\n')) << "a bare line break";
            field += c;
        }
    }
    EXPECT_FALSE(quoted) << "an unclosed quote";
    EXPECT_TRUE(field.isEmpty() && row.isEmpty()) << "the last row has no CRLF";
    return rows;
}

const QStringList Header{"Fund",   "Type", "Date",          "Price",
                         "Shares", "Fees", "Cash dividend", "Book value"};

TEST(CsvField, QuotedOnlyWhereNeeded) {
    struct Case {
        QString text;
        QString field;
    };
    const std::vector<Case> cases = {
        {"Plain Fund", "Plain Fund"},         {"", ""},
        {"Smith, Jones", "\"Smith, Jones\""}, {"The \"Best\" Fund", "\"The \"\"Best\"\" Fund\""},
        {"Two\nlines", "\"Two\nlines\""},     {"Two\r\nlines", "\"Two\r\nlines\""},
        {" padded ", "\" padded \""},         {"\"", "\"\"\"\""},
        {"caf\u00e9", "caf\u00e9"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(CsvField(c.text), c.field);
        EXPECT_EQ(parseCsv(CsvField(c.text) + QStringLiteral("\r\n")), QList<QStringList>{{c.text}})
            << "reads back";
    }
}

// A name a spreadsheet would run as a formula is written as text: a leading apostrophe, then
// quoted as any field.
TEST(CsvText, FormulaStartsWrittenAsText) {
    struct Case {
        QString text;
        QString field;
    };
    const std::vector<Case> cases = {
        {"=HYPERLINK(\"http://x\",\"Fund\")", "\"'=HYPERLINK(\"\"http://x\"\",\"\"Fund\"\")\""},
        {"+1 Fund", "'+1 Fund"},
        {"-Short", "'-Short"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tTabbed", "'\tTabbed"},
        {"\rReturn", "\"'\rReturn\""},
        {"Plain = Fund", "Plain = Fund"},
        {"'Quoted", "'Quoted"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(CsvText(c.text), c.field);
    }
}

TEST(CsvAmount, PointFourDecimalsNoGrouping) {
    struct Case {
        Currency amount;
        const char* text;
    };
    const std::vector<Case> cases = {
        {Currency(), "0.0000"},
        {Currency::fromRaw(1), "0.0001"},
        {Currency::fromRaw(-1), "-0.0001"},
        {Currency::fromRaw(12345678), "1234.5678"},
        {Currency::fromRaw(-10500000), "-1050.0000"},
        {Currency::fromUnits(1234567), "1234567.0000"},
        {Currency::fromRaw(std::numeric_limits<std::int64_t>::max()), "922337203685477.5807"},
        {Currency::fromRaw(std::numeric_limits<std::int64_t>::min()), "-922337203685477.5808"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CsvAmount(c.amount), QLatin1String(c.text)) << c.text;
}

// Every record once, in date order, with its fund's name, its type's full name, an ISO date and
// the five amounts; names with commas, quotes and line breaks come back whole.
TEST(RecordsCsv, OneRowPerRecordInDateOrder) {
    Portfolio p = portfolioOf({{"Smith, Jones Growth", "B", "3/15/2001", "12.34", "100", "9.95"},
                               {"Plain", "B", "1/2/2001", "10", "50"},
                               {"Smith, Jones Growth", "S", "6/30/2002", "15.5", "40", "9.95"},
                               {"Plain", "C", "12/31/2001", "0", "0", "0", "25.75"},
                               {"Plain", "D", "12/31/2001", "11", "2.3456"},
                               {"Plain", "F", "2/1/2002", "0", "0", "4.5"},
                               {"Plain", "U", "2/2/2002", "11", "0.5"}});
    ASSERT_EQ(p.recordCount, 7);
    // Names the entry dialog cannot type still come out whole.
    const int plain = FundNames(p).indexOf(QStringLiteral("Plain")) + 1;
    p.fundNames[static_cast<std::size_t>(plain)] = QStringLiteral("The \"Plain\"\nFund \u00e9");
    const QString plainName = p.fundNames[static_cast<std::size_t>(plain)];

    const QByteArray bytes = RecordsCsv(p);
    const QString text = QString::fromUtf8(bytes);
    EXPECT_EQ(text.toUtf8(), bytes) << "valid UTF-8";
    const QList<QStringList> rows = parseCsv(text);
    const QList<QStringList> expected = {
        Header,
        {plainName, "Bought", "2001-01-02", "10.0000", "50.0000", "0.0000", "0.0000", "500.0000"},
        {"Smith, Jones Growth", "Bought", "2001-03-15", "12.3400", "100.0000", "9.9500", "0.0000",
         "1243.9500"},
        {plainName, "Cash Dividend", "2001-12-31", "0.0000", "0.0000", "0.0000", "25.7500",
         "-25.7500"},
        {plainName, "Dividend Shares", "2001-12-31", "11.0000", "2.3456", "0.0000", "0.0000",
         "0.0000"},
        {plainName, "Fee Cash", "2002-02-01", "0.0000", "0.0000", "4.5000", "0.0000", "4.5000"},
        {plainName, "Unit Fee", "2002-02-02", "11.0000", "-0.5000", "0.0000", "0.0000", "0.0000"},
        {"Smith, Jones Growth", "Sold", "2002-06-30", "15.5000", "-40.0000", "9.9500", "0.0000",
         "-610.0500"},
    };
    ASSERT_EQ(rows.size(), expected.size()) << text.toStdString();
    for (qsizetype i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i], expected[i]) << "row " << i;
}

// A fund named like a formula reaches the spreadsheet as its name, not as a live formula.
TEST(RecordsCsv, AFundNamedLikeAFormulaIsWrittenAsText) {
    Portfolio p = portfolioOf({{"Plain", "B", "1/2/2001", "10", "50"}});
    p.fundNames[1] = QStringLiteral("=HYPERLINK(\"http://x\")");
    const QStringList lines = QString::fromUtf8(RecordsCsv(p)).split(QStringLiteral("\r\n"));
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("\"'=HYPERLINK(\"\"http://x\"\")\",Bought,")))
        << lines[1].toStdString();
}

TEST(RecordsCsv, EmptyPortfolioIsTheHeaderAlone) {
    Portfolio p;
    InitPortfolio(p);
    EXPECT_EQ(RecordsCsv(p), "Fund,Type,Date,Price,Shares,Fees,Cash dividend,Book value\r\n");
}

// A second, independent reader: Python's csv module reads the sample database's records back
// with the same fields and numbers that parse as numbers.
TEST(RecordsCsv, SampleDatabaseReadsBackWithPythonsCsvReader) {
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    if (python.isEmpty())
        GTEST_SKIP() << "python3 is not installed";
    Portfolio p;
    InitPortfolio(p);
    const std::vector<Message> messages = OpenDatabase(p, QStringLiteral(QM_SAMPLE_DATABASE));
    ASSERT_TRUE(messages.empty());
    ASSERT_GT(p.recordCount, 10);
    QTemporaryDir dir;
    const QString csv = dir.filePath(QStringLiteral("records.csv"));
    QFile out(csv);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(RecordsCsv(p));
    out.close();

    QProcess process;
    process.start(python, {QStringLiteral("-c"), QStringLiteral(R"(
import csv, sys
with open(sys.argv[1], newline='', encoding='utf-8') as f:
    rows = list(csv.reader(f, strict=True))
print(len(rows))
dates = [r[2] for r in rows[1:]]
assert dates == sorted(dates), 'date order'
for r in rows[1:]:
    assert len(r) == 8, r
    for v in r[3:]:
        float(v)
print('|'.join(rows[0]))
)"),
                           csv});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
    const QStringList lines =
        QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0].toInt(), p.recordCount + 1);
    EXPECT_EQ(lines[1], Header.join(QLatin1Char('|')));
}

} // namespace
