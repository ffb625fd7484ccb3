// Database files in UTF-8 and in the 8-bit Windows-1252 of older files: every character is read
#include "support/CaseName.h"
// as it was written, and a save writes the file's own encoding back whenever it can.

#include "support/ManagerTestSupport.h"

#include "core/portfolio/DatabaseFile.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qm;
using qmtest::fileBytes;
using qmtest::writeBytes;

namespace {

// A one-fund file whose fund name is `name` as bytes.
QByteArray fileNamed(const QByteArray& name) {
    return "1,1,\"All Records\",\"31\"\r\n\"" + name +
           "\",\" 1\"\r\n1,10,100,0,0,1000,\"B\",#2000-01-03#\r\n";
}

struct EncodingCase {
    const char* name;
    QByteArray bytes;      // the fund name in the file
    const char16_t* read;  // the fund name read
    TextEncoding encoding; // the encoding it is read and saved in
};

void PrintTo(const EncodingCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.bytes, c.read, c.encoding);
}

class FileEncoding : public ::testing::TestWithParam<EncodingCase> {};

// The file opens with the name read character for character, saves to the very same bytes and
// keeps a backup of them.
TEST_P(FileEncoding, ReadsEveryCharacterAndSavesTheSameBytes) {
    const EncodingCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("OLD.QMD"));
    ASSERT_TRUE(writeBytes(path, fileNamed(c.bytes)));
    Portfolio p;
    InitPortfolio(p);
    ASSERT_TRUE(OpenDatabase(p, path).empty());
    EXPECT_EQ(p.fundName(1), QString::fromUtf16(c.read));
    EXPECT_EQ(p.fileEncoding, c.encoding);

    p.unsavedChanges = 1;
    ASSERT_TRUE(SaveDatabase(p, path).saved);
    EXPECT_EQ(fileBytes(path), fileNamed(c.bytes));
    EXPECT_EQ(fileBytes(path + QStringLiteral(".bak")), fileNamed(c.bytes));
    EXPECT_EQ(p.fileEncoding, c.encoding);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FileEncoding,
    ::testing::Values(
        EncodingCase{"Utf8Accents", "Caf\xc3\xa9 M\xc3\xbcller \xe2\x82\xac", u"Café Müller €",
                     TextEncoding::Utf8},
        EncodingCase{"Utf8ReplacementCharacterKept", "A\xef\xbf\xbd", u"A\uFFFD",
                     TextEncoding::Utf8},
        EncodingCase{"Windows1252Accents", "Caf\xe9 M\xfcller \x80", u"Café Müller €",
                     TextEncoding::Windows1252},
        EncodingCase{"Windows1252Bytes80To9F",
                     "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8a\x8b\x8c\x8d\x8e\x8f"
                     "\x90\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9a\x9b\x9c\x9d\x9e\x9f",
                     u"\u20AC\u0081\u201A\u0192\u201E\u2026\u2020\u2021\u02C6\u2030\u0160\u2039"
                     u"\u0152\u008D\u017D\u008F\u0090\u2018\u2019\u201C\u201D\u2022\u2013\u2014"
                     u"\u02DC\u2122\u0161\u203A\u0153\u009D\u017E\u0178",
                     TextEncoding::Windows1252},
        EncodingCase{"Windows1252BytesA0ToFF",
                     "\xa0\xa1\xa2\xa3\xa4\xa5\xa6\xa7\xa8\xa9\xaa\xab\xac\xad\xae\xaf"
                     "\xb0\xb1\xb2\xb3\xb4\xb5\xb6\xb7\xb8\xb9\xba\xbb\xbc\xbd\xbe\xbf"
                     "\xc0\xc1\xc2\xc3\xc4\xc5\xc6\xc7\xc8\xc9\xca\xcb\xcc\xcd\xce\xcf"
                     "\xd0\xd1\xd2\xd3\xd4\xd5\xd6\xd7\xd8\xd9\xda\xdb\xdc\xdd\xde\xdf"
                     "\xe0\xe1\xe2\xe3\xe4\xe5\xe6\xe7\xe8\xe9\xea\xeb\xec\xed\xee\xef"
                     "\xf0\xf1\xf2\xf3\xf4\xf5\xf6\xf7\xf8\xf9\xfa\xfb\xfc\xfd\xfe\xff",
                     u"\u00A0¡¢£¤¥¦§¨©ª«¬\u00AD®¯°±²³´µ¶·¸¹º»¼½¾¿ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞß"
                     u"àáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ",
                     TextEncoding::Windows1252},
        // Not UTF-8, however close: each byte is a character of its own.
        EncodingCase{"StrayContinuationByte", "A\x80z", u"A\u20ACz", TextEncoding::Windows1252},
        EncodingCase{"TruncatedSequence", "\xe2\x82 Fund", u"\u00E2\u201A Fund",
                     TextEncoding::Windows1252},
        EncodingCase{"OverlongForm", "\xc0\xaf", u"\u00C0\u00AF", TextEncoding::Windows1252},
        EncodingCase{"Surrogate", "\xed\xa0\x80", u"\u00ED\u00A0\u20AC", TextEncoding::Windows1252},
        EncodingCase{"BeyondTheLastCodePoint", "\xf4\x90\x80\x80", u"\u00F4\u0090\u20AC\u20AC",
                     TextEncoding::Windows1252},
        EncodingCase{"ValidUtf8ElsewhereInTheFile", "Caf\xc3\xa9 and caf\xe9",
                     u"Caf\u00C3\u00A9 and caf\u00E9", TextEncoding::Windows1252}),
    qmtest::CaseName<EncodingCase>);

// A file with a byte-order mark reads as one without, and is saved without it.
TEST(FileEncodingRules, ByteOrderMarkIsDropped) {
    const std::optional<DatabaseContents> contents =
        ReadDatabase("\xef\xbb\xbf" + fileNamed("Caf\xc3\xa9"));
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->fundNames[1], QStringLiteral("Café"));
    EXPECT_EQ(contents->encoding, TextEncoding::Utf8);
}

// What a save writes when the portfolio's names no longer fit the file's encoding.
TEST(FileEncodingRules, SavesInUtf8WhenWindows1252CannotHoldTheNames) {
    const struct {
        const char* name;
        TextEncoding read;     // the encoding of the file the portfolio came from
        const char16_t* fund;  // its only fund's name, as typed afterwards
        QByteArray written;    // the fund name in the file saved
        TextEncoding saved;    // and the encoding that file is then taken to be in
        TextEncoding reopened; // the encoding the saved file is read in
    } cases[] = {
        {"fits", TextEncoding::Windows1252, u"Caf\u00E9 \u20AC", "Caf\xe9 \x80",
         TextEncoding::Windows1252, TextEncoding::Windows1252},
        // Plain ASCII is UTF-8 too; the portfolio stays with the encoding it was read in.
        {"ascii only", TextEncoding::Windows1252, u"Plain", "Plain", TextEncoding::Windows1252,
         TextEncoding::Utf8},
        {"no byte for it", TextEncoding::Windows1252, u"Caf\u00E9 \u2713",
         "Caf\xc3\xa9 \xe2\x9c\x93", TextEncoding::Utf8, TextEncoding::Utf8},
        // Its Windows-1252 bytes would read back as "é".
        {"bytes that are UTF-8", TextEncoding::Windows1252, u"\u00C3\u00A9", "\xc3\x83\xc2\xa9",
         TextEncoding::Utf8, TextEncoding::Utf8},
        {"utf-8 stays", TextEncoding::Utf8, u"Caf\u00E9", "Caf\xc3\xa9", TextEncoding::Utf8,
         TextEncoding::Utf8},
    };
    for (const auto& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("NEW.QMD"));
        Portfolio p = qmtest::portfolioOf({{"X", "B", "1/3/2000", "10", "100"}});
        p.fundNames[1] = QString::fromUtf16(c.fund);
        p.fileEncoding = c.read;
        ASSERT_TRUE(SaveDatabase(p, path).saved) << c.name;
        EXPECT_EQ(fileBytes(path), fileNamed(c.written)) << c.name;
        EXPECT_EQ(p.fileEncoding, c.saved) << c.name;
        Portfolio opened;
        InitPortfolio(opened);
        ASSERT_TRUE(OpenDatabase(opened, path).empty()) << c.name;
        EXPECT_EQ(opened.fundName(1), QString::fromUtf16(c.fund)) << c.name;
        EXPECT_EQ(opened.fileEncoding, c.reopened) << c.name;
    }
}

} // namespace
