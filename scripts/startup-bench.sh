#!/usr/bin/env bash
# Start-up time of the program against a minimal Qt Widgets program, as whole processes in one
# run: each is started RUNS times (alternating) on the offscreen platform with a preloaded probe
# that ends the process when its first window is shown. Prints the medians and their ratio and
# fails when the program takes more than 1.2 times as long.
# Usage: scripts/startup-bench.sh [runs]
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-21}"

cmake -S . -B build-startup -DQM_BENCH=ON -DQM_BUILD_TESTS=OFF -DQM_WERROR="${QM_WERROR:-OFF}" \
    >/dev/null
cmake --build build-startup -j2 --target quillmark qm_show_probe qm_minimal_program >/dev/null

probe="$PWD/build-startup/bench/startup/libqm_show_probe.so"
export QT_QPA_PLATFORM=offscreen LD_PRELOAD="$probe"
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export XDG_CONFIG_HOME="$home" XDG_RUNTIME_DIR="$home"

# Microseconds from start to the end of one process.
elapsed() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    echo $(((end - start) / 1000))
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

program=() minimal=()
elapsed build-startup/quillmark >/dev/null # warm the file cache
elapsed build-startup/bench/startup/qm_minimal_program >/dev/null
for ((i = 0; i < runs; i++)); do
    program+=("$(elapsed build-startup/quillmark)")
    minimal+=("$(elapsed build-startup/bench/startup/qm_minimal_program)")
done
p=$(printf '%s\n' "${program[@]}" | median)
m=$(printf '%s\n' "${minimal[@]}" | median)
ratio=$(awk -v p="$p" -v m="$m" 'BEGIN { printf "%.2f", p / m }')
within=$(awk -v r="$ratio" 'BEGIN { print (r <= 1.2) ? "yes" : "NO" }')
printf '| start-up to the first window: program %.1f ms, minimal Qt program %.1f ms, ratio %s | | %s |\n' \
    "$(awk -v v="$p" 'BEGIN { print v / 1000 }')" "$(awk -v v="$m" 'BEGIN { print v / 1000 }')" \
    "$ratio" "$within"
[ "$within" = yes ]
