#include "core/text/Dates.h"
#include "support/CaseName.h"
#include "support/TestEnvironment.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

struct ShortDateCase {
    const char* locale;
    const char16_t* text; // 15 January 2001
};

void PrintTo(const ShortDateCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.locale, c.text);
}

class ShortDateTest : public ::testing::TestWithParam<ShortDateCase> {};

TEST_P(ShortDateTest, FollowsTheLocaleOrderWithAFourDigitYear) {
    const QLocale locale(QString::fromLatin1(GetParam().locale));
    const QString text = QString::fromUtf16(GetParam().text);
    EXPECT_EQ(ShortDate(QDate(2001, 1, 15), locale), text);
    EXPECT_EQ(ParseDate(text, locale), QDate(2001, 1, 15)); // reads back what it writes
}

INSTANTIATE_TEST_SUITE_P(
    Locales, ShortDateTest,
    ::testing::Values(ShortDateCase{"C", u"1/15/2001"}, ShortDateCase{"en_US", u"1/15/2001"},
                      ShortDateCase{"de_DE", u"15.01.2001"}, ShortDateCase{"en_GB", u"15/01/2001"},
                      ShortDateCase{"nl_NL", u"15-01-2001"}, ShortDateCase{"sv_SE", u"2001-01-15"},
                      ShortDateCase{"ja_JP", u"2001/01/15"}),
    [](const auto& info) { return qmtest::NameOf(info.param.locale); });

struct ParseCase {
    const char16_t* text;
    QDate date; // invalid = not a date
};

void PrintTo(const ParseCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.text, c.date);
}

class ParseDateTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseDateTest, ReadsMonthDayYearInTheCLocale) {
    const auto parsed = ParseDate(QString::fromUtf16(GetParam().text), QLocale::c());
    if (GetParam().date.isValid())
        EXPECT_EQ(parsed, GetParam().date);
    else
        EXPECT_FALSE(parsed.has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ParseDateTest,
    ::testing::Values(
        ParseCase{u"1/15/2001", QDate(2001, 1, 15)}, ParseCase{u"01.15.2001", QDate(2001, 1, 15)},
        ParseCase{u"1-15-01", QDate(2001, 1, 15)}, ParseCase{u"1 15 2001", QDate(2001, 1, 15)},
        ParseCase{u"12/31/29", QDate(2029, 12, 31)}, ParseCase{u"1/1/30", QDate(1930, 1, 1)},
        ParseCase{u"2/29/2024", QDate(2024, 2, 29)}, ParseCase{u" 3/9/2024 ", QDate(2024, 3, 9)},
        ParseCase{u"2/29/2023", {}}, ParseCase{u"15/1/2001", {}}, ParseCase{u"1/15/201", {}},
        ParseCase{u"1/15", {}}, ParseCase{u"", {}}, ParseCase{u"1//15/2001", {}},
        ParseCase{u"1/15/2001/2", {}}, ParseCase{u"123/1/2001", {}}, ParseCase{u"a/1/2001", {}},
        ParseCase{u"1/15/20011", {}},
        // The ISO form, as the records' CSV writes it.
        ParseCase{u"2025-01-15", QDate(2025, 1, 15)}, ParseCase{u"2025-1-5", QDate(2025, 1, 5)},
        ParseCase{u"2025-02-30", {}}, ParseCase{u"2025/01/15", {}}, ParseCase{u"2025-01/15", {}},
        ParseCase{u"2025-13-01", {}}),
    // The row number first: texts that differ only in their separators read alike.
    [](const auto& info) { return qmtest::NameOf(info.index, info.param.text); });

// The ISO form reads the same in every locale, beside the locale's own short form.
TEST(ParseDate, IsoFormInEveryLocale) {
    for (const char* name : {"C", "en_US", "de_DE", "en_GB", "nl_NL", "sv_SE", "ja_JP"}) {
        const QLocale locale(QString::fromLatin1(name));
        EXPECT_EQ(ParseDate(u"2025-01-15", locale), QDate(2025, 1, 15)) << name;
        EXPECT_EQ(ParseDate(ShortDate(QDate(2025, 1, 15), locale), locale), QDate(2025, 1, 15))
            << name;
    }
}

TEST(DateLiteral, WritesAndReadsTheFileForm) {
    EXPECT_EQ(DateLiteral(QDate(2001, 1, 15)), "#2001-01-15#");
    EXPECT_EQ(ParseDateLiteral(u"#2001-03-31#"), QDate(2001, 3, 31));
    for (const char16_t* bad :
         {u"#2001-02-30#", u"2001-01-15", u"#2001-1-15#", u"#2001/01/15#", u"#20a1-01-15#", u"##"})
        EXPECT_FALSE(ParseDateLiteral(QString::fromUtf16(bad)).has_value());
}

TEST(Today, ComesFromTheSwappableClock) {
    EXPECT_EQ(Today(), qmtest::fixedToday());
    SetTodaySource([] { return QDate(2030, 5, 6); });
    EXPECT_EQ(Today(), QDate(2030, 5, 6));
    SetTodaySource([] { return qmtest::fixedToday(); });
}

} // namespace
