#include "core/calculators/YearTable.h"

#include "core/text/Page.h"

namespace qm {

void StoreYearRow(PeriodTable& table, int row, int number, Currency first, Currency second,
                  Currency value) {
    table.at(row, 1) = Currency::fromUnits(number);
    table.at(row, 2) = first;
    table.at(row, 3) = second;
    table.at(row, 4) = value;
}

QString YearLine(const PeriodTable& table, int row) {
    return Line({Field(table.at(row, 1), u"###", 3), Field(table.at(row, 2), u"####,,###.00", 14),
                 Field(table.at(row, 3), u"####,,###.00", 14),
                 Field(table.at(row, 4), u"####,###.00", 14)});
}

QString TotLine(const PeriodTable& table, int row) {
    return Line({"Tot", Field(table.at(row, 2), u"####,,###.00", 14),
                 Field(table.at(row, 3), u"####,,###.00", 14),
                 Field(table.at(row, 4), u"####,###.00", 14)});
}

} // namespace qm
