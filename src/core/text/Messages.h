#pragma once

#include <QString>

namespace qm {

// The program's messages. Each keeps the number it has always had, so code, tests and the
// message box all speak of the same message.
enum class Message : int {
    NothingToPrintCalculate = 1, // "No data to print. Calculate."
    NothingToPrint = 2,
    WrongEntry = 3,
    NothingToGraph = 4,
    FortyYearLimit = 5,
    WithdrawalAboveSavings = 7,
    TenComparisons = 8,
    CannotDrawGraph = 9,
    FileNotFound = 13,
    NoRecords = 15,
    FundNotSelected = 16,
    BadRecordNumber = 17,
    NumbersInAllThreeBoxes = 18,
    FundNotInFile = 19,
    RecordNotSaved = 20,
    CannotSort = 23,
    MissingEntry = 24,
    BadFileName = 25,
    EmptyFund = 28,
    RecordNotCorrected = 29,
    DateFormat = 30,
    RecordNeedsDate = 31,
    RecordLimit = 35,
    FundLimit = 36,
    NoTransactionType = 51,
};

// The program's yes/no questions, by their numbers.
enum class Question : int {
    ContinuePrinting = 1,
    PrintInColour = 2,
    SaveChangedFile = 3,
    DeleteRecord = 4,
    DeleteFund = 5,
};

constexpr int Number(Message m) {
    return static_cast<int>(m);
}
constexpr int Number(Question q) {
    return static_cast<int>(q);
}

// The text of a numbered message; a number that is not in the table gives the empty text.
// Message 30 ends with today's short date.
QString MessageText(int code);

// The text of a numbered question (1 to 5); any other number gives the empty text.
// Question 3 names the database file, question 4 the record number.
QString QuestionText(int code, const QString& databaseName = QString(),
                     const QString& recordNumber = QString());

inline QString MessageText(Message m) {
    return MessageText(Number(m));
}
inline QString QuestionText(Question q, const QString& databaseName = QString(),
                            const QString& recordNumber = QString()) {
    return QuestionText(Number(q), databaseName, recordNumber);
}

// The two plain-box messages of the mortgage solver and the fund display report.
inline constexpr const char* PaymentTooLargeText = "Payment is too large. Greater than principal.";
inline constexpr const char* PaymentTooSmallText =
    "Payment is too small, repayment would take over 40 years.";
inline constexpr const char* NoTextSpaceText = "Cannot Display all funds, not enough text space.";

} // namespace qm
