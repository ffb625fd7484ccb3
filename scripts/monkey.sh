#!/usr/bin/env bash
# Builds the random-use driver qm_monkey into build-fuzz/ (Clang, AddressSanitizer and UBSan, the
# widget library included) and runs it once per seed: the program is started as a user starts
# it, used at random for the given number of events on the offscreen platform, and ended with
# "Exit program". Fails when a run breaks a check, hangs or makes a sanitizer report; the report
# names the seed and the command that replays it. Nothing is printed on paper.
# Usage: scripts/monkey.sh [events] [seed...]
#   (default: 5000 events; seeds 1, 2, 3 and a new one taken from the clock, for long runs by
#   hand: scripts/test.sh always names its seeds, so that a CI run can be repeated)
# Each run's output is kept in build-fuzz/logs/monkey-<seed>.log. QM_MONKEY_VERBOSE=1 prints
# every action (with one seed, to follow a replay step by step).
set -euo pipefail
cd "$(dirname "$0")/.."

events="${1:-5000}"
[ $# -gt 0 ] && shift
seeds=("$@")
[ ${#seeds[@]} -eq 0 ] && seeds=(1 2 3 $(($(date +%s%N) / 1000 % 1000000000)))

scripts/deps.sh test
scripts/sanitizer-build.sh qm_monkey

mkdir -p build-fuzz/logs
verbose=()
[ "${QM_MONKEY_VERBOSE:-0}" = 1 ] && verbose=(--verbose)
failed=()
for seed in "${seeds[@]}"; do
    log="build-fuzz/logs/monkey-$seed.log"
    start=$(date +%s)
    if QT_QPA_PLATFORM=offscreen build-fuzz/monkey/qm_monkey --seed "$seed" --events "$events" \
        "${verbose[@]}" >"$log" 2>&1; then
        summary=$(sed -n 's/^qm_monkey: seed [0-9]*: //p' "$log")
        echo "monkey seed $seed: ok in $(($(date +%s) - start)) s: ${summary:-?}"
        [ ${#verbose[@]} -gt 0 ] && cat "$log"
    else
        echo "monkey seed $seed: FAILED (see $log)"
        grep -E 'qm_monkey: (CHECK FAILED|HANG|SANITIZER)|replay with|ERROR|SUMMARY' "$log" | head -20 || true
        failed+=("$seed")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Random use found problems with the seeds: ${failed[*]}" >&2
    exit 1
fi
