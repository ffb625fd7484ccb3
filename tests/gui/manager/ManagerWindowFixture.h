#pragma once

// Drives the investment manager window the way a user does: it is opened from the start menu,
// and everything goes through its controls (tab clicks, keys, buttons, the dialogs answered).

#include "core/text/Messages.h"
#include "gui/app/QMStart.h"
#include "gui/common/AppState.h"
#include "gui/common/InputBox.h"
#include "gui/manager/ManagerControls.h"
#include "gui/manager/QMManagement.h"
#include "support/ManagerTestSupport.h"
#include "support/UiHelpers.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <ostream>

namespace qmtest {

inline QString msg(int code) {
    return qm::MessageText(code);
}

// Answers one dialog. Replies: "fund:NAME" (fund-name dialog), "number:TEXT" (record-number
// dialog), "file:PATH" (file dialog), "accept" (the file dialog as offered), "yes", "no", "cancel",
// "close" (its close box). Messages and plain boxes are closed with their button (a plain question
// with "Yes" unless the reply is "no").
inline void answerDialog(QWidget* dialog, const QString& reply) {
    const QString name = dialog->objectName();
    const QString arg = reply.section(QLatin1Char(':'), 1);
    if (auto* box = qobject_cast<QMessageBox*>(dialog)) {
        QAbstractButton* yes = box->button(QMessageBox::Yes);
        QAbstractButton* no = box->button(QMessageBox::No);
        if (no && reply == QLatin1String("no"))
            no->click();
        else
            (yes ? yes : box->buttons().first())->click();
    } else if (reply == QLatin1String("close")) {
        dialog->close();
    } else if (name == QLatin1String("AMsgbox")) {
        pressButton(dialog, QStringLiteral("AMsgExit"));
    } else if (name == QLatin1String("AllYesNo")) {
        pressButton(dialog, reply == QLatin1String("yes") ? QStringLiteral("AllYes")
                                                          : QStringLiteral("AllNo"));
    } else if (name == QLatin1String("PrinterHeaderInput")) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("InFName")), arg);
        pressButton(dialog, reply.startsWith(QLatin1String("fund:")) ? QStringLiteral("Acept")
                                                                     : QStringLiteral("NAcept"));
    } else if (name == QLatin1String("FundCurValInput")) {
        QTest::keyClicks(dialog->findChild<QLineEdit*>(QStringLiteral("CurVal")), arg);
        pressButton(dialog, reply.startsWith(QLatin1String("number:"))
                                ? QStringLiteral("Accept")
                                : QStringLiteral("NoAccept"));
    } else if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
        auto* edit = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (reply == QLatin1String("accept")) { // the folder and name as offered
            QTest::keyClick(edit, Qt::Key_Return);
            return;
        }
        if (!reply.startsWith(QLatin1String("file:"))) {
            files->reject();
            return;
        }
        edit->setText(arg);
        QTest::keyClick(edit, Qt::Key_Return);
    } else {
        ADD_FAILURE() << "unknown dialog " << name.toStdString();
        dialog->close();
    }
}

class ManagerWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        qm::app().currencySymbol = QStringLiteral("$");
        qm::SetBeepHook([this] { ++beeps; });
        qm::managerHooks() = {};
        qm::managerHooks().print = [this](const QString& page) { printed << page; };
        ASSERT_TRUE(dir.isValid());
        menu = new qm::QMStart;
        menu->show();
        openManager();
    }
    void TearDown() override {
        delete menu; // destroys the manager without asking
        qm::SetBeepHook({});
        qm::managerHooks() = {};
    }

    void openManager() {
        menu->StartStockMgmt_Click();
        window = qobject_cast<qm::QMManagement*>(menu->workWindow());
        ASSERT_NE(window, nullptr);
        activate();
    }
    // Focus changes reach the controls only while the window is active; a closed dialog does
    // not always hand the activation back on the offscreen platform.
    void activate() {
        QApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!menu->workWindow() || window->isActiveWindow())
            return;
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    }

    template <typename T = QWidget> T* get(const char* name) {
        // The "Current value" frame built first if it was not yet, as choosing its tab would.
        if (!window->control(QString::fromLatin1(name)))
            window->valueTab();
        T* found = qobject_cast<T*>(window->control(QString::fromLatin1(name)));
        EXPECT_NE(found, nullptr) << "no control named " << name;
        return found;
    }
    QString text(const char* name) {
        QWidget* w = get(name);
        if (auto* list = qobject_cast<QComboBox*>(w))
            return list->currentText();
        if (auto* edit = qobject_cast<QLineEdit*>(w))
            return edit->text();
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        if (auto* box = qobject_cast<QPlainTextEdit*>(w))
            return box->toPlainText();
        return qobject_cast<QAbstractButton*>(w)->text();
    }
    // The items of a drop-down list.
    QStringList listItems(const char* list) {
        auto* box = get<QComboBox>(list);
        QStringList out;
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    // The lines of a results box.
    QStringList lines(const char* box) {
        return get<QPlainTextEdit>(box)->toPlainText().split(QLatin1Char('\n'));
    }
    QString shownName() const {
        return window->focusWidget() ? window->focusWidget()->objectName() : QString();
    }
    int tab() { return get<QTabBar>("SSTab2")->currentIndex(); }

    // Runs `action`, answering the dialogs it opens with `replies` in order (messages are
    // closed; a plain question takes a reply); returns the texts of the messages and questions
    // shown.
    QStringList run(const std::function<void()>& action, QStringList replies = {}) {
        QStringList shown;
        runAnsweringModals(action, [&](QWidget* dialog) {
            const bool question = dialog->objectName() == QLatin1String("AllYesNo") ||
                                  dialog->objectName() == QLatin1String("PlainQuestion") ||
                                  dialog->objectName() == QLatin1String("RecoveryQuestion");
            const bool message = !question && (dialog->objectName() == QLatin1String("AMsgbox") ||
                                               qobject_cast<QMessageBox*>(dialog));
            if (message || question)
                shown << dialogText(dialog);
            QString reply;
            if (!message) {
                if (replies.isEmpty())
                    ADD_FAILURE() << "unexpected dialog " << dialog->objectName().toStdString();
                else
                    reply = replies.takeFirst();
            }
            // Answered once the dialog runs its own loop, so a dialog it opens is answered too.
            QTimer::singleShot(0, dialog, [dialog, reply] { answerDialog(dialog, reply); });
        });
        EXPECT_TRUE(replies.isEmpty())
            << "dialogs not shown for " << replies.join(' ').toStdString();
        activate();
        return shown;
    }
    QStringList click(const char* button, const QStringList& replies = {}) {
        return run([&] { QTest::mouseClick(get(button), Qt::LeftButton); }, replies);
    }
    // A mouse click on the caption of tab `index`.
    void pressTab(int index) {
        auto* tabs = get<QTabBar>("SSTab2");
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
    }
    QStringList clickTab(int index, const QStringList& replies = {}) {
        return run([&] { pressTab(index); }, replies);
    }
    // Types into the focused control, as InvestWindowTest::type does ({Enter}, {Del}, ...).
    QStringList keys(const QString& typed) {
        return run([&] {
            for (qsizetype i = 0; i < typed.size(); ++i) {
                QWidget* to = window->focusWidget();
                if (typed[i] != QLatin1Char('{')) {
                    QTest::keyClick(to, typed[i].toLatin1());
                    continue;
                }
                const qsizetype end = typed.indexOf(QLatin1Char('}'), i);
                const QString word = typed.mid(i + 1, end - i - 1);
                i = end;
                QTest::keyClick(to, word == QLatin1String("Del") ? Qt::Key_Delete : Qt::Key_Return);
            }
        });
    }
    void focus(const char* name) {
        activate();
        get(name)->setFocus(Qt::TabFocusReason);
        QApplication::processEvents();
    }
    // Chooses an item of a drop-down list from its opened list, as a user does.
    QStringList choose(const char* name, const QString& item) {
        auto* list = get<QComboBox>(name);
        const int row = list->findText(item);
        EXPECT_GE(row, 0) << item.toStdString();
        return run([&] {
            list->showPopup();
            QAbstractItemView* view = list->view();
            view->setCurrentIndex(view->model()->index(row, 0));
            QTest::keyClick(view, Qt::Key_Return);
        });
    }

    void addFund(const QString& name) {
        EXPECT_EQ(click("ECreateFund", {QStringLiteral("fund:") + name}), QStringList());
    }
    // Chooses the type, types `row` from the date box on, then clicks "&Add Record".
    QStringList enter(const QString& type, const QString& row) {
        QStringList shown = choose("ETransType", type);
        focus("EInDate");
        shown += keys(row);
        return shown + click("EAddaRec");
    }
    // A fund added and its records entered: {type, keys from the date box}.
    void fundWith(const QString& fund,
                  std::initializer_list<std::pair<const char*, const char*>> rows) {
        addFund(fund);
        for (const auto& [type, typed] : rows)
            EXPECT_EQ(enter(QLatin1String(type), QLatin1String(typed)), QStringList()) << typed;
    }
    // One fund "F" with three records, dated 1/1, 2/1 and 3/1/2024 at prices 10, 11 and 12.
    void threeRecordFund() {
        fundWith(QStringLiteral("F"), {{"Bought", "1/1/2024{Enter}10{Enter}100{Enter}{Enter}"},
                                       {"Bought", "2/1/2024{Enter}11{Enter}100{Enter}{Enter}"},
                                       {"Bought", "3/1/2024{Enter}12{Enter}100{Enter}{Enter}"}});
    }
    // A copy of the database `path` in the test's own folder: a file shared between test
    // programs running at once would be locked by the first to open it.
    QString copyOf(const QString& path) {
        const QString copy = dir.filePath(QFileInfo(path).fileName());
        if (!QFileInfo::exists(copy)) {
            EXPECT_TRUE(QFile::copy(path, copy));
        }
        return copy;
    }
    QString writeFile(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(writeBytes(path, bytes));
        return path;
    }
    QStringList openFile(const QString& path) {
        return clickTab(0, {QStringLiteral("file:") + path});
    }

    QTemporaryDir dir;
    qm::QMStart* menu = nullptr;
    qm::QMManagement* window = nullptr;
    int beeps = 0;
    QStringList printed;
};

} // namespace qmtest
