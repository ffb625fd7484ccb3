// Single user actions: clicks, keys, the wheel and typing, each noted in the trail first.

#include "Monkey.h"

#include "Looks.h"
#include "Trail.h"
#include "Wheel.h"

#include "gui/app/QMStart.h"
#include "gui/calculator/QMInvest.h"
#include "gui/manager/QMManagement.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <algorithm>

namespace qmmonkey {

using qm::QMInvest;
using qm::QMManagement;

namespace {

enum class StepKey { None, Undo, Redo };

StepKey buttonOf(const QWidget* widget) {
    const QString name = widget ? widget->objectName() : QString();
    return name == QLatin1String("UndoRecord")   ? StepKey::Undo
           : name == QLatin1String("RedoRecord") ? StepKey::Redo
                                                 : StepKey::None;
}

// Whether `key` pressed on `target` (none: a click on it) asks for an undo or a redo: their
// keys, the access keys of "&Undo" and "&Redo", or a click, Enter or Space on either button.
StepKey stepAskedBy(const Key* key, const QWidget* target) {
    if (!key)
        return buttonOf(target);
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    if (key->modifiers == ctrl && key->key == Qt::Key_Z)
        return StepKey::Undo;
    if ((key->modifiers == (ctrl | Qt::ShiftModifier) && key->key == Qt::Key_Z) ||
        (key->modifiers == ctrl && key->key == Qt::Key_Y))
        return StepKey::Redo;
    if (key->modifiers == Qt::AltModifier)
        return key->key == Qt::Key_U   ? StepKey::Undo
               : key->key == Qt::Key_R ? StepKey::Redo
                                       : StepKey::None;
    const bool pressesButton = key->modifiers == Qt::NoModifier &&
                               (key->key == Qt::Key_Return || key->key == Qt::Key_Space);
    return pressesButton ? buttonOf(target) : StepKey::None;
}

} // namespace

void Monkey::noteStepAsked(const QWidget* target, const Key* key) {
    const StepKey asked = stepAskedBy(key, target);
    run_.asked.undo = run_.asked.undo || asked == StepKey::Undo;
    run_.asked.redo = run_.asked.redo || asked == StepKey::Redo;
}

void Monkey::useHistory(QMManagement& window, bool undo) {
    // The entry tab's button, enabled or not, or the key pressed wherever the keyboard is.
    auto* button = window.findChild<QPushButton*>(undo ? QStringLiteral("UndoRecord")
                                                       : QStringLiteral("RedoRecord"));
    if (button && button->isVisible() && chance(0.4)) {
        if (button->isEnabled())
            run_.asked.certainUndo = undo;
        click(button, QStringLiteral("click"));
        return;
    }
    const Key key =
        undo ? Key{Qt::Key_Z, Qt::ControlModifier, QStringLiteral("\x1a"), QStringLiteral("Ctrl+Z")}
        : chance(0.5)
            ? Key{Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, QStringLiteral("\x1a"),
                  QStringLiteral("Ctrl+Shift+Z")}
            : Key{Qt::Key_Y, Qt::ControlModifier, QStringLiteral("\x19"), QStringLiteral("Ctrl+Y")};
    QWidget* target = keyTarget(&window);
    // A box with typing of its own to take back (or make again) takes the key.
    const auto* box = qobject_cast<const QLineEdit*>(target);
    if (!box || !(undo ? box->isUndoAvailable() : box->isRedoAvailable()))
        run_.asked.certainUndo = undo;
    press(target, key);
}

void Monkey::noteCommand(const QWidget* button) {
    if (button && button->objectName().endsWith(QLatin1String("Calculate"))) {
        if (auto* calc = qobject_cast<QMInvest*>(menu_.workWindow()))
            run_.calculatedFrom = calc->state().results;
        else
            run_.calculatedFrom = QString();
    }
}

void Monkey::pressAccessKey(QWidget* root) {
    QList<QAbstractButton*> keyed;
    for (QAbstractButton* b : usable<QAbstractButton>(root)) {
        if (!QKeySequence::mnemonic(b->text()).isEmpty())
            keyed << b;
    }
    if (keyed.isEmpty())
        return;
    QAbstractButton* button = pick(keyed);
    const QKeyCombination combination = QKeySequence::mnemonic(button->text())[0];
    const Qt::Key letter = combination.key();
    noteCommand(button);
    press(keyTarget(root),
          Key{letter, Qt::AltModifier, QString(QChar(static_cast<char16_t>(letter))).toLower(),
              QStringLiteral("Alt+%1 (%2)")
                  .arg(QChar(static_cast<char16_t>(letter)))
                  .arg(button->objectName())});
}

void Monkey::pressFocusedButton(QWidget* root) {
    auto* button = qobject_cast<QPushButton*>(keyTarget(root));
    if (!button) {
        const QList<QPushButton*> buttons = usable<QPushButton>(root);
        if (buttons.isEmpty())
            return;
        button = anyButton(buttons);
        Note(QStringLiteral("tab to %1").arg(describe(button)));
        button->setFocus(Qt::TabFocusReason);
        if (!button->hasFocus())
            return;
    }
    noteCommand(button);
    press(button, chance(0.5)
                      ? Enter
                      : Key{Qt::Key_Space, {}, QStringLiteral(" "), QStringLiteral("Space")});
}

void Monkey::middleClick(QLineEdit* box) {
    // Where the platform has a mouse selection, it holds something no filter lets through.
    if (QGuiApplication::clipboard()->supportsSelection())
        QGuiApplication::clipboard()->setText(QStringLiteral("-7abc1"), QClipboard::Selection);
    Note(QStringLiteral("middle-click %1").arg(describe(box)));
    QTest::mouseClick(box, Qt::MiddleButton, {}, box->rect().center());
}

void Monkey::commitText(QWidget* root, const QString& text) {
    QWidget* target = keyTarget(root);
    // An input method only sends to a control that takes its text (not to a read-only page).
    if (!target->testAttribute(Qt::WA_InputMethodEnabled))
        return;
    Note(QStringLiteral("input method commits \"%1\" to %2").arg(text, describe(target)));
    if (chance(0.3)) {
        QInputMethodEvent composing(text.left(2), {});
        QCoreApplication::sendEvent(target, &composing);
    }
    QInputMethodEvent commit;
    commit.setCommitString(text);
    QCoreApplication::sendEvent(target, &commit);
}

QPushButton* Monkey::anyButton(const QList<QPushButton*>& buttons) {
    std::vector<double> weights;
    for (QPushButton* b : buttons)
        weights.push_back(WorkExitButtons.contains(b->objectName()) ? 0.05 : 1.0);
    return buttons.at(weighted(weights));
}

void Monkey::useItemList(QListWidget* list) {
    if (list->count() == 0) {
        click(list->viewport(), QStringLiteral("click the empty list"));
        return;
    }
    QListWidgetItem* item = list->item(below(list->count()));
    const QPoint at = list->visualItemRect(item).center();
    click(list->viewport(), QStringLiteral("click item \"%1\" of").arg(item->text()), at);
    if (chance(0.6) && list->isVisible()) {
        Note(QStringLiteral("double-click item \"%1\"").arg(item->text()));
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
}

void Monkey::openContextMenu(QLineEdit* box) {
    Note(QStringLiteral("context menu of %1").arg(describe(box)));
    const QPoint at = box->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, box->mapToGlobal(at));
    QCoreApplication::sendEvent(box, &event);
}

void Monkey::turnWheelOver(QWidget* target) {
    const bool down = chance(0.5);
    Note(QStringLiteral("turn the wheel %1 over %2")
             .arg(down ? QStringLiteral("down") : QStringLiteral("up"), describe(target)));
    turnWheel(target, down ? -1 : 1);
}

void Monkey::click(QWidget* widget, const QString& what, QPoint at) {
    Note(QStringLiteral("%1 %2").arg(what, describe(widget)));
    noteCommand(widget);
    noteStepAsked(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, at.isNull() ? widget->rect().center() : at);
}

void Monkey::clickTab(QTabBar* tabs, int index) {
    if (!tabs || !tabs->isVisible() || index < 0 || index >= tabs->count())
        return;
    // A tab scrolled out of sight, or under the scroll arrows, cannot be clicked: the user
    // scrolls the tabs first.
    QRect shown = tabs->tabRect(index) & tabs->rect();
    QList<QAbstractButton*> arrows;
    for (QAbstractButton* b : tabs->findChildren<QAbstractButton*>()) {
        if (!b->isVisible())
            continue;
        const QRect g = b->geometry();
        if (g.center().x() > shown.center().x())
            shown.setRight(std::min(shown.right(), g.left() - 1));
        else
            shown.setLeft(std::max(shown.left(), g.right() + 1));
        if (b->isEnabled())
            arrows << b;
    }
    if (shown.width() < 4 || shown.height() < 4) {
        if (!arrows.isEmpty())
            click(pick(arrows),
                  QStringLiteral("scroll the tabs of %1 with").arg(tabs->objectName()));
        return;
    }
    Note(QStringLiteral("click tab \"%1\"").arg(tabs->tabText(index)));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, shown.center());
}

void Monkey::chooseListItem(QComboBox* list, int index) {
    Note(QStringLiteral("choose item %1 of %2").arg(index).arg(describe(list)));
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(list->width() - 6, list->height() / 2));
    if (!QApplication::activePopupWidget())
        return;
    QAbstractItemView* view = list->view();
    if (index >= 0 && index < list->count())
        view->setCurrentIndex(view->model()->index(index, 0));
    QTest::keyClick(view, Qt::Key_Return);
}

void Monkey::chooseAnyFund(QMManagement& window) {
    auto* funds = window.findChild<QComboBox*>(QStringLiteral("EFunds"));
    if (funds->isVisible() && funds->count() > 0)
        chooseListItem(funds, below(funds->count()));
}

void Monkey::clickCalculate(QWidget& window) {
    for (QPushButton* b : usable<QPushButton>(&window)) {
        if (b->objectName().endsWith(QLatin1String("Calculate"))) {
            useButton(&window, b);
            return;
        }
    }
}

void Monkey::useButton(QWidget* root, QAbstractButton* button) {
    // Mostly a click; else its access key typed where the keyboard is (a box being edited, as
    // often as not), or Enter or Space once the button has the focus.
    const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
    switch (weighted(
        {6, mnemonic.isEmpty() ? 0.0 : 2.5, qobject_cast<QPushButton*>(button) ? 1.5 : 0.0})) {
    case 1: {
        const Qt::Key letter = mnemonic[0].key();
        noteCommand(button);
        press(keyTarget(root->window()),
              Key{letter, Qt::AltModifier, QString(QChar(static_cast<char16_t>(letter))).toLower(),
                  QStringLiteral("Alt+%1 (%2)")
                      .arg(QChar(static_cast<char16_t>(letter)))
                      .arg(button->objectName())});
        return;
    }
    case 2:
        Note(QStringLiteral("tab to %1").arg(describe(button)));
        button->setFocus(Qt::TabFocusReason);
        if (button->hasFocus()) {
            noteCommand(button);
            press(button,
                  chance(0.5)
                      ? Enter
                      : Key{Qt::Key_Space, {}, QStringLiteral(" "), QStringLiteral("Space")});
            return;
        }
        break;
    default:
        break;
    }
    click(button, QStringLiteral("click"));
}

bool Monkey::clickNamed(QWidget* root, const QString& name) {
    auto* button = root->findChild<QAbstractButton*>(name);
    if (!button || !button->isVisible() || !button->isEnabled())
        return false;
    useButton(root, button);
    return true;
}

void Monkey::typeIntoNamed(QWidget* root, const QString& name, const QString& text) {
    auto* box = root->findChild<QLineEdit*>(name);
    if (!box || !box->isVisible() || !box->isEnabled())
        return;
    click(box, QStringLiteral("click into"));
    typeInto(root, text);
}

QWidget* Monkey::keyTarget(QWidget* root) const {
    QWidget* focus = QApplication::focusWidget();
    if (focus && focus->window() == root)
        return focus;
    return root;
}

void Monkey::press(QWidget* target, const Key& key) {
    Note(QStringLiteral("key %1 to %2").arg(key.name, describe(target)));
    noteStepAsked(target, &key);
    QTest::sendKeyEvent(QTest::Click, target, static_cast<Qt::Key>(key.key), key.text,
                        key.modifiers);
    if (key.modifiers & Qt::AltModifier)
        holdUntilMs_ = clock_.elapsed() + 150;
}

void Monkey::pressRandomKey(QWidget* root) {
    press(keyTarget(root), randomKey());
}

void Monkey::typeInto(QWidget* root, const QString& text) {
    Note(QStringLiteral("type \"%1\" to %2").arg(text, describe(keyTarget(root))));
    const QPointer<QWidget> window(root);
    for (const QChar c : text) {
        if (!window || !window->isVisible())
            return;
        // A key that moved the focus or opened a dialog: the rest goes where the keyboard is.
        if (QApplication::activeModalWidget() && QApplication::activeModalWidget() != root)
            return;
        // (A blank typed on the focused "&Undo" or "&Redo" presses it.)
        const Key key{keyCodeOf(c.unicode()), Qt::NoModifier, QString(c), QString(c)};
        QWidget* target = keyTarget(root);
        noteStepAsked(target, &key);
        QTest::sendKeyEvent(QTest::Click, target, static_cast<Qt::Key>(key.key), key.text,
                            key.modifiers);
    }
}

} // namespace qmmonkey
