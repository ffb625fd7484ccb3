#pragma once

#include "text/Page.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

namespace qmtest {

// The lines of a page; every line must end with the line end, and no line holds a stray one.
inline QStringList pageLines(const QString& page) {
    QStringList lines = page.split(qm::LineEnd);
    EXPECT_TRUE(lines.last().isEmpty()) << "the page does not end with a line end";
    lines.removeLast();
    return lines;
}

// The texts of a table line cut at the given column widths, blanks on the left removed.
inline QStringList columns(const QString& line, const std::vector<int>& widths) {
    QStringList out;
    qsizetype at = 0;
    for (const int width : widths) {
        out << line.mid(at, width).trimmed();
        at += width;
    }
    return out;
}

// Compares two pages line by line, so a failure names the first line that differs.
inline void expectSameLines(const QStringList& actual, const QStringList& expected) {
    ASSERT_EQ(actual.size(), expected.size()) << actual.join(QLatin1Char('\n')).toStdString();
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual.at(i).toStdString(), expected.at(i).toStdString()) << "line " << i + 1;
}

} // namespace qmtest
