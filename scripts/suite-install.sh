# Sourced by the scripts that run the whole suite in a scratch Wine prefix (the demo, the
# whole-program tests): installs it there as the installer would for an administrator.
# Usage: . scripts/suite-install.sh; suite_install DATA_FOLDER BIN_FOLDER
# Needs the Wine variables of scripts/wine-env.sh for the prefix.
suite_machine_key='HKLM\SOFTWARE\Orvek Communications\Tessaro Halvo'
suite_user_key='HKCU\SOFTWARE\Orvek Communications\Tessaro Halvo'

suite_reg() {
    "$SUITE_WINE" reg.exe add "$@" /f </dev/null >/dev/null || { echo "install: reg add $1 failed" >&2; return 1; }
}

suite_install() {
    local data=$1 bin=$2 machine=$suite_machine_key
    mkdir -p "$data"
    suite_reg "$machine" /v "Program Path" /t REG_SZ /d "Z:${data//\//\\}" || return 1
    suite_reg "$machine" /v "Installed Version" /t REG_DWORD /d 387 || return 1
    # The installation's template of a new user's cache: the root and the folder of all discs.
    suite_reg "$machine\\User\\Cache" /v "Name" /t REG_SZ /d "Network Storage" || return 1
    suite_reg "$machine\\User\\Cache" /v "OriginalName" /t REG_SZ /d "Network Storage" || return 1
    suite_reg "$machine\\User\\Cache" /v "ItemType" /t REG_DWORD /d 4 || return 1
    suite_reg "$machine\\User\\Cache\\All Discs" /v "Name" /t REG_SZ /d "All Discs" || return 1
    suite_reg "$machine\\User\\Cache\\All Discs" /v "OriginalName" /t REG_SZ /d "All Discs" || return 1
    suite_reg "$machine\\User\\Cache\\All Discs" /v "ItemType" /t REG_DWORD /d 0 || return 1
    # SLP asks only the loopback address, where no agent answers, so nothing leaves the machine.
    suite_reg "$machine\\SLP" /v "Agent Addresses" /t REG_SZ /d "127.0.0.1:1" || return 1
    suite_reg "$machine\\SLP" /v "Multicast" /t REG_DWORD /d 0 || return 1
    suite_reg "$machine\\SLP" /v "Maximum Wait" /t REG_DWORD /d 1000 || return 1
    (
        cd "$bin" || exit 1
        "$SUITE_WINE" regsvr32 /s Stubwire.dll </dev/null || { echo "install: Stubwire.dll did not register" >&2; exit 1; }
        # The module's first start also sets the user up from the installation's template.
        "$SUITE_WINE" Trawlex.exe /RegServer </dev/null || { echo "install: Trawlex.exe /RegServer failed" >&2; exit 1; }
        "$SUITE_WINE" RegisterNamespace.exe /register </dev/null >/dev/null ||
            { echo "install: the namespace did not register" >&2; exit 1; }
    )
}

# The user's choice of the network set-up: every domain of the Microsoft Windows Network, no
# tray icon, the search module ending when its clients have gone, logging on.
suite_search_whole_network() {
    local user=$suite_user_key
    suite_reg "$user" /v "Background Process" /t REG_DWORD /d 0 || return 1
    suite_reg "$user" /v "Show Icon" /t REG_DWORD /d 0 || return 1
    suite_reg "$user" /v "Logging" /t REG_DWORD /d 1 || return 1
    suite_reg "$user\\Disc Search" /v "Microsoft Windows Network" /t REG_DWORD /d 1 || return 1
    suite_reg "$user\\Disc Search\\SMB Domains" /v "Entire Network" /t REG_DWORD /d 1 || return 1
}
