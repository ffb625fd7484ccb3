#include "screens/CurrentValue.h"

#include "core/input/DisplayForm.h"
#include "core/text/Format.h"
#include "core/text/HelpText.h"
#include "core/text/Page.h"

#include <limits>

namespace qm {

namespace {

constexpr std::array<int, 6> SumColumns{0, 1, 3, 4, 5, 6};

void clearSums(Portfolio& p) {
    for (int row = 1; row <= 31; ++row) {
        for (int c : SumColumns)
            p.fundTotals.at(row, c) = Currency();
    }
}

// (a / b) x 100 in double precision, as an amount.
Currency percentOf(Currency a, Currency b) {
    if (b.isZero())
        throw CalcError("division by zero");
    return Currency::fromDouble(a.toDouble() / b.toDouble() * 100);
}

// The fund's share of the total current value in percent, truncated to two decimals. Worked in
// whole numbers so that a share of exactly x.yy% is never shown as one hundredth less.
Currency shareOfTotal(Currency value, Currency total) {
    if (value <= Currency() || total <= Currency())
        return Currency();
    const Int128 hundredths = static_cast<Int128>(value.raw()) * 10000 / total.raw();
    if (hundredths > std::numeric_limits<std::int64_t>::max() / 100)
        throw OverflowError("share of total out of range");
    return Currency::fromRaw(static_cast<std::int64_t>(hundredths) * 100);
}

} // namespace

bool CheckEmptyFunds(const Portfolio& p) {
    for (int k = 1; k <= p.fundCount; ++k) {
        if (!p.fundName(k).isEmpty() && FundRecordCount(p, k) == 0)
            return true;
    }
    return false;
}

CurrentValueTabSetup OpenCurrentValueTab(Portfolio& p) {
    CurrentValueTabSetup out;
    if (p.recordCount == 0) {
        out.messages.push_back(Message::NoRecords);
        out.backToEntry = true;
        return out;
    }
    if (p.fundTotals.at(1, 2).isZero() || p.unsavedChanges == 1)
        p.fundTotals.clear();
    clearSums(p);
    for (int k = 1; k <= p.fundCount; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        out.names[i] = p.fundName(k);
        out.prices[i] = FormatNumber(p.fundTotals.at(k, 2), u"####,,###.0000");
        out.enabled[i] = true;
    }
    return out;
}

void ClearCurrentValueReport(ManagerScreen& s) {
    s.resultsPage.clear();
}

QString LeavePriceBox(ManagerScreen& s, int index, const QString& text) {
    Portfolio& p = s.portfolio;
    if (index < 0 || index >= MaxFunds)
        return text;
    Currency& price = p.fundTotals.at(index + 1, 2);
    if (const std::optional<Currency> typed = ParseBoxAmount(text))
        price = *typed;
    return ManagerMoneyText(s, price);
}

CurrentValueOutcome CalculateCurrentValue(ManagerScreen& s) {
    Portfolio& p = s.portfolio;
    CurrentValueOutcome out;
    s.resultsPage.clear();
    if (CheckEmptyFunds(p)) {
        out.messages.push_back(Message::EmptyFund);
        return out;
    }
    clearSums(p);
    FundTotalsTable& t = p.fundTotals;
    try {
        for (int r = 1; r <= p.recordCount; ++r) {
            const Record& rec = p.record(r);
            const int k = rec.fund();
            if (k < 1 || k > p.fundCount)
                continue;
            t.at(k, 0) += rec.shares;
            t.at(k, 1) += rec.bookValue;
            if (rec.type() != TransactionType::Sold)
                t.at(k, 6) += rec.bookValue;
        }
        for (int k = 1; k <= p.fundCount; ++k) {
            if (!p.fundName(k).isEmpty() && t.at(k, 2) <= Currency() && !t.at(k, 0).isZero()) {
                out.messages.push_back(Message::MissingEntry);
                clearSums(p);
                return out;
            }
        }
        out.page = BuildCurrentValueReport(s);
    } catch (const CalcError&) {
        out.messages.push_back(Message::WrongEntry);
        clearSums(p);
        s.resultsPage.clear();
        out.page.clear();
    }
    return out;
}

QString BuildCurrentValueReport(ManagerScreen& s) {
    Portfolio& p = s.portfolio;
    FundTotalsTable& t = p.fundTotals;
    const Currency threshold = Currency::fromRaw(50); // 0.005
    const QString rule(85, QLatin1Char('_'));
    QString page = Line({"Fund      Number        Book     Current      Current       Gain/     "
                         "Gain/      % 0f"}) +
                   Line({"Name      Shares       Value       Price        Total       Loss$     "
                         "Loss%     Total"}) +
                   Line({rule});
    for (int c : SumColumns)
        t.at(31, c) = Currency();
    for (int k = 1; k <= p.fundCount; ++k) {
        t.at(k, 3) = t.at(k, 0) * t.at(k, 2);
        t.at(k, 4) = t.at(k, 3) - t.at(k, 1);
        t.at(k, 5) =
            t.at(k, 1).isZero() ? Currency::fromUnits(100) : percentOf(t.at(k, 4), t.at(k, 1));
        // A fund whose sales and dividends returned more than was paid in measures its gain
        // against what was paid in.
        if (t.at(k, 1) < threshold && !t.at(k, 6).isZero())
            t.at(k, 5) = percentOf(t.at(k, 4), t.at(k, 6));
        for (int c : {3, 0, 1, 4, 6})
            t.at(31, c) += t.at(k, c);
    }
    if (t.at(31, 1).isZero())
        t.at(31, 5) = Currency();
    else if (t.at(31, 1) < threshold && !t.at(31, 6).isZero())
        t.at(31, 5) = percentOf(t.at(31, 4), t.at(31, 6));
    else
        t.at(31, 5) = percentOf(t.at(31, 4), t.at(31, 1));

    for (int k = 1; k <= p.fundCount; ++k) {
        const Currency share = shareOfTotal(t.at(k, 3), t.at(31, 3));
        page += Line({p.fundName(k)});
        page +=
            Line({"    ", Field(t.at(k, 0), u"####,,###.0000", 12),
                  Field(t.at(k, 1), u"####,,###.00", 12), Field(t.at(k, 2), u"####,,###.00", 12),
                  Field(t.at(k, 3), u"####,,###.00", 13), Field(t.at(k, 4), u"####,,###.00", 12),
                  Field(t.at(k, 5), u"#,###.00", 9), "%", Field(share, u"#,###.00", 9), "%"});
        page += LineEnd;
    }
    page += Line({rule});
    page += Line({"Tot:", Field(t.at(31, 0), u"####,,###.0000", 12),
                  Field(t.at(31, 1), u"####,,###.00", 12), QString(12, QLatin1Char(' ')),
                  Field(t.at(31, 3), u"####,,###.00", 13), Field(t.at(31, 4), u"####,,###.00", 12),
                  Field(t.at(31, 5), u"#,###.00", 9), "%",
                  Field(Currency::fromUnits(100), u"#,###.00", 9), "%"});
    s.chartPoints = p.fundCount;
    s.resultsPage = page;
    return page;
}

bool PrepareCurrentValueChart(ManagerScreen& s, const QString& shownReport) {
    if (shownReport.isEmpty() || s.chartPoints == 0)
        return false;
    s.chartKind = ChartKind::Manager;
    return true;
}

QString CurrentValueHelpPage(const QString& currencySymbol) {
    return HelpText(u"CurrentValue", currencySymbol);
}

QString ShowCurrentValueHelp(ManagerScreen& s) {
    s.resultsPage = CurrentValueHelpPage(s.currencySymbol);
    return s.resultsPage;
}

} // namespace qm
