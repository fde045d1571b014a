#!/usr/bin/env bash
# Runs the tests that start the suite's programs as a user does, in a Wine prefix of their own:
# the programs register themselves and set up the prefix's user, never in the shared test
# prefix. The prefix and its wineserver go when the script ends.
# Usage: run_settings_survive_starts_tests.sh TEST_EXE [gtest arguments]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 1 ] || { echo "usage: $0 TEST_EXE [gtest arguments]" >&2; exit 2; }
test_exe=$1
shift
bin=$(cd "$(dirname "$test_exe")" && pwd)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/settings-starts.XXXXXX")
cleanup() {
    [ -n "${SUITE_WINESERVER:-}" ] && WINEPREFIX=$scratch/prefix "$SUITE_WINESERVER" -k >/dev/null 2>&1
    rm -rf "$scratch"
}
trap cleanup EXIT

"$root/scripts/wine-prefix.sh" "$scratch/prefix" 64 >/dev/null || exit 1
. "$root/scripts/wine-env.sh" "$scratch/prefix" 64
cd "$bin" || exit 1
"$SUITE_WINE" "$(basename "$test_exe")" "$@" </dev/null
