#!/usr/bin/env bash
# setup.exe's command entries under Wine. First run: the shortcut command writes the desktop link
# (target and description, nothing else), the launch command starts the tail recorder with the
# expanded parameter text and the destination as working folder, and setup ends without waiting
# for it. Second run, the desktop folder removed: one "Save Failed" box, and the install goes on.
set -u
. "$(dirname "$0")/../wine/harness.sh"

recorder=$1
carrier=$2
setup_exe=${3:-}
caption='インストール先の入力'
plus='＋'

[ -n "$setup_exe" ] && [ -f "$setup_exe" ] || e2e_bail "no setup.exe to test (got '$setup_exe')"
[ -x "$carrier" ] || e2e_bail "no carrier tool at $carrier"

# make_carrier MEDIA MANIFEST: packs install.exe around setup.exe into the C: folder MEDIA.
make_carrier() {
  local media
  media=$(wine_path "$1")
  mkdir -p "$media"
  printf '%s\n' "$2" > "$e2e_tmp/src/manifest.txt"
  "$carrier" pack --stub "$setup_exe" --out "$media/install.exe" "$e2e_tmp/src/manifest.txt" \
    > "$e2e_tmp/pack.out" 2>&1 || e2e_bail "carrier pack failed: $(cat "$e2e_tmp/pack.out")"
}

# run_setup MEDIA DEST: starts install.exe with MEDIA as its current folder, as from the install
# disk, types DEST and presses "インストール" (IDOK); sets setup_pid.
run_setup() {
  local here=$PWD started=$SECONDS
  setup_dest=$2
  cd "$(wine_path "$1")" || e2e_bail "no folder $1"
  wine_launch setup_pid install.exe
  cd "$here" || e2e_bail "cannot return to $here"
  wine_driver wait-window "$caption" 300 >/dev/null ||
    e2e_bail "the destination dialog did not appear within 300 s"
  echo "# destination dialog up after $((SECONDS - started)) s"
  ok 'wine_driver set-text "$caption" 1001 "$setup_dest"' "expected set-text of $setup_dest to succeed"
  ok 'wine_driver click "$caption" 1' "expected the click on the install button to succeed"
}

# A message box that came up while waiting for setup to end is answered and kept here.
extra_box=
setup_ended_or_box() {
  if wine_driver msgbox 0 > "$e2e_tmp/box.out" 2>/dev/null; then
    extra_box=$(tr -d '\r' < "$e2e_tmp/box.out" | tr '\n' ' ')
    return 0
  fi
  e2e_gone "$setup_pid"
}

# wait_setup_end SECONDS: waits for setup to end, answering any box; sets setup_exit.
wait_setup_end() {
  extra_box=
  wait_until "$1" setup_ended_or_box
  wine_exit_code setup_exit "$setup_pid" "$1"
}

# Bytes of a file as hex, for messages and byte-for-byte comparisons.
hex() { od -An -v -tx1 "$1" 2>/dev/null | tr -d ' \n'; }
hex_of() { printf '%b' "$1" | od -An -v -tx1 | tr -d ' \n'; }

wine_start
mkdir -p "$e2e_tmp/src"
cp "$recorder" "$e2e_tmp/src/rec.exe"
printf 'ZEVANO\r\n' > "$e2e_tmp/src/zevano.exe"
printf 'after the commands\r\n' > "$e2e_tmp/src/after.txt"
desktop=$(wine_path "C:\\windows\\$E2E_DESKTOP_NAME")
link_name="ZEVANO$plus$plus.LNK"

# --- first run: shortcut and launch -----------------------------------------------------------
# The destination holds ソフト (83 5C 83 74 83 67): its 0x5C trail bytes must pass untouched.
make_carrier 'C:\media1' "file rec.exe ZEVANO\\REC.EXE
file zevano.exe ZEVANO\\ZEVANO.exe
command >+S%sZEVANO\\ZEVANO.exe&$link_name&ZEVANO$plus$plus
command >ZEVANO\\REC.EXE&a&b %s 100%%ソ
file after.txt ZEVANO\\after.txt"
run_setup 'C:\media1' 'C:\ソフト'
wait_setup_end 300
ok '[ "$setup_exit" != timeout ]' "expected setup to end after the first install"
ok_eq '' "$extra_box" "message box during the first install"
installed=$(wine_path 'C:\ソフト\ZEVANO')
# The recorder lingers a minute after it has recorded; setup must be gone long before that.
ok '[ ! -e "$installed/finished" ]' "expected setup to end while the launched program still runs"
ok '[ -f "$installed/after.txt" ]' "expected the file entry after the commands to be written"

ok '[ -f "$desktop/$link_name" ]' "expected the link $desktop/$link_name"
link_info=$(wine_driver read-link "C:\\windows\\$E2E_DESKTOP_NAME\\$link_name" | tr -d '\r')
link_field() { sed -n "s/^$1: //p" <<<"$link_info"; }
ok_eq 'C:\ソフト\ZEVANO\ZEVANO.exe' "$(link_field path)" "link target"
ok_eq "ZEVANO$plus$plus" "$(link_field description)" "link description"
ok_eq '' "$(link_field arguments)" "link arguments"
ok_eq '' "$(link_field workdir)" "link working folder"
ok_eq ',0' "$(link_field icon)" "link icon location"

wait_until 300 test -e "$installed/recorded" || e2e_bail "the launched program recorded nothing within 300 s"
# "a&b C:\ソフト\ 100%ソ": the second "&" kept, "%s" and "%%" expanded, Shift-JIS as it was.
ok_eq "$(hex_of 'a&b C:\\\x83\x5c\x83\x74\x83\x67\\ 100%\x83\x5c')" "$(hex "$installed/tail.txt")" \
  "command tail bytes"
ok_eq "$(hex_of 'C:\\\x83\x5c\x83\x74\x83\x67')" "$(hex "$installed/folder.txt")" \
  "working folder bytes (the destination)"
ok_eq 5 "$(cat "$installed/show.txt")" "show state (SW_SHOW)"

# --- second run: no desktop folder ------------------------------------------------------------
rm -rf "$desktop"
make_carrier 'C:\media2' "file zevano.exe ZEVANO\\ZEVANO.exe
command >+s%sZEVANO\\ZEVANO.exe&$link_name&ZEVANO$plus$plus
file after.txt ZEVANO\\after.txt"
run_setup 'C:\media2' 'C:\Second'
read_msgbox 300 || e2e_bail "no message box for the failed save"
ok_eq install "$msgbox_caption" "caption of the failed-save box"
ok_eq exclamation "$msgbox_icon" "icon of the failed-save box"
ok_eq 'Save Failed' "$msgbox_text" "text of the failed-save box"
wait_setup_end 300
ok_eq '' "$extra_box" "second message box after 'Save Failed'"
ok '[ "$setup_exit" != timeout ]' "expected setup to end after the second install"
ok '[ -f "$(wine_path "C:\\Second\\ZEVANO\\after.txt")" ]' \
  "expected the file entry after the failed shortcut to be written"
ok '[ ! -e "$desktop" ]' "expected the desktop folder to stay absent (it is never created)"
