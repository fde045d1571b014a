#!/usr/bin/env bash
# Runs disc_search_bench in a Wine prefix of its own with the simulated network installed (the
# bench writes the network's description itself).
# Usage: bench/run-disc-search-bench.sh [BUILD_DIR]   (default: the 64-bit build)
set -uo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=${1:-$("$root/scripts/build-dir.sh" win64)}
bin=$build_dir/bin
for file in disc_search_bench.exe SimNetProvider.dll; do
    [ -f "$bin/$file" ] || { echo "disc search bench: no $bin/$file: build it first" >&2; exit 2; }
done

. "$root/scripts/simnet-prefix.sh" disc-search-bench <(echo 'DOMAIN0\SERVER0\DISC0') "$bin/SimNetProvider.dll"
export DISC_SEARCH_NETWORK_FILE=$network_windows_path
cd "$bin" && "$SUITE_WINE" disc_search_bench.exe
