// Plans: a few events in a row that a user makes to get somewhere in a work window.

#include "Monkey.h"

#include "Looks.h"
#include "Trail.h"

#include "gui/calculator/QMInvest.h"
#include "gui/common/InputBox.h"
#include "gui/manager/QMManagement.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTabBar>

namespace qmmonkey {

using qm::QMInvest;
using qm::QMManagement;

void Monkey::beginPlan(QWidget& window) {
    plan_.clear();
    planWindow_ = &window;
}

void Monkey::choosePlan(QMManagement* manager, QMInvest* calc) {
    if (manager && chance(0.06)) {
        switch (weighted({5, 2, 1, 2, 2})) {
        case 0:
            planRecordEntry(*manager);
            break;
        case 1:
            planCorrection(*manager, true);
            break;
        case 2:
            planCorrection(*manager, false);
            break;
        case 3:
            planCurrentValue(*manager);
            break;
        default:
            planHistoryWalk(*manager);
            break;
        }
    } else if (calc && chance(0.05)) {
        if (chance(0.7))
            planCalculation(*calc);
        else
            planComparisons(*calc);
    }
}

void Monkey::planManagerVisit(QMManagement& window) {
    // Every visit starts with a fresh copy of the sample database opened through "Open file".
    const QString sample = QDir(options_.folder).filePath(QStringLiteral("DtaSampl.QMD"));
    if (!copyFresh(options_.sampleDatabase, sample))
        fail(QStringLiteral("cannot copy the sample database %1").arg(options_.sampleDatabase));
    beginPlan(window);
    plan_.push_back([this, sample, w = QPointer<QMManagement>(&window)] {
        if (!w)
            return;
        forcedFile_ = sample;
        clickTab(w->findChild<QTabBar*>(QStringLiteral("SSTab2")), 0);
        forcedFile_.reset();
    });
}

void Monkey::planRecordEntry(QMManagement& window) {
    const QPointer<QMManagement> w(&window);
    beginPlan(window);
    plan_.push_back([this, w] {
        auto* tabs = w->findChild<QTabBar*>(QStringLiteral("SSTab2"));
        if (tabs->currentIndex() != 2)
            clickTab(tabs, 2);
        else
            Note(QStringLiteral("plan: enter a record"));
    });
    plan_.push_back([this, w] { chooseAnyFund(*w); });
    plan_.push_back([this, w] {
        auto* types = w->findChild<QComboBox*>(QStringLiteral("ETransType"));
        if (types->isVisible() && types->isEnabled() && types->count() > 0)
            chooseListItem(types, below(types->count()));
    });
    plan_.push_back([this, w] { typeIntoNamed(w, QStringLiteral("EInDate"), randomDate()); });
    for (const char* box : {"EInPrice", "EInNumShrs", "EInComm", "EInCashDiv"}) {
        plan_.push_back([this, w, box] {
            if (chance(0.85))
                typeIntoNamed(w, QLatin1String(box), randomAmount());
        });
    }
    plan_.push_back([this, w] {
        if (chance(0.9))
            clickNamed(w, QStringLiteral("EAddaRec"));
    });
}

void Monkey::planHistoryWalk(QMManagement& window) {
    const QPointer<QMManagement> w(&window);
    beginPlan(window);
    Note(QStringLiteral("plan: walk the history"));
    const int back = 1 + below(4);
    for (int i = 0; i < back; ++i)
        plan_.push_back([this, w] { useHistory(*w, true); });
    for (int i = 0, on = below(back + 2); i < on; ++i)
        plan_.push_back([this, w] { useHistory(*w, false); });
}

void Monkey::planCurrentValue(QMManagement& window) {
    const QPointer<QMManagement> w(&window);
    beginPlan(window);
    plan_.push_back([this, w] {
        Note(QStringLiteral("plan: value the funds"));
        auto* tabs = w->findChild<QTabBar*>(QStringLiteral("SSTab2"));
        if (tabs->currentIndex() != 4)
            clickTab(tabs, 4);
    });
    for (int i = 0; i < qm::MaxFunds; ++i) {
        plan_.push_back([this, w, i] {
            const QString name = QStringLiteral("CVInPrice(%1)").arg(i);
            auto* box = w->findChild<QLineEdit*>(name);
            if (box && box->isVisible() && box->isEnabled() && chance(0.95))
                typeIntoNamed(w, name, chance(0.8) ? QStringLiteral("20.00") : randomAmount());
        });
    }
    plan_.push_back([this, w] { clickNamed(w, QStringLiteral("CVCalc")); });
    plan_.push_back([this, w] {
        if (chance(0.5))
            clickNamed(w, QStringLiteral("CVGraph"));
    });
}

void Monkey::planCorrection(QMManagement& window, bool correct) {
    const QPointer<QMManagement> w(&window);
    beginPlan(window);
    plan_.push_back([this, w, correct] {
        Note(correct ? QStringLiteral("plan: correct a record")
                     : QStringLiteral("plan: delete a record"));
        auto* tabs = w->findChild<QTabBar*>(QStringLiteral("SSTab2"));
        if (tabs->currentIndex() != 2)
            clickTab(tabs, 2);
    });
    plan_.push_back([this, w] { chooseAnyFund(*w); });
    // The record number is typed into the dialog this opens, like every other answer.
    plan_.push_back([this, w, correct] {
        clickNamed(w, correct ? QStringLiteral("ECorrectRec") : QStringLiteral("EDelRec"));
    });
    if (!correct)
        return;
    plan_.push_back([this, w] {
        QList<QLineEdit*> boxes;
        for (const char* name : {"EInDate", "EInPrice", "EInNumShrs", "EInComm", "EInCashDiv"}) {
            auto* box = w->findChild<QLineEdit*>(QLatin1String(name));
            if (box && box->isVisible() && box->isEnabled())
                boxes << box;
        }
        if (boxes.isEmpty())
            return;
        QLineEdit* box = pick(boxes);
        typeIntoNamed(w, box->objectName(),
                      box->objectName() == QLatin1String("EInDate") ? randomDate()
                                                                    : randomAmount());
    });
    plan_.push_back([this, w] {
        if (chance(0.9))
            clickNamed(w, QStringLiteral("EAddaRec"));
    });
}

void Monkey::planComparisons(QMInvest& window) {
    const QPointer<QMInvest> w(&window);
    beginPlan(window);
    Note(QStringLiteral("plan: compare calculations"));
    for (int i = 0, n = 8 + below(7); i < n; ++i) {
        plan_.push_back([this, w] {
            const QList<qm::InputBox*> boxes = usable<qm::InputBox>(w);
            if (!boxes.isEmpty() && chance(0.3)) {
                qm::InputBox* box = pick(boxes);
                click(box, QStringLiteral("click into"));
                typeInto(w, QString::number(1 + below(chance(0.5) ? 40 : 100000)));
            }
            clickCalculate(*w);
        });
    }
    plan_.push_back([this, w] {
        if (chance(0.6))
            clickNamed(w, QStringLiteral("AllGraphs"));
    });
}

void Monkey::planCalculation(QMInvest& window) {
    const QPointer<QMInvest> w(&window);
    beginPlan(window);
    Note(QStringLiteral("plan: calculate"));
    for (int i = 0, n = 1 + below(3); i < n; ++i) {
        plan_.push_back([this, w] {
            const QList<qm::InputBox*> boxes = usable<qm::InputBox>(w);
            if (boxes.isEmpty())
                return;
            qm::InputBox* box = pick(boxes);
            click(box, QStringLiteral("click into"));
            typeInto(w, chance(0.7) ? QString::number(1 + below(chance(0.5) ? 40 : 100000))
                                    : randomAmount());
        });
    }
    plan_.push_back([this, w] { clickCalculate(*w); });
    plan_.push_back([this, w] {
        if (chance(0.3))
            clickNamed(w, QStringLiteral("AllGraphs"));
    });
}

} // namespace qmmonkey
