// The frames the calculator window and the manager build when first needed, or build and lay
// out in idle time, are drawn, pixel for pixel, as when every frame was built before the window
// was shown, in a light and a dark theme.

#include "app/AppState.h"
#include "calculators/QMInvest.h"
#include "manager/QMManagement.h"
#include "support/UiHelpers.h"
#include "ui/Contrast.h"

#include <QApplication>
#include <QImage>
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
        ASSERT_NE(window.control(QStringLiteral("CVCalc")), nullptr);
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

INSTANTIATE_TEST_SUITE_P(Themes, FramePixelsTest, ::testing::Values(Themes[0], Themes[1]),
                         [](const ::testing::TestParamInfo<Theme>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
