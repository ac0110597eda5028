#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: in the
# normal build and under AddressSanitizer + UndefinedBehaviorSanitizer; then
# the Windows side, cross-built and run under Wine; then clang-tidy over the
# sources and a short run of each fuzzing target.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
scripts/install-deps.sh runtime build test
for preset in default asan; do
    echo "== $preset build"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    echo "== $preset tests"
    ctest --preset "$preset"
done
echo "== windows-cross build"
cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross
echo "== windows-cross tests (under Wine)"
trap 'tests/platform/windows/wine_run.sh build/windows-cross/wine --stop' EXIT
ctest --preset windows-cross -LE e2e
# The programs under test take clicks and the foreground on a desktop of
# their own: nothing else of Wine's runs meanwhile, not even the server the
# tests above kept.
tests/platform/windows/wine_run.sh build/windows-cross/wine --stop
echo "== windows-cross end-to-end tests (under Wine, Xvfb and trayer)"
ctest --preset windows-cross -L e2e
echo "== clang-tidy"
cmake --build --preset tidy
echo "== fuzzing smoke"
bench/fuzz.sh 20
