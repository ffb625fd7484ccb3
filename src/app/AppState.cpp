#include "app/AppState.h"

#include "input/DisplayForm.h"

namespace qm {

AppState& app() {
    static AppState state;
    return state;
}

QString Display(const DisplayForm& form, Currency value) {
    return Display(form, value, app().currencySymbol);
}

QString Display(const DisplayForm& form, double value) {
    return Display(form, value, app().currencySymbol);
}

} // namespace qm
