#!/usr/bin/env bash
# Checks scripts/test-run.sh, through which ctest starts every test: what a test prints and its
# status reach ctest; a process the test leaves behind cannot hold ctest's output pipe open; a
# test over its limit is ended with all it started and reported as a stall; and Wine's desktop
# process, when it is not up, is started with none of the test's pipes.
# Usage: test_run_tests.sh   (in a test session of scripts/test.sh, or with the variables of
# scripts/wine-env.sh for the desktop's case)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
scratch=$(mktemp -d)
cleanup() {
    [ -n "${scratch_prefix_up:-}" ] && WINEPREFIX=$scratch/prefix "$SUITE_WINESERVER" -k >/dev/null 2>&1
    [ -s "$scratch/left.pid" ] && kill "$(cat "$scratch/left.pid")" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
# The runner is checked as ctest starts it outside a test session: with the environment's Wine
# session (this one's).
unset SUITE_TEST_SESSIONS
failures=0
fail() { echo "FAILED: $*"; failures=$((failures + 1)); }

# Runs the runner as ctest does, reading its output through a pipe to the end. Sets output,
# status and seconds.
run_as_ctest() {
    local start=$SECONDS
    output=$(bash "$root/scripts/test-run.sh" "$@" | cat; exit "${PIPESTATUS[0]}")
    status=$?
    seconds=$((SECONDS - start))
}

left_running() { [ -s "$scratch/left.pid" ] && kill -0 "$(cat "$scratch/left.pid")" 2>/dev/null; }

echo "== a process left behind by the test does not hold the output; status and output pass"
run_as_ctest 60 bash -c "sleep 60 & echo \$! >'$scratch/left.pid'; echo printed; exit 3"
[ "$status" -eq 3 ] || fail "the runner answered $status, the test 3"
[ "$output" = printed ] || fail "the runner passed on '$output' instead of the test's 'printed'"
[ "$seconds" -lt 30 ] || fail "ctest's pipe stayed open for $seconds s, as long as the process the test left"
left_running || fail "the process the test left behind did not keep running (the check proves nothing)"
kill "$(cat "$scratch/left.pid")" 2>/dev/null
rm -f "$scratch/left.pid"

echo "== a test over its limit is ended with what it started, and reported"
run_as_ctest 2 bash -c "sleep 60 & echo \$! >'$scratch/left.pid'; echo begun; sleep 60"
[ "$status" -eq 124 ] || fail "a stalled test was answered $status instead of 124"
grep -qx begun <<<"$output" || fail "what the stalled test printed was lost: '$output'"
grep -q '^test-run: STALL: the test did not end within 2 s' <<<"$output" || fail "the stall was not reported: '$output'"
[ "$seconds" -lt 30 ] || fail "the stalled test was ended only after $seconds s"
left_running && fail "a process the stalled test started was left running"

if [ -n "${WINEPREFIX:-}" ] && [ -n "${SUITE_WINE:-}" ]; then
    echo "== a desktop process that is not up is started with none of the test's pipes"
    # A prefix of its own, whose desktop nothing else needs.
    . "$root/scripts/test-sessions.sh"
    sessions_copy_prefix "$WINEPREFIX" "$scratch/prefix" || fail "cannot copy the prefix $WINEPREFIX"
    export WINEPREFIX=$scratch/prefix
    . "$root/scripts/wine-desktop.sh"
    scratch_prefix_up=1
    "$SUITE_WINESERVER" -p </dev/null >/dev/null 2>&1
    wine_desktop_running && fail "the new prefix has a desktop process before any test"
    run_as_ctest 60 true
    [ "$status" -eq 0 ] || fail "the runner answered $status for a test that passed"
    desktop=
    for pid in $(pgrep -f 'explorer.exe /desktop'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && desktop=$pid
    done
    if [ -z "$desktop" ]; then
        fail "the runner did not start the desktop process"
    else
        for fd in 0 1 2; do
            [ "$(readlink "/proc/$desktop/fd/$fd")" = /dev/null ] ||
                fail "the desktop process holds $(readlink "/proc/$desktop/fd/$fd") as its descriptor $fd"
        done
    fi
fi

[ $failures -eq 0 ] && echo "all checks passed"
exit $((failures > 0))
