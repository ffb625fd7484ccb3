#pragma once

#include <QByteArray>
#include <QPageSize>
#include <QRectF>
#include <QString>
#include <functional>
#include <memory>

class QPaintDevice;
class QPainter;

namespace qm {

// The sheets of one print job as its drawing sees them (a printer or a PDF document).
class PrintSheets {
public:
    // What the text is measured and shaped for.
    virtual QPaintDevice* device() = 0;
    // Device pixels per inch.
    virtual int resolution() const = 0;
    // The whole paper in device pixels.
    virtual QRectF paperRect() const = 0;
    // Starts the next sheet; false when that fails.
    virtual bool newPage() = 0;

protected:
    ~PrintSheets() = default;
};

// Paints the sheets of one job on full pages (origin at the paper's corner), calls
// sheets.newPage() between sheets and returns false when that fails.
using SheetPainter = std::function<bool(PrintSheets& sheets, QPainter& painter)>;

enum class PrintColor { Grey, Color };

// The system's default printer: its name (empty when there is none) and its paper.
struct DefaultPrinter {
    QString name;
    QPageSize pageSize;
    // The print module's own record of the printer as it was found, which the jobs on it are
    // printed with (null for a printer known by its name only: then it is looked up by name).
    std::shared_ptr<const void> found;
    bool isNull() const { return name.isEmpty(); }
};

// The work with the print system. It lives in the print module (quillmark-print.so), which the
// program loads when it first prints, so that the start menu does not wait for the print
// libraries; the tests link it in.
struct PrintModule {
    // Asks the print system for its default printer.
    DefaultPrinter (*defaultPrinter)();
    // Paints the job on `printer` and hands it to the print system: an empty text when it was
    // handed over, otherwise what went wrong.
    QString (*print)(const DefaultPrinter& printer, const QString& documentName, PrintColor color,
                     const SheetPainter& draw);
    // The job painted exactly as on paper of `pageSize` into a PDF document in memory; the empty
    // array, with the reason in `problem`, when it could not be made.
    QByteArray (*paintPdf)(const QPageSize& pageSize, const QString& documentName, PrintColor color,
                           const SheetPainter& draw, QString& problem);
};

// The print module, linked in or loaded on first use (beside the program in the build tree, or in
// the installed library folder). Null when the module is missing or cannot be loaded; `problem`
// then says why, in a sentence for the user.
const PrintModule* LoadPrintModule(QString* problem = nullptr);

} // namespace qm
