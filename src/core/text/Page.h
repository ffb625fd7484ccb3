#pragma once

#include "core/text/Currency.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <initializer_list>

namespace qm {

// Carriage return + line feed: ends every line of every page.
inline const QString LineEnd = QStringLiteral("\r\n");

// One column of a page line: a number rendered by a pattern and right-justified to the column
// width (cut on the right when wider), or a literal text taken as it is.
class Field {
public:
    Field(const QString& literal) : text(literal) {}
    Field(const char* literal) : text(QString::fromLatin1(literal)) {}
    Field(const QString& value, int width);
    Field(Currency value, QStringView pattern, int width);
    Field(double value, QStringView pattern, int width);
    Field(int value, QStringView pattern, int width);

    QString text;
};

// The fields joined left to right, without a line end.
QString Row(std::initializer_list<Field> fields);
// The fields joined left to right, followed by LineEnd.
QString Line(std::initializer_list<Field> fields);

// The lines each followed by LineEnd (the last one too unless endLast is false).
QString JoinLines(const QStringList& lines, bool endLast = true);

} // namespace qm
