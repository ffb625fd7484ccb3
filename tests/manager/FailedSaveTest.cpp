// Saves that fail part-way or cannot start: the file already on disk stays byte for byte as it
// was, no scratch file is left beside it, message 25 is shown, and the portfolio, its database
// name and its unsaved state are untouched. Saves that need a restricted process (a file-size
// limit, another user) run in a forked child that reports back through a pipe.

#include "ManagerTestSupport.h"

#include "manager/DatabaseFile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <grp.h>
#include <gtest/gtest.h>
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

// A portfolio whose file is several kilobytes, with changes not yet saved.
Portfolio bigPortfolio() {
    Portfolio p;
    InitPortfolio(p);
    app().correctMode = 0;
    for (int r = 0; r < 150; ++r) {
        const std::string fund = "Fund " + std::to_string(r % 7);
        const std::string date = std::to_string(r % 12 + 1) + "/" + std::to_string(r % 28 + 1) +
                                 "/" + std::to_string(1990 + r % 30);
        qmtest::enter(p, {fund.c_str(), "B", date.c_str(), "12.3456", "100.25", "9.95"});
    }
    BeginTabChange(p);
    p.databaseName = QStringLiteral("BEFORE.QMD");
    p.unsavedChanges = 1;
    return p;
}

// What a save left behind, as seen from inside the process that made it.
struct SaveReport {
    bool ran = false;   // the save was tried (false: the restriction could not be set)
    QString skipReason; // why it could not be
    std::vector<int> messages;
    int unsavedChanges = -1;
    QString databaseName;
    QByteArray model; // the portfolio's file text after the save
};

QByteArray encode(const SaveReport& r) {
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << r.ran << r.skipReason << QList<int>(r.messages.begin(), r.messages.end())
      << r.unsavedChanges << r.databaseName << r.model;
    return out;
}

SaveReport decode(const QByteArray& bytes) {
    SaveReport r;
    QDataStream s(bytes);
    QList<int> messages;
    s >> r.ran >> r.skipReason >> messages >> r.unsavedChanges >> r.databaseName >> r.model;
    r.messages.assign(messages.begin(), messages.end());
    return r;
}

SaveReport save(Portfolio& p, const QString& path) {
    SaveReport r;
    r.ran = true;
    r.messages = SaveDatabase(p, path);
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

// The folder cannot be written by this process: as root, by becoming another user (root may
// write anywhere); otherwise the folder's permissions already keep it out.
QString cannotWrite(const QString& folder) {
    if (geteuid() == 0) {
        constexpr id_t Nobody = 65534;
        if (setgroups(0, nullptr) != 0 || setgid(Nobody) != 0 || setuid(Nobody) != 0)
            return QStringLiteral("running as root and unable to become another user, so no "
                                  "folder is unwritable");
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
    TargetIsFolder,
    MissingFolder,
    FileAsFolder,
};

struct FailureCase {
    const char* name;
    Failure failure;
};

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

    EXPECT_EQ(r.messages, std::vector<int>{25});
    EXPECT_EQ(r.unsavedChanges, 1);
    EXPECT_EQ(r.databaseName, QStringLiteral("BEFORE.QMD"));
    EXPECT_EQ(r.model, model) << "the portfolio changed";
    EXPECT_EQ(fileBytes(oldFile), OldFile) << "the old file changed";
    QStringList left =
        QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    left.removeAll(QStringLiteral("FOLDER.QMD"));
    EXPECT_EQ(left, QStringList{QStringLiteral("DATA.QMD")}) << "a scratch file was left";
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailedSave,
    ::testing::Values(
        FailureCase{"FileSizeLimitZero", Failure::FileSizeLimitZero},
        FailureCase{"FileSizeLimitOneByte", Failure::FileSizeLimitOneByte},
        FailureCase{"FileSizeLimitFourKilobytes", Failure::FileSizeLimitFourKilobytes},
        FailureCase{"FileSizeLimitOneByteShort", Failure::FileSizeLimitOneByteShort},
        FailureCase{"UnwritableFolder", Failure::UnwritableFolder},
        FailureCase{"UnwritableFolderWritableFile", Failure::UnwritableFolderWritableFile},
        FailureCase{"TargetIsFolder", Failure::TargetIsFolder},
        FailureCase{"MissingFolder", Failure::MissingFolder},
        FailureCase{"FileAsFolder", Failure::FileAsFolder}),
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
}

} // namespace
