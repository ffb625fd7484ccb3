// Scroll bars, line edit and group box frames and tab shapes drawn through the program's style look
// as the desktop style draws them, whether drawn anew or copied from the pixmap cache.

#include "gui/style/ProgramStyle.h"

#include <QApplication>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionSlider>
#include <QTabBar>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace qm;

namespace {

struct Bar : QScrollBar {
    using QScrollBar::initStyleOption;
    using QScrollBar::QScrollBar;
};

struct Tabs : QTabBar {
    using QTabBar::initStyleOption;
    using QTabBar::QTabBar;
};

struct Box : QLineEdit {
    using QLineEdit::initStyleOption;
    using QLineEdit::QLineEdit;
};

// The largest difference of one colour channel between two images of one size.
int Difference(const QImage& a, const QImage& b) {
    int most = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return most;
}

// An image of `size` at `ratio` to draw on, filled with a colour no style draws.
QImage Canvas(QSize size, qreal ratio = 1) {
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(QColor(200, 100, 50));
    return image;
}

// A copy of `palette` with the same colours, as a style sheet hands the style one: another
// palette object.
QPalette Detached(QPalette palette) {
    const QColor base = palette.color(QPalette::Base);
    palette.setColor(QPalette::Base, QColor(1, 2, 3));
    palette.setColor(QPalette::Base, base);
    return palette;
}

// Draws with `draw` twice, the second time with another palette object of the same colours,
// and checks both drawings against `expected` and that the second was copied from the cache.
template <typename Option, typename Draw>
void ExpectDrawnOnceThenCopied(const ProgramStyle& program, Option& option, const QImage& expected,
                               Draw draw) {
    EXPECT_LE(Difference(draw(&program), expected), 1) << "drawn anew";
    const int drawn = program.drawnAnew();
    option.palette = Detached(option.palette);
    EXPECT_LE(Difference(draw(&program), expected), 1) << "copied from the cache";
    EXPECT_EQ(program.drawnAnew(), drawn) << "drawn again instead of copied";
}

// In turn, so that a look taken for an earlier one (a cache key missing what changed) shows;
// each is drawn twice, the second time from the cache.
TEST(ProgramStyle, ScrollBarsLookAsTheDesktopStyleDrawsThem) {
    auto* program = qobject_cast<ProgramStyle*>(QApplication::style());
    ASSERT_NE(program, nullptr) << "the tests run with the program's style";
    EXPECT_TRUE(program->copiesFromCache()) << "the tests run with the Fusion style";
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Button, QColor(50, 50, 50));
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    const struct {
        const char* look;
        Qt::Orientation orientation;
        int length, value, maximum;
        QStyle::SubControl pressed;
        bool enabled, rightToLeft, darkPalette;
        qreal ratio;
    } cases[] = {
        {"nothing to scroll", Qt::Vertical, 300, 0, 0, QStyle::SC_None, true, false, false, 1},
        {"at the top", Qt::Vertical, 300, 0, 100, QStyle::SC_None, true, false, false, 1},
        {"half way", Qt::Vertical, 300, 50, 100, QStyle::SC_None, true, false, false, 1},
        {"slider pressed", Qt::Vertical, 300, 50, 100, QStyle::SC_ScrollBarSlider, true, false,
         false, 1},
        {"down arrow pressed", Qt::Vertical, 300, 50, 100, QStyle::SC_ScrollBarAddLine, true, false,
         false, 1},
        {"disabled", Qt::Vertical, 300, 50, 100, QStyle::SC_None, false, false, false, 1},
        {"shorter", Qt::Vertical, 200, 50, 100, QStyle::SC_None, true, false, false, 1},
        {"sideways", Qt::Horizontal, 300, 50, 100, QStyle::SC_None, true, false, false, 1},
        {"right to left", Qt::Horizontal, 300, 50, 100, QStyle::SC_None, true, true, false, 1},
        {"dark theme", Qt::Horizontal, 300, 50, 100, QStyle::SC_None, true, true, true, 1},
        {"twice as fine", Qt::Horizontal, 300, 50, 100, QStyle::SC_None, true, true, true, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.look);
        Bar bar(c.orientation);
        bar.setRange(0, c.maximum);
        bar.setValue(c.value);
        bar.setEnabled(c.enabled);
        bar.setLayoutDirection(c.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        if (c.darkPalette)
            bar.setPalette(dark);
        const int thickness = program->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &bar);
        bar.resize(c.orientation == Qt::Vertical ? QSize(thickness, c.length)
                                                 : QSize(c.length, thickness));
        QStyleOptionSlider option;
        bar.initStyleOption(&option);
        option.subControls = QStyle::SC_All; // as the scroll bar's own painting asks
        if (c.pressed != QStyle::SC_None) {
            option.activeSubControls = c.pressed;
            option.state |= QStyle::State_Sunken;
        }
        const auto draw = [&](const QStyle* style) {
            QImage image = Canvas(option.rect.size() + QSize(10, 14), c.ratio);
            QPainter painter(&image);
            painter.translate(5, 7);          // away from the corner of what it is drawn on
            painter.setClipRect(option.rect); // as on the scroll bar itself
            style->drawComplexControl(QStyle::CC_ScrollBar, &option, &painter, &bar);
            return image;
        };
        ExpectDrawnOnceThenCopied(*program, option, draw(program->baseStyle()), draw);
    }
}

// Each look of a box's frame in turn, as for the scroll bars.
TEST(ProgramStyle, LineEditFramesLookAsTheDesktopStyleDrawsThem) {
    auto* program = qobject_cast<ProgramStyle*>(QApplication::style());
    ASSERT_NE(program, nullptr) << "the tests run with the program's style";
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::Highlight, QColor(40, 90, 160));
    const struct {
        const char* look;
        int width, height;
        bool focused, enabled, rightToLeft, darkPalette, yellow;
        qreal ratio;
    } cases[] = {
        {"plain", 120, 22, false, true, false, false, false, 1},
        {"with the focus", 120, 22, true, true, false, false, false, 1},
        {"disabled", 120, 22, false, false, false, false, false, 1},
        {"yellow", 120, 22, false, true, false, false, true, 1},
        {"narrower", 60, 22, false, true, false, false, true, 1},
        {"taller", 60, 30, false, true, false, false, true, 1},
        {"right to left", 60, 30, false, true, true, false, true, 1},
        {"dark theme", 60, 30, false, true, false, true, false, 1},
        {"dark theme, focused", 60, 30, true, true, false, true, false, 1},
        {"twice as fine", 60, 30, true, true, false, true, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.look);
        QWidget window;
        if (c.darkPalette)
            window.setPalette(dark);
        Box box(&window);
        box.resize(c.width, c.height);
        box.setEnabled(c.enabled);
        box.setLayoutDirection(c.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        if (c.yellow) {
            QPalette yellow = box.palette();
            yellow.setColor(QPalette::Base, Qt::yellow);
            box.setPalette(yellow);
        }
        QStyleOptionFrame option;
        box.initStyleOption(&option);
        if (c.focused)
            option.state |= QStyle::State_HasFocus;
        const auto draw = [&](const QStyle* style) {
            QImage image = Canvas(option.rect.size() + QSize(10, 14), c.ratio);
            QPainter painter(&image);
            painter.translate(5, 7);
            style->drawPrimitive(QStyle::PE_FrameLineEdit, &option, &painter, &box);
            // The program's focus mark is drawn over the look each time, never kept with it.
            if (style != program)
                DrawFocusMark(painter, option, option.palette.color(QPalette::Base));
            return image;
        };
        ExpectDrawnOnceThenCopied(*program, option, draw(program->baseStyle()), draw);
    }
}

// Each look of a tab's shape in turn: where it stands in the row, chosen or not, under the mouse.
TEST(ProgramStyle, TabShapesLookAsTheDesktopStyleDrawsThem) {
    auto* program = qobject_cast<ProgramStyle*>(QApplication::style());
    ASSERT_NE(program, nullptr) << "the tests run with the program's style";
    QPalette dark = QApplication::palette();
    dark.setColor(QPalette::Window, QColor(30, 30, 30));
    dark.setColor(QPalette::Button, QColor(50, 50, 50));
    const struct {
        const char* look;
        int tab, current;
        bool hovered, enabled, rightToLeft, darkPalette, south;
        qreal ratio;
    } cases[] = {
        {"first", 0, 1, false, true, false, false, false, 1},
        {"first, chosen", 0, 0, false, true, false, false, false, 1},
        {"between, next to the chosen one", 1, 2, false, true, false, false, false, 1},
        {"between, chosen", 1, 1, false, true, false, false, false, 1},
        {"last", 3, 1, false, true, false, false, false, 1},
        {"last, chosen", 3, 3, false, true, false, false, false, 1},
        {"under the mouse", 1, 2, true, true, false, false, false, 1},
        {"disabled", 1, 2, false, false, false, false, false, 1},
        {"right to left", 0, 1, false, true, true, false, false, 1},
        {"dark theme", 1, 1, false, true, false, true, false, 1},
        {"below the pages", 1, 1, false, true, false, false, true, 1},
        {"twice as fine", 1, 2, false, true, false, true, false, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.look);
        Tabs tabs;
        for (const char* caption : {"&Compound gain", "Ca&pital", "&Invested growth", "&Mortgage"})
            tabs.addTab(QLatin1String(caption));
        tabs.setShape(c.south ? QTabBar::RoundedSouth : QTabBar::RoundedNorth);
        tabs.setCurrentIndex(c.current);
        tabs.setEnabled(c.enabled);
        tabs.setLayoutDirection(c.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
        if (c.darkPalette)
            tabs.setPalette(dark);
        tabs.resize(tabs.sizeHint() + QSize(60, 0)); // room past the last tab
        QStyleOptionTab option;
        tabs.initStyleOption(&option, c.tab);
        if (c.hovered)
            option.state |= QStyle::State_MouseOver;
        // The tab bar's own bounds, as on the bar itself: the style sets clips of its own, which
        // replace any a test could set.
        const auto draw = [&](const QStyle* style) {
            QImage image = Canvas(tabs.size(), c.ratio);
            QPainter painter(&image);
            style->drawControl(QStyle::CE_TabBarTabShape, &option, &painter, &tabs);
            return image;
        };
        ExpectDrawnOnceThenCopied(*program, option, draw(program->baseStyle()), draw);
    }
}

// Group box frames in turn: tall ones (drawn a band at a time), with a title or none, a check
// box, a larger font.
TEST(ProgramStyle, GroupBoxFramesLookAsTheDesktopStyleDrawsThem) {
    auto* program = qobject_cast<ProgramStyle*>(QApplication::style());
    ASSERT_NE(program, nullptr) << "the tests run with the program's style";
    QFont large = QApplication::font();
    large.setPointSize(large.pointSize() * 2);
    const struct {
        const char* look;
        int height;
        const char* title;
        bool checkable, largeFont;
    } cases[] = {
        {"short", 40, "Show results", false, false},
        {"one band", 64, "Show results", false, false},
        {"just over one band", 65, "Show results", false, false},
        {"tall", 200, "Show results", false, false},
        {"taller", 333, "Show results", false, false},
        {"no title", 200, "", false, false},
        {"a check box", 200, "Show results", true, false},
        {"a check box, no title", 200, "", true, false},
        {"a larger font", 200, "Show results", false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.look);
        QGroupBox group(QLatin1String(c.title));
        group.setCheckable(c.checkable);
        if (c.largeFont)
            group.setFont(large);
        group.resize(150, c.height);
        QStyleOptionFrame frame;
        frame.initFrom(&group);
        frame.lineWidth = 1;
        const auto draw = [&](const QStyle* style) {
            QImage image = Canvas(frame.rect.size() + QSize(20, 20));
            QPainter painter(&image);
            painter.translate(10, 10);
            style->drawPrimitive(QStyle::PE_FrameGroupBox, &frame, &painter, &group);
            return image;
        };
        ExpectDrawnOnceThenCopied(*program, frame, draw(program->baseStyle()), draw);
    }
}

} // namespace
