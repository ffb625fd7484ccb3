#include "calculators/Mortgage.h"

#include "app/AppState.h"
#include "app/Messages.h"
#include "calculators/CheckedMath.h"
#include "input/DisplayForm.h"
#include "text/Conversions.h"
#include "text/Format.h"
#include "text/HelpText.h"
#include "text/Page.h"

#include <array>
#include <cmath>
#include <limits>

namespace qm {

namespace {

// Checked double arithmetic (with Divide, Ln and Power): every step that would give a
// non-finite result ends the solve with a CalcError.
double Add(double a, double b) {
    return Finite(a + b);
}
double Sub(double a, double b) {
    return Finite(a - b);
}
double Mul(double a, double b) {
    return Finite(a * b);
}

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

// Payment a, payments per year n and periods per year p of a payment frequency.
struct Frequency {
    double payment = 0;
    int paymentsPerYear = 0;
    double periodsPerYear = 0;
};

Frequency FrequencyOf(const QString& text, double monthlyPayment, const MortgageState& state) {
    const double m = monthlyPayment;
    if (text == Monthly)
        return {m, 12, 12};
    if (text == Semimonthly)
        return {Divide(m, 2), 24, 24};
    if (text == QLatin1String("2 Weeks"))
        return {Divide(Mul(m, 12), 26), 26, state.biweeklyPeriodsPerYear};
    if (text == QLatin1String("1 Week"))
        return {Divide(Mul(m, 12), 52), 52, state.weeklyPeriodsPerYear};
    if (text == QLatin1String("Biweekly(acl)"))
        return {Divide(m, 2), 26, state.biweeklyPeriodsPerYear};
    if (text == QLatin1String("Weekly(acl)"))
        return {Divide(m, 4), 52, state.weeklyPeriodsPerYear};
    return {};
}

QString Money(double value) {
    return Display(forms::Money, value);
}

// Rate of one period when interest compounds c times a year at the annual rate r:
// (1 + r / c)^(c / p) - 1.
double PeriodRateOf(double r, int c, double p) {
    const double growth = Add(1, Divide(r, c));
    return Sub(Power(growth, Divide(c, p)), 1);
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

enum class Fault { None, TooSmall, TooLarge };

// The accelerated block: the payment frequency of MTFreqPmt against the conventional mortgage with
// principal p, monthly payment m and total interest ci.
void SolveAccelerated(const CalcState& calc, MortgageState& state, MortgageControls& controls,
                      double p, double ci) {
    const double m = calc.mortgageInputs[4];
    const int n = state.paymentsPerYear;
    controls.daysInYear =
        (n == 12 || n == 24) ? QStringLiteral("Normal") : FormatNumber(state.daysInYear, u"###.00");
    if (controls.freqPmt == Monthly) {
        controls.numPmts = RightJustify(FormatNumber(n, u"##"), 2);
        controls.numYrs = RightJustify(FormatNumber(calc.mortgageInputs[3], u"##.00"), 5);
        controls.piPmt = Money(m);
        controls.totIntSaved = Money(0.0);
        controls.totIntPaid = Money(ci);
        state.acceleratedInterest = ShownTotal(ci);
        return;
    }
    const double a = FrequencyOf(controls.freqPmt, m, state).payment;
    const double rate = state.periodRate;
    const double years = Divide(Sub(Ln(a), Ln(Sub(a, Mul(rate, p)))), Mul(n, Ln(Add(1, rate))));
    const double payments = Mul(n, years);
    const double growth = Power(Add(1, rate), payments);
    const double level = Divide(Mul(Mul(rate, growth), p), Sub(growth, 1));
    const double interest = Sub(Mul(payments, level), calc.mortgageInputs[1]);
    const double saved = Sub(ci, interest);

    controls.numPmts = RightJustify(FormatNumber(n, u"##"), 2);
    controls.numYrs = RightJustify(FormatNumber(years, u"##.00"), 5);
    controls.piPmt = Money(a);
    controls.totIntSaved = Money(saved);
    controls.totIntPaid = Money(interest);
    state.acceleratedInterest = ShownTotal(interest);
}

// Solves the selected quantity, the conventional total interest and the accelerated block.
// `fault` says which message a failure reports.
void Solve(CalcState& calc, MortgageState& state, MortgageControls& controls, Fault& fault) {
    auto& inputs = calc.mortgageInputs;
    double p = inputs[1];
    double y = inputs[3];
    double m = inputs[4];

    switch (controls.solveFor) {
    case MortgageSolveFor::Payment: {
        inputs[4] = 0;
        controls.payment = Money(0.0);
        SetMortgageRates(calc, state, controls);
        const double rate = state.monthlyRate;
        const double f = Power(Add(1, rate), Mul(12, y));
        m = Divide(Mul(Mul(rate, f), p), Sub(f, 1));
        if (p == 0)
            throw CalcError("no principal");
        inputs[4] = m;
        controls.payment = Money(m);
        break;
    }
    case MortgageSolveFor::Principal: {
        inputs[1] = 0;
        controls.principal.clear();
        SetMortgageRates(calc, state, controls);
        const double rate = state.monthlyRate;
        const double f = Power(Add(1, rate), Mul(12, y));
        p = Divide(m, Divide(Mul(rate, f), Sub(f, 1)));
        if (m == 0)
            throw CalcError("no payment");
        inputs[1] = p;
        controls.principal = Money(p);
        break;
    }
    case MortgageSolveFor::Years: {
        inputs[3] = 0;
        controls.term.clear();
        SetMortgageRates(calc, state, controls);
        // From here on every failure means the payment cannot repay the loan in time.
        fault = Fault::TooSmall;
        const double rate = state.monthlyRate;
        y = Divide(Sub(Ln(m), Ln(Sub(m, Mul(rate, p)))), Mul(12, Ln(Add(1, rate))));
        if (y > 40.004)
            throw CalcError("over 40 years");
        if (inputs[4] >= inputs[1]) {
            fault = Fault::TooLarge;
            throw CalcError("payment not below principal");
        }
        inputs[3] = y;
        controls.term = Display(forms::SolvedYears, y);
        break;
    }
    }

    // Conventional total interest, from the full-precision payment and years.
    const double ci = Sub(Mul(Mul(12, y), inputs[4]), inputs[1]);
    controls.totalPmts = Money(ci);
    state.totalInterest = ShownTotal(ci);

    SolveAccelerated(calc, state, controls, p, ci);
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

void SetMortgageRates(const CalcState& calc, MortgageState& state,
                      const MortgageControls& controls) {
    const int c = CompoundingPeriodsPerYear(controls.compPeriod);
    // The annual rate is held in single precision; its rounding shows in the last cents.
    const double wide = Divide(calc.mortgageInputs[2], 100);
    if (std::fabs(wide) > std::numeric_limits<float>::max())
        throw OverflowError("rate overflow");
    const double rate = static_cast<float>(wide);
    state.monthlyRate = PeriodRateOf(rate, c, 12);

    const Frequency frequency = FrequencyOf(controls.freqPmt, 0, state);
    state.paymentsPerYear = frequency.paymentsPerYear;
    state.periodRate = PeriodRateOf(rate, c, frequency.periodsPerYear);
}

bool CalcMortgage(CalcState& calc, MortgageState& state, MortgageControls& controls,
                  MortgageOutcome& outcome) {
    calc.editFlag = 0;
    state.monthlyRate = 0;
    Fault fault = Fault::None;
    try {
        Solve(calc, state, controls, fault);
        return true;
    } catch (const CalcError&) {
        EmptyResultCaptions(controls);
        state.totalInterest = Currency();
        state.acceleratedInterest = Currency();
        if (fault == Fault::TooLarge) {
            outcome.plainMessage = QString::fromLatin1(PaymentTooLargeText);
            outcome.focusPayment = true;
        } else if (fault == Fault::TooSmall) {
            outcome.plainMessage = QString::fromLatin1(PaymentTooSmallText);
            outcome.focusPayment = true;
        } else {
            outcome.add(Message::WrongEntry);
        }
        return false;
    }
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
    controls.principal = Display(forms::Money, calc.mortgageInputs[1]);
    calc.mortgageInputs[2] = 6.5;
    controls.rate = Display(forms::MortgageRate, calc.mortgageInputs[2]);
    calc.mortgageInputs[3] = 25;
    controls.term = Display(forms::Years5, calc.mortgageInputs[3]);
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
        text = Display(forms::MortgageRate, value);
        break;
    case MortgageBox::Term:
        text = Display(forms::Years5, value);
        break;
    case MortgageBox::Principal:
    case MortgageBox::Payment:
        text = Display(forms::Money, value);
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

QString MortgageHelpPage() {
    return HelpText(u"Mortgage", app().currencySymbol);
}

} // namespace qm
