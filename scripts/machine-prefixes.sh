# Sourced by the whole-program tests that run the suite on several machines: a scratch folder
# with one Wine prefix per machine, of the build's kind, all removed when the script ends.
# Usage: . scripts/machine-prefixes.sh NAME BITS MACHINE...
# Sets: scratch (the folder; each machine's prefix is $scratch/MACHINE). machine_use MACHINE
# makes that machine's prefix the current one (the Wine variables of scripts/wine-env.sh) with
# its wineserver running.
machines_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
machines_bits=$2
machines=("${@:3}")
scratch=$(mktemp -d "${TMPDIR:-/tmp}/$1.XXXXXX")
machines_cleanup() {
    local machine
    for machine in "${machines[@]}"; do
        [ -n "${SUITE_WINESERVER:-}" ] && WINEPREFIX=$scratch/$machine "$SUITE_WINESERVER" -k >/dev/null 2>&1
    done
    rm -rf "$scratch"
}
trap machines_cleanup EXIT

# One prefix is made; the other machines start as copies of the fresh one. A copy's first Wine
# session is ended before anything uses it too: COM activation can hang in that session.
"$machines_root/scripts/wine-prefix.sh" "$scratch/${machines[0]}" "$machines_bits" >/dev/null || exit 1
for machine in "${machines[@]:1}"; do
    cp -a "$scratch/${machines[0]}" "$scratch/$machine" || exit 1
    "$machines_root/scripts/wine-prefix.sh" "$scratch/$machine" "$machines_bits" >/dev/null || exit 1
done

machine_use() {
    . "$machines_root/scripts/wine-env.sh" "$scratch/$1" "$machines_bits"
    "$SUITE_WINESERVER" -p </dev/null >/dev/null 2>&1
}
