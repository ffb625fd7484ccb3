#pragma once

#include <QFrame>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

#include "core/calculators/CalcState.h"

class QButtonGroup;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;

namespace qm {

class ChoiceList;
class InputBox;
class QMInvest;

// The frame FrameAll(i) of one tab with its controls and its calculator. The window builds one
// when it is first needed (made under the window's frames, so that each control is styled once);
// a tab change loads the tab's defaults into it. Building a page stores nothing in the window's
// state: the shared input values belong to the tab shown.
class CalcTabPage : public QFrame {
    Q_OBJECT
public:
    CalcTabPage(CalcTab tab, const QString& prefix, QMInvest& window, QWidget* parent);

    // Labels stand left in the first column of a page's grid; boxes and result labels stand
    // right in the second, so the right-justified figures of a tab end in one line.
    static constexpr Qt::Alignment LabelAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    static constexpr Qt::Alignment FieldAlignment = Qt::AlignRight | Qt::AlignVCenter;

    CalcTab tab() const { return tab_; }

    // Stores the tab's defaults and shows them in their display forms.
    virtual void loadDefaults() = 0;
    // "&Calculate": runs the tab's calculator on the boxes as they show and has the window
    // show the outcome.
    virtual void calculate() = 0;
    // "&Help": the tab's help page for the option selected now, every line ended.
    virtual QString helpPage() const = 0;

    // The page's controls in Tab order: from the first box along the Enter keys to the
    // Calculate button, then the other buttons, then the option buttons.
    std::vector<QWidget*> focusChain() const;

protected:
    // A labelled box or list on the next row of the page's grid.
    InputBox* addBox(const char* name, const QString& label, QLabel** labelOut = nullptr);
    ChoiceList* addList(const char* name, const QString& label);
    // An option button of a group; clicking it runs `onClick`.
    QRadioButton* addOption(QButtonGroup* group, int id, const QString& name,
                            const QString& caption, QWidget* parent);
    // A captioned frame of two options named `arrayName`(0) and `arrayName`(1) on the next rows
    // of the page; every click on either (even on the one already selected) runs `onClick`.
    // Returns the first option (selected by the caller's defaults).
    QRadioButton* addOptionPair(const QString& frameCaption, const QString& arrayName,
                                const QString& caption0, const QString& caption1,
                                std::function<void()> onClick);
    // The buttons prefix + Calculate, Print and Help, at the foot of the page (added last).
    void addButtons();
    // The defaults of the table for `choice`, stored and shown.
    void loadBoxDefaults(int choice);
    InputBox* box(const char* name) const;
    // The text a box or list of the page shows now.
    QString text(const char* name) const;
    // A caption that changes with an option keeps the width of its longest text, so the page
    // does not move when the option changes.
    static void reserveWidth(QLabel* label, const QStringList& texts);

    QMInvest& window_;
    QGridLayout* grid_;
    int row_ = 0;

private:
    CalcTab tab_;
    QString prefix_;
    // The controls as they were added: boxes and lists, buttons, option buttons and groups.
    std::vector<QWidget*> inputs_;
    std::vector<QPushButton*> buttons_;
    std::vector<QRadioButton*> options_;
    std::vector<QButtonGroup*> groups_;
};

} // namespace qm
