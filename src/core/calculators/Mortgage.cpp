#include "core/calculators/Mortgage.h"

#include "core/finance/MortgageFigures.h"
#include "core/input/DisplayForm.h"
#include "core/text/Conversions.h"
#include "core/text/Format.h"
#include "core/text/HelpText.h"
#include "core/text/Messages.h"
#include "core/text/Page.h"

#include <array>
#include <cmath>

namespace qm {

namespace {

// One row of the days-in-year table: stored constants, not computed.
struct DaysRow {
    Currency daysInYear;
    double biweekly;
    double weekly;
};

constexpr std::array<DaysRow, 6> DaysTable{{
    {Currency::fromRaw(3652500), 26.08928571, 52.17857143},
    {Currency::fromRaw(3650000), 26.07142857, 52.14285714},
    {Currency::fromRaw(3645000), 26.03571429, 52.07142857},
    {Currency::fromRaw(3640000), 26.0, 52.0},
    {Currency::fromRaw(3635000), 25.96428571, 51.92857143},
    {Currency::fromRaw(3630000), 25.92857143, 51.85714286},
}};

constexpr int NoDaysOption = 6;

const QString Monthly = QStringLiteral("Monthly");
const QString Semimonthly = QStringLiteral("Semimonthly");

// The frequency of an MTFreqPmt text.
PaymentFrequency FrequencyOf(const QString& text) {
    const struct {
        const char* item;
        PaymentFrequency frequency;
    } frequencies[] = {
        {"Monthly", PaymentFrequency::Monthly},
        {"Semimonthly", PaymentFrequency::Semimonthly},
        {"2 Weeks", PaymentFrequency::TwoWeeks},
        {"1 Week", PaymentFrequency::OneWeek},
        {"Biweekly(acl)", PaymentFrequency::BiweeklyAccelerated},
        {"Weekly(acl)", PaymentFrequency::WeeklyAccelerated},
    };
    for (const auto& f : frequencies) {
        if (text == QLatin1String(f.item))
            return f.frequency;
    }
    return PaymentFrequency::Unknown;
}

QString Money(const QString& symbol, double value) {
    return Display(forms::Money, value, symbol);
}

// A total interest as its caption shows it, when the Currency range holds it.
std::optional<Currency> ShownTotal(double value) {
    try {
        return ShownCents(value);
    } catch (const OverflowError&) {
        return std::nullopt;
    }
}

// A total as a comparison value; one beyond the Currency range cannot be kept.
Currency ComparisonValue(const std::optional<Currency>& total) {
    if (!total)
        throw OverflowError("total interest out of range");
    return *total;
}

void EmptyResultCaptions(MortgageControls& controls) {
    controls.totalPmts.clear();
    controls.numPmts.clear();
    controls.numYrs.clear();
    controls.piPmt.clear();
    controls.totIntSaved.clear();
    controls.totIntPaid.clear();
}

MortgageInputs InputsOf(const CalcState& calc, const MortgageState& state,
                        const MortgageControls& controls) {
    MortgageInputs in;
    in.solveFor = controls.solveFor;
    in.principal = calc.mortgageInputs[1];
    in.annualRatePercent = calc.mortgageInputs[2];
    in.years = calc.mortgageInputs[3];
    in.monthlyPayment = calc.mortgageInputs[4];
    in.compoundingsPerYear = CompoundingPeriodsPerYear(controls.compPeriod);
    in.frequency = FrequencyOf(controls.freqPmt);
    in.biweeklyPeriodsPerYear = state.biweeklyPeriodsPerYear;
    in.weeklyPeriodsPerYear = state.weeklyPeriodsPerYear;
    return in;
}

// The solved box and its input, emptied while the solve runs (a failure leaves them so).
void ClearSolvedBox(CalcState& calc, MortgageControls& controls) {
    switch (controls.solveFor) {
    case MortgageSolveFor::Payment:
        calc.mortgageInputs[4] = 0;
        controls.payment = Money(calc.currencySymbol, 0.0);
        break;
    case MortgageSolveFor::Principal:
        calc.mortgageInputs[1] = 0;
        controls.principal.clear();
        break;
    case MortgageSolveFor::Years:
        calc.mortgageInputs[3] = 0;
        controls.term.clear();
        break;
    }
}

void ShowSolvedBox(CalcState& calc, MortgageControls& controls, const MortgageFigures& f) {
    switch (controls.solveFor) {
    case MortgageSolveFor::Payment:
        calc.mortgageInputs[4] = f.monthlyPayment;
        controls.payment = Money(calc.currencySymbol, f.monthlyPayment);
        break;
    case MortgageSolveFor::Principal:
        calc.mortgageInputs[1] = f.principal;
        controls.principal = Money(calc.currencySymbol, f.principal);
        break;
    case MortgageSolveFor::Years:
        calc.mortgageInputs[3] = f.years;
        controls.term = Display(forms::SolvedYears, f.years, calc.currencySymbol);
        break;
    }
}

QString DaysInYearCaption(int paymentsPerYear, const MortgageState& state) {
    const int n = paymentsPerYear;
    return (n == 12 || n == 24) ? QStringLiteral("Normal")
                                : FormatNumber(state.daysInYear, u"###.00");
}

void ShowResultCaptions(const CalcState& calc, MortgageState& state, MortgageControls& controls,
                        const MortgageFigures& f) {
    controls.totalPmts = Money(calc.currencySymbol, f.totalInterest);
    state.totalInterest = ShownTotal(f.totalInterest);
    controls.numPmts = RightJustify(FormatNumber(f.paymentsPerYear, u"##"), 2);
    controls.numYrs = RightJustify(FormatNumber(f.acceleratedYears, u"##.00"), 5);
    controls.piPmt = Money(calc.currencySymbol, f.acceleratedPayment);
    controls.totIntSaved = Money(calc.currencySymbol, f.interestSaved);
    controls.totIntPaid = Money(calc.currencySymbol, f.acceleratedInterest);
    state.acceleratedInterest = ShownTotal(f.acceleratedInterest);
}

} // namespace

QStringList MortgageDaysCaptions() {
    return {QStringLiteral("365,25"),
            QStringLiteral("365"),
            QStringLiteral("364.50"),
            QStringLiteral("364"),
            QStringLiteral("363.50"),
            QStringLiteral("363"),
            QString()};
}

int CompoundingPeriodsPerYear(const QString& text) {
    const struct {
        const char* item;
        int periods;
    } compounding[] = {
        {"Monthly", 12}, {"Bimonthly", 6}, {"Quarterly", 3}, {"Semiannual", 2}, {"Annual", 1}};
    for (const auto& c : compounding) {
        if (text == QLatin1String(c.item))
            return c.periods;
    }
    return 0;
}

bool CalcMortgage(CalcState& calc, MortgageState& state, MortgageControls& controls,
                  MortgageOutcome& outcome) {
    calc.editFlag = 0;
    const MortgageInputs inputs = InputsOf(calc, state, controls);
    ClearSolvedBox(calc, controls);
    const MortgageFigures figures = ComputeMortgage(inputs);
    if (figures.quantityFound)
        ShowSolvedBox(calc, controls, figures);
    if (figures.acceleratedBegun)
        controls.daysInYear = DaysInYearCaption(figures.paymentsPerYear, state);
    if (figures.fault == MortgageFault::None) {
        ShowResultCaptions(calc, state, controls, figures);
        return true;
    }
    EmptyResultCaptions(controls);
    state.totalInterest = Currency();
    state.acceleratedInterest = Currency();
    if (figures.fault == MortgageFault::PaymentTooLarge) {
        outcome.plainMessage = QString::fromLatin1(PaymentTooLargeText);
        outcome.focusPayment = true;
    } else if (figures.fault == MortgageFault::PaymentTooSmall) {
        outcome.plainMessage = QString::fromLatin1(PaymentTooSmallText);
        outcome.focusPayment = true;
    } else {
        outcome.add(Message::WrongEntry);
    }
    return false;
}

void ApplyDaysOption(CalcState& calc, MortgageState& state, MortgageControls& controls,
                     MortgageOutcome& outcome) {
    if (controls.freqPmt == Monthly || controls.freqPmt == Semimonthly) {
        state.daysOption = NoDaysOption;
    } else if (state.daysOption == NoDaysOption) {
        state.daysOption = 1; // 365 days
    }
    controls.daysButton = state.daysOption;
    if (state.daysOption >= 0 && state.daysOption < NoDaysOption) {
        const DaysRow& row = DaysTable[static_cast<std::size_t>(state.daysOption)];
        state.biweeklyPeriodsPerYear = row.biweekly;
        state.weeklyPeriodsPerYear = row.weekly;
        state.daysInYear = row.daysInYear;
    }
    CalcMortgage(calc, state, controls, outcome);
}

void OpenMortgageTab(CalcState& calc, MortgageState& state, MortgageControls& controls,
                     MortgageOutcome& outcome) {
    calc.mortgageInputs = {};
    state.daysOption = NoDaysOption;
    controls.daysButton = NoDaysOption;
    SelectMortgageSolveFor(calc, controls, MortgageSolveFor::Payment);
    controls.compPeriod = Monthly;
    calc.mortgageInputs[1] = 100000;
    controls.principal = Display(forms::Money, calc.mortgageInputs[1], calc.currencySymbol);
    calc.mortgageInputs[2] = 6.5;
    controls.rate = Display(forms::MortgageRate, calc.mortgageInputs[2], calc.currencySymbol);
    calc.mortgageInputs[3] = 25;
    controls.term = Display(forms::Years5, calc.mortgageInputs[3], calc.currencySymbol);
    controls.freqPmt = Monthly;
    CalcMortgage(calc, state, controls, outcome);
    calc.editFlag = 0;
}

void SelectMortgageSolveFor(CalcState& calc, MortgageControls& controls,
                            MortgageSolveFor solveFor) {
    controls.solveFor = solveFor;
    calc.editFlag = 0;
}

MortgageBox SolvedBox(MortgageSolveFor solveFor) {
    switch (solveFor) {
    case MortgageSolveFor::Years:
        return MortgageBox::Term;
    case MortgageSolveFor::Principal:
        return MortgageBox::Principal;
    case MortgageSolveFor::Payment:
        break;
    }
    return MortgageBox::Payment;
}

QString& MortgageBoxText(MortgageControls& controls, MortgageBox box) {
    switch (box) {
    case MortgageBox::Principal:
        return controls.principal;
    case MortgageBox::Rate:
        return controls.rate;
    case MortgageBox::Term:
        return controls.term;
    case MortgageBox::Payment:
        break;
    }
    return controls.payment;
}

void StoreMortgageBox(CalcState& calc, MortgageControls& controls, MortgageBox box) {
    QString& text = MortgageBoxText(controls, box);
    double value = Val(text);
    // Only a number too long for a double reads as infinite; it is no usable amount.
    if (!std::isfinite(value))
        value = 0;
    calc.mortgageInputs[static_cast<std::size_t>(box)] = value;
    switch (box) {
    case MortgageBox::Rate:
        text = Display(forms::MortgageRate, value, calc.currencySymbol);
        break;
    case MortgageBox::Term:
        text = Display(forms::Years5, value, calc.currencySymbol);
        break;
    case MortgageBox::Principal:
    case MortgageBox::Payment:
        text = Display(forms::Money, value, calc.currencySymbol);
        break;
    }
}

void LeaveMortgageBox(CalcState& calc, MortgageState& state, MortgageControls& controls,
                      MortgageBox box, MortgageOutcome& outcome) {
    if (calc.editFlag != 1)
        return;
    StoreMortgageBox(calc, controls, box);
    calc.editFlag = 0;
    CalcMortgage(calc, state, controls, outcome);
}

void ClickMortgageListItem(CalcState& calc) {
    calc.editFlag = 1;
}

void LeaveCompoundingList(CalcState& calc, MortgageState& state, MortgageControls& controls,
                          MortgageOutcome& outcome) {
    if (calc.editFlag == 1)
        CalcMortgage(calc, state, controls, outcome);
    calc.editFlag = 0;
}

void LeaveFrequencyList(CalcState& calc, MortgageState& state, MortgageControls& controls,
                        MortgageOutcome& outcome) {
    if (calc.editFlag == 1)
        ApplyDaysOption(calc, state, controls, outcome);
    calc.editFlag = 0;
}

void ClickDaysButton(MortgageState& state, MortgageControls& controls, int index) {
    if (index < 0 || index > NoDaysOption)
        return;
    state.daysOption = index;
    controls.daysButton = index;
}

void LeaveDaysButton(CalcState& calc, MortgageState& state, MortgageControls& controls,
                     MortgageOutcome& outcome) {
    ApplyDaysOption(calc, state, controls, outcome);
}

QString MortgageResultLines(const MortgageControls& c) {
    return Line({"           Conventional Mortgage"}) +
           Line({"Compound interest periods/yr:     ", Field(c.compPeriod, 10)}) +
           Line({"Principal amount of mortgage:  ", c.principal}) +
           Line({"Annual interest rate %:               ", c.rate}) +
           Line({"Amortization period in years:          ", c.term}) +
           Line({"Monthly principal + interest:  ", c.payment}) +
           Line({"Total interest paid:           ", c.totalPmts}) + LineEnd +
           Line({"             Accelerated Mortgage"}) +
           Line({"Frequency/type of payment:     ", Field(c.freqPmt, 13)}) +
           Line({"Number of payments each year:             ", c.numPmts}) +
           Line({"Number of days in year used:          ", c.daysInYear}) +
           Line({"Interest saved v normal mtge:  ", c.totIntSaved}) +
           Line({"No. of years to final payment:         ", c.numYrs}) +
           Line({"Each payment, Principal + int: ", c.piPmt}) +
           Line({"Total interest paid:           ", c.totIntPaid}) +
           Line({QString(44, QLatin1Char('_'))}) + LineEnd;
}

void MortgageCalculate(CalcState& calc, MortgageState& state, MortgageControls& controls,
                       MortgageOutcome& outcome) {
    BeginComparison(calc);
    // A failed solve reports itself and leaves its captions empty; the block is still written,
    // with the empty values, and the comparison row gets 0 for both totals. The row takes the
    // totals as values: a caption holds only the first 13 characters of an amount.
    CalcMortgage(calc, state, controls, outcome);
    calc.resultsPage += MortgageResultLines(controls);
    // The count never passes 10 here, so the row always exists; should it not, the usual trap
    // reports it instead of ending the program.
    RunTrapped(outcome, [&] {
        calc.comparisonData.at(calc.comparisonCount, 1) = ComparisonValue(state.totalInterest);
        calc.comparisonData.at(calc.comparisonCount, 2) =
            ComparisonValue(state.acceleratedInterest);
    });
    calc.chartPoints = calc.comparisonCount;
    calc.chartKind = ChartKind::MortgageComparisons;
    calc.chartTitle = QStringLiteral("Totals for comparisons, number ");
    calc.results = calc.resultsPage;
    EndComparison(calc, outcome);
}

QString MortgageHelpPage(const QString& currencySymbol) {
    return HelpText(u"Mortgage", currencySymbol);
}

} // namespace qm
