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

TEST(Startup, TheProgramFolderBecomesCurrent) {
    const QString before = QDir::currentPath();
    QDir::setCurrent(QDir::tempPath());
    RunStartup();
    EXPECT_EQ(QDir::current().canonicalPath(),
              QDir(QCoreApplication::applicationDirPath()).canonicalPath());
    QDir::setCurrent(before);
}

} // namespace
