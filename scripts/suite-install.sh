# Sourced by the scripts that run the whole suite in a scratch Wine prefix (the demo, the
# whole-program tests): installs it there with the build's installer, as an administrator does.
# Usage: . scripts/suite-install.sh; suite_install DESTINATION_FOLDER BIN_FOLDER
# Needs the Wine variables of scripts/wine-env.sh for the prefix.
suite_machine_key='HKLM\SOFTWARE\Orvek Communications\Tessaro Halvo'
suite_user_key='HKCU\SOFTWARE\Orvek Communications\Tessaro Halvo'

suite_reg() {
    "$SUITE_WINE" reg.exe add "$@" /f </dev/null >/dev/null || { echo "install: reg add $1 failed" >&2; return 1; }
}

# A silent server installation into DESTINATION_FOLDER (a Unix path).
suite_install() {
    local destination=$1 bin=$2 status
    [ -f "$bin/HalvoSetup.exe" ] || { echo "install: no installer in $bin" >&2; return 1; }
    # NSIS takes the destination unquoted, as the last argument.
    "$SUITE_WINE" "$bin/HalvoSetup.exe" /S "/D=Z:${destination//\//\\}" </dev/null >/dev/null 2>&1
    status=$?
    [ $status -eq 0 ] || { echo "install: HalvoSetup.exe /S ended with $status" >&2; return 1; }
    suite_slp_on_loopback
}

# SLP asks only the loopback address, where no agent answers, so nothing leaves the machine.
suite_slp_on_loopback() {
    suite_reg "$suite_machine_key\\SLP" /v "Agent Addresses" /t REG_SZ /d "127.0.0.1:1" || return 1
    suite_reg "$suite_machine_key\\SLP" /v "Multicast" /t REG_DWORD /d 0 || return 1
    suite_reg "$suite_machine_key\\SLP" /v "Maximum Wait" /t REG_DWORD /d 1000 || return 1
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
