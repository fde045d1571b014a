# Sourced by scripts/test.sh: the test sessions in which ctest runs the tests side by side.
# A session is an X display, a Wine prefix copied from the build's test prefix, its persistent
# wineserver and its desktop process, and a desktop data folder (the Recycle Bin): tests in two
# sessions share no window, focus, clipboard, named object, registry key or file. ctest gives
# each test one session (the resource "session" of the file that sessions_start writes) and runs
# one test at a time in it; scripts/test-run.sh reads which one from ctest's environment.
#
# Usage: sessions_start_displays COUNT; then for each build: sessions_start BUILD_DIR BITS ...
# sessions_stop; at the end sessions_stop_displays.
# Sets: session_count, session_resources (the file to give ctest), SUITE_TEST_SESSIONS (the
# folder of the sessions' settings, exported for scripts/test-run.sh).

sessions_here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
session_displays=()
session_xvfb_pids=()

# Starts COUNT X servers; each picks a free display number itself.
sessions_start_displays() {
    local k display_file _
    session_count=$1
    for ((k = 0; k < session_count; k++)); do
        display_file=$(mktemp)
        Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
        session_xvfb_pids+=($!)
        for _ in $(seq 100); do
            [ -s "$display_file" ] && break
            sleep 0.1
        done
        [ -s "$display_file" ] || { echo "test: Xvfb did not start" >&2; rm -f "$display_file"; return 1; }
        session_displays+=(":$(head -n1 "$display_file")")
        rm -f "$display_file"
    done
}

sessions_stop_displays() {
    local pid
    for pid in "${session_xvfb_pids[@]}"; do
        kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    session_xvfb_pids=()
}

# Copies the Wine prefix FROM to TO. The libraries of Windows, most of its size, are never
# written and are linked rather than copied; everything else (registry, profile files, user
# folders) is the session's own.
sessions_copy_prefix() {
    local from=$1 to=$2 shared
    mkdir -p "$to"
    tar -C "$from" --exclude=./wineserver --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
        --exclude=./drive_c/windows/winsxs -cf - . | tar -C "$to" -xf - || return 1
    for shared in system32 syswow64 winsxs; do
        [ -d "$from/drive_c/windows/$shared" ] || continue
        cp -al "$from/drive_c/windows/$shared" "$to/drive_c/windows/$shared" || return 1
    done
}

# Starts the Wine side of the session whose settings are in ENV_FILE, for the build in BUILD_DIR:
# persistent wineserver, services, desktop process and the program that keeps it up.
sessions_start_wine() (
    . "$1"
    . "$sessions_here/wine-desktop.sh"
    # A persistent wineserver makes each test process cheap (tens of ms instead of seconds).
    "$SUITE_WINESERVER" -p </dev/null >/dev/null 2>&1
    "$SUITE_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1
    wine_desktop_start || exit 1
    setsid -f "$SUITE_WINE" "$2/bin/desktop_keeper.exe" </dev/null >/dev/null 2>&1
)

# Makes the sessions of the build in BUILD_DIR (BITS: 32 or 64) from its test prefix, made or
# refreshed first by scripts/wine-prefix.sh, and starts them.
sessions_start() {
    local dir=$1 bits=$2 k session pids=() status=0
    "$sessions_here/wine-prefix.sh" "$dir/wineprefix" "$bits" || return 1
    SUITE_TEST_SESSIONS=$dir/test-sessions
    export SUITE_TEST_SESSIONS
    rm -rf "$SUITE_TEST_SESSIONS"
    session_resources=$SUITE_TEST_SESSIONS/resources.json
    for ((k = 0; k < session_count; k++)); do
        session=$SUITE_TEST_SESSIONS/$k
        sessions_copy_prefix "$dir/wineprefix" "$session/prefix" || return 1
        mkdir -p "$session/data"
        {
            echo ". '$sessions_here/wine-env.sh' '$session/prefix' $bits"
            echo "export DISPLAY='${session_displays[$k]}'"
            echo "export XDG_DATA_HOME='$session/data'"
        } >"$session/session.env"
        sessions_start_wine "$session/session.env" "$dir" &
        pids+=($!)
    done
    for k in "${!pids[@]}"; do wait "${pids[$k]}" || status=1; done
    {
        printf '{ "version": { "major": 1, "minor": 0 }, "local": [ { "session": ['
        for ((k = 0; k < session_count; k++)); do
            printf '%s{ "id": "%d", "slots": 1 }' "$([ $k -gt 0 ] && echo ', ')" "$k"
        done
        printf '] } ] }\n'
    } >"$session_resources"
    return $status
}

# Ends the Wine side of every session of the current build.
sessions_stop() {
    local k
    for ((k = 0; k < session_count; k++)); do
        (. "$SUITE_TEST_SESSIONS/$k/session.env" && "$SUITE_WINESERVER" -k >/dev/null 2>&1; "$SUITE_WINESERVER" -w)
    done
}
