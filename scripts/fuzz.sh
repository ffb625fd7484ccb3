#!/usr/bin/env bash
# Builds the fuzz targets into build-fuzz/ (Clang, AddressSanitizer and UBSan; see
# scripts/sanitizer-build.sh) and runs each one for a bounded time, starting from its seeds in
# fuzz/corpus/<target>.
# Fails when a target crashes, breaks one of its properties or hangs.
# Usage: scripts/fuzz.sh [seconds-per-target] [target...]   (default: 15 s; every target)
# Inputs that found something are kept as build-fuzz/crashes/<target>-*; new inputs that
# reached new code go to build-fuzz/corpus/<target> (the committed seeds are never changed).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-15}"
[ $# -gt 0 ] && shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(database val format dates)

scripts/deps.sh test
scripts/sanitizer-build.sh $(printf 'fuzz_%s ' "${targets[@]}")

mkdir -p build-fuzz/crashes build-fuzz/logs
failed=()
for t in "${targets[@]}"; do
    mkdir -p "build-fuzz/corpus/$t"
    dict=()
    [ -f "fuzz/$t.dict" ] && dict=("-dict=fuzz/$t.dict")
    log="build-fuzz/logs/$t.log"
    if "build-fuzz/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="build-fuzz/crashes/$t-" "${dict[@]}" \
        "build-fuzz/corpus/$t" "fuzz/corpus/$t" >"$log" 2>&1; then
        runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
        echo "fuzz $t: ${runs:-?} runs in ${seconds} s, nothing found"
    else
        echo "fuzz $t: FAILED (see $log)"
        grep -E 'ERROR|broken property|SUMMARY|Test unit written' "$log" | head -20 || true
        failed+=("$t")
    fi
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "Fuzzing found problems in: ${failed[*]}" >&2
    exit 1
fi
