#include "gui/print/PrintedPage.h"

#include "core/output/PrintLayout.h"
#include "gui/chart/QMGraph.h"
#include "gui/print/PrintSystem.h"
#include "support/UiHelpers.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMap>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace qmtest {

using qm::PrintBottomMarginPoints;
using qm::PrintTopMarginPoints;

namespace {

// The words printed on one row of one sheet, left to right.
struct PrintedRow {
    int sheet = 0;
    double top = 0;
    QList<PdfWord> words;
};

QList<PrintedRow> rowsOf(const QList<PdfWord>& words) {
    QMap<std::pair<int, long>, PrintedRow> rows;
    for (const PdfWord& word : words) {
        PrintedRow& row = rows[std::make_pair(word.page, std::lround(word.yMin * 10))];
        row.sheet = word.page;
        row.top = word.yMin;
        row.words << word;
    }
    QList<PrintedRow> ordered = rows.values();
    for (PrintedRow& row : ordered)
        std::sort(row.words.begin(), row.words.end(),
                  [](const PdfWord& a, const PdfWord& b) { return a.xMin < b.xMin; });
    return ordered;
}

// The row's text rebuilt from where its words stand: each word at its character column.
QString textOf(const PrintedRow& row, double origin, double cell) {
    QString text;
    for (const PdfWord& word : row.words) {
        const auto column = static_cast<qsizetype>(std::lround((word.xMin - origin) / cell));
        text = text.leftJustified(column) + word.text; // an overlap shows as a wrong text
    }
    return text;
}

QString trimmedRight(QString text) {
    while (!text.isEmpty() && text.back() == QLatin1Char(' '))
        text.chop(1);
    return text;
}

qsizetype leadingBlanks(const QString& text) {
    qsizetype n = 0;
    while (n < text.size() && text[n] == QLatin1Char(' '))
        ++n;
    return n;
}

} // namespace

QStringList LinesOf(const QString& page) {
    QString text = page;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text.split(QLatin1Char('\n'));
}

int ExpectPrintedPage(const QString& pdf, const QStringList& pageLines, int points) {
    const QStringList fonts = PdfFontNames(pdf);
    EXPECT_EQ(fonts.size(), 1) << fonts.join(QLatin1Char(',')).toStdString();
    // The print font's family where it is installed, otherwise its fixed-pitch metric twin.
    const QString family = QString(qm::PrintFontFamily).remove(QLatin1Char(' '));
    for (const QString& font : fonts)
        EXPECT_TRUE(font.contains(QLatin1String("LiberationMono")) || font.contains(family))
            << font.toStdString();
    for (const PdfTextRun& run : PdfTextRuns(pdf))
        EXPECT_EQ(run.fontSize, points) << run.text.toStdString();

    // The lines with text and their rows counted from the first sheet's top: two empty rows
    // come before the page's first line.
    QList<std::pair<int, QString>> expected;
    for (int i = 0; i < pageLines.size(); ++i)
        if (const QString text = trimmedRight(pageLines[i]); !text.isEmpty())
            expected.append({i + 2, text});
    const QList<QSizeF> sheets = PdfPageSizes(pdf);
    const QList<PrintedRow> rows = rowsOf(PdfWords(pdf));
    if (expected.isEmpty() || rows.isEmpty()) {
        ADD_FAILURE() << "nothing to compare: " << expected.size() << " lines, " << rows.size()
                      << " printed";
        return static_cast<int>(sheets.size());
    }

    // Fixed pitch: a character cell is 0.6 of the size; the first line fixes the left edge.
    const double cell = 0.6 * points;
    const double origin = rows.front().words.front().xMin -
                          static_cast<double>(leadingBlanks(expected.front().second)) * cell;
    EXPECT_GE(origin, 0.0) << "the left edge is on the paper";
    QStringList printedTexts, expectedTexts;
    for (const auto& line : expected)
        expectedTexts << line.second;
    for (const PrintedRow& row : rows) {
        printedTexts << textOf(row, origin, cell);
        EXPECT_LE(row.words.back().xMax, sheets.value(row.sheet - 1).width())
            << "runs off the right edge: " << printedTexts.back().toStdString();
    }
    EXPECT_EQ(printedTexts.join(QLatin1Char('\n')).toStdString(),
              expectedTexts.join(QLatin1Char('\n')).toStdString())
        << "every line once, in order, nothing wrapped";
    if (printedTexts.size() != expectedTexts.size())
        return static_cast<int>(sheets.size());

    // Rows: one line spacing apart from the top margin down. Every sheet holds the same number
    // of rows (the first two of the first sheet empty), the last one what is left.
    double spacing = std::numeric_limits<double>::max();
    for (qsizetype i = 1; i < rows.size(); ++i)
        if (rows[i].sheet == rows[i - 1].sheet)
            spacing = std::min(spacing, rows[i].top - rows[i - 1].top);
    EXPECT_NEAR(spacing, points * 1.13, 0.8);
    int rowsPerSheet = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const int row =
            static_cast<int>(std::lround((rows[i].top - PrintTopMarginPoints) / spacing));
        const int firstRowOfSheet = expected[i].first - row;
        if (rows[i].sheet == 2 && rowsPerSheet == 0)
            rowsPerSheet = firstRowOfSheet;
        const int sheetStart = (rows[i].sheet - 1) * rowsPerSheet;
        EXPECT_EQ(firstRowOfSheet, sheetStart) << "sheet " << rows[i].sheet << ", row " << row
                                               << ": " << expected[i].second.toStdString();
        if (rowsPerSheet > 0) {
            EXPECT_LT(row, rowsPerSheet) << expected[i].second.toStdString();
        }
    }
    if (rowsPerSheet > 0) {
        // A sheet ends when one more row would cross the bottom margin.
        const double usable =
            sheets.front().height() - PrintTopMarginPoints - PrintBottomMarginPoints;
        EXPECT_LE(rowsPerSheet * spacing, usable + 0.5);
        EXPECT_GT((rowsPerSheet + 1) * spacing, usable);
    }
    EXPECT_EQ(sheets.size(), rows.back().sheet) << "no sheet without text";
    return static_cast<int>(sheets.size());
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entriesOf(const QMenu* menu) {
    QStringList entries;
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator()) {
            entries << QStringLiteral("-");
            continue;
        }
        QString text = action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
        entries << (action->isEnabled() ? text : text + QStringLiteral(" (off)"));
    }
    return entries;
}

QStringList useContextMenu(QWidget* target, QPoint at, const QString& entry) {
    QStringList offered;
    bool done = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        poll.stop();
        offered = entriesOf(menu);
        done = true;
        QAction* chosen = entry.isEmpty() ? nullptr : menu->findChild<QAction*>(entry);
        if (!chosen) {
            for (QAction* action : menu->actions())
                if (action->objectName() == entry)
                    chosen = action;
        }
        if (chosen)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(chosen).center());
        else
            menu->close();
    });
    poll.start();
    // Through the window, as the platform delivers a click: the context menu event is made there.
    QWidget* top = target->window();
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, {}, target->mapTo(top, at));
    // A menu of its own loop has been used by now; one shown beside the window's loop is used
    // from there.
    for (int waited = 0; !done && waited < 3000; waited += 10)
        QTest::qWait(10);
    poll.stop();
    EXPECT_TRUE(done) << "no context menu opened";
    return offered;
}

QStringList SavingEntries(const QStringList& offered) {
    for (qsizetype i = 0; i < offered.size(); ++i)
        if (offered[i].startsWith(QLatin1String("Save ")))
            return offered.mid(i);
    return {};
}

void expectCopyAndSelectAll(const QStringList& offered) {
    QStringList own = offered.mid(0, offered.size() - SavingEntries(offered).size());
    own.removeAll(QStringLiteral("-"));
    for (QString& text : own)
        text.remove(QStringLiteral(" (off)"));
    EXPECT_EQ(own.join(QLatin1Char('|')).toStdString(), "Copy|Select All");
}

QStringList PrintFromChartWindow(const std::function<void()>& openChart,
                                 const QList<QStringList>& rounds) {
    QStringList answers;
    for (const QStringList& round : rounds)
        answers += round;
    int seen = 0;
    int chartAt = -1;
    const auto presses = static_cast<int>(rounds.size());
    QStringList shown = runAnsweringModals(openChart, [&](QWidget* dialog) {
        const int index = seen++;
        if (auto* chart = qobject_cast<qm::QMGraph*>(dialog)) {
            chartAt = index;
            // Pressed from the chart window's own loop, so that its questions are answered too.
            QTimer::singleShot(0, chart, [chart, presses] {
                for (int i = 0; i < presses; ++i)
                    pressButton(chart, QStringLiteral("QMGPrint"));
                pressButton(chart, QStringLiteral("QMGExit"));
            });
        } else if (dialog->objectName() == QLatin1String("AllYesNo") && !answers.isEmpty()) {
            pressButton(dialog, answers.takeFirst());
        } else if (dialog->objectName() == QLatin1String("AMsgbox")) {
            pressButton(dialog, QStringLiteral("AMsgExit"));
        } else {
            dialog->close();
        }
    });
    EXPECT_TRUE(answers.isEmpty()) << "questions not asked for " << answers.join(' ').toStdString();
    if (chartAt >= 0 && chartAt < shown.size())
        shown[chartAt] = QStringLiteral("<chart>");
    return shown;
}

void ExpectChartImage(const QString& pdf, const char* color) {
    EXPECT_EQ(PdfPageSizes(pdf).size(), 1) << "one sheet";
    EXPECT_TRUE(PdfWords(pdf).isEmpty()) << "no text beside the chart";
    const QList<PdfImage> images = PdfImages(pdf);
    ASSERT_EQ(images.size(), 1);
    const PdfImage& image = images.front();
    EXPECT_EQ(image.color, QString::fromLatin1(color));
    // 1440 twips to the inch.
    EXPECT_NEAR(image.width / image.xPpi, 9530.0 / 1440, 0.02);
    EXPECT_NEAR(image.height / image.yPpi, 6350.0 / 1440, 0.02);
}

} // namespace qmtest
