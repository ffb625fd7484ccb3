// Scratch files of saves that were cut short: which ones the next save removes, and that it
// removes nothing else.

#include "support/ManagerTestSupport.h"

#include "core/portfolio/DatabaseFile.h"
#include "core/portfolio/SaveLeftovers.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>
#include <unistd.h>

using namespace qm;
using qmtest::fileBytes;
using qmtest::writeBytes;

namespace {

const QByteArray Header = "3,2,\"All Records\",\"31\"\r\n\"ABC Fund\",\" 1\"\r\n";

TEST(SaveLeftovers, WhichFilesAreLeftoversOfASave) {
    const QString database = QStringLiteral("Broker.QMD");
    const QDateTime now = QDateTime::currentDateTimeUtc();
    struct Case {
        const char* name;
        QByteArray head;
        qint64 age; // seconds since it was last written
        bool leftover;
    } cases[] = {
        // A temporary file: six letters or digits, and what a save begins with (or nothing).
        {"Broker.QMD.a1B2c3", "", 120, true},
        {"Broker.QMD.a1B2c3", Header, 120, true},
        {"Broker.QMD.Zz9Yy8", "600,18,\"All Records\",\"31\"\r\n", 3600 * 24 * 400, true},
        {"Broker.QMD.backup", "my own notes", 120, false},
        {"Broker.QMD.2024ok", "1,2,3\r\n", 120, false},
        {"Broker.QMD.a1B2c3", "3,2,\"All Records\",\"31\"", 120, false}, // no line end
        {"Broker.QMD.a1B2c3", "3,2,\"All Records\",\"31\"\n", 120, false},
        {"Broker.QMD.a1B2c3", "\xEF\xBB\xBF" + Header, 120, false}, // a save writes no BOM
        {"Broker.QMD.a1B2c3", "1234567,2,\"All Records\",\"31\"\r\n", 120, false},
        {"Broker.QMD.a1B2c3", ",2,\"All Records\",\"31\"\r\n", 120, false},
        {"Broker.QMD.a1B2c3", "3,2,\"All Records\",\"30\"\r\n", 120, false},
        // The second name of the file replaced: exactly 8 lowercase hex digits, any content.
        {"Broker.QMD.bak-0123abcd", "anything at all", 120, true},
        {"Broker.QMD.bak-0123ABCD", "", 120, false},
        {"Broker.QMD.bak-0123abc", "", 120, false},
        {"Broker.QMD.bak-0123abcde", "", 120, false},
        {"Broker.QMD.bak-0123abcg", "", 120, false},
        // Too young: a save under way in another copy of the program, or a clock gone back.
        {"Broker.QMD.a1B2c3", "", 59, false},
        {"Broker.QMD.a1B2c3", "", 60, true},
        {"Broker.QMD.bak-0123abcd", "", 10, false},
        {"Broker.QMD.a1B2c3", "", -30, false},
        // Any other name: the database, its backups, other files and other databases' files.
        {"Broker.QMD", "", 120, false},
        {"Broker.QMD.bak", Header, 120, false},
        {"Broker.QMD.bak.2", Header, 120, false},
        {"Broker.QMD.bak.3", Header, 120, false},
        {"Broker.QMD.a1B2c", "", 120, false},
        {"Broker.QMD.a1B2c3d", "", 120, false},
        {"Broker.QMD.a1-2c3", "", 120, false},
        {"Broker.QMD.\xC3\xA4"
         "bcdef",
         "", 120, false},
        {"broker.QMD.a1B2c3", "", 120, false},
        {"Broker.QMDxa1B2c3", "", 120, false},
        {"Other.QMD.a1B2c3", "", 120, false},
        {"Broker.QMD.a1B2c3.a1B2c3", "", 120, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.name << " age " << c.age << " head " << c.head.constData());
        EXPECT_EQ(
            IsLeftoverOfSave(database, QString::fromUtf8(c.name), c.head, now.addSecs(-c.age), now),
            c.leftover);
    }
    EXPECT_FALSE(IsLeftoverOfSave(database, QStringLiteral("Broker.QMD.a1B2c3"), QByteArray(),
                                  QDateTime(), now))
        << "a time not known";
    EXPECT_FALSE(IsLeftoverOfSave(QString(), QStringLiteral(".a1B2c3"), QByteArray(),
                                  now.addSecs(-120), now))
        << "no database";
}

// A portfolio whose file differs with `n`.
Portfolio version(int n) {
    return qmtest::portfolioOf({{"Fund", "B", "1/15/2001", "10.00", std::to_string(n).c_str()}});
}

bool backDate(const QString& path, qint64 seconds) {
    QFile file(path);
    return file.open(QIODevice::ReadWrite) &&
           file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-seconds),
                            QFileDevice::FileModificationTime);
}

// Saves killed part-way left scratch files beside the database; the next save takes them away
// and leaves every other file as it was, the user's look-alikes among them.
TEST(SaveLeftovers, TheNextSaveRemovesThemAndNothingElse) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("DATA.QMD"));
    for (int n = 1; n <= 4; ++n)
        ASSERT_TRUE(WriteDatabaseFile(version(n), path)) << n;
    const auto at = [&dir](const char* name) { return dir.filePath(QLatin1String(name)); };
    ASSERT_TRUE(QFile::exists(at("DATA.QMD.bak.3")));

    const std::map<const char*, QByteArray> leftovers = {
        {"DATA.QMD.a1B2c3", ""},
        {"DATA.QMD.Zz9Yy8", WriteDatabase(version(9)).left(100)},
        {"DATA.QMD.bak-0123abcd", WriteDatabase(version(2))},
    };
    const std::map<const char*, QByteArray> kept = {
        {"DATA.QMD.backup", "my notes"},
        {"DATA.QMD.2024ok", "1,2,3\r\n"},
        {"DATA.QMD.bak-0123ABCD", ""},
        {"OTHER.QMD.a1B2c3", ""},
        {"DATA.QMD.young1", ""}, // written just now: another copy may be saving
        {"target", ""},          // DATA.QMD.link12 points to it
    };
    for (const auto& [name, bytes] : leftovers) {
        ASSERT_TRUE(writeBytes(at(name), bytes));
        ASSERT_TRUE(backDate(at(name), 120));
    }
    for (const auto& [name, bytes] : kept) {
        ASSERT_TRUE(writeBytes(at(name), bytes));
        if (QLatin1String(name) != QLatin1String("DATA.QMD.young1")) {
            ASSERT_TRUE(backDate(at(name), 120));
        }
    }
    ASSERT_TRUE(QFile::link(at("target"), at("DATA.QMD.link12")));
    const QByteArray before[] = {fileBytes(path), fileBytes(at("DATA.QMD.bak")),
                                 fileBytes(at("DATA.QMD.bak.2"))};

    ASSERT_TRUE(WriteDatabaseFile(version(5), path));
    for (const auto& [name, bytes] : leftovers)
        EXPECT_FALSE(QFile::exists(at(name))) << name;
    for (const auto& [name, bytes] : kept)
        EXPECT_EQ(fileBytes(at(name)), bytes) << name;
    EXPECT_TRUE(QFileInfo(at("DATA.QMD.link12")).isSymLink());
    // The database and its backups are those of the save, one generation on.
    EXPECT_EQ(fileBytes(path), WriteDatabase(version(5)));
    EXPECT_EQ(fileBytes(at("DATA.QMD.bak")), before[0]);
    EXPECT_EQ(fileBytes(at("DATA.QMD.bak.2")), before[1]);
    EXPECT_EQ(fileBytes(at("DATA.QMD.bak.3")), before[2]);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::System | QDir::Hidden).size(),
              4 + kept.size() + 1);
}

// A scratch file that cannot be read cannot be told from a file of the user's: it stays, and
// the save goes through all the same. (Permissions do not hold the superuser back.)
TEST(SaveLeftovers, AFileThatCannotBeReadStays) {
    if (geteuid() == 0)
        GTEST_SKIP() << "running as root: every file can be read";
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("DATA.QMD"));
    const QString unreadable = path + QStringLiteral(".a1B2c3");
    ASSERT_TRUE(writeBytes(unreadable, "1,1,\"All Records\",\"31\"\r\n"));
    ASSERT_TRUE(backDate(unreadable, 120));
    ASSERT_TRUE(QFile::setPermissions(unreadable, QFileDevice::Permissions()));
    EXPECT_TRUE(WriteDatabaseFile(version(1), path));
    EXPECT_EQ(fileBytes(path), WriteDatabase(version(1)));
    EXPECT_TRUE(QFile::exists(unreadable));
    QFile::setPermissions(unreadable, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

} // namespace
