// The database files the fuzzer starts from are valid files of every shape: each opens through
#include "support/CaseName.h"
// "Open file" with the funds and records it declares, saves, and opens again to the same model
// and the same bytes.

#include "support/ManagerTestSupport.h"

#include "core/portfolio/DatabaseFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace qm;

namespace {

struct SeedCase {
    const char* name; // file in the seed folder
    int funds;
    int records;
};

void PrintTo(const SeedCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.funds, c.records);
}

class SeedFile : public ::testing::TestWithParam<SeedCase> {};

TEST_P(SeedFile, OpensSavesAndOpensAgainUnchanged) {
    const SeedCase& c = GetParam();
    const QString seed = QStringLiteral(QM_DATABASE_SEEDS "/") + QString::fromLatin1(c.name);
    Portfolio p;
    InitPortfolio(p);
    ASSERT_TRUE(OpenDatabase(p, seed).empty()) << c.name;
    EXPECT_EQ(p.fundCount, c.funds);
    EXPECT_EQ(p.recordCount, c.records);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("AGAIN.QMD"));
    if (c.records == 0) {
        EXPECT_EQ(SaveDatabase(p, path).messages, std::vector<Message>{Message::NoRecords});
        return;
    }
    ASSERT_TRUE(SaveDatabase(p, path).saved);
    Portfolio again;
    InitPortfolio(again);
    ASSERT_TRUE(OpenDatabase(again, path).empty());
    QFile saved(path);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(WriteDatabase(again), saved.readAll());
    EXPECT_EQ(WriteDatabase(again), WriteDatabase(p));
}

INSTANTIATE_TEST_SUITE_P(
    Seeds, SeedFile,
    ::testing::Values(SeedCase{"example-two-funds.QMD", 2, 3}, SeedCase{"every-type.QMD", 1, 6},
                      SeedCase{"empty-fund.QMD", 2, 1}, SeedCase{"no-records.QMD", 3, 0},
                      SeedCase{"splits.QMD", 1, 3}, SeedCase{"splits-point-form.QMD", 1, 3},
                      SeedCase{"eighteen-funds.QMD", 18, 18},
                      SeedCase{"largest-18-funds-600-records.QMD", 18, 600},
                      SeedCase{"lf-and-mark.QMD", 1, 1}, SeedCase{"shipped-sample.QMD", 6, 40},
                      SeedCase{"windows-1252.QMD", 2, 3}),
    qmtest::CaseName<SeedCase>);

// Every seed in the folder is one of the cases above.
TEST(SeedFile, EveryFileIsChecked) {
    const QStringList files = QDir(QStringLiteral(QM_DATABASE_SEEDS)).entryList(QDir::Files);
    EXPECT_EQ(files.size(), 11) << files.join(u' ').toStdString();
}

} // namespace
