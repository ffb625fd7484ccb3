#include "support/UiHelpers.h"

#include <QAbstractButton>
#include <QElapsedTimer>
#include <QEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTimer>
#include <memory>

namespace qmtest {

void answerNextModal(std::function<void(QWidget*)> answer, int timeoutMs) {
    auto* timer = new QTimer;
    auto elapsed = std::make_shared<QElapsedTimer>();
    elapsed->start();
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, elapsed, answer, timeoutMs] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            answer(modal);
        } else if (elapsed->elapsed() > timeoutMs) {
            timer->stop();
            timer->deleteLater();
            ADD_FAILURE() << "no modal dialog appeared";
        }
    });
    timer->start();
}

QStringList runAnsweringModals(const std::function<void()>& action,
                               const std::function<void(QWidget*)>& answer) {
    QStringList texts;
    QTimer timer;
    timer.setInterval(5);
    // Each dialog is answered once each time it shows. It is marked rather than remembered by
    // address: dialogs shown one after another often reuse the same address. A window may keep
    // its dialog and show it again: the mark goes when the dialog hides.
    static const char* const answered = "qmtestAnswered";
    struct UnmarkOnHide : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override {
            if (event->type() == QEvent::Hide)
                watched->setProperty(answered, false);
            return false;
        }
    } unmark;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property(answered).toBool())
            return;
        modal->setProperty(answered, true);
        modal->installEventFilter(&unmark);
        texts << dialogText(modal);
        answer(modal);
    });
    timer.start();
    action();
    timer.stop();
    return texts;
}

QString dialogText(QWidget* dialog) {
    if (auto* box = qobject_cast<QMessageBox*>(dialog))
        return box->text();
    if (auto* box = dialog->findChild<QPlainTextEdit*>(QStringLiteral("TextMsg")))
        return box->toPlainText();
    if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("Label1")))
        return label->text();
    if (auto* label = dialog->findChild<QLabel*>(QStringLiteral("FName")))
        return label->text();
    return QString();
}

void pressButton(QWidget* dialog, const QString& objectName) {
    auto* button = dialog->findChild<QAbstractButton*>(objectName);
    if (!button) {
        ADD_FAILURE() << "dialog has no button " << objectName.toStdString();
        return;
    }
    button->click();
}

} // namespace qmtest
