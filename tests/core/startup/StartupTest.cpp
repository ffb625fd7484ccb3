#include "core/startup/Startup.h"
#include "gui/common/AppState.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

using namespace qm;

namespace {

// The settings file of the program in the test's private settings folder.
QString settingsFile() {
    return QDir(qEnvironmentVariable("XDG_CONFIG_HOME"))
        .filePath(QStringLiteral("Quillmark/Quillmark.conf"));
}

void writeSettings(const QByteArray& content) {
    QDir().mkpath(QFileInfo(settingsFile()).absolutePath());
    QFile file(settingsFile());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

TEST(Startup, CurrencySymbolFromTheSettings) {
    const struct {
        const char* content; // null: no settings file at all
        const char* symbol;
    } cases[] = {
        {nullptr, "$"},
        {"[General]\nCurrencySymbol=\\x20ac\n", "\xe2\x82\xac"},
        {"[General]\nCurrencySymbol=\n", "$"},     // empty
        {"[General]\nOther=1\n", "$"},             // missing
        {"[General\nCurrencySymbol=X\n", "$"},     // unreadable
        {"[General]\nCurrencySymbol=a, b\n", "$"}, // not a text
        {"[General]\nCurrencySymbol=\"Fr. \"\n", "Fr. "},
        // Edited by hand into what no amount could carry.
        {"[General]\nCurrencySymbol=abcde\n", "$"},    // too long
        {"[General]\nCurrencySymbol=\\x7\n", "$"},     // a control character
        {"[General]\nCurrencySymbol=\"\\t$\"\n", "$"}, // a tab
        {"[General]\nCurrencySymbol=\\x202e$\n", "$"}, // turns the text around
        {"[General]\nCurrencySymbol=\"   \"\n", "$"},  // blank
    };
    for (const auto& c : cases) {
        QFile::remove(settingsFile());
        if (c.content)
            writeSettings(c.content);
        EXPECT_EQ(RunStartup(), QString::fromUtf8(c.symbol))
            << (c.content ? c.content : "(no file)");
    }
    QFile::remove(settingsFile());
}

TEST(Startup, UsableCurrencySymbols) {
    const struct {
        const char* symbol;
        bool usable;
    } cases[] = {
        {"$", true},
        {"\xe2\x82\xac", true}, // euro
        {"\xe2\x82\xb9", true}, // rupee
        {"CHF ", true},
        {"R$", true},
        {"\xf0\x9f\x92\xb0", true}, // a character outside the first plane
        {"", false},
        {" ", false},
        {"CHF F", false}, // five characters
        {"a\nb", false},
        {"\x7f", false},
        {"\xe2\x80\x8b$", false}, // a zero-width space
        {"\xe2\x80\xa8", false},  // a line separator
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsUsableCurrencySymbol(QString::fromUtf8(c.symbol)), c.usable) << c.symbol;
    EXPECT_FALSE(IsUsableCurrencySymbol(QString(QChar(0xd800)) + QLatin1Char('$')))
        << "half of a pair";
}

// The symbol chosen is read back by the next start; a settings file that cannot be written
// keeps what it had, and so does memory.
TEST(Startup, StoredCurrencySymbolIsReadBack) {
    QFile::remove(settingsFile());
    EXPECT_TRUE(StoreCurrencySymbol(QStringLiteral("\u20ac")));
    EXPECT_EQ(ReadCurrencySymbol(), QStringLiteral("\u20ac"));
    EXPECT_FALSE(StoreCurrencySymbol(QStringLiteral("\t")));
    EXPECT_EQ(ReadCurrencySymbol(), QStringLiteral("\u20ac"));

    // A folder where the file should be: nothing can be written.
    QFile::remove(settingsFile());
    ASSERT_TRUE(QDir().mkpath(settingsFile()));
    EXPECT_FALSE(StoreCurrencySymbol(QStringLiteral("\u00a3")));
    EXPECT_EQ(ReadCurrencySymbol(), QStringLiteral("$"));
    QDir(settingsFile()).removeRecursively();
}

TEST(Startup, TheProgramFolderBecomesCurrent) {
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    RunStartup();
    EXPECT_EQ(QDir::current().canonicalPath(),
              QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    QDir::setCurrent(before);
}

} // namespace
