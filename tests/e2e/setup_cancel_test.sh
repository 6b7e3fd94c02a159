#!/usr/bin/env bash
# setup.exe under Wine, one session per way to cancel: "中止", Esc in the edit box and the system
# menu's close command each end the program with nothing written.
set -u
. "$(dirname "$0")/../wine/harness.sh"
. "$(dirname "$0")/setup_lib.sh"

setup_exe=$1
carrier_tool=$2

start_with_carrier_in 'C:\inst'

# Each way to cancel ends the program with nothing written, neither at the typed destination nor
# at the default one: the "中止" button, Esc in the edit box, the system menu's close command.
cancel_ways=(
  "click $IDCANCEL"
  "key $IDC_DEST_FOLDER $VK_ESCAPE"
  "syscommand $SC_CLOSE"
)
for way in "${cancel_ways[@]}"; do
  read -r verb arg1 arg2 <<<"$way"
  run_setup setup_pid "$work"
  ok 'wine_driver set-text "$SETUP_CAPTION" $IDC_DEST_FOLDER "C:\\Cancelled"' "$way: expected set-text to succeed"
  wine_driver "$verb" "$SETUP_CAPTION" "$arg1" ${arg2:+"$arg2"} || e2e_bail "$way: the driver failed"
  wait_setup_exit "$setup_pid"
  for path in 'C:\Cancelled' 'C:\Program Files\ZEVANO' 'C:\windows\zevano.ini'; do
    ok '[ ! -e "$(wine_path "$path")" ]' "$way: expected nothing written, found $path"
  done
done
echo "# three setup sessions took $((SECONDS - started)) s"
