#include "core/startup/CommandLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QUrl>

#include <array>
#include <cstdio>

namespace qm {

namespace {

// Qt's own options that take a value (-name VALUE or -name=VALUE), and those that do not.
constexpr std::array QtValueOptions{"platform",
                                    "platformpluginpath",
                                    "platformtheme",
                                    "plugin",
                                    "qwindowgeometry",
                                    "qwindowicon",
                                    "qwindowtitle",
                                    "session",
                                    "style",
                                    "stylesheet",
                                    "display",
                                    "geometry",
                                    "name",
                                    "title",
                                    "visual",
                                    "ncols",
                                    "cmap",
                                    "qmljsdebugger"};
constexpr std::array QtFlagOptions{"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <typename List> bool contains(const List& list, const QString& name) {
    for (const char* entry : list) {
        if (name == QLatin1String(entry))
            return true;
    }
    return false;
}

QString fullPath(const QString& argument) {
    QString path = argument;
    if (argument.startsWith(QLatin1String("file:"))) {
        const QUrl url(argument);
        if (url.isLocalFile())
            path = url.toLocalFile();
    }
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Help, version and mistakes are answered at once, whatever else the line holds.
CommandLine answer(CommandLine::Action action, const QString& problem = QString()) {
    CommandLine line;
    line.action = action;
    line.problem = problem;
    return line;
}

CommandLine mistake(const QString& problem) {
    return answer(CommandLine::Action::Mistake, problem);
}

void print(std::FILE* to, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fflush(to);
}

} // namespace

QStringList ArgumentList(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    return arguments;
}

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (!optionsEnded && argument.size() > 1 && argument.startsWith(QLatin1Char('-'))) {
            if (argument == QLatin1String("--")) {
                optionsEnded = true;
                continue;
            }
            if (argument == QLatin1String("-h") || argument == QLatin1String("--help"))
                return answer(CommandLine::Action::Help);
            if (argument == QLatin1String("-v") || argument == QLatin1String("--version"))
                return answer(CommandLine::Action::Version);
            // Qt takes -name and --name alike, a value after `=` or as the next argument.
            const QString option = argument.mid(argument.startsWith(QLatin1String("--")) ? 2 : 1);
            const QString name = option.section(QLatin1Char('='), 0, 0);
            const bool valueGiven = option.contains(QLatin1Char('='));
            if (contains(QtFlagOptions, name) && !valueGiven)
                continue;
            if (contains(QtValueOptions, name)) {
                if (valueGiven)
                    continue;
                if (i + 1 < arguments.size()) {
                    ++i;
                    continue;
                }
                return mistake(QStringLiteral("option '%1' needs a value").arg(argument));
            }
            return mistake(QStringLiteral("unknown option '%1'").arg(argument));
        }
        if (argument.isEmpty())
            return mistake(QStringLiteral("an empty file name"));
        if (line.database)
            return mistake(QStringLiteral("only one database can be opened at a time"));
        line.database = fullPath(argument);
    }
    return line;
}

QString UsageText() {
    return QStringLiteral(
        "Usage: quillmark [OPTION]... [DATABASE.QMD]\n"
        "Investment calculators and a small portfolio manager. With DATABASE.QMD, the\n"
        "investment manager opens on that database file, as its \"Open file\" tab does.\n"
        "\n"
        "  -h, --help     show this help and exit\n"
        "  -v, --version  show the version and exit\n"
        "\n"
        "Qt's own options, such as -platform NAME and -style NAME, are accepted too.\n");
}

QString HelpText(const QString& settingsFile, const QString& sampleDatabase) {
    return UsageText() +
           QStringLiteral("\n"
                          "Files:\n"
                          "  %1\n"
                          "      the settings (CurrencySymbol, the symbol shown before amounts)\n"
                          "  %2\n"
                          "      the sample database\n"
                          "\n"
                          "See quillmark(1) for more.\n")
               .arg(settingsFile, sampleDatabase);
}

QString VersionText() {
    return QStringLiteral("quillmark %1\n").arg(QLatin1String(QM_VERSION));
}

int AnswerCommandLine(const CommandLine& line, const QString& sampleFolder) {
    switch (line.action) {
    case CommandLine::Action::Help: {
        const QSettings settings(QStringLiteral("Quillmark"), QStringLiteral("Quillmark"));
        print(stdout, HelpText(settings.fileName(),
                               QDir(sampleFolder).filePath(QStringLiteral("DtaSampl.QMD"))));
        return 0;
    }
    case CommandLine::Action::Version:
        print(stdout, VersionText());
        return 0;
    case CommandLine::Action::Mistake:
        print(stderr, QStringLiteral("quillmark: %1\n").arg(line.problem) + UsageText());
        return 2;
    case CommandLine::Action::Start:
        break;
    }
    return 0;
}

} // namespace qm
