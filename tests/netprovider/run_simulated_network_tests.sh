#!/usr/bin/env bash
# Runs the simulated network tests in a Wine prefix of their own: drive mappings persist in a
# prefix, so the shared test prefix is never touched.
# Usage: run_simulated_network_tests.sh TEST_EXE PROVIDER_DLL DESCRIPTION_FILE DAMAGED_FILE [gtest arguments]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 4 ] || { echo "usage: $0 TEST_EXE PROVIDER_DLL DESCRIPTION_FILE DAMAGED_FILE [gtest arguments]" >&2; exit 2; }
test_exe=$1 provider=$2 description=$3 damaged=$4
shift 4

# Its own copy of the description, so that nothing the tests do reaches the source tree.
. "$root/scripts/simnet-prefix.sh" simnet-tests "$description" "$provider"
for share in ALPHA/MEDIA ALPHA/DOCS BRAVO/ARCHIVE CHARLIE/CD1; do
    [ -d "$scratch/prefix/dosdevices/unc/$share" ] || { echo "install left out unc/$share" >&2; exit 1; }
done

# The harness reads a damaged description as the provider does: the good lines only.
kept=$(simnet_server() { echo "$1\\$2"; }; simnet_share() { echo "$1\\$2\\$3"; }
       . "$root/tools/netprovider/simnet-common.sh"; simnet_read_description "$damaged" 2>"$scratch/refused.log")
expected=$'GOOD\\ONE\\SHARE1\nGOOD\\ONE\\SHARE4'
if [ "$kept" != "$expected" ] || [ "$(wc -l <"$scratch/refused.log")" -ne 12 ]; then
    echo "install-simnet kept from $damaged:"; echo "$kept"; cat "$scratch/refused.log"
    exit 1
fi >&2

cp "$damaged" "$scratch/damaged.txt"
export SIMNET_DAMAGED_DESCRIPTION="Z:${scratch//\//\\}\\damaged.txt"
export SIMNET_UNC_ROOT="Z:${scratch//\//\\}\\prefix\\dosdevices\\unc"
(cd "$(dirname "$test_exe")" && "$SUITE_WINE" "$(basename "$test_exe")" "$@")
status=$?

# The uninstaller takes everything away again, with no program of the prefix running.
"$SUITE_WINESERVER" -w
"$root/tools/netprovider/uninstall-simnet.sh" "$scratch/prefix" "$scratch/network.txt" >/dev/null || status=1
if "$SUITE_WINE" reg.exe query 'HKLM\System\CurrentControlSet\Services\SimNet' </dev/null >/dev/null 2>&1; then
    echo "uninstall left the provider registered" >&2
    status=1
fi
[ ! -e "$scratch/prefix/dosdevices/unc" ] || { echo "uninstall left the unc tree" >&2; status=1; }
exit $status
