#!/usr/bin/env bash
# Runs the benchmarks under Wine on the 64-bit build and prints their ratios.
# Usage: scripts/bench.sh
set -euo pipefail
# Every process of the benchmarks' Wine session runs on one CPU: a call into wineserver then
# costs the same in every run instead of depending on whether the scheduler put the caller and
# the server on the same CPU (runs differed by half). Each baseline runs in the same process as
# what it is compared with.
# The pinning comes first: unshare and the script it runs again inherit it.
if [ -z "${SUITE_BENCH_PINNED:-}" ] && command -v taskset >/dev/null; then
    SUITE_BENCH_PINNED=1 exec taskset -c 0 "$0" "$@"
fi
# The session has a network namespace of its own with only loopback up (scripts/netns.sh).
. "$(dirname "${BASH_SOURCE[0]}")/netns.sh"
netns_isolate bench "$@"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=$("$here/scripts/build-dir.sh" win64)
[ -x "$build_dir/bin/cache_bench.exe" ] || { echo "bench: no build in $build_dir: run scripts/setup.sh first" >&2; exit 2; }
"$here/scripts/wine-prefix.sh" "$build_dir/wineprefix" >/dev/null
. "$here/scripts/wine-env.sh" "$build_dir/wineprefix" 64
# The view's windows need a display, which nobody looks at. It is there before the Wine session
# starts: the session's desktop takes the display it finds at its start for good.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap '"$SUITE_WINESERVER" -k >/dev/null 2>&1; kill $xvfb_pid 2>/dev/null; rm -f "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || { echo "bench: Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$display_file")"
# The Wine session is started and its services are up before anything is timed: their start
# would otherwise compete with the first measurements, as would the writeback of a fresh build.
sync
"$SUITE_WINESERVER" -p </dev/null >/dev/null 2>&1
"$SUITE_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1
sleep 2
cd "$build_dir/bin"
"$SUITE_WINE" cache_bench.exe
"$SUITE_WINE" view_bench.exe
"$SUITE_WINE" browse_bench.exe
"$SUITE_WINE" public_folder_bench.exe
"$SUITE_WINE" find_bench.exe
"$here/bench/run-disc-search-bench.sh" "$build_dir"
