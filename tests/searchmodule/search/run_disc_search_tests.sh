#!/usr/bin/env bash
# Runs the disc search tests in a Wine prefix of their own with the simulated network
# installed; the tests rewrite the network description as they go.
# Usage: run_disc_search_tests.sh TEST_EXE PROVIDER_DLL [gtest arguments]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../../.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 TEST_EXE PROVIDER_DLL [gtest arguments]" >&2; exit 2; }
test_exe=$1 provider=$2
shift 2

. "$root/scripts/simnet-prefix.sh" disc-search-tests <(echo 'WORKGROUP\ALPHA\MEDIA') "$provider"

export DISC_SEARCH_NETWORK_FILE=$network_windows_path
(cd "$(dirname "$test_exe")" && "$SUITE_WINE" "$(basename "$test_exe")" "$@")
