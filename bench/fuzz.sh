#!/usr/bin/env bash
# Builds the libFuzzer targets (the "fuzz" preset, clang with AddressSanitizer
# and UndefinedBehaviorSanitizer) and runs each for SECONDS (default 60),
# on a corpus kept in build/fuzz/corpus that starts from the test fixtures.
# Prints the executions and the crashes of each target; a crash leaves its
# input in build/fuzz/crashes and fails the script.
#
#   bench/fuzz.sh [SECONDS [TARGET...]]     targets: record proc recent
set -euo pipefail
seconds=${1:-60}
shift || true
targets=("$@")
[ $# -gt 0 ] || targets=(record proc recent)
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz >/dev/null

declare -A seeds=(
    [record]="tests/data/settings"
    [proc]="tests/data/proc"
    [recent]=""
)
failed=0
started="build/fuzz/.started"
touch "$started"
for target in "${targets[@]}"; do
    corpus="build/fuzz/corpus/$target"
    crashes="build/fuzz/crashes/$target"
    mkdir -p "$corpus" "$crashes"
    [ -n "${seeds[$target]}" ] && cp -n "${seeds[$target]}"/* "$corpus"/ 2>/dev/null || true
    log="build/fuzz/$target.log"
    status=0
    "build/fuzz/bench/fuzz/tavlo_fuzz_$target" "$corpus" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$crashes/" -max_len=4096 -timeout=10 >"$log" 2>&1 || status=$?
    runs=$(awk '/stat::number_of_executed_units/ {print $NF}' "$log")
    found=$(find "$crashes" -type f -newer "$started" | wc -l)
    echo "$target: ${runs:-0} executions in ${seconds} s, $found crash inputs kept (new in this run)"
    if [ "$status" != 0 ] || [ "$found" != 0 ]; then
        failed=1
        tail -n 30 "$log" >&2
    fi
done
exit "$failed"
