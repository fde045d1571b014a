#!/usr/bin/env bash
# Registers the simulated network provider in a Wine prefix and creates the unc tree its drive
# letters point into, from a network description (format: network_description.h).
# Usage: install-simnet.sh PREFIX DESCRIPTION_FILE [PROVIDER_DLL]
#   PROVIDER_DLL defaults to build-win64/bin/SimNetProvider.dll of this checkout.
# The prefix must exist (scripts/wine-prefix.sh). Running it again replaces the description.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 2 ] && [ $# -le 3 ] || { echo "usage: $0 PREFIX DESCRIPTION_FILE [PROVIDER_DLL]" >&2; exit 2; }
prefix=$1 description=$2 provider=${3:-$root/build-win64/bin/SimNetProvider.dll}
[ -f "$prefix/system.reg" ] || { echo "install-simnet: no Wine prefix at $prefix" >&2; exit 1; }
[ -f "$description" ] || { echo "install-simnet: no description file $description" >&2; exit 1; }
[ -f "$provider" ] || { echo "install-simnet: no provider DLL $provider (build it first)" >&2; exit 1; }
. "$root/scripts/wine-env.sh" "$prefix" "${SIMNET_BITS:-64}"
. "$here/simnet-common.sh"

reg() { "$SUITE_WINE" reg.exe "$@" </dev/null >/dev/null 2>&1; }

# Keep providers another harness registered; ours goes last.
order=$("$SUITE_WINE" reg.exe query "$simnet_order_key" /v ProviderOrder </dev/null 2>/dev/null |
        sed -n 's/^ *ProviderOrder *REG_SZ *//p' | tr -d '\r' || true)
case ",$order," in
    *",$simnet_service,"*) ;;
    ",,") order=$simnet_service ;;
    *) order="$order,$simnet_service" ;;
esac
reg add "$simnet_order_key" /v ProviderOrder /t REG_SZ /d "$order" /f
reg add "$simnet_services_key\\NetworkProvider" /v ProviderPath /t REG_SZ /d "$(simnet_windows_path "$provider")" /f
reg add "$simnet_services_key\\NetworkProvider" /v Name /t REG_SZ /d "Microsoft Windows Network" /f
reg add "$simnet_services_key\\Parameters" /v DescriptionFile /t REG_SZ /d "$(simnet_windows_path "$description")" /f
"$SUITE_WINE" reg.exe query "$simnet_services_key\\Parameters" /v DescriptionFile </dev/null >/dev/null 2>&1 ||
    { echo "install-simnet: could not write the registry of $prefix" >&2; exit 1; }

unc=$WINEPREFIX/dosdevices/unc
simnet_server() { mkdir -p "$unc/$2"; }
simnet_share() { mkdir -p "$unc/$2/$3"; }
simnet_read_description "$description"
echo "simulated network installed in $WINEPREFIX"
