#include "core/input/DisplayForm.h"

#include "core/text/Format.h"

namespace qm {

namespace {

QString compose(const DisplayForm& form, const QString& number, const QString& currencySymbol) {
    const QString body = form.symbol ? currencySymbol + number : number;
    const QString justified = form.width > 0 ? RightJustify(body, form.width) : body;
    return justified + QString::fromUtf16(form.suffix);
}

} // namespace

QString Display(const DisplayForm& form, Currency value, const QString& currencySymbol) {
    return compose(form, FormatNumber(value, QString::fromUtf16(form.pattern)), currencySymbol);
}

QString Display(const DisplayForm& form, double value, const QString& currencySymbol) {
    return compose(form, FormatNumber(value, QString::fromUtf16(form.pattern)), currencySymbol);
}

} // namespace qm
