// A work window builds the frames it does not show at first in idle time, but only once its
// first frame is out: built before it, they would hold that frame back. On a real X server a
// shown window is painted when the server exposes it, after the window's first update request
// has been handled; the offscreen platform paints at once and cannot tell the two apart, so
// these tests run on the xcb platform (see CMakeLists.txt).

#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/common/AppState.h"
#include "gui/manager/QMManagement.h"
#include "gui/style/ProgramStyle.h"
#include "support/UiHelpers.h"

#include <QApplication>
#include <QPixmapCache>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace qm;

namespace {

// Notes how many of a window's later-built parts exist as its first paint event arrives.
class FirstPaintWatch : public QObject {
public:
    explicit FirstPaintWatch(std::function<int(QWidget*)> built) : built_(std::move(built)) {
        qApp->installEventFilter(this);
    }
    ~FirstPaintWatch() override { qApp->removeEventFilter(this); }

    int builtAtFirstPaint = -1;
    QPointer<QWidget> window;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && builtAtFirstPaint < 0) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && built_(widget) >= 0) {
                window = widget;
                builtAtFirstPaint = built_(widget);
            }
        }
        return false;
    }

private:
    std::function<int(QWidget*)> built_; // -1: not a window of the kind watched
};

struct Kind {
    const char* button;
    std::function<int(QWidget*)> built;
    int atOpening; // built with the window
    int all;
};

void PrintTo(const Kind& kind, std::ostream* out) {
    *out << kind.button;
}

int CalculatorFrames(QWidget* w) {
    auto* calc = qobject_cast<QMInvest*>(w);
    if (!calc)
        return -1;
    int built = 0;
    for (int tab = 0; tab < 6; ++tab)
        built += calc->isBuilt(tab) ? 1 : 0;
    return built;
}

int ManagerFrames(QWidget* w) {
    auto* manager = qobject_cast<QMManagement*>(w);
    return manager ? (manager->isValueTabBuilt() ? 1 : 0) : -1;
}

class FirstFrame : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "no X server (DISPLAY is not set and Xvfb could not be started)";
        app().currencySymbol = QStringLiteral("$");
    }
};

// Opened from the start menu as a user opens it, with the windows made ahead or not.
TEST_P(FirstFrame, LaterFramesWaitForTheFirstFrameThenFollowInIdleTime) {
    const Kind& kind = GetParam();
    for (const bool madeAhead : {true, false}) {
        SCOPED_TRACE(madeAhead ? "made ahead" : "made at the click");
        QMStart menu;
        menu.setMakingAhead(madeAhead);
        menu.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        if (madeAhead) {
            ASSERT_TRUE(QTest::qWaitFor(
                [&] { return menu.readyCalculator() && menu.readyManager(); }, 10000));
        }
        FirstPaintWatch watch(kind.built);
        QTest::mouseClick(qmtest::child<QPushButton>(&menu, QLatin1String(kind.button)),
                          Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([&] { return watch.builtAtFirstPaint >= 0; }, 10000));
        EXPECT_EQ(watch.window.data(), menu.workWindow());
        EXPECT_EQ(watch.builtAtFirstPaint, kind.atOpening);
        EXPECT_TRUE(QTest::qWaitFor([&] { return kind.built(menu.workWindow()) == kind.all; }));
    }
}

// A window made ahead is drawn once while the menu is shown. Its first frame on the screen, drawn
// before it is made the active window, then copies every look the program's style keeps from the
// cache: it drew ahead the tab it opens on, its boxes as they open, in the colours of a window
// that is not the active one.
TEST_P(FirstFrame, DrawsOnlyWhatTheWindowDrewAhead) {
    const Kind& kind = GetParam();
    auto* style = qobject_cast<ProgramStyle*>(QApplication::style());
    ASSERT_NE(style, nullptr);
    QPixmapCache::clear(); // nothing kept from the windows of other tests
    // Colours that change while a window is not the active one, as many desktop themes have.
    const QPalette desktop = QApplication::palette();
    QPalette themed = desktop;
    themed.setColor(QPalette::Inactive, QPalette::Button, desktop.color(QPalette::Button).darker());
    QApplication::setPalette(themed);
    const auto restore = qScopeGuard([&] { QApplication::setPalette(desktop); });
    QMStart menu;
    menu.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return menu.readyCalculator() && menu.readyManager() && menu.readyWindowsDrawn(); },
        10000));
    const int before = style->drawnAnew();
    QTest::mouseClick(qmtest::child<QPushButton>(&menu, QLatin1String(kind.button)),
                      Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return kind.built(menu.workWindow()) == kind.all; }));
    EXPECT_EQ(style->drawnAnew(), before);
}

INSTANTIATE_TEST_SUITE_P(WorkWindows, FirstFrame,
                         ::testing::Values(Kind{"StartCalc", CalculatorFrames, 2, 6},
                                           Kind{"StartStockMgmt", ManagerFrames, 0, 1}),
                         [](const auto& info) { return std::string(info.param.button); });

} // namespace
