#include "core/text/Page.h"

#include "core/text/Format.h"

namespace qm {

Field::Field(const QString& value, int width) : text(RightJustify(value, width)) {}

Field::Field(Currency value, QStringView pattern, int width)
    : text(RightJustify(FormatNumber(value, pattern), width)) {}

Field::Field(double value, QStringView pattern, int width)
    : text(RightJustify(FormatNumber(value, pattern), width)) {}

Field::Field(int value, QStringView pattern, int width)
    : text(RightJustify(FormatNumber(value, pattern), width)) {}

QString Row(std::initializer_list<Field> fields) {
    QString out;
    for (const Field& field : fields)
        out += field.text;
    return out;
}

QString Line(std::initializer_list<Field> fields) {
    return Row(fields) + LineEnd;
}

QString JoinLines(const QStringList& lines, bool endLast) {
    QString out;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        out += lines.at(i);
        if (endLast || i + 1 < lines.size())
            out += LineEnd;
    }
    return out;
}

} // namespace qm
