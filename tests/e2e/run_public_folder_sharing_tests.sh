#!/usr/bin/env bash
# Public folders between two machines: an administrator's Wine prefix and a client's, each with
# the suite installed and its own search module, that see one shared data folder (a Unix folder,
# Z:\... in both). The steps of the test program run in turn, each in its machine's prefix. The
# prefixes and their wineservers go when the script ends.
# Usage: run_public_folder_sharing_tests.sh POINTER_SIZE TEST_EXE   (8: a 64-bit build)
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 POINTER_SIZE TEST_EXE" >&2; exit 2; }
# The build's own kind of prefix: its programs and reg.exe then see the same registry view.
bits=$(( $1 * 8 ))
test_exe=$2
bin=$(cd "$(dirname "$test_exe")" && pwd)

. "$root/scripts/machine-prefixes.sh" public-folders "$bits" admin client
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
export PUBLIC_DATA=$(windows_path "$scratch/public")
mkdir -p "$scratch/public"

. "$root/scripts/suite-install.sh"
# Runs a command in a machine's prefix.
on() {
    machine_use "$1"
    shift
    "$@"
}
install_machine() {
    local machine=$1 kind=$2
    # The desktop process gets none of the test's pipes (see scripts/test.sh).
    "$SUITE_WINE" explorer.exe /desktop </dev/null >/dev/null 2>&1 &
    suite_install "$scratch/$machine-install" "$bin" || return 1
    suite_reg "$suite_machine_key" /v "Installed Version" /t REG_DWORD /d "$kind" || return 1
    suite_reg "$suite_machine_key" /v "Global Data Location" /t REG_SZ /d "$PUBLIC_DATA" || return 1
    suite_reg "$suite_user_key" /v "Logging" /t REG_DWORD /d 1 || return 1
    suite_reg "$suite_user_key" /v "Show Icon" /t REG_DWORD /d 0 || return 1
    suite_reg "$suite_user_key" /v "Background Process" /t REG_DWORD /d 0 || return 1
}
step() {
    local machine=$1 name=$2
    ( cd "$bin" && on "$machine" "$SUITE_WINE" "$(basename "$test_exe")" --gtest_filter="PublicFolderSharing.$name" \
        </dev/null ) || { failed=1; echo "== step $name on the $machine's machine failed" >&2; }
}

on admin install_machine admin 387 || exit 1
on client install_machine client 0 || exit 1

failed=0
step admin AdministratorPublishesAFolder
step client ClientImportsItWithTheSearchModuleRunning
step client RegeditImportsTheExportAsTheImportDoes
step admin AdministratorWithdrawsIt
step client ClientsNextRefreshRemovesIt

if [ $failed -ne 0 ]; then
    for machine in admin client; do
        log=$scratch/$machine-install/trawlex.log
        [ -f "$log" ] && { echo "== the $machine's search module log"; tail -n 100 "$log"; }
    done
fi
exit $failed
