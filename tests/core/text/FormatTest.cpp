#include "core/text/Format.h"
#include "support/CaseName.h"

#include <gtest/gtest.h>
#include <limits>

using namespace qm;

namespace {

struct FormatCase {
    double value;
    const char16_t* pattern;
    const char16_t* text;
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.value, c.pattern, c.text);
}

// Every pattern the program uses, each value given both as a Double and as a Currency.
class FormatNumberTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatNumberTest, DoubleRendersAsThePatternSays) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatNumber(c.value, QString::fromUtf16(c.pattern)), QString::fromUtf16(c.text));
}

TEST_P(FormatNumberTest, CurrencyRendersTheSame) {
    const auto& c = GetParam();
    EXPECT_EQ(FormatNumber(Currency::fromDouble(c.value), QString::fromUtf16(c.pattern)),
              QString::fromUtf16(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, FormatNumberTest,
    ::testing::Values(
        FormatCase{10000, u"####,,###.00", u"10,000.00"},
        FormatCase{1234.567, u"####,,###.00", u"1,234.57"},
        FormatCase{0.5, u"####,,###.00", u".50"}, FormatCase{0, u"####,,###.00", u".00"},
        FormatCase{-21678.31, u"####,,###.00", u"-21,678.31"},
        FormatCase{1234567890.12, u"####,,###.00", u"1,234,567,890.12"},
        FormatCase{1000, u"###,,###.00", u"1,000.00"},
        FormatCase{40000, u"####,###.00", u"40,000.00"}, FormatCase{1000, u"#,###.00", u"1,000.00"},
        FormatCase{1000, u"##,###.00", u"1,000.00"}, FormatCase{-100, u"#,###.00", u"-100.00"},
        FormatCase{5, u"###.00", u"5.00"}, FormatCase{12.346, u"###.00", u"12.35"},
        FormatCase{0, u"###.00", u".00"}, FormatCase{125, u"###.00", u"125.00"},
        FormatCase{4, u"##.00", u"4.00"}, FormatCase{7.25, u"###.000", u"7.250"},
        FormatCase{6.5, u"###.000", u"6.500"}, FormatCase{0.148698, u"###.000%", u"14.870%"},
        FormatCase{0.1487, u"###.000%", u"14.870%"}, FormatCase{0, u"###.000%", u".000%"},
        FormatCase{-0.1294, u"###.000%", u"-12.940%"}, FormatCase{1, u"###.00%", u"100.00%"},
        FormatCase{0.5, u"###.00%", u"50.00%"}, FormatCase{-0.5, u"###.00%", u"-50.00%"},
        FormatCase{5, u"##", u"5"}, FormatCase{25.4, u"###", u"25"}, FormatCase{0, u"##", u""},
        FormatCase{0, u"####", u""}, FormatCase{2.5, u"##", u"3"}, FormatCase{300, u"###", u"300"},
        FormatCase{12.5, u"##.##", u"12.5"}, FormatCase{12, u"##.##", u"12."},
        FormatCase{17.4372, u"##.##", u"17.44"},
        FormatCase{1234.5, u"####,,###.0000", u"1,234.5000"},
        FormatCase{1234.5, u"###,###.0000", u"1,234.5000"},
        FormatCase{-5, u"###,###.0000", u"-5.0000"}, FormatCase{0, u"###,###.0000", u".0000"},
        FormatCase{0.5, u"####,,##0.0000", u"0.5000"},
        FormatCase{20, u"####,,##0.0000", u"20.0000"}, FormatCase{0, u"####,,##0.0000", u"0.0000"},
        FormatCase{12.3456, u"####,,##0.0000", u"12.3456"}, FormatCase{365, u"###.00", u"365.00"},
        FormatCase{20.675, u"##.00", u"20.68"}),
    // The row number first: patterns that differ only in their signs read alike.
    [](const auto& info) {
        return qmtest::NameOf(info.index, info.param.value, "gives", info.param.text);
    });

TEST(FormatNumber, DoublesRoundAsAPersonReadsThem) {
    // 1.005 is stored just below 1.005; taken to 15 digits it is 1.005 and rounds up.
    EXPECT_EQ(FormatNumber(1.005, u"###.00"), "1.01");
    EXPECT_EQ(FormatNumber(-1.005, u"###.00"), "-1.01");
    EXPECT_EQ(FormatNumber(2.675, u"###.00"), "2.68");
    EXPECT_EQ(FormatNumber(-0.12945, u"###.000%"), "-12.945%");
    EXPECT_EQ(FormatNumber(0.145, u"###.00%"), "14.50%");
    EXPECT_EQ(FormatNumber(9.995, u"##.00"), "10.00");
    EXPECT_EQ(FormatNumber(999999.995, u"####,,###.00"), "1,000,000.00");
}

// Amounts in ten-thousandths, to fewer places than kept, to more, as percentages, at the ends
// of the range.
TEST(FormatNumber, CurrencyHalvesRoundAwayFromZero) {
    const struct {
        std::int64_t raw;
        const char16_t* pattern;
        const char* text;
    } cases[] = {
        {50005, u"###.00", "5.00"},
        {50050, u"###.00", "5.01"},
        {-50050, u"###.00", "-5.01"},
        {-49, u"###.00", ".00"}, // no "-" on a zero result
        {-4, u"0.00000000", "-0.00040000"},
        {5, u"#.000", ".001"},
        {99995, u"###,###.00", "10.00"},
        {99995, u"000,000", "000,010"},
        {99995, u"###.##", "10."},
        {99995, u"##.0%", "1000.0%"},
        {5, u"##.0%", ".1%"},
        {-4, u"##.0%", ".0%"},
        {std::numeric_limits<std::int64_t>::max(), u"###,###.00", "922,337,203,685,477.58"},
        {std::numeric_limits<std::int64_t>::max(), u"000,000", "922,337,203,685,478"},
        {std::numeric_limits<std::int64_t>::min(), u"###,###.00", "-922,337,203,685,477.58"},
        {std::numeric_limits<std::int64_t>::min(), u"##.0%", "-92233720368547758.1%"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        EXPECT_EQ(FormatNumber(Currency::fromRaw(c.raw), QString::fromUtf16(c.pattern)), c.text);
    }
}

// The value of what "###.00" shows, for every width, and no value beyond the Currency range.
TEST(ShownCents, IsTheValueThePatternShows) {
    const struct {
        double value;
        const char* shown; // Currency::toPlainString of the result, or nullptr: OverflowError
    } cases[] = {
        {1.005, "1.01"},
        {-1.005, "-1.01"},
        {2.675, "2.68"},
        {-0.004, "0"},
        {999999.995, "1000000"},
        {1025621439.3456, "1025621439.35"},
        {922337203685477.0, "922337203685477"},
        {922337203685478.0, nullptr},
        {-1e300, nullptr},
        {std::numeric_limits<double>::infinity(), nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.shown) {
            EXPECT_EQ(ShownCents(c.value).toPlainString(), c.shown);
            EXPECT_EQ(FormatNumber(ShownCents(c.value), u"###.00"),
                      FormatNumber(c.value, u"###.00"));
        } else {
            EXPECT_THROW(ShownCents(c.value), OverflowError);
        }
    }
}

TEST(FormatNumber, WholeNumbersAndTexts) {
    EXPECT_EQ(FormatNumber(25, u"##"), "25");
    EXPECT_EQ(FormatNumber(0, u"###"), "");
    EXPECT_EQ(FormatNumber(-3, u"####"), "-3");
    EXPECT_EQ(FormatNumber(QStringLiteral("XYZ Mutual Fund"), u""), "XYZ Mutual Fund");
}

struct JustifyCase {
    const char16_t* text;
    int width;
    const char16_t* result;
};

void PrintTo(const JustifyCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.text, c.width, c.result);
}

class RightJustifyTest : public ::testing::TestWithParam<JustifyCase> {};

TEST_P(RightJustifyTest, GivesExactlyWidthCharacters) {
    const auto& c = GetParam();
    EXPECT_EQ(RightJustify(QString::fromUtf16(c.text), c.width), QString::fromUtf16(c.result));
}

INSTANTIATE_TEST_SUITE_P(
    Table, RightJustifyTest,
    ::testing::Values(JustifyCase{u"12", 5, u"   12"}, JustifyCase{u"abcdef", 3, u"abc"},
                      JustifyCase{u"abc", 0, u""}, JustifyCase{u"abc", 3, u"abc"},
                      JustifyCase{u"", 2, u"  "},
                      // a 15-character money text in a 13-wide box
                      JustifyCase{u"$1,234,567.891", 13, u"$1,234,567.89"},
                      JustifyCase{u"125.00", 5, u"125.0"}),
    [](const auto& info) { return qmtest::NameOf(info.param.text, "in", info.param.width); });

} // namespace
