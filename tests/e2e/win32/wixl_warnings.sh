#!/usr/bin/env bash
# The build's wixl step fails on anything wixl says on standard error, and
# leaves no package behind: wixl reports an attribute it does not know only
# as a warning and writes a package without it, status 0. Tried with the
# installer's own description and one attribute wixl ignores.
#
# Usage: wixl_warnings.sh WIXL_CMAKE WXS PROGRAM ICON
set -euo pipefail
script=${1:?usage: wixl_warnings.sh WIXL_CMAKE WXS PROGRAM ICON}
wxs=${2:?} program=${3:?} icon=${4:?}
wixl=$(command -v wixl) || { echo "SKIP: wixl is missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL (wixl_warnings): $*" >&2
    exit 1
}

run() {
    cmake -D WIXL="$wixl" -D WXS="$1" -D OUTPUT="$work/out/tavlo.msi" -D VERSION=0.2.0 -D PROGRAM="$program" \
        -D ICON="$icon" -P "$script" >"$work/log" 2>&1
}
run "$wxs" || fail "the installer's own description fails: $(cat "$work/log")"
[ -s "$work/out/tavlo.msi" ] || fail "no package from the installer's own description"
rm "$work/out/tavlo.msi"

sed 's|<MajorUpgrade |<MajorUpgrade Schedule="afterInstallValidate" |' "$wxs" >"$work/ignored.wxs"
grep -q 'Schedule=' "$work/ignored.wxs" || fail "the description has no MajorUpgrade to spoil"
if run "$work/ignored.wxs"; then
    fail "a warning of wixl passed: $(cat "$work/log")"
fi
grep -q "Schedule" "$work/log" || fail "the failure does not show wixl's warning: $(cat "$work/log")"
[ ! -e "$work/out/tavlo.msi" ] || fail "a package was left behind"
echo "PASS wixl_warnings"
