#pragma once

// Checks of the investment manager's portfolio that must hold between any two user actions,
// and a comparison of the portfolio with a database file's contents. Qt Core only, so the
// checks are tested without windows.

#include "core/portfolio/DatabaseFile.h"
#include "core/portfolio/Portfolio.h"
#include "core/portfolio/PortfolioContent.h"

#include <QStringList>

namespace qmmonkey {

// Every broken rule of the portfolio's structure, one line each; empty when all hold:
// counts within 18 funds and 600 records, records 1..RecordCount in date order and numbered
// by their position, each with a valid date, a known type and a whole fund index in
// 1..FundCount; funds 1..FundCount named, the entries after them empty, entry 31 the
// all-records entry; no record left behind after the last one. A file's records are loaded in
// the file's own order, so `dateOrder` false leaves the order of the dates unchecked.
QStringList PortfolioProblems(const qm::Portfolio& p, bool dateOrder = true);

// Whether the records of a file, or of a portfolio's content, are in date order.
bool DatesInOrder(const qm::DatabaseContents& contents);
bool DatesInOrder(const qm::PortfolioContent& content);

// One line per record, "fund name|type|date|price|shares|fees|cash|book", sorted: the same
// portfolio gives the same lines whatever the order of its funds.
QStringList RecordLines(const qm::Portfolio& p);
QStringList RecordLines(const qm::DatabaseContents& contents);

// What differs between the portfolio and the contents of a file (funds by name, records by
// RecordLines); empty when they hold the same.
QStringList ContentDifferences(const qm::Portfolio& p, const qm::DatabaseContents& contents);

// What differs between a portfolio's content shown and the one expected, as SameAsSaved
// compares them (funds by name in any order, records in their order); empty when they match.
QStringList ContentDifferences(const qm::PortfolioContent& shown,
                               const qm::PortfolioContent& expected);

} // namespace qmmonkey
