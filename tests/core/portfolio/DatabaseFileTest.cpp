#include "support/CaseName.h"
#include "support/ManagerTestSupport.h"

#include "core/portfolio/DatabaseFile.h"
#include "core/text/Dates.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <future>
#include <gtest/gtest.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

using namespace qm;
using qmtest::ExampleFile;
using qmtest::fileBytes;
using qmtest::money;
using qmtest::writeBytes;

namespace {

// The two-fund portfolio of ExampleFile, after a tab change sorted its funds.
Portfolio examplePortfolio() {
    ManagerScreen s;
    InitScreen(s);
    AddFundClick(s, QStringLiteral("XYZ Mutual Fund"));
    AddFundClick(s, QStringLiteral("ABC Fund"));
    qmtest::enter(s, {"XYZ Mutual Fund", "B", "1/15/2001", "10.00", "100", "50.00"});
    qmtest::enter(s, {"ABC Fund", "C", "3/31/2001", "0", "0", "0", "100.00"});
    qmtest::enter(s, {"XYZ Mutual Fund", "D", "2/1/2001", "10.00", "10"});
    BeginTabChange(s);
    return s.portfolio;
}

void expectSameModel(const Portfolio& a, const Portfolio& b) {
    ASSERT_EQ(a.fundCount, b.fundCount);
    ASSERT_EQ(a.recordCount, b.recordCount);
    for (int k = 1; k <= a.fundCount; ++k)
        EXPECT_EQ(a.fundName(k), b.fundName(k)) << k;
    for (int r = 1; r <= a.recordCount; ++r) {
        const Record& x = a.record(r);
        const Record& y = b.record(r);
        EXPECT_EQ(x.fundIndex, y.fundIndex) << r;
        EXPECT_EQ(x.price, y.price) << r;
        EXPECT_EQ(x.shares, y.shares) << r;
        EXPECT_EQ(x.fees, y.fees) << r;
        EXPECT_EQ(x.cashDividend, y.cashDividend) << r;
        EXPECT_EQ(x.bookValue, y.bookValue) << r;
        EXPECT_EQ(x.typeCode, y.typeCode) << r;
        EXPECT_EQ(x.tradeDate, y.tradeDate) << r;
        EXPECT_EQ(y.recordNumber, r);
    }
}

void expectEmptyAfterFailedOpen(const Portfolio& p) {
    EXPECT_EQ(p.recordCount, 0);
    EXPECT_EQ(p.fundCount, 0);
    EXPECT_EQ(p.fundName(1), QString());
    EXPECT_EQ(p.fundName(AllFundsEntry), AllRecordsName);
    EXPECT_EQ(Captions(p).database, QStringLiteral("Database: "));
    EXPECT_EQ(Captions(p).funds, QStringLiteral("Funds:  0"));
}

TEST(DatabaseFile, WritesTheExampleByteForByteAndOpensItBack) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DATA.QMD"));
    Portfolio p = examplePortfolio();
    p.unsavedChanges = 1;
    std::vector<Message> none;
    ASSERT_TRUE(BeginSave(p, none));
    EXPECT_TRUE(none.empty());
    EXPECT_TRUE(SaveDatabase(p, path).saved);
    EXPECT_EQ(fileBytes(path), ExampleFile);
    EXPECT_EQ(p.databaseName, QStringLiteral("DATA.QMD"));
    EXPECT_EQ(p.unsavedChanges, 0);

    Portfolio opened;
    InitPortfolio(opened);
    opened.unsavedChanges = 1;
    EXPECT_TRUE(OpenDatabase(opened, path).empty());
    expectSameModel(p, opened);
    EXPECT_EQ(opened.fundName(1), QStringLiteral("ABC Fund"));
    EXPECT_EQ(opened.record(3).bookValue, money("-100"));
    EXPECT_EQ(Captions(opened).database, QStringLiteral("Database: DATA.QMD"));
    EXPECT_EQ(Captions(opened).records, QStringLiteral("Records:  3"));
    EXPECT_EQ(opened.unsavedChanges, 1); // opening does not change it
}

TEST(DatabaseFile, WritesSignsAndSmallAmounts) {
    const Portfolio p = qmtest::portfolioOf({{"F", "S", "1/15/2001", "10.00", "100", "50.00"},
                                             {"F", "D", "1/16/2001", "0.0001", "1000"},
                                             {"F", "B", "1/17/2001", "0.5", "0.25", "0.0001"}});
    const QStringList lines = QString::fromUtf8(WriteDatabase(p)).split(QStringLiteral("\r\n"));
    EXPECT_EQ(lines[2], QStringLiteral("1,10,-100,50,0,-950,\"S\",#2001-01-15#"));
    EXPECT_EQ(lines[3], QStringLiteral("1,0.0001,1000,0,0,0,\"D\",#2001-01-16#"));
    EXPECT_EQ(lines[4], QStringLiteral("1,0.5,0.25,0.0001,0,0.1251,\"B\",#2001-01-17#"));
    EXPECT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[5], QString());
}

const QByteArray Head = "1,1,\"All Records\",\"31\"\r\n\"A, B\",\" 1\"\r\n";

TEST(DatabaseFile, AcceptedForms) {
    struct Case {
        QByteArray bytes;
        const char* price; // of the one record
    };
    for (const Case& c :
         {Case{Head + "1,0.0001,5,0,0,0,\"D\",#2001-01-15#\r\n", "0.0001"},
          Case{Head + "1,.0001,5,0,0,0,\"D\",#2001-01-15#\r\n", "0.0001"},
          Case{"1 , 1 ,\"All Records\" , \"31\"\n \"A, B\" ,\" 1\"\n1, 12.5 ,5,0,0,62.5,\"B\", "
               "#2001-01-15#",
               "12.5"},
          Case{"\xEF\xBB\xBF" + Head + "1,3,1,0,0,3,\"B\",#2001-01-15#\r\n\r\n  \r\n", "3"}}) {
        const auto contents = ReadDatabase(c.bytes);
        ASSERT_TRUE(contents) << c.bytes.constData();
        ASSERT_EQ(contents->records.size(), 1u);
        EXPECT_EQ(contents->records[0].price, money(c.price));
        EXPECT_EQ(contents->fundNames[1], QStringLiteral("A, B"));
    }
}

// Files the reader refuses: every one gives message 13 and an empty model, and says which line
// is at fault and why.
struct MalformedCase {
    const char* name;
    QByteArray bytes;
    const char* failure = ""; // ReadFailure::text()
};

void PrintTo(const MalformedCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.bytes);
}

QByteArray fileWith(int records, int funds, const QByteArray& header = QByteArray()) {
    QByteArray out = header.isEmpty()
                         ? QByteArray::number(records) + ',' + QByteArray::number(funds) +
                               ",\"All Records\",\"31\"\r\n"
                         : header;
    for (int k = 1; k <= funds; ++k)
        out += "\"Fund " + QByteArray::number(k) + "\",\" " + QByteArray::number(k) + "\"\r\n";
    for (int r = 1; r <= records; ++r)
        out += "1,0,0,1,0,1,\"F\",#2001-01-01#\r\n";
    return out;
}

QByteArray withRecord(const QByteArray& line) {
    return Head + line + "\r\n";
}

class MalformedFile : public ::testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedFile, IsRefusedWithMessage13AndAnEmptyModel) {
    const MalformedCase& c = GetParam();
    EXPECT_FALSE(ReadDatabase(c.bytes)) << c.name;
    const DatabaseRead read = ReadDatabaseDetailed(c.bytes);
    EXPECT_FALSE(read);
    EXPECT_EQ(read.failure.text(), QString::fromUtf8(c.failure));
    QBuffer buffer;
    buffer.setData(c.bytes);
    buffer.open(QIODevice::ReadOnly);
    EXPECT_FALSE(ReadDatabase(buffer)) << c.name;

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("BAD.QMD"));
    ASSERT_TRUE(writeBytes(path, c.bytes));
    Portfolio p = examplePortfolio();
    p.databaseName = QStringLiteral("DATA.QMD");
    QString failure = QStringLiteral("left from before");
    EXPECT_EQ(OpenDatabase(p, path, &failure), std::vector<Message>{Message::FileNotFound});
    expectEmptyAfterFailedOpen(p);
    EXPECT_EQ(failure, QDir::toNativeSeparators(path) + '\n' + QString::fromUtf8(c.failure));
}

INSTANTIATE_TEST_SUITE_P(
    Table, MalformedFile,
    ::testing::Values(
        MalformedCase{"empty", "", "The file is empty."},
        MalformedCase{"truncated after the fund lines",
                      ExampleFile.left(ExampleFile.indexOf("2,10")),
                      "The file ends after line 3, but its header line announces 2 funds and 3 "
                      "records, which take 6 lines."},
        MalformedCase{"truncated inside a record", ExampleFile.left(ExampleFile.size() - 10),
                      "Line 6: the date #200 is not a date literal such as #2001-01-15#."},
        MalformedCase{"19 funds", fileWith(1, 19),
                      "Line 1: the file has 19 funds, more than the 18 a database holds."},
        MalformedCase{"601 records", fileWith(601, 1),
                      "Line 1: the file has 601 records, more than the 600 a database holds."},
        MalformedCase{"31 funds and 602 records", fileWith(602, 31),
                      "Line 1: the file has 602 records, more than the 600 a database holds."},
        MalformedCase{"negative record count", fileWith(0, 1, "-1,1,\"All Records\",\"31\"\r\n"),
                      "Line 1: the record count \"-1\" is not a whole number of 0 or more."},
        MalformedCase{"negative fund count", fileWith(0, 0, "0,-1,\"All Records\",\"31\"\r\n"),
                      "Line 1: the fund count \"-1\" is not a whole number of 0 or more."},
        MalformedCase{"count with a point", fileWith(1, 1, "1.0,1,\"All Records\",\"31\"\r\n"),
                      "Line 1: the record count \"1.0\" is not a whole number of 0 or more."},
        MalformedCase{"quoted count", fileWith(1, 1, "\"1\",1,\"All Records\",\"31\"\r\n"),
                      "Line 1: the record count is quoted; counts are written without quotes."},
        MalformedCase{"unquoted header texts", fileWith(1, 1, "1,1,All Records,31\r\n"),
                      "Line 1: the header line's third and fourth items are not both quoted."},
        MalformedCase{"five header items", fileWith(1, 1, "1,1,\"All Records\",\"31\",0\r\n"),
                      "Line 1: the header line has 5 items; it should have 4 (the record count, "
                      "the fund count, \"All Records\", \"31\")."},
        MalformedCase{"letters for a price", withRecord("1,ten,1,0,0,0,\"B\",#2001-01-15#"),
                      "Line 3: the price \"ten\" is not a number."},
        MalformedCase{"empty number", withRecord("1,,1,0,0,0,\"B\",#2001-01-15#"),
                      "Line 3: the price \"\" is not a number."},
        MalformedCase{"lone point", withRecord("1,.,1,0,0,0,\"B\",#2001-01-15#"),
                      "Line 3: the price \".\" is not a number."},
        MalformedCase{"five decimals", withRecord("1,1.00001,1,0,0,1,\"B\",#2001-01-15#"),
                      "Line 3: the price \"1.00001\" has more than four decimals."},
        MalformedCase{"exponent", withRecord("1,1e3,1,0,0,1000,\"B\",#2001-01-15#"),
                      "Line 3: the price \"1e3\" is not a number."},
        MalformedCase{"beyond Currency", withRecord("1,922337203685478,1,0,0,0,\"B\",#2001-01-15#"),
                      "Line 3: the price \"922337203685478\" is out of range."},
        MalformedCase{"most negative amount",
                      withRecord("1,1,-922337203685477.5808,0,0,1,\"U\",#2001-01-15#"),
                      "Line 3: the number of shares \"-922337203685477.5808\" is out of range."},
        MalformedCase{"month 13", withRecord("1,1,1,0,0,1,\"B\",#2001-13-01#"),
                      "Line 3: the date literal #2001-13-01# is not a date."},
        MalformedCase{"31 February", withRecord("1,1,1,0,0,1,\"B\",#2001-02-31#"),
                      "Line 3: the date literal #2001-02-31# is not a date."},
        MalformedCase{"short date", withRecord("1,1,1,0,0,1,\"B\",1/15/2001"),
                      "Line 3: the date 1/15/2001 is not a date literal such as #2001-01-15#."},
        MalformedCase{
            "quoted date", withRecord("1,1,1,0,0,1,\"B\",\"#2001-01-15#\""),
            "Line 3: the date \"#2001-01-15#\" is not a date literal such as #2001-01-15#."},
        MalformedCase{"fund index 0", withRecord("0,1,1,0,0,1,\"B\",#2001-01-15#"),
                      "Line 3: the fund index 0 names no fund; the file has one fund, numbered 1."},
        MalformedCase{"fund index past the funds", withRecord("2,1,1,0,0,1,\"B\",#2001-01-15#"),
                      "Line 3: the fund index 2 names no fund; the file has one fund, numbered 1."},
        MalformedCase{"fractional fund index", withRecord("1.5,1,1,0,0,1,\"B\",#2001-01-15#"),
                      "Line 3: the fund index 1.5 is not a whole number."},
        MalformedCase{
            "negative fund index", withRecord("-1,1,1,0,0,1,\"B\",#2001-01-15#"),
            "Line 3: the fund index -1 names no fund; the file has one fund, numbered 1."},
        MalformedCase{"unknown type", withRecord("1,1,1,0,0,1,\"X\",#2001-01-15#"),
                      "Line 3: the type code \"X\" is not one of \"B\", \"S\", \"C\", \"D\", \"F\" "
                      "or \"U\"."},
        MalformedCase{"lower-case type", withRecord("1,1,1,0,0,1,\"b\",#2001-01-15#"),
                      "Line 3: the type code \"b\" is not one of \"B\", \"S\", \"C\", \"D\", \"F\" "
                      "or \"U\"."},
        MalformedCase{"unquoted type", withRecord("1,1,1,0,0,1,B,#2001-01-15#"),
                      "Line 3: the type code B is not quoted."},
        MalformedCase{"nine items", withRecord("1,1,1,0,0,1,\"B\",#2001-01-15#,1"),
                      "Line 3: a record line has 9 items; it should have 8."},
        MalformedCase{"seven items", withRecord("1,1,1,0,0,1,\"B\""),
                      "Line 3: a record line has 7 items; it should have 8."},
        MalformedCase{
            "unterminated quote",
            "1,1,\"All Records\",\"31\"\r\n\"Fund,\" 1\r\n1,1,1,0,0,1,\"B\",#2001-01-15#\r\n",
            "Line 2: a quoted item is followed by something other than a comma."},
        MalformedCase{"no comma between texts", "0,1,\"All Records\",\"31\"\r\n\"Fund\"\" 1\"\r\n",
                      "Line 2: a quoted item is followed by something other than a comma."},
        MalformedCase{"fund number out of place", "0,1,\"All Records\",\"31\"\r\n\"F\",\" 2\"\r\n",
                      "Line 2: the fund number \" 2\" should be \"1\": fund lines are numbered 1, "
                      "2, 3 and so on."},
        MalformedCase{"place marker in the file", "0,1,\"All Records\",\"31\"\r\n\"F\",\"%1\"\r\n",
                      "Line 2: the fund number \"%1\" should be \"1\": fund lines are numbered 1, "
                      "2, 3 and so on."},
        MalformedCase{"empty fund name", "0,1,\"All Records\",\"31\"\r\n\"\",\" 1\"\r\n",
                      "Line 2: the fund name is empty."},
        MalformedCase{"overlong line",
                      "0,1,\"All Records\",\"31\"\r\n\"" + QByteArray(MaxLineLength, 'x') +
                          "\",\" 1\"\r\n",
                      "Line 2: the line is longer than 32831 characters."},
        MalformedCase{
            "garbage after the last record",
            withRecord("1,1,1,0,0,1,\"B\",#2001-01-15#") + "junk\r\n",
            "Line 4: there is text after the last record; the header line announces 1 record."},
        MalformedCase{"quote not closed", "0,1,\"All Records\",\"31\"\r\n\"Fund\",\" 1\r\n",
                      "Line 2: a quote is not closed."},
        MalformedCase{"blank header line", "\r\n" + fileWith(0, 0),
                      "Line 1: the line is blank; it should be the header line."},
        MalformedCase{"quoted amount", withRecord("1,\"10\",1,0,0,10,\"B\",#2001-01-15#"),
                      "Line 3: the price \"10\" is quoted; amounts are written without quotes."},
        MalformedCase{"fund index beyond no funds",
                      "1,0,\"All Records\",\"31\"\r\n"
                      "1,1,1,0,0,1,\"B\",#2001-01-15#\r\n",
                      "Line 2: the fund index 1 names no fund; the file has no funds."},
        MalformedCase{"long item cut short",
                      withRecord("1," + QByteArray(100, '9') + ",1,0,0,1,\"B\",#2001-01-15#"),
                      "Line 3: the price \"9999999999999999999999999999999999999999\u2026\" is "
                      "out of range."},
        MalformedCase{"oversized file",
                      withRecord("1,1,1,0,0,1,\"B\",#2001-01-15#") + QByteArray(MaxFileBytes, '\n'),
                      "The file is larger than 8 MiB, more than a database file can be."}),
    qmtest::CaseName<MalformedCase>);

TEST(DatabaseFile, OpenFailuresAndCancel) {
    QTemporaryDir dir;
    // What is not a regular file is refused at once, never opened and waited on: a named pipe
    // with no writer would hold the program for good, a device would never end.
    const QString pipe = dir.filePath(QStringLiteral("PIPE.QMD"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString dangling = dir.filePath(QStringLiteral("DANGLING.QMD"));
    ASSERT_TRUE(QFile::link(dir.filePath(QStringLiteral("GONE.QMD")), dangling));
    const QString unreadable = dir.filePath(QStringLiteral("LOCKED.QMD"));
    ASSERT_TRUE(writeBytes(unreadable, ExampleFile));
    ASSERT_TRUE(QFile::setPermissions(unreadable, QFileDevice::Permissions()));
    ASSERT_TRUE(writeBytes(dir.filePath(QStringLiteral("EMPTY.QMD")), QByteArray()));
    const char* const notRegular =
        "It is not a regular file (it may be a pipe, a device or a socket).";
    struct Case {
        const char* what;
        QString path;
        const char* reason;
    };
    std::vector<Case> cases = {
        {"missing", dir.filePath(QStringLiteral("MISSING.QMD")), "The file does not exist."},
        {"a link to nothing", dangling, "The file is a link to nothing."},
        {"a folder", dir.path(), "It is a folder, not a file."},
        {"a named pipe", pipe, notRegular},
        {"a device", QStringLiteral("/dev/zero"), notRegular},
        {"empty", dir.filePath(QStringLiteral("EMPTY.QMD")), "The file is empty."},
        {"no name", QString(), "No file was named."}};
    // Permissions do not hold the superuser back.
    if (geteuid() != 0)
        cases.push_back(
            {"unreadable", unreadable, "The file could not be opened: Permission denied."});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Portfolio p = examplePortfolio();
        QString failure;
        auto opened =
            std::async(std::launch::async, [&] { return OpenDatabase(p, c.path, &failure); });
        if (opened.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            // Let a reader blocked on the pipe go before failing.
            QFile writer(pipe);
            (void)writer.open(QIODevice::WriteOnly);
            opened.wait();
            FAIL() << "still opening after 10 seconds";
        }
        EXPECT_EQ(opened.get(), std::vector<Message>{Message::FileNotFound});
        expectEmptyAfterFailedOpen(p);
        EXPECT_EQ(ReadDatabaseFileDetailed(c.path).failure.text(), QLatin1String(c.reason));
        EXPECT_TRUE(failure.endsWith(QLatin1Char('\n') + QLatin1String(c.reason)))
            << failure.toStdString();
    }
    QFile::setPermissions(unreadable, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    // A link to a database file opens it.
    const QString file = dir.filePath(QStringLiteral("EXAMPLE.QMD"));
    ASSERT_TRUE(WriteDatabaseFile(examplePortfolio(), file));
    const QString link = dir.filePath(QStringLiteral("LINK.QMD"));
    ASSERT_TRUE(QFile::link(file, link));
    Portfolio linked;
    EXPECT_TRUE(OpenDatabase(linked, link).empty());
    EXPECT_EQ(linked.recordCount, 3);

    Portfolio p;

    // Cancel: the model stays, typed prices are forgotten.
    p = examplePortfolio();
    p.fundTotals.at(1, 2) = money("12");
    EXPECT_TRUE(OpenDatabase(p, std::nullopt).empty());
    EXPECT_EQ(p.recordCount, 3);
    EXPECT_TRUE(p.fundTotals.at(1, 2).isZero());
    EXPECT_TRUE(SaveDatabase(p, std::nullopt).nothingToShow());
    EXPECT_EQ(p.databaseName, QString());
}

// A file is "changed on disk" when its bytes are no longer those read or written here: a new
// time alone changes nothing.
TEST(DatabaseFile, ChangedOnDiskByItsBytes) {
    QByteArray sameSize = ExampleFile;
    sameSize.replace("ABC Fund", "ABD Fund");
    const struct {
        const char* what;
        QByteArray later; // written a minute later; empty: the file is left alone
        bool removed;
        bool changed;
    } cases[] = {
        {"left alone", {}, false, false},
        {"the same bytes written again later", ExampleFile, false, false},
        {"other bytes of the same size", sameSize, false, true},
        {"removed", {}, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("F.QMD"));
        ASSERT_TRUE(writeBytes(path, ExampleFile));
        const std::optional<DatabaseContents> read = ReadDatabaseFile(path);
        ASSERT_TRUE(read);
        ASSERT_TRUE(read->stamp.known());
        if (c.removed) {
            ASSERT_TRUE(QFile::remove(path));
        }
        if (!c.later.isEmpty()) {
            ASSERT_TRUE(writeBytes(path, c.later));
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(60),
                                         QFileDevice::FileModificationTime));
        }
        EXPECT_EQ(ChangedOnDisk(path, read->stamp), c.changed);
    }
    // A file written here is known as written; no stamp is no change.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("W.QMD"));
    const FileWriteResult written = WriteDatabaseFile(examplePortfolio(), path);
    ASSERT_TRUE(written);
    EXPECT_FALSE(ChangedOnDisk(path, written.stamp));
    ASSERT_TRUE(writeBytes(path, "1,1,\"All Records\",\"31\"\r\n"));
    EXPECT_TRUE(ChangedOnDisk(path, written.stamp));
    EXPECT_FALSE(ChangedOnDisk(path, FileStamp{}));
}

TEST(DatabaseFile, SavingNoRecordsWritesNothing) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("EMPTY.QMD"));
    Portfolio p;
    InitPortfolio(p);
    std::vector<Message> added;
    AddFund(p, QStringLiteral("Fund"), added);
    std::vector<Message> messages;
    EXPECT_FALSE(BeginSave(p, messages));
    EXPECT_EQ(messages, std::vector<Message>{Message::NoRecords});
    EXPECT_EQ(SaveDatabase(p, path).messages, std::vector<Message>{Message::NoRecords});
    EXPECT_FALSE(QFile::exists(path));
}

// Failed saves are in FailedSaveTest.cpp.

// Random portfolios at the limits save and reopen to the same model.
class RoundTrip : public ::testing::TestWithParam<unsigned> {};

TEST_P(RoundTrip, FullPortfolioReopensUnchanged) {
    std::mt19937 random(GetParam());
    const auto pick = [&](int lo, int hi) {
        return std::uniform_int_distribution<int>(lo, hi)(random);
    };
    const auto amount = [&](std::int64_t maxRaw) {
        return Currency::fromRaw(std::uniform_int_distribution<std::int64_t>(1, maxRaw)(random));
    };
    const QStringList pieces{"Fund", "Growth",     "A, B", "  spaced  ", "Fonds \u00fc\u20ac",
                             "~",    "zzzzzzzzzz", "#1",   "x"};
    ManagerScreen s;
    InitScreen(s);
    Portfolio& p = s.portfolio;
    for (int k = 1; k <= MaxFunds; ++k) {
        QString name = pieces[pick(0, static_cast<int>(pieces.size()) - 1)] + QString::number(k);
        if (k == 7)
            name = QString(MaxFundNameLength, QLatin1Char('L'));
        ASSERT_TRUE(AddFundClick(s, name).added);
    }
    const QStringList types = TransactionTypeNames();
    for (int r = 1; r <= MaxRecords; ++r) {
        s.activeFund = pick(1, MaxFunds);
        const QString typeName = types[pick(0, 5)];
        s.transCode = TypeCodeOf(typeName);
        s.inputValues = {};
        const QChar code = s.transCode.at(0);
        if (QStringLiteral("BSDU").contains(code)) {
            s.inputValues[1] = amount(1'000'000'000);
            s.inputValues[2] = amount(100'000'000);
        }
        if (QStringLiteral("BSF").contains(code))
            s.inputValues[3] =
                code == QLatin1Char('F') ? amount(10'000'000) : Currency::fromRaw(pick(0, 999'999));
        if (code == QLatin1Char('C'))
            s.inputValues[4] = amount(10'000'000);
        const QDate date = QDate(1930, 1, 1).addDays(pick(0, 60000));
        ASSERT_TRUE(StoreRecord(p, {p.fundName(s.activeFund), typeName, ShortDate(date)},
                                {s.activeFund, s.transCode, s.inputValues})
                        .stored);
    }
    BeginTabChange(s);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("FULL.QMD"));
    ASSERT_TRUE(SaveDatabase(p, path).saved);
    Portfolio opened;
    InitPortfolio(opened);
    ASSERT_TRUE(OpenDatabase(opened, path).empty());
    expectSameModel(p, opened);
    EXPECT_EQ(WriteDatabase(opened), fileBytes(path));
}

INSTANTIATE_TEST_SUITE_P(Seeds, RoundTrip, ::testing::Values(1u, 20240309u, 4242u),
                         [](const auto& info) { return qmtest::NameOf("Seed", info.param); });

} // namespace
