#include "core/calculators/BoxTable.h"

#include "core/text/Conversions.h"

#include <array>

namespace qm {

namespace {

using K = BoxKind;
using F = BoxFilter;
using S = BoxStore;
using P = PageClear;
using D = DeleteKey;
using Y = YearsCheck;
namespace f = forms;

// The two options of capital required and retired income, as CalcState::calcChoice holds them:
// "Amount of capital required" / "Annual percentage", and "Annual income required" / "Fixed
// monthly amount".
constexpr int Option0 = 0;
constexpr int Option1 = 2;

// clang-format off
constexpr std::array Boxes{
    //      name                      tab                 choice     kind        display             store              ix filter    xd Enter goes to             first key also    Delete          40 years       mortgage
    BoxRule{"CGInCostofInvest",       CompoundGainTab,    AnyChoice, K::Money,   f::Money,           S::InputValues,    1, F::Money, 0, "CGInValueNow",           P::Never,         D::MarksEdited, Y::Never,      false},
    BoxRule{"CGInValueNow",           CompoundGainTab,    AnyChoice, K::Money,   f::Money,           S::InputValues,    2, F::Money, 0, "CGInNumOfYrs",           P::Never,         D::MarksEdited, Y::Never,      false},
    BoxRule{"CGInNumOfYrs",           CompoundGainTab,    AnyChoice, K::Years,   f::Years3,          S::InputValues,    3, F::Digit, 0, "CGInNameOfInvest",       P::Never,         D::MarksEdited, Y::EveryLeave, false},
    BoxRule{"CGInNameOfInvest",       CompoundGainTab,    AnyChoice, K::Text,    {},                 S::None,           0, F::None,  0, "CGCalculate",            P::Never,         D::Plain,       Y::Never,      false},

    BoxRule{"CRInCapitalReq",         CapitalRequiredTab, AnyChoice, K::Money,   f::Money,           S::InputValues,    1, F::Money, 0, "CRInIntGrowthRate",      P::Always,        D::MarksEdited, Y::Never,      false},
    BoxRule{"CRInIntGrowthRate",      CapitalRequiredTab, AnyChoice, K::Percent, f::Percent,         S::InputValues,    2, F::Money, 0, "CRInTimeInYrs",          P::Always,        D::MarksEdited, Y::Never,      false},
    BoxRule{"CRInTimeInYrs",          CapitalRequiredTab, AnyChoice, K::Years,   f::Years3,          S::InputValues,    3, F::Digit, 0, "CRCalculate",            P::Always,        D::MarksEdited, Y::EveryLeave, false},

    BoxRule{"IGInBegBal",             InvestedGrowthTab,  AnyChoice, K::Money,   f::InvestedMoney,   S::InputValues,    1, F::Money, 0, "IGInEachContrib",        P::WhileComplete, D::MarksEdited, Y::Never,      false},
    BoxRule{"IGInEachContrib",        InvestedGrowthTab,  AnyChoice, K::Money,   f::InvestedMoney,   S::InputValues,    2, F::Money, 0, "IGInMonthsYrs",          P::WhileComplete, D::MarksEdited, Y::Never,      false},
    BoxRule{"IGInIntGrowthRate",      InvestedGrowthTab,  AnyChoice, K::Percent, f::InvestedPercent, S::InputValues,    4, F::Money, 0, "IGInAnnContribRate",     P::WhileComplete, D::MarksEdited, Y::Never,      false},
    BoxRule{"IGInAnnContribRate",     InvestedGrowthTab,  AnyChoice, K::Percent, f::InvestedPercent, S::InputValues,    5, F::Money, 0, "IGInAnninFlatRate",      P::WhileComplete, D::MarksEdited, Y::Never,      false},
    BoxRule{"IGInAnninFlatRate",      InvestedGrowthTab,  AnyChoice, K::Percent, f::InvestedPercent, S::InputValues,    6, F::Money, 0, "IGInYearsInvested",      P::WhileComplete, D::MarksEdited, Y::Never,      false},
    BoxRule{"IGInYearsInvested",      InvestedGrowthTab,  AnyChoice, K::Years,   f::Years2,          S::InputValues,    7, F::Digit, 0, "IGCalculate",            P::WhileComplete, D::MarksEdited, Y::EveryLeave, false},

    BoxRule{"MTInPrincipal",          MortgageTab,        AnyChoice, K::Money,   f::Money,           S::MortgageInputs, 1, F::Money, 0, "MTInRate",               P::Never,         D::MarksEdited, Y::Never,      true},
    BoxRule{"MTInRate",               MortgageTab,        AnyChoice, K::Percent, f::MortgageRate,    S::MortgageInputs, 2, F::Money, 3, "MTInTerm",               P::Never,         D::MarksEdited, Y::Never,      true},
    BoxRule{"MTInTerm",               MortgageTab,        AnyChoice, K::Years,   f::Years5,          S::MortgageInputs, 3, F::Digit, 0, "MTInMthPayment",         P::Never,         D::MarksEdited, Y::EveryLeave, true},
    BoxRule{"MTInMthPayment",         MortgageTab,        AnyChoice, K::Money,   f::Money,           S::MortgageInputs, 4, F::Money, 0, "MTFreqPmt",              P::Never,         D::MarksEdited, Y::Never,      true},

    BoxRule{"PGInCurrBalance",        PensionGrowthTab,   AnyChoice, K::Money,   f::Money,           S::InputValues,    1, F::Money, 0, "PGInCurrAnnSalary",      P::Always,        D::EmptiesBox,  Y::Never,      false},
    BoxRule{"PGInCurrAnnSalary",      PensionGrowthTab,   AnyChoice, K::Money,   f::Money,           S::InputValues,    2, F::Money, 0, "PGInAnnContribRate",     P::Always,        D::EmptiesBox,  Y::Never,      false},
    BoxRule{"PGInAnnContribRate",     PensionGrowthTab,   AnyChoice, K::Percent, f::Percent,         S::InputValues,    3, F::Money, 0, "PGInCompAnnContribRate", P::Always,        D::EmptiesBox,  Y::Never,      false},
    BoxRule{"PGInCompAnnContribRate", PensionGrowthTab,   AnyChoice, K::Percent, f::Percent,         S::InputValues,    4, F::Money, 0, "PGInEstSalIncrease",     P::Always,        D::EmptiesBox,  Y::Never,      false},
    BoxRule{"PGInEstSalIncrease",     PensionGrowthTab,   AnyChoice, K::Percent, f::Percent,         S::InputValues,    5, F::Money, 0, "PGInAnnIntGrowthRate",   P::Always,        D::EmptiesBox,  Y::Never,      false},
    BoxRule{"PGInAnnIntGrowthRate",   PensionGrowthTab,   AnyChoice, K::Percent, f::Percent,         S::InputValues,    6, F::Money, 0, "PGInEstAnnFlatRate",     P::Always,        D::EmptiesBox,  Y::Never,      false},
    BoxRule{"PGInEstAnnFlatRate",     PensionGrowthTab,   AnyChoice, K::Percent, f::Percent,         S::InputValues,    7, F::Money, 0, "PGInNumYearsToRetire",   P::Always,        D::EmptiesBox,  Y::Never,      false},
    BoxRule{"PGInNumYearsToRetire",   PensionGrowthTab,   AnyChoice, K::Years,   f::Years3,          S::InputValues,    8, F::Digit, 0, "PGCalculate",            P::Always,        D::EmptiesBox,  Y::EveryLeave, false},

    BoxRule{"RIInCurrValue",          RetiredIncomeTab,   AnyChoice, K::Money,   f::Money,           S::InputValues,    1, F::Money, 0, "RIInAnnIntGrowthRate",   P::Always,        D::MarksEdited, Y::Never,      false},
    BoxRule{"RIInAnnIntGrowthRate",   RetiredIncomeTab,   AnyChoice, K::Percent, f::Percent,         S::InputValues,    2, F::Money, 0, "RIInAnnIncWDrawnRate",   P::Always,        D::MarksEdited, Y::Never,      false},
    BoxRule{"RIInAnnIncWDrawnRate",   RetiredIncomeTab,   Option0,   K::Percent, f::Percent,         S::InputValues,    3, F::Money, 0, "RIInTimeInYrs",          P::Always,        D::MarksEdited, Y::Never,      false},
    BoxRule{"RIInAnnIncWDrawnRate",   RetiredIncomeTab,   Option1,   K::Money,   f::ShortMoney,      S::InputValues,    3, F::Money, 0, "RIInTimeInYrs",          P::Always,        D::MarksEdited, Y::Never,      false},
    BoxRule{"RIInTimeInYrs",          RetiredIncomeTab,   Option0,   K::Years,   f::Years6,          S::InputValues,    4, F::Digit, 0, "RICalculate",            P::Always,        D::MarksEdited, Y::EveryLeave, false},
    BoxRule{"RIInTimeInYrs",          RetiredIncomeTab,   Option1,   K::Percent, f::Percent,         S::InputValues,    4, F::Money, 0, "RICalculate",            P::Always,        D::MarksEdited, Y::Never,      false},
};

constexpr std::array Defaults{
    BoxDefault{"PGInCurrBalance", AnyChoice, 0},
    BoxDefault{"PGInCurrAnnSalary", AnyChoice, 40000},
    BoxDefault{"PGInAnnContribRate", AnyChoice, 4},
    BoxDefault{"PGInCompAnnContribRate", AnyChoice, 4},
    BoxDefault{"PGInEstSalIncrease", AnyChoice, 4},
    BoxDefault{"PGInAnnIntGrowthRate", AnyChoice, 10},
    BoxDefault{"PGInEstAnnFlatRate", AnyChoice, 0},
    BoxDefault{"PGInNumYearsToRetire", AnyChoice, 25},

    BoxDefault{"MTInPrincipal", AnyChoice, 100000},
    BoxDefault{"MTInRate", AnyChoice, 6.5},
    BoxDefault{"MTInTerm", AnyChoice, 25},

    BoxDefault{"IGInBegBal", AnyChoice, 0},
    BoxDefault{"IGInEachContrib", AnyChoice, 1000},
    BoxDefault{"IGInIntGrowthRate", AnyChoice, 15},
    BoxDefault{"IGInAnnContribRate", AnyChoice, 0},
    BoxDefault{"IGInAnninFlatRate", AnyChoice, 0},
    BoxDefault{"IGInYearsInvested", AnyChoice, 25},

    BoxDefault{"RIInCurrValue", Option0,    500000},
    BoxDefault{"RIInAnnIntGrowthRate", Option0,    10},
    BoxDefault{"RIInAnnIncWDrawnRate", Option0,    8},
    BoxDefault{"RIInTimeInYrs", Option0,    20},
    BoxDefault{"RIInCurrValue", Option1, 100000},
    BoxDefault{"RIInAnnIntGrowthRate", Option1, 10},
    BoxDefault{"RIInAnnIncWDrawnRate", Option1, 1000},
    BoxDefault{"RIInTimeInYrs", Option1, 0},

    BoxDefault{"CGInCostofInvest", AnyChoice, 10000},
    BoxDefault{"CGInValueNow", AnyChoice, 20000},
    BoxDefault{"CGInNumOfYrs", AnyChoice, 5},

    BoxDefault{"CRInCapitalReq", Option0,    100000},
    BoxDefault{"CRInIntGrowthRate", Option0,    15},
    BoxDefault{"CRInTimeInYrs", Option0,    25},
    BoxDefault{"CRInCapitalReq", Option1, 40000},
    BoxDefault{"CRInIntGrowthRate", Option1, 15},
    BoxDefault{"CRInTimeInYrs", Option1, 25},
};
// clang-format on

constexpr std::array<const char16_t*, 3> FrequencyItems{u"Annually", u"Quarterly", u"Monthly"};
constexpr std::array<const char16_t*, 5> CompoundingItems{u"Monthly", u"Bimonthly", u"Quarterly",
                                                          u"Semiannual", u"Annual"};
constexpr std::array<const char16_t*, 6> PaymentItems{u"Monthly", u"Semimonthly",   u"2 Weeks",
                                                      u"1 Week",  u"Biweekly(acl)", u"Weekly(acl)"};

const std::array Lists{
    ListRule{"IGInMonthsYrs", InvestedGrowthTab, FrequencyItems, "IGInIntGrowthRate",
             ListClick::EmptiesPageWhileComplete, ListLeave::Nothing, true},
    ListRule{"MTCompPeriod", MortgageTab, CompoundingItems, "MTInPrincipal", ListClick::MarksEdited,
             ListLeave::RecalculateMortgage, false},
    ListRule{"MTFreqPmt", MortgageTab, PaymentItems, "MTCalculate", ListClick::MarksEdited,
             ListLeave::ApplyDaysOption, false},
};

bool matches(int rowChoice, int choice) {
    return rowChoice == AnyChoice || rowChoice == choice;
}

} // namespace

std::span<const BoxRule> AllBoxes() {
    return Boxes;
}

const BoxRule* FindBox(const QString& name, int choice) {
    for (const BoxRule& box : Boxes) {
        if (name == QLatin1String(box.name) && matches(box.choice, choice))
            return &box;
    }
    return nullptr;
}

std::vector<BoxDefault> DefaultsFor(CalcTab tab, int choice) {
    std::vector<BoxDefault> out;
    for (const BoxDefault& d : Defaults) {
        const BoxRule* box = FindBox(QString::fromLatin1(d.box), choice);
        if (box && box->tab == tab && matches(d.choice, choice))
            out.push_back(d);
    }
    return out;
}

const ListRule* FindList(const QString& name) {
    for (const ListRule& list : Lists) {
        if (name == QLatin1String(list.name))
            return &list;
    }
    return nullptr;
}

QString TextAfterKey(QStringView text, int cursor, int selectionStart, int selectionLength,
                     QChar typed) {
    QString out = text.toString();
    if (selectionLength > 0 && selectionStart >= 0 && selectionStart <= out.size()) {
        out.replace(selectionStart, selectionLength, typed);
        return out;
    }
    out.insert(qBound(0, cursor, static_cast<int>(out.size())), typed);
    return out;
}

bool FitsCurrency(QStringView text) {
    // The whole digits of the number Val reads: blanks are skipped, a sign may lead, and the
    // number ends at the point or at any other character.
    int digits = 0;
    bool started = false;
    for (const QChar ch : text) {
        if (ch == QLatin1Char(' ') || ch == QLatin1Char('\t') || ch == QLatin1Char('\n'))
            continue;
        if (!started && (ch == QLatin1Char('-') || ch == QLatin1Char('+'))) {
            started = true;
            continue;
        }
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9'))
            break;
        started = true;
        ++digits;
    }
    if (digits > 15)
        return false;
    try {
        Currency::fromDouble(Val(text));
    } catch (const CalcError&) {
        return false;
    }
    return true;
}

} // namespace qm
