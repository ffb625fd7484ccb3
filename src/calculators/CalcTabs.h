#pragma once

#include <QFrame>
#include <QString>
#include <array>

#include "calculators/CalcState.h"

class QButtonGroup;
class QGridLayout;
class QLabel;
class QRadioButton;

namespace qm {

class ChoiceList;
class InputBox;
class QMInvest;

// The frame FrameAll(i) of one tab with its controls. The window builds one per tab when it
// opens; a tab change loads the tab's defaults into it.
class CalcTabPage : public QFrame {
    Q_OBJECT
public:
    CalcTabPage(CalcTab tab, const QString& prefix, QMInvest& window);

    CalcTab tab() const { return tab_; }

    // Stores the tab's defaults and shows them in their display forms.
    virtual void loadDefaults() = 0;

protected:
    // A labelled box or list on the next row of the page's grid.
    InputBox* addBox(const char* name, const QString& label, QLabel** labelOut = nullptr);
    ChoiceList* addList(const char* name, const QString& label);
    // An option button of a group; clicking it runs `onClick`.
    QRadioButton* addOption(QButtonGroup* group, int id, const QString& name,
                            const QString& caption, QWidget* parent);
    // The buttons prefix + Calculate, Print and Help, at the foot of the page.
    void addButtons();
    // The defaults of the table for `choice`, stored and shown.
    void loadBoxDefaults(int choice);
    InputBox* box(const char* name) const;

    QMInvest& window_;
    QGridLayout* grid_;
    int row_ = 0;

private:
    CalcTab tab_;
    QString prefix_;
};

class PensionPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit PensionPage(QMInvest& window);
    void loadDefaults() override;
};

class MortgagePage : public CalcTabPage {
    Q_OBJECT
public:
    explicit MortgagePage(QMInvest& window);
    void loadDefaults() override;

    int daysOption() const;
    void selectDaysOption(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Paints the box of the quantity to solve for green and locks it; the others yellow.
    void solveFor(QRadioButton* option);

    QButtonGroup* solveGroup_;
    QButtonGroup* daysGroup_;
    std::array<QRadioButton*, 7> days_{};
};

class InvestedPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit InvestedPage(QMInvest& window);
    void loadDefaults() override;
    bool completeCalculation() const;

private:
    QRadioButton* complete_;
};

class RetiredPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit RetiredPage(QMInvest& window);
    void loadDefaults() override;
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
};

class CapitalPage : public CalcTabPage {
    Q_OBJECT
public:
    explicit CapitalPage(QMInvest& window);
    void loadDefaults() override;
    void choseCalc();

private:
    QRadioButton* capital_;
    QLabel* label26_;
};

} // namespace qm
