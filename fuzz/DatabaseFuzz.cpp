// Arbitrary bytes opened as a database file through the "Open file" path. A file that loads
// must save and re-load to the same model (and the same bytes), and every report over it must
// run to a page or a message.

#include "FuzzCheck.h"

#include "core/portfolio/DatabaseFile.h"
#include "core/portfolio/Portfolio.h"
#include "core/text/Dates.h"
#include "core/text/TextEncoding.h"
#include "screens/CurrentValue.h"
#include "screens/FundDisplay.h"
#include "screens/ManagerScreen.h"
#include "screens/RecordEntry.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <string>

using qmfuzz::check;

namespace {

// Scratch files live in memory where the system offers a memory file system.
QTemporaryDir& scratch() {
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/qm-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/qm-fuzz-XXXXXX"));
    return dir;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(bytes) == bytes.size();
}

void checkSameModel(const qm::Portfolio& a, const qm::Portfolio& b, const char* when) {
    const auto at = [when](const char* what, int n = 0) {
        return [=] { return what + (n > 0 ? " " + std::to_string(n) : "") + " after " + when; };
    };
    check(a.fundCount == b.fundCount, at("fund count"));
    check(a.recordCount == b.recordCount, at("record count"));
    for (int k = 1; k <= a.fundCount; ++k)
        check(a.fundName(k) == b.fundName(k), at("name of fund", k));
    for (int r = 1; r <= a.recordCount; ++r) {
        const qm::Record& x = a.record(r);
        const qm::Record& y = b.record(r);
        check(x.fundIndex == y.fundIndex && x.price == y.price && x.shares == y.shares &&
                  x.fees == y.fees && x.cashDividend == y.cashDividend &&
                  x.bookValue == y.bookValue,
              at("amounts of record", r));
        check(x.typeCode == y.typeCode && x.tradeDate == y.tradeDate,
              at("type or date of record", r));
        check(y.recordNumber == r, at("number of record", r));
    }
}

// The three reports as the window runs them, with prices taken from the input.
void runReports(const qm::Portfolio& portfolio, std::uint8_t priceSeed) {
    qm::ManagerScreen p;
    p.portfolio = portfolio;
    const qm::DisplayAllOutcome all = qm::DisplayAllFunds(p);
    check(all.page.startsWith(QStringLiteral("Trans-")), "all-funds report has its heading");
    check(p.activeFund == qm::AllFundsEntry, "all-funds report keeps the pseudo-fund");
    for (int position = 0; position < p.portfolio.fundCount; ++position) {
        qm::DisplayFund(p, position);
        qm::PickFund(p, p.portfolio.fundName(position + 1));
        check(p.resultsPage.startsWith(QStringLiteral("Trans-")), "record list has its heading");
    }

    qm::OpenCurrentValueTab(p.portfolio);
    for (int k = 0; k < p.portfolio.fundCount; ++k) {
        const int cents = (priceSeed * 7919 + k * 104729) % 100000;
        qm::LeavePriceBox(p, k, QString::number(cents / 100.0, 'f', 2));
    }
    const qm::CurrentValueOutcome value = qm::CalculateCurrentValue(p);
    check(value.messages.empty() != value.page.isEmpty(),
          "current value gives either a report or a message");
    if (!value.page.isEmpty())
        check(p.chartPoints == p.portfolio.fundCount, "current value charts every fund");
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    QLocale::setDefault(QLocale::c());
    qm::SetTodaySource([] { return QDate(2024, 3, 9); });
    check(scratch().isValid(), "scratch folder");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input = scratch().filePath(QStringLiteral("INPUT.QMD"));
    const QString saved = scratch().filePath(QStringLiteral("SAVED.QMD"));
    QFile::remove(saved);
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    check(writeAll(input, bytes), "input file written");

    qm::Portfolio p;
    qm::InitPortfolio(p);
    p.unsavedChanges = 1;
    const std::vector<qm::Message> opened = qm::OpenDatabase(p, input);
    check(opened.empty() || opened == std::vector<qm::Message>{qm::Message::FileNotFound},
          "open gives no message or 13");
    check(p.unsavedChanges == 1, "open keeps the unsaved state");
    if (!opened.empty()) {
        check(p.fundCount == 0 && p.recordCount == 0 && p.databaseName.isEmpty(),
              "a failed open leaves an empty model");
        return 0;
    }
    check(p.fundCount <= qm::MaxFunds && p.recordCount <= qm::MaxRecords, "within the limits");
    check(p.databaseName == QStringLiteral("INPUT.QMD"), "named after the file");
    // Bytes that are not UTF-8 are read as Windows-1252, every character kept: each fund name
    // is, in the encoding the file was read in, exactly the text between its quotes.
    const bool utf8 = qm::DecodeUtf8(bytes).has_value();
    check(p.fileEncoding == (utf8 ? qm::TextEncoding::Utf8 : qm::TextEncoding::Windows1252),
          "read as UTF-8 exactly when it is UTF-8");
    for (int k = 1; k <= p.fundCount; ++k) {
        const std::optional<QByteArray> name =
            utf8 ? std::optional(p.fundName(k).toUtf8()) : qm::EncodeWindows1252(p.fundName(k));
        check(name && bytes.contains('"' + *name + '"'),
              [k] { return "fund name " + std::to_string(k) + " is not the file's bytes"; });
    }

    // Save and re-open: the same model, and the same bytes when saved again.
    const qm::Portfolio loaded = p;
    const qm::SaveOutcome save = qm::SaveDatabase(p, saved);
    if (p.recordCount == 0) {
        check(save.messages == std::vector<qm::Message>{qm::Message::NoRecords} &&
                  save.failure.isEmpty() && !QFile::exists(saved),
              "no records: nothing saved");
        const auto again = qm::ReadDatabase(qm::WriteDatabase(p));
        check(again.has_value(), "an empty portfolio's text reads back");
        qm::Portfolio reread;
        qm::LoadContents(reread, *again, input);
        checkSameModel(loaded, reread, "writing an empty portfolio");
    } else {
        check(save.saved && save.nothingToShow(), "a loaded file saves");
        check(p.unsavedChanges == 0 && p.databaseName == QStringLiteral("SAVED.QMD"),
              "a save clears the unsaved state");
        qm::Portfolio reopened;
        qm::InitPortfolio(reopened);
        check(qm::OpenDatabase(reopened, saved).empty(), "a saved file opens");
        checkSameModel(loaded, reopened, "save and open");
        // An 8-bit file is saved 8-bit unless its names would then read as UTF-8.
        const QByteArray written = readAll(saved);
        check(p.fileEncoding == loaded.fileEncoding ||
                  (loaded.fileEncoding == qm::TextEncoding::Windows1252 &&
                   qm::DecodeUtf8(written).has_value()),
              "saved in the encoding it was read in");
        check(qm::WriteDatabase(reopened) == readAll(saved), "saving again gives the same bytes");
    }

    // Every tab change puts the funds in name order; the reports run over that.
    qm::SortFundsByName(p);
    for (int r = 1; r <= p.recordCount; ++r) {
        const int f = p.record(r).fund();
        check(f >= 1 && f <= p.fundCount &&
                  p.fundName(f) == loaded.fundName(loaded.record(r).fund()),
              "a record keeps its fund's name after the name sort");
    }
    for (int k = 2; k <= p.fundCount; ++k)
        check(p.fundName(k - 1) <= p.fundName(k), "funds in name order");
    runReports(p, size > 0 ? data[size - 1] : 0);
    return 0;
}
