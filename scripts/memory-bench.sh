#!/usr/bin/env bash
# Peak memory of the program against a minimal Qt Widgets program, on a virtual X server: the
# highest resident set (VmHWM) three seconds after each starts, the program on the largest
# database (18 funds, 600 records) as a file manager starts it. Prints both, in MB, and their
# ratio for each of RUNS runs (target: within 1.3 times). A benchmark: it prints, it does not fail.
# Usage: scripts/memory-bench.sh [runs]   (default 3; QM_FRAME_BUILD names the build folder,
# build-startup by default, as for scripts/frame-bench.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-3}"
build="${QM_FRAME_BUILD:-build-startup}"

if [ -z "${QM_MEMORY_UNDER_X:-}" ]; then
    scripts/deps.sh bench
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake --preset startup -B "$build" -DQM_WERROR="${QM_WERROR:-OFF}" >/dev/null
    fi
    cmake --build "$build" -j2 --target quillmark qm_minimal_program >/dev/null
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" \
        env QM_MEMORY_UNDER_X=1 QM_FRAME_BUILD="$build" "$0" "$runs"
fi

export QT_QPA_PLATFORM=xcb
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" XDG_RUNTIME_DIR="$work"
chmod 700 "$work"

# The highest resident set of the command, in kB, three seconds after it started.
peak() {
    "$@" >/dev/null 2>&1 &
    local pid=$!
    sleep 3
    local kb
    kb=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "$kb"
}

# A copy in the run's folder: the program keeps a lock file beside the database it has open.
database="$work/largest-18-funds-600-records.QMD"
cp fuzz/corpus/database/largest-18-funds-600-records.QMD "$database"
minimal=$(find "$build" -name qm_minimal_program -type f -perm -u+x | head -1)
for ((i = 1; i <= runs; i++)); do
    program_kb=$(peak "$build/quillmark" "$database")
    minimal_kb=$(peak "$minimal")
    awk -v p="$program_kb" -v m="$minimal_kb" \
        'BEGIN { printf "program %.1f MB, minimal program %.1f MB, ratio %.3f\n", p / 1024, m / 1024, p / m }'
done
