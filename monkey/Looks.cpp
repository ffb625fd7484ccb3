#include "Looks.h"

#include "Trail.h"

#include "gui/common/Dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <cstdio>
#include <unistd.h>

namespace qmmonkey {

QString describe(const QWidget* w) {
    if (!w)
        return QStringLiteral("(nothing)");
    QString name = w->objectName();
    if (name.isEmpty())
        name = QString::fromLatin1(w->metaObject()->className());
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        return name + QStringLiteral(" \"") + button->text() + QLatin1Char('"');
    return name;
}

bool copyFresh(const QString& from, const QString& to) {
    QFile::remove(to);
    return QFile::copy(from, to) && QFile(to).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
}

int keyCodeOf(char16_t c) {
    if (c >= u'a' && c <= u'z')
        return Qt::Key_A + (c - u'a');
    if (c >= 0x20 && c < 0x7f)
        return c;
    return Qt::Key_unknown;
}

void closeBox(QWidget* window, const QString& what) {
    Note(QStringLiteral("close box of %1").arg(what));
    window->close();
}

QWidget* onTop() {
    QWidget* popup = QApplication::activePopupWidget();
    return popup ? popup : QApplication::activeModalWidget();
}

void fail(const QString& what) {
    // Where the program stood: inside a dialog, the handler that opened it.
    PrintStack();
    QStringList shown;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            shown << describe(w) + (w == QApplication::activeModalWidget() ? " (modal)" : "") +
                         (w->objectName() == QLatin1String("AMsgbox")
                              ? QStringLiteral(" message %1").arg(qm::dialogState().messageCode)
                              : QString());
    }
    PrintFailure("CHECK FAILED",
                 what +
                     QStringLiteral(" [windows shown: %1]").arg(shown.join(QLatin1String(", "))));
    std::fflush(stdout);
    _exit(1);
}

} // namespace qmmonkey
