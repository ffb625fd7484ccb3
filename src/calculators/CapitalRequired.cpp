#include "calculators/CapitalRequired.h"

#include "app/AppState.h"
#include "calculators/CheckedMath.h"
#include "text/Conversions.h"
#include "text/Page.h"

namespace qm {

namespace {

const QString Underline = QStringLiteral("_____________________________________________");

void AppendInputLines(CalcState& state, const CapitalRequiredTexts& texts) {
    const QString first = state.calcChoice == 2 ? QStringLiteral("Annual income required:    ")
                                                : QStringLiteral("Amount of capital required:");
    state.resultsPage += first + texts.amount + LineEnd;
    state.resultsPage +=
        QStringLiteral("Annual interest/growth rate:      ") + texts.rate + LineEnd;
    state.resultsPage +=
        QStringLiteral("Number of years:                     ") + texts.years + LineEnd + LineEnd;
    state.resultsPage += QStringLiteral("Year     Invested    Int/Growth         Value") + LineEnd;
    state.resultsPage += Underline + LineEnd;
}

} // namespace

CalcOutcome CapitalRequiredCalculate(CalcState& state, const CapitalRequiredTexts& texts) {
    CalcOutcome outcome;
    app().editFlag = 0;
    if (state.startNewPage == 1)
        state.startNewPage = 0;
    state.resultsPage.clear();

    RunTrapped(outcome, [&] {
        // The year table is built aside and replaces the chart data only when the whole
        // calculation succeeds, so a failed attempt leaves the chart matching the table the
        // Results box still shows.
        PeriodTable table;
        AppendInputLines(state, texts);

        const double amount = state.inputValues[1].toDouble();
        const double ratePercent = state.inputValues[2].toDouble();
        const int years = ToWhole(state.inputValues[3]);

        // The capital to reach: typed, or the capital whose yearly yield at the rate is the
        // income typed.
        double capital = amount;
        if (state.calcChoice == 2)
            capital = Divide(100.0, ratePercent) * amount;

        // One compounding period a year.
        const double rate = ratePercent / (1 * 100);
        const int periods = years * 1;

        // The equal saving made at the start of each year that grows to the capital at the end
        // of the last year.
        const double growth = Power(1.0 + rate, periods) - 1.0;
        const double saving = Divide(capital, Divide((1.0 + rate) * growth, rate));

        double balance = 0.0;
        double totalInvested = 0.0;
        double totalGrowth = 0.0;
        double interest = saving * rate;
        double shownInterest = saving * rate;
        for (int year = 1; year <= periods; ++year) {
            balance = Finite(balance + saving + interest);
            totalInvested += saving;
            totalGrowth += interest;

            table.at(year, 1) = Currency::fromUnits(year);
            table.at(year, 2) = Currency::fromDouble(saving);
            table.at(year, 3) = Currency::fromDouble(shownInterest);
            table.at(year, 4) = Currency::fromDouble(balance);
            state.resultsPage +=
                Line({Field(year, u"###", 3), Field(table.at(year, 2), u"####,,###.00", 14),
                      Field(table.at(year, 3), u"####,,###.00", 14),
                      Field(table.at(year, 4), u"####,###.00", 14)});

            // Next year's interest on the balance plus next year's saving; the page and the
            // chart show it rounded half up to whole cents, the balance keeps it unrounded.
            interest = Finite((balance + saving) * rate);
            shownInterest = Int(100.0 * interest + 0.5) / 100.0;
        }

        const int totalsRow = periods + 1;
        table.at(totalsRow, 1) = Currency::fromUnits(totalsRow);
        table.at(totalsRow, 2) = Currency::fromDouble(totalInvested);
        table.at(totalsRow, 3) = Currency::fromDouble(totalGrowth);
        table.at(totalsRow, 4) = Currency::fromDouble(balance);

        state.resultsPage += Underline + LineEnd;
        state.resultsPage += Line({"Tot", Field(table.at(totalsRow, 2), u"####,,###.00", 14),
                                   Field(table.at(totalsRow, 3), u"####,,###.00", 14),
                                   Field(table.at(totalsRow, 4), u"####,###.00", 14)});

        state.periodData = table;
        state.results = state.resultsPage;
        state.chartPoints = periods;
        state.chartKind = 3;
        state.chartTitle = QStringLiteral("Growth in capital required over ");
    });
    return outcome;
}

QString CapitalRequiredHelpPage(CapitalOption option) {
    if (option == CapitalOption::Income) {
        // The income example writes its amount with a literal "$".
        return JoinLines({
            QStringLiteral("    Annual Income Required Option"),
            QString(),
            QString(),
            QString(),
            QStringLiteral("40,000.00"),
            QString(),
            QString(),
            QStringLiteral("       20%"),
            QString(),
            QString(),
            QStringLiteral("        25"),
            QString(),
            QString(),
            QString(),
            QStringLiteral("Example. Will show how much annual savings"),
            QStringLiteral("are required for 25 years when compounded"),
            QStringLiteral("annually at 20% to build your capital to"),
            QStringLiteral("give an annual income of $40,000.00."),
            QString(),
        });
    }
    return JoinLines({
        QStringLiteral("    Amount of Capital Required Option"),
        QString(),
        QString(),
        QString(),
        QStringLiteral("100,000.00"),
        QString(),
        QString(),
        QStringLiteral("        20%"),
        QString(),
        QString(),
        QStringLiteral("         25"),
        QString(),
        QString(),
        QString(),
        QStringLiteral("Example. Will show how much annual savings"),
        QStringLiteral("are required for 25 years when compounded"),
        QStringLiteral("annually at 20% interest/growth rate to"),
        QStringLiteral("build your capital to ") + app().currencySymbol +
            QStringLiteral("100,000.00."),
        QString(),
    });
}

void ShowCapitalRequiredHelp(CalcState& state, CapitalOption option) {
    ShowHelpPage(state, CapitalRequiredHelpPage(option));
}

void CapitalOptionClicked(CalcState& state) {
    state.resultsPage.clear();
    state.results.clear();
}

} // namespace qm
