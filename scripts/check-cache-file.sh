#!/usr/bin/env bash
# Checks that the suite's disc database is an ordinary SQLite file that other tools read:
# a Windows program of the tests writes one, the Linux sqlite3 shell reads it back.
# Usage (inside the Wine session of scripts/test.sh): scripts/check-cache-file.sh BUILD_DIR
set -uo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

windows_dir=$("$SUITE_WINE" winepath.exe -w "$work" 2>/dev/null | tr -d '\r')
(cd "$build_dir/bin" && "$SUITE_WINE" make_sample_cache.exe "$windows_dir" >/dev/null 2>&1) \
    || { echo "check-cache-file: make_sample_cache failed"; exit 1; }
file=$(ls "$work"/*.mdb 2>/dev/null | head -n1)
[ -n "$file" ] || { echo "check-cache-file: no database file was written"; exit 1; }

schema=$(sqlite3 "$file" '.schema Items')
rows=$(sqlite3 "$file" 'SELECT count(*) FROM Items;')
servers=$(sqlite3 "$file" 'SELECT count(DISTINCT Location) FROM Items;')
fail=0
grep -q 'CREATE TABLE Items' <<<"$schema" || { echo "check-cache-file: table Items missing"; fail=1; }
grep -q 'CREATE UNIQUE INDEX PrimaryKey ON Items (ID)' <<<"$schema" || { echo "check-cache-file: index PrimaryKey missing"; fail=1; }
[ "$rows" = 3 ] || { echo "check-cache-file: expected 3 rows, found $rows"; fail=1; }
[ "$servers" = 2 ] || { echo "check-cache-file: expected 2 servers, found $servers"; fail=1; }
if [ $fail -eq 0 ]; then
    echo "check-cache-file: the Linux sqlite3 shell reads the disc database (table, index, rows)"
else
    echo "check-cache-file: FAILED"
fi
exit $fail
