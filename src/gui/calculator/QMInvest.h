#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <memory>

#include "core/calculators/CalcState.h"
#include "core/calculators/Mortgage.h"
#include "gui/common/InputBox.h"
#include "gui/common/WorkWindowBase.h"

class QPlainTextEdit;
class QStackedWidget;
class QTabBar;

namespace qm {

class CalcTabPage;
class QMGraph;
class CapitalPage;
class InvestedPage;
class MortgagePage;
class RetiredPage;

// The calculator window "Calculations": six calculators on the tabs of SSTab1, each tab's
// controls in its frame FrameAll(i), one Results box showing the page, and the window-wide
// buttons "&Graph", "How to &use", "Clear &results" and "E&xit to menu". It opens on
// "Invested growth" with that tab's defaults. Each tab's frame runs its own calculator; the
// window shows what the handlers leave (the page, then their messages).
// The frames of the other tabs are built when first needed (their tab selected) or, one a pass,
// by its idle steps after the window's first frame; each takes its place in the Tab order as it
// is built.
class QMInvest : public WorkWindowBase, public BoxHost {
    Q_OBJECT
public:
    explicit QMInvest(QWidget* parent = nullptr);
    // Built only: load() opens it.
    explicit QMInvest(BuildOnly, QWidget* parent = nullptr);
    ~QMInvest() override;

    CalcState& state() { return screen_.state(); }
    const CalcState& state() const { return screen_.state(); }

    // Controls by their names, for the calculations: the text of a box, list, label or button;
    // setting it; whether an option button is selected. A control of a tab not built yet is not
    // found (buildFrameOf builds it).
    QWidget* control(const QString& name) override;
    // The control `name`, its tab's frame built first if it was not yet.
    QWidget* buildFrameOf(const QString& name);
    QString controlText(const QString& name) const;
    void setControlText(const QString& name, const QString& text);
    bool isSelected(const QString& optionName) const;

    // The mortgage tab's days-in-year option (the index of the selected MTIRFactor button).
    int daysOption() const;
    void selectDaysOption(int index);

    // Shows state().results in the Results box.
    void syncResults();

    // The tab change: empty page, counters and tables anew, the selected tab's frame shown
    // and its defaults loaded. Runs when a tab is selected and when the window opens.
    void ChangeSSTab();
    // Capital required: the defaults and the label of the selected option, calcChoice 0 or 2.
    void CRChoseCalc();
    // Retired income: the defaults, labels and box kinds of the selected withdrawal choice.
    void RIChoseCalc();

    // After a handler: the Results box shows state().results, then each message is shown in
    // order.
    void showOutcome(const CalcOutcome& outcome);
    // After a mortgage handler: the Results box, the plain message box (OK only), the focus on
    // MTInMthPayment when the solver asks for it, then the numbered messages.
    void showOutcome(const MortgageOutcome& outcome);

    // This is the work window; it opens on "Invested growth" with that tab's defaults.
    void load() override;

    // BoxHost
    CalcScreen& calcScreen() override { return screen_; }
    GrowthResults growthResults() const override;
    void resultsChanged() override { syncResults(); }
    void recalculateMortgage() override;
    void applyDaysOption() override;

    // The window's button handlers (also run by the tab pages' buttons).
    void calculateClicked(CalcTab tab);
    void helpClicked(CalcTab tab);
    void printClicked();
    // The page "&Print" prints; empty while the box shows no results.
    QString printedPage() const;
    void graphClicked();
    void howToUseClicked();
    void clearResultsClicked();

    // The frame of `tab`, built if it was not yet; whether it has been built.
    CalcTabPage* page(int tab);
    bool isBuilt(int tab) const { return pages_.at(static_cast<std::size_t>(tab)) != nullptr; }

protected:
    // "&Graph" with something to chart: the one place where the chart window is opened with
    // the chart values of state().
    virtual void showChartWindow();

private:
    void build();
    // Makes the frame of `tab` under the window's frames and puts its controls in the Tab
    // order between those of the tabs before and after it.
    void buildPage(int tab);
    // True once the window is being destroyed: leaving a control then starts nothing.
    bool closing_ = false;

    CalcScreen screen_;
    QTabBar* tabs_ = nullptr;
    QStackedWidget* frames_ = nullptr;
    QPlainTextEdit* results_ = nullptr;
    QString shownResults_;
    std::array<CalcTabPage*, 6> pages_{};
    // The frame built in the last idle pass, to be laid out in the next.
    CalcTabPage* toLayOut_ = nullptr;
    MortgagePage* mortgage_ = nullptr;
    InvestedPage* invested_ = nullptr;
    RetiredPage* retired_ = nullptr;
    CapitalPage* capital_ = nullptr;
    // The chart window "&Graph" would open on the page shown, made in idle time after the page
    // came (chartWanted_ until then), so that the click only shows it.
    std::unique_ptr<QMGraph> chartAhead_;
    bool chartWanted_ = false;
};

} // namespace qm
