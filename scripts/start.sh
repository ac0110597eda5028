#!/usr/bin/env bash
# Installs what is missing, builds Tavlo and starts the gadget. Its settings
# folder "QvrnData" is made in the directory this is started from.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh" runtime build
cmake -S "$root" --preset app >/dev/null
cmake --build "$root/build/app" --target tavlo
exec "$root/build/app/tavlo"
