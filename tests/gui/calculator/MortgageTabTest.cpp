// The mortgage tab as the window runs it: the solver on opening and on leaving controls, the
// option buttons, the payment messages and the Calculate page.
#include "gui/calculator/InvestFixture.h"
#include "support/PageColumns.h"

#include "core/text/Messages.h"

#include <QImage>
#include <QRadioButton>
#include <algorithm>
#include <map>
#include <vector>

using namespace qm;
using namespace qmtest;

namespace {

const char* const ResultCaptions[] = {"MTTotalPmts", "MTNumPmts",     "MTNumYrs",
                                      "MTPiPmt",     "MTTotIntSaved", "MTTotIntPaid"};

// A control and what is done to it: keys typed ({Down} chooses a list's next item), or, for a
// days-in-year button, "click".
using Steps = std::vector<std::pair<const char*, const char*>>;

class MortgageTabTest : public InvestWindowTest {
protected:
    void SetUp() override {
        InvestWindowTest::SetUp();
        selectTab(MortgageTab);
    }
    // Runs the steps, leaving each control for "&Calculate"; returns the messages shown.
    QStringList run(const char* solveFor, const Steps& steps) {
        if (solveFor)
            get<QRadioButton>(solveFor)->click();
        QStringList messages;
        for (const auto& [name, action] : steps) {
            QWidget* control = get(name);
            focus(control);
            if (QLatin1String(action) == QLatin1String("click"))
                static_cast<QAbstractButton*>(control)->click();
            else
                type(control, QString::fromLatin1(action));
            messages << leaveTo(get("MTCalculate"));
        }
        return messages;
    }
};

struct SolveCase {
    const char* name;
    const char* solveFor;
    Steps steps;
    int beeps;
    QStringList messages;
    std::map<const char*, const char*> shown; // control -> text
    int daysButton;
};

void PrintTo(const SolveCase& c, std::ostream* os) {
    qmtest::PrintFields(os, c.name, c.solveFor, c.steps, c.beeps, c.messages, c.shown,
                        c.daysButton);
}

// clang-format off
const SolveCase SolveCases[] = {
    {"defaults", nullptr, {}, 0, {},
     {{"MTInMthPayment", "      $675.21"}, {"MTTotalPmts", "  $102,562.14"}, {"MTNumPmts", "12"},
      {"MTDaysInYear", "Normal"}, {"MTNumYrs", "25.00"}, {"MTPiPmt", "      $675.21"},
      {"MTTotIntSaved", "         $.00"}, {"MTTotIntPaid", "  $102,562.14"}}, 6},
    {"semiannual", nullptr, {{"MTCompPeriod", "{Down}{Down}{Down}"}}, 0, {},
     {{"MTCompPeriod", "Semiannual"}, {"MTInMthPayment", "      $669.82"},
      {"MTTotalPmts", "  $100,947.13"}}, 6},
    {"years solved", "MTTermOpt", {{"MTInMthPayment", "800"}}, 0, {},
     {{"MTInTerm", "17.44"}, {"MTInMthPayment", "      $800.00"}, {"MTTotalPmts", "   $67,397.35"}},
     6},
    {"principal solved", "MTPrincipalOpt", {{"MTInMthPayment", "800"}}, 0, {},
     {{"MTInPrincipal", "  $118,482.16"}, {"MTTotalPmts", "  $121,517.84"}}, 6},
    {"45 years", nullptr, {{"MTInTerm", "45"}}, 0, {MessageText(5)},
     {{"MTInTerm", "   40"}, {"MTInMthPayment", "      $585.46"}, {"MTNumYrs", "40.00"},
      {"MTTotalPmts", "  $181,019.26"}}, 6},
    {"three decimals", nullptr, {{"MTInRate", "7.1256"}}, 1, {},
     {{"MTInRate", " 7.125%"}, {"MTInMthPayment", "      $714.77"},
      {"MTTotalPmts", "  $114,431.97"}}, 6},
    {"biweekly accelerated", nullptr, {{"MTFreqPmt", "{Down}{Down}{Down}{Down}"}}, 0, {},
     {{"MTFreqPmt", "Biweekly(acl)"}, {"MTPiPmt", "      $337.60"}, {"MTNumPmts", "26"},
      {"MTDaysInYear", "365.00"}, {"MTNumYrs", "20.68"}, {"MTTotIntPaid", "   $81,557.27"},
      {"MTTotIntSaved", "   $21,004.87"}, {"MTTotalPmts", "  $102,562.14"}}, 1},
    {"weekly accelerated", nullptr, {{"MTFreqPmt", "{Down}{Down}{Down}{Down}{Down}"}}, 0, {},
     {{"MTPiPmt", "      $168.80"}, {"MTNumPmts", "52"}, {"MTDaysInYear", "365.00"},
      {"MTNumYrs", "20.66"}, {"MTTotIntPaid", "   $81,320.47"}, {"MTTotIntSaved", "   $21,241.68"}},
     1},
    {"biweekly at 364 days", nullptr,
     {{"MTFreqPmt", "{Down}{Down}{Down}{Down}"}, {"MTIRFactor(3)", "click"}}, 0, {},
     {{"MTDaysInYear", "364.00"}, {"MTNumYrs", "20.75"}, {"MTTotIntPaid", "   $82,109.86"},
      {"MTTotIntSaved", "   $20,452.29"}}, 3},
    // While "Monthly" a days button has no lasting effect: leaving it selects the normal one.
    {"days button while monthly", nullptr, {{"MTIRFactor(3)", "click"}}, 0, {},
     {{"MTDaysInYear", "Normal"}, {"MTTotIntPaid", "  $102,562.14"}}, 6},
    // Back to "Monthly" from a week-based frequency: the normal convention again.
    {"weekly then monthly", nullptr,
     {{"MTFreqPmt", "{Down}{Down}{Down}{Down}{Down}"}, {"MTFreqPmt", "{Home}"}}, 0, {},
     {{"MTFreqPmt", "Monthly"}, {"MTDaysInYear", "Normal"}, {"MTNumPmts", "12"}}, 6},
};
// clang-format on

class MortgageSolveTest : public MortgageTabTest,
                          public ::testing::WithParamInterface<SolveCase> {};

TEST_P(MortgageSolveTest, BoxesAndCaptions) {
    const SolveCase& c = GetParam();
    EXPECT_EQ(run(c.solveFor, c.steps), c.messages);
    EXPECT_EQ(beeps, c.beeps);
    for (const auto& [name, expected] : c.shown)
        EXPECT_EQ(text(name), QString::fromLatin1(expected)) << name;
    EXPECT_EQ(window->daysOption(), c.daysButton);
    EXPECT_TRUE(window->state().results.isEmpty()) << "solving writes no page";
    EXPECT_EQ(window->state().editFlag, 0);
}

INSTANTIATE_TEST_SUITE_P(Solves, MortgageSolveTest, ::testing::ValuesIn(SolveCases),
                         qmtest::CaseName<SolveCase>);

// A payment that cannot repay the loan in 40 years, or one not below the principal: the plain
// message box, the focus on the payment box, the result captions emptied except the days.
TEST_F(MortgageTabTest, PaymentMessages) {
    const QString tooSmall = QString::fromLatin1(PaymentTooSmallText);
    const QString tooLarge = QString::fromLatin1(PaymentTooLargeText);
    const struct {
        Steps steps;
        QString message;
    } cases[] = {
        {{{"MTInMthPayment", "550"}}, tooSmall},
        {{{"MTInMthPayment", "500"}}, tooSmall},
        {{{"MTInPrincipal", "1000"}, {"MTInMthPayment", "1000"}}, tooLarge},
    };
    for (const auto& c : cases) {
        selectTab(PensionGrowthTab);
        selectTab(MortgageTab);
        EXPECT_EQ(run("MTTermOpt", c.steps), QStringList{c.message});
        EXPECT_EQ(window->focusWidget(), get("MTInMthPayment")) << c.message.toStdString();
        for (const char* caption : ResultCaptions)
            EXPECT_TRUE(text(caption).isEmpty()) << caption;
        EXPECT_EQ(text("MTDaysInYear"), "Normal");
        EXPECT_TRUE(text("MTInTerm").isEmpty());

        // Calculate solves again: the same message, then the block with the empty values.
        EXPECT_EQ(press("MTCalculate"), QStringList{c.message});
        const QStringList lines = shownLines();
        ASSERT_EQ(lines.size(), 19);
        EXPECT_EQ(lines.at(4), "Amortization period in years:          ");
        EXPECT_EQ(lines.at(6), "Total interest paid:           ");
        EXPECT_EQ(window->state().comparisonData.at(1, 1), Currency());
    }
}

// Enter in the payment box moves on to the frequency list; a failing solve brings the focus
// back to the payment box.
TEST_F(MortgageTabTest, EnterAfterAFailingPaymentReturnsToIt) {
    get<QRadioButton>("MTTermOpt")->click();
    QWidget* payment = get("MTInMthPayment");
    focus(payment);
    EXPECT_EQ(answering([&] { type(payment, QStringLiteral("550{Enter}")); }),
              QStringList{QString::fromLatin1(PaymentTooSmallText)});
    QApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), payment);
}

// The option buttons colour the boxes (green and locked for the quantity solved, yellow for the
// others, the rate always yellow) and do not solve.
TEST_F(MortgageTabTest, OptionButtonsColourTheBoxes) {
    const struct {
        const char* option;
        const char* solved;
    } cases[] = {{"MTTermOpt", "MTInTerm"},
                 {"MTPrincipalOpt", "MTInPrincipal"},
                 {"MTPaymentOpt", "MTInMthPayment"}};
    const QColor green(128, 255, 128), yellow(255, 255, 0);
    // The colour a box is drawn in: the most frequent of its pixels.
    const auto shade = [&](const char* name) {
        const QImage image = box(name)->grab().toImage();
        std::map<QRgb, int> counts;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                ++counts[image.pixel(x, y)];
        return QColor(std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                          return a.second < b.second;
                      })->first);
    };
    for (const auto& c : cases) {
        window->setControlText(QStringLiteral("MTTotalPmts"), QStringLiteral("unsolved"));
        window->state().editFlag = 1;
        get<QRadioButton>(c.option)->click();
        for (const char* name : {"MTInPrincipal", "MTInRate", "MTInTerm", "MTInMthPayment"}) {
            const bool solved = QLatin1String(name) == QLatin1String(c.solved);
            EXPECT_EQ(shade(name), solved ? green : yellow) << c.option << " " << name;
            EXPECT_EQ(box(name)->isReadOnly(), solved) << c.option << " " << name;
        }
        EXPECT_EQ(text("MTTotalPmts"), "unsolved") << c.option;
        EXPECT_EQ(window->state().editFlag, 0);
    }
}

// The sixteen lines of Calculate with the defaults, and the comparison values read back from
// the two total captions.
TEST_F(MortgageTabTest, CalculatePageOfTheDefaults) {
    EXPECT_TRUE(press("MTCalculate").isEmpty());
    const QString payment = QStringLiteral("      $675.21");
    const QString interest = QStringLiteral("  $102,562.14");
    expectSameLines(
        pageLines(window->state().resultsPage),
        {"           Conventional Mortgage", "Compound interest periods/yr:        Monthly",
         "Principal amount of mortgage:    $100,000.00",
         "Annual interest rate %:                6.500%",
         "Amortization period in years:             25",
         "Monthly principal + interest:  " + payment, "Total interest paid:           " + interest,
         "", "             Accelerated Mortgage", "Frequency/type of payment:           Monthly",
         "Number of payments each year:             12",
         "Number of days in year used:          Normal",
         "Interest saved v normal mtge:           $.00",
         "No. of years to final payment:         25.00",
         "Each payment, Principal + int: " + payment, "Total interest paid:           " + interest,
         QString(44, QLatin1Char('_')), ""});
    EXPECT_EQ(shownLines().size(), 19);
    const CalcState& state = window->state();
    EXPECT_EQ(state.comparisonData.at(1, 1), Currency::fromRaw(1025621400));
    EXPECT_EQ(state.comparisonData.at(1, 2), Currency::fromRaw(1025621400));
    EXPECT_EQ(state.chartPoints, 1);
    EXPECT_EQ(state.chartKind, ChartKind::MortgageComparisons);
}

TEST_F(MortgageTabTest, TenComparisonsThenAFreshPage) {
    for (int click = 1; click <= 11; ++click) {
        EXPECT_EQ(press("MTCalculate"), click == 10 ? QStringList{MessageText(8)} : QStringList{})
            << click;
        EXPECT_EQ(shownLines().size(), (click <= 10 ? click : 1) * 18 + 1) << click;
        EXPECT_EQ(window->state().comparisonCount, click % 10) << click;
    }
}

// A rate whose powers leave the number range fails the solve with message 3, on leaving the box
// and on Calculate; the block is still written, with the result values empty.
TEST_F(MortgageTabTest, TooLargeRateGivesMessageThree) {
    EXPECT_EQ(run(nullptr, {{"MTInRate", "999999"}}), QStringList{MessageText(3)});
    for (const char* caption : ResultCaptions)
        EXPECT_TRUE(text(caption).isEmpty()) << caption;
    EXPECT_EQ(text("MTDaysInYear"), "Normal");
    EXPECT_EQ(text("MTInMthPayment"), "         $.00");
    EXPECT_EQ(press("MTCalculate"), QStringList{MessageText(3)});
    EXPECT_EQ(shownLines().size(), 19);
    EXPECT_EQ(window->state().comparisonData.at(1, 1), Currency());
}

} // namespace
