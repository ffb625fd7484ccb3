#include "core/portfolio/RecoveryFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qm;

namespace {

class RecoveryFiles : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(state.isValid());
        previous = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", state.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("XDG_STATE_HOME", previous); }

    QStringList files() const {
        return QDir(RecoveryFolder()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir state;
    QByteArray previous;
};

const RecoveryInfo Info{QStringLiteral("/home/a/Broker, 2025.QMD"),
                        QStringLiteral("Broker, 2025.QMD"),
                        QDateTime(QDate(2026, 12, 8), QTime(14, 32, 5, 120)),
                        {1234, QDateTime(QDate(2026, 12, 1), QTime(9, 0)), QByteArray(32, '\x7f')}};

// A slot is offered only once its writer is gone, with what it was given, and only to one
// claimant at a time; a slot without its portfolio or with an unreadable info file is dropped.
TEST_F(RecoveryFiles, LeftSlotsAreOfferedWholeOnceTheirWriterIsGone) {
    const QByteArray database = "\"3\",\"2\"\r\n...";
    QString id;
    {
        RecoverySlot slot;
        id = slot.id();
        ASSERT_EQ(slot.write(database, Info), QString());
        EXPECT_TRUE(LeftRecoveries().empty()) << "its writer lives";
    }
    std::vector<LeftRecovery> left = LeftRecoveries();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].id, id);
    EXPECT_EQ(left[0].info.databasePath, Info.databasePath);
    EXPECT_EQ(left[0].info.databaseName, Info.databaseName);
    EXPECT_EQ(left[0].info.changed, Info.changed);
    EXPECT_EQ(left[0].info.stamp.size, Info.stamp.size);
    EXPECT_EQ(left[0].info.stamp.modified, Info.stamp.modified);
    EXPECT_EQ(left[0].info.stamp.digest, Info.stamp.digest);
    QFile kept(left[0].databaseFile);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), database);
    EXPECT_TRUE(LeftRecoveries().empty()) << "claimed by the first";
    RemoveRecovery(left[0]);
    EXPECT_EQ(files(), QStringList());

    for (const char* broken : {"missing portfolio", "bad info"}) {
        {
            RecoverySlot slot;
            ASSERT_EQ(slot.write(database, Info), QString());
            if (broken[0] == 'm') {
                QFile::remove(QDir(RecoveryFolder()).filePath(slot.id() + ".QMD"));
            } else {
                QFile info(QDir(RecoveryFolder()).filePath(slot.id() + ".info"));
                ASSERT_TRUE(info.open(QIODevice::WriteOnly));
                info.write("changed=yesterday\n");
            }
        }
        EXPECT_TRUE(LeftRecoveries().empty()) << broken;
        EXPECT_EQ(files(), QStringList()) << broken;
    }
}

// Written again, a slot holds the last portfolio only; removed, nothing is left of it.
TEST_F(RecoveryFiles, RewrittenAndRemovedWhole) {
    RecoverySlot slot;
    ASSERT_EQ(slot.write("first", Info), QString());
    ASSERT_EQ(slot.write("second", Info), QString());
    EXPECT_EQ(files(), QStringList({slot.id() + ".QMD", slot.id() + ".info", slot.id() + ".lock"}));
    QFile kept(QDir(RecoveryFolder()).filePath(slot.id() + ".QMD"));
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), "second");
    slot.remove();
    EXPECT_EQ(files(), QStringList());
    EXPECT_EQ(
        QFile::permissions(RecoveryFolder()) & (QFileDevice::ReadOther | QFileDevice::ReadGroup), 0)
        << "the person's records are theirs alone";
}

} // namespace
