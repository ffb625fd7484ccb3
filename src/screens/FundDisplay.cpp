#include "screens/FundDisplay.h"

#include "core/text/Dates.h"
#include "core/text/HelpText.h"
#include "core/text/Page.h"

namespace qm {

namespace {

const QString Rule90(90, QLatin1Char('_'));

struct GrandTotals {
    double shares = 0;
    double fees = 0;
    double cashDividends = 0;
    double bookValue = 0;
    Currency divShares;
};

// Lines of fund f (name, records, total, average cost) appended to `page`; the scratch totals
// in row 31 of FundTotals and p.averageCost hold the fund's figures afterwards.
void appendFund(ManagerScreen& s, int f, QString& page, Currency& divShareTotal) {
    Portfolio& p = s.portfolio;
    FundTotalsTable& t = p.fundTotals;
    page += Line({p.fundName(f).left(40)});
    for (int r = 1; r <= p.recordCount; ++r) {
        const Record& rec = p.record(r);
        if (rec.fund() != f)
            continue;
        s.currentRecord = r;
        TransLabelOf(s);
        const Currency divShareValue =
            MovesSharesOnly(rec.type()) ? rec.price * rec.shares : Currency();
        divShareTotal += divShareValue;
        page +=
            Line({Field(s.transLabel, 10), Field(ShortDate(rec.tradeDate), 10),
                  Field(rec.price, u"###,###.0000", 12), Field(rec.shares, u"###,###.0000", 12),
                  Field(rec.fees, u"####,,###.00", 11), Field(divShareValue, u"####,,###.00", 11),
                  Field(rec.cashDividend, u"####,,###.00", 11),
                  Field(rec.bookValue, u"####,,###.00", 13)});
        t.at(31, 4) += rec.fees;
        t.at(31, 5) += rec.cashDividend;
        t.at(31, 0) += rec.shares;
        t.at(31, 1) += rec.bookValue;
    }
    const Currency shares = t.at(31, 0);
    const Currency book = t.at(31, 1);
    const Currency threshold = Currency::fromRaw(50); // 0.005
    p.averageCost =
        shares > threshold ? Currency::fromDouble(book.toDouble() / shares.toDouble()) : Currency();
    if (book < threshold)
        p.averageCost = Currency();
    page += LineEnd;
    page +=
        Line({"Total:                        ", Field(shares, u"####,,###.0000", 14),
              Field(t.at(31, 4), u"####,,###.0000", 11), Field(divShareTotal, u"####,,###.00", 11),
              Field(t.at(31, 5), u"####,,###.00", 11), Field(book, u"####,,###.00", 13)});
    page += Line({"Average cost per share = ", Field(p.averageCost, u"####,,###.0000", 11)});
    page += Line({Rule90});
    page += LineEnd;
}

void clearScratch(ManagerScreen& s, Currency& divShareTotal) {
    Portfolio& p = s.portfolio;
    for (int c : {0, 1, 4, 5})
        p.fundTotals.at(31, c) = Currency();
    p.averageCost = Currency();
    divShareTotal = Currency();
}

} // namespace

QString FundDisplay(ManagerScreen& s) {
    Portfolio& p = s.portfolio;
    const int remembered = s.activeFund;
    const bool allFunds = remembered == AllFundsEntry;
    QString page = Line({"Trans-", "         Trade       Share      Number       Comm      Div'd  "
                                   "     Cash         Book"}) +
                   Line({"action", "          Date       Price      Shares       Fees     Shares  "
                                   "    Div'd        Value"}) +
                   Line({Rule90});
    Currency divShareTotal;
    GrandTotals grand;
    try {
        clearScratch(s, divShareTotal);
        if (!allFunds) {
            // A position outside the fund table reports an empty block.
            const int f = remembered >= 0 && remembered <= p.fundCount ? remembered : 0;
            appendFund(s, f, page, divShareTotal);
        } else {
            for (int f = 1; f <= p.fundCount; ++f) {
                clearScratch(s, divShareTotal);
                s.activeFund = f;
                appendFund(s, f, page, divShareTotal);
                grand.shares += p.fundTotals.at(31, 0).toDouble();
                grand.fees += p.fundTotals.at(31, 4).toDouble();
                grand.cashDividends += p.fundTotals.at(31, 5).toDouble();
                grand.bookValue += p.fundTotals.at(31, 1).toDouble();
                grand.divShares += divShareTotal;
            }
            s.activeFund = remembered;
            page +=
                Line({"Total all funds:              ", Field(grand.shares, u"####,,###.0000", 14),
                      Field(grand.fees, u"####,,###.0000", 11),
                      Field(grand.divShares, u"####,,###.00", 11),
                      Field(grand.cashDividends, u"####,,###.00", 11),
                      Field(grand.bookValue, u"####,,###.00", 13)});
        }
    } catch (const CalcError&) {
        // A total beyond the Currency range: the page keeps the lines built so far.
    }
    s.activeFund = remembered;
    s.resultsPage = page;
    return page;
}

DisplayTabSetup OpenDisplayTab(const Portfolio& p) {
    DisplayTabSetup out;
    if (p.recordCount == 0) {
        out.messages.push_back(Message::NoRecords);
        out.backToEntry = true;
        return out;
    }
    out.funds = FundNames(p);
    return out;
}

QString DisplayFund(ManagerScreen& s, int listPosition) {
    Portfolio& p = s.portfolio;
    s.activeFund = listPosition >= 0 && listPosition < p.fundCount ? listPosition + 1 : 0;
    return FundDisplay(s);
}

DisplayAllOutcome DisplayAllFunds(ManagerScreen& s) {
    DisplayAllOutcome out;
    s.activeFund = AllFundsEntry;
    out.page = FundDisplay(s);
    if (out.page.size() > ReportTextCapacity)
        out.fits = false;
    return out;
}

QString FundDisplayHelpPage(const QString& currencySymbol) {
    return HelpText(u"FundDisplay", currencySymbol);
}

QString ShowDisplayHelp(ManagerScreen& s) {
    s.resultsPage = FundDisplayHelpPage(s.currencySymbol);
    return s.resultsPage;
}

} // namespace qm
