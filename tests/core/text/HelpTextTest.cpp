#include "core/text/HelpText.h"
#include "core/text/Page.h"

#include <QDir>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

using namespace qm;

namespace {

// Every help page with the symbol "£" and a pinned date: each placeholder replaced, the symbol
// and the date where the page writes an amount or a sample date (the "$" of HowToUse and
// IncomeRequired is text of its own), every line ended by LineEnd, and the page whole.
TEST(HelpText, EveryPageFillsItsPlaceholders) {
    const QString Symbol = QStringLiteral("£");
    const QString Date = QStringLiteral("07/12/2026");
    const struct {
        const char* name;
        int symbols; // times the symbol appears
        int dates;   // times the date appears
        int length;  // characters of the whole page
        const char* line;
    } pages[] = {
        // clang-format off
        {"CapitalRequired", 1, 0, 263, "build your capital to £100,000.00."},
        {"CompoundGain", 8, 0, 839, "value of £1,000.00 in 6 years, cost £500.00."},
        {"CurrentValue", 0, 0, 147, "For DtaSampl enter 20.00 for all current price inputs. "},
        {"FundDisplay", 0, 0, 100, "For all funds click the Display All Funds button."},
        {"HowToUse", 0, 0, 1100, "Automatic formatting puts in the $ and %"},
        {"IncomeRequired", 0, 0, 259, "give an annual income of $40,000.00."},
        {"InvestedGrowth", 4, 0, 1322, "value would be of £30,000.00 at a 5% annnual"},
        {"Mortgage", 0, 0, 1436, "Compare up to 10 different Mortgages."},
        {"PensionGrowth", 0, 0, 576, "In USA also use for 401(k) investment plan."},
        {"RecordEntry", 0, 6, 3065,
         "   Cash Dividend   07/12/2026                                      100.00"},
        {"RetiredIncomeFixed", 0, 0, 795, "Increase annual income by % = 3.00%."},
        {"RetiredIncomePercentage", 1, 0, 525, "Shows £100,000.00 amount invested on"},
        // clang-format on
    };
    QStringList names;
    for (const auto& p : pages) {
        const QString name = QString::fromLatin1(p.name);
        names << name + QStringLiteral(".txt");
        SCOPED_TRACE(p.name);
        const QString page = HelpText(name, Symbol, Date);
        EXPECT_FALSE(page.contains(QRegularExpression(QStringLiteral("[{}]"))));
        EXPECT_EQ(page.count(Symbol), p.symbols);
        EXPECT_EQ(page.count(Date), p.dates);
        EXPECT_EQ(page.size(), p.length);
        EXPECT_EQ(page.count(QLatin1Char('\n')), page.count(LineEnd));
        EXPECT_EQ(page.count(QLatin1Char('\r')), page.count(LineEnd));
        EXPECT_TRUE(page.split(LineEnd).contains(QString::fromUtf8(p.line)));
    }
    // Every page of the resources is in the table.
    EXPECT_EQ(QDir(QStringLiteral(":/help")).entryList(QDir::Files, QDir::Name), names);
    EXPECT_TRUE(HelpText(u"NoSuchPage", Symbol, Date).isEmpty());
}

} // namespace
