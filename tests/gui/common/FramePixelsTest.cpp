// The frames the calculator window and the manager build when first needed, or build and lay
// out in idle time, are drawn, pixel for pixel, as when every frame was built before the window
// was shown, in a light and a dark theme.

#include "gui/calculator/QMInvest.h"
#include "gui/common/AppState.h"
#include "gui/common/Contrast.h"
#include "gui/common/WindowLayout.h"
#include "gui/manager/QMManagement.h"
#include "support/UiHelpers.h"

#include <QApplication>
#include <QImage>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

using namespace qm;
using namespace qmtest;

namespace {

// The pixels in which two grabs differ (all of them when their sizes do).
qint64 differingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return qint64{a.width()} * a.height();
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int column = 0; column < x.width(); ++column)
            differing += p[column] != q[column];
    }
    return differing;
}

// Shows `window`, then grabs it with each of `tabs` chosen on its tab bar `bar`.
std::vector<QImage> grabTabs(QWidget& window, const char* bar, std::initializer_list<int> tabs) {
    window.show();
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    auto* tabBar = window.findChild<QTabBar*>(QLatin1String(bar));
    std::vector<QImage> grabs;
    for (int tab : tabs) {
        // A tab with nothing to show says so and goes back to another.
        runAnsweringModals([&] { tabBar->setCurrentIndex(tab); },
                           [](QWidget* dialog) { dialog->close(); });
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        QApplication::processEvents();
        grabs.push_back(window.grab().toImage());
    }
    return grabs;
}

class FramePixelsTest : public ::testing::TestWithParam<Theme> {
protected:
    void SetUp() override {
        app().currencySymbol = QStringLiteral("$");
        flashTime_ = QApplication::cursorFlashTime();
        QApplication::setCursorFlashTime(0); // the text cursor shows steadily in both grabs
    }
    void TearDown() override { QApplication::setCursorFlashTime(flashTime_); }
    int flashTime_ = 0;
};

TEST_P(FramePixelsTest, CalculatorTabsAsWhenBuiltUpFront) {
    const ThemeScope theme(GetParam().palette());
    const auto tabs = {2, 0, 1, 3, 4, 5};
    std::vector<QImage> upFront, onDemand, inIdleTime;
    {
        QMInvest window;
        window.setBuildingInIdleTime(false);
        for (int tab = 0; tab < 6; ++tab)
            window.page(tab);
        upFront = grabTabs(window, "SSTab1", tabs);
    }
    {
        QMInvest window;
        window.setBuildingInIdleTime(false);
        onDemand = grabTabs(window, "SSTab1", tabs);
    }
    {
        // Every frame built and laid out, hidden, before a tab is chosen.
        QMInvest window;
        window.show();
        EXPECT_TRUE(QTest::qWaitFor([&] {
            for (int tab = 0; tab < 6; ++tab) {
                if (!window.isBuilt(tab))
                    return false;
            }
            return true;
        }));
        QTest::qWait(50); // the last frame's lay-out pass
        inIdleTime = grabTabs(window, "SSTab1", tabs);
    }
    ASSERT_EQ(upFront.size(), onDemand.size());
    ASSERT_EQ(upFront.size(), inIdleTime.size());
    for (std::size_t i = 0; i < upFront.size(); ++i) {
        EXPECT_EQ(differingPixels(upFront[i], onDemand[i]), 0) << "tab " << tabs.begin()[i];
        EXPECT_EQ(differingPixels(upFront[i], inIdleTime[i]), 0) << "tab " << tabs.begin()[i];
    }
}

TEST_P(FramePixelsTest, ManagerTabsAsWhenBuiltUpFront) {
    const ThemeScope theme(GetParam().palette());
    // With no records the display tab goes back to the entry tab after its message; the entry
    // tab is drawn the same with the value frame built or not.
    const auto tabs = {2, 3};
    std::vector<QImage> upFront, onDemand;
    {
        QMManagement window;
        window.setBuildingInIdleTime(false);
        ASSERT_NE(window.valueTab(), nullptr);
        upFront = grabTabs(window, "SSTab2", tabs);
    }
    {
        QMManagement window;
        window.setBuildingInIdleTime(false);
        onDemand = grabTabs(window, "SSTab2", tabs);
        EXPECT_FALSE(window.isValueTabBuilt());
    }
    ASSERT_EQ(upFront.size(), onDemand.size());
    for (std::size_t i = 0; i < upFront.size(); ++i)
        EXPECT_EQ(differingPixels(upFront[i], onDemand[i]), 0) << "tab " << tabs.begin()[i];
}

// A page whose text needs no shaping is laid out without it (most of the time its lines take).
// Each kind of line is drawn, pixel for pixel, as when it is shaped.
TEST(PageFont, DrawsEveryLineAsShapedText) {
    const struct {
        const char* what;
        QString line;
        bool unshaped;
    } lines[] = {
        {"figures, and pairs other fonts kern or join",
         QStringLiteral("  12  15/03/1999  1,234.5678  -12,345.67  100.00%  fi fl ffi AV To"),
         true},
        {"accented letters, symbols",
         QStringLiteral("Caf\u00e9 Cr\u00e8me \u00c6r\u00f8 \u0141\u00f3d\u017a \u20ac1,000 "
                        "\u00a31 \u00a5 \u00a7 \u00b5 \u2013 \u2019"),
         true},
        {"Greek, Cyrillic",
         QStringLiteral("\u0394\u03ad\u03bb\u03c4\u03b1 \u041f\u0440\u0438\u0432\u0435\u0442"),
         true},
        {"combining marks", QStringLiteral("Cafe\u0301 n\u0303 a\u0308"), false},
        {"Arabic", QStringLiteral("\u0635\u0646\u062f\u0648\u0642 1"), false},
        {"Hebrew", QStringLiteral("\u05e7\u05e8\u05df"), false},
        {"Devanagari", QStringLiteral("\u0928\u093f\u0927\u093f"), false},
        {"beyond 16 bits", QStringLiteral("\U0001F4B0 \U00010330"), false},
    };
    QFont shaped = FixedPitchFont();
    shaped.setStyleStrategy(QFont::PreferDefault);
    for (const auto& l : lines) {
        SCOPED_TRACE(l.what);
        EXPECT_EQ(DrawsUnshaped(l.line), l.unshaped);
        QImage drawn[2];
        for (int i = 0; i < 2; ++i) {
            QPlainTextEdit* page = PageBox(QStringLiteral("Results"), 72, nullptr);
            page->resize(640, 80);
            // After a page of the other kind, as when one is shown after another.
            ShowPage(page, l.unshaped ? QStringLiteral("\u05e7") : QStringLiteral("1"));
            ShowPage(page, l.line);
            if (i == 1)
                page->setFont(shaped);
            drawn[i] = page->grab().toImage();
            delete page;
        }
        EXPECT_EQ(differingPixels(drawn[0], drawn[1]), 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Themes, FramePixelsTest, ::testing::Values(Themes[0], Themes[1]),
                         [](const ::testing::TestParamInfo<Theme>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
