#!/usr/bin/env bash
# Builds the fuzz targets natively with clang (libFuzzer, AddressSanitizer) in build-fuzz/ and
# runs each one briefly from its seed corpus in fuzz/corpus/.
# Usage: scripts/fuzz.sh [seconds per target, default 20]
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
seconds=${1:-20}
build="$here/build-fuzz"

command -v clang++ >/dev/null || { echo "fuzz: clang++ is not installed (scripts/setup.sh installs it)" >&2; exit 2; }

cmake -S "$here/fuzz" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build"

status=0
for target in attribute_list_fuzz slp_reply_fuzz pidl_fuzz item_list_fuzz public_folder_files_fuzz; do
    echo "== fuzzing $target for ${seconds} s"
    # New inputs go to a scratch folder; the committed seeds stay as they are.
    found=$(mktemp -d)
    if ! "$build/$target" -max_total_time="$seconds" -timeout=10 -artifact_prefix="$build/$target-" \
            "$found" "$here/fuzz/corpus/$target" >"$build/$target.log" 2>&1; then
        echo "fuzz: $target failed; see $build/$target.log and $build/$target-*" >&2
        tail -n 40 "$build/$target.log" >&2
        status=1
    else
        grep -E '^Done|#[0-9]+.*DONE' "$build/$target.log" | tail -n 1
    fi
    rm -rf "$found"
done
exit $status
