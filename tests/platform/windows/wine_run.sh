#!/usr/bin/env bash
# Runs a Windows test program under Wine in a world of its own: its own
# prefix, HOME and XDG folders under FOLDER (Wine's recycle bin is the Linux
# user's Trash: a test must never reach the real one), no debug chatter, and
# a wineserver that outlives the run, started detached so that it holds no
# pipe of ctest's open.
#
# Usage: wine_run.sh FOLDER PROGRAM [ARGUMENT...]
#        wine_run.sh FOLDER --stop
set -euo pipefail
folder=$(realpath -m "$1")  # Wine takes only an absolute prefix
shift
mkdir -p "$folder/home" "$folder/data" "$folder/config" "$folder/cache"
export WINEPREFIX="$folder/prefix"
export HOME="$folder/home"
export XDG_DATA_HOME="$folder/data" XDG_CONFIG_HOME="$folder/config" XDG_CACHE_HOME="$folder/cache"
export WINEDEBUG=${TAVLO_WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

if [ "${1:-}" = "--stop" ]; then
    wineserver -k 2>/dev/null || true
    wineserver -w 2>/dev/null || true
    exit 0
fi

# One prefix made at a time, however many tests start together.
exec 9>"$folder/.lock"
flock 9
if [ ! -e "$WINEPREFIX/.made" ]; then
    wine wineboot --init </dev/null >/dev/null 2>&1
    # The server that made the prefix is not a persistent one: it ends a
    # few seconds after, and must be gone before one is started below.
    wineserver -w
    touch "$WINEPREFIX/.made"
fi
# A new server (status 0; 2 when one runs) gets the system's services
# started here, detached: started by the first program instead, they would
# hold its pipes open.
if setsid -w wineserver -p </dev/null >/dev/null 2>&1; then
    wine wineboot </dev/null >/dev/null 2>&1
fi
flock -u 9
exec 9>&-
exec wine "$@"
