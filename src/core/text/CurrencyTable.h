#pragma once

#include "core/text/Currency.h"

#include <array>
#include <cstddef>

namespace qm {

// A fixed table of amounts. Reading or writing outside it is a calculation failure (CalcError),
// which the calculators' error trap reports like any other.
template <int Rows, int Cols> class CurrencyTable {
public:
    static constexpr int rows = Rows;
    static constexpr int cols = Cols;

    Currency& at(int row, int col) {
        check(row, col);
        return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    }
    Currency at(int row, int col) const {
        check(row, col);
        return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
    }
    void clear() { cells_ = {}; }

private:
    static void check(int row, int col) {
        if (row < 0 || row >= Rows || col < 0 || col >= Cols)
            throw CalcError("table index out of range");
    }
    std::array<std::array<Currency, Cols>, Rows> cells_{};
};

} // namespace qm
