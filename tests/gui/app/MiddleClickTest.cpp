// The middle mouse button pastes the X11 selection into a line edit. Only a real X server has
// that selection, so this program runs on the xcb platform (under Xvfb, see CMakeLists.txt);
// where no X server can be reached its tests are skipped.

#include "gui/calculator/QMInvest.h"
#include "gui/common/AppState.h"
#include "gui/common/Dialogs.h"
#include "gui/common/FilteredLineEdit.h"
#include "gui/manager/ManagerControls.h"
#include "gui/style/ProgramStyle.h"
#include "support/TestEnvironment.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {

bool noXServer = false;

// The selection holds `text` as if another program had selected it.
void select(const QString& text) {
    QGuiApplication::clipboard()->setText(text, QClipboard::Selection);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return QGuiApplication::clipboard()->text(QClipboard::Selection) == text; }, 2000));
}

class MiddleClick : public ::testing::Test {
protected:
    void SetUp() override {
        if (noXServer)
            GTEST_SKIP() << "no X server (DISPLAY is not set and Xvfb could not be started)";
        if (!QGuiApplication::clipboard()->supportsSelection())
            GTEST_SKIP() << "this platform has no mouse selection";
        qm::app().currencySymbol = QStringLiteral("$");
    }
    // Middle-clicks `box` with the selection holding `text`; returns the box's text after.
    static QString middleClick(QLineEdit* box, const QString& text) {
        select(text);
        box->setFocus(Qt::MouseFocusReason);
        QTest::mouseClick(box, Qt::MiddleButton, {}, box->rect().center());
        QApplication::processEvents();
        return box->text();
    }
};

TEST_F(MiddleClick, APlainLineEditPastesTheSelection) {
    // The test setting itself: without the program's filter the text goes in.
    QWidget window;
    auto* plain = new QLineEdit(&window);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(middleClick(plain, QStringLiteral("-7abc1")), "-7abc1");
}

TEST_F(MiddleClick, FilteredBoxesRefuseTheSelection) {
    qm::QMInvest calc;
    calc.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&calc));
    calc.findChild<QTabBar*>(QStringLiteral("SSTab1"))->setCurrentIndex(4); // compound gain

    // The manager's kinds of box, and the two dialogs with a box.
    QWidget manager;
    auto* layout = new QVBoxLayout(&manager);
    int editFlag = 0; // the manager window's edit session
    auto* amount = new qm::AmountBox(QStringLiteral("CVInPrice(0)"), editFlag, &manager);
    auto* date = new qm::DateBox(QStringLiteral("EInDate"), &manager);
    layout->addWidget(amount);
    layout->addWidget(date);
    manager.show();
    qm::dialogState().correctMode = 1;
    qm::FundCurValInput number;
    qm::PrinterHeaderInput line;
    for (QWidget* w : {static_cast<QWidget*>(&manager), static_cast<QWidget*>(&number),
                       static_cast<QWidget*>(&line)}) {
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    }

    const struct {
        QLineEdit* box;
        const char* name;
    } boxes[] = {
        {calc.findChild<QLineEdit*>(QStringLiteral("CGInNumOfYrs")), "compound gain years"},
        {calc.findChild<QLineEdit*>(QStringLiteral("CGInNameOfInvest")), "investment name"},
        {amount, "manager amount"},
        {date, "manager date"},
        {number.findChild<QLineEdit*>(QStringLiteral("CurVal")), "record number"},
        {line.findChild<QLineEdit*>(QStringLiteral("InFName")), "fund name"},
    };
    for (const auto& b : boxes) {
        ASSERT_NE(b.box, nullptr) << b.name;
        b.box->activateWindow();
        const QString before = b.box->text();
        EXPECT_EQ(middleClick(b.box, QStringLiteral("-7abc1\"")), before) << b.name;
    }
    // Left, the years box still shows what is stored: the calculation runs over 5 years.
    QLineEdit* years = boxes[0].box;
    calc.activateWindow();
    years->setFocus(Qt::MouseFocusReason);
    middleClick(years, QStringLiteral("-7"));
    calc.findChild<QWidget*>(QStringLiteral("CGCalculate"))->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(years->text().trimmed(), "5");
}

} // namespace

int main(int argc, char** argv) {
    // Run under xvfb-run by CTest; without a display the tests say why they are skipped.
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        noXServer = true;
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else {
        qputenv("QT_QPA_PLATFORM", "xcb");
    }
    qputenv("CUPS_SERVER", "/nonexistent/quillmark-tests-no-print-system.sock");
    QApplication app(argc, argv);
    qm::UseProgramStyle(); // as the program does
    qmtest::pinEnvironment();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
