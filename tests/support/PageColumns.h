#pragma once

#include "core/text/Page.h"

#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace qmtest {

// The text split at every line end: a text that ends a line gives an empty last element.
inline QStringList splitLines(const QString& text) {
    return text.split(qm::LineEnd);
}

// The lines of a page; every line must end with the line end.
inline QStringList pageLines(const QString& page) {
    QStringList lines = page.split(qm::LineEnd);
    EXPECT_TRUE(lines.last().isEmpty()) << "the page does not end with a line end";
    lines.removeLast();
    return lines;
}

// Compares a table line with its expected fields written one blank apart ("*" skips a field).
inline void expectFields(const QString& line, const char* expected) {
    const QStringList actual = line.simplified().split(QLatin1Char(' '));
    const QStringList wanted = QString::fromLatin1(expected).split(QLatin1Char(' '));
    ASSERT_EQ(actual.size(), wanted.size()) << line.toStdString();
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        if (wanted.at(i) != QLatin1String("*")) {
            EXPECT_EQ(actual.at(i).toStdString(), wanted.at(i).toStdString()) << "field " << i;
        }
    }
}

// The same for the line of the year that `expected` starts with, in a table of year lines
// beginning at line index `tableStart`.
inline void expectYearLine(const QStringList& lines, int tableStart, const char* expected) {
    const int year = QString::fromLatin1(expected).section(QLatin1Char(' '), 0, 0).toInt();
    ASSERT_LT(tableStart + year - 1, lines.size()) << expected;
    expectFields(lines.at(tableStart + year - 1), expected);
}

// Compares two pages line by line, so a failure names the first line that differs.
inline void expectSameLines(const QStringList& actual, const QStringList& expected) {
    ASSERT_EQ(actual.size(), expected.size()) << actual.join(QLatin1Char('\n')).toStdString();
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual.at(i).toStdString(), expected.at(i).toStdString()) << "line " << i + 1;
}

} // namespace qmtest
