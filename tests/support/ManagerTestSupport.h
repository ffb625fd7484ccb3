#pragma once

// Builds portfolios the way the manager window does (a fund picked or added, a type chosen, the
// boxes left, "&Add Record"), reads fixed-width report lines, and reads and writes whole files.

#include "core/portfolio/Portfolio.h"
#include "screens/RecordEntry.h"
#include "support/CaseName.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>
#include <cstdlib>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

namespace qmtest {

inline qm::Currency money(const char* text) {
    return qm::Currency::fromDouble(std::atof(text));
}

// One typed entry: fund name, type code, date as typed, and the four boxes as typed.
struct Entry {
    const char* fund;
    const char* code;
    const char* date;
    const char* price = "0";
    const char* shares = "0";
    const char* fees = "0";
    const char* cash = "0";
};

inline void PrintTo(const Entry& e, std::ostream* os) {
    PrintFields(os, e.fund, e.code, e.date, e.price, e.shares, e.fees, e.cash);
}

// Adds the fund when it is not there yet, picks it, and stores the entry. Returns the outcome.
inline qm::AddRecordOutcome enter(qm::ManagerScreen& p, const Entry& e) {
    const QString fund = QString::fromUtf8(e.fund);
    if (!qm::FundNames(p.portfolio).contains(fund))
        qm::AddFundClick(p, fund);
    qm::PickFund(p, fund);
    const QString typeName = qm::TypeNameOf(QString::fromLatin1(e.code));
    qm::ChooseType(p, typeName);
    qm::LeaveEntryBox(p, 1, QString::fromLatin1(e.price));
    qm::LeaveEntryBox(p, 2, QString::fromLatin1(e.shares));
    qm::LeaveEntryBox(p, 3, QString::fromLatin1(e.fees));
    qm::LeaveEntryBox(p, 4, QString::fromLatin1(e.cash));
    return qm::AddRecordClick(p, {fund, typeName, QString::fromLatin1(e.date)});
}

// A manager screen whose portfolio holds the entries, stored as the window stores them.
inline qm::ManagerScreen screenOf(std::initializer_list<Entry> entries) {
    qm::ManagerScreen p;
    qm::InitScreen(p);
    for (const Entry& e : entries) {
        const qm::AddRecordOutcome out = enter(p, e);
        EXPECT_TRUE(out.stored) << e.fund << " " << e.code << " " << e.date;
    }
    return p;
}

inline qm::Portfolio portfolioOf(std::initializer_list<Entry> entries) {
    return screenOf(entries).portfolio;
}

inline QStringList pageLines(const QString& page) {
    return page.split(QStringLiteral("\r\n"));
}

// The text of a fixed-width column from `start` to `end` (0-based, end excluded), trimmed.
inline QString column(const QString& line, int start, int end) {
    return line.mid(start, end - start).trimmed();
}

// The trimmed texts of a fixed-width line cut at the given column ends.
inline QStringList fields(const QString& line, std::initializer_list<int> ends) {
    QStringList out;
    int start = 0;
    for (int end : ends) {
        out << column(line, start, end);
        start = end;
    }
    return out;
}

// The file of the two-fund example portfolio: ABC Fund with a cash dividend, XYZ Mutual Fund
// with a purchase and dividend shares.
inline const QByteArray ExampleFile = "3,2,\"All Records\",\"31\"\r\n"
                                      "\"ABC Fund\",\" 1\"\r\n"
                                      "\"XYZ Mutual Fund\",\" 2\"\r\n"
                                      "2,10,100,50,0,1050,\"B\",#2001-01-15#\r\n"
                                      "2,10,10,0,0,0,\"D\",#2001-02-01#\r\n"
                                      "1,0,0,0,100,-100,\"C\",#2001-03-31#\r\n";

// The whole content of a file; empty when it cannot be read.
inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Writes `bytes` as the whole content of a file; false when that failed.
inline bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace qmtest
