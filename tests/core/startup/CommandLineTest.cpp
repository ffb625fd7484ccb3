#include "core/startup/CommandLine.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace qm;
using Action = CommandLine::Action;

namespace {

// Each command line as the program receives it (after its name), and what it asks for: the
// database relative to the current folder (a temporary one), or the problem reported.
TEST(CommandLine, WhatEachCommandLineAsks) {
    const struct {
        QStringList arguments;
        Action action;
        const char* database; // relative to the current folder; null: none
        const char* problem;
    } cases[] = {
        {{}, Action::Start, nullptr, ""},
        {{"MINE.QMD"}, Action::Start, "MINE.QMD", ""},
        {{"data/../MINE.QMD"}, Action::Start, "MINE.QMD", ""},
        {{"file:///tmp/My%20Funds.QMD"}, Action::Start, "/tmp/My Funds.QMD", ""},
        {{"/tmp/a,b.QMD"}, Action::Start, "/tmp/a,b.QMD", ""},
        {{"--", "-odd.QMD"}, Action::Start, "-odd.QMD", ""},
        {{"-"}, Action::Start, "-", ""},
        {{"-h"}, Action::Help, nullptr, ""},
        {{"MINE.QMD", "--help"}, Action::Help, nullptr, ""},
        {{"-v"}, Action::Version, nullptr, ""},
        {{"--version", "--bogus"}, Action::Version, nullptr, ""},
        // Qt's own options, with their values, are the application's.
        {{"-platform", "offscreen", "MINE.QMD"}, Action::Start, "MINE.QMD", ""},
        {{"--style", "fusion", "-reverse", "MINE.QMD"}, Action::Start, "MINE.QMD", ""},
        {{"-style=fusion", "--platform=xcb"}, Action::Start, nullptr, ""},
        {{"--bogus"}, Action::Mistake, nullptr, "unknown option '--bogus'"},
        {{"MINE.QMD", "-x"}, Action::Mistake, nullptr, "unknown option '-x'"},
        {{"-reverse=1"}, Action::Mistake, nullptr, "unknown option '-reverse=1'"},
        {{"-platform"}, Action::Mistake, nullptr, "option '-platform' needs a value"},
        {{"A.QMD", "B.QMD"}, Action::Mistake, nullptr, "only one database can be opened at a time"},
        {{""}, Action::Mistake, nullptr, "an empty file name"},
        {{"--", "--", "A.QMD"},
         Action::Mistake,
         nullptr,
         "only one database can be opened at a time"},
    };
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const QString current = QDir::currentPath();
    for (const auto& c : cases) {
        const CommandLine line = ParseCommandLine(c.arguments);
        const std::string shown = c.arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(line.action, c.action) << shown;
        EXPECT_EQ(line.problem, QLatin1String(c.problem)) << shown;
        if (c.database)
            EXPECT_EQ(line.database, QDir::cleanPath(QDir(current).filePath(c.database))) << shown;
        else
            EXPECT_FALSE(line.database.has_value()) << shown;
    }
    QDir::setCurrent(before);
}

TEST(CommandLine, HelpNamesTheFilesAndTheOptions) {
    const QString help = HelpText(QStringLiteral("/home/ann/.config/Quillmark/Quillmark.conf"),
                                  QStringLiteral("/usr/share/quillmark/DtaSampl.QMD"));
    EXPECT_TRUE(help.startsWith(UsageText()));
    for (const char* part : {"Usage: quillmark [OPTION]... [DATABASE.QMD]\n", "  -h, --help ",
                             "  -v, --version ", "\n  /home/ann/.config/Quillmark/Quillmark.conf\n",
                             "\n  /usr/share/quillmark/DtaSampl.QMD\n"})
        EXPECT_TRUE(help.contains(QLatin1String(part))) << part;
    for (const QString& line : help.split(QLatin1Char('\n')))
        EXPECT_LE(line.size(), 80) << line.toStdString();
    EXPECT_TRUE(
        VersionText().contains(QRegularExpression(QStringLiteral("^quillmark \\d+\\.\\d+\n$"))));
}

} // namespace
