#pragma once

#include "gui/calculator/QMInvest.h"
#include "gui/common/AppState.h"
#include "gui/common/InputBox.h"
#include "support/CaseName.h"
#include "support/UiHelpers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

namespace qmtest {

// A calculator window of its own for each test, shown and active (so focus changes reach
// its controls), with the beeps counted.
class InvestWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        qm::app().currencySymbol = QStringLiteral("$");
        qm::SetBeepHook([this] { ++beeps; });
        window = new qm::QMInvest;
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    }
    void TearDown() override {
        delete window;
        qm::SetBeepHook({});
    }

    // A control by its name, the frame of a tab not shown yet built first, as selecting the tab
    // would.
    template <typename T = QWidget> T* get(const char* name) {
        T* found = qobject_cast<T*>(window->buildFrameOf(QString::fromLatin1(name)));
        EXPECT_NE(found, nullptr) << "no control named " << name;
        return found;
    }
    qm::InputBox* box(const char* name) { return get<qm::InputBox>(name); }
    QString text(const char* name) {
        window->buildFrameOf(QString::fromLatin1(name));
        return window->controlText(QString::fromLatin1(name));
    }
    void selectTab(int index) { get<QTabBar>("SSTab1")->setCurrentIndex(index); }

    // Gives `widget` the focus as the Tab key would.
    void focus(QWidget* widget) {
        widget->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }

    // Types `keys` into the focused control. Braced words are keys: {Del}, {Enter}, {Home},
    // {End}, {Bksp}, {Left}, {Right}, {Down}; every other character is typed as it is.
    void type(QWidget* widget, const QString& keys) {
        for (qsizetype i = 0; i < keys.size(); ++i) {
            if (keys[i] == QLatin1Char('{')) {
                const qsizetype end = keys.indexOf(QLatin1Char('}'), i);
                const QString word = keys.mid(i + 1, end - i - 1);
                i = end;
                const Qt::Key key = word == QLatin1String("Del")     ? Qt::Key_Delete
                                    : word == QLatin1String("Enter") ? Qt::Key_Return
                                    : word == QLatin1String("Home")  ? Qt::Key_Home
                                    : word == QLatin1String("End")   ? Qt::Key_End
                                    : word == QLatin1String("Bksp")  ? Qt::Key_Backspace
                                    : word == QLatin1String("Left")  ? Qt::Key_Left
                                    : word == QLatin1String("Down")  ? Qt::Key_Down
                                                                     : Qt::Key_Right;
                QTest::keyClick(widget, key);
            } else {
                QTest::keyClick(widget, keys[i].toLatin1());
            }
        }
    }

    // Runs `action`, closing every message it shows; returns the messages' texts.
    // The window is active again afterwards, so that focus changes reach its controls.
    QStringList answering(const std::function<void()>& action) {
        const QStringList texts = runAnsweringModals(action, [](QWidget* dialog) {
            if (dialog->objectName() == QLatin1String("AMsgbox"))
                pressButton(dialog, QStringLiteral("AMsgExit"));
            else
                dialog->close();
        });
        if (!texts.isEmpty() && !window->isActiveWindow()) {
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window));
        }
        return texts;
    }

    // Moves the focus from the focused control to `to`; returns the messages shown on the way.
    QStringList leaveTo(QWidget* to) {
        return answering([&] { focus(to); });
    }

    // Gives control `name` the focus, types `keys` into it (a list chooses its next item with
    // {Down}) and leaves it for the "&Graph" button; returns the messages shown on the way.
    QStringList enter(const char* name, const QString& keys) {
        QWidget* control = get(name);
        focus(control);
        type(control, keys);
        return leaveTo(get("AllGraphs"));
    }

    // Clicks button `name`; returns the messages it showed.
    QStringList press(const char* name) {
        return answering([&] { static_cast<QAbstractButton*>(get(name))->click(); });
    }

    // The lines the Results box shows (the last one is empty when the text ends a line).
    QStringList shownLines() {
        return get<QPlainTextEdit>("Results")->toPlainText().split(QLatin1Char('\n'));
    }

    qm::QMInvest* window = nullptr;
    int beeps = 0;
};

} // namespace qmtest
