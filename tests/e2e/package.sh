#!/usr/bin/env bash
# The Debian package as a user meets it: made from the build, installed with
# apt, its desktop entry and metainfo valid, its dependencies free of the
# test desktop and the benchmarks; the installed gadget starts from a fresh
# home with its icon and ends through "終了"; tavlo-autostart writes a valid
# login entry and removes it. The package is removed afterwards.
set -euo pipefail
build=$(realpath "${1:?usage: package.sh BUILD_DIR ARTIFACT_DIR}")
artifacts=${2:?usage: package.sh BUILD_DIR ARTIFACT_DIR}
[ "$(id -u)" = 0 ] || { echo "SKIP: installing a package needs root"; exit 77; }
if dpkg-query -W -f='${Status}' tavlo 2>/dev/null | grep -q 'install ok installed'; then
    echo "SKIP: a tavlo package is installed on this machine; it is left alone"
    exit 77
fi

rm -rf "$build/package"
(cd "$build" && cpack -B "$build/package" >/dev/null)
deb=$(ls "$build"/package/tavlo_*_amd64.deb)
trap 'apt-get remove -y -qq tavlo >/dev/null 2>&1 || true' EXIT
apt-get install -y -qq --no-install-recommends "$deb" >/dev/null

set -- /usr/bin/tavlo "$artifacts"
source "$(dirname "$0")/lib.sh"
trap 'cleanup; apt-get remove -y -qq tavlo >/dev/null 2>&1 || true' EXIT

depends=$(dpkg-deb -f "$deb" Depends)
echo "$(du -k "$deb" | cut -f1) kB; Depends: $depends"
for tool in xvfb trayer picom xdotool gtest benchmark clang; do
    [[ "$depends" != *"$tool"* ]] || fail "the package depends on $tool"
done
desktop-file-validate /usr/share/applications/tavlo.desktop || fail "the installed desktop entry is not valid"
appstreamcli validate --no-net /usr/share/metainfo/jp.tavlo.Tavlo.metainfo.xml || fail "the metainfo is not valid"
for icon in scalable/apps/tavlo.svg 16x16/apps/tavlo.png 48x48/apps/tavlo.png 256x256/apps/tavlo.png; do
    [ -s "/usr/share/icons/hicolor/$icon" ] || fail "no icon $icon"
done

start_desktop 1024x768
mkdir -p "$WORK/home"
HOME="$WORK/home" start_gadget "$WORK/home"
expect_geometry "$GADGET_PID" "242x237+759+59"
open_tray_menu
screenshot menu
xdotool key --delay 150 Up Return  # "終了"
status=$(wait_exit "$GADGET_PID" 10) || fail "the installed gadget still runs after 終了"
[ "$status" = 0 ] || fail "終了 ended the installed gadget with status $status"
[ -f "$WORK/home/QvrnData/$(id -un).qvn" ] || fail "the settings are not below the folder it started in"

entry="$WORK/home/.config/autostart/tavlo.desktop"
HOME="$WORK/home" XDG_CONFIG_HOME='' tavlo-autostart on || fail "tavlo-autostart on failed"
desktop-file-validate "$entry" || fail "the autostart entry is not valid"
grep -qx 'Exec=/usr/bin/tavlo' "$entry" || fail "the autostart entry does not start /usr/bin/tavlo"
HOME="$WORK/home" XDG_CONFIG_HOME='' tavlo-autostart off || fail "tavlo-autostart off failed"
[ ! -e "$entry" ] || fail "tavlo-autostart off left the entry"
echo "PASS $TEST_NAME"
