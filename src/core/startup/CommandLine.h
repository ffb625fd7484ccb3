#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace qm {

// What the program is asked to do by its command line.
struct CommandLine {
    enum class Action {
        Start,   // the start menu, or the manager on `database`
        Help,    // --help: the usage and the files, on standard output
        Version, // --version: the program's name and version, on standard output
        Mistake, // `problem` and the usage on standard error, exit status 2
    };
    Action action = Action::Start;
    // The database file to open in the investment manager (a full path), or none.
    std::optional<QString> database;
    // What was wrong with the command line (Mistake only).
    QString problem;
};

// The arguments of main after the program's name, file names decoded as the system does.
QStringList ArgumentList(int argc, char** argv);

// Reads the arguments after the program's name, before any application object exists. Qt's own
// options (-platform NAME, -style NAME, -reverse, ...) are left to the application. A database
// named with a relative path, or as a file URL, becomes a full path against the current folder
// (start-up later makes the program's folder current).
CommandLine ParseCommandLine(const QStringList& arguments);

// The synopsis and the options.
QString UsageText();
// The usage, then the files the program reads: `settingsFile` and `sampleDatabase`.
QString HelpText(const QString& settingsFile, const QString& sampleDatabase);
// The program's name and version.
QString VersionText();

// Prints what a Help, Version or Mistake command line asks for and returns the exit status
// (0, or 2 for a mistake). `sampleFolder` is where the sample database lies.
int AnswerCommandLine(const CommandLine& line, const QString& sampleFolder);

} // namespace qm
