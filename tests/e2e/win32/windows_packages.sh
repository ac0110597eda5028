#!/usr/bin/env bash
# The Windows Installer package and the portable zip as files: both of
# this build's version and stripped tavlo.exe. The package installs for the
# user alone (no administrator: word count bit 8, no ALLUSERS), under the
# fixed upgrade code, as Tavlo by its publisher with the program's icon in
# "Apps & features"; the zip holds the program and a read-me in Japanese
# and English that Notepad shows right (a byte-order mark, CRLF).
#
# Usage: windows_packages.sh MSI ZIP STRIPPED_TAVLO_EXE VERSION
set -euo pipefail
msi=${1:?usage: windows_packages.sh MSI ZIP STRIPPED_TAVLO_EXE VERSION}
zip=${2:?} program=${3:?} version=${4:?}
command -v msiinfo >/dev/null || { echo "SKIP: msiinfo (msitools) is missing"; exit 77; }
fail() {
    echo "FAIL (windows_packages): $*" >&2
    exit 1
}

[ "$(basename "$msi")" = "tavlo-$version-x64.msi" ] || fail "the package is named $(basename "$msi")"
[ "$(basename "$zip")" = "tavlo-$version-windows-x64.zip" ] || fail "the zip is named $(basename "$zip")"

property() {
    msiinfo export "$msi" Property | tr -d '\r' | awk -F'\t' -v name="$1" '$1 == name {print $2}'
}
[ "$(property ProductVersion)" = "$version" ] || fail "the package's version is '$(property ProductVersion)'"
[ "$(property ProductName)" = Tavlo ] || fail "the product is named '$(property ProductName)'"
[ "$(property Manufacturer)" = "Tavlo developers" ] || fail "the publisher is '$(property Manufacturer)'"
[ "$(property ARPPRODUCTICON)" = tavlo.ico ] || fail "Apps & features shows no icon"
[ "$(property UpgradeCode)" = "{BB1BAF29-8835-417E-B1C0-430A736953AC}" ] ||
    fail "the upgrade code changed: an upgrade would install beside the older version"
[ -z "$(property ALLUSERS)" ] || fail "ALLUSERS is set: the package installs for the machine"
words=$(msiinfo suminfo "$msi" | awk '/^Source:/ {print $2}')
(((words & 8) != 0)) || fail "the package asks for an administrator (word count $words)"
msiinfo suminfo "$msi" | grep -q '^Template: x64;' || fail "the package is not for x64"

# The program in the package is the stripped one.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && msiextract "$msi" >/dev/null) || fail "msiextract could not unpack the package"
packed=$(find "$work" -name tavlo.exe)
[ -n "$packed" ] && cmp -s "$packed" "$program" || fail "the package does not carry the stripped tavlo.exe"
if x86_64-w64-mingw32-objdump -h "$program" 2>/dev/null | grep -q '\.debug_'; then
    fail "tavlo.exe is not stripped"
fi
# Its version resource carries the same version: the string "FileVersion",
# its terminator and one wide character of padding, then the value.
python3 - "$program" "$version" <<'PYTHON' || fail "tavlo.exe carries no version $version"
import sys

program, version = sys.argv[1:]
sys.exit(("FileVersion\0\0" + version).encode("utf-16-le") not in open(program, "rb").read())
PYTHON

python3 - "$zip" "$program" "$version" <<'PYTHON' || fail "the zip is not as it should be"
import sys, zipfile

path, program, version = sys.argv[1:]
archive = zipfile.ZipFile(path)
names = sorted(archive.namelist())
if names != ["Tavlo/README.txt", "Tavlo/tavlo.exe"]:
    sys.exit(f"the zip holds {names}")
if archive.read("Tavlo/tavlo.exe") != open(program, "rb").read():
    sys.exit("the zip's tavlo.exe is not the stripped program")
readme = archive.read("Tavlo/README.txt")
if not readme.startswith(b"\xef\xbb\xbf"):
    sys.exit("the read-me has no byte-order mark")
if b"\n" in readme.replace(b"\r\n", b""):
    sys.exit("the read-me has lines without CRLF")
text = readme.decode("utf-8-sig")
for needed in (f"Tavlo {version}", "QvrnData", "使い方", "終了", "To remove it"):
    if needed not in text:
        sys.exit(f"the read-me does not say {needed!r}")
PYTHON
echo "$(du -k "$msi" | cut -f1) kB msi, $(du -k "$zip" | cut -f1) kB zip"
echo "PASS windows_packages"
