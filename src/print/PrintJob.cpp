#include "print/PrintJob.h"

#include "app/Dialogs.h"
#include "ui/SaveDialog.h"

#include <QApplication>
#include <QFile>
#include <QLocale>
#include <QMutex>
#include <QPageSize>
#include <QPainter>
#include <QPointer>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QThreadPool>
#include <optional>
#include <utility>

namespace qm {

namespace {

// The busy pointer for as long as the job is being painted and handed over.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { restore(); }
    void restore() {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = true;
};

// Paints the job; an empty text means it was handed over, otherwise it says what went wrong.
QString runJob(const QPrinterInfo& target, const QString& documentName,
               QPrinter::ColorMode colorMode, const SheetPainter& draw) {
    QPrinter printer(target, QPrinter::HighResolution);
    if (!printer.isValid())
        return QStringLiteral("the printer %1 cannot be used.").arg(target.printerName());
    printer.setDocName(documentName);
    printer.setFullPage(true);
    printer.setColorMode(colorMode);
    QPainter painter;
    if (!painter.begin(&printer))
        return QStringLiteral("the print job could not be started on %1.")
            .arg(target.printerName());
    const bool drawn = draw(printer, painter);
    if (!drawn)
        printer.abort();
    painter.end();
    if (!drawn)
        return QStringLiteral("a new page could not be started on %1.").arg(target.printerName());
    if (printer.printerState() == QPrinter::Error || printer.printerState() == QPrinter::Aborted)
        return QStringLiteral("the print system reported an error for %1.")
            .arg(target.printerName());
    return QString();
}

// The default printer found by the last lookup, while jobs on it succeed.
std::optional<QPrinterInfo>& rememberedPrinter() {
    static std::optional<QPrinterInfo> printer;
    return printer;
}

PrinterLookup& printerLookup() {
    static PrinterLookup lookup;
    return lookup;
}

QPrinterInfo lookUpDefaultPrinter() {
    return printerLookup() ? printerLookup()() : QPrinterInfo::defaultPrinter();
}

// The remembered default printer, else the print system's answer; a printer found is
// remembered, "none" is not (one may be added meanwhile).
QPrinterInfo defaultPrinter() {
    std::optional<QPrinterInfo>& remembered = rememberedPrinter();
    if (remembered)
        return *remembered;
    QPrinterInfo found = lookUpDefaultPrinter();
    if (!found.isNull())
        remembered = found;
    return found;
}

// The print jobs handed over by the UI thread, painted and sent to the print system one at a
// time, in order, by one worker thread. What a finished job reports is taken back to the UI
// thread: the busy pointer goes with the last job and a failure is shown there.
class PrintQueue {
public:
    static PrintQueue& instance() {
        static PrintQueue queue;
        return queue;
    }

    // On the UI thread: `job` paints and hands over one job; an empty text means it went well,
    // otherwise it says what went wrong.
    void add(std::function<QString()> job) {
        if (!pool_) {
            // Owned by the application, so that it ends while the print system can still be
            // reached; jobs in flight are finished before the program quits.
            pool_ = new QThreadPool(QCoreApplication::instance());
            pool_->setMaxThreadCount(1);
            pool_->setExpiryTimeout(-1);
            QObject::connect(qApp, &QCoreApplication::aboutToQuit, pool_,
                             [] { PrintQueue::instance().finish(); });
        }
        // The pointer says the program is busy but can still be used.
        if (inFlight_++ == 0)
            QApplication::setOverrideCursor(Qt::BusyCursor);
        QPointer<QThreadPool> pool = pool_;
        pool_->start([this, pool, job = std::move(job)] {
            const QString reason = job();
            {
                const QMutexLocker lock(&mutex_);
                ++finished_;
                if (!reason.isEmpty())
                    failures_ << reason;
            }
            QMetaObject::invokeMethod(
                pool, [this] { deliver(); }, Qt::QueuedConnection);
        });
    }

    // On the UI thread: waits for every job handed over, then delivers what they reported.
    void finish() {
        if (pool_)
            pool_->waitForDone();
        deliver();
    }

private:
    // On the UI thread: what the jobs finished since the last time reported.
    void deliver() {
        int finished = 0;
        QStringList failures;
        {
            const QMutexLocker lock(&mutex_);
            std::swap(finished, finished_);
            failures.swap(failures_);
        }
        if (finished > 0) {
            inFlight_ -= finished;
            if (inFlight_ == 0)
                QApplication::restoreOverrideCursor();
        }
        if (failures.isEmpty())
            return;
        // The printer may have gone or another become the default: asked anew next time.
        ForgetDefaultPrinter();
        for (const QString& reason : failures)
            ShowPlainMessage(PrintFailedPrefix + reason);
    }

    QPointer<QThreadPool> pool_;
    int inFlight_ = 0; // the UI thread's count of jobs not yet delivered
    QMutex mutex_;     // guards what follows
    int finished_ = 0;
    QStringList failures_;
};

} // namespace

void ForgetDefaultPrinter() {
    rememberedPrinter().reset();
}

void SetPrinterLookup(PrinterLookup lookup) {
    printerLookup() = std::move(lookup);
    ForgetDefaultPrinter();
}

bool PrintOnDefaultPrinter(const QString& documentName, QPrinter::ColorMode colorMode,
                           SheetPainter draw) {
    const QPrinterInfo target = defaultPrinter();
    if (target.isNull())
        return SaveJobAsPdf(NoPrinterSaveTitle, documentName, colorMode, draw);
    PrintQueue::instance().add([target, documentName, colorMode, draw = std::move(draw)] {
        return runJob(target, documentName, colorMode, draw);
    });
    return true;
}

void WaitForPrintJobs() {
    PrintQueue::instance().finish();
}

QByteArray PaintPdf(const QString& documentName, QPrinter::ColorMode colorMode,
                    const SheetPainter& draw, QString& problem) {
    // The printer writes its PDF to a file of its own; it is read back and the caller writes it
    // where the user asked in one piece.
    const QTemporaryDir scratch;
    if (!scratch.isValid()) {
        problem = scratch.errorString();
        return {};
    }
    const QString path = scratch.filePath(QStringLiteral("job.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        const QPrinterInfo paperOf = defaultPrinter();
        if (!paperOf.isNull() && paperOf.defaultPageSize().isValid())
            printer.setPageSize(paperOf.defaultPageSize());
        else
            printer.setPageSize(QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                                              ? QPageSize::Letter
                                              : QPageSize::A4));
        printer.setDocName(documentName);
        printer.setCreator(QStringLiteral("Quillmark"));
        printer.setFullPage(true);
        printer.setColorMode(colorMode);
        QPainter painter;
        if (!painter.begin(&printer)) {
            problem = QStringLiteral("the PDF document could not be started.");
            return {};
        }
        const bool drawn = draw(printer, painter);
        painter.end();
        if (!drawn) {
            problem = QStringLiteral("a new page could not be started.");
            return {};
        }
    }
    QFile written(path);
    if (!written.open(QIODevice::ReadOnly)) {
        problem = written.errorString();
        return {};
    }
    return written.readAll();
}

bool SaveJobAsPdf(const QString& title, const QString& documentName, QPrinter::ColorMode colorMode,
                  const SheetPainter& draw) {
    return SaveCopy(title, PdfFile, documentName, [&](QString& problem) {
        BusyPointer busy;
        return PaintPdf(documentName, colorMode, draw, problem);
    });
}

} // namespace qm
