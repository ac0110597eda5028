#!/usr/bin/env bash
# tavlo.exe under Wine: the end of the session (WM_QUERYENDSESSION, then
# WM_ENDSESSION to the gadget's window, as logoff sends them) ends the
# program as "終了" does: status 0, the icon gone, the settings file as it
# was.
#
# Usage: end_session.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER PROBE_EXE
WINE_FOLDER=${3:?usage: end_session.sh TAVLO_EXE ARTIFACT_DIR WINE_FOLDER PROBE_EXE}
source "$(dirname "$0")/../lib.sh"
source "$(dirname "$0")/wine_gadget.sh"

start_first_gadget
file=$SETTINGS_FILE
cp "$file" "$WORK/before.qvn"
wait_until 15 bash -c '[ -n "$(docked_icons)" ]' || fail "no icon docked in the notification area"

probe end-session frmDTMn || fail "the probe could not end the session"
status=$(wait_exit "$GADGET_PID" 15) || fail "the gadget still runs after the end of the session"
[ "$status" = 0 ] || fail "the end of the session ended the program with status $status"
wait_until 5 bash -c '[ -z "$(docked_icons)" ]' || fail "the icon is left in the notification area"
cmp -s "$file" "$WORK/before.qvn" || fail "the settings file changed"
echo "PASS $TEST_NAME"
