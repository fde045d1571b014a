# Sourced by the scripts that run the suite's programs (test.sh, demo.sh, bench.sh): the run
# goes on in a network namespace of its own in which only the loopback interface is up, so
# nothing it sends can leave the machine. Without SLP settings in the registry view it reads,
# Probestar multicasts with a time-to-live of 255; a run whose settings land in the other view
# must still not reach the real network.
# Usage, at the top of a script, before it starts anything:
#   . "$(dirname "${BASH_SOURCE[0]}")/netns.sh"
#   netns_isolate NAME "$@"
# The first call runs the script again inside a fresh namespace (unshare --net, as root) and
# does not return; in there (SUITE_NETNS_ENTERED is set) the call checks that no other
# interface is up, brings the loopback interface up, says so and returns. Scripts run from an
# isolated run are isolated already and are not moved again. There is no fallback: whatever
# prevents the isolation stops the run.

# The interfaces that are up, other than loopback, one a line (none when isolated). A fresh
# namespace may also hold tunnel devices (tunl0, sit0, ...): they are down and carry nothing.
netns_other_interfaces_up() {
    ip -o link show up | awk -F': ' '{ sub(/@.*/, "", $2); if ($2 != "lo") print $2 }'
}

netns_fail() { echo "$netns_name: $*; nothing was run" >&2; exit 2; }

netns_isolate() {
    netns_name=$1
    shift
    command -v ip >/dev/null || netns_fail "the ip command is missing (package iproute2, installed by scripts/setup.sh)"
    if [ -z "${SUITE_NETNS_ENTERED:-}" ]; then
        [ "$(id -u)" -eq 0 ] || netns_fail "run as root: the run is cut off from the network in a network namespace of its own, which only root can make"
        command -v unshare >/dev/null || netns_fail "the unshare command is missing (package util-linux)"
        local refusal
        refusal=$(unshare --net true 2>&1) || netns_fail "cannot make a network namespace of its own (unshare --net: ${refusal:-failed})"
        # Set once for the whole run: programs the run starts stay in its namespace.
        export SUITE_NETNS_ENTERED=1
        exec unshare --net -- "$BASH" "$0" "$@"
    fi
    local others
    others=$(netns_other_interfaces_up) || netns_fail "cannot list the network interfaces"
    [ -z "$others" ] || netns_fail "SUITE_NETNS_ENTERED is set, but this run sees network interfaces up: ${others//$'\n'/ }"
    ip link set lo up || netns_fail "cannot bring the loopback interface up in the run's network namespace"
    ip -o link show up | grep -q '^[0-9]*: lo:' || netns_fail "the loopback interface did not come up"
    echo "$netns_name: isolated from the network: this run has a network namespace of its own with only the loopback interface up, so nothing it sends leaves the machine"
}
