#!/usr/bin/env bash
# setup.exe under Wine: Enter typed in the destination box installs as the default button does.
set -u
. "$(dirname "$0")/../wine/harness.sh"
. "$(dirname "$0")/setup_lib.sh"

setup_exe=$1
carrier_tool=$2

start_with_carrier_in 'C:\inst'

# Enter in the edit box: the dialog manager turns it into the default button's command.
run_setup setup_pid "$work"
ok 'wine_driver set-text "$SETUP_CAPTION" $IDC_DEST_FOLDER "C:\\Keys"' "expected set-text to succeed"
wine_driver focus "$SETUP_CAPTION" $IDC_DEST_FOLDER
ok_eq $IDC_DEST_FOLDER "$(wine_driver focus "$SETUP_CAPTION")" "id of the control with the focus before Enter"
wine_driver key "$SETUP_CAPTION" $IDC_DEST_FOLDER $VK_RETURN
wait_setup_exit "$setup_pid"
check_tree "$(wine_path 'C:\Keys')"
echo "# setup session took $((SECONDS - started)) s"
