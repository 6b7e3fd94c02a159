#!/usr/bin/env bash
# setup.exe under Wine, one process through a whole session: the dialog as it opens, the system
# menu and the version box, then presses that fail (no install.exe, a carrier without archive, a
# read-only output file) and leave the dialog up, and a last press that installs and ends it.
set -u
. "$(dirname "$0")/../wine/harness.sh"
. "$(dirname "$0")/setup_lib.sh"

setup_exe=$1
carrier_tool=$2

wine_start
product=$e2e_tmp/product
make_product "$product"
make_carrier "$e2e_tmp/carrier.exe"

work=$(wine_path 'C:\inst')
dest_win='C:\Dest Folder'
dest=$(wine_path "$dest_win")
mkdir -p "$work"

# No window manager runs on the test display: let Wine draw the caption, for the screenshot.
"$WINE64" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1

started=$SECONDS
run_setup setup_pid "$work"

# As it opens: the default destination on the Windows folder's drive, the focus on the default button.
ok_eq 'C:\Program Files' "$(wine_driver get-text "$SETUP_CAPTION" $IDC_DEST_FOLDER)" "destination shown at start"
ok_eq 1 "$(wine_driver focus "$SETUP_CAPTION")" "id of the control with the focus at start"
ok_eq 'インストール' "$(wine_driver get-text "$SETUP_CAPTION" 1)" "install button text"
ok_eq '中止' "$(wine_driver get-text "$SETUP_CAPTION" 2)" "cancel button text"
ok_eq 0 "$(wine_driver progress "$SETUP_CAPTION" $IDC_PROGRESS)" "progress at start"
screenshot setup-dialog.png

# The system menu ends with a separator and the version item (read from inside: a minute more).
menu=$(wine_driver sysmenu "$SETUP_CAPTION")
ok_eq $'0x0000 separator \n0x0010 enabled ﾊﾞｰｼﾞｮﾝ情報(SETUP) (&A)...' "$(tail -n 2 <<<"$menu")" \
  "last two system menu items (whole menu: $(tr '\n' '|' <<<"$menu"))"
ok 'grep -q "^0xF060 enabled " <<<"$menu"' "expected the system's Close item before the version item, got '$menu'"

wine_driver syscommand "$SETUP_CAPTION" 16 || e2e_bail "cannot send the version command"
ok_eq '#32770' "$(wine_driver wait-window "$VERSION_CAPTION" 60)" "version box window class"
ok_eq OK "$(wine_driver get-text "$VERSION_CAPTION" 1)" "version box button"
wine_driver click "$VERSION_CAPTION" 1
ok 'wait_until 30 version_box_gone' "expected the version box to close on OK"
ok dialog_up "expected the dialog to stay up after the version box"

# Blanks and tabs around the destination: every later press installs into C:\Dest Folder\.
ok 'wine_driver set-text "$SETUP_CAPTION" $IDC_DEST_FOLDER "$(printf " \t%s \t" "$dest_win")"' "expected set-text to succeed"

# No install.exe in the current directory: the file-not-found box, and the dialog stays.
wine_driver click "$SETUP_CAPTION" 1
read_msgbox 60 || e2e_bail "no message box for a missing install.exe"
ok_eq setup "$msgbox_caption" "caption for a missing install.exe"
ok_eq stop "$msgbox_icon" "icon for a missing install.exe"
ok_eq 'install.exe が見つかりません。' "$msgbox_text" "text for a missing install.exe"
ok 'wait_until 10 dialog_up' "expected the dialog to stay up after the missing install.exe box"
ok '[ ! -e "$dest" ]' "expected nothing written for a missing install.exe, found $dest"

# A carrier without the archive marker (setup.exe alone): refused as a file of the wrong format.
cp "$setup_exe" "$work/install.exe"
wine_driver click "$SETUP_CAPTION" 1
read_msgbox 60 || e2e_bail "no message box for a carrier without archive"
ok_eq setup "$msgbox_caption" "caption for a carrier without archive"
ok_eq stop "$msgbox_icon" "icon for a carrier without archive"
ok_eq 'install.exe へ無効なﾌｧｲﾙ ﾊﾝﾄﾞﾙが関連付けられています。' "$msgbox_text" "text for a carrier without archive"
ok 'wait_until 10 dialog_up' "expected the dialog to stay up after the no-archive box"
ok '[ ! -e "$dest" ]' "expected nothing written for a carrier without archive, found $dest"

# The third file exists and cannot be written: the install stops there with access denied.
cp "$e2e_tmp/carrier.exe" "$work/install.exe"
locked="$dest/ZEVANO/資料/説明.txt"
mkdir -p "$(dirname "$locked")"
echo old >"$locked"
chattr +i "$locked" || e2e_bail "chattr +i failed on $locked"
wine_at_exit "chattr -i '$locked'"
wine_driver click "$SETUP_CAPTION" 1
read_msgbox 120 || e2e_bail "no message box for a read-only output file"
ok_eq setup "$msgbox_caption" "caption for a read-only output file"
ok_eq stop "$msgbox_icon" "icon for a read-only output file"
ok_eq "$dest_win\\ZEVANO\\資料\\説明.txt へのｱｸｾｽは拒否されました。" "$msgbox_text" "text for a read-only output file"
ok 'wait_until 10 dialog_up' "expected the dialog to stay up after the access-denied box"
ok 'cmp -s "$product/readme.txt" "$dest/ZEVANO/readme.txt" && cmp -s "$product/big.bin" "$dest/ZEVANO/bin/big.bin"' \
  "expected the two files before the read-only one written in full"
ok '[ ! -e "$dest/ZEVANO/last.txt" ]' "expected the install stopped before ZEVANO\\last.txt"
position=$(wine_driver progress "$SETUP_CAPTION" $IDC_PROGRESS)
ok '[ "$position" -gt 0 ] && [ "$position" -lt 100 ]' "expected the bar left part-way (1..99), got '$position'"

# Pressed again once the file can be written: starts over, installs everything and ends.
chattr -i "$locked"
wine_driver click "$SETUP_CAPTION" 1
wait_setup_exit "$setup_pid"
ok '! wine_driver msgbox 0 >/dev/null 2>&1' "expected no message box left after the install"
check_tree "$dest"
echo "# setup session took $((SECONDS - started)) s"
