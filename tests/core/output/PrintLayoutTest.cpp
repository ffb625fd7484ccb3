#include "core/output/PrintLayout.h"

#include <gtest/gtest.h>

using namespace qm;

namespace {

TEST(PrintLayout, LinesFollowTwoEmptyLinesExactly) {
    struct Case {
        const char* page;
        QStringList lines; // after the two empty lines
    };
    const std::vector<Case> cases = {
        {"", {}},
        {"A\r\nB\r\n", {"A", "B"}},
        {"A\r\nB", {"A", "B"}},
        {"A\r\n\r\n\r\nB\r\n", {"A", "", "", "B"}},
        {"\r\n", {""}},
        // Blanks are kept on both sides: the columns must line up on paper as on screen.
        {"   12.50    7  \r\n  x\r\n", {"   12.50    7  ", "  x"}},
        // A lone line feed or carriage return also ends a line; nothing is joined or wrapped.
        {"A\nB\rC\r\n", {"A", "B", "C"}},
        {"a very long line of text that is never wrapped however far it runs past the paper edge",
         {"a very long line of text that is never wrapped however far it runs past the paper "
          "edge"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        EXPECT_EQ(PrintedLines(QString::fromLatin1(c.page)), QStringList({"", ""}) + c.lines);
    }
}

TEST(PrintLayout, SheetsHoldFullPagesAndTheRest) {
    QString page;
    for (int i = 1; i <= 7; ++i)
        page += QStringLiteral("L%1\r\n").arg(i);
    struct Case {
        int perPage;
        QList<QStringList> sheets;
    };
    const std::vector<Case> cases = {
        {3, {{"", "", "L1"}, {"L2", "L3", "L4"}, {"L5", "L6", "L7"}}},
        {4, {{"", "", "L1", "L2"}, {"L3", "L4", "L5", "L6"}, {"L7"}}},
        {9, {{"", "", "L1", "L2", "L3", "L4", "L5", "L6", "L7"}}},
        {60, {{"", "", "L1", "L2", "L3", "L4", "L5", "L6", "L7"}}},
        // A sheet always takes at least one line, so no page can loop forever.
        {0, {{""}, {""}, {"L1"}, {"L2"}, {"L3"}, {"L4"}, {"L5"}, {"L6"}, {"L7"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.perPage);
        EXPECT_EQ(LayOutPrintPages(page, c.perPage), c.sheets);
    }
}

TEST(PrintLayout, LinesPerPageAndMargins) {
    struct Rows {
        double usable, spacing;
        int rows;
    };
    for (const Rows& c : {Rows{770, 12.5, 61}, Rows{770, 11.3, 68}, Rows{25, 12.5, 2},
                          Rows{24.9, 12.5, 1}, Rows{5, 12.5, 1}, Rows{770, 0, 1}, Rows{-3, 12, 1}})
        EXPECT_EQ(LinesPerPage(c.usable, c.spacing), c.rows) << c.usable << " / " << c.spacing;

    struct Margin {
        double paper, widest, left;
    };
    // The 96-character record list at 10 points is about 576 points wide: on A4 paper it is
    // centred in what is left; narrow pages keep the widest margin; a line wider than the paper
    // starts at its edge.
    for (const Margin& c :
         {Margin{595, 576, 9.5}, Margin{612, 576, 18}, Margin{595, 400, 36}, Margin{595, 700, 0}})
        EXPECT_DOUBLE_EQ(PrintLeftMargin(c.paper, c.widest), c.left) << c.paper << ", " << c.widest;
}

TEST(PrintLayout, FontSizeFollowsTheWorkWindow) {
    EXPECT_EQ(PrintFontPoints(WorkWindow::Calculator), 11);
    EXPECT_EQ(PrintFontPoints(WorkWindow::None), 11);
    EXPECT_EQ(PrintFontPoints(WorkWindow::Manager), 10);
}

} // namespace
