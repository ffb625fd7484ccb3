#include "gui/manager/ManagerWindowFixture.h"

#include <QListWidget>
#include <cmath>
#include <map>

using namespace qm;
using namespace qmtest;

namespace {

// Four funds: bought and sold; bought; bought with dividend shares; a cash dividend.
const QByteArray FourFunds = "6,4,\"All Records\",\"31\"\r\n"
                             "\"A Bought Sold\",\" 1\"\r\n\"B Bought\",\" 2\"\r\n"
                             "\"C Bought Div\",\" 3\"\r\n\"D Cash\",\" 4\"\r\n"
                             "1,10,100,50,0,1050,\"B\",#2024-01-02#\r\n"
                             "2,10,100,50,0,1050,\"B\",#2024-01-02#\r\n"
                             "3,10,100,50,0,1050,\"B\",#2024-01-02#\r\n"
                             "1,10,-100,50,0,-950,\"S\",#2024-01-03#\r\n"
                             "3,10,10,0,0,0,\"D\",#2024-01-04#\r\n"
                             "4,0,0,0,100,-100,\"C\",#2024-01-05#\r\n";
const std::initializer_list<int> TotalColumns{30, 44, 55, 66, 77, 90};
const std::initializer_list<int> ValueColumns{4, 16, 28, 40, 53, 65, 75, 85};

QString rj(const char* text, int width) {
    return QString::fromLatin1(text).rightJustified(width);
}

double number(QString text) {
    text.remove(QLatin1Char(','));
    text.remove(QLatin1Char('%'));
    return text.toDouble();
}

QString lineStarting(const QStringList& lines, const char* start) {
    for (const QString& line : lines) {
        if (line.startsWith(QLatin1String(start)))
            return line;
    }
    return QString();
}

class ManagerReports : public ManagerWindowTest {
protected:
    QStringList doubleClickFund(int row) {
        auto* list = get<QListWidget>("DDispFunds");
        const QPoint at = row < 0 ? QPoint(5, list->viewport()->height() - 3)
                                  : list->visualItemRect(list->item(row)).center();
        return run([&] { QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at); });
    }
    QStringList prices(int count) {
        QStringList out;
        for (int i = 0; i < count; ++i)
            out << text(QStringLiteral("CVInPrice(%1)").arg(i).toLatin1());
        return out;
    }
};

TEST_F(ManagerReports, FundDisplayOfEachFundAndOfAll) {
    EXPECT_EQ(openFile(writeFile(QStringLiteral("FOUR.QMD"), FourFunds)), QStringList());
    EXPECT_EQ(clickTab(3), QStringList());
    auto* list = get<QListWidget>("DDispFunds");
    ASSERT_EQ(list->count(), 4);
    EXPECT_EQ(list->currentRow(), 0);
    const struct {
        const char* name;
        QStringList total;
        const char* average;
    } funds[] = {
        {"A Bought Sold", {"Total:", ".0000", "100.0000", ".00", ".00", "100.00"}, ".0000"},
        {"B Bought", {"Total:", "100.0000", "50.0000", ".00", ".00", "1,050.00"}, "10.5000"},
        {"C Bought Div", {"Total:", "110.0000", "50.0000", "100.00", ".00", "1,050.00"}, "9.5455"},
        {"D Cash", {"Total:", ".0000", ".0000", ".00", "100.00", "-100.00"}, ".0000"},
        {"", {"Total:", ".0000", ".0000", ".00", ".00", ".00"}, ".0000"}, // no line selected
    };
    for (int row = 0; row < 5; ++row) {
        const auto& f = funds[row];
        if (row == 4)
            list->clearSelection();
        EXPECT_EQ(doubleClickFund(row < 4 ? row : -1), QStringList());
        const QStringList page = lines("DDResults");
        ASSERT_GT(page.size(), 4);
        EXPECT_EQ(page[2], QString(90, QLatin1Char('_')));
        EXPECT_EQ(page[3], QLatin1String(f.name));
        EXPECT_EQ(fields(lineStarting(page, "Total:"), TotalColumns), f.total) << f.name;
        EXPECT_EQ(fields(lineStarting(page, "Average cost per share = "), {25, 36}),
                  QStringList({"Average cost per share =", f.average}))
            << f.name;
    }
    EXPECT_EQ(click("DDisplall"), QStringList());
    const QStringList all = lines("DDResults");
    EXPECT_EQ(all.filter(QRegularExpression(QStringLiteral("^Total:"))).size(), 4);
    EXPECT_EQ(
        fields(lineStarting(all, "Total all funds:"), TotalColumns),
        QStringList({"Total all funds:", "210.0000", "200.0000", "100.00", "100.00", "2,100.00"}));
    EXPECT_EQ(list->currentRow(), 0);
}

// The two-fund example typed in, priced at 11 and 18, compared line by line; then printed and
// charted.
TEST_F(ManagerReports, CurrentValueOfTheTwoFundExample) {
    fundWith(QStringLiteral("Fund A"),
             {{"Bought", "1/2/2024{Enter}10{Enter}100{Enter}9.95{Enter}"},
              {"Cash Dividend", "1/3/2024{Enter}25{Enter}"},
              {"Sold", "1/4/2024{Enter}12.50{Enter}40{Enter}9.95{Enter}"}});
    fundWith(QStringLiteral("Fund B"), {{"Bought", "1/5/2024{Enter}20{Enter}50{Enter}{Enter}"}});
    EXPECT_EQ(clickTab(4), QStringList());
    EXPECT_EQ(text("CVFundName(0)"), "Fund A");
    EXPECT_EQ(text("CVFundName(1)"), "Fund B");
    EXPECT_EQ(text("CVFundName(2)"), "");
    EXPECT_FALSE(get("CVInPrice(2)")->isEnabled());
    EXPECT_EQ(prices(2), QStringList({".0000", ".0000"}));
    EXPECT_EQ(click("CVGraph"), QStringList({msg(4)}));
    EXPECT_EQ(click("CVPrint"), QStringList({msg(2)}));

    focus("CVInPrice(0)");
    keys(QStringLiteral("11{Enter}18{Enter}"));
    EXPECT_EQ(shownName(), "CVCalc");
    EXPECT_EQ(prices(2), QStringList({"$11.0000", "$18.0000"}));
    EXPECT_EQ(click("CVCalc"), QStringList());
    const QStringList expected{
        "Fund      Number        Book     Current      Current       Gain/     Gain/      % 0f",
        "Name      Shares       Value       Price        Total       Loss$     Loss%     Total",
        QString(85, QLatin1Char('_')),
        "Fund A",
        "    " + rj("60.0000", 12) + rj("494.90", 12) + rj("11.00", 12) + rj("660.00", 13) +
            rj("165.10", 12) + rj("33.36", 9) + "%" + rj("42.30", 9) + "%",
        "",
        "Fund B",
        "    " + rj("50.0000", 12) + rj("1,000.00", 12) + rj("18.00", 12) + rj("900.00", 13) +
            rj("-100.00", 12) + rj("-10.00", 9) + "%" + rj("57.69", 9) + "%",
        "",
        QString(85, QLatin1Char('_')),
        "Tot:" + rj("110.0000", 12) + rj("1,494.90", 12) + QString(12, QLatin1Char(' ')) +
            rj("1,560.00", 13) + rj("65.10", 12) + rj("4.35", 9) + "%" + rj("100.00", 9) + "%",
        "",
    };
    EXPECT_EQ(lines("CVResults"), expected);
    EXPECT_EQ(click("CVPrint"), QStringList());
    ASSERT_FALSE(printed.isEmpty());
    EXPECT_EQ(printed.last().split(QStringLiteral("\r\n")), expected);

    int points = 0;
    std::vector<Currency> gains;
    QStringList names;
    managerHooks().showChart = [&](int n, FundTotalReader fundTotal, QStringList fundNames) {
        points = n;
        for (int row = 1; row <= n; ++row)
            gains.push_back(fundTotal(row, 4));
        names = fundNames;
    };
    EXPECT_EQ(click("CVGraph"), QStringList());
    EXPECT_EQ(points, 2);
    EXPECT_EQ(gains,
              std::vector<Currency>({Currency::fromDouble(165.10), Currency::fromUnits(-100)}));
    EXPECT_EQ(names, QStringList({"Fund A", "Fund B"}));

    // The first key typed into a price box drops the report.
    focus("CVInPrice(1)");
    keys(QStringLiteral("1"));
    EXPECT_EQ(text("CVResults"), "");
    EXPECT_EQ(click("CVGraph"), QStringList({msg(4)}));
}

TEST_F(ManagerReports, CurrentValueRefusalsAndFourDecimalPrices) {
    fundWith(QStringLiteral("Held"), {{"Bought", "1/2/2024{Enter}10{Enter}100{Enter}{Enter}"}});
    addFund(QStringLiteral("Empty"));
    clickTab(4);
    focus("CVInPrice(0)");
    keys(QStringLiteral("12.34567{Enter}"));
    EXPECT_EQ(beeps, 1) << "a fifth decimal";
    EXPECT_EQ(text("CVInPrice(0)"), "$12.3456");
    EXPECT_EQ(click("CVCalc"), QStringList({msg(28)}));
    EXPECT_EQ(text("CVResults"), "");

    clickTab(2);
    choose("EFunds", QStringLiteral("Empty"));
    click("EDelRec", {QStringLiteral("yes")});
    fundWith(QStringLiteral("No price"), {{"Bought", "1/2/2024{Enter}10{Enter}100{Enter}{Enter}"}});
    fundWith(QStringLiteral("Sold out"), {{"Bought", "1/2/2024{Enter}10{Enter}100{Enter}{Enter}"},
                                          {"Sold", "1/3/2024{Enter}10{Enter}100{Enter}{Enter}"}});
    clickTab(4);
    EXPECT_EQ(prices(3), QStringList({".0000", ".0000", ".0000"})) << "unsaved: prices forgotten";
    focus("CVInPrice(0)");
    keys(QStringLiteral("12.3456{Enter}"));
    EXPECT_EQ(click("CVCalc"), QStringList({msg(24)}));
    EXPECT_EQ(text("CVResults"), "");
    focus("CVInPrice(1)");
    keys(QStringLiteral("10{Enter}"));
    EXPECT_EQ(shownName(), "CVInPrice(2)");
    EXPECT_EQ(click("CVCalc"), QStringList()) << "a fund with every share sold needs no price";
    const QStringList report = lines("CVResults");
    ASSERT_GE(report.size(), 12);
    EXPECT_EQ(report[3], "Held");
    const QStringList held = fields(report[4], ValueColumns);
    EXPECT_EQ(held[3], "12.35");
    EXPECT_EQ(held[4], "1,234.56");
    EXPECT_EQ(report[9], "Sold out");
    const QStringList soldOut = fields(report[10], ValueColumns);
    EXPECT_EQ(soldOut[4], ".00");
    EXPECT_EQ(soldOut[7], ".00%");
}

// Typed prices stay from one visit to the next; they are forgotten when the record list is
// rebuilt, when the first fund has no price, and while there are unsaved changes.
TEST_F(ManagerReports, PricesKeptAcrossVisitsUntilForgotten) {
    openFile(writeFile(QStringLiteral("TWO.QMD"), "2,2,\"All Records\",\"31\"\r\n"
                                                  "\"Fund A\",\" 1\"\r\n\"Fund B\",\" 2\"\r\n"
                                                  "1,10,100,0,0,1000,\"B\",#2024-01-02#\r\n"
                                                  "2,20,50,0,0,1000,\"B\",#2024-01-03#\r\n"));
    const auto typePrices = [&](const char* typed) {
        clickTab(4);
        focus("CVInPrice(0)");
        keys(QLatin1String(typed));
    };
    typePrices("11{Enter}18{Enter}");
    clickTab(3);
    clickTab(4);
    EXPECT_EQ(prices(2), QStringList({"11.0000", "18.0000"}));
    EXPECT_EQ(click("CVCalc"), QStringList());
    clickTab(2);
    EXPECT_EQ(text("CVResults"), "") << "a tab change empties the report";
    clickTab(4);
    EXPECT_EQ(prices(2), QStringList({"11.0000", "18.0000"}));

    clickTab(2);
    choose("EFunds", QStringLiteral("Fund A"));
    clickTab(4);
    EXPECT_EQ(prices(2), QStringList({".0000", ".0000"})) << "the record list was shown";

    focus("CVInPrice(1)");
    keys(QStringLiteral("18{Enter}"));
    clickTab(3);
    clickTab(4);
    EXPECT_EQ(prices(2), QStringList({".0000", ".0000"})) << "no first price";

    clickTab(2);
    choose("EFunds", QStringLiteral("Fund B"));
    enter(QStringLiteral("Fee Cash"), QStringLiteral("1/4/2024{Enter}5"));
    typePrices("11{Enter}18{Enter}");
    clickTab(3);
    clickTab(4);
    EXPECT_EQ(prices(2), QStringList({".0000", ".0000"})) << "unsaved changes";
}

// The shipped sample database at 20.00 a share, against totals worked out from its lines.
TEST_F(ManagerReports, SampleDatabaseAtTwenty) {
    const QString path = copyOf(QFile::exists(QStringLiteral(QM_BUILT_SAMPLE_DATABASE))
                                    ? QStringLiteral(QM_BUILT_SAMPLE_DATABASE)
                                    : QStringLiteral(QM_SAMPLE_DATABASE));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList fileLines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    const int records = fileLines[0].section(QLatin1Char(','), 0, 0).toInt();
    const int funds = fileLines[0].section(QLatin1Char(','), 1, 1).toInt();
    std::map<int, std::pair<double, double>> held; // fund: shares, book value
    for (int r = 1; r <= records; ++r) {
        const QStringList items = fileLines[funds + r].split(QLatin1Char(','));
        auto& [shares, book] = held[items[0].toInt()];
        shares += items[2].toDouble();
        book += items[5].toDouble();
    }

    EXPECT_EQ(openFile(path), QStringList());
    EXPECT_EQ(text("EDbaseName"), "Database: DtaSampl.QMD");
    clickTab(4);
    focus("CVInPrice(0)");
    for (int k = 0; k < funds; ++k)
        keys(QStringLiteral("20{Enter}"));
    EXPECT_EQ(shownName(), "CVCalc");
    EXPECT_EQ(click("CVCalc"), QStringList());
    const QStringList report = lines("CVResults");
    ASSERT_EQ(report.size(), 3 + 3 * funds + 3);

    double allShares = 0, allBook = 0, allTotal = 0;
    for (const auto& [k, sums] : held) {
        allShares += sums.first;
        allBook += sums.second;
        allTotal += sums.first * 20;
    }
    double shareSum = 0;
    for (int k = 1; k <= funds; ++k) {
        EXPECT_EQ(report[3 * k], fileLines[k].section(QLatin1Char('"'), 1, 1));
        const QStringList f = fields(report[3 * k + 1], ValueColumns);
        const auto [shares, book] = held[k];
        const double total = shares * 20;
        EXPECT_NEAR(number(f[1]), shares, 1e-6) << k;
        EXPECT_NEAR(number(f[2]), book, 0.005) << k;
        EXPECT_EQ(f[3], "20.00");
        EXPECT_NEAR(number(f[4]), total, 0.005) << k;
        EXPECT_NEAR(number(f[5]), total - book, 0.005) << k;
        if (book >= 0.005) {
            EXPECT_NEAR(number(f[6]), (total - book) / book * 100, 0.0051) << k;
        }
        const double share = total > 0 ? total / allTotal * 100 : 0;
        EXPECT_LE(number(f[7]), share + 1e-9) << k;
        EXPECT_GT(number(f[7]), share - 0.01) << k;
        shareSum += number(f[7]);
    }
    EXPECT_NEAR(shareSum, 100, 0.01 * funds);
    const QStringList tot = fields(report[report.size() - 2], ValueColumns);
    EXPECT_EQ(tot[0], "Tot:");
    EXPECT_NEAR(number(tot[1]), allShares, 1e-6);
    EXPECT_NEAR(number(tot[2]), allBook, 0.005);
    EXPECT_NEAR(number(tot[4]), allTotal, 0.005);
    EXPECT_NEAR(number(tot[5]), allTotal - allBook, 0.005);
    EXPECT_NEAR(number(tot[6]), (allTotal - allBook) / allBook * 100, 0.0051);
}

// Print buttons print what their box shows; the entry tab prints its help page while it is
// shown; an empty box gives message 2.
TEST_F(ManagerReports, PrintAndHelpPages) {
    EXPECT_EQ(click("EPrint"), QStringList({msg(2)}));
    openFile(writeFile(QStringLiteral("FOUR.QMD"), FourFunds));
    clickTab(3);
    EXPECT_EQ(click("DPrint"), QStringList({msg(2)}));
    click("DHelp");
    EXPECT_EQ(text("DHelp"), "Close &Help");
    EXPECT_EQ(lines("DDResults"),
              QStringList({"To show an individual fund. Double click on it.", "",
                           "For all funds click the Display All Funds button."}));
    click("DPrint");
    EXPECT_TRUE(printed.last().startsWith(QLatin1String("To show an individual fund.")));
    click("DDisplall");
    EXPECT_EQ(text("DHelp"), "&Help");
    click("DPrint");
    EXPECT_TRUE(printed.last().contains(QLatin1String("Total all funds:")));

    clickTab(2);
    EXPECT_EQ(text("DDResults"), "");
    choose("EFunds", QStringLiteral("B Bought"));
    click("EHelp");
    EXPECT_EQ(text("EHelp"), "Close &Help");
    EXPECT_EQ(lines("EResults").first(),
              "On startup Funds: 0. Either use Open file tab to retrieve a database file from "
              "disk or");
    click("EPrint");
    EXPECT_TRUE(printed.last().startsWith(QLatin1String("On startup Funds: 0.")));
    click("EHelp");
    EXPECT_EQ(text("EHelp"), "&Help");
    click("EPrint");
    EXPECT_TRUE(printed.last().startsWith(QLatin1String("Trans-         Trade")));
    EXPECT_EQ(lines("EResults").size(), 6);
    click("EHelp");
    choose("EFunds", QStringLiteral("C Bought Div"));
    EXPECT_EQ(text("EHelp"), "&Help") << "picking a fund closes the help page";

    clickTab(4);
    EXPECT_EQ(click("CVPrint"), QStringList({msg(2)}));
    click("CVHelp");
    EXPECT_EQ(lines("CVResults"), QStringList({"Type the current share price or whatif price "
                                               "beside each fund name then click Calculate.",
                                               "",
                                               "For DtaSampl enter 20.00 for all current "
                                               "price inputs. "}));
    EXPECT_EQ(click("CVGraph"), QStringList({msg(4)})) << "nothing calculated";
    EXPECT_EQ(printed.size(), 4);
}

} // namespace
