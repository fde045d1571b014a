#!/usr/bin/env bash
# Runs one test for ctest: every test program starts through it (it is their cross-compiling
# emulator) and so does every script-driven test.
# - The test runs in the session ctest gave it (see scripts/test-sessions.sh), or, when ctest
#   gave none (a run of ctest by hand, the listing of a program's tests), in the Wine session
#   and display of the environment.
# - Wine's desktop process is up before the test starts; when it has ended, it is started again
#   with none of the test's pipes.
# - The test's output goes to a file that is copied to ctest when the test has ended, so no
#   process the test leaves behind can hold ctest's output pipe open and stall the run.
# - A test still running after LIMIT seconds is ended, and the stall is reported with the
#   processes left in its Wine session and a screenshot of its display.
# - A test whose program never started (it failed at once without a word) is started once more.
# Usage: scripts/test-run.sh LIMIT COMMAND [ARGUMENTS...]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
[ $# -ge 2 ] || { echo "usage: $0 LIMIT COMMAND [ARGUMENTS...]" >&2; exit 2; }
limit=$1
shift

if [ -n "${SUITE_TEST_SESSIONS:-}" ]; then
    session=0
    # ctest names the session it gave as "id:N,slots:1".
    if [ -n "${CTEST_RESOURCE_GROUP_0_SESSION:-}" ]; then
        session=${CTEST_RESOURCE_GROUP_0_SESSION#id:}
        session=${session%%,*}
    fi
    . "$SUITE_TEST_SESSIONS/$session/session.env" || exit 2
fi
if [ -n "${WINEPREFIX:-}" ] && [ -n "${SUITE_WINE:-}" ]; then
    . "$here/wine-desktop.sh"
    wine_desktop_running || wine_desktop_start || exit 2
fi

# Lists the processes of the Wine session in WINEPREFIX, and saves a screenshot of DISPLAY.
report_session() {
    local pid shots shot
    echo "test-run: processes of the Wine session of $WINEPREFIX:"
    for pid in $(pgrep -f .); do
        { tr '\0' '\n' <"/proc/$pid/environ"; } 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" || continue
        echo "  $pid $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
    done
    [ -n "${SUITE_TEST_SESSIONS:-}" ] && [ -n "${DISPLAY:-}" ] || return 0
    shots=$(dirname "$SUITE_TEST_SESSIONS")/screenshots
    shot=$shots/stall-$(date +%Y%m%d-%H%M%S)-$$.png
    mkdir -p "$shots"
    xwd -root -silent -display "$DISPLAY" 2>/dev/null | /usr/bin/convert xwd:- "png:$shot" 2>/dev/null &&
        echo "test-run: its display: $shot"
}

output=$(mktemp)
trap 'rm -f "$output"' EXIT
# A test that ends at once with a failure and without a word never ran: its program did not
# start (Wine now and then fails a start, printing nothing). It is started once more, and the
# run says so; a test that printed anything, or took its time, is never run again.
for attempt in 1 2; do
    started=$SECONDS
    # Background jobs get process groups of their own: the test's group is ended as one.
    set -m
    "$@" </dev/null >"$output" 2>&1 &
    test_pid=$!
    sleep "$limit" &
    limit_pid=$!
    set +m
    wait -n -p finished "$test_pid" "$limit_pid"
    status=$?
    [ "$finished" = "$test_pid" ] || break
    kill "$limit_pid" 2>/dev/null
    if [ "$attempt" -eq 1 ] && [ "$status" -ne 0 ] && [ ! -s "$output" ] && [ $((SECONDS - started)) -le 2 ]; then
        echo "test-run: the test ended at once with status $status and no output, so it never started: starting it again"
        continue
    fi
    cat "$output"
    exit $status
done

report=$( [ -n "${WINEPREFIX:-}" ] && report_session )
# The test's process group has 5 s to end on the request before it is killed.
kill -TERM -- "-$test_pid" 2>/dev/null
for _ in $(seq 50); do
    kill -0 -- "-$test_pid" 2>/dev/null || break
    sleep 0.1
done
kill -KILL -- "-$test_pid" 2>/dev/null
cat "$output"
echo "test-run: STALL: the test did not end within $limit s and was ended: $*"
[ -n "$report" ] && echo "$report"
exit 124
