#pragma once

#include "core/text/Currency.h"

#include <vector>

namespace qm {

// The two ways of drawing an income, numbered as the calculator state keeps them.
enum class RetiredIncomeOption {
    Percentage = 0, // a share of the current value each year, for a number of years
    Fixed = 2,      // a fixed monthly amount, raised once a year, until the savings run out
};

// The option of a calculator state's choice number: 2 is the fixed amount, any other the share.
RetiredIncomeOption RetiredIncomeOptionOf(int calcChoice);

struct RetiredIncomeInputs {
    RetiredIncomeOption option = RetiredIncomeOption::Percentage;
    Currency startValue;
    float growth = 0;          // yearly interest/growth, held in single precision
    double withdrawnShare = 0; // Percentage: share of the value withdrawn each year
    int years = 0;             // Percentage: years of withdrawals
    double monthlyAmount = 0;  // Fixed: the first year's monthly withdrawal
    double increase = 0;       // Fixed: yearly rise of the income
};

struct RetiredIncomeYear {
    Currency growth;
    Currency income;
    Currency value; // at the end of the year
};

enum class RetiredIncomeError {
    None,
    WithdrawalAboveSavings, // a year's income exceeds the savings
    Failed,                 // an amount left the money range
};

// The years computed, in order; a refused or failed calculation keeps the years before it.
struct RetiredIncomeFigures {
    std::vector<RetiredIncomeYear> years;
    RetiredIncomeYear totals; // its value is the final value
    RetiredIncomeError error = RetiredIncomeError::None;
};

// Percentage: each year the share of the current value is withdrawn and the rest grows. Fixed:
// the amount is withdrawn every month and the capital grows monthly; full years run while the
// balance exceeds the next year's income (at most 40), then a final year pays out the rest.
RetiredIncomeFigures ComputeRetiredIncome(const RetiredIncomeInputs& inputs);

} // namespace qm
