#!/usr/bin/env bash
# Creates (or refreshes) a Wine prefix ready for headless runs of the suite.
# Usage: scripts/wine-prefix.sh PREFIX [32|64]
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 PREFIX [32|64]" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$here/wine-env.sh" "$1" "${2:-64}"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "creating Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    "$SUITE_WINE" wineboot.exe --init </dev/null >"$WINEPREFIX.boot.log" 2>&1 || true
    # COM activation can hang in the wineserver session that created the prefix.
    "$SUITE_WINESERVER" -w
fi
[ -f "$WINEPREFIX/system.reg" ] || { echo "wine-prefix: could not create $WINEPREFIX (see $WINEPREFIX.boot.log)" >&2; exit 1; }

# The real fonts, so that dialogs have the sizes they were laid out for.
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -u /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/"

# Without a window manager Wine waits for every closed window to be acknowledged; unmanaged
# windows close at once, which keeps dialog tests fast.
"$SUITE_WINE" reg.exe add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1

# Wine's Recycle Bin is the desktop trash folder; Wine makes the Trash folder itself but not
# the data folder it lives in, which an account that never ran a desktop does not have
# (deleting to the Recycle Bin would then delete for good).
mkdir -p "${XDG_DATA_HOME:-$HOME/.local/share}"

# A crash dialog would hang a headless run.
"$SUITE_WINE" reg.exe add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f </dev/null >/dev/null 2>&1
"$SUITE_WINESERVER" -w
echo "Wine prefix ready: $WINEPREFIX"
