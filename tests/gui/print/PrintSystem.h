#pragma once

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace qm {
void ForgetDefaultPrinter(); // print/PrintJob.h
} // namespace qm

namespace qmtest {

// A print system of the test's own: a private print scheduler in a temporary folder with one
// queue, "qmtest", whose device writes every job as a PDF file into that folder. Starting it makes
// the queue the default printer of this process (CUPS_SERVER names the private socket); the
// machine's own scheduler, its settings and its printers are never touched. The destructor stops
// the scheduler and removes the folder.
class PrivatePrintSystem {
public:
    enum class Start {
        Ready,       // the queue is the default printer
        Unavailable, // the tools are missing or a scheduler cannot run here without root rights
        Failed,      // it should have started but did not
    };

    PrivatePrintSystem() = default;
    PrivatePrintSystem(const PrivatePrintSystem&) = delete;
    PrivatePrintSystem& operator=(const PrivatePrintSystem&) = delete;
    ~PrivatePrintSystem();

    // Starts the scheduler and the queue; otherwise leaves the reason in `reason`.
    Start start(QString* reason);
    // Deletes the queue: the process then has no printer at all.
    bool removeQueue();
    // Jobs the scheduler has accepted so far, finished or not.
    int jobCount() const;
    // Waits until `count` jobs have been written out; returns the PDF files, oldest job first
    // (fewer when the time ran out).
    QStringList waitForJobs(int count, int timeoutMs = 20000) const;
    // The PDF files written so far, oldest job first.
    QStringList jobFiles() const;
    QString folder() const;
    QString socketPath() const;

private:
    bool run(const QString& program, const QStringList& arguments, QString* output) const;
    QString logTail() const;
    void stop();

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QProcess> scheduler_;
};

// Starts `printSystem` as the default printer of the running test; skips the test when none can
// run on this machine and fails it when one should have started but did not (the caller checks
// IsSkipped() and HasFatalFailure() afterwards). The fixtures below also have the program forget
// the default printer an earlier test had it remember.
void StartAsDefaultPrinter(PrivatePrintSystem& printSystem);

// Each test gets a fresh private print system as its default printer (StartAsDefaultPrinter).
class RealPrinterTest : public ::testing::Test {
protected:
    void SetUp() override {
        qm::ForgetDefaultPrinter();
        StartAsDefaultPrinter(printSystem);
    }
    PrivatePrintSystem printSystem;
};

// A window fixture `Base` whose tests print on a fresh private print system: it is started
// before `Base` opens its windows, and the test is skipped or failed as RealPrinterTest's.
template <typename Base> class WithRealPrinter : public Base {
protected:
    void SetUp() override {
        qm::ForgetDefaultPrinter();
        StartAsDefaultPrinter(printSystem);
        if (!::testing::Test::IsSkipped() && !::testing::Test::HasFatalFailure())
            Base::SetUp();
    }
    PrivatePrintSystem printSystem;
};

// No print system at all for as long as it lives: the print library is sent to a socket in an
// empty temporary folder, where no scheduler listens, so there is no printer, default or other.
// The environment it found is put back when it goes.
class NoPrintSystem {
public:
    NoPrintSystem();
    NoPrintSystem(const NoPrintSystem&) = delete;
    NoPrintSystem& operator=(const NoPrintSystem&) = delete;
    ~NoPrintSystem();

private:
    QTemporaryDir dir_;
    QList<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

// A window fixture `Base` whose tests run without any print system (NoPrintSystem).
template <typename Base> class WithoutPrintSystem : public Base {
protected:
    WithoutPrintSystem() { qm::ForgetDefaultPrinter(); }
    NoPrintSystem noPrintSystem;
};

// Reading the printed PDF files with poppler-utils. Positions and sizes are in points, from the
// page's top-left corner.
struct PdfTextRun {
    int page = 0;
    double top = 0, left = 0, width = 0, height = 0;
    double fontSize = 0;
    QString fontFamily;
    QString text;
};
struct PdfWord {
    int page = 0;
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;
    QString text;
};
struct PdfImage {
    int page = 0;
    int width = 0, height = 0; // pixels
    QString color;             // "rgb", "gray", ...
    double xPpi = 0, yPpi = 0; // pixels per inch as placed on the page
};

// The text laid out as on paper (pdftotext -layout); sheets are separated by '\f'.
QString PdfLayoutText(const QString& pdf);
// The embedded font names (pdffonts).
QStringList PdfFontNames(const QString& pdf);
// Every run of text with its font and its place rounded to whole points (pdftohtml -xml).
QList<PdfTextRun> PdfTextRuns(const QString& pdf);
// Every word with its exact box (pdftotext -bbox), page by page in reading order.
QList<PdfWord> PdfWords(const QString& pdf);
// Page sizes in points (width, height), one per page.
QList<QSizeF> PdfPageSizes(const QString& pdf);
// The images on the pages (pdfimages -list).
QList<PdfImage> PdfImages(const QString& pdf);

} // namespace qmtest
