#include "screens/RecordEntry.h"

#include "core/input/DisplayForm.h"
#include "core/text/Dates.h"
#include "core/text/HelpText.h"
#include "core/text/Page.h"

namespace qm {

namespace {

// The fund box names the active fund (a real fund entry).
bool fundMatches(const ManagerScreen& s, const QString& fundText) {
    const Portfolio& p = s.portfolio;
    return !fundText.isEmpty() && s.activeFund >= 1 && s.activeFund <= p.fundCount &&
           p.fundName(s.activeFund) == fundText;
}

QString boxText(const ManagerScreen& s, int index, Currency value) {
    return index == 2 ? Display(forms::ManagerShares, value, s.currencySymbol)
                      : ManagerMoneyText(s, value);
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

EntryTabSetup SetupEntryTab(ManagerScreen& s) {
    Portfolio& p = s.portfolio;
    s.todayText = ShortDate(Today());
    s.newFundIndex = 0;
    s.targetRecord = 0;
    return {PickFundPrompt, FundNames(p), TransactionTypeNames(), Captions(p)};
}

QString ShowFundRecords(ManagerScreen& s) {
    Portfolio& p = s.portfolio;
    p.fundTotals.clear();
    s.resultsPage.clear();
    s.helpPage.clear();
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
            if (rec.fund() != s.newFundIndex)
                continue;
            ++k;
            s.currentRecord = r;
            TransLabelOf(s);
            const Currency divUnitValue =
                MovesSharesOnly(rec.type()) ? rec.price * rec.shares : Currency();
            divUnitTotal += divUnitValue;
            t.at(31, 4) += rec.fees;
            t.at(31, 5) += rec.cashDividend;
            t.at(31, 0) += rec.shares;
            t.at(31, 1) += rec.bookValue;
            page +=
                Line({Field(s.transLabel, 10), Field(ShortDate(rec.tradeDate), 10),
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
    s.resultsPage = page;
    return page;
}

QString PickFund(ManagerScreen& s, const QString& fundText) {
    Portfolio& p = s.portfolio;
    for (int k = 1; k <= p.fundCount; ++k) {
        if (p.fundName(k) == fundText) {
            s.activeFund = k;
            s.newFundIndex = k;
        }
    }
    s.targetRecord = 0;
    return ShowFundRecords(s);
}

AddFundOutcome AddFundClick(ManagerScreen& s, const QString& lineInputText) {
    Portfolio& p = s.portfolio;
    AddFundOutcome out;
    s.correctMode = CorrectMode::Delete;
    if (AddFund(p, lineInputText, out.messages) == AddFundResult::Added) {
        // The new fund is the one the entry row works on.
        s.activeFund = p.fundCount;
        s.newFundIndex = p.fundCount;
        s.targetRecord = 0;
        out.added = true;
        out.fundText = p.fundName(p.fundCount);
        out.page = ShowFundRecords(s);
    }
    out.captions = Captions(p);
    return out;
}

ChooseTypeOutcome ChooseType(ManagerScreen& s, const QString& fullName) {
    ChooseTypeOutcome out;
    if (s.newFundIndex == 0) {
        out.messages.push_back(Message::FundNotSelected);
        return out;
    }
    s.targetRecord = 0;
    s.inputValues = {};
    s.transCode = TypeCodeOf(fullName);
    out.accepted = true;
    out.boxes = BoxesForType(s.transType());
    return out;
}

std::optional<QString> CheckDateBox(const QString& text) {
    if (ParseDate(text))
        return std::nullopt;
    return ShortDate(Today());
}

QString LeaveEntryBox(ManagerScreen& s, int index, const QString& text) {
    if (index < 1 || index > 4)
        return text;
    Currency& value = s.inputValues[static_cast<std::size_t>(index)];
    if (const std::optional<Currency> typed = ParseBoxAmount(text))
        value = *typed;
    return boxText(s, index, value);
}

AddRecordOutcome AddRecordClick(ManagerScreen& s, const EntryRow& row) {
    Portfolio& p = s.portfolio;
    AddRecordOutcome out;
    const bool correcting = s.correcting();
    if (fundMatches(s, row.fundText)) {
        const StoreResult store = StoreRecord(p, row,
                                              {s.activeFund, s.transCode, s.inputValues,
                                               correcting ? s.targetRecord : 0, correcting});
        out.messages = store.messages;
        out.stored = store.stored;
        if (store.stored) {
            out.page = ShowFundRecords(s);
            out.showPage = true;
        }
        // A new entry refused by its checks keeps what was typed; anything else ends the entry
        // (a refused correction too).
        if (!store.refusedByValidation || correcting)
            out.clearRow = true;
        s.targetRecord = 0;
    } else {
        out.messages.push_back(correcting ? Message::BadRecordNumber : Message::FundNotSelected);
    }
    // Stored or refused, the correction is over.
    s.correctMode = CorrectMode::Delete;
    out.captions = Captions(p);
    return out;
}

BeginOutcome BeginCorrect(ManagerScreen& s, const QString& fundText) {
    BeginOutcome out;
    if (!fundMatches(s, fundText)) {
        out.messages.push_back(s.correcting() ? Message::BadRecordNumber
                                              : Message::FundNotSelected);
        s.correctMode = CorrectMode::Delete;
        return out;
    }
    s.correctMode = CorrectMode::Correct;
    out.openDialog = true;
    return out;
}

namespace {

// The record the number typed in the record-number dialog names among the active fund's
// records, made the target (0 when the dialog was cancelled or left empty). A number that is not
// one of the fund's records, or not a whole number at all, is message 17 and leaves no target.
int TargetFromDialog(ManagerScreen& s, const QString& dialogText, std::vector<Message>& messages) {
    Portfolio& p = s.portfolio;
    if (dialogText.isEmpty())
        return 0;
    const std::optional<int> n = ParseRecordNumber(dialogText);
    const int target = n ? FundRecordToRecord(p, s.activeFund, *n) : 0;
    if (target == 0) {
        messages.push_back(Message::BadRecordNumber);
        s.targetRecordText.clear();
        s.targetRecord = 0;
        return 0;
    }
    s.targetRecordText = QString::number(*n);
    s.targetRecord = target;
    return target;
}

} // namespace

FetchOutcome FetchForCorrection(ManagerScreen& s, const QString& dialogText) {
    Portfolio& p = s.portfolio;
    FetchOutcome out;
    const int target = TargetFromDialog(s, dialogText, out.messages);
    if (target == 0)
        return out;
    s.currentRecord = target;
    TransLabelOf(s);
    const Record& rec = p.record(target);
    out.fetched = true;
    out.typeText = TypeNameOf(s.transCode);
    out.boxes = BoxesForType(s.transType());
    out.dateText = ShortDate(rec.tradeDate);
    const std::array<Currency, 5> values{Currency(), rec.price,
                                         rec.shares < Currency() ? -rec.shares : rec.shares,
                                         rec.fees, rec.cashDividend};
    for (int i = 1; i <= 4; ++i) {
        const Currency value = values[static_cast<std::size_t>(i)];
        s.inputValues[static_cast<std::size_t>(i)] = value;
        out.boxTexts[static_cast<std::size_t>(i)] =
            value.isZero() ? QString() : boxText(s, i, value);
    }
    return out;
}

BeginOutcome BeginDelete(ManagerScreen& s, const QString& fundText) {
    Portfolio& p = s.portfolio;
    BeginOutcome out;
    if (!fundMatches(s, fundText)) {
        out.messages.push_back(Message::FundNotSelected);
        return out;
    }
    if (FundRecordCount(p, s.activeFund) > 0) {
        s.correctMode = CorrectMode::Delete;
        out.openDialog = true;
    } else {
        out.question = Question::DeleteFund;
    }
    return out;
}

DeleteChoice ChooseRecordToDelete(ManagerScreen& s, const QString& dialogText) {
    DeleteChoice out;
    if (TargetFromDialog(s, dialogText, out.messages) == 0)
        return out;
    out.question = Question::DeleteRecord;
    out.recordText = s.targetRecordText;
    return out;
}

DeleteOutcome ConfirmDelete(ManagerScreen& s, bool yes) {
    Portfolio& p = s.portfolio;
    DeleteOutcome out;
    if (!yes) {
        s.targetRecordText.clear();
        s.targetRecord = 0;
    } else if (FundRecordCount(p, s.activeFund) < 1) {
        if (DeleteFund(p, s.activeFund)) {
            s.newFundIndex = 0;
            s.targetRecord = 0;
            s.activeFund = 0;
            out.fundDeleted = true;
            out.funds = FundNames(p);
        }
    } else if (DeleteRecord(p, s.targetRecord)) {
        s.correctMode = CorrectMode::Delete;
        s.targetRecord = 0;
        s.targetRecordText.clear();
        out.recordDeleted = true;
        out.page = ShowFundRecords(s);
    }
    out.captions = Captions(p);
    return out;
}

QString EntryHelpPage(const QString& currencySymbol, const QString& todayText) {
    return HelpText(u"RecordEntry", currencySymbol, todayText);
}

QString ShowEntryHelp(ManagerScreen& s) {
    s.helpPage =
        EntryHelpPage(s.currencySymbol, s.todayText.isEmpty() ? ShortDate(Today()) : s.todayText);
    return s.helpPage;
}

QString CloseEntryHelp(ManagerScreen& s) {
    s.helpPage.clear();
    return s.resultsPage;
}

} // namespace qm
