// Found by the random-use driver: a compound-gain Calculate that is refused (a number missing)
#include "support/CaseName.h"
#include "support/MessageNumbers.h"
// or fails still uses up a comparison number, but only a calculated tenth ended the set. When
// the tenth number went to a refused attempt the count passed 10, the page kept growing past ten
// blocks, and from number 22 on every Calculate failed with "Wrong or missing entry" until the
// tab was changed. The set now ends at its tenth number whatever became of it.

#include "core/calculators/CompoundGain.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

const CompoundGainTexts Boxes{QStringLiteral("   $10,000.00"), QStringLiteral("   $20,000.00"),
                              QStringLiteral("  5"), QStringLiteral("XYZ Mutual Fund")};

// One Calculate: 'G' the defaults, 'Z' with no years (refused), 'F' a rate beyond the amounts.
CalcOutcome click(CalcState& state, char kind) {
    const double cost = kind == 'F' ? 0.0001 : 10000;
    const double value = kind == 'F' ? 9e14 : 20000;
    const double years = kind == 'Z' ? 0 : kind == 'F' ? 1 : 5;
    state.inputValues[1] = Currency::fromDouble(cost);
    state.inputValues[2] = Currency::fromDouble(value);
    state.inputValues[3] = Currency::fromDouble(years);
    return CompoundGainCalculate(state, Boxes);
}

struct Clicks {
    const char* name;
    std::string clicks;
    std::vector<int> lastMessages;
    int countAfter;
};

void PrintTo(const Clicks& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.clicks, c.lastMessages, c.countAfter);
}

class ComparisonSet : public ::testing::TestWithParam<Clicks> {};

TEST_P(ComparisonSet, EndsAtTheTenthNumberWhateverBecameOfIt) {
    const Clicks& c = GetParam();
    CalcState state;
    CalcOutcome last;
    for (std::size_t i = 0; i < c.clicks.size(); ++i) {
        last = click(state, c.clicks[i]);
        ASSERT_GE(state.comparisonCount, 0) << "after click " << i + 1;
        ASSERT_LE(state.comparisonCount, 10) << "after click " << i + 1;
    }
    EXPECT_EQ(qmtest::MessageNumbers(last.messages), c.lastMessages);
    EXPECT_EQ(state.comparisonCount, c.countAfter);

    // The next good calculation works and adds its block to the page as comparison number
    // countAfter + 1.
    EXPECT_TRUE(click(state, 'G').messages.empty());
    EXPECT_EQ(state.comparisonCount, c.countAfter + 1);
    EXPECT_LE(state.results.count(QStringLiteral("Cost of Investment:")), 10);
    if (c.countAfter == 0) {
        EXPECT_EQ(state.results.count(QStringLiteral("Cost of Investment:")), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Monkey, ComparisonSet,
    ::testing::Values(Clicks{"TenCalculated", "GGGGGGGGGG", {8}, 0},
                      Clicks{"TenthRefused", "GGGGGGGGGZ", {18, 8}, 0},
                      Clicks{"TenthFailed", "GGGGGGGGGF", {3, 8}, 0},
                      Clicks{"NineRefusedThenCalculated", "ZZZZZZZZZG", {8}, 0},
                      Clicks{"RefusedBetweenTwo", "GZG", {}, 3},
                      Clicks{"TwentyFiveRefused", std::string(25, 'Z'), {18}, 5},
                      Clicks{"FailedAndRefusedPastTwenty", "GZFZGFZZGFZZFGGZZFFGZZZ", {18}, 3}),
    qmtest::CaseName<Clicks>);

} // namespace
