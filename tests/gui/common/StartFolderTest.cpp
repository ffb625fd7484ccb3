// Where file dialogs start and where the sample database is found, for the user running the
// program: the folder of the last database, else the program's folder when the user may write
// it, else the documents folder (else home).

#include "gui/common/StartFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QThreadPool>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qm;

namespace {

void forgetLastDatabase() {
    QSettings(QStringLiteral("Quillmark"), QStringLiteral("Quillmark"))
        .remove(QStringLiteral("LastDatabase"));
}

QString programFolder() {
    return QCoreApplication::applicationDirPath();
}

// StartFolder() as seen by a user who may not write the program's folder, with `home` as the
// home folder. As root the call runs in a child that becomes another user; otherwise the
// program's folder is made read-only for the time of the call. Sets `skip` when neither can
// be done.
QString startFolderOfAnotherUser(const QString& home, QString& skip) {
    const QByteArray oldHome = qgetenv("HOME");
    qputenv("HOME", QFile::encodeName(home));
    QString folder;
    if (geteuid() == 0) {
        int channel[2];
        if (pipe(channel) != 0) {
            skip = QStringLiteral("no pipe");
            return {};
        }
        const pid_t child = fork();
        if (child == 0) {
            close(channel[0]);
            constexpr id_t Nobody = 65534;
            QByteArray answer = "?";
            if (setgroups(0, nullptr) == 0 && setgid(Nobody) == 0 && setuid(Nobody) == 0)
                answer = "=" + StartFolder().toUtf8();
            const ssize_t written = write(channel[1], answer.constData(), answer.size());
            _exit(written == answer.size() ? 0 : 1);
        }
        close(channel[1]);
        QByteArray answer;
        char buffer[4096];
        for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
            answer.append(buffer, n);
        close(channel[0]);
        int status = 0;
        waitpid(child, &status, 0);
        if (!answer.startsWith('='))
            skip = QStringLiteral("running as root and unable to become another user");
        folder = QString::fromUtf8(answer.mid(1));
    } else {
        const QByteArray program = QFile::encodeName(programFolder());
        struct stat before {};
        if (stat(program.constData(), &before) != 0 || chmod(program.constData(), 0555) != 0) {
            skip = QStringLiteral("the program's folder cannot be made read-only");
        } else {
            folder = StartFolder();
            chmod(program.constData(), before.st_mode & 07777);
        }
    }
    qputenv("HOME", oldHome);
    return folder;
}

TEST(StartFolder, FolderOfTheLastDatabase) {
    QTemporaryDir dir;
    const QString kept = dir.filePath(QStringLiteral("kept"));
    ASSERT_TRUE(QDir().mkpath(kept));
    const struct {
        const char* name;
        QString last; // the database remembered ("" none)
        QString folder;
    } cases[] = {
        {"none yet: the program's folder, which this user may write", QString(), programFolder()},
        {"a database in a folder", kept + QStringLiteral("/MINE.QMD"), kept},
        {"a database no longer there, in a folder still there", kept + QStringLiteral("/GONE.QMD"),
         kept},
        {"a folder no longer there", dir.filePath(QStringLiteral("gone/MINE.QMD")),
         programFolder()},
    };
    for (const auto& c : cases) {
        forgetLastDatabase();
        if (!c.last.isEmpty())
            RememberDatabasePath(c.last);
        EXPECT_EQ(StartFolder(), c.folder) << c.name;
    }
    // Remembered as a full path, whatever form it was given in.
    const QString before = QDir::currentPath();
    QDir::setCurrent(kept);
    RememberDatabasePath(QStringLiteral("REL.QMD"));
    QDir::setCurrent(before);
    EXPECT_EQ(StartFolder(), kept);
    forgetLastDatabase();
}

// The remembered path reaches the settings file on disk (written by a worker, done at the latest
// when the program ends).
TEST(StartFolder, RememberedPathReachesTheSettingsFile) {
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).absoluteFilePath(QStringLiteral("WRITTEN.QMD"));
    RememberDatabasePath(path);
    QThreadPool::globalInstance()->waitForDone();
    QFile file(QSettings(QStringLiteral("Quillmark"), QStringLiteral("Quillmark")).fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains(QByteArray("LastDatabase=") + path.toUtf8()));
    forgetLastDatabase();
}

// A user who cannot write the program's folder (the installed program) starts in the
// documents folder, or at home when there is none.
TEST(StartFolder, DocumentsWhenTheProgramFolderIsNotWritable) {
    forgetLastDatabase();
    QTemporaryDir dir;
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString home = dir.filePath(QStringLiteral("home"));
    ASSERT_TRUE(QDir().mkpath(home));
    QString skip;
    const QString withoutDocuments = startFolderOfAnotherUser(home, skip);
    if (!skip.isEmpty())
        GTEST_SKIP() << skip.toStdString();
    EXPECT_EQ(withoutDocuments, home) << "no documents folder: home";
    ASSERT_TRUE(QDir().mkpath(home + QStringLiteral("/Documents")));
    EXPECT_EQ(startFolderOfAnotherUser(home, skip), home + QStringLiteral("/Documents"));
}

// A program run from its build tree has the sample database beside it (the installed layout is
// checked by the install test).
TEST(StartFolder, SampleFolderOfTheBuildTree) {
    ASSERT_FALSE(QFileInfo::exists(programFolder() + QStringLiteral("/../share/quillmark")));
    EXPECT_EQ(SampleFolder(), programFolder());
}

} // namespace
