#include "core/startup/Startup.h"
#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/common/AppState.h"
#include "gui/manager/QMManagement.h"
#include "support/UiHelpers.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

using namespace qm;
using namespace qmtest;

namespace {

QString settingsFile() {
    return QDir(qEnvironmentVariable("XDG_CONFIG_HOME"))
        .filePath(QStringLiteral("Quillmark/Quillmark.conf"));
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents();
}

class SettingsDialog : public ::testing::Test {
protected:
    void SetUp() override {
        QFile::remove(settingsFile());
        app().currencySymbol = QStringLiteral("$");
        menu.show();
        QApplication::setActiveWindow(&menu);
        QApplication::processEvents();
    }
    void TearDown() override {
        app().currencySymbol = QStringLiteral("$");
        QFile::remove(settingsFile());
        QDir(settingsFile()).removeRecursively();
    }

    // Opens the dialog the way `open` does and answers it with `answer`; false when no settings
    // dialog opened.
    bool withSettings(const std::function<void()>& open,
                      const std::function<void(QWidget*)>& answer) {
        bool opened = false;
        runAnsweringModals(open, [&](QWidget* dialog) {
            if (dialog->objectName() == QLatin1String("Settings")) {
                opened = true;
                answer(dialog);
            } else {
                dialog->close();
            }
        });
        return opened;
    }

    // Ctrl+, on the control that has the keyboard in `window`, once the window is active again
    // (a dialog just closed gives it back).
    static void pressSettingsKey(QWidget* window) {
        QApplication::setActiveWindow(window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(target, Qt::Key_Comma, Qt::ControlModifier);
    }

    QMStart menu;
};

// Types `text` key by key, as a keyboard of its script would.
void typeText(QWidget* box, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(box, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

// Types `symbol` over the symbol shown and accepts with one Enter.
void typeAndEnter(QWidget* dialog, const QString& symbol) {
    QWidget* box = dialog->focusWidget();
    ASSERT_EQ(box, dialog->findChild<QLineEdit*>(QStringLiteral("SettingsCurrencySymbol")));
    typeText(box, symbol);
    EXPECT_EQ(static_cast<QLineEdit*>(box)->text(), symbol);
    QTest::keyClick(box, Qt::Key_Return);
}

// From the start menu (its button, Ctrl+,) and from both work windows (Ctrl+, on the box being
// edited): the symbol typed is stored, and the windows opened after show it.
TEST_F(SettingsDialog, ReachedFromEveryWindowAndKeptForTheWindowsOpenedAfter) {
    const struct {
        const char* from;
        const char* symbol;
    } cases[] = {
        {"menu button", "\xe2\x82\xac"},
        {"menu key", "\xc2\xa3"},
        {"calculator", "CHF "},
        {"manager", "\xe2\x82\xb9"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        const QString from = QString::fromLatin1(c.from);
        const QString symbol = QString::fromUtf8(c.symbol);
        QWidget* window = &menu;
        if (from == QLatin1String("calculator"))
            QTest::mouseClick(child<QPushButton>(&menu, QStringLiteral("StartCalc")),
                              Qt::LeftButton);
        if (from == QLatin1String("manager"))
            QTest::mouseClick(child<QPushButton>(&menu, QStringLiteral("StartStockMgmt")),
                              Qt::LeftButton);
        if (menu.workWindow()) {
            window = menu.workWindow();
            QApplication::setActiveWindow(window);
            QApplication::processEvents();
        }
        const bool opened = withSettings(
            [&] {
                if (from == QLatin1String("menu button"))
                    QTest::mouseClick(child<QPushButton>(&menu, QStringLiteral("StartSettings")),
                                      Qt::LeftButton);
                else
                    pressSettingsKey(window);
            },
            [&](QWidget* dialog) {
                auto* box = child<QLineEdit>(dialog, QStringLiteral("SettingsCurrencySymbol"));
                EXPECT_EQ(box->selectedText(), box->text()) << "typing replaces the symbol";
                typeAndEnter(dialog, symbol);
            });
        EXPECT_TRUE(opened);
        EXPECT_EQ(app().currencySymbol, symbol);
        EXPECT_EQ(ReadCurrencySymbol(), symbol);
        if (menu.workWindow()) {
            menu.workWindow()->close();
            settle();
        }
        // A window opened now shows money with it.
        QTest::mouseClick(child<QPushButton>(&menu, QStringLiteral("StartCalc")), Qt::LeftButton);
        auto* calculator = qobject_cast<QMInvest*>(menu.workWindow());
        ASSERT_NE(calculator, nullptr);
        EXPECT_EQ(calculator->state().currencySymbol, symbol);
        calculator->close();
        settle();
        QTest::mouseClick(child<QPushButton>(&menu, QStringLiteral("StartStockMgmt")),
                          Qt::LeftButton);
        auto* manager = qobject_cast<QMManagement*>(menu.workWindow());
        ASSERT_NE(manager, nullptr);
        EXPECT_EQ(manager->screen().currencySymbol, symbol);
        manager->close();
        settle();
    }
}

// What cannot stand before an amount is refused where it is typed; the locale's and the
// default symbol are one click; Escape and Cancel keep the symbol as it was.
TEST_F(SettingsDialog, RefusesWhatNoAmountCanCarryAndCancelKeepsTheSymbol) {
    const struct {
        const char* what;
        const char* typed;
        bool usable;
    } cases[] = {
        {"five characters", "abcde", false},
        {"blank", "  ", false},
        {"two characters", "kr", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const bool opened = withSettings(
            [&] { pressSettingsKey(&menu); },
            [&](QWidget* dialog) {
                typeAndEnter(dialog, QString::fromUtf8(c.typed));
                EXPECT_EQ(dialog->isVisible(), !c.usable) << "Enter accepts";
                EXPECT_EQ(child<QPushButton>(dialog, QStringLiteral("SettingsOk"))->isEnabled(),
                          c.usable);
                if (!c.usable) {
                    EXPECT_TRUE(child<QLabel>(dialog, QStringLiteral("SettingsNote"))
                                    ->text()
                                    .contains(QStringLiteral("1 to 4 characters")));
                    QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
                }
            });
        EXPECT_TRUE(opened);
        EXPECT_EQ(app().currencySymbol,
                  c.usable ? QString::fromUtf8(c.typed) : QStringLiteral("$"));
        app().currencySymbol = QStringLiteral("$");
    }

    // The two buttons fill the box; Cancel keeps the symbol as it was.
    withSettings(
        [&] { QTest::keyClick(&menu, Qt::Key_Comma, Qt::ControlModifier); },
        [&](QWidget* dialog) {
            auto* box = child<QLineEdit>(dialog, QStringLiteral("SettingsCurrencySymbol"));
            auto* local = child<QPushButton>(dialog, QStringLiteral("SettingsLocaleSymbol"));
            EXPECT_EQ(local->isEnabled(), !LocaleCurrencySymbol().isEmpty());
            if (local->isEnabled()) {
                QTest::mouseClick(local, Qt::LeftButton);
                EXPECT_EQ(box->text(), LocaleCurrencySymbol());
            }
            typeText(box, QStringLiteral("x"));
            QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("SettingsDefaultSymbol")),
                              Qt::LeftButton);
            EXPECT_EQ(box->text(), QStringLiteral("$"));
            typeText(box, QStringLiteral("Fr"));
            QTest::mouseClick(child<QPushButton>(dialog, QStringLiteral("SettingsCancel")),
                              Qt::LeftButton);
        });
    EXPECT_EQ(app().currencySymbol, QStringLiteral("$"));
    EXPECT_EQ(ReadCurrencySymbol(), QStringLiteral("kr")) << "the one stored last";
}

// A settings file that cannot be written is said so; the symbol in memory and on disk stays.
TEST_F(SettingsDialog, ASymbolThatCannotBeStoredChangesNothing) {
    ASSERT_TRUE(QDir().mkpath(settingsFile())); // a folder where the file should be
    QStringList shown;
    withSettings([&] { pressSettingsKey(&menu); },
                 [&](QWidget* dialog) {
                     answerNextModal([&](QWidget* message) {
                         shown << message->objectName() << dialogText(message);
                         message->close();
                     });
                     typeAndEnter(dialog, QStringLiteral("\u00a5"));
                     EXPECT_TRUE(dialog->isVisible()) << "the dialog stays for another try";
                     QTest::keyClick(dialog->focusWidget(), Qt::Key_Escape);
                 });
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], QStringLiteral("SettingsNotWritten"));
    EXPECT_TRUE(shown[1].contains(QStringLiteral("could not be written")))
        << shown[1].toStdString();
    EXPECT_EQ(app().currencySymbol, QStringLiteral("$"));
}

} // namespace
