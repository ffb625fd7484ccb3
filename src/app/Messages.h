#pragma once

#include <QString>

namespace qm {

// The text of a numbered message; a number that is not in the table gives the empty text.
// Message 30 ends with today's short date.
QString MessageText(int code);

// The text of a numbered question (1 to 5); any other number gives the empty text.
// Question 3 names the database file, question 4 the record number.
QString QuestionText(int code, const QString& databaseName = QString(),
                     const QString& recordNumber = QString());

// The two plain-box messages of the mortgage solver and the fund display report.
inline constexpr const char* PaymentTooLargeText = "Payment is too large. Greater than principal.";
inline constexpr const char* PaymentTooSmallText =
    "Payment is too small, repayment would take over 40 years.";
inline constexpr const char* NoTextSpaceText = "Cannot Display all funds, not enough text space.";

} // namespace qm
