#!/usr/bin/env bash
# Removes what install-simnet.sh added to a Wine prefix: the provider's registration, drive
# letters that point into the unc tree, and the tree's folders that are empty.
# Usage: uninstall-simnet.sh PREFIX DESCRIPTION_FILE
# Run it with no program of the prefix running: the mount manager of a running wineserver keeps
# its own copy of the drive letters until the wineserver ends.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -eq 2 ] || { echo "usage: $0 PREFIX DESCRIPTION_FILE" >&2; exit 2; }
prefix=$1 description=$2
[ -f "$prefix/system.reg" ] || { echo "uninstall-simnet: no Wine prefix at $prefix" >&2; exit 1; }
. "$root/scripts/wine-env.sh" "$prefix" "${SIMNET_BITS:-64}"
. "$here/simnet-common.sh"

order=$("$SUITE_WINE" reg.exe query "$simnet_order_key" /v ProviderOrder </dev/null 2>/dev/null |
        sed -n 's/^ *ProviderOrder *REG_SZ *//p' | tr -d '\r' || true)
rest=$(tr ',' '\n' <<<"$order" | grep -vx "$simnet_service" | paste -sd, || true)
if [ -n "$rest" ]; then
    "$SUITE_WINE" reg.exe add "$simnet_order_key" /v ProviderOrder /t REG_SZ /d "$rest" /f </dev/null >/dev/null 2>&1
else
    "$SUITE_WINE" reg.exe delete "$simnet_order_key" /v ProviderOrder /f </dev/null >/dev/null 2>&1 || true
fi
"$SUITE_WINE" reg.exe delete "$simnet_services_key" /f </dev/null >/dev/null 2>&1 || true

dosdevices=$WINEPREFIX/dosdevices
for link in "$dosdevices"/?:; do
    [ -L "$link" ] || continue
    case $(readlink "$link") in unc/*) rm -f "$link" ;; esac
done
if [ -f "$description" ]; then
    simnet_server() { rmdir "$dosdevices/unc/$2" 2>/dev/null || true; }
    simnet_share() { rmdir "$dosdevices/unc/$2/$3" 2>/dev/null || true; rmdir "$dosdevices/unc/$2" 2>/dev/null || true; }
    simnet_read_description "$description" 2>/dev/null
fi
rmdir "$dosdevices/unc" 2>/dev/null || true
echo "simulated network removed from $WINEPREFIX"
