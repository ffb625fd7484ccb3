#include "PortfolioCheck.h"

#include "core/portfolio/DatabaseFile.h"
#include "support/CaseName.h"

#include <functional>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmmonkey;

namespace {

// The shipped sample, as "Open file" loads it.
Portfolio sample() {
    const std::optional<DatabaseContents> contents = ReadDatabaseFile(QM_SAMPLE_DATABASE);
    EXPECT_TRUE(contents.has_value());
    Portfolio p;
    if (contents)
        LoadContents(p, *contents, QStringLiteral("DtaSampl.QMD"));
    return p;
}

struct Broken {
    const char* name;
    std::function<void(Portfolio&)> breakIt;
    const char* reported; // part of the line that must name the fault
};

void PrintTo(const Broken& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.reported);
}

class PortfolioRules : public ::testing::TestWithParam<Broken> {};

// Each broken rule is reported, and only a portfolio that breaks it is.
TEST_P(PortfolioRules, NamesTheBrokenRule) {
    Portfolio p = sample();
    ASSERT_GT(p.recordCount, 3);
    ASSERT_GT(p.fundCount, 1);
    ASSERT_EQ(PortfolioProblems(p), QStringList());
    GetParam().breakIt(p);
    const QStringList problems = PortfolioProblems(p);
    ASSERT_FALSE(problems.isEmpty()) << GetParam().name;
    EXPECT_TRUE(problems.join('\n').contains(QLatin1String(GetParam().reported)))
        << problems.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Monkey, PortfolioRules,
    ::testing::Values(
        Broken{"nineteen funds", [](Portfolio& p) { p.fundCount = 19; }, "fund count 19"},
        Broken{"601 records", [](Portfolio& p) { p.recordCount = 601; }, "record count 601"},
        Broken{"dates out of order",
               [](Portfolio& p) { std::swap(p.record(1).tradeDate, p.record(3).tradeDate); },
               "before record"},
        Broken{"numbered wrong", [](Portfolio& p) { p.record(2).recordNumber = 7; }, "numbered 7"},
        Broken{"no date", [](Portfolio& p) { p.record(2).tradeDate = QDate(); }, "no valid date"},
        Broken{"fund 0", [](Portfolio& p) { p.record(2).fundIndex = Currency(); }, "fund index 0"},
        Broken{"fund past the last",
               [](Portfolio& p) { p.record(2).fundIndex = Currency::fromUnits(p.fundCount + 1); },
               "fund index"},
        Broken{"fund index with decimals",
               [](Portfolio& p) { p.record(2).fundIndex = Currency::fromRaw(15000); },
               "fund index 1.5"},
        Broken{"unknown type", [](Portfolio& p) { p.record(2).typeCode = "X"; }, "type \"X\""},
        Broken{"record left after the last", [](Portfolio& p) { --p.recordCount; }, "not empty"},
        Broken{"fund without name", [](Portfolio& p) { p.fundNames[1].clear(); }, "no name"},
        Broken{"fund name left after the last",
               [](Portfolio& p) { p.fundNames[static_cast<std::size_t>(p.fundCount + 1)] = "Old"; },
               "\"Old\""},
        Broken{"all-records entry overwritten",
               [](Portfolio& p) { p.fundNames[AllFundsEntry] = "Fund"; }, "entry 31"}),
    qmtest::CaseName<Broken>);

// A file's records keep the file's order: the check of the order can be left out, and the
// file's order is told apart from date order.
TEST(PortfolioRules, DateOrderCanBeLeftToTheFile) {
    Portfolio p = sample();
    std::swap(p.record(1).tradeDate, p.record(3).tradeDate);
    EXPECT_EQ(PortfolioProblems(p, false), QStringList());

    std::optional<DatabaseContents> contents = ReadDatabaseFile(QM_SAMPLE_DATABASE);
    ASSERT_TRUE(contents.has_value());
    EXPECT_TRUE(DatesInOrder(*contents));
    std::swap(contents->records[0].tradeDate, contents->records[2].tradeDate);
    EXPECT_FALSE(DatesInOrder(*contents));
}

struct Change {
    const char* name;
    std::function<void(Portfolio&)> change;
    const char* reported; // "" when the portfolio still holds what the file holds
};

void PrintTo(const Change& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.reported);
}

class FileContents : public ::testing::TestWithParam<Change> {};

// The portfolio against the file it came from: the order of funds and records does not count,
// every name and figure does.
TEST_P(FileContents, DiffersOnlyInWhatTheyHold) {
    const std::optional<DatabaseContents> contents = ReadDatabaseFile(QM_SAMPLE_DATABASE);
    ASSERT_TRUE(contents.has_value());
    Portfolio p = sample();
    GetParam().change(p);
    const QStringList differences = ContentDifferences(p, *contents);
    if (QLatin1String(GetParam().reported).isEmpty()) {
        EXPECT_EQ(differences, QStringList()) << GetParam().name;
    } else {
        EXPECT_TRUE(differences.join('\n').contains(QLatin1String(GetParam().reported)))
            << GetParam().name << ": " << differences.join('\n').toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Monkey, FileContents,
    ::testing::Values(
        Change{"unchanged", [](Portfolio&) {}, ""},
        Change{"funds sorted by name", [](Portfolio& p) { SortFundsByName(p); }, ""},
        Change{"a fund renamed", [](Portfolio& p) { p.fundNames[1] += "x"; }, "funds"},
        Change{"a price changed", [](Portfolio& p) { p.record(2).price += Currency::fromRaw(1); },
               "only in memory"},
        Change{"a record moved to another fund",
               [](Portfolio& p) {
                   p.record(1).fundIndex =
                       Currency::fromUnits(p.record(1).fund() % p.fundCount + 1);
               },
               "only in the file"},
        Change{"a record dropped", [](Portfolio& p) { DeleteRecord(p, 1); }, "records in memory"}),
    qmtest::CaseName<Change>);

} // namespace
