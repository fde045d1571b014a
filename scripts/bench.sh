#!/usr/bin/env bash
# Runs the benchmarks under Wine on the 64-bit build and prints their ratios.
# Usage: scripts/bench.sh
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=$("$here/scripts/build-dir.sh" win64)
[ -x "$build_dir/bin/cache_bench.exe" ] || { echo "bench: no build in $build_dir: run scripts/setup.sh first" >&2; exit 2; }
"$here/scripts/wine-prefix.sh" "$build_dir/wineprefix" >/dev/null
. "$here/scripts/wine-env.sh" "$build_dir/wineprefix" 64
trap '"$SUITE_WINESERVER" -k >/dev/null 2>&1' EXIT
cd "$build_dir/bin"
"$SUITE_WINE" cache_bench.exe
"$here/bench/run-disc-search-bench.sh" "$build_dir"
