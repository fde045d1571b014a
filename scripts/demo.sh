#!/usr/bin/env bash
# The demo: the search module searches a simulated network of storage servers and the discs it
# found are listed, as the all-discs folder shows them. Runs in a Wine prefix and X display of
# its own, on the 64-bit build.
# It has a network namespace of its own with only loopback up (scripts/netns.sh): needs root.
# Usage: scripts/demo.sh [NETWORK_DESCRIPTION]   (default: tools/demo/network.txt)
set -uo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/netns.sh"
netns_isolate demo "$@"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build_dir=$("$here/scripts/build-dir.sh" win64)
network=${1:-$here/tools/demo/network.txt}
bin=$build_dir/bin
[ -x "$bin/disc_list_demo.exe" ] || { echo "demo: no build in $build_dir: run scripts/setup.sh first" >&2; exit 2; }
[ -r "$network" ] || { echo "demo: cannot read the network description $network" >&2; exit 2; }

. "$here/scripts/simnet-prefix.sh" halvo-demo "$network" "$bin/SimNetProvider.dll"
# Explorer is shown on the user's display when there is one; else on a display of the demo's own,
# and saved as a screenshot.
user_display=
[ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1 && user_display=$DISPLAY
xvfb_pid=
cleanup() {
    simnet_prefix_cleanup
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT
display_file=$scratch/display

# The module's hidden window needs a display, even when nobody looks.
if [ -n "$user_display" ]; then
    echo "demo: Explorer will show on the display $user_display"
else
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
    [ -s "$display_file" ] || { echo "demo: Xvfb did not start" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$display_file")"
fi

echo "== demo: a Wine prefix with the simulated network"
grep -v '^#' "$scratch/network.txt" | sed '/^$/d'

echo "== demo: HalvoSetup.exe /S, an administrator's installation (it registers the search module and the namespace)"
. "$here/scripts/suite-install.sh"
suite_install "$scratch/data" "$bin" || exit 1
echo "demo: installed in $scratch/data"
cd "$bin" || exit 1

echo "== demo: the user's choice of the network set-up: every domain of the Microsoft Windows Network"
suite_search_whole_network || exit 1

echo "== demo: full search"
"$SUITE_WINE" disc_list_demo.exe </dev/null
status=$?
if [ $status -ne 0 ] && [ -f "$scratch/data/trawlex.log" ]; then
    echo "== the search module's log"; tail -n 100 "$scratch/data/trawlex.log"
    exit $status
fi

echo "== demo: Wine's Explorer on the namespace"
"$SUITE_WINE" explorer.exe /desktop </dev/null >/dev/null 2>&1 &
if [ -n "$user_display" ]; then
    "$SUITE_WINE" explorer_demo.exe </dev/null
    exit $?
fi
mkdir -p "$build_dir/screenshots"
shot=$build_dir/screenshots/demo-explorer.bmp
"$SUITE_WINE" explorer_demo.exe "Z:${shot//\//\\}" </dev/null || exit 1
if command -v convert >/dev/null 2>&1 && convert "$shot" "${shot%.bmp}.png" 2>/dev/null; then
    echo "demo: screenshot of Explorer: ${shot%.bmp}.png"
else
    echo "demo: screenshot of Explorer: $shot"
fi
