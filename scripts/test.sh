#!/usr/bin/env bash
# Checks the formatting of every tracked C++ file (clang-format with the repository's
# .clang-format; a difference fails); builds the program and every test into build/ (the
# "default" preset) and runs all tests with CTest; then builds the computation library alone
# with its tests into build-core/ (the "core" preset) and runs those (QM_CORE_TESTS=0 leaves
# this out, as does giving ctest arguments unless QM_CORE_TESTS=1); then builds the fuzz targets
# into build-fuzz/ and runs each for a bounded time (QM_FUZZ_SECONDS per target, 15 by default,
# none when ctest arguments are given; 0 leaves fuzzing out); then builds the random-use driver
# there and runs it for QM_MONKEY_EVENTS events per seed (5000 by default, none when ctest
# arguments are given; 0 leaves it out) on the fixed seeds QM_MONKEY_SEEDS ("1 2 3 4"), so that
# a run can be repeated.
# Extra arguments go to ctest (for example: -R FormatNumber).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

clang_format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$clang_format" ]; then
    echo "clang-format not found (scripts/deps.sh test installs it)" >&2
    exit 1
fi
if command -v git >/dev/null && git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t sources < <(git ls-files '*.cpp' '*.h')
else
    mapfile -t sources < <(find src tests fuzz bench monkey -type f \( -name '*.cpp' -o -name '*.h' \))
fi
"$clang_format" --dry-run -Werror "${sources[@]}"
echo "Formatting: ${#sources[@]} C++ files as .clang-format says"

werror="${QM_WERROR:-OFF}"
cmake --preset default -DQM_WERROR="$werror"
cmake --build --preset default
export QT_QPA_PLATFORM=offscreen
ctest --preset default "$@"

# A run of chosen tests (arguments given) leaves the rest out unless asked for.
chosen=0
[ $# -gt 0 ] && chosen=1

if [ "${QM_CORE_TESTS:-$((1 - chosen))}" = 1 ]; then
    cmake --preset core -DQM_WERROR="$werror" >/dev/null
    cmake --build --preset core
    ctest --preset core "$@"
fi

default_fuzz=15
[ "$chosen" = 1 ] && default_fuzz=0
fuzz_seconds="${QM_FUZZ_SECONDS:-$default_fuzz}"
if [ "$fuzz_seconds" -gt 0 ]; then
    scripts/fuzz.sh "$fuzz_seconds"
fi

default_monkey=5000
[ "$chosen" = 1 ] && default_monkey=0
monkey_events="${QM_MONKEY_EVENTS:-$default_monkey}"
if [ "$monkey_events" -gt 0 ]; then
    # Fixed seeds: scripts/monkey.sh adds one taken from the clock only when given none.
    read -r -a seeds <<<"${QM_MONKEY_SEEDS:-1 2 3 4}"
    scripts/monkey.sh "$monkey_events" "${seeds[@]}"
fi
