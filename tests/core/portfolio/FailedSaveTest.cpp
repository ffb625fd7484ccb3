// Saves that fail part-way or cannot start: the file already on disk and its backup stay byte for
#include "support/CaseName.h"
// byte as they were, no scratch file is left beside them, the message names the file and the
// system's reason (message 25 for a folder), and the portfolio, its database name and its
// unsaved state are untouched. Saves that need a restricted process (a file-size
// limit, another user) run in a forked child that reports back through a pipe.

#include "support/ManagerTestSupport.h"

#include "core/portfolio/DatabaseFile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <grp.h>
#include <gtest/gtest.h>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace qm;
using qmtest::fileBytes;
using qmtest::writeBytes;

namespace {

// The file a previous save left: a small valid database.
const QByteArray OldFile = "1,1,\"All Records\",\"31\"\r\n"
                           "\"Old Fund\",\" 1\"\r\n"
                           "1,10,100,0,0,1000,\"B\",#2000-01-03#\r\n";
// The backup an earlier save left.
const QByteArray OldBackup = "0,0,\"All Records\",\"31\"\r\n";

// A portfolio whose file is several kilobytes, with changes not yet saved.
Portfolio bigPortfolio() {
    ManagerScreen s;
    InitScreen(s);
    for (int r = 0; r < 150; ++r) {
        const std::string fund = "Fund " + std::to_string(r % 7);
        const std::string date = std::to_string(r % 12 + 1) + "/" + std::to_string(r % 28 + 1) +
                                 "/" + std::to_string(1990 + r % 30);
        qmtest::enter(s, {fund.c_str(), "B", date.c_str(), "12.3456", "100.25", "9.95"});
    }
    BeginTabChange(s);
    Portfolio p = s.portfolio;
    p.databaseName = QStringLiteral("BEFORE.QMD");
    p.unsavedChanges = 1;
    return p;
}

// What a save left behind, as seen from inside the process that made it.
struct SaveReport {
    bool ran = false;   // the save was tried (false: the restriction could not be set)
    QString skipReason; // why it could not be
    std::vector<int> messages;
    QString failure;
    int unsavedChanges = -1;
    QString databaseName;
    QByteArray model; // the portfolio's file text after the save
};

QByteArray encode(const SaveReport& r) {
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << r.ran << r.skipReason << QList<int>(r.messages.begin(), r.messages.end()) << r.failure
      << r.unsavedChanges << r.databaseName << r.model;
    return out;
}

SaveReport decode(const QByteArray& bytes) {
    SaveReport r;
    QDataStream s(bytes);
    QList<int> messages;
    s >> r.ran >> r.skipReason >> messages >> r.failure >> r.unsavedChanges >> r.databaseName >>
        r.model;
    r.messages.assign(messages.begin(), messages.end());
    return r;
}

SaveReport save(Portfolio& p, const QString& path) {
    SaveReport r;
    r.ran = true;
    const SaveOutcome outcome = SaveDatabase(p, path);
    for (const Message m : outcome.messages)
        r.messages.push_back(Number(m));
    r.failure = outcome.failure;
    r.unsavedChanges = p.unsavedChanges;
    r.databaseName = p.databaseName;
    r.model = WriteDatabase(p);
    return r;
}

// Runs the save in a child process after `restrict` (which returns a reason to skip, or an
// empty text once the restriction is in force).
template <typename Restrict>
SaveReport saveInChild(Portfolio& p, const QString& path, Restrict restrict) {
    int channel[2];
    if (pipe(channel) != 0)
        return {};
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        SaveReport r;
        r.skipReason = restrict();
        if (r.skipReason.isEmpty())
            r = save(p, path);
        const QByteArray bytes = encode(r);
        qsizetype done = 0;
        while (done < bytes.size()) {
            const ssize_t n = write(channel[1], bytes.constData() + done,
                                    static_cast<std::size_t>(bytes.size() - done));
            if (n <= 0)
                _exit(2);
            done += n;
        }
        _exit(0);
    }
    close(channel[1]);
    QByteArray bytes;
    char buffer[4096];
    for (ssize_t n; (n = read(channel[0], buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the saving process failed";
    return decode(bytes);
}

// Ignores the signal a write past the file-size limit raises, so the write fails instead.
QString limitFileSize(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, bytes};
    return setrlimit(RLIMIT_FSIZE, &limit) == 0 ? QString() : QStringLiteral("no file-size limit");
}

// The folder (or file) cannot be written by this process: as root, by becoming another user
// (root may write anywhere); otherwise its permissions already keep the user out.
QString cannotWrite(const QString& folder) {
    if (geteuid() == 0) {
        constexpr id_t Nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(Nobody) != 0 || setuid(Nobody) != 0)
            return QStringLiteral("running as root and unable to become another user, so no "
                                  "folder is unwritable");
    }
    if (!QFileInfo(folder).isDir()) {
        if (QFile(folder).open(QIODevice::WriteOnly | QIODevice::Append))
            return QStringLiteral("the file stays writable for this user");
        return QString();
    }
    QFile probe(folder + QStringLiteral("/probe"));
    if (probe.open(QIODevice::WriteOnly)) {
        probe.remove();
        return QStringLiteral("the folder stays writable for this user");
    }
    return QString();
}

enum class Failure {
    FileSizeLimitZero,
    FileSizeLimitOneByte,
    FileSizeLimitFourKilobytes,
    FileSizeLimitOneByteShort,
    UnwritableFolder,
    UnwritableFolderWritableFile,
    ReadOnlyFile,
    UnderProc,
    TargetIsFolder,
    MissingFolder,
    FileAsFolder,
};

struct FailureCase {
    const char* name;
    Failure failure;
    const char* reason; // the system's reason shown ("*" any but "Unknown error"); null: 25
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.failure, c.reason);
}

class FailedSave : public ::testing::TestWithParam<FailureCase> {};

TEST_P(FailedSave, KeepsTheOldFileAndChangesNothing) {
    const Failure failure = GetParam().failure;
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Another user must be able to reach the folder to find it unwritable.
    ASSERT_EQ(chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString folder = dir.filePath(QStringLiteral("data"));
    ASSERT_TRUE(QDir().mkpath(folder));
    QString path = folder + QStringLiteral("/DATA.QMD");
    QString oldFile = path;
    ASSERT_TRUE(writeBytes(oldFile, OldFile));
    const QString oldBackup = path + QStringLiteral(".bak");
    ASSERT_TRUE(writeBytes(oldBackup, OldBackup));

    Portfolio p = bigPortfolio();
    const QByteArray model = WriteDatabase(p);
    ASSERT_GT(model.size(), 4096);

    SaveReport r;
    switch (failure) {
    case Failure::FileSizeLimitZero:
    case Failure::FileSizeLimitOneByte:
    case Failure::FileSizeLimitFourKilobytes:
    case Failure::FileSizeLimitOneByteShort: {
        const rlim_t limit = failure == Failure::FileSizeLimitZero      ? 0
                             : failure == Failure::FileSizeLimitOneByte ? 1
                             : failure == Failure::FileSizeLimitFourKilobytes
                                 ? 4096
                                 : static_cast<rlim_t>(model.size() - 1);
        r = saveInChild(p, path, [limit] { return limitFileSize(limit); });
        break;
    }
    case Failure::UnwritableFolder:
    case Failure::UnwritableFolderWritableFile: {
        if (failure == Failure::UnwritableFolderWritableFile) {
            ASSERT_EQ(chmod(QFile::encodeName(oldFile).constData(), 0666), 0);
        }
        ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0555), 0);
        r = saveInChild(p, path, [folder] { return cannotWrite(folder); });
        chmod(QFile::encodeName(folder).constData(), 0755);
        break;
    }
    case Failure::ReadOnlyFile:
        // The folder is anyone's to write, the file is read-only.
        ASSERT_EQ(chmod(QFile::encodeName(folder).constData(), 0777), 0);
        ASSERT_EQ(chmod(QFile::encodeName(oldFile).constData(), 0444), 0);
        r = saveInChild(p, path, [oldFile] { return cannotWrite(oldFile); });
        chmod(QFile::encodeName(folder).constData(), 0755);
        break;
    case Failure::UnderProc:
        if (!QFileInfo(QStringLiteral("/proc/self")).isDir())
            GTEST_SKIP() << "no /proc";
        path = QStringLiteral("/proc/self/DATA.QMD");
        r = save(p, path);
        break;
    case Failure::TargetIsFolder:
        path = folder + QStringLiteral("/FOLDER.QMD");
        ASSERT_TRUE(QDir().mkpath(path));
        r = save(p, path);
        break;
    case Failure::MissingFolder:
        path = folder + QStringLiteral("/missing/DATA.QMD");
        r = save(p, path);
        break;
    case Failure::FileAsFolder:
        path = oldFile + QStringLiteral("/DATA.QMD");
        r = save(p, path);
        break;
    }
    if (!r.ran)
        GTEST_SKIP() << r.skipReason.toStdString();

    if (GetParam().reason && std::string_view(GetParam().reason) == "*") {
        EXPECT_TRUE(r.messages.empty());
        const QString prefix = QStringLiteral("Could not save %1: ").arg(path);
        const QString suffix = QStringLiteral(". The file on disk is unchanged.");
        EXPECT_TRUE(r.failure.startsWith(prefix) && r.failure.endsWith(suffix) &&
                    r.failure.size() > prefix.size() + suffix.size() &&
                    !r.failure.contains(QLatin1String("Unknown error")))
            << r.failure.toStdString();
    } else if (GetParam().reason) {
        EXPECT_TRUE(r.messages.empty());
        EXPECT_EQ(r.failure.toStdString(),
                  QStringLiteral("Could not save %1: %2. The file on disk is unchanged.")
                      .arg(path, QLatin1String(GetParam().reason))
                      .toStdString());
    } else {
        EXPECT_EQ(r.messages, std::vector<int>{25});
        EXPECT_EQ(r.failure.toStdString(), "");
    }
    EXPECT_EQ(r.unsavedChanges, 1);
    EXPECT_EQ(r.databaseName, QStringLiteral("BEFORE.QMD"));
    EXPECT_EQ(r.model, model) << "the portfolio changed";
    EXPECT_EQ(fileBytes(oldFile), OldFile) << "the old file changed";
    EXPECT_EQ(fileBytes(oldBackup), OldBackup) << "the backup changed";
    QStringList left =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    left.removeAll(QStringLiteral("FOLDER.QMD"));
    EXPECT_EQ(left, QStringList({QStringLiteral("DATA.QMD"), QStringLiteral("DATA.QMD.bak")}))
        << "a scratch file was left";
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailedSave,
    ::testing::Values(
        FailureCase{"FileSizeLimitZero", Failure::FileSizeLimitZero, "File too large"},
        FailureCase{"FileSizeLimitOneByte", Failure::FileSizeLimitOneByte, "File too large"},
        FailureCase{"FileSizeLimitFourKilobytes", Failure::FileSizeLimitFourKilobytes,
                    "File too large"},
        FailureCase{"FileSizeLimitOneByteShort", Failure::FileSizeLimitOneByteShort,
                    "File too large"},
        FailureCase{"UnwritableFolder", Failure::UnwritableFolder, "Permission denied"},
        FailureCase{"UnwritableFolderWritableFile", Failure::UnwritableFolderWritableFile,
                    "Permission denied"},
        FailureCase{"ReadOnlyFile", Failure::ReadOnlyFile, "Permission denied"},
        // The system's word for it differs between kernels.
        FailureCase{"UnderProc", Failure::UnderProc, "*"},
        FailureCase{"TargetIsFolder", Failure::TargetIsFolder, nullptr},
        FailureCase{"MissingFolder", Failure::MissingFolder, "No such file or directory"},
        FailureCase{"FileAsFolder", Failure::FileAsFolder, "Not a directory"}),
    qmtest::CaseName<FailureCase>);

// The same save with room enough succeeds and replaces the old file whole: the limit, not the
// saving, is what failed above.
TEST(FailedSave, SucceedsWithRoomEnough) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DATA.QMD"));
    ASSERT_TRUE(writeBytes(path, OldFile));
    Portfolio p = bigPortfolio();
    const QByteArray model = WriteDatabase(p);
    const SaveReport r =
        saveInChild(p, path, [&] { return limitFileSize(static_cast<rlim_t>(model.size())); });
    ASSERT_TRUE(r.ran) << r.skipReason.toStdString();
    EXPECT_TRUE(r.messages.empty());
    EXPECT_EQ(r.unsavedChanges, 0);
    EXPECT_EQ(r.databaseName, QStringLiteral("DATA.QMD"));
    EXPECT_EQ(fileBytes(path), model);
    EXPECT_EQ(fileBytes(path + QStringLiteral(".bak")), OldFile) << "the file replaced is kept";
}

// Each save keeps the file it replaces as NAME.bak beside the file (beside the file a link points
// to, which is the one replaced), the older ones moving down to NAME.bak.2 and NAME.bak.3; the
// oldest goes. A new file has nothing to keep.
TEST(FailedSave, BackupKeptAndReplaced) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("real"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + QStringLiteral("/DATA.QMD");
    const QString backup = path + QStringLiteral(".bak");
    Portfolio p = bigPortfolio();
    const auto saveVersion = [&](int version) {
        p.fundNames[1] = QStringLiteral("Version %1").arg(version);
        p.unsavedChanges = 1;
        EXPECT_TRUE(SaveDatabase(p, path).saved) << version;
        return WriteDatabase(p);
    };
    const QByteArray first = saveVersion(1);
    EXPECT_FALSE(QFile::exists(backup));
    const QByteArray second = saveVersion(2);
    EXPECT_EQ(fileBytes(path), second);
    EXPECT_EQ(fileBytes(backup), first);
    const QByteArray third = saveVersion(3);
    EXPECT_EQ(fileBytes(path), third);
    EXPECT_EQ(fileBytes(backup), second);
    EXPECT_EQ(fileBytes(backup + QStringLiteral(".2")), first);
    // Two more saves: the three last files replaced are kept, newest first.
    const QByteArray fourth = saveVersion(4);
    const QByteArray fifth = saveVersion(5);
    EXPECT_EQ(fileBytes(path), fifth);
    EXPECT_EQ(fileBytes(backup), fourth);
    EXPECT_EQ(fileBytes(backup + QStringLiteral(".2")), third);
    EXPECT_EQ(fileBytes(backup + QStringLiteral(".3")), second);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("DATA.QMD"), QStringLiteral("DATA.QMD.bak"),
                           QStringLiteral("DATA.QMD.bak.2"), QStringLiteral("DATA.QMD.bak.3")}));

    // Saved through a link in another folder: the real file is replaced and kept.
    const QString link = dir.filePath(QStringLiteral("LINK.QMD"));
    ASSERT_TRUE(QFile::link(path, link));
    const QByteArray sixth = [&] {
        p.fundNames[1] = QStringLiteral("Version 6");
        EXPECT_TRUE(SaveDatabase(p, link).saved);
        return WriteDatabase(p);
    }();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_EQ(fileBytes(path), sixth);
    EXPECT_EQ(fileBytes(backup), fifth);
    EXPECT_EQ(fileBytes(backup + QStringLiteral(".3")), third);
    EXPECT_FALSE(QFile::exists(link + QStringLiteral(".bak")));
}

} // namespace
