# Sourced by the scripts whose steps CI times: when SUITE_PHASE_TIMES names a file (.ci/run sets
# it), each timed phase adds a line "NAME<TAB>wall seconds<TAB>CPU seconds" to it; otherwise
# the phases just run. The CPU time is that of the processes the phase waited for (the compilers
# of a build), which says more than the wall time on a machine shared with other work.
# Usage: . scripts/phase-times.sh; timed_phase "build win64" cmake --build build-win64
#    or: phase_begin set-up; ...; phase_end

# The CPU seconds (user + system) of every process this shell has waited for: the cutime and
# cstime fields of /proc/PID/stat, in clock ticks.
phase_children_cpu() {
    awk -v hz="$(getconf CLK_TCK)" '{ sub(/^.*\) /, ""); printf "%.2f\n", ($14 + $15) / hz }' "/proc/$$/stat"
}

# Starts the phase NAME; phase_end closes it. A phase named twice adds up in the summary.
phase_begin() {
    phase_name=$1
    phase_start=$(date +%s.%N)
    phase_cpu_start=$(phase_children_cpu)
}

phase_end() {
    [ -n "${SUITE_PHASE_TIMES:-}" ] || return 0
    awk -v n="$phase_name" -v t0="$phase_start" -v t1="$(date +%s.%N)" \
        -v c0="$phase_cpu_start" -v c1="$(phase_children_cpu)" \
        'BEGIN { printf "%s\t%.0f\t%.0f\n", n, t1 - t0, c1 - c0 }' >>"$SUITE_PHASE_TIMES"
}

# Runs COMMAND... as the phase NAME; its status is the command's.
timed_phase() {
    local status=0
    phase_begin "$1"
    shift
    "$@" || status=$?
    phase_end
    return $status
}

# Prints the phases of FILE in the order they first ran, with the total wall time.
print_phase_times() {
    awk -F'\t' '!($1 in wall) { order[++n] = $1 } { wall[$1] += $2; cpu[$1] += $3; total += $2 }
        END {
            printf "%-22s %9s %9s\n", "phase", "wall (s)", "CPU (s)"
            for (i = 1; i <= n; i++) printf "%-22s %9d %9d\n", order[i], wall[order[i]], cpu[order[i]]
            printf "%-22s %9d   (%d min %d s)\n", "all phases", total, total / 60, total % 60
        }' "$1"
}
