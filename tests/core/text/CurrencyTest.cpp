#include "core/text/Currency.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>
#include <limits>

using qm::Currency;
using qm::OverflowError;

namespace {

struct FromDoubleCase {
    double value;
    std::int64_t raw;
};

void PrintTo(const FromDoubleCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.value, c.raw);
}

class CurrencyFromDouble : public ::testing::TestWithParam<FromDoubleCase> {};

TEST_P(CurrencyFromDouble, RoundsToNearestTenThousandthTiesToEven) {
    EXPECT_EQ(Currency::fromDouble(GetParam().value).raw(), GetParam().raw);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CurrencyFromDouble,
    ::testing::Values(FromDoubleCase{0.0, 0}, FromDoubleCase{1.0, 10000},
                      FromDoubleCase{-1.5, -15000}, FromDoubleCase{14.869835499703, 148698},
                      FromDoubleCase{0.00025, 2},   // tie -> even
                      FromDoubleCase{0.00035, 4},   // tie -> even
                      FromDoubleCase{-0.00025, -2}, // tie -> even
                      FromDoubleCase{0.00026, 3}, FromDoubleCase{1234.56789, 12345679},
                      FromDoubleCase{-1234.56784, -12345678}),
    [](const auto& info) { return qmtest::NameOf(info.param.value, "is", info.param.raw); });

TEST(Currency, OverflowIsATypedError) {
    EXPECT_THROW(Currency::fromDouble(1e15), OverflowError);
    EXPECT_THROW(Currency::fromDouble(-1e15), OverflowError);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::infinity()), OverflowError);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()), OverflowError);
    EXPECT_NO_THROW(Currency::fromDouble(922337203685477.0));

    const Currency max = Currency::fromRaw(std::numeric_limits<std::int64_t>::max());
    const Currency min = Currency::fromRaw(std::numeric_limits<std::int64_t>::min());
    EXPECT_THROW(max + Currency::fromRaw(1), OverflowError);
    EXPECT_THROW(min - Currency::fromRaw(1), OverflowError);
    EXPECT_THROW(-min, OverflowError);
    EXPECT_THROW(max * Currency::fromUnits(2), OverflowError);
    EXPECT_THROW(Currency::fromUnits(1'000'000'000'000'000), OverflowError);
}

TEST(Currency, SumsAndDifferencesAreExact) {
    Currency total;
    for (int i = 0; i < 10; ++i)
        total += Currency::fromRaw(1000); // 0.1 ten times
    EXPECT_EQ(total, Currency::fromUnits(1));
    EXPECT_EQ((Currency::fromRaw(10005) - Currency::fromRaw(20010)).raw(), -10005);
}

struct ProductCase {
    std::int64_t a, b, product;
};

void PrintTo(const ProductCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.a, c.b, c.product);
}

class CurrencyProductOfAmounts : public ::testing::TestWithParam<ProductCase> {};

TEST_P(CurrencyProductOfAmounts, RoundsToFourDecimalsTiesToEven) {
    const auto& c = GetParam();
    EXPECT_EQ((Currency::fromRaw(c.a) * Currency::fromRaw(c.b)).raw(), c.product);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CurrencyProductOfAmounts,
    ::testing::Values(ProductCase{100000, 1000000, 10000000}, // 10 x 100 = 1,000
                      ProductCase{12345, 12345, 15240},       // 1.52399025 -> 1.5240
                      ProductCase{1, 5000, 0},                // 0.00005 -> 0 (even)
                      ProductCase{3, 5000, 2},                // 0.00015 -> 0.0002 (even)
                      ProductCase{-3, 5000, -2}, ProductCase{-100000, 50000, -500000}),
    [](const auto& info) { return qmtest::NameOf(info.param.a, "by", info.param.b); });

TEST(Currency, PlainTextHasNoGroupingAndNoTrailingZeros) {
    EXPECT_EQ(Currency::fromUnits(100).toPlainString(), "100");
    EXPECT_EQ(Currency::fromRaw(-9500000).toPlainString(), "-950");
    EXPECT_EQ(Currency::fromRaw(1).toPlainString(), "0.0001");
    EXPECT_EQ(Currency::fromRaw(-125000).toPlainString(), "-12.5");
    EXPECT_EQ(Currency::fromRaw(0).toPlainString(), "0");
    EXPECT_EQ(Currency::fromRaw(std::numeric_limits<std::int64_t>::min()).toPlainString(),
              "-922337203685477.5808");
}

} // namespace
