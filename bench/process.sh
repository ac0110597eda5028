#!/usr/bin/env bash
# Whole-process measurement of the gadget under Xvfb with a notification
# area: it is started (the time until its window is mapped is taken), then
# runs for the measured period. Prints its CPU time as a percentage of one
# core, peak RSS, private memory (USS), wakeups per second and the time to
# the mapped window.
#
# First, start-up against its floor: the gadget and a bare Qt program of the
# same shape (a 242 x 237 frameless window and a notification icon), bare
# and drawing the gadget's lines of text, are started in turn, RUNS times
# each, alternately; for each, the median time from exec to its mapped
# window and to its first drawn pixels, and the median peak RSS once
# started.
#
# Usage: bench/process.sh [SECONDS] [RUNS]   (defaults 60, 15)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
runs=${2:-15}

"$root/scripts/install-deps.sh" runtime build bench
cmake -S "$root" --preset app >/dev/null
cmake --build "$root/build/app" --target tavlo tavlo_bare_qt tavlo_map_time >/dev/null
tavlo="$root/build/app/tavlo"
bare="$root/build/app/bench/startup/tavlo_bare_qt"
map_time="$root/build/app/bench/startup/tavlo_map_time"

work=$(mktemp -d /tmp/tavlo-bench.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$work/display")"
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY QT_QPA_PLATFORM
trayer --edge bottom --align right --widthtype pixel --width 120 --height 32 >/dev/null 2>&1 &
pids+=($!)
sleep 1

now_ms() { date +%s%3N; }

# Start-up, alternating so that both see the same machine. The peak is read
# two seconds after the window is mapped, when the icon is in place.
mkdir -p "$work/home"
: >"$work/startup"
for _ in $(seq "$runs"); do
    for name in tavlo bare text; do
        case $name in
        tavlo) program=("$tavlo") ;;
        bare) program=("$bare") ;;
        text) program=("$bare" --text) ;;
        esac
        echo "$name $(cd "$work/home" && "$map_time" 2000 "${program[@]}")" >>"$work/startup"
    done
done
median() { sort -n | awk '{v[NR] = $1} END {print NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }
printf '%-6s %16s %17s %22s  (%s runs each)\n' program "mapped ms (med)" "drawn ms (med)" "start-up peak RSS MB" "$runs"
for name in tavlo bare text; do
    map=$(awk -v n="$name" '$1 == n {print $2}' "$work/startup" | median)
    drawn=$(awk -v n="$name" '$1 == n {print $3}' "$work/startup" | median)
    hwm=$(awk -v n="$name" '$1 == n {print $4}' "$work/startup" | median)
    awk -v name="$name" -v map="$map" -v drawn="$drawn" -v hwm="$hwm" \
        'BEGIN {printf "%-6s %16.1f %17.1f %22.1f\n", name, map, drawn, hwm / 1024}'
done
echo

# Starts a program and waits for its mapped window; prints "PID MS".
launch() {
    local class=$1
    shift
    local start
    start=$(now_ms)
    "$@" >"$work/$class.log" 2>&1 &
    local pid=$!
    until xdotool search --onlyvisible --classname "^$class\$" >/dev/null 2>&1; do sleep 0.01; done
    echo "$pid $(($(now_ms) - start))"
}

read -r tavlo_pid tavlo_map < <(cd "$work/home" && launch tavlo "$tavlo")
pids+=("$tavlo_pid")

# Nanoseconds the process has run on a processor.
cpu_ns() { awk '{print $1}' "/proc/$1/schedstat"; }
switches() { awk '/^(non)?voluntary_ctxt_switches/ {n += $2} END {print n}' "/proc/$1/status"; }
peak_rss_kb() { awk '/^VmHWM/ {print $2}' "/proc/$1/status"; }
uss_kb() { awk '/^Private_(Clean|Dirty)/ {n += $2} END {print n}' "/proc/$1/smaps_rollup"; }
# Private memory the process wrote itself: heap, stacks, its copies of data.
dirty_kb() { awk '/^Private_Dirty/ {n += $2} END {print n}' "/proc/$1/smaps_rollup"; }

# Settle after start-up, then read at the start and end of the period.
sleep 5
declare -A cpu0 sw0 t0
for name in tavlo; do
    pid_var=${name}_pid
    t0[$name]=$(now_ms)
    cpu0[$name]=$(cpu_ns "${!pid_var}")
    sw0[$name]=$(switches "${!pid_var}")
done
sleep "$seconds"

printf '%-6s %8s %12s %8s %14s %11s %10s\n' program "CPU %" "peak RSS MB" "USS MB" "private dirty" "wakeups/s" "mapped ms"
for name in tavlo; do
    pid_var=${name}_pid
    map_var=${name}_map
    pid=${!pid_var}
    kill -0 "$pid" || { echo "$name ended early: $(cat "$work/$name.log")" >&2; exit 1; }
    elapsed_ms=$(($(now_ms) - t0[$name]))
    cpu=$(($(cpu_ns "$pid") - cpu0[$name]))
    wakeups=$(($(switches "$pid") - sw0[$name]))
    awk -v cpu="$cpu" -v ms="$elapsed_ms" -v hwm="$(peak_rss_kb "$pid")" -v uss="$(uss_kb "$pid")" \
        -v dirty="$(dirty_kb "$pid")" -v wake="$wakeups" -v map="${!map_var}" -v name="$name" \
        'BEGIN {printf "%-6s %8.3f %12.1f %8.1f %14.1f %11.1f %10d\n", name, 100 * cpu / 1e6 / ms,
            hwm / 1024, uss / 1024, dirty / 1024, wake / (ms / 1000), map}'
done
