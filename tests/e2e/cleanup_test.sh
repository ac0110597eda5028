#!/usr/bin/env bash
# The end-to-end tests' cleanup ends what they started and nothing else. A
# number in PIDS whose process ended may by then belong to another program,
# such as a test that ctest runs beside them: pid_max is often 32768, and a
# test run goes through thousands of processes.
#
# Usage: cleanup_test.sh
set -euo pipefail
lib=$(realpath "$(dirname "$0")/lib.sh")
scratch=$(mktemp -d)
trap 'kill "$(cat "$scratch/stranger")" 2>/dev/null || true; rm -rf "$scratch"' EXIT

# Whether process $1 runs: a zombie, ended but not yet reaped, does not.
runs() {
    local state
    state=$(ps -o stat= -p "$1") || return 1
    [[ $state != Z* ]]
}

# A process of another parent, as one that took over a used number is.
setsid bash -c 'sleep 60 & echo $! >"$1"' _ "$scratch/stranger"
stranger=$(cat "$scratch/stranger")
runs "$stranger" || { echo "FAIL: no stranger to leave alone"; exit 1; }

# A test with a process of its own, whose list also holds the stranger's
# number, ends.
bash -c '
    source "$1" /bin/true "$2/artifacts"
    sleep 60 &
    PIDS+=($! "$3")
    echo $! >"$2/own"
' cleanup_test "$lib" "$scratch" "$stranger"
sleep 0.2
if runs "$(cat "$scratch/own")"; then echo "FAIL: the test's own process still runs"; exit 1; fi
runs "$stranger" || { echo "FAIL: the cleanup ended a process it did not start"; exit 1; }
echo "PASS cleanup_test"
