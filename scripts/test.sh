#!/usr/bin/env bash
# Runs every test of the suite under Wine, in a Wine prefix and X display of its own.
# Usage: scripts/test.sh [extra ctest arguments, e.g. -R Registry]
# Tests run on each build whose programs this machine can run: the 64-bit build always, the
# 32-bit build where the kernel runs 32-bit programs (Wine's 32-bit loader needs that).
# The run has a network namespace of its own with only loopback up (scripts/netns.sh): needs root.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/netns.sh"
netns_isolate test "$@"

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$here/scripts/phase-times.sh"

runs_32_bit_programs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

presets=(win64)
bits=(64)
if runs_32_bit_programs; then
    presets+=(default)
    bits+=(32)
else
    echo "test: this kernel runs no 32-bit programs; testing the 64-bit build only"
fi
builds=()
for preset in "${presets[@]}"; do builds+=("$("$here/scripts/build-dir.sh" "$preset")"); done
for dir in "${builds[@]}"; do
    [ -f "$dir/CTestTestfile.cmake" ] || { echo "test: no build in $dir: run scripts/setup.sh first" >&2; exit 2; }
done

# Whether Wine's desktop process of this run's prefix is up.
desktop_running() {
    local pid
    for pid in $(pgrep -f 'explorer.exe /desktop'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}

xvfb_pid=
display_file=$(mktemp)
cleanup() {
    [ -n "${WINEPREFIX:-}" ] && "$SUITE_WINESERVER" -k >/dev/null 2>&1
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -f "$display_file"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# One X server for the whole run; it picks a free display number itself.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$display_file" ] && break
    sleep 0.1
done
[ -s "$display_file" ] || { echo "test: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"

status=0
for i in "${!builds[@]}"; do
    dir=${builds[$i]}
    phase_begin "tests ${presets[$i]}"
    "$here/scripts/wine-prefix.sh" "$dir/wineprefix" "${bits[$i]}" || exit 1
    . "$here/scripts/wine-env.sh" "$dir/wineprefix" "${bits[$i]}"
    echo "== tests of $dir (X display $DISPLAY, Wine prefix $WINEPREFIX)"
    # A persistent wineserver makes each test process cheap (tens of ms instead of seconds).
    "$SUITE_WINESERVER" -k >/dev/null 2>&1
    "$SUITE_WINESERVER" -w
    "$SUITE_WINESERVER" -p </dev/null >/dev/null 2>&1
    "$SUITE_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1
    # Wine starts its desktop process for the first window a test opens, and that process keeps
    # the test's output pipe: ctest would wait for it until the run ends. Started here, it has
    # none of ctest's pipes.
    "$SUITE_WINE" explorer.exe /desktop </dev/null >/dev/null 2>&1 &
    for _ in $(seq 100); do
        desktop_running && break
        sleep 0.1
    done
    ctest --test-dir "$dir" --output-on-failure "$@" || status=1
    if [ $# -eq 0 ]; then
        "$here/scripts/check-cache-file.sh" "$dir" || status=1
    fi
    "$SUITE_WINESERVER" -k >/dev/null 2>&1
    "$SUITE_WINESERVER" -w
    phase_end
done
if [ $# -eq 0 ] && command -v clang++ >/dev/null; then timed_phase fuzz "$here/scripts/fuzz.sh" || status=1; fi # whole runs fuzz the network parsers
exit $status
