// The investment manager's actions at the largest data: 18 funds and 600 records. Actions that
// change the portfolio are timed alone (manual time); the step that puts the portfolio back
// for the next round is not counted.

#include "LargePortfolio.h"

#include "core/portfolio/DatabaseFile.h"
#include "core/text/Dates.h"
#include "screens/CurrentValue.h"
#include "screens/FundDisplay.h"
#include "screens/ManagerScreen.h"
#include "screens/RecordEntry.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

using namespace qm;

namespace {

const Portfolio& Largest() {
    static const Portfolio p = [] {
        qmbench::PinEnvironment();
        return qmbench::MakeLargePortfolio();
    }();
    return p;
}

QTemporaryDir& Folder() {
    static QTemporaryDir dir;
    return dir;
}

// A manager screen working on the largest portfolio.
ManagerScreen LargestScreen() {
    ManagerScreen s;
    s.portfolio = Largest();
    return s;
}

// Times one call of `action` for the benchmark's manual clock.
template <typename Action> void Timed(benchmark::State& state, Action&& action) {
    const auto start = std::chrono::steady_clock::now();
    action();
    const auto end = std::chrono::steady_clock::now();
    state.SetIterationTime(std::chrono::duration<double>(end - start).count());
}

// The fund with the most records: the longest record list.
int BusiestFund(const Portfolio& p) {
    int best = 1;
    for (int f = 2; f <= p.fundCount; ++f) {
        if (FundRecordCount(p, f) > FundRecordCount(p, best))
            best = f;
    }
    return best;
}

void OpenFile(benchmark::State& state) {
    const QString path = Folder().filePath(QStringLiteral("OPEN.QMD"));
    if (!WriteDatabaseFile(Largest(), path))
        state.SkipWithError("cannot write the file");
    Portfolio p;
    InitPortfolio(p);
    for (auto _ : state) {
        const std::vector<Message> messages = OpenDatabase(p, path);
        benchmark::DoNotOptimize(messages.data());
    }
    if (p.recordCount != MaxRecords)
        state.SkipWithError("the file did not open");
}
BENCHMARK(OpenFile)->Unit(benchmark::kMicrosecond);

void SaveFile(benchmark::State& state) {
    const QString path = Folder().filePath(QStringLiteral("SAVE.QMD"));
    Portfolio p = Largest();
    for (auto _ : state) {
        if (!SaveDatabase(p, path).saved)
            state.SkipWithError("the save failed");
    }
}
BENCHMARK(SaveFile)->Unit(benchmark::kMicrosecond);

// "&Add Record" with 599 records: the store, the re-sort by date and the fund's record list.
void AddRecord(benchmark::State& state) {
    ManagerScreen s = LargestScreen();
    Portfolio& p = s.portfolio;
    DeleteRecord(p, MaxRecords / 2);
    const int fund = BusiestFund(p);
    const QString fundText = p.fundName(fund);
    int day = 0;
    for (auto _ : state) {
        s.activeFund = s.newFundIndex = fund;
        s.transCode = QStringLiteral("B");
        s.inputValues = {};
        s.inputValues[1] = Currency::fromUnits(12);
        s.inputValues[2] = Currency::fromUnits(100);
        const QString date = ShortDate(QDate(1984, 1, 2).addDays((day += 4447) % 14600));
        Timed(state, [&] {
            const AddRecordOutcome out =
                AddRecordClick(s, {fundText, QStringLiteral("Bought"), date});
            if (!out.stored)
                state.SkipWithError("the record was refused");
        });
        // Remove it again: it is the record of that date with this price and count.
        for (int r = 1; r <= p.recordCount; ++r) {
            const Record& rec = p.record(r);
            if (ShortDate(rec.tradeDate) == date && rec.price == Currency::fromUnits(12) &&
                rec.shares == Currency::fromUnits(100) && rec.fund() == fund) {
                DeleteRecord(p, r);
                break;
            }
        }
    }
}
BENCHMARK(AddRecord)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A corrected record stored back with a date at the other end of 40 years: the re-sort moves it
// across the whole table. (At 600 records a correction is refused like an addition.)
void CorrectRecord(benchmark::State& state) {
    ManagerScreen s = LargestScreen();
    Portfolio& p = s.portfolio;
    DeleteRecord(p, MaxRecords / 2);
    const int fund = BusiestFund(p);
    const QString fundText = p.fundName(fund);
    bool late = true;
    for (auto _ : state) {
        s.activeFund = s.newFundIndex = fund;
        s.correctMode = CorrectMode::Correct;
        const int n = late ? 1 : FundRecordCount(p, fund);
        const FetchOutcome fetched = FetchForCorrection(s, QString::number(n));
        const QString date = ShortDate(late ? QDate(2024, 1, 2) : QDate(1984, 1, 2));
        late = !late;
        Timed(state, [&] {
            const AddRecordOutcome out = AddRecordClick(s, {fundText, fetched.typeText, date});
            if (!out.stored)
                state.SkipWithError("the correction was refused");
        });
    }
}
BENCHMARK(CorrectRecord)->UseManualTime()->Unit(benchmark::kMicrosecond);

// "&Delete record" answered Yes: the removal, the renumbering and the record list.
void DeleteRecordAction(benchmark::State& state) {
    ManagerScreen s = LargestScreen();
    Portfolio& p = s.portfolio;
    const int fund = BusiestFund(p);
    int n = 0;
    for (auto _ : state) {
        s.activeFund = s.newFundIndex = fund;
        n = n % FundRecordCount(p, fund) + 1;
        ChooseRecordToDelete(s, QString::number(n));
        const Record removed = p.record(s.targetRecord);
        Timed(state, [&] {
            const DeleteOutcome out = ConfirmDelete(s, true);
            if (!out.recordDeleted)
                state.SkipWithError("nothing was deleted");
        });
        // Put it back.
        s.activeFund = fund;
        s.transCode = removed.typeCode;
        s.inputValues = {Currency(),
                         removed.price,
                         removed.shares < Currency() ? -removed.shares : removed.shares,
                         removed.fees,
                         removed.cashDividend,
                         Currency()};
        StoreRecord(p,
                    {p.fundName(fund), TypeNameOf(removed.typeCode), ShortDate(removed.tradeDate)},
                    {fund, s.transCode, s.inputValues});
    }
}
BENCHMARK(DeleteRecordAction)->Name("DeleteRecord")->UseManualTime()->Unit(benchmark::kMicrosecond);

// A tab change with the funds in reverse name order: the name sort re-points 600 records.
void TabChange(benchmark::State& state) {
    ManagerScreen s = LargestScreen();
    Portfolio& p = s.portfolio;
    for (auto _ : state) {
        std::reverse(p.fundNames.begin() + 1, p.fundNames.begin() + 1 + p.fundCount);
        Timed(state, [&] { BeginTabChange(s); });
    }
}
BENCHMARK(TabChange)->UseManualTime()->Unit(benchmark::kMicrosecond);

// "&Display all funds".
void DisplayAll(benchmark::State& state) {
    ManagerScreen s = LargestScreen();
    for (auto _ : state) {
        const DisplayAllOutcome out = DisplayAllFunds(s);
        benchmark::DoNotOptimize(out.page.size());
    }
}
BENCHMARK(DisplayAll)->Unit(benchmark::kMicrosecond);

// A fund picked in the entry tab: the record list of the busiest fund.
void RecordList(benchmark::State& state) {
    ManagerScreen s = LargestScreen();
    Portfolio& p = s.portfolio;
    const QString fundText = p.fundName(BusiestFund(p));
    for (auto _ : state) {
        const QString page = PickFund(s, fundText);
        benchmark::DoNotOptimize(page.size());
    }
}
BENCHMARK(RecordList)->Unit(benchmark::kMicrosecond);

// "&Calculate" on the current value tab with a price for every fund.
void CurrentValue(benchmark::State& state) {
    ManagerScreen s = LargestScreen();
    Portfolio& p = s.portfolio;
    OpenCurrentValueTab(p);
    for (int k = 0; k < p.fundCount; ++k)
        LeavePriceBox(s, k, QStringLiteral("20.00"));
    for (auto _ : state) {
        const CurrentValueOutcome out = CalculateCurrentValue(s);
        if (out.page.isEmpty())
            state.SkipWithError("no report");
    }
}
BENCHMARK(CurrentValue)->Unit(benchmark::kMicrosecond);

} // namespace
