#pragma once

namespace qm {

// The quantity the mortgage solver finds.
enum class MortgageSolveFor { Payment, Years, Principal };

// How often the accelerated payments fall. The accelerated kinds pay half (every two weeks) or a
// quarter (every week) of the monthly payment, so more than twelve monthly payments a year;
// "2 Weeks" and "1 Week" spread the twelve monthly payments over the year.
enum class PaymentFrequency {
    Monthly,
    Semimonthly,
    TwoWeeks,
    OneWeek,
    BiweeklyAccelerated,
    WeeklyAccelerated,
    Unknown, // a list text that is none of the above: the solve fails
};

struct MortgageInputs {
    MortgageSolveFor solveFor = MortgageSolveFor::Payment;
    // The conventional monthly mortgage; the solved one of the three is not read.
    double principal = 0;
    double annualRatePercent = 0; // held in single precision once divided by 100
    double years = 0;
    double monthlyPayment = 0;
    int compoundingsPerYear = 12; // 12, 6, 3, 2 or 1; 0 for an unknown list text (fails)
    PaymentFrequency frequency = PaymentFrequency::Monthly;
    // Payment periods a year of the two week-based frequencies, from the days-in-year row.
    double biweeklyPeriodsPerYear = 0;
    double weeklyPeriodsPerYear = 0;
};

// Why a solve failed. A payment too small or too large only arises when solving for the years.
enum class MortgageFault {
    None,
    Failed,          // wrong or missing entry
    PaymentTooSmall, // it never repays the loan, or not within 40 years
    PaymentTooLarge, // it is not below the principal
};

// The solve, step by step. A failed solve keeps what it reached: the solved quantity (0 when it
// was not found) and whether the accelerated block had begun.
struct MortgageFigures {
    MortgageFault fault = MortgageFault::None;
    double monthlyRate = 0; // rate of one monthly payment
    double periodRate = 0;  // rate of one payment of the chosen frequency
    int paymentsPerYear = 0;
    bool quantityFound = false; // principal, years and monthlyPayment all hold
    double principal = 0;
    double years = 0;
    double monthlyPayment = 0;
    double totalInterest = 0; // conventional, from the full-precision payment and years
    bool acceleratedBegun = false;
    // The accelerated mortgage (for "Monthly" the conventional one again, nothing saved).
    double acceleratedYears = 0;
    double acceleratedPayment = 0;
    double interestSaved = 0;
    double acceleratedInterest = 0;
};

// Payment, payments a year and payment periods a year of `frequency` for the monthly payment
// `monthlyPayment` (periods from the inputs' days row for the week-based ones). All 0 for Unknown.
struct FrequencyTerms {
    double payment = 0;
    int paymentsPerYear = 0;
    double periodsPerYear = 0;
};
FrequencyTerms FrequencyTermsOf(const MortgageInputs& inputs, double monthlyPayment);

// Solves the selected quantity, the conventional total interest and the accelerated mortgage.
MortgageFigures ComputeMortgage(const MortgageInputs& inputs);

} // namespace qm
