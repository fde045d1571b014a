#!/usr/bin/env bash
# Runs every test of the suite under Wine, side by side in test sessions of its own (each an X
# display, a Wine prefix and its desktop: scripts/test-sessions.sh).
# Usage: scripts/test.sh [extra ctest arguments, e.g. -R Registry]
# Tests run on each build whose programs this machine can run: the 64-bit build always, the
# 32-bit build where the kernel runs 32-bit programs (Wine's 32-bit loader needs that).
# SUITE_TEST_JOBS sets how many tests run at once (default 3: Wine's processes mostly wait, so
# two cores serve three sessions best).
# The run has a network namespace of its own with only loopback up (scripts/netns.sh): needs root.
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/netns.sh"
netns_isolate test "$@"

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$here/scripts/phase-times.sh"
. "$here/scripts/test-sessions.sh"

# A run in which no test has ended for this long is stopped and reported: longer than the
# limit of any single test (scripts/test-run.sh ends a test at its limit; ctest's own --timeout
# below is for tests declared without one).
silence_limit=900

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

sessions_up=
cleanup() {
    [ -n "$sessions_up" ] && sessions_stop
    sessions_stop_displays
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# The processes of every test session and those holding ctest's output pipe, for a stall report.
report_stalled_run() {
    local ctest_pid=$1 pipe pid
    echo "test: processes of the test sessions:"
    for pid in $(pgrep -f .); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -q "^WINEPREFIX=$SUITE_TEST_SESSIONS/" || continue
        echo "  $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
    done
    pipe=$(readlink "/proc/$ctest_pid/fd/1" 2>/dev/null)
    echo "test: processes holding ctest's output ($pipe):"
    for pid in $(pgrep -f .); do
        [ "$pid" = "$ctest_pid" ] && continue
        ls -l "/proc/$pid/fd" 2>/dev/null | grep -qF "$pipe" &&
            echo "  $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
    done
}

# Runs ctest on BUILD_DIR with ARGUMENTS, its output also kept in LOG. A run that goes silent
# for longer than any test may take is stopped and reported instead of waiting for the limit of
# whoever started it.
run_ctest() {
    local dir=$1 log=$2 runner ctest_pid status
    shift 2
    mkdir -p "$(dirname "$log")"
    : >"$log"
    (
        ctest --test-dir "$dir" --output-on-failure -j "$session_count" \
            --resource-spec-file "$session_resources" --timeout 600 "$@" </dev/null 2>&1 | tee "$log"
        exit "${PIPESTATUS[0]}"
    ) &
    runner=$!
    while kill -0 "$runner" 2>/dev/null; do
        sleep 10 &
        wait -n "$runner" $!
        kill $! 2>/dev/null
        if [ $(($(date +%s) - $(stat -c %Y "$log"))) -gt "$silence_limit" ]; then
            ctest_pid=$(pgrep -P "$runner" -x ctest)
            echo "test: STALL: no test has ended for $silence_limit s; ctest is stopped"
            report_stalled_run "$ctest_pid"
            kill -TERM "$ctest_pid" 2>/dev/null
            sleep 5
            kill -KILL "$ctest_pid" 2>/dev/null
            break
        fi
    done
    wait "$runner"
    status=$?
    # The stalls that scripts/test-run.sh ended, by test.
    awk '/ Test +#[0-9]+: / { test = $0; sub(/^.*Test +#[0-9]+: /, "", test); sub(/ .*/, "", test) }
         /^test-run: STALL/ { print "test: STALL in " test }' "$log"
    return $status
}

sessions_start_displays "${SUITE_TEST_JOBS:-3}" || exit 1
status=0
for i in "${!builds[@]}"; do
    dir=${builds[$i]}
    phase_begin "tests ${presets[$i]}"
    sessions_up=1
    sessions_start "$dir" "${bits[$i]}" || exit 1
    echo "== tests of $dir: $session_count sessions side by side (X displays ${session_displays[*]}, Wine prefixes in $SUITE_TEST_SESSIONS)"
    run_ctest "$dir" "$dir/Testing/test-run.log" "$@" || status=1
    if [ $# -eq 0 ]; then
        (. "$SUITE_TEST_SESSIONS/0/session.env" && "$here/scripts/check-cache-file.sh" "$dir") || status=1
    fi
    sessions_stop
    sessions_up=
    phase_end
done
if [ $# -eq 0 ] && command -v clang++ >/dev/null; then timed_phase fuzz "$here/scripts/fuzz.sh" || status=1; fi # whole runs fuzz the network parsers
exit $status
