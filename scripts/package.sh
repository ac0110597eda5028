#!/usr/bin/env bash
# Installs what building needs, builds the program and its packages, all of
# the version in CMakeLists.txt's project(), and prints their paths:
#   build/package/tavlo_<version>_amd64.deb        the Debian package
#   build/package/tavlo-<version>-x64.msi          the Windows Installer package
#   build/package/tavlo-<version>-windows-x64.zip  tavlo.exe for portable use
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" runtime build windows
cmake -S "$root" --preset app >/dev/null
cmake --build "$root/build/app" --target tavlo tavlo-autostart tavlo_icon_theme >/dev/null
(cd "$root/build/app" && cpack -B "$root/build/package" >/dev/null)

# The Windows side, cross-built; its icon is drawn by a program of the
# build under Wine, in a prefix of the build's own whose server ends here.
trap '"$root/tests/platform/windows/wine_run.sh" "$root/build/windows-app/wine" --stop' EXIT
(cd "$root" && cmake --preset windows-app >/dev/null && cmake --build --preset windows-app >/dev/null)
version=$(sed -n 's/^project(tavlo VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
windows=("tavlo-$version-x64.msi" "tavlo-$version-windows-x64.zip")
for file in "${windows[@]}"; do
    cp "$root/build/windows-app/package/$file" "$root/build/package/"
done
ls "$root/build/package/tavlo_${version}_amd64.deb" "${windows[@]/#/$root/build/package/}"
