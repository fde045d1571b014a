#!/usr/bin/env bash
# Runs the search module's whole-program tests in a Wine prefix of their own: the module, the
# marshalling library and the simulated network are registered there, never in the shared
# test prefix.
# Usage: run_search_module_tests.sh TEST_EXE PROVIDER_DLL [gtest arguments]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 TEST_EXE PROVIDER_DLL [gtest arguments]" >&2; exit 2; }
test_exe=$1 provider=$2
shift 2
bin=$(cd "$(dirname "$test_exe")" && pwd)

. "$root/scripts/simnet-prefix.sh" search-module-tests <(printf 'WORKGROUP\\ALPHA\n') "$provider"
mkdir -p "$scratch/data"
cd "$bin" || exit 1
"$SUITE_WINE" regsvr32 /s Stubwire.dll </dev/null || { echo "Stubwire.dll did not register" >&2; exit 1; }
"$SUITE_WINE" Trawlex.exe /RegServer </dev/null || { echo "Trawlex.exe /RegServer failed" >&2; exit 1; }

export SEARCH_TEST_NETWORK=$network_windows_path
export SEARCH_TEST_DATA="Z:${scratch//\//\\}\\data"
"$SUITE_WINE" search_module_tests.exe "$@"
status=$?

if [ $status -ne 0 ] && [ -f "$scratch/data/trawlex.log" ]; then
    echo "== the search module's log"; tail -n 200 "$scratch/data/trawlex.log"
fi
"$SUITE_WINE" Trawlex.exe /UnregServer </dev/null || { echo "Trawlex.exe /UnregServer failed" >&2; status=1; }
exit $status
