#!/usr/bin/env bash
# Builds the benchmarks into build-bench/ (the "bench" preset: the program's own build type, core library only),
# runs them and writes a results table to build-bench/results.md (also printed).
# Every user action must take less than 2 ms of computation; a slower one is marked. Times are
# wall-clock medians of three runs; a save includes flushing the file to the disk.
# Usage: scripts/bench.sh [extra benchmark options, e.g. --benchmark_filter=Open]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh bench
cmake --preset bench -DQM_WERROR="${QM_WERROR:-OFF}" >/dev/null
cmake --build --preset bench --target quillmark_bench

csv=build-bench/results.csv
build-bench/bench/quillmark_bench --benchmark_format=csv --benchmark_repetitions=3 \
    --benchmark_report_aggregates_only=true "$@" >"$csv"

limit_ms=2
table=build-bench/results.md
{
    echo "| action | median time | within ${limit_ms} ms |"
    echo "|---|---:|---|"
    # CSV columns: name, iterations, real_time, cpu_time, time_unit, ...
    awk -F, -v limit="$limit_ms" '
        $1 ~ /_median"?$/ {
            name = $1; gsub(/"/, "", name); sub(/_median$/, "", name); sub(/\/manual_time$/, "", name)
            t = $3 + 0; unit = $5; gsub(/"/, "", unit)
            ms = unit == "ns" ? t / 1e6 : unit == "us" ? t / 1e3 : unit == "ms" ? t : t * 1e3
            printf "| %s | %.3f ms | %s |\n", name, ms, ms < limit ? "yes" : "NO"
        }' "$csv"
} >"$table"

# Start-up of the program against a minimal Qt Widgets program, both as whole processes until
# their first window is shown.
scripts/startup-bench.sh >>"$table" || true

cat "$table"
if grep -q '| NO |' "$table"; then
    echo "Some actions take ${limit_ms} ms or more." >&2
    exit 1
fi
