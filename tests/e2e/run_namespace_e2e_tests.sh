#!/usr/bin/env bash
# Runs the namespace's whole-program tests in a Wine prefix of their own: the suite installed
# there as for an administrator, the simulated network of the demo searched by the search
# module, then the tests. The prefix and its wineserver go when the script ends.
# Usage: run_namespace_e2e_tests.sh POINTER_SIZE TEST_EXE [gtest arguments]   (8: a 64-bit build)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 POINTER_SIZE TEST_EXE [gtest arguments]" >&2; exit 2; }
bits=$(( $1 * 8 ))
test_exe=$2
shift 2
bin=$(cd "$(dirname "$test_exe")" && pwd)

. "$root/scripts/simnet-prefix.sh" namespace-e2e "$root/tools/demo/network.txt" "$bin/SimNetProvider.dll" "$bits"
"$SUITE_WINESERVER" -p </dev/null >/dev/null 2>&1
# The desktop process gets none of the test's pipes (see scripts/test.sh).
"$SUITE_WINE" explorer.exe /desktop </dev/null >/dev/null 2>&1 &

. "$root/scripts/suite-install.sh"
suite_install "$scratch/data" "$bin" || exit 1
suite_search_whole_network || exit 1
cd "$bin" || exit 1
"$SUITE_WINE" disc_list_demo.exe </dev/null >/dev/null || { echo "the full search failed" >&2; exit 1; }
SUITE_SCREENSHOTS=$(cd "$bin/.." && pwd)/screenshots "$SUITE_WINE" "$(basename "$test_exe")" "$@" </dev/null
