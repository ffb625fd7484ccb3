#include "core/text/Rounding.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

struct CentsCase {
    double amount;
    double rate;
    std::int64_t raw;
};

void PrintTo(const CentsCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.amount, c.rate, c.raw);
}

class CentsProductTest : public ::testing::TestWithParam<CentsCase> {};

TEST_P(CentsProductTest, TruncatesToCentsAndAddsFiveHundredthsOfACent) {
    const auto& c = GetParam();
    EXPECT_EQ(CentsProduct(Currency::fromDouble(c.amount), c.rate).raw(), c.raw);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CentsProductTest,
    ::testing::Values(CentsCase{12.3456, 1, 123405}, CentsCase{12.3499, 1, 123405},
                      CentsCase{7, 1, 70005}, CentsCase{100, 0.05, 50005},
                      CentsCase{100000, 0.15, 150000005}, CentsCase{-12.3456, 1, -123495}),
    [](const auto& info) { return qmtest::NameOf(info.param.amount, "by", info.param.rate); });

TEST(CentsGrowth, GrowsByTheDifferenceOfRatesTruncatedToCents) {
    // 100,000 grown by 20 % less 15 %: 105,000 + 0.0005.
    EXPECT_DOUBLE_EQ(CentsGrowth(Currency::fromUnits(100000), 0.2f, 0.15), 105000.0005);
    EXPECT_DOUBLE_EQ(CentsGrowth(Currency::fromDouble(12.345), 0.0f, 0.0), 12.3405);
}

TEST(CurrencyProduct, UsesTheSinglePrecisionRate) {
    // 0.15 as a Single is 0.1500000059604645: 1000 x it is 150.0000059..., 150.0000.
    EXPECT_EQ(CurrencyProduct(Currency::fromUnits(1000), 0.15f).raw(), 1500000);
    // 2,150 x 0.15f = 322.50001281... -> 322.5000.
    EXPECT_EQ(CurrencyProduct(Currency::fromUnits(2150), 0.15f).raw(), 3225000);
    // A product that lands on a tie at the fourth decimal goes to the even neighbour.
    EXPECT_EQ(CurrencyProduct(0.0005, 0.5f).raw(), 2); // 0.00025 -> 0.0002
    EXPECT_EQ(CurrencyProduct(0.0007, 0.5f).raw(), 4); // 0.00035 -> 0.0004
    EXPECT_THROW(CurrencyProduct(1e15, 1.0f), OverflowError);
}

} // namespace
