#!/usr/bin/env bash
# tavlo.exe as a file: it imports nothing but Windows' own DLLs, so that it
# runs with no DLL beside it, and it carries its manifest.
#
# Usage: program_file.sh TAVLO_EXE
set -euo pipefail
exe=${1:?usage: program_file.sh TAVLO_EXE}
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || { echo "SKIP: $objdump is missing"; exit 77; }
fail() {
    echo "FAIL (program_file): $*" >&2
    exit 1
}

headers=$("$objdump" -p "$exe")

# The DLLs of Windows itself, in any case; the C runtime msvcrt is one.
windows_dlls='^(kernel32|user32|gdi32|shell32|advapi32|ole32|oleaut32|comctl32|comdlg32|pdh|wininet|msvcrt|shlwapi|psapi|version)\.dll$'
imports=$(awk '/DLL Name:/ {print $3}' <<<"$headers")
[ -n "$imports" ] || fail "no imports found"
while read -r dll; do
    grep -qiE "$windows_dlls" <<<"$dll" || fail "imports $dll, which Windows does not have"
done <<<"$imports"

# The manifest (resource type 24) asks for common controls 6 and
# per-monitor-v2 DPI awareness; the version and the icon are read through
# Windows' own calls in the unit tests (program_resources_test.cpp).
types=$(awk '/Resource Directory section/ {inside = 1} inside && /^[0-9a-f]+   Entry: ID:/ {sub(",", "", $4); print $4}' <<<"$headers")
grep -qx 0x000018 <<<"$types" || fail "no manifest among the resources' types: $(echo $types)"
manifest=$(strings -a "$exe")
for needle in Microsoft.Windows.Common-Controls PerMonitorV2; do
    grep -qF "$needle" <<<"$manifest" || fail "the manifest lacks $needle"
done
echo "PASS program_file"
