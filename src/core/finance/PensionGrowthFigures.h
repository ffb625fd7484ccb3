#pragma once

#include "core/text/Currency.h"

#include <vector>

namespace qm {

struct PensionGrowthInputs {
    Currency startBalance;
    Currency salary;           // this year's salary
    double employeeRate = 0;   // share of the salary paid in by the employee
    double companyRate = 0;    // share of the salary paid in by the company
    double salaryIncrease = 0; // yearly rise of salary and contributions
    float growth = 0;          // yearly interest/growth, held in single precision
    double inflation = 0;      // deducted from each year's grown value
    int years = 0;             // fewer than one still computes the first year
};

struct PensionGrowthYear {
    Currency salary;
    Currency contributions;
    Currency interest;
    Currency value; // at the end of the year, after inflation
};

enum class PensionGrowthError {
    None,
    Failed, // an amount left the money range
};

// The years computed, in order. A failure keeps the years computed before it.
struct PensionGrowthFigures {
    std::vector<PensionGrowthYear> years;
    Currency paidIn; // the starting balance and all contributions
    Currency growth; // value - paidIn
    Currency value;  // the final value
    PensionGrowthError error = PensionGrowthError::None;
};

PensionGrowthFigures ComputePensionGrowth(const PensionGrowthInputs& inputs);

} // namespace qm
