#include "gui/manager/ManagerWindowFixture.h"

#include "core/portfolio/DatabaseFile.h"
#include "core/portfolio/RecoveryFile.h"
#include "gui/app/EndSignals.h"

#include <QDir>
#include <QProcess>
#include <QTextStream>

#include <csignal>
#include <cstdio>

using namespace qm;
using namespace qmtest;

namespace {

class Recovery : public ManagerWindowTest {
protected:
    void SetUp() override {
        previousState = qgetenv("XDG_STATE_HOME");
        ASSERT_TRUE(state.isValid());
        // A copy started by a test works in the state folder of that test.
        const QString given = qEnvironmentVariable("QM_RECOVERY_STATE");
        qputenv("XDG_STATE_HOME", (given.isEmpty() ? state.path() : given).toLocal8Bit());
        ManagerWindowTest::SetUp();
    }
    void TearDown() override {
        ManagerWindowTest::TearDown();
        qputenv("XDG_STATE_HOME", previousState);
    }
    // The files of the recovery slots, by suffix: ".QMD", ".info".
    QStringList slotFiles(const char* suffix = ".QMD") const {
        return QDir(RecoveryFolder()).entryList({QStringLiteral("*") + suffix}, QDir::Files);
    }
    // Waits (events handled) until `done`, at most `seconds`.
    bool waitFor(const std::function<bool()>& done, int seconds = 10) {
        for (int i = 0; i < seconds * 20 && !done(); ++i)
            QTest::qWait(50);
        return done();
    }
    void addRecord() {
        choose("EFunds", QStringLiteral("F"));
        EXPECT_EQ(enter("Sold", "4/1/2024{Enter}13{Enter}10{Enter}{Enter}"), QStringList());
    }

    QTemporaryDir state;
    QByteArray previousState;
};

// The slot follows the portfolio in this process: written within a few seconds of a change, in
// the database format, never over the database or its backups; gone once the portfolio is its
// file's again, is saved, or is discarded on leaving.
TEST_F(Recovery, KeptWhileUnsavedAndGoneWhenNot) {
    threeRecordFund();
    const QString file = dir.filePath(QStringLiteral("Mine.QMD"));
    EXPECT_EQ(clickTab(1, {QStringLiteral("file:") + file}), QStringList());
    const QByteArray saved = fileBytes(file);
    const QStringList besideBefore = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);

    const struct {
        const char* how;
        std::function<void()> back; // what makes the portfolio the file's again
    } ways[] = {
        {"undone",
         [this] {
             focus("EFunds");
             run([&] { QTest::keyClick(window->focusWidget(), Qt::Key_Z, Qt::ControlModifier); });
         }},
        {"saved",
         [&] {
             EXPECT_EQ(clickTab(1, {"accept"}).size(), 1); // "replace it?" answered yes
         }},
    };
    for (const auto& w : ways) {
        SCOPED_TRACE(w.how);
        addRecord();
        ASSERT_TRUE(waitFor([&] { return !slotFiles().isEmpty(); })) << "kept within seconds";
        ASSERT_EQ(slotFiles(), QStringList(window->recovery().slotId() + ".QMD"));
        EXPECT_EQ(fileBytes(QDir(RecoveryFolder()).filePath(slotFiles().first())),
                  WriteDatabase(window->portfolio()));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), besideBefore)
            << "nothing written beside the database";
        w.back();
        ASSERT_TRUE(waitFor([&] { return slotFiles().isEmpty(); }));
    }
    EXPECT_NE(fileBytes(file), saved) << "the save went to the file";

    addRecord();
    ASSERT_TRUE(waitFor([&] { return !slotFiles().isEmpty(); }));
    run([&] { QTest::mouseClick(get("EExit"), Qt::LeftButton); }, {"no"});
    EXPECT_TRUE(waitFor([&] { return slotFiles().isEmpty() && slotFiles(".info").isEmpty(); }));
}

// The other side of the next test: a copy of the program that opens a database, changes it, says
// "ready" and works on until it is ended from outside. `kill` waits for its slot to be written
// first; `term` says ready at once, so only the end signal can write it.
TEST_F(Recovery, ChildWorkingUntilEnded) {
    const QString mode = qEnvironmentVariable("QM_RECOVERY_CHILD");
    if (mode.isEmpty())
        GTEST_SKIP() << "started by KilledOrEndedCopysChangesAreOfferedAtTheNextStart";
    CatchEndSignals();
    EXPECT_EQ(openFile(qEnvironmentVariable("QM_RECOVERY_DATABASE")), QStringList());
    addFund(QStringLiteral("Added"));
    EXPECT_EQ(enter("Bought", "5/5/2024{Enter}10{Enter}7{Enter}{Enter}"), QStringList());
    if (mode == QLatin1String("kill")) {
        ASSERT_TRUE(waitFor([&] { return !slotFiles().isEmpty(); }));
    }
    std::printf("ready\n");
    std::fflush(stdout);
    QApplication::exec(); // until SIGTERM ends it (SIGKILL ends the process)
    ADD_FAILURE_AT(__FILE__, __LINE__) << "left by " << mode.toStdString() << " only once ended";
    std::exit(mode == QLatin1String("term") ? 0 : 3);
}

// A copy killed (SIGKILL) or ended (SIGTERM, as a desktop session ends) with unsaved changes: the
// next start offers them, naming the database; restored, they are the portfolio shown, unsaved,
// and the left slot goes; discarded, nothing is left. The database itself is never touched.
TEST_F(Recovery, KilledOrEndedCopysChangesAreOfferedAtTheNextStart) {
    const struct {
        const char* mode;
        int signal;
        const char* answer;
    } cases[] = {{"kill", SIGKILL, "yes"}, {"term", SIGTERM, "yes"}, {"term", SIGTERM, "no"}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.mode) + " " + c.answer);
        const QString database = dir.filePath(QStringLiteral("Copy%1.QMD").arg(++n));
        ASSERT_TRUE(QFile::copy(QStringLiteral(QM_SAMPLE_DATABASE), database));
        const QByteArray bytes = fileBytes(database);
        Portfolio original;
        LoadContents(original, *ReadDatabaseFile(database), database);

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QM_RECOVERY_CHILD"), QLatin1String(c.mode));
        env.insert(QStringLiteral("QM_RECOVERY_DATABASE"), database);
        env.insert(QStringLiteral("QM_RECOVERY_STATE"), state.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=Recovery.ChildWorkingUntilEnded")});
        ASSERT_TRUE(child.waitForStarted());
        QByteArray out;
        for (int i = 0; i < 600 && !out.contains("ready"); ++i) {
            child.waitForReadyRead(100);
            out += child.readAllStandardOutput();
        }
        ASSERT_TRUE(out.contains("ready")) << out.toStdString();
        ::kill(static_cast<pid_t>(child.processId()), c.signal);
        ASSERT_TRUE(child.waitForFinished(20000));
        if (c.signal == SIGTERM) {
            EXPECT_EQ(child.exitStatus(), QProcess::NormalExit);
            EXPECT_EQ(child.exitCode(), 0) << child.readAllStandardOutput().toStdString();
        }
        EXPECT_EQ(fileBytes(database), bytes) << "the database as it was";
        ASSERT_EQ(slotFiles().size(), 1) << "the changes kept";

        auto* restart = new QMStart;
        const QStringList asked = run(
            [&] {
                restart->show();
                ASSERT_TRUE(QTest::qWaitForWindowExposed(restart));
                QTest::qWait(50);
            },
            {QLatin1String(c.answer)});
        ASSERT_EQ(asked.size(), 1);
        EXPECT_TRUE(asked.first().contains(QFileInfo(database).fileName()))
            << asked.first().toStdString();
        auto* restored = qobject_cast<QMManagement*>(restart->workWindow());
        if (QLatin1String(c.answer) == QLatin1String("yes")) {
            ASSERT_NE(restored, nullptr);
            EXPECT_EQ(restored->portfolio().recordCount, original.recordCount + 1);
            EXPECT_EQ(restored->portfolio().fundCount, original.fundCount + 1);
            EXPECT_EQ(restored->portfolio().databasePath, QFileInfo(database).absoluteFilePath());
            EXPECT_TRUE(restored->isWindowModified());
            EXPECT_EQ(restored->windowTitle(),
                      QFileInfo(database).fileName() + "[*] - Investment manager");
            // The left slot goes once the window's own holds the changes.
            EXPECT_TRUE(waitFor([&] {
                return slotFiles() == QStringList(restored->recovery().slotId() + ".QMD");
            }));
        } else {
            EXPECT_EQ(restored, nullptr);
            EXPECT_TRUE(slotFiles().isEmpty());
        }
        delete restart; // the window goes without a word, its slot left as a crash leaves it
        for (const QString& left : QDir(RecoveryFolder()).entryList(QDir::Files))
            QFile::remove(QDir(RecoveryFolder()).filePath(left));
        activate();
    }
}

} // namespace
