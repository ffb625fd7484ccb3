#include "core/calculators/BoxTable.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

struct KeyCase {
    const char16_t* text;
    int cursor;
    int selStart;
    int selLength;
    char16_t typed;
    const char16_t* after;
};

TEST(TextAfterKey, ReplacesTheSelectionOrInsertsAtTheCursor) {
    const KeyCase cases[] = {
        {u"", 0, -1, 0, u'7', u"7"},       {u"12", 2, -1, 0, u'3', u"123"},
        {u"12", 0, -1, 0, u'3', u"312"},   {u"1.5", 1, -1, 0, u'0', u"10.5"},
        {u"12345", 3, 1, 3, u'9', u"195"}, {u"   $10,000.00", 13, 0, 13, u'2', u"2"},
        {u"12", 99, -1, 0, u'3', u"123"}, // a cursor past the end types at the end
    };
    for (const KeyCase& c : cases) {
        EXPECT_EQ(TextAfterKey(QString::fromUtf16(c.text), c.cursor, c.selStart, c.selLength,
                               QChar(c.typed)),
                  QString::fromUtf16(c.after))
            << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(FitsCurrency, FifteenDigitsInsideTheRange) {
    const struct {
        const char16_t* text;
        bool fits;
    } cases[] = {
        {u"", true},
        {u"123456789012345", true},   // 15 digits
        {u"1234567890123456", false}, // 16 digits
        {u"0000000000000001", false}, // digits count, not the value
        {u"922337203685477", true},   // the largest whole amount
        {u"922337203685477.5", true},
        {u"922337203685477.58", false}, // read as a double it lies beyond the range
        {u"922337203685478", false},    // beyond the range
        {u"999999999999999", false},    // 15 digits, beyond the range
        {u"99999999999999.99", true},
        {u"1.23456789012345678", true}, // decimals do not count
        {u"12..5", true},
        {u"$99999999999999999", true},      // reads as 0
        {u" 1 234 567 890 123 456", false}, // Val skips the blanks
        {u"-1234567890123456", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitsCurrency(QString::fromUtf16(c.text)), c.fits)
            << QString::fromUtf16(c.text).toStdString();
}

} // namespace
