#pragma once

// What a person has made of a portfolio, apart from the file it is kept in and what the reports
// worked out from it: the funds in table order and the records in date order. The manager's
// undo history keeps one before and one after each change, and compares the portfolio in
// memory with the one last read or saved to know whether anything is left unsaved.

#include "core/portfolio/Portfolio.h"

#include <QString>
#include <array>
#include <vector>

namespace qm {

struct PortfolioContent {
    int fundCount = 0;
    std::array<QString, FundEntries> fundNames{}; // entries 1..fundCount as in the portfolio
    std::vector<Record> records;                  // records 1..recordCount, in that order
};

PortfolioContent ContentOf(const Portfolio& p);

// Puts `content` in the portfolio: its funds and records, numbered by position; the slots past
// them emptied. The file, its stamp and the unsaved mark are left as they are.
void RestoreContent(Portfolio& p, const PortfolioContent& content);

// Exactly the same funds in the same order and the same records: what a change is measured by.
bool operator==(const PortfolioContent& a, const PortfolioContent& b);

// The same records, each naming its fund by name, in the same order: the funds' table order
// (names are sorted as tabs change) and funds without records do not count. Records that differ
// are what the question before leaving is asked about.
bool SameRecords(const PortfolioContent& a, const PortfolioContent& b);

// SameRecords, and the same funds whatever their order: nothing a file would keep differs.
bool SameAsSaved(const PortfolioContent& a, const PortfolioContent& b);

} // namespace qm
