#include "screens/ManagerScreen.h"

#include "core/input/DisplayForm.h"
#include "core/portfolio/DatabaseFile.h"

namespace qm {

void InitScreen(ManagerScreen& s) {
    InitPortfolio(s.portfolio);
    s.inputValues = {};
}

void DiscardScreen(ManagerScreen& s) {
    const QString symbol = s.currencySymbol;
    s = ManagerScreen{};
    s.currencySymbol = symbol;
}

void BeginTabChange(ManagerScreen& s) {
    s.resultsPage.clear();
    s.helpPage.clear();
    SortFundsByName(s.portfolio);
    s.editFlag = 0;
}

void TransLabelOf(ManagerScreen& s) {
    if (s.currentRecord < 1 || s.currentRecord >= RecordSlots)
        return;
    // Every record holds one of the six codes (stored entries and files are checked), so the
    // label always follows the record's own type; it never keeps a previous record's type.
    const std::optional<TransactionType> type = s.portfolio.record(s.currentRecord).type();
    if (!type)
        return;
    s.transCode = CodeOf(*type);
    s.transLabel = TypeLabelOf(s.transCode);
}

std::vector<Message> OpenDatabase(ManagerScreen& s, const std::optional<QString>& path) {
    const std::vector<Message> messages = OpenDatabase(s.portfolio, path, &s.openFailure);
    if (path) {
        s.activeFund = 0;
        s.newFundIndex = 0;
        s.targetRecord = 0;
    }
    if (!messages.empty()) {
        s.resultsPage.clear();
        s.helpPage.clear();
    }
    return messages;
}

QString ManagerMoneyText(const ManagerScreen& s, Currency value) {
    // The shares form is the money form without its symbol.
    return s.currencySymbol + Display(forms::ManagerShares, value, s.currencySymbol);
}

} // namespace qm
