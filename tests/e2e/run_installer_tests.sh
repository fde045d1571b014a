#!/usr/bin/env bash
# The installer end to end, in two Wine prefixes of the build's kind: an administrator's machine
# and a client's. Silent and interactive installations, the search module and Explorer on what
# was installed (the simulated network of the demo), an upgrade, the client set-up script,
# removal while the search module runs, refused destinations, and the purge tool after a
# reinstallation; every key, file and shortcut checked where Windows keeps it. The prefixes and
# their wineservers go when the script ends.
# Usage: run_installer_tests.sh POINTER_SIZE TEST_EXE [EXPLORER64_BIN]   (8: a 64-bit build)
# EXPLORER64_BIN: the 64-bit build's bin folder, whose namespace a 32-bit installer carries for
# the 64-bit Explorer; it is then checked on 64-bit Windows with that build's Explorer driver.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 POINTER_SIZE TEST_EXE [EXPLORER64_BIN]" >&2; exit 2; }
bits=$(( $1 * 8 ))
test_exe=$2
explorer64_bin=${3:-}
bin=$(cd "$(dirname "$test_exe")" && pwd)
setup=$bin/HalvoSetup.exe
[ -f "$setup" ] || { echo "no installer at $setup" >&2; exit 2; }

. "$root/scripts/machine-prefixes.sh" installer "$bits" server client
# The purge tool's Recycle Bin (the desktop trash) stays in the scratch folder.
export XDG_DATA_HOME=$scratch/xdg
mkdir -p "$XDG_DATA_HOME"

windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
machine_key='HKLM\SOFTWARE\Orvek Communications\Tessaro Halvo'
user_key='HKCU\SOFTWARE\Orvek Communications\Tessaro Halvo'
uninstall_key='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\ORVEK Tessaro Halvo'
namespace_class='{3E73FA00-72FE-11D1-B008-00A0C98D47B7}'
module_class='{3E73FA01-72FE-11D1-B008-00A0C98D47B7}'
my_computer_namespace='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\explorer\mycomputer\NameSpace'
libgcc=libgcc_s_seh-1.dll
[ "$bits" = 32 ] && libgcc=libgcc_s_dw2-1.dll
installed_files=(Basalt.dll Shellvue.dll Skinset.dll Stubwire.dll Probestar.dll Trawlex.exe Dialwise.exe Cradlex.exe
                 Clearbay.exe RegisterNamespace.exe libstdc++-6.dll "$libgcc" libwinpthread-1.dll Uninstall.exe)
menu_links=("Network Storage Settings.lnk" "Find Discs.lnk" "Remove All Data.lnk" "Uninstall.lnk")
# Each build's own folder name: the two builds' runs may share the machine, and processes are
# told apart by their paths.
destination="C:\\Halvo Test $bits\\Tessaro Halvo"
public_data=$(windows_path "$scratch/public")
mkdir -p "$scratch/public"

failed=0
# Records a check: its name and whether the command given succeeded.
check() {
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failed=1; fi
}
# Makes the machine's prefix the current one (its desktop started the first time).
use() {
    machine=$1
    machine_use "$machine"
    if [ ! -e "$scratch/$machine.started" ]; then
        # The desktop process gets none of the test's pipes (see scripts/test.sh).
        "$SUITE_WINE" explorer.exe /desktop </dev/null >/dev/null 2>&1 &
        touch "$scratch/$machine.started"
    fi
}
win() { "$SUITE_WINE" "$@" </dev/null >/dev/null 2>&1; }
# The installer's own command line: NSIS takes the destination unquoted, as a user types it, which
# only a command line passed whole through cmd.exe keeps.
install() { win cmd.exe /c "$(windows_path "$setup") $*"; }
unix_path() { "$SUITE_WINE" winepath.exe -u "$1" </dev/null 2>/dev/null | tr -d '\r'; }
# The registry view reg.exe reads (/reg:64 for what 64-bit programs see); the program's own
# when empty.
reg_view=()
# A registry value's data as reg.exe shows it; the name "" is the key's default value.
value_of() {
    if [ -z "$2" ]; then
        "$SUITE_WINE" reg.exe query "$1" /ve "${reg_view[@]}" </dev/null 2>/dev/null | tr -d '\r' |
            sed -n "s/^ *(Default) *REG_[A-Z_]* *//p"
    else
        "$SUITE_WINE" reg.exe query "$1" /v "$2" "${reg_view[@]}" </dev/null 2>/dev/null | tr -d '\r' |
            sed -n "s/^ *$2 *REG_[A-Z_]* *//p"
    fi
}
has_key() { "$SUITE_WINE" reg.exe query "$1" "${reg_view[@]}" </dev/null >/dev/null 2>&1; }
is_value() {
    local data
    data=$(value_of "$1" "$2")
    [ "$data" = "$3" ] || { echo "$1 \"$2\" is \"$data\"" >&2; return 1; }
}
not() { ! "$@"; }
no_value() { ! "$SUITE_WINE" reg.exe query "$1" /v "$2" </dev/null >/dev/null 2>&1; }
# Every shortcut or menu folder of the suite in the prefix, wherever Windows keeps it.
suite_shortcuts() {
    find "$scratch/$machine/drive_c" \( -name 'ORVEK Tessaro HALVO' -o -name 'Trawlex.lnk' -o -name 'Network Storage.lnk' \
        -o -name 'ORVEK Tessaro Halvo.lnk' \) 2>/dev/null
}
all_installed() {
    local folder=$1 file
    for file in "${installed_files[@]}"; do [ -f "$folder/$file" ] || { echo "missing: $file" >&2; return 1; }; done
}
none_installed() {
    local folder=$1 file
    for file in "${installed_files[@]}"; do [ ! -e "$folder/$file" ] || { echo "left: $file" >&2; return 1; }; done
}
# The uninstaller runs from a copy of itself: removal is over when its entry has gone.
uninstall() {
    local folder=$1
    win "$folder\\Uninstall.exe" /S || return 1
    for _ in $(seq 600); do has_key "$uninstall_key" || return 0; sleep 0.1; done
    return 1
}
search_module_runs() { pgrep -f "Halvo Test $bits.*Trawlex.exe" >/dev/null; }
step() {
    ( cd "$bin" && "$SUITE_WINE" "$(basename "$test_exe")" --gtest_filter="InstallerSteps.$1" </dev/null ) ||
        { failed=1; echo "FAILED: step $1" >&2; }
}

echo "== a silent administrator's installation"
use server
install /S "/D=$destination"
check "silent installation ends with 0" [ $? -eq 0 ]
dest=$(unix_path "$destination")
check "every program and library is installed" all_installed "$dest"
check "Program Path" is_value "$machine_key" "Program Path" "$destination"
check "an administrator's installation kind (387)" is_value "$machine_key" "Installed Version" 0x183
check "the cache template of a new user" is_value "$machine_key\\User\\Cache\\All Discs" "Name" "All Discs"
check "the namespace's library" is_value "HKCR\\CLSID\\$namespace_class\\InProcServer32" "" "$destination\\Shellvue.dll"
check "the namespace under My Computer" has_key "$my_computer_namespace\\$namespace_class"
check "the product's version" is_value "HKCR\\CLSID\\$namespace_class\\NSProductInfo" "Version" "2.00"
check "the search module as a local server" has_key "HKCR\\CLSID\\$module_class\\LocalServer32"
check "the uninstall entry" is_value "$uninstall_key" "DisplayVersion" "2.00"
check "the quiet uninstall command" is_value "$uninstall_key" "QuietUninstallString" "\"$destination\\Uninstall.exe\" /S"
check "the client set-up folder" is_value "$machine_key" "Client Setup Location" "$destination\\Client Setup"
check "the installer in the client set-up folder" [ -f "$dest/Client Setup/HalvoSetup.exe" ]
shortcuts=$(suite_shortcuts)
echo "$shortcuts" | sed "s|$scratch/server/drive_c|C:|"
menu=$(grep 'ORVEK Tessaro HALVO$' <<<"$shortcuts")
check "the Start menu's folder" grep -q 'Programs/Orvek Communications/ORVEK Tessaro HALVO$' <<<"$menu"
for link in "${menu_links[@]}"; do
    check "the menu's $link" [ -f "$menu/$link" ]
done
check "the search module starts at log-on" grep -qi 'Startup/Trawlex.lnk$' <<<"$shortcuts"
check "the desktop shortcut" grep -q 'Network Storage.lnk$' <<<"$shortcuts"

. "$root/scripts/suite-install.sh"
shots=$(cd "$bin/.." && pwd)/screenshots
mkdir -p "$shots"
# A 32-bit installation on 64-bit Windows, with the 64-bit build at hand: the 64-bit Explorer
# shows the namespace through the 64-bit library and its registration in the 64-bit view, and
# the library reaches the 32-bit search module.
explorer64=
[ "$bits" = 32 ] && [ -n "$explorer64_bin" ] && [ -d "$scratch/server/drive_c/Program Files (x86)" ] && explorer64=1
if [ -n "$explorer64" ]; then
    echo "== the 64-bit Explorer's namespace"
    check "the 64-bit namespace library" [ -f "$dest/x64/Shellvue.dll" ]
    reg_view=(/reg:64)
    check "the 64-bit view's namespace library" is_value "HKCR\\CLSID\\$namespace_class\\InProcServer32" "" "$destination\\x64\\Shellvue.dll"
    check "the namespace under the 64-bit My Computer" has_key "$my_computer_namespace\\$namespace_class"
    check "the search module's class in the 64-bit view" is_value "HKCR\\CLSID\\$module_class\\LocalServer32" "" "\"$destination\\Trawlex.exe\""
    reg_view=()
    suite_reg "$user_key" /v "Logging" /t REG_DWORD /d 1
    # Before the simulated network, whose provider is a 32-bit library only: the namespace's
    # root with its folder of all discs.
    shown=$(cd "$explorer64_bin" && /usr/lib/wine/wine64 explorer_demo.exe "$(windows_path "$shots/installer-explorer64.bmp")" \
        </dev/null 2>/dev/null)
    echo "$shown"
    check "the 64-bit Explorer shows the namespace" grep -q '^Explorer shows "Network Storage" with: All Discs' <<<"$shown"
    check "its view registers with the 32-bit search module" grep -q "registered on 'All Discs'" "$dest/trawlex.log"
fi

echo "== the search module finds the simulated network's discs, and Explorer lists them in the namespace"
cp "$root/tools/demo/network.txt" "$scratch/network.txt"
SIMNET_BITS=$bits "$root/tools/netprovider/install-simnet.sh" "$scratch/server" "$scratch/network.txt" \
    "$bin/SimNetProvider.dll" >/dev/null
check "the simulated network is installed" [ $? -eq 0 ]
check "the user's network set-up" suite_search_whole_network
check "SLP on the loopback address only" suite_slp_on_loopback
found=$(cd "$bin" && "$SUITE_WINE" disc_list_demo.exe </dev/null 2>&1)
tail -n 8 <<<"$found"
check "the search module finds the network's five discs" grep -q '^5 discs in "All Discs"' <<<"$found"
shown=$(cd "$bin" && "$SUITE_WINE" explorer_demo.exe "$(windows_path "$shots/installer-explorer.bmp")" </dev/null 2>/dev/null)
echo "$shown"
check "Explorer lists them in the namespace's folder of all discs" grep -q '"All Discs" lists 5 discs' <<<"$shown"

echo "== an upgrade keeps what the administrator changed"
"$SUITE_WINE" reg.exe add "$machine_key" /v "Client Setup Location" /d 'C:\Admin Setup' /f </dev/null >/dev/null
"$SUITE_WINE" reg.exe add "$machine_key" /v "Global Data Location" /d "$public_data" /f </dev/null >/dev/null
install /S
check "the upgrade ends with 0" [ $? -eq 0 ]
check "the upgrade stays in the installation's folder" is_value "$machine_key" "Program Path" "$destination"
check "the client set-up location is kept" is_value "$machine_key" "Client Setup Location" 'C:\Admin Setup'
check "the public data location is kept" is_value "$machine_key" "Global Data Location" "$public_data"
check "the installer in the administrator's set-up folder" [ -f "$scratch/server/drive_c/Admin Setup/HalvoSetup.exe" ]

echo "== a client's installation from the administrator's set-up script"
HALVO_PUBLIC_DATA=$public_data step AdministratorWritesTheClientSetupScript
script=$scratch/server/drive_c/Admin\ Setup/sscript.ini
tr -d '\r' <"$script"
check "the script's destination names the Program Files folder" grep -qx 'DestinationLocation=%PROGRAM_FILES%\\Halvo Client' <(tr -d '\r' <"$script")
use client
win "$(windows_path "$scratch/server/drive_c/Admin Setup/HalvoSetup.exe")"
check "the scripted installation ends with 0, without a page" [ $? -eq 0 ]
# The Program Files folder of the installer's kind: a 32-bit one's on 64-bit Windows is "(x86)".
client_destination=$(value_of "$machine_key" "Program Path")
check "the client lands in the script's destination" \
    grep -qx 'C:\\Program Files\( (x86)\)\?\\Halvo Client' <<<"$client_destination"
check "every program and library is installed for the client" all_installed "$(unix_path "$client_destination")"
check "a client's installation kind" no_value "$machine_key" "Installed Version"
check "the script's public data location" is_value "$machine_key" "Global Data Location" "$public_data"
check "no desktop shortcut when the script says so" not grep -q 'Network Storage.lnk$' <<<"$(suite_shortcuts)"
check "no client set-up folder on a client" no_value "$machine_key" "Client Setup Location"

echo "== every page of an interactive installation, over the client's"
HALVO_SETUP=$(windows_path "$setup") HALVO_DESTINATION=$client_destination HALVO_PUBLIC_DATA=$public_data\\typed \
    step InteractiveInstallationShowsEveryPage
check "the interactive installation stays a client's" no_value "$machine_key" "Installed Version"
check "the data location typed on its page" is_value "$machine_key" "Global Data Location" "$public_data\\typed"

echo "== removal while the search module runs"
use server
"$SUITE_WINE" "$destination\\Trawlex.exe" </dev/null >/dev/null 2>&1 &
for _ in $(seq 100); do search_module_runs && break; sleep 0.1; done
check "the search module runs before the removal" search_module_runs
check "the removal ends" uninstall "$destination"
check "the search module was ended" not search_module_runs
check "no program or library is left" none_installed "$dest"
check "no shortcut or menu folder is left" [ -z "$(suite_shortcuts)" ]
check "the template of a new user is gone" not has_key "$machine_key\\User"
check "Program Path is gone" no_value "$machine_key" "Program Path"
check "the installation kind is gone" no_value "$machine_key" "Installed Version"
check "the namespace's class is gone" not has_key "HKCR\\CLSID\\$namespace_class"
check "the namespace is gone from My Computer" not has_key "$my_computer_namespace\\$namespace_class"
check "the search module's class is gone" not has_key "HKCR\\CLSID\\$module_class"
check "the uninstall entry is gone" not has_key "$uninstall_key"
check "the installer's copy in the set-up folder is gone" [ ! -e "$scratch/server/drive_c/Admin Setup/HalvoSetup.exe" ]
check "the administrator's script stays" [ -f "$script" ]
check "the user's own settings stay" has_key "$user_key"
if [ -n "$explorer64" ]; then
    check "no 64-bit namespace library is left" [ ! -e "$dest/x64" ]
    reg_view=(/reg:64)
    check "the 64-bit view's namespace class is gone" not has_key "HKCR\\CLSID\\$namespace_class"
    check "the 64-bit My Computer's namespace is gone" not has_key "$my_computer_namespace\\$namespace_class"
    check "the 64-bit view's search module class is gone" not has_key "HKCR\\CLSID\\$module_class"
    reg_view=()
fi

echo "== destinations that are refused"
touch "$scratch/server/drive_c/Blocked"
install /S '/D=C:\Blocked\Halvo'
check "a destination that cannot be written fails" [ $? -ne 0 ]
check "nothing is installed there" not has_key "$uninstall_key"
check "no Program Path is written" no_value "$machine_key" "Program Path"
install /S '/D=Relative\Halvo'
check "a relative destination fails" [ $? -eq 3 ]
check "nothing is installed for it" not has_key "$uninstall_key"
win "$setup" /S "/D=$destination"
check "a quoted destination fails" [ $? -eq 3 ]
check "nothing is installed for it" not has_key "$uninstall_key"
mkdir -p "$scratch/scripted"
cp "$setup" "$scratch/scripted/HalvoSetup.exe"
for refused in 'Relative\Halvo' 'C:\windows\Halvo' 'C:\Halvo\..\windows\Halvo'; do
    printf '[Silent Dialogs]\r\nWelcome=1\r\nUninstall=1\r\nStartCopyFiles=1\r\nStatus=1\r\nAskDestPath=1\r\nFinish=1\r\nAskDataPath=1\r\nAskOptions=1\r\n[Dialog Data]\r\nDestinationLocation=%s\r\nCreateShortcut=0\r\n' \
        "$refused" >"$scratch/scripted/sscript.ini"
    win "$(windows_path "$scratch/scripted/HalvoSetup.exe")"
    check "a script's destination $refused ends in an installation" [ $? -eq 0 ]
    installed_at=$(value_of "$machine_key" "Program Path")
    check "a script's destination $refused gives way to the default" \
        grep -qix 'C:\\Program Files\( (x86)\)\?\\Orvek Communications\\Tessaro Halvo' <<<"$installed_at"
    uninstall "$installed_at" || check "the scripted installation is removed" false
done

echo "== the purge tool after a reinstallation and a user's first start"
install /S "/D=$destination"
check "the reinstallation ends with 0" [ $? -eq 0 ]
win "$bin/shellvue_host.exe" "$destination\\Shellvue.dll" "$namespace_class"
check "the namespace starts for the user" [ $? -eq 0 ]
check "the user's first start sets the user up" has_key "$user_key\\Cache"
win "$destination\\Clearbay.exe" s
check "the silent purge ends" [ $? -eq 0 ]
for class in '{3E73F0E0-72FE-11D1-B008-00A0C98D47B7}' "$namespace_class" '{3E73F0E1-72FE-11D1-B008-00A0C98D47B7}' \
             "$module_class" '{F1C329E0-C944-11D1-8AC7-00A0C9295F1E}' '{F1C32AA0-C944-11D1-8AC7-00A0C9295F1E}' \
             '{F1C32AB0-C944-11D1-8AC7-00A0C9295F1E}'; do
    check "no class $class" not has_key "HKCR\\CLSID\\$class"
done
for interface in '{F1C329E0-C944-11D1-8AC7-00A0C9295F1E}' '{F1C32A00-C944-11D1-8AC7-00A0C9295F1E}' \
                 '{F1C32AB0-C944-11D1-8AC7-00A0C9295F1E}' '{F1C329E4-C944-11D1-8AC7-00A0C9295F1E}' \
                 '{F1C32AA0-C944-11D1-8AC7-00A0C9295F1E}' '{F1C32AB1-C944-11D1-8AC7-00A0C9295F1E}' \
                 '{F1C329EB-C944-11D1-8AC7-00A0C9295F1E}' '{F1C32AA1-C944-11D1-8AC7-00A0C9295F1E}' \
                 '{F1C32AB2-C944-11D1-8AC7-00A0C9295F1E}' '{F1C32AB3-C944-11D1-8AC7-00A0C9295F1E}'; do
    check "no interface $interface" not has_key "HKCR\\Interface\\$interface"
done
check "no machine product key" not has_key "$machine_key"
check "no namespace under My Computer" not has_key "$my_computer_namespace\\$namespace_class"
check "no uninstall entry" not has_key "$uninstall_key"
check "the silent purge keeps the user's settings" has_key "$user_key"
check "the silent purge keeps the files" all_installed "$dest"
check "the silent purge keeps the shortcuts" [ -n "$(suite_shortcuts)" ]
HALVO_CLEARBAY=$destination\\Clearbay.exe step PurgeDialogWithEveryRootAndDeleteRemovesTheRest
check "the purge dialog removes the user's settings" not has_key "$user_key"
check "the purge dialog removes the shortcuts and the menu folder" [ -z "$(suite_shortcuts)" ]

exit $failed
