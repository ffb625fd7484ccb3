#include "Trail.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <pthread.h>
#include <string>
#include <thread>
#include <unistd.h>

#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(undefined_behavior_sanitizer)
#define QM_MONKEY_SANITIZED 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define QM_MONKEY_SANITIZED 1
#endif

#ifdef QM_MONKEY_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace qmmonkey {

namespace {

constexpr std::size_t TrailLength = 40;

constexpr std::size_t LineLength = 240;

// Plain character buffers: a report at exit comes after static objects are destroyed.
std::mutex trailMutex;
char trail[TrailLength][LineLength];
std::size_t trailNext = 0;
std::atomic<bool> runEnded{false};
std::atomic<int> currentEvent{0};
std::atomic<bool> verboseNotes{false};
std::uint64_t runSeed = 0;
int runEvents = 0;

std::atomic<bool> watching{false};
std::thread watchdog;
pthread_t uiThread;

void printTrail(bool locked) {
    if (runEnded.load())
        return;
    std::fprintf(stderr, "qm_monkey: last actions, oldest first:\n");
    for (std::size_t i = 0; i < TrailLength; ++i) {
        const char* line = trail[(trailNext + i) % TrailLength];
        if (line[0] != '\0')
            std::fprintf(stderr, "  %s\n", line);
    }
    if (!locked)
        std::fprintf(stderr, "  (the list may be incomplete: it was being written)\n");
}

void printHeader(const char* kind, const std::string& what) {
    std::fprintf(stderr,
                 "\nqm_monkey: %s at event %d of seed %llu: %s\n"
                 "qm_monkey: replay with: scripts/monkey.sh %d %llu\n",
                 kind, currentEvent.load(), static_cast<unsigned long long>(runSeed), what.c_str(),
                 std::max(runEvents, currentEvent.load()),
                 static_cast<unsigned long long>(runSeed));
}

void report(const char* kind, const std::string& what) {
    printHeader(kind, what);
    // The dying thread may hold the lock; the list is printed anyway rather than waiting.
    const bool locked = trailMutex.try_lock();
    printTrail(locked);
    if (locked)
        trailMutex.unlock();
    std::fflush(stderr);
}

#ifdef QM_MONKEY_SANITIZED
void onSanitizerDeath() {
    report("SANITIZER REPORT", "see the report above");
}

void onHangSignal(int) {
    std::fprintf(stderr, "qm_monkey: the user-interface thread was here:\n");
    __sanitizer_print_stack_trace();
    std::fflush(stderr);
    _exit(2);
}
#endif

} // namespace

void SetRun(std::uint64_t seed, int events) {
    runSeed = seed;
    runEvents = events;
}

void SetEvent(int event) {
    currentEvent.store(event);
}

void SetVerbose(bool verbose) {
    verboseNotes.store(verbose);
}

void Note(const QString& action) {
    const std::string line =
        "event " + std::to_string(currentEvent.load()) + ": " + action.toStdString();
    {
        const std::lock_guard<std::mutex> lock(trailMutex);
        std::snprintf(trail[trailNext], LineLength, "%s", line.c_str());
        trailNext = (trailNext + 1) % TrailLength;
    }
    if (verboseNotes.load()) {
        std::fprintf(stdout, "%s\n", line.c_str());
        std::fflush(stdout);
    }
}

void PrintFailure(const char* kind, const QString& what) {
    report(kind, what.toStdString());
}

void InstallDeathReport() {
#ifdef QM_MONKEY_SANITIZED
    __sanitizer_set_death_callback(onSanitizerDeath);
#endif
}

void EndRun() {
    runEnded.store(true);
}

void PrintStack() {
#ifdef QM_MONKEY_SANITIZED
    std::fprintf(stderr, "qm_monkey: where the user-interface thread was:\n");
    __sanitizer_print_stack_trace();
#endif
}

void StartWatchdog(int seconds) {
    uiThread = pthread_self();
#ifdef QM_MONKEY_SANITIZED
    std::signal(SIGUSR2, onHangSignal);
#endif
    watching.store(true);
    watchdog = std::thread([seconds] {
        int last = -1;
        auto since = std::chrono::steady_clock::now();
        while (watching.load()) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const int now = currentEvent.load();
            const auto t = std::chrono::steady_clock::now();
            if (now != last) {
                last = now;
                since = t;
                continue;
            }
            if (t - since < std::chrono::seconds(seconds))
                continue;
            report("HANG", "no event could start for " + std::to_string(seconds) + " seconds");
#ifdef QM_MONKEY_SANITIZED
            pthread_kill(uiThread, SIGUSR2);
            std::this_thread::sleep_for(std::chrono::seconds(10));
#endif
            _exit(2);
        }
    });
}

void StopWatchdog() {
    watching.store(false);
    if (watchdog.joinable())
        watchdog.join();
}

} // namespace qmmonkey
