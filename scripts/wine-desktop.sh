# Sourced by the scripts that run tests: Wine's desktop process of the prefix in WINEPREFIX
# (with the variables of scripts/wine-env.sh).
# Wine starts the desktop process for the first window a program opens, and closes it a second
# after the last program of the session has ended. Started by a program, it inherits that
# program's output: under ctest, the test's output pipe then stays open until the session ends,
# and ctest waits for it. Started here, it has nobody's pipes.

# Whether the desktop process of this prefix is up.
wine_desktop_running() {
    local pid
    for pid in $(pgrep -f 'explorer.exe /desktop'); do
        tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}

# Starts the desktop process in a session of its own, and waits (at most 10 s) until it is up.
wine_desktop_start() {
    setsid -f "$SUITE_WINE" explorer.exe /desktop </dev/null >/dev/null 2>&1
    local _
    for _ in $(seq 100); do
        wine_desktop_running && return 0
        sleep 0.1
    done
    echo "the desktop process of $WINEPREFIX did not start" >&2
    return 1
}
