// qm_monkey: the program started as it starts for a user, then used at random by the driver
// (Monkey.h) for a given number of events, and ended with "Exit program".
//
// Usage: qm_monkey [--seed N] [--events N] [--verbose] [--hang-seconds N]
//                  [--sample FILE] [--largest FILE]
// Exit status: 0 when every check held, 1 when one broke, 2 on a hang; a sanitizer report ends
// the process with its own status. Every failure names the seed and the command that replays it.

#include "Monkey.h"
#include "Trail.h"

#include "core/startup/Startup.h"
#include "core/text/Dates.h"
#include "gui/app/QMStart.h"
#include "gui/common/AppState.h"
#include "gui/common/Geometry.h"

#include <QApplication>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QSet>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#ifndef QM_SAMPLE_DATABASE
#define QM_SAMPLE_DATABASE ""
#endif
#ifndef QM_LARGEST_DATABASE
#define QM_LARGEST_DATABASE ""
#endif

// Under the sanitizers: Qt's fatal errors abort, and that is reported like any other finding.
extern "C" const char* __asan_default_options() {
    return "handle_abort=1:detect_leaks=1:abort_on_error=0";
}
extern "C" const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

namespace {

QStringList warnings;
QSet<QString> distinctWarnings;

// Qt's own warnings are kept for the summary; the offscreen platform's notes on features it
// lacks say nothing about the program and are dropped.
void keepWarning(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtDebugMsg || type == QtInfoMsg)
        return;
    if (message.contains(QLatin1String("propagateSizeHints")) ||
        message.contains(QLatin1String("This plugin does not support")))
        return;
    qmmonkey::Note(QStringLiteral("Qt says: ") + message);
    warnings << message;
    distinctWarnings.insert(message);
    if (type == QtFatalMsg) {
        std::fprintf(stderr, "qm_monkey: Qt fatal error: %s\n", qPrintable(message));
        std::abort();
    }
}

void usage() {
    std::fprintf(stderr, "usage: qm_monkey [--seed N] [--events N] [--verbose] [--hang-seconds N] "
                         "[--sample FILE] [--largest FILE]\n");
}

bool writeText(const QString& path, const QByteArray& text) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
}

// What the command line asks for.
struct Arguments {
    qmmonkey::MonkeyOptions options;
    bool verbose = false;
    int hangSeconds = 60;
};

// False (after the usage is printed) when the command line is not understood.
bool parseArguments(int argc, char** argv, Arguments& args) {
    qmmonkey::MonkeyOptions& options = args.options;
    options.seed = static_cast<std::uint64_t>(
        std::chrono::system_clock::now().time_since_epoch().count() % 1000000000);
    options.sampleDatabase = QString::fromLocal8Bit(QM_SAMPLE_DATABASE);
    options.largestDatabase = QString::fromLocal8Bit(QM_LARGEST_DATABASE);
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        try {
            if (arg == "--seed" && hasValue)
                options.seed = std::stoull(argv[++i]);
            else if (arg == "--events" && hasValue)
                options.events = std::stoi(argv[++i]);
            else if (arg == "--hang-seconds" && hasValue)
                args.hangSeconds = std::stoi(argv[++i]);
            else if (arg == "--sample" && hasValue)
                options.sampleDatabase = QString::fromLocal8Bit(argv[++i]);
            else if (arg == "--largest" && hasValue)
                options.largestDatabase = QString::fromLocal8Bit(argv[++i]);
            else if (arg == "--verbose")
                args.verbose = true;
            else {
                usage();
                return false;
            }
        } catch (const std::exception&) {
            usage();
            return false;
        }
    }
    return true;
}

// What differs between users, chosen by the seed: currency symbol, locale and today.
struct UserSetting {
    const char* symbol;
    const char* localeName;
    QDate today;
};

UserSetting chooseSetting(std::uint64_t seed) {
    std::mt19937_64 setup(seed ^ 0x5eedf00dULL);
    const char* const symbols[] = {"$", "\xc2\xa3", "\xe2\x82\xac", "Fr. ", "kr", ""};
    const char* const locales[] = {"C", "en_US", "en_GB", "de_DE", "fr_FR", "ja_JP", "pt_BR"};
    const QDate todays[] = {QDate(2024, 3, 9), QDate(2000, 2, 29), QDate(1999, 12, 31),
                            QDate(2037, 6, 15)};
    const char* const symbol = symbols[setup() % std::size(symbols)];
    const char* const localeName = locales[setup() % std::size(locales)];
    const QDate today = todays[setup() % std::size(todays)];
    return {symbol, localeName, today};
}

// The run's own folders under `root`: settings, the runtime folder, and the database files it
// makes (options.folder); the settings and the environment point the program at them.
void prepareFolders(const QDir& root, qmmonkey::MonkeyOptions& options, const char* symbol) {
    for (const char* sub : {"config/Quillmark", "runtime", "files"})
        root.mkpath(QLatin1String(sub));
    QFile(root.filePath(QStringLiteral("runtime")))
        .setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    options.folder = root.filePath(QStringLiteral("files"));
    // The file dialog starts in the folder of the last database: the run's own folder.
    writeText(root.filePath(QStringLiteral("config/Quillmark/Quillmark.conf")),
              QByteArray("[General]\nCurrencySymbol=") + symbol + "\nLastDatabase=" +
                  QFile::encodeName(QDir(options.folder).filePath(QStringLiteral("DtaSampl.QMD"))) +
                  "\n");

    qputenv("XDG_CONFIG_HOME", root.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_STATE_HOME", root.filePath(QStringLiteral("state")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", root.filePath(QStringLiteral("runtime")).toLocal8Bit());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Nothing is ever printed on paper: the print system is a socket that does not exist.
    qputenv("CUPS_SERVER", "/nonexistent/quillmark-monkey-no-print-system.sock");
}

// Runs the driver from the start menu to "Exit program" and checks that nothing is left:
// 0 when every check held, 1 when one broke (a check broken during the run ends the process).
int runMonkey(const qmmonkey::MonkeyOptions& options, int hangSeconds) {
    qmmonkey::StartWatchdog(hangSeconds);
    int status = 0;
    qm::QMStart menu;
    menu.show();
    qmmonkey::Monkey monkey(options, menu);
    monkey.start();
    QApplication::exec();
    qmmonkey::StopWatchdog();
    qmmonkey::EndRun();

    QStringList problems;
    if (!monkey.finished())
        problems << QStringLiteral("the program ended before the run did");
    if (menu.isVisible() || menu.workWindow())
        problems << QStringLiteral("a window is left after \"Exit program\"");
    if (qm::ActiveWorkWindow() != qm::WorkWindow::None || qm::CurrentWorkWindow())
        problems << QStringLiteral("a work window is still named active after the exit");
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            problems << QStringLiteral("%1 is still shown after the exit").arg(w->objectName());
    }
    if (!problems.isEmpty()) {
        qmmonkey::PrintFailure("CHECK FAILED", problems.join(QLatin1String("; ")));
        status = 1;
    }
    std::printf("qm_monkey: seed %llu: %s\n", static_cast<unsigned long long>(options.seed),
                qPrintable(monkey.summary()));
    return status;
}

void printWarnings() {
    if (distinctWarnings.isEmpty())
        return;
    std::printf("qm_monkey: Qt warned %lld times, %lld different warnings:\n",
                static_cast<long long>(warnings.size()),
                static_cast<long long>(distinctWarnings.size()));
    for (const QString& w : distinctWarnings)
        std::printf("  %s\n", qPrintable(w));
}

} // namespace

int main(int argc, char** argv) {
    Arguments args;
    if (!parseArguments(argc, argv, args))
        return 64;
    qmmonkey::MonkeyOptions& options = args.options;
    if (!QFile::exists(options.sampleDatabase) || !QFile::exists(options.largestDatabase)) {
        std::fprintf(stderr, "qm_monkey: the sample database and the largest database must exist "
                             "(--sample, --largest)\n");
        return 64;
    }

    // The run's own folders: settings, the runtime folder, and the database files it makes.
    QTemporaryDir run(QDir::tempPath() + QStringLiteral("/qm-monkey-XXXXXX"));
    if (!run.isValid()) {
        std::fprintf(stderr, "qm_monkey: no temporary folder\n");
        return 64;
    }
    const UserSetting setting = chooseSetting(options.seed);
    prepareFolders(QDir(run.path()), options, setting.symbol);

    qmmonkey::SetRun(options.seed, options.events);
    qmmonkey::SetVerbose(args.verbose);
    qmmonkey::InstallDeathReport();
    qInstallMessageHandler(keepWarning);

    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLatin1String(setting.localeName)));
    const QDate today = setting.today;
    qm::SetTodaySource([today] { return today; });
    qm::app().currencySymbol = qm::RunStartup();
    // Relative names resolve in the run's own folder too.
    QDir::setCurrent(options.folder);
    // Something to paste, so that a refused paste is really refused.
    QApplication::clipboard()->setText(QStringLiteral("1234.5678"));

    std::printf("qm_monkey: seed %llu, %d events, locale %s, currency symbol \"%s\" (shown as "
                "\"%s\"), today %s\n",
                static_cast<unsigned long long>(options.seed), options.events, setting.localeName,
                setting.symbol, qPrintable(qm::app().currencySymbol),
                qPrintable(today.toString(Qt::ISODate)));
    std::fflush(stdout);

    const int status = runMonkey(options, args.hangSeconds);
    printWarnings();
    std::fflush(stdout);
    return status;
}
