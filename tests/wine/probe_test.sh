#!/usr/bin/env bash
# Proves the Wine harness end to end: runs the 32-bit probe program for real and works its window,
# its two message boxes and its exit code through the test driver.
set -u
. "$(dirname "$0")/harness.sh"

probe=$1
caption='ﾌﾟﾛｰﾌﾞ ソフト表示'

wine_start
ok '[ -d "$(wine_path "C:\\windows\\$E2E_DESKTOP_NAME")" ]' "expected the folder C:\\windows\\$E2E_DESKTOP_NAME in the prefix"

started=$SECONDS
wine_launch probe_pid "$probe"
class=$(wine_driver wait-window "$caption" 300) || e2e_bail "the probe window did not appear within 300 s"
echo "# 32-bit probe window up after $((SECONDS - started)) s"
ok_eq ProbeWindow "$class" "window class"

ok_eq 'ソフトウェアを表示します' "$(wine_driver get-text "$caption" 100)" "label text"
ok_eq 'C:\Program Files\表示' "$(wine_driver get-text "$caption" 101)" "edit text"
ok_eq 42 "$(wine_driver progress "$caption" 102)" "progress position"
ok '! wine_driver get-text "$caption" 999 2>/dev/null' "expected get-text of a missing control to fail"
# Read from inside the probe through a 32-bit hook: about a minute more under emulation.
menu=$(wine_driver sysmenu "$caption")
ok 'grep -q "^0xF060 enabled " <<<"$menu"' "expected Close (0xF060) in the system menu, got '$menu'"
ok '! grep -qE "^0xF(000|030) " <<<"$menu"' "expected no Size (0xF000) or Maximize (0xF030), got '$menu'"

ok 'wine_driver set-text "$caption" 101 "D:\\ソフト"' "expected set-text to succeed"
ok_eq 'D:\ソフト' "$(wine_driver get-text "$caption" 101)" "edit text after set-text"
screenshot probe-window.png
ok 'wine_driver click "$caption" 1' "expected click on OK to succeed"

wine_driver wait-window '確認' 30 >/dev/null && screenshot probe-msgbox.png
read_msgbox 30 || e2e_bail "no first message box"
ok_eq '確認' "$msgbox_caption" "first box caption"
ok_eq exclamation "$msgbox_icon" "first box icon"
ok_eq 'D:\ソフト' "$msgbox_text" "first box text"

read_msgbox 30 || e2e_bail "no second message box"
ok_eq 'エラー' "$msgbox_caption" "second box caption"
ok_eq stop "$msgbox_icon" "second box icon"
ok_eq 'ファイルが見つかりません' "$msgbox_text" "second box text"

# The probe exits with the byte length of the edit text: 9 in code page 932, 12 had UTF-8 leaked.
wine_exit_code probe_exit "$probe_pid" 60
ok_eq 9 "$probe_exit" "probe exit code"
ok '! wine_driver wait-window "$caption" 0 >/dev/null 2>&1' "expected the probe window gone after exit"
echo "# probe run took $((SECONDS - started)) s"
