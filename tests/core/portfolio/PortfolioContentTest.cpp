#include "support/ManagerTestSupport.h"

#include "core/portfolio/PortfolioContent.h"

using namespace qm;
using qmtest::portfolioOf;

namespace {

Portfolio TwoFunds() {
    return portfolioOf({{"B", "B", "2/1/2024", "10", "5"},
                        {"A", "B", "1/1/2024", "20", "3", "1"},
                        {"B", "C", "3/1/2024", "0", "0", "0", "7"}});
}

// Content put back is the portfolio it was taken from, whatever the portfolio held in between;
// slots past the records are emptied, so a shorter content leaves nothing behind.
TEST(PortfolioContent, RestoredExactlyOverAnyOtherPortfolio) {
    const Portfolio original = TwoFunds();
    const PortfolioContent content = ContentOf(original);
    for (const Portfolio& other : {Portfolio(), portfolioOf({{"X", "B", "5/5/2020", "1", "1"},
                                                             {"X", "B", "6/5/2020", "1", "1"},
                                                             {"Y", "B", "7/5/2020", "1", "1"},
                                                             {"Z", "B", "8/5/2020", "1", "1"}})}) {
        Portfolio p = other;
        RestoreContent(p, content);
        EXPECT_EQ(ContentOf(p), content);
        EXPECT_EQ(p.recordCount, 3);
        EXPECT_EQ(p.fundCount, 2);
        for (int r = 1; r <= 3; ++r)
            EXPECT_EQ(p.record(r).recordNumber, r);
        EXPECT_TRUE(p.record(4).typeCode.isEmpty());
        EXPECT_TRUE(p.fundName(3).isEmpty());
    }
}

// What counts as a change, and what the unsaved mark and the question before leaving measure.
TEST(PortfolioContent, ChangesAndWhatDiffersFromTheFile) {
    const Portfolio base = TwoFunds();
    Portfolio sorted = base;
    SortFundsByName(sorted); // "A" and "B" swap places; every record keeps its fund
    Portfolio withFund = base;
    std::vector<Message> messages;
    AddFund(withFund, QStringLiteral("C"), messages);
    Portfolio fewer = base;
    DeleteRecord(fewer, 2);
    Portfolio otherFigure = base;
    otherFigure.record(1).fees = Currency::fromDouble(2);

    const struct {
        const char* what;
        const Portfolio& changed;
        bool equal, sameRecords, sameAsSaved;
    } cases[] = {
        {"nothing", base, true, true, true},
        {"funds sorted by name", sorted, false, true, true},
        {"a fund added", withFund, false, true, false},
        {"a record deleted", fewer, false, false, false},
        {"a figure changed", otherFigure, false, false, false},
    };
    const PortfolioContent a = ContentOf(base);
    for (const auto& c : cases) {
        const PortfolioContent b = ContentOf(c.changed);
        EXPECT_EQ(a == b, c.equal) << c.what;
        EXPECT_EQ(SameRecords(a, b), c.sameRecords) << c.what;
        EXPECT_EQ(SameAsSaved(a, b), c.sameAsSaved) << c.what;
    }
}

} // namespace
