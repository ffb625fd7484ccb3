#pragma once

#include "text/Page.h"

#include <QString>

namespace qm {

class Currency;
struct DisplayForm;

// Which work window is open; dialogs place themselves by it and printing picks its font size.
enum class WorkWindow { None = 0, Calculator = 1, Manager = 2 };

// The few values the whole program shares. One instance lives for the process (see app()).
struct AppState {
    // Placed before money amounts; "$" unless the setting supplies another text.
    QString currencySymbol = QStringLiteral("$");
    WorkWindow activeWindow = WorkWindow::None;

    // Dialog protocol: the number in, the answer out.
    int messageCode = 0;
    int choiceCode = 0;    // question number in; 6 after "&Yes", 0 after "&No"
    QString lineInputText; // one-line input: the text typed, "1" after "&Cancel"
    QString dialogText;    // record-number dialog: the text typed, empty after "&Cancel"
    int correctMode = 0;   // record-number dialog: 1 correct, 0 delete

    // Input-box state shared by every box (one flag for the whole program).
    int editFlag = 0;
};

AppState& app();

// `value` shown in `form` with the program's currency-symbol setting, for code that does not
// carry a symbol of its own.
QString Display(const DisplayForm& form, Currency value);
QString Display(const DisplayForm& form, double value);

} // namespace qm
