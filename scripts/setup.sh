#!/usr/bin/env bash
# Prepares a fresh Debian 12 machine (run as root) and builds the suite.
# Safe to run again: every step checks what is already there.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
deps_dir="$here/deps"

step() { printf '\n==> %s\n' "$*"; }
. "$here/scripts/phase-times.sh"
die() { printf 'setup: %s\n' "$*" >&2; exit 1; }

[ "$(id -u)" -eq 0 ] || die "run as root (it installs packages)"

packages=(ca-certificates make gcc g++ cmake ninja-build dpkg-dev xz-utils tcl googletest
          mingw-w64 mingw-w64-tools wine wine32:i386 wine64 fonts-wine xvfb xauth x11-apps x11-utils
          imagemagick python3 sqlite3 clang libclang-rt-14-dev ccache
          nsis iproute2 util-linux procps) # nsis: the installer; ip and unshare: test, demo and bench runs are cut off from the network; pgrep

missing_packages() {
    local p
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}

phase_begin set-up
step "i386 architecture"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
fi

step "source package entries"
src_list=/etc/apt/sources.list.d/debian-src.sources
if [ ! -f "$src_list" ]; then
    [ -f /etc/apt/sources.list.d/debian.sources ] || die "no /etc/apt/sources.list.d/debian.sources to derive source entries from"
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources > "$src_list"
    need_update=1
fi

step "packages"
install_packages() {
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$@" "${packages[@]}"
}
if [ -n "$(missing_packages)" ] || [ -n "${need_update:-}" ]; then
    # A mirror caught mid-sync serves one stale index now and then; what was fetched still counts.
    for attempt in 1 2 3; do
        apt-get update && break
        echo "setup: apt-get update failed (attempt $attempt); going on with the indexes it has" >&2
        sleep 5
    done
    # When one architecture's security index is missing, the other's newer libraries cannot be
    # matched for i386 (multiarch needs equal versions): prefer the release's own versions then.
    install_packages || install_packages -t bookworm
fi
[ -z "$(missing_packages)" ] || die "packages still missing: $(missing_packages | tr '\n' ' ')"

step "SQLite amalgamation in $deps_dir/sqlite"
if [ ! -f "$deps_dir/sqlite/sqlite3.c" ] || [ ! -f "$deps_dir/sqlite/sqlite3.h" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    (cd "$work" && apt-get source --download-only sqlite3 >/dev/null \
        && dpkg-source -x sqlite3_*.dsc src >/dev/null \
        && mkdir bld && cd bld && ../src/configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null) \
        || die "could not make the SQLite amalgamation from Debian's source package"
    mkdir -p "$deps_dir/sqlite"
    cp "$work/bld/sqlite3.c" "$work/bld/sqlite3.h" "$deps_dir/sqlite/"
    rm -rf "$work"
    trap - EXIT
fi

phase_end

# The 64-bit build first: the 32-bit installer carries its namespace library for the 64-bit
# Explorer of 64-bit Windows.
for preset in win64 default; do
    dir=$("$here/scripts/build-dir.sh" "$preset")
    step "configure and build preset $preset in $dir"
    phase_begin "build $preset"
    cmake --preset "$preset" -S "$here"
    cmake --build "$dir"
    phase_end
done

step "Wine prefix for the tests"
phase_begin set-up
"$here/scripts/wine-prefix.sh" "$("$here/scripts/build-dir.sh" win64)/wineprefix"
phase_end

step "demo: the search module finds the discs of a simulated network"
timed_phase demo "$here/scripts/demo.sh" || die "the demo failed"

step "done: binaries in $here/build/bin (32-bit) and $here/build-win64/bin (64-bit)"
