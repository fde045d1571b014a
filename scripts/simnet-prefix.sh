# Sourced by the scripts that run the suite's programs against the simulated network: a scratch
# folder with a Wine prefix of its own (64-bit unless BITS says 32) and the simulated network provider installed,
# all removed again when the script ends (call simnet_prefix_cleanup from a trap of your own if
# you set one).
# Usage: . scripts/simnet-prefix.sh NAME DESCRIPTION_FILE PROVIDER_DLL [BITS]
# Sets: scratch (the folder), network (its copy of the description, which the provider reads
# again whenever it changes), the Wine variables of scripts/wine-env.sh, and
# network_windows_path (the description's path as Windows programs name it).
simnet_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
simnet_prefix_cleanup() {
    [ -n "${SUITE_WINESERVER:-}" ] && WINEPREFIX=$scratch/prefix "$SUITE_WINESERVER" -k >/dev/null 2>&1
    rm -rf "$scratch"
}
trap simnet_prefix_cleanup EXIT
# Copied first: the description may be a pipe that is read once.
network=$scratch/network.txt
cp "$2" "$network" || exit 1

simnet_bits=${4:-64}
"$simnet_root/scripts/wine-prefix.sh" "$scratch/prefix" "$simnet_bits" >/dev/null || exit 1
. "$simnet_root/scripts/wine-env.sh" "$scratch/prefix" "$simnet_bits"
SIMNET_BITS=$simnet_bits "$simnet_root/tools/netprovider/install-simnet.sh" "$scratch/prefix" "$network" "$3" >/dev/null ||
    exit 1
network_windows_path="Z:${network//\//\\}"
