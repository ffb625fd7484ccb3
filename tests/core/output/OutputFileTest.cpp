#include "core/output/OutputFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qm;

namespace {

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The text file holds the page's lines as printed, one "\n"-ended line each, without the two
// empty lines that only paper gets.
TEST(PageTextFile, OneLinePerPageLineInUtf8) {
    struct Case {
        QString page;
        QByteArray file;
    };
    const std::vector<Case> cases = {
        {QString(), QByteArray()},
        {QStringLiteral("A\r\nB\r\n"), "A\nB\n"},
        {QStringLiteral("A\r\nB"), "A\nB\n"},
        {QStringLiteral("A\nB\rC\r\n"), "A\nB\nC\n"},
        {QStringLiteral("\r\n\r\nX\r\n\r\n"), "\n\nX\n\n"},
        // Blanks on both sides are kept: the columns line up as on paper.
        {QStringLiteral("   12.50    7  \r\n"), "   12.50    7  \n"},
        {QStringLiteral("Fund \u00e9t\u00e9 \u00a3 1,000.00\r\n"),
         "Fund \xc3\xa9t\xc3\xa9 \xc2\xa3 1,000.00\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page.toStdString());
        EXPECT_EQ(PageTextFile(c.page), c.file);
    }
}

TEST(WriteWholeFile, WritesReplacesAndReportsFailures) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("page.txt"));
    EXPECT_EQ(WriteWholeFile(path, "first\n"), QString());
    EXPECT_EQ(readAll(path), "first\n");
    EXPECT_EQ(WriteWholeFile(path, "second\n"), QString());
    EXPECT_EQ(readAll(path), "second\n");

    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString readOnlyFolder = dir.filePath(QStringLiteral("locked"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("locked")));
    ASSERT_TRUE(QFile::copy(path, readOnlyFolder + QStringLiteral("/kept.txt")));
    QFile::setPermissions(readOnlyFolder, QFile::ReadOwner | QFile::ExeOwner);
    const bool asRoot = QFileInfo(readOnlyFolder).isWritable();
    struct Failure {
        const char* what;
        QString path;
    };
    std::vector<Failure> failures = {
        {"missing folder", dir.filePath(QStringLiteral("missing/page.txt"))},
        {"a folder", dir.filePath(QStringLiteral("folder"))},
    };
    if (!asRoot) // the owner of everything may write anywhere
        failures.push_back({"read-only folder", readOnlyFolder + QStringLiteral("/kept.txt")});
    for (const Failure& f : failures) {
        SCOPED_TRACE(f.what);
        const QByteArray before = readAll(f.path);
        EXPECT_FALSE(WriteWholeFile(f.path, "new\n").isEmpty()) << "a reason is given";
        EXPECT_EQ(readAll(f.path), before) << "what was there stays";
    }
    QFile::setPermissions(readOnlyFolder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"page.txt"})
        << "no half-written file is left";
    EXPECT_EQ(QDir(readOnlyFolder).entryList(QDir::Files), QStringList{"kept.txt"});
}

} // namespace
