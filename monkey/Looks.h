#pragma once

// What the driver looks at and leans on everywhere: how a control is named in the trail, the
// controls a user can reach, the keys it presses most, and the report of a broken check.

#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace qmmonkey {

// One key as the keyboard sends it.
struct Key {
    int key = 0;
    Qt::KeyboardModifiers modifiers;
    QString text;
    QString name;
};

inline const Key Escape{Qt::Key_Escape, {}, QStringLiteral("\x1b"), QStringLiteral("Escape")};
inline const Key Enter{Qt::Key_Return, {}, QStringLiteral("\r"), QStringLiteral("Enter")};

// The exit buttons of the work windows: pressed now and then, so that visits last a while.
inline const QStringList WorkExitButtons{"ExitProgram", "EExit", "DExit", "CVExit"};

// A control as the trail and the reports name it: its object name, and a button's text.
QString describe(const QWidget* w);

// The controls of type T in the window `root` that are shown and enabled.
template <typename T> QList<T*> usable(QWidget* root) {
    QList<T*> found;
    for (T* w : root->findChildren<T*>()) {
        if (w->window() == root && w->isVisible() && w->isEnabled())
            found << w;
    }
    return found;
}

// A copy of `from` at `to` that the run may write, in place of whatever was there.
bool copyFresh(const QString& from, const QString& to);

// The key that types a character: a letter by its letter key, the rest of printable ASCII by
// its own code.
int keyCodeOf(char16_t c);

// The close box of the window's frame; `what` names the window in the trail.
void closeBox(QWidget* window, const QString& what);

// An open list or menu, else the active dialog; nothing when a window is at rest.
QWidget* onTop();

// Reports a broken check with the windows shown, and ends the process.
[[noreturn]] void fail(const QString& what);

} // namespace qmmonkey
