#include "manager/RecordEntry.h"

#include "app/AppState.h"
#include "input/DisplayForm.h"
#include "text/Dates.h"
#include "text/HelpText.h"
#include "text/Page.h"

namespace qm {

namespace {

// The fund box names the active fund (a real fund entry).
bool fundMatches(const Portfolio& p, const QString& fundText) {
    return !fundText.isEmpty() && p.activeFund >= 1 && p.activeFund <= p.fundCount &&
           p.fundName(p.activeFund) == fundText;
}

QString boxText(int index, Currency value) {
    return index == 2 ? Display(forms::ManagerShares, value) : Display(forms::ManagerMoney, value);
}

} // namespace

EntryCaptions Captions(const Portfolio& p) {
    return {FundCountCaption(p.fundCount), RecordCountCaption(p.recordCount),
            DatabaseCaption(p.databaseName)};
}

EntryBoxes BoxesForType(std::optional<TransactionType> type) {
    EntryBoxes b;
    if (!type)
        return b;
    const bool tradesShares = type == TransactionType::Bought || type == TransactionType::Sold;
    const bool movesShares = MovesSharesOnly(type);
    const bool cash = type == TransactionType::CashDividend;
    const bool fee = type == TransactionType::FeeCash;
    b.dateEnabled = true;
    b.priceEnabled = b.sharesEnabled = tradesShares || movesShares;
    b.feesEnabled = tradesShares || fee;
    b.cashDividendEnabled = cash;
    b.priceVisible = b.priceEnabled;
    b.sharesVisible = b.sharesEnabled;
    b.feesVisible = b.feesEnabled;
    b.cashDividendVisible = b.cashDividendEnabled;
    b.enterFromDate = cash  ? EntryControl::CashDividend
                      : fee ? EntryControl::Fees
                            : EntryControl::Price;
    return b;
}

EntryControl EnterTarget(EntryControl from, std::optional<TransactionType> type) {
    switch (from) {
    case EntryControl::Date:
        return BoxesForType(type).enterFromDate;
    case EntryControl::Price:
        return EntryControl::Shares;
    case EntryControl::Shares:
        return MovesSharesOnly(type) ? EntryControl::AddRecord : EntryControl::Fees;
    case EntryControl::Fees:
        // Every type but Cash Dividend has its last box here or before.
        return type && type != TransactionType::CashDividend ? EntryControl::AddRecord
                                                             : EntryControl::CashDividend;
    case EntryControl::CashDividend:
    case EntryControl::AddRecord:
        break;
    }
    return EntryControl::AddRecord;
}

EntryTabSetup SetupEntryTab(Portfolio& p) {
    p.todayText = ShortDate(Today());
    p.newFundIndex = 0;
    p.targetRecord = 0;
    return {PickFundPrompt, FundNames(p), TransactionTypeNames(), Captions(p)};
}

QString ShowFundRecords(Portfolio& p) {
    p.fundTotals.clear();
    p.resultsPage.clear();
    p.helpPage.clear();
    const QString rule(96, QLatin1Char('_'));
    QString page = Line({"Trans-         Trade       Share      Number      Comm/   Div/Unit       "
                         "Cash        Book    Rec"}) +
                   Line({"action          Date       Price      Shares       Fees      Value      "
                         "Div'd       Value    No."}) +
                   Line({rule});
    FundTotalsTable& t = p.fundTotals;
    Currency divUnitTotal;
    int k = 0;
    try {
        for (int r = 1; r <= p.recordCount; ++r) {
            const Record& rec = p.record(r);
            if (rec.fund() != p.newFundIndex)
                continue;
            ++k;
            p.currentRecord = r;
            TransLabelOf(p);
            const Currency divUnitValue =
                MovesSharesOnly(rec.type()) ? rec.price * rec.shares : Currency();
            divUnitTotal += divUnitValue;
            t.at(31, 4) += rec.fees;
            t.at(31, 5) += rec.cashDividend;
            t.at(31, 0) += rec.shares;
            t.at(31, 1) += rec.bookValue;
            page +=
                Line({Field(p.transLabel, 10), Field(ShortDate(rec.tradeDate), 10),
                      Field(rec.price, u"###,###.0000", 12), Field(rec.shares, u"###,###.0000", 12),
                      Field(rec.fees, u"##,###.00", 11), Field(divUnitValue, u"##,###.00", 11),
                      Field(rec.cashDividend, u"##,###.00", 11),
                      Field(rec.bookValue, u"####,,###.00", 13), Field(k, u"####", 6)});
        }
        page += Line({rule});
        page +=
            Row({"Total:                         ", Field(t.at(31, 0), u"####,,###.0000", 13),
                 Field(t.at(31, 4), u"###,,###.00", 11), Field(divUnitTotal, u"###,,###.00", 11),
                 Field(t.at(31, 5), u"###,,###.00", 11), Field(t.at(31, 1), u"####,,###.00", 13)});
    } catch (const CalcError&) {
        // Totals beyond the Currency range: the list keeps the lines built so far.
    }
    p.resultsPage = page;
    return page;
}

QString PickFund(Portfolio& p, const QString& fundText) {
    for (int k = 1; k <= p.fundCount; ++k) {
        if (p.fundName(k) == fundText) {
            p.activeFund = k;
            p.newFundIndex = k;
        }
    }
    p.targetRecord = 0;
    return ShowFundRecords(p);
}

AddFundOutcome AddFundClick(Portfolio& p, const QString& lineInputText) {
    AddFundOutcome out;
    app().correctMode = 0;
    if (AddFund(p, lineInputText, out.messages) == AddFundResult::Added) {
        out.added = true;
        out.fundText = p.fundName(p.fundCount);
        out.page = ShowFundRecords(p);
    }
    out.captions = Captions(p);
    return out;
}

ChooseTypeOutcome ChooseType(Portfolio& p, const QString& fullName) {
    ChooseTypeOutcome out;
    if (p.newFundIndex == 0) {
        out.messages.push_back(16);
        return out;
    }
    p.targetRecord = 0;
    p.inputValues = {};
    p.transCode = TypeCodeOf(fullName);
    out.accepted = true;
    out.boxes = BoxesForType(p.transType());
    return out;
}

std::optional<QString> CheckDateBox(const QString& text) {
    if (ParseDate(text))
        return std::nullopt;
    return ShortDate(Today());
}

QString LeaveEntryBox(Portfolio& p, int index, const QString& text) {
    if (index < 1 || index > 4)
        return text;
    Currency& value = p.inputValues[static_cast<std::size_t>(index)];
    if (const std::optional<Currency> typed = ParseBoxAmount(text))
        value = *typed;
    return boxText(index, value);
}

AddRecordOutcome AddRecordClick(Portfolio& p, const EntryRow& row) {
    AddRecordOutcome out;
    int& correctMode = app().correctMode;
    if (fundMatches(p, row.fundText)) {
        const StoreResult store = StoreRecord(p, row);
        out.messages = store.messages;
        out.stored = store.stored;
        if (store.stored) {
            out.page = ShowFundRecords(p);
            out.showPage = true;
        }
        // A new entry refused by its checks keeps what was typed; anything else ends the entry
        // (a refused correction too).
        if (!store.refusedByValidation || correctMode == 1) {
            out.clearRow = true;
            correctMode = 0;
        }
        p.targetRecord = 0;
    } else {
        out.messages.push_back(correctMode == 1 ? 17 : 16);
        correctMode = 0;
    }
    out.captions = Captions(p);
    return out;
}

BeginOutcome BeginCorrect(Portfolio& p, const QString& fundText) {
    BeginOutcome out;
    int& correctMode = app().correctMode;
    if (!fundMatches(p, fundText)) {
        out.messages.push_back(correctMode == 1 ? 17 : 16);
        correctMode = 0;
        return out;
    }
    correctMode = 1;
    out.openDialog = true;
    return out;
}

namespace {

// The record the number typed in the record-number dialog names among the active fund's
// records, made the target (0 when the dialog was cancelled or left empty). A number that is not
// one of the fund's records, or not a whole number at all, is message 17 and leaves no target.
int TargetFromDialog(Portfolio& p, const QString& dialogText, std::vector<int>& messages) {
    if (dialogText.isEmpty())
        return 0;
    const std::optional<int> n = ParseRecordNumber(dialogText);
    const int target = n ? FundRecordToRecord(p, *n) : 0;
    if (target == 0) {
        messages.push_back(17);
        p.targetRecordText.clear();
        p.targetRecord = 0;
        return 0;
    }
    p.targetRecordText = QString::number(*n);
    p.targetRecord = target;
    return target;
}

} // namespace

FetchOutcome FetchForCorrection(Portfolio& p, const QString& dialogText) {
    FetchOutcome out;
    const int target = TargetFromDialog(p, dialogText, out.messages);
    if (target == 0)
        return out;
    p.currentRecord = target;
    TransLabelOf(p);
    const Record& rec = p.record(target);
    out.fetched = true;
    out.typeText = TypeNameOf(p.transCode);
    out.boxes = BoxesForType(p.transType());
    out.dateText = ShortDate(rec.tradeDate);
    const std::array<Currency, 5> values{Currency(), rec.price,
                                         rec.shares < Currency() ? -rec.shares : rec.shares,
                                         rec.fees, rec.cashDividend};
    for (int i = 1; i <= 4; ++i) {
        const Currency value = values[static_cast<std::size_t>(i)];
        p.inputValues[static_cast<std::size_t>(i)] = value;
        out.boxTexts[static_cast<std::size_t>(i)] = value.isZero() ? QString() : boxText(i, value);
    }
    return out;
}

BeginOutcome BeginDelete(Portfolio& p, const QString& fundText) {
    BeginOutcome out;
    if (!fundMatches(p, fundText)) {
        out.messages.push_back(16);
        return out;
    }
    if (FundRecordCount(p, p.activeFund) > 0) {
        app().correctMode = 0;
        out.openDialog = true;
    } else {
        out.question = 5;
    }
    return out;
}

DeleteChoice ChooseRecordToDelete(Portfolio& p, const QString& dialogText) {
    DeleteChoice out;
    if (TargetFromDialog(p, dialogText, out.messages) == 0)
        return out;
    out.question = 4;
    out.recordText = p.targetRecordText;
    return out;
}

DeleteOutcome ConfirmDelete(Portfolio& p, bool yes) {
    DeleteOutcome out;
    if (!yes) {
        p.targetRecordText.clear();
        p.targetRecord = 0;
    } else if (FundRecordCount(p, p.activeFund) < 1) {
        if (DeleteFund(p)) {
            out.fundDeleted = true;
            out.funds = FundNames(p);
        }
    } else if (DeleteRecord(p, p.targetRecord)) {
        out.recordDeleted = true;
        out.page = ShowFundRecords(p);
    }
    out.captions = Captions(p);
    return out;
}

QString EntryHelpPage(const QString& todayText) {
    return HelpText(u"RecordEntry", app().currencySymbol, todayText);
}

QString ShowEntryHelp(Portfolio& p) {
    p.helpPage = EntryHelpPage(p.todayText.isEmpty() ? ShortDate(Today()) : p.todayText);
    return p.helpPage;
}

QString CloseEntryHelp(Portfolio& p) {
    p.helpPage.clear();
    return p.resultsPage;
}

} // namespace qm
