#!/usr/bin/env bash
# The Windows Installer package in a fresh Wine prefix, as a user meets
# it: "msiexec /i /qn" installs without asking for an administrator and
# ends with status 0; tavlo.exe is in %LOCALAPPDATA%\Programs\Tavlo, the
# settings folder %APPDATA%\Tavlo is made, the Start-menu shortcut "Tavlo"
# starts the program in that folder with its icon, and there is no Startup
# shortcut; "Apps & features" lists Tavlo once with its version, publisher
# and icon. Started through the shortcut, the gadget shows at its
# first-run place and writes its settings file in the settings folder;
# "終了" ends it with status 0. The uninstall takes the program, the
# shortcuts and the entry away and leaves the settings.
#
# Usage: msi_install.sh TAVLO_EXE ARTIFACT_DIR MSI PROBE_EXE ICON
source "$(dirname "$0")/../lib.sh"
WINE_FOLDER="$WORK/wine"
source "$(dirname "$0")/wine_gadget.sh"
source "$(dirname "$0")/windows_installer.sh"

start_wine_desktop
find_places
version=$(package_version "$MSI")

install_package "$MSI"
cmp -s "$PROGRAM_DIR/tavlo.exe" "$TAVLO" || fail "no tavlo.exe of this build in $PROGRAM_DIR"
[ -d "$SETTINGS_DIR" ] || fail "the settings folder $SETTINGS_DIR was not made"
check_shortcut "$MENU_LINK"
[ ! -e "$STARTUP_LINK" ] || fail "a Startup shortcut was made without AUTOSTART=1"
check_apps_entry "$version"
[ "$(tavlo_value AutoStart)" = "" ] || fail "the autostart choice is recorded without AUTOSTART=1"

start_shortcut "$MENU_LINK"
expect_gadget "242x237+759+59"
screenshot gadget
quit_gadget
cp "$SETTINGS_FILE" "$WORK/settings.qvn"

status=$(msiexec_status /x "$(winepath_of "$MSI")" /qn)
[ "$status" = 0 ] || fail "msiexec /x ended with status '$status'"
check_uninstalled "$WORK/settings.qvn"
echo "PASS $TEST_NAME"
