#pragma once

#include <QFrame>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "calculators/CalcState.h"
#include "calculators/InvestedGrowth.h"
#include "calculators/Mortgage.h"

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
// per tab when it opens; a tab change loads the tab's defaults into it.
class CalcTabPage : public QFrame {
    Q_OBJECT
public:
    CalcTabPage(CalcTab tab, const QString& prefix, QMInvest& window);

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

class PensionPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit PensionPage(QMInvest& window);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
};

class MortgagePage : public CalcTabPage {
    Q_OBJECT
public:
    explicit MortgagePage(QMInvest& window);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;

    int daysOption() const;
    void selectDaysOption(int index);

    // The solver, run when an edited box or the compounding list is left.
    void recalculate();
    // The days-in-year step that ends with the solver: the payment-frequency list left after
    // an item was chosen, or any days-in-year button left.
    void applyDaysOption();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // A click on an option button: that quantity is solved for from now on (no solve yet).
    void solveFor(QRadioButton* option);
    // Paints the box of the quantity to solve for green and locks it; the others yellow.
    void paintSolvedBox(MortgageSolveFor solveFor);

    // The controls as the solver sees them, and back. `step` runs on them; the window then
    // shows its outcome.
    MortgageControls readControls() const;
    void writeControls(const MortgageControls& controls);
    template <typename Step> void run(Step&& step);

    // Rates, payments and the days convention: they outlive solves and tab changes.
    MortgageState mortgageState_;
    QButtonGroup* solveGroup_;
    QButtonGroup* daysGroup_;
    std::array<QRadioButton*, 7> days_{};
    // The green result labels, whose figures screen readers read as their descriptions.
    std::vector<QLabel*> results_;
};

class InvestedPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit InvestedPage(QMInvest& window);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
    // The "Show results" option selected now.
    GrowthResults results() const;

private:
    QRadioButton* complete_;
};

class RetiredPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit RetiredPage(QMInvest& window);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
    // The defaults, labels and box kinds of the selected withdrawal choice.
    void choseCalc();

private:
    QRadioButton* percentage_;
    QLabel* label32_;
    QLabel* label33_;
};

class CompoundPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit CompoundPage(QMInvest& window);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
};

class CapitalPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit CapitalPage(QMInvest& window);
    void loadDefaults() override;
    void calculate() override;
    QString helpPage() const override;
    // The defaults and the label of the selected option; calcChoice 0 or 2.
    void choseCalc();

private:
    QRadioButton* capital_;
    QLabel* label26_;
};

} // namespace qm
