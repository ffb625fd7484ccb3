#pragma once

// The random-use driver: uses the whole program the way a careless user would, one event at a
// time, chosen by a seeded random generator, and checks after every event that nothing broke.
//
// Each event is one step run from a zero timer. A step schedules the next one before it acts,
// so when its action opens a modal dialog (which waits in its own event loop) the next step
// runs inside that loop and answers the dialog. A step acts on whatever is on top: an open
// list or menu, else the active dialog, else the work window, else the start menu.
//
// The driver's parts: the step and what is on top (Monkey.cpp), the answers to the dialogs
// (Answers.cpp), plans of several events (Plans.cpp), single user actions (Gestures.cpp), the
// random choices (RandomInput.cpp); the checks are a class of their own (Checks.h).

#include "Checks.h"
#include "Looks.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <random>
#include <vector>

class QAbstractButton;
class QComboBox;
class QFileDialog;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabBar;
class QWidget;

namespace qm {
class QMInvest;
class QMManagement;
class QMStart;
} // namespace qm

namespace qmmonkey {

struct MonkeyOptions {
    std::uint64_t seed = 1;
    int events = 2000;
    QString folder;          // an empty folder for the database files of the run
    QString sampleDatabase;  // the shipped sample database
    QString largestDatabase; // a database of 18 funds and 600 records
};

// The controls of a work window a user can reach now, by kind.
struct Controls;

class Monkey : public QObject {
    Q_OBJECT
public:
    Monkey(const MonkeyOptions& options, qm::QMStart& menu);

    void start();
    // True once the run has ended with "Exit program" (or the start menu's close box).
    bool finished() const { return finished_; }
    // A line of what the run did: windows opened, dialogs, messages by number.
    QString summary() const;

private:
    void schedule(int delayMs = 0);
    void step();
    void act(QWidget* context);
    // The checks after every event; a broken one ends the run.
    void check(QWidget* context);

    // What is on top.
    void onPopup(QWidget* popup);
    void onModal(QWidget* modal);
    void onStartMenu();
    void onWorkWindow(QWidget* window);
    // What a user does with the window's controls when no plan is under way.
    void useControls(QWidget* window, const Controls& controls);
    void windDown(QWidget* context);

    // The dialogs: what one shows is counted and kept when it is first seen.
    void seeDialog(QWidget* dialog);
    int chooseAnswer(QWidget* dialog, const QString& what, const std::vector<double>& weights);
    void answerMessage(QWidget* dialog);
    void answerQuestion(QWidget* dialog);
    void answerLine(QWidget* dialog);
    void answerNumber(QWidget* dialog);
    void answerFiles(QFileDialog* dialog);
    // The dialog that saves a copy of a page, a chart or the records (PDF, text, PNG, CSV).
    void answerSaveCopy(QFileDialog* dialog);
    void answerPlainBox(QWidget* box);
    // The settings: a symbol typed (usable or not), one of the two ready ones, OK or Cancel.
    void answerSettings(QWidget* dialog);
    void useChart(QWidget* chart);
    void cancelFiles(QFileDialog* dialog);
    // An open (or save) now under way, checked once the window is back at rest: chosen in the
    // file dialog, or from the recent databases (`fromList`).
    void expectFile(bool save, const QString& path, bool fromList);

    // Plans: a few events in a row that a user makes to get somewhere (a record entered, the
    // prices typed in). Each runs as its own event; a plan ends when its window goes.
    void beginPlan(QWidget& window);
    // Now and then one of the window's plans is begun (either window may be null).
    void choosePlan(qm::QMManagement* manager, qm::QMInvest* calc);
    void planRecordEntry(qm::QMManagement& window);
    void planCurrentValue(qm::QMManagement& window);
    void planCorrection(qm::QMManagement& window, bool correct);
    void planCalculation(qm::QMInvest& window);
    void planComparisons(qm::QMInvest& window);
    void planManagerVisit(qm::QMManagement& window);
    // A few steps taken back, then some made again.
    void planHistoryWalk(qm::QMManagement& window);

    // Single user actions.
    bool ensureActive(QWidget* window);
    void click(QWidget* widget, const QString& what, QPoint at = QPoint());
    // One of the buttons, an exit button seldom.
    QPushButton* anyButton(const QList<QPushButton*>& buttons);
    // A click on an item of the list (or on the empty list), now and then a double click.
    void useItemList(QListWidget* list);
    void openContextMenu(QLineEdit* box);
    // One notch of the mouse wheel, up or down.
    void turnWheelOver(QWidget* target);
    void clickTab(QTabBar* tabs, int index);
    void chooseListItem(QComboBox* list, int index);
    void chooseAnyFund(qm::QMManagement& window); // an item of the entry tab's fund list
    void clickCalculate(QWidget& window);         // the "&Calculate" of the calculator's tab
    void typeInto(QWidget* target, const QString& text);
    void press(QWidget* target, const Key& key);
    void pressRandomKey(QWidget* root);
    // The access key (Alt with the underlined letter) of a button or option shown.
    void pressAccessKey(QWidget* root);
    // Enter or Space on a push button that has the focus (given it by Tab if none has).
    void pressFocusedButton(QWidget* root);
    // The middle mouse button on a box (the mouse selection's paste).
    void middleClick(QLineEdit* box);
    // Text committed by an input method to the focused control.
    void commitText(QWidget* root, const QString& text);
    // A command of a "&Calculate" button was started: the next check at rest looks at the page.
    void noteCommand(const QWidget* button);
    // An undo or a redo asked for by the key or the button about to be pressed (`key` null: a
    // click on `target`), noted for the checks.
    void noteStepAsked(const QWidget* target, const Key* key);
    // Undo (or redo) in the manager: the entry tab's button, or the key on the focused control.
    void useHistory(qm::QMManagement& window, bool undo);
    // Presses a button as a user does: by a click, its access key, or Enter or Space on it.
    void useButton(QWidget* root, QAbstractButton* button);
    bool clickNamed(QWidget* root, const QString& name);
    void typeIntoNamed(QWidget* root, const QString& name, const QString& text);
    QWidget* keyTarget(QWidget* root) const;

    // Random choices.
    int below(int n);
    bool chance(double p);
    int weighted(const std::vector<double>& weights);
    // An item of a list (or a character of a text) that is not empty.
    template <typename List> auto pick(const List& list) {
        return list.at(below(static_cast<int>(list.size())));
    }
    Key randomKey();
    QString randomAmount();
    QString randomDate();
    QString randomText(int maxLength);
    // What a user types into a box: mostly an amount, else a date or a short text.
    QString randomEntry();
    QString randomRecordNumber();
    QString freshMalformedFile();

    MonkeyOptions options_;
    qm::QMStart& menu_;
    std::mt19937_64 rng_;
    QTimer ticker_;
    int event_ = 0;
    bool finished_ = false;
    bool windingDown_ = false;
    int windDownSteps_ = 0;
    int activationTries_ = 0;
    QElapsedTimer clock_;
    qint64 holdUntilMs_ = 0; // a mnemonic's animated click is let happen before the next event
    std::vector<QWidget*> running_; // contexts of the steps running now, outermost first

    std::deque<std::function<void()>> plan_;
    QPointer<QWidget> planWindow_;
    QPointer<QWidget> lastManager_;

    // The dialog's answer the manager visit starts with.
    std::optional<QString> forcedFile_;
    int fileCounter_ = 0;

    // What the run did and what the checks hold the program to after it.
    RunState run_;
    Checks checks_;
};

} // namespace qmmonkey
