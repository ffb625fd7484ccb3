#include "core/text/Conversions.h"
#include "support/CaseName.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace qm;

namespace {

struct ValCase {
    const char16_t* text;
    double value;
};

void PrintTo(const ValCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.text, c.value);
}

class ValTest : public ::testing::TestWithParam<ValCase> {};

TEST_P(ValTest, ReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(Val(QString::fromUtf16(GetParam().text)), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ValTest,
    ::testing::Values(ValCase{u"12.5abc", 12.5}, ValCase{u"$1,000", 0}, ValCase{u"1,000", 1},
                      ValCase{u"", 0}, ValCase{u"1..5", 1}, ValCase{u" 1 2\t3\n", 123},
                      ValCase{u"-2.25", -2.25}, ValCase{u"+7", 7}, ValCase{u"- 5", -5},
                      ValCase{u".", 0}, ValCase{u"-", 0}, ValCase{u".5", 0.5}, ValCase{u"5.", 5},
                      ValCase{u"--5", 0}, ValCase{u"   $10,000.00", 0}, ValCase{u"2500", 2500},
                      ValCase{u"12.345", 12.345}, ValCase{u"0.0001", 0.0001}, ValCase{u"1e5", 1}),
    [](const auto& info) { return qmtest::NameOf(info.param.text, "is", info.param.value); });

TEST(Val, HugeDigitRunsDoNotFail) {
    EXPECT_TRUE(std::isinf(Val(QString(400, QLatin1Char('9')))));
    EXPECT_EQ(Val(QStringLiteral("0.") + QString(400, QLatin1Char('0')) + QStringLiteral("1")),
              0.0);
}

TEST(Int, RoundsTowardMinusInfinity) {
    EXPECT_EQ(Int(-1.5), -2.0);
    EXPECT_EQ(Int(1.5), 1.0);
    EXPECT_EQ(Int(11486.98), 11486.0);
    EXPECT_EQ(Int(Currency::fromRaw(-15000)), Currency::fromUnits(-2));
    EXPECT_EQ(Int(Currency::fromRaw(19999)), Currency::fromUnits(1));
    EXPECT_EQ(Int(Currency::fromUnits(-3)), Currency::fromUnits(-3));
}

struct WholeCase {
    double value;
    int whole;
};

void PrintTo(const WholeCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.value, c.whole);
}

class ToWholeTest : public ::testing::TestWithParam<WholeCase> {};

TEST_P(ToWholeTest, RoundsTiesToEven) {
    EXPECT_EQ(ToWhole(GetParam().value), GetParam().whole);
    EXPECT_EQ(ToWhole(Currency::fromDouble(GetParam().value)), GetParam().whole);
}

INSTANTIATE_TEST_SUITE_P(Table, ToWholeTest,
                         ::testing::Values(WholeCase{2.5, 2}, WholeCase{3.5, 4},
                                           WholeCase{-2.5, -2}, WholeCase{-3.5, -4},
                                           WholeCase{25, 25}, WholeCase{2.4999, 2},
                                           WholeCase{2.5001, 3}, WholeCase{32767, 32767},
                                           WholeCase{-32768, -32768}, WholeCase{32767.4, 32767}),
                         [](const auto& info) {
                             return qmtest::NameOf(info.param.value, "is", info.param.whole);
                         });

TEST(ToWhole, OutsideSixteenBitsIsAnOverflowError) {
    EXPECT_THROW(ToWhole(32767.5), OverflowError); // ties to even: 32768
    EXPECT_THROW(ToWhole(-32769.0), OverflowError);
    EXPECT_THROW(ToWhole(99999.0), OverflowError);
    EXPECT_THROW(ToWhole(Currency::fromUnits(40000)), OverflowError);
    EXPECT_THROW(ToWhole(std::numeric_limits<double>::quiet_NaN()), OverflowError);
}

} // namespace
