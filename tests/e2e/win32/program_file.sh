#!/usr/bin/env bash
# tavlo.exe as a file: it carries its manifest, its icon and its version
# (ProductName "Tavlo" and the project's version), and it imports nothing
# but Windows' own DLLs, so that it runs with no DLL beside it.
#
# Usage: program_file.sh TAVLO_EXE VERSION
set -euo pipefail
exe=${1:?usage: program_file.sh TAVLO_EXE VERSION}
version=${2:?usage: program_file.sh TAVLO_EXE VERSION}
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || { echo "SKIP: $objdump is missing"; exit 77; }
fail() {
    echo "FAIL (program_file): $*" >&2
    exit 1
}

headers=$("$objdump" -p "$exe")

# The DLLs of Windows itself, in any case; the C runtime msvcrt is one.
windows_dlls='^(kernel32|user32|gdi32|shell32|advapi32|ole32|oleaut32|comctl32|pdh|wininet|msvcrt|shlwapi|psapi|version)\.dll$'
imports=$(awk '/DLL Name:/ {print $3}' <<<"$headers")
[ -n "$imports" ] || fail "no imports found"
while read -r dll; do
    grep -qiE "$windows_dlls" <<<"$dll" || fail "imports $dll, which Windows does not have"
done <<<"$imports"

# The resource directory's types, its top level: icon images (3), the icon
# group (14), the version (16) and the manifest (24).
types=$(awk '/Resource Directory section/ {inside = 1} inside && /^[0-9a-f]+   Entry: ID:/ {sub(",", "", $4); print $4}' <<<"$headers")
for type in 0x000003 0x00000e 0x000010 0x000018; do
    grep -qx "$type" <<<"$types" || fail "no resource of type $((type)); the types are: $(echo $types)"
done

# The manifest asks for common controls 6 and per-monitor-v2 DPI awareness.
manifest=$(strings -a "$exe")
for needle in Microsoft.Windows.Common-Controls PerMonitorV2; do
    grep -qF "$needle" <<<"$manifest" || fail "the manifest lacks $needle"
done

# The version's strings, UTF-16 in the file.
strings=$(strings -el "$exe")
for name in ProductName Tavlo FileDescription FileVersion ProductVersion "$version"; do
    grep -qxF "$name" <<<"$strings" || fail "the version resource lacks '$name'"
done
echo "PASS program_file"
