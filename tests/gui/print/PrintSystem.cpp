#include "gui/print/PrintSystem.h"

#include <QCollator>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QThread>
#include <QXmlStreamReader>
#include <algorithm>
#include <csignal>
#include <dlfcn.h>
#include <sys/prctl.h>
#include <unistd.h>

namespace qmtest {

namespace {

const QString QueueName = QStringLiteral("qmtest");
const QString SystemServerBin = QStringLiteral("/usr/lib/cups");

QString findTool(const QString& name) {
    QString path = QStandardPaths::findExecutable(name);
    if (path.isEmpty())
        path = QStandardPaths::findExecutable(
            name, {QStringLiteral("/usr/sbin"), QStringLiteral("/sbin")});
    return path;
}

bool writeFile(const QString& path, const QString& text, QFile::Permissions permissions) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.write(text.toUtf8());
    file.close();
    return file.setPermissions(permissions);
}

// The scheduler's settings: only the private socket, no network, no sharing, everything kept in
// the private folder (`root`).
QString schedulerConfig(const QString& root) {
    return QStringLiteral("Listen %1/cups.sock\n"
                          "LogLevel warn\n"
                          "WebInterface No\n"
                          "Browsing No\n"
                          "DefaultAuthType None\n"
                          "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                          "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n"
                          "<Policy default>\n  <Limit All>\n    Order deny,allow\n    Allow all\n"
                          "  </Limit>\n</Policy>\n")
        .arg(root);
}

QString filesConfig(const QString& root, bool asRoot) {
    QString text = QStringLiteral("ServerRoot %1\n"
                                  "RequestRoot %1/spool\n"
                                  "CacheDir %1/cache\n"
                                  "StateDir %1/state\n"
                                  "TempDir %1/spool\n"
                                  "ServerKeychain %1/ssl\n"
                                  "Printcap %1/printcap\n"
                                  "AccessLog %1/log/access_log\n"
                                  "ErrorLog %1/log/error_log\n"
                                  "PageLog %1/log/page_log\n"
                                  "ServerBin %1/bin\n")
                       .arg(root);
    if (asRoot)
        text += QStringLiteral("User lp\nGroup lp\nSystemGroup root\n");
    return text;
}

// The queue's device: writes each job's data to <folder>/job-<number>.pdf, renamed into place
// once complete so that a file that exists is a finished job.
const char* const BackendScript =
    "#!/bin/sh\n"
    "if [ $# -eq 0 ]; then echo 'direct qmfile \"Unknown\" \"Test output folder\"'; exit 0; fi\n"
    "out=\"${DEVICE_URI#qmfile:}/job-$1\"\n"
    "if [ -n \"$6\" ]; then cat \"$6\" > \"$out.part\"; else cat > \"$out.part\"; fi\n"
    "mv \"$out.part\" \"$out.pdf\"\n"
    "exit 0\n";

// The print library keeps the server it first talked to; a new private scheduler needs it to
// read CUPS_SERVER again. It is loaded only once something has printed in this process.
void forgetCachedServer() {
    void* library = dlopen("libcups.so.2", RTLD_LAZY | RTLD_NOLOAD);
    if (!library)
        return;
    using SetServer = void (*)(const char*);
    if (auto* setServer = reinterpret_cast<SetServer>(dlsym(library, "cupsSetServer")))
        setServer(nullptr);
    dlclose(library);
}

int jobNumber(const QString& fileName) {
    static const QRegularExpression number(QStringLiteral("job-(\\d+)\\.pdf$"));
    const auto match = number.match(fileName);
    return match.hasMatch() ? match.captured(1).toInt() : 0;
}

QString runTool(const QString& tool, const QStringList& arguments) {
    QProcess process;
    process.start(findTool(tool), arguments);
    if (!process.waitForFinished(30000))
        ADD_FAILURE() << tool.toStdString() << " did not finish";
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

PrivatePrintSystem::~PrivatePrintSystem() {
    stop();
}

QString PrivatePrintSystem::folder() const {
    return dir_ ? dir_->path() : QString();
}

QString PrivatePrintSystem::socketPath() const {
    return folder() + QStringLiteral("/cups.sock");
}

bool PrivatePrintSystem::run(const QString& program, const QStringList& arguments,
                             QString* output) const {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CUPS_SERVER"), socketPath());
    environment.insert(QStringLiteral("CUPS_SERVERROOT"), folder());
    process.setProcessEnvironment(environment);
    process.start(findTool(program), QStringList{QStringLiteral("-h"), socketPath()} + arguments);
    const bool finished = process.waitForFinished(15000);
    if (output)
        *output = QString::fromUtf8(process.readAll());
    if (!finished) {
        process.kill();
        process.waitForFinished(2000);
    }
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString PrivatePrintSystem::logTail() const {
    QFile log(folder() + QStringLiteral("/log/error_log"));
    if (!log.open(QIODevice::ReadOnly))
        return QStringLiteral("(no scheduler log)");
    const QStringList lines = QString::fromUtf8(log.readAll()).split(QLatin1Char('\n'));
    return lines.mid(std::max<qsizetype>(0, lines.size() - 8)).join(QLatin1Char('\n'));
}

PrivatePrintSystem::Start PrivatePrintSystem::start(QString* reason) {
    for (const char* tool :
         {"cupsd", "lpadmin", "lpstat", "pdftotext", "pdffonts", "pdftohtml", "pdfimages"}) {
        if (findTool(QString::fromLatin1(tool)).isEmpty()) {
            *reason = QStringLiteral("%1 is not installed (scripts/deps.sh test installs cups, "
                                     "printer-driver-cups-pdf and poppler-utils)")
                          .arg(QString::fromLatin1(tool));
            return Start::Unavailable;
        }
    }
    if (!QFileInfo(SystemServerBin + QStringLiteral("/filter")).isDir()) {
        *reason =
            QStringLiteral("the print scheduler's programs are not in %1").arg(SystemServerBin);
        return Start::Unavailable;
    }
    const bool asRoot = geteuid() == 0;
    // A local socket's path must stay short; fall back to /tmp when the temporary folder is deep.
    QString base = QDir::tempPath();
    if (base.size() > 60)
        base = QStringLiteral("/tmp");
    dir_ = std::make_unique<QTemporaryDir>(base + QStringLiteral("/qm-print-XXXXXX"));
    if (!dir_->isValid()) {
        *reason = QStringLiteral("no temporary folder: %1").arg(dir_->errorString());
        return Start::Failed;
    }
    const QString root = dir_->path();
    QDir folder(root);
    for (const char* sub : {"spool", "cache", "state", "ssl", "log", "out", "bin/backend"})
        folder.mkpath(QString::fromLatin1(sub));
    // The scheduler's helpers run as another user: they must reach the folder and write jobs out.
    const auto everyone = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                          QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup |
                          QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QFile::setPermissions(root, everyone);
    QFile::setPermissions(root + QStringLiteral("/out"), everyone);

    // The scheduler's own programs, with the job-writing device in place of the real ones.
    for (const QFileInfo& entry :
         QDir(SystemServerBin).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (entry.fileName() != QLatin1String("backend"))
            QFile::link(entry.absoluteFilePath(),
                        root + QStringLiteral("/bin/") + entry.fileName());
    }
    const auto program = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                         QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    if (!writeFile(root + QStringLiteral("/bin/backend/qmfile"), QString::fromLatin1(BackendScript),
                   program) ||
        !writeFile(root + QStringLiteral("/cupsd.conf"), schedulerConfig(root),
                   QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther) ||
        !writeFile(root + QStringLiteral("/cups-files.conf"), filesConfig(root, asRoot),
                   QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther)) {
        *reason = QStringLiteral("cannot write the scheduler's files in %1").arg(root);
        return Start::Failed;
    }

    scheduler_ = std::make_unique<QProcess>();
    scheduler_->setProcessChannelMode(QProcess::MergedChannels);
    scheduler_->setStandardOutputFile(root + QStringLiteral("/log/scheduler_output"));
    // Should the test process die without cleaning up, its scheduler goes with it.
    scheduler_->setChildProcessModifier([] { prctl(PR_SET_PDEATHSIG, SIGTERM); });
    scheduler_->start(findTool(QStringLiteral("cupsd")),
                      {QStringLiteral("-f"), QStringLiteral("-c"),
                       root + QStringLiteral("/cupsd.conf"), QStringLiteral("-s"),
                       root + QStringLiteral("/cups-files.conf")});
    const Start notStarted = asRoot ? Start::Failed : Start::Unavailable;
    if (!scheduler_->waitForStarted(5000)) {
        *reason =
            QStringLiteral("the print scheduler did not start: %1").arg(scheduler_->errorString());
        return notStarted;
    }
    QElapsedTimer waited;
    waited.start();
    QString status;
    while (!run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, &status) ||
           !status.contains(QLatin1String("scheduler is running"))) {
        if (scheduler_->state() != QProcess::Running || waited.elapsed() > 15000) {
            *reason =
                QStringLiteral("the private print scheduler did not come up%1:\n%2")
                    .arg(asRoot ? QString() : QStringLiteral(" without root rights"), logTail());
            stop();
            return notStarted;
        }
        QThread::msleep(50);
    }

    QString output;
    if (!run(QStringLiteral("lpadmin"),
             {QStringLiteral("-p"), QueueName, QStringLiteral("-E"), QStringLiteral("-v"),
              QStringLiteral("qmfile:") + root + QStringLiteral("/out"), QStringLiteral("-m"),
              QStringLiteral("raw")},
             &output) ||
        !run(QStringLiteral("lpadmin"), {QStringLiteral("-d"), QueueName}, &output)) {
        *reason = QStringLiteral("the test queue could not be made: %1\n%2").arg(output, logTail());
        stop();
        return notStarted;
    }

    // From now on this process prints to the private queue and to nothing else.
    qputenv("CUPS_SERVER", socketPath().toLocal8Bit());
    qputenv("CUPS_SERVERROOT", root.toLocal8Bit());
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    forgetCachedServer();
    return Start::Ready;
}

bool PrivatePrintSystem::removeQueue() {
    return run(QStringLiteral("lpadmin"), {QStringLiteral("-x"), QueueName}, nullptr);
}

int PrivatePrintSystem::jobCount() const {
    QString output;
    if (!run(QStringLiteral("lpstat"),
             {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o")}, &output))
        return -1;
    return static_cast<int>(output.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size());
}

QStringList PrivatePrintSystem::jobFiles() const {
    QStringList files;
    for (const QFileInfo& entry : QDir(folder() + QStringLiteral("/out"))
                                      .entryInfoList({QStringLiteral("job-*.pdf")}, QDir::Files))
        files << entry.absoluteFilePath();
    std::sort(files.begin(), files.end(),
              [](const QString& a, const QString& b) { return jobNumber(a) < jobNumber(b); });
    return files;
}

QStringList PrivatePrintSystem::waitForJobs(int count, int timeoutMs) const {
    QElapsedTimer waited;
    waited.start();
    QStringList files = jobFiles();
    while (files.size() < count && waited.elapsed() < timeoutMs) {
        QThread::msleep(50);
        files = jobFiles();
    }
    return files;
}

void PrivatePrintSystem::stop() {
    if (scheduler_ && scheduler_->state() != QProcess::NotRunning) {
        scheduler_->terminate(); // the scheduler's own pid only
        if (!scheduler_->waitForFinished(10000)) {
            scheduler_->kill();
            scheduler_->waitForFinished(5000);
        }
    }
    scheduler_.reset();
    dir_.reset(); // removes the folder with everything the scheduler wrote
}

void StartAsDefaultPrinter(PrivatePrintSystem& printSystem) {
    QString reason;
    switch (printSystem.start(&reason)) {
    case PrivatePrintSystem::Start::Ready:
        break;
    case PrivatePrintSystem::Start::Unavailable:
        GTEST_SKIP() << "No private print system here: " << reason.toStdString();
    case PrivatePrintSystem::Start::Failed:
        FAIL() << "The private print system did not start: " << reason.toStdString();
    }
}

NoPrintSystem::NoPrintSystem() {
    for (const char* name : {"CUPS_SERVER", "CUPS_SERVERROOT", "PRINTER", "LPDEST"}) {
        saved_.append({name, qEnvironmentVariableIsSet(name)
                                 ? std::optional<QByteArray>(qgetenv(name))
                                 : std::nullopt});
        qunsetenv(name);
    }
    qputenv("CUPS_SERVER", (dir_.path() + QStringLiteral("/nothing.sock")).toLocal8Bit());
    qputenv("CUPS_SERVERROOT", dir_.path().toLocal8Bit());
    forgetCachedServer();
}

NoPrintSystem::~NoPrintSystem() {
    for (const auto& [name, value] : saved_) {
        if (value)
            qputenv(name, *value);
        else
            qunsetenv(name);
    }
    forgetCachedServer();
}

QString PdfLayoutText(const QString& pdf) {
    return runTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

QStringList PdfFontNames(const QString& pdf) {
    QStringList names;
    const QStringList lines = runTool(QStringLiteral("pdffonts"), {pdf}).split(QLatin1Char('\n'));
    for (qsizetype i = 2; i < lines.size(); ++i) // after the heading and its underline
        if (!lines[i].trimmed().isEmpty())
            names << lines[i].section(QLatin1Char(' '), 0, 0, QString::SectionSkipEmpty);
    return names;
}

namespace {

// pdftohtml's XML at zoom 1: one <page> per sheet with <fontspec> entries and <text> runs.
template <typename OnPage, typename OnText>
void readPdfXml(const QString& pdf, OnPage onPage, OnText onText) {
    const QString xml =
        runTool(QStringLiteral("pdftohtml"),
                {QStringLiteral("-xml"), QStringLiteral("-i"), QStringLiteral("-zoom"),
                 QStringLiteral("1"), QStringLiteral("-stdout"), pdf});
    QXmlStreamReader reader(xml);
    reader.setNamespaceProcessing(false);
    QMap<QString, std::pair<double, QString>> fonts;
    int page = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto attributes = reader.attributes();
        const auto number = [&](const char* name) {
            return attributes.value(QLatin1String(name)).toDouble();
        };
        if (reader.name() == QLatin1String("page")) {
            page = static_cast<int>(number("number"));
            onPage(QSizeF(number("width"), number("height")));
        } else if (reader.name() == QLatin1String("fontspec")) {
            fonts[attributes.value(QLatin1String("id")).toString()] = {
                number("size"), attributes.value(QLatin1String("family")).toString()};
        } else if (reader.name() == QLatin1String("text")) {
            PdfTextRun run;
            run.page = page;
            run.top = number("top");
            run.left = number("left");
            run.width = number("width");
            run.height = number("height");
            const auto font = fonts.value(attributes.value(QLatin1String("font")).toString());
            run.fontSize = font.first;
            run.fontFamily = font.second;
            run.text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            onText(run);
        }
    }
}

} // namespace

QList<PdfTextRun> PdfTextRuns(const QString& pdf) {
    QList<PdfTextRun> runs;
    readPdfXml(
        pdf, [](QSizeF) {}, [&runs](const PdfTextRun& run) { runs << run; });
    return runs;
}

QList<PdfWord> PdfWords(const QString& pdf) {
    QList<PdfWord> words;
    QXmlStreamReader reader(
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")}));
    int page = 0;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        if (reader.name() == QLatin1String("page")) {
            ++page;
        } else if (reader.name() == QLatin1String("word")) {
            const auto attributes = reader.attributes();
            const auto number = [&](const char* name) {
                return attributes.value(QLatin1String(name)).toDouble();
            };
            PdfWord word;
            word.page = page;
            word.xMin = number("xMin");
            word.yMin = number("yMin");
            word.xMax = number("xMax");
            word.yMax = number("yMax");
            word.text = reader.readElementText();
            words << word;
        }
    }
    return words;
}

QList<QSizeF> PdfPageSizes(const QString& pdf) {
    QList<QSizeF> sizes;
    readPdfXml(
        pdf, [&sizes](QSizeF size) { sizes << size; }, [](const PdfTextRun&) {});
    return sizes;
}

QList<PdfImage> PdfImages(const QString& pdf) {
    // page num type width height color comp bpc enc interp object ID x-ppi y-ppi size ratio
    QList<PdfImage> images;
    const QStringList lines = runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf})
                                  .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (qsizetype i = 2; i < lines.size(); ++i) {
        const QStringList f = lines[i].split(QLatin1Char(' '), Qt::SkipEmptyParts);
        if (f.size() < 14 || f[2] != QLatin1String("image"))
            continue;
        PdfImage image;
        image.page = f[0].toInt();
        image.width = f[3].toInt();
        image.height = f[4].toInt();
        image.color = f[5];
        image.xPpi = f[12].toDouble();
        image.yPpi = f[13].toDouble();
        images << image;
    }
    return images;
}

} // namespace qmtest
