// The start menu comes back where the window manager first put it when a work window is left.
// Shown again while the closing work window was still on the screen, it was put beside that
// window, in a corner of the screen, by a window manager that places a new window where it
// overlaps the others the least. These tests run on the xcb platform (under Xvfb, see
// CMakeLists.txt) with such a window manager (openbox) of their own; without an X server or that
// window manager they are skipped.

#include "gui/app/QMStart.h"
#include "gui/common/AppState.h"
#include "support/UiHelpers.h"

#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <gtest/gtest.h>

using namespace qm;

namespace {

// Whether `window` has been framed by the window manager.
bool framed(const QWidget& window) {
    return window.frameGeometry() != window.geometry();
}

class MenuPlacement : public ::testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            GTEST_SKIP() << "no X server (DISPLAY is not set and Xvfb could not be started)";
        const QString program = QStandardPaths::findExecutable(QStringLiteral("openbox"));
        if (program.isEmpty())
            GTEST_SKIP() << "openbox is not installed (scripts/deps.sh test installs it)";
        // Its own settings only (the settings folder is a new empty one): the placement of
        // openbox as installed.
        windowManager.start(program, {QStringLiteral("--sm-disable")});
        ASSERT_TRUE(windowManager.waitForStarted());
        // It manages the windows once it frames a new one.
        const bool managing = QTest::qWaitFor(
            [] {
                QWidget probe;
                probe.resize(100, 100);
                probe.show();
                return QTest::qWaitForWindowExposed(&probe) && framed(probe);
            },
            10000);
        ASSERT_TRUE(managing) << "the window manager framed no window: "
                              << windowManager.readAllStandardError().toStdString();
        app().currencySymbol = QStringLiteral("$");
    }
    void TearDown() override {
        if (windowManager.state() == QProcess::NotRunning)
            return;
        windowManager.terminate();
        if (!windowManager.waitForFinished(3000))
            windowManager.kill();
    }
    QProcess windowManager;
};

TEST_F(MenuPlacement, ComesBackWhereTheWindowManagerFirstPutIt) {
    QMStart menu;
    menu.start();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
    ASSERT_TRUE(QTest::qWaitFor([&] { return framed(menu); }));
    const QRect first = menu.frameGeometry();
    // On an empty screen, in its middle.
    const QRect screen = menu.screen()->availableGeometry();
    EXPECT_LE((first.center() - screen.center()).manhattanLength(), 40)
        << first.x() << "," << first.y();

    // Each work window, over the middle of the screen, left by its close box.
    for (const char* button : {"StartCalc", "StartStockMgmt"}) {
        SCOPED_TRACE(button);
        qmtest::child<QPushButton>(&menu, QLatin1String(button))->click();
        QWidget* work = menu.workWindow();
        ASSERT_NE(work, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(work));
        EXPECT_TRUE(work->frameGeometry().intersects(first)) << "the work window covers it";
        work->close();
        ASSERT_TRUE(QTest::qWaitFor([&] { return menu.isVisible(); }));
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&menu));
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return framed(menu) && menu.frameGeometry() == first; }, 3000))
            << "shown at " << menu.frameGeometry().x() << "," << menu.frameGeometry().y()
            << ", first at " << first.x() << "," << first.y();
    }
}

} // namespace
