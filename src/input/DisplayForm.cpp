#include "input/DisplayForm.h"

#include "app/AppState.h"
#include "text/Format.h"

namespace qm {

namespace {

QString compose(const DisplayForm& form, const QString& number) {
    const QString body = form.symbol ? app().currencySymbol + number : number;
    const QString justified = form.width > 0 ? RightJustify(body, form.width) : body;
    return justified + QString::fromUtf16(form.suffix);
}

} // namespace

QString Display(const DisplayForm& form, Currency value) {
    return compose(form, FormatNumber(value, QString::fromUtf16(form.pattern)));
}

QString Display(const DisplayForm& form, double value) {
    return compose(form, FormatNumber(value, QString::fromUtf16(form.pattern)));
}

} // namespace qm
