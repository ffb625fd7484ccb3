#include "gui/print/PrintJob.h"

#include "gui/common/Dialogs.h"
#include "gui/common/SaveDialog.h"

#include <QApplication>
#include <QLocale>
#include <QMutex>
#include <QPageSize>
#include <QPointer>
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

// The default printer found by the last lookup, while jobs on it succeed.
std::optional<DefaultPrinter>& rememberedPrinter() {
    static std::optional<DefaultPrinter> printer;
    return printer;
}

PrinterLookup& printerLookup() {
    static PrinterLookup lookup;
    return lookup;
}

DefaultPrinter lookUpDefaultPrinter(const PrintModule& module) {
    return printerLookup() ? printerLookup()() : module.defaultPrinter();
}

// The remembered default printer, else the print system's answer; a printer found is
// remembered, "none" is not (one may be added meanwhile).
DefaultPrinter defaultPrinter(const PrintModule& module) {
    std::optional<DefaultPrinter>& remembered = rememberedPrinter();
    if (remembered)
        return *remembered;
    DefaultPrinter found = lookUpDefaultPrinter(module);
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

bool PrintOnDefaultPrinter(const QString& documentName, PrintColor color, SheetPainter draw) {
    QString problem;
    const PrintModule* module = LoadPrintModule(&problem);
    if (!module) {
        ShowPlainMessage(problem);
        return false;
    }
    const DefaultPrinter target = defaultPrinter(*module);
    if (target.isNull())
        return SaveJobAsPdf(NoPrinterSaveTitle, documentName, color, draw);
    PrintQueue::instance().add([module, target, documentName, color, draw = std::move(draw)] {
        return module->print(target, documentName, color, draw);
    });
    return true;
}

void WaitForPrintJobs() {
    PrintQueue::instance().finish();
}

QByteArray PaintPdf(const QString& documentName, PrintColor color, const SheetPainter& draw,
                    QString& problem) {
    const PrintModule* module = LoadPrintModule(&problem);
    if (!module)
        return {};
    const DefaultPrinter paperOf = defaultPrinter(*module);
    const QPageSize pageSize =
        !paperOf.isNull() && paperOf.pageSize.isValid()
            ? paperOf.pageSize
            : QPageSize(QLocale().measurementSystem() == QLocale::ImperialUSSystem
                            ? QPageSize::Letter
                            : QPageSize::A4);
    return module->paintPdf(pageSize, documentName, color, draw, problem);
}

bool SaveJobAsPdf(const QString& title, const QString& documentName, PrintColor color,
                  const SheetPainter& draw) {
    // Without the print module no PDF can be made: said before the user picks a file.
    QString problem;
    if (!LoadPrintModule(&problem)) {
        ShowPlainMessage(problem);
        return false;
    }
    return SaveCopy(title, PdfFile, documentName, [&](QString& problem) {
        BusyPointer busy;
        return PaintPdf(documentName, color, draw, problem);
    });
}

} // namespace qm
