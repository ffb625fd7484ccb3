#!/usr/bin/env bash
# Proves the README on a brand-new machine: makes a minimal Debian 12 (debootstrap, variant
# minbase) in build-fresh/, copies a clean clone of the committed HEAD into it, and there, as
# root, runs the README's test command with warnings as errors (scripts/test.sh installs what it
# needs through scripts/deps.sh); then checks that the README's run command (scripts/run.sh)
# builds and starts the program: on the offscreen platform the start menu must be the first
# window shown (a preloaded probe ends the program there).
#
# Everything inside runs in its own mount and process namespaces: the mounts it makes (/proc,
# /sys, a private /dev, /dev/pts and /dev/shm, a tmpfs /tmp) and every process it starts go
# away with it, and the new system is deleted at the end, also on failure and on Ctrl+C.
# Nothing is cached between runs: every package is installed anew each time.
#
# With --package it then also follows the README's package commands there: scripts/package.sh
# (which fails on any lintian error or warning), the .deb installed with apt-get, the installed
# program answering --version without a display and showing the start menu first, its manual
# page and file type registered, and the package removed again. --no-tests leaves the test and
# run commands out (to try the package steps alone).
#
# Usage: scripts/fresh-check.sh [--package] [--no-tests] [ctest arguments...]   (as root; the
# ctest arguments go to scripts/test.sh). QM_FUZZ_SECONDS, QM_MONKEY_EVENTS, QM_MONKEY_SEEDS and
# QM_CORE_TESTS are passed on.
set -euo pipefail

if [ "${1:-}" = --inside ]; then
    # Runs in the new mount and process namespaces, with the new system at $2.
    root="$2"
    shift 2
    mount -t sysfs -o ro,nosuid,nodev,noexec sysfs "$root/sys"
    mount -t tmpfs -o mode=0755,nosuid dev "$root/dev"
    for node in null zero full random urandom tty; do
        touch "$root/dev/$node"
        mount --bind "/dev/$node" "$root/dev/$node"
    done
    mkdir "$root/dev/pts" "$root/dev/shm"
    mount -t devpts -o newinstance,ptmxmode=0666,mode=0620,gid=5 devpts "$root/dev/pts"
    ln -s pts/ptmx "$root/dev/ptmx"
    mount -t tmpfs -o mode=1777,nosuid,nodev shm "$root/dev/shm"
    ln -s /proc/self/fd "$root/dev/fd"
    ln -s /proc/self/fd/0 "$root/dev/stdin"
    ln -s /proc/self/fd/1 "$root/dev/stdout"
    ln -s /proc/self/fd/2 "$root/dev/stderr"
    mount -t tmpfs -o mode=1777,nosuid,nodev tmp "$root/tmp"
    exec chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
        ${CI:+CI="$CI"} ${QM_FUZZ_SECONDS:+QM_FUZZ_SECONDS="$QM_FUZZ_SECONDS"} \
        ${QM_MONKEY_EVENTS:+QM_MONKEY_EVENTS="$QM_MONKEY_EVENTS"} \
        ${QM_MONKEY_SEEDS:+QM_MONKEY_SEEDS="$QM_MONKEY_SEEDS"} \
        ${QM_CORE_TESTS:+QM_CORE_TESTS="$QM_CORE_TESTS"} \
        /bin/bash /root/fresh-steps.sh "$@"
fi

cd "$(dirname "$0")/.."
repo="$PWD"
run_tests=1
run_package=0
while [ $# -gt 0 ]; do
    case "$1" in
    --package) run_package=1 ;;
    --no-tests) run_tests=0 ;;
    *) break ;;
    esac
    shift
done
if [ "$(id -u)" -ne 0 ]; then
    echo "fresh-check: run as root (it makes a Debian system and mounts file systems in it)" >&2
    exit 1
fi
scripts/deps.sh fresh

work="$repo/build-fresh"
root="$work/root-$$" # runs may overlap, each in its own system
inside_pid=

# Every mount point under the new system that this mount namespace still sees (none once the
# inner namespaces have ended; debootstrap's own mounts are in a namespace of their own too).
mounted() { awk -v r="$root" '$5 == r || index($5, r "/") == 1 { print $5 }' /proc/self/mountinfo; }

cleanup() {
    local status=$?
    trap - EXIT INT TERM
    if [ -n "$inside_pid" ] && kill -0 "$inside_pid" 2>/dev/null; then
        # unshare ignores SIGINT and SIGTERM while its child runs; killed, it takes its child
        # (the namespace's first process) with it, and so every process of the namespace.
        kill -KILL "$inside_pid" 2>/dev/null || true
        wait "$inside_pid" 2>/dev/null || true
    fi
    local m
    for m in $(mounted | sort -r); do umount -l "$m" || true; done
    if [ -n "$(mounted)" ]; then
        echo "fresh-check: $root is still mounted; left in place" >&2
    elif [ -d "$root" ]; then
        rm -rf --one-file-system "$root"
    fi
    rmdir "$work" 2>/dev/null || true
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

started=$(date +%s)
stage() { echo "== fresh-check: $* ($(($(date +%s) - started)) s)"; }

# The Debian mirror this machine's apt uses (one-line or deb822 sources), and its security one.
sources=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources \
    2>/dev/null | grep -v '^[[:space:]]*#' || true)
mirror=$(grep -oE 'https?://[^ ]*/debian/?( |$)' <<<"$sources" | head -n 1 | tr -d ' ' || true)
security=$(grep -oE 'https?://[^ ]*/debian-security/?( |$)' <<<"$sources" | head -n 1 | tr -d ' ' || true)
mirror="${mirror:-http://deb.debian.org/debian}"
mirror="${mirror%/}"

# A system left by a run that was killed outright (its process is gone, nothing is mounted).
for old in "$work"/root-*; do
    [ -d "$old" ] || continue
    kill -0 "${old##*/root-}" 2>/dev/null && continue
    grep -q " $old[ /]" /proc/self/mountinfo && continue
    echo "fresh-check: removing $old, left by an earlier run"
    rm -rf --one-file-system "$old"
done
mkdir -p "$work"

stage "debootstrap --variant=minbase bookworm from $mirror"
unshare --mount --propagation private \
    debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.log" 2>&1 || {
    tail -n 30 "$root.log" >&2
    exit 1
}
rm -f "$root.log"

# The new system's package sources: the same mirror, with the updates and security suites a
# new installation has; services are not started inside (there is no init).
{
    echo "deb $mirror bookworm main"
    echo "deb $mirror bookworm-updates main"
    [ -z "$security" ] || echo "deb ${security%/} bookworm-security main"
} >"$root/etc/apt/sources.list"
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod 755 "$root/usr/sbin/policy-rc.d"
cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true

stage "cloning the committed HEAD"
head=$(git rev-parse HEAD)
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "fresh-check: uncommitted changes are not part of the check (HEAD is $head)"
git clone --quiet --no-checkout "$repo" "$root/root/quillmark"
git -C "$root/root/quillmark" checkout --quiet --detach "$head"

# The steps run inside, as root, from the clone: the README's commands as written there.
{
    echo "set -euo pipefail"
    echo "cd /root/quillmark"
    echo "run_tests=$run_tests run_package=$run_package"
    cat <<'EOF'
probe=/root/quillmark/build/bench/startup/libqm_show_probe.so
# The first window `program` shows on the offscreen platform (the probe ends it there).
first_window() {
    local status=0
    QT_QPA_PLATFORM=offscreen LD_PRELOAD="$probe" timeout 300 "$@" >/dev/null 2>/tmp/run.err ||
        status=$?
    cat /tmp/run.err >&2
    shown=$(grep '^first window shown: ' /tmp/run.err || true)
    if [ "$status" -ne 0 ] || [ "$shown" != "first window shown: QMStart" ]; then
        echo "$* did not show the start menu first (status $status, ${shown:-no window})" >&2
        exit 1
    fi
}
if [ "$run_tests" = 1 ]; then
    echo "== inside: QM_WERROR=ON scripts/test.sh $*"
    QM_WERROR=ON scripts/test.sh "$@"
    echo "== inside: tests done after $SECONDS s; scripts/run.sh on the offscreen platform"
    [ -f "$probe" ] || { echo "the test build made no $probe" >&2; exit 1; }
    first_window scripts/run.sh
    echo "== inside: the start menu was shown first ($SECONDS s)"
fi
if [ "$run_package" = 1 ]; then
    echo "== inside: scripts/package.sh"
    QM_WERROR=ON scripts/package.sh
    apt-get install -y -qq ./build-package/quillmark_*.deb >/dev/null
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY quillmark --version)
    [ "$version" = "quillmark $(sed -n 's/^quillmark (\(.*\)) .*/\1/p;q' packaging/changelog)" ] ||
        { echo "the installed program says: $version" >&2; exit 1; }
    [ ! -f "$probe" ] || first_window /usr/bin/quillmark
    [ "$(man -w quillmark)" = /usr/share/man/man1/quillmark.1.gz ]
    grep -q '^50:application/x-quillmark-database:\*\.qmd$' /usr/share/mime/globs2
    [ -f /usr/share/quillmark/DtaSampl.QMD ]
    apt-get remove -y -qq quillmark >/dev/null
    [ ! -e /usr/bin/quillmark ]
    echo "== inside: the package installs, starts and is removed ($SECONDS s)"
fi
EOF
} >"$root/root/fresh-steps.sh"

stage "running the README's commands inside"
unshare --mount --propagation private --pid --fork --kill-child --mount-proc="$root/proc" \
    "$repo/scripts/fresh-check.sh" --inside "$root" "$@" &
inside_pid=$!
status=0
wait "$inside_pid" || status=$?
inside_pid=
stage "done, status $status"
exit "$status"
