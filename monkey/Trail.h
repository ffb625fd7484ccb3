#pragma once

// What the random-use driver leaves behind when a run goes wrong: the run's seed and the last
// actions, printed on any sanitizer report, on a hang (a watchdog thread) or on a broken check.

#include <QString>
#include <cstdint>

namespace qmmonkey {

// The seed and the number of events of this run, named in every failure report.
void SetRun(std::uint64_t seed, int events);
// The event being run now (the watchdog's heartbeat).
void SetEvent(int event);

// Keeps `action` among the last actions (and prints it at once when `verbose` was set).
void Note(const QString& action);
void SetVerbose(bool verbose);

// Prints the failure, the seed, the command that replays the run and the last actions.
void PrintFailure(const char* kind, const QString& what);

// The stack of the calling thread, under the sanitizers (nothing otherwise).
void PrintStack();

// Sanitizer reports name the seed and the last actions before the process ends.
void InstallDeathReport();
// After the run: a report (a leak found at exit) names the seed but no actions.
void EndRun();

// A thread that ends the process when no event has started for `seconds`: it reports the hang
// and, under the sanitizers, the stack of the user-interface thread.
void StartWatchdog(int seconds);
void StopWatchdog();

} // namespace qmmonkey
