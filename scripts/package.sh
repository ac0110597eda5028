#!/usr/bin/env bash
# Installs what building needs, builds the program and its Debian package:
# build/package/tavlo_<version>_amd64.deb. Prints the package's path.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" runtime build
cmake -S "$root" --preset app >/dev/null
cmake --build "$root/build/app" --target tavlo tavlo-autostart tavlo_icon_theme >/dev/null
(cd "$root/build/app" && cpack -B "$root/build/package" >/dev/null)
ls "$root"/build/package/tavlo_*.deb
