#pragma once

#include <QApplication>
#include <QString>
#include <QWidget>
#include <functional>
#include <gtest/gtest.h>

namespace qmtest {

// Finds a descendant widget by its objectName; fails the test when it is missing.
template <typename T> T* child(QObject* root, const QString& name) {
    T* found = root->findChild<T*>(name);
    EXPECT_NE(found, nullptr) << "no child named " << name.toStdString();
    return found;
}

// Answers the next modal dialog: once one is active, `answer` runs with it (from a timer, while
// the code under test waits in the dialog's event loop). Polls for up to `timeoutMs`.
void answerNextModal(std::function<void(QWidget*)> answer, int timeoutMs = 5000);

// Runs `action`, answering each modal dialog it opens with `answer`; returns the text each
// dialog showed, in order (see dialogText).
QStringList runAnsweringModals(const std::function<void()>& action,
                               const std::function<void(QWidget*)>& answer);

// The visible text of one of the program's dialogs (message, question or prompt).
QString dialogText(QWidget* dialog);

// Closes a dialog the way its "E&xit" / "&No" / "&Cancel" button does.
void pressButton(QWidget* dialog, const QString& objectName);

} // namespace qmtest
