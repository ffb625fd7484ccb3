// One writer per file, between real processes: another copy of the program open on a database
// holds its lock; this manager names that copy and asks before opening the file or saving over
// it, and takes over, without a word, the lock of a copy that was killed.

#include "gui/manager/ManagerWindowFixture.h"

#include "core/portfolio/DatabaseLock.h"

#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <csignal>

using namespace qm;
using namespace qmtest;

namespace {

class DatabaseLocks : public ManagerWindowTest {
protected:
    // The program started on `path`, as a file manager starts it, with settings of its own.
    void startOtherCopy(const QString& path) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("other")));
        other.setProcessEnvironment(env);
        other.start(QStringLiteral(QM_PROGRAM), {path});
        ASSERT_TRUE(other.waitForStarted());
    }
    void TearDown() override {
        if (other.state() != QProcess::NotRunning) {
            other.kill();
            other.waitForFinished();
        }
        ManagerWindowTest::TearDown();
    }
    QStringList openFileAnswering(const QString& path, const QString& reply) {
        return clickTab(0, {QStringLiteral("file:") + path, reply});
    }
    // The process that holds the lock of `path`, 0 when none does.
    static qint64 holderOf(const QString& path) {
        QLockFile lock(DatabaseLock::lockFileOf(path));
        qint64 pid = 0;
        QString host, program;
        return lock.getLockInfo(&pid, &host, &program) ? pid : 0;
    }

    QProcess other;
};

TEST_F(DatabaseLocks, AnotherCopyIsNamedAndAskedAboutAKilledOneIsTakenOver) {
    const QString path = writeFile(QStringLiteral("SHARED.QMD"), ExampleFile);
    startOtherCopy(path);
    ASSERT_TRUE(QTest::qWaitFor([&] { return holderOf(path) == other.processId(); }, 20000))
        << "the other copy never locked the file";

    // Opening: the question names the other copy; "No" reads nothing.
    const QString opening =
        QStringLiteral("SHARED.QMD is open in quillmark (process %1 on ").arg(other.processId());
    QStringList shown = openFileAnswering(path, QStringLiteral("no"));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(opening)) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].endsWith(QStringLiteral("Open it anyway?"))) << shown[0].toStdString();
    EXPECT_EQ(window->portfolio().recordCount, 0);
    EXPECT_EQ(text("EDbaseName"), "Database: ");
    // "Yes" opens it all the same; the lock stays the other copy's.
    shown = openFileAnswering(path, QStringLiteral("yes"));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(text("EDbaseName"), "Database: SHARED.QMD");
    EXPECT_EQ(window->portfolio().recordCount, 3);
    EXPECT_EQ(holderOf(path), other.processId());

    // Saving over it asks too (after the file dialog's own question about replacing a file);
    // "No" writes nothing.
    shown = clickTab(1, {QStringLiteral("file:") + path, QStringLiteral("no")});
    ASSERT_EQ(shown.size(), 2);
    EXPECT_TRUE(shown[1].startsWith(opening)) << shown[1].toStdString();
    EXPECT_TRUE(shown[1].endsWith(QStringLiteral("Save over it anyway?")));
    EXPECT_EQ(fileBytes(path), ExampleFile);

    // Killed without a word, the other copy leaves its lock behind: it is taken over silently.
    ::kill(static_cast<pid_t>(other.processId()), SIGKILL);
    ASSERT_TRUE(other.waitForFinished());
    ASSERT_TRUE(QFileInfo::exists(DatabaseLock::lockFileOf(path)));
    EXPECT_EQ(openFile(path), QStringList());
    EXPECT_EQ(holderOf(path), QCoreApplication::applicationPid());

    // Leaving the manager releases the lock.
    EXPECT_EQ(click("EExit"), QStringList());
    EXPECT_FALSE(QFileInfo::exists(DatabaseLock::lockFileOf(path)));
}

} // namespace

namespace {

// A file another program changed after it was opened here: saving over it asks first; "No"
// leaves the other program's file, "Yes" saves and keeps that file as the backup.
TEST_F(DatabaseLocks, SavingOverAFileChangedOnDiskAsksFirst) {
    const QString path = writeFile(QStringLiteral("EDITED.QMD"), ExampleFile);
    ASSERT_EQ(openFile(path), QStringList());
    QByteArray edited = ExampleFile;
    edited.replace("XYZ Mutual Fund", "XYZ Mutual Fund II");
    ASSERT_TRUE(writeBytes(path, edited)); // as a text editor or a sync tool would

    QStringList shown = clickTab(1, {QStringLiteral("file:") + path, QStringLiteral("no")});
    ASSERT_EQ(shown.size(), 2); // the file dialog's question about replacing, then this one
    EXPECT_EQ(shown[1], "EDITED.QMD was changed on disk by another program since it was opened "
                        "or saved here.\n\nReplace it with the portfolio shown here? The file on "
                        "disk is kept as EDITED.QMD.bak.");
    EXPECT_EQ(fileBytes(path), edited);

    shown = clickTab(1, {QStringLiteral("file:") + path, QStringLiteral("yes")});
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(fileBytes(path), ExampleFile);
    EXPECT_EQ(fileBytes(path + QStringLiteral(".bak")), edited);
    // Saved here, it is this program's again: the next save asks nothing more.
    EXPECT_EQ(clickTab(1, {QStringLiteral("file:") + path}).size(), 1);
}

} // namespace
