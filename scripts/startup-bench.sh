#!/usr/bin/env bash
# Start-up time of the program against a minimal Qt Widgets program, as whole processes in one
# run: each is started RUNS times (alternating) on the offscreen platform with a preloaded probe
# that ends the process when its first window is shown. Prints the medians and their ratio and
# fails when the program takes more than 1.2 times as long.
# scripts/frame-bench.sh runs it on an X server to the first painted frame, through these
# variables: QM_STARTUP_PLATFORM (offscreen), QM_PROBE_END (show, or frame), QM_STARTUP_BUILD (the
# build folder, build-startup; a new one is configured with the "startup" preset) and
# QM_STARTUP_SAMPLES (a file that gets every run's microseconds: "program N" and "minimal N" lines).
# Usage: scripts/startup-bench.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-21}"
build="${QM_STARTUP_BUILD:-build-startup}"

if [ -f "$build/CMakeCache.txt" ]; then
    cmake "$build" -DQM_BENCH=ON >/dev/null
else
    cmake --preset startup -B "$build" -DQM_WERROR="${QM_WERROR:-OFF}" >/dev/null
fi
cmake --build "$build" -j2 --target quillmark qm_show_probe qm_minimal_program >/dev/null

probe="$PWD/$build/bench/startup/libqm_show_probe.so"
export QT_QPA_PLATFORM="${QM_STARTUP_PLATFORM:-offscreen}" LD_PRELOAD="$probe"
export QM_PROBE_END="${QM_PROBE_END:-show}"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home" XDG_STATE_HOME="$home/state" XDG_RUNTIME_DIR="$home"

# Microseconds from start to the end of one process.
elapsed() {
    local start end
    start=$(date +%s%N)
    timeout 60 "$@" >/dev/null 2>&1 || true
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

program=() minimal=()
elapsed "$build/quillmark" >/dev/null # warm the file cache
elapsed "$build/bench/startup/qm_minimal_program" >/dev/null
for ((i = 0; i < runs; i++)); do
    program+=("$(elapsed "$build/quillmark")")
    minimal+=("$(elapsed "$build/bench/startup/qm_minimal_program")")
done
if [ -n "${QM_STARTUP_SAMPLES:-}" ]; then
    printf 'program %s\n' "${program[@]}" >"$QM_STARTUP_SAMPLES"
    printf 'minimal %s\n' "${minimal[@]}" >>"$QM_STARTUP_SAMPLES"
fi
p=$(printf '%s\n' "${program[@]}" | median)
m=$(printf '%s\n' "${minimal[@]}" | median)
ratio=$(awk -v p="$p" -v m="$m" 'BEGIN { printf "%.2f", p / m }')
within=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.2) ? "yes" : "NO" }')
printf '| start-up to the first window: program %.1f ms, minimal Qt program %.1f ms, ratio %s | | %s |\n' \
    "$(awk -v v="$p" 'BEGIN { print v / 1000 }')" "$(awk -v v="$m" 'BEGIN { print v / 1000 }')" \
    "$ratio" "$within"
[ "$within" = yes ]
