#!/usr/bin/env bash
# The shipped carrier under Wine, as a person installs ZEVANO＋＋ from its media: SETUP.EXE started
# in the media folder beside INSTALL.EXE, the default destination, "インストール" pressed. Every one
# of the 48 files lands byte for byte, the desktop shortcut and the Program Manager group appear,
# the dialog closes, setup ends, program.exe ends with 0. A second run over the installed tree
# overwrites it and ends the same way.
# Usage: shipped_test.sh MEDIA-DIR STAGE-DIR MANIFEST PROGRAM.EXE ZEVANO.EXE INSTALL_WATCH.EXE CARRIER
set -u
. "$(dirname "$0")/../wine/harness.sh"

media_src=$1 stage=$2 manifest=$3 program_exe=$4 zevano_exe=$5 install_watch=$6 carrier=$7
caption='インストール先の入力'
plus='＋'
product="ZEVANO$plus$plus"
IDC_DEST_FOLDER=1001
IDC_PROGRESS=1002

for f in "$media_src/SETUP.EXE" "$media_src/INSTALL.EXE" "$manifest" "$program_exe" "$zevano_exe" "$install_watch" "$carrier"; do
  [ -f "$f" ] || e2e_bail "missing $f (build the cross build first)"
done

programs_win='C:\users\'"$(whoami)"'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'
desktop_link_win="C:\\windows\\$E2E_DESKTOP_NAME\\$product.LNK"

# manifest_files: "SOURCE<TAB>NAME" for every file entry, in stored order.
manifest_files() { awk '$1 == "file" { print $2 "\t" $3 }' "$manifest"; }

# run_setup: SETUP.EXE started with the media folder as current folder, as Explorer starts it from
# a disk; sets setup_pid. It opens INSTALL.EXE from there.
run_setup() {
  local started=$SECONDS
  (cd "$media" && exec "$WINE32" SETUP.EXE) >>"$e2e_tmp/programs.log" 2>&1 &
  setup_pid=$!
  e2e_pids+=("$setup_pid")
  wine_driver wait-window "$caption" 400 >/dev/null ||
    e2e_bail "the dialog '$caption' did not appear within 400 s"
  echo "# setup dialog up after $((SECONDS - started)) s"
}

# watch_install: follows, in the background, the progress bar and the program.exe that the launch
# command starts.
watch_install() {
  "$WINE64" "$install_watch" progress "$caption" $IDC_PROGRESS 60 >"$e2e_tmp/progress.watch" 2>&1 &
  progress_pid=$!
  "$WINE64" "$install_watch" program program.exe 900 300 >"$e2e_tmp/program.watch" 2>&1 &
  program_pid=$!
  e2e_pids+=("$progress_pid" "$program_pid")
  # Pressing the button before the watcher reads the bar would lose a fast install's positions.
  wait_until 60 grep -q '^progress:' "$e2e_tmp/progress.watch" ||
    e2e_bail "the progress watcher did not start: $(cat "$e2e_tmp/progress.watch")"
}

# progress_ok: the positions seen go up only, and short of 100 they stay within the entry walk:
# offsets from the archive start over a hundredth of the carrier, setup's image included.
progress_ok() {
  local last=-1 pos
  for pos in "${positions[@]}"; do
    [ "$pos" -ge "$last" ] && { [ "$pos" -le "$walk_max" ] || [ "$pos" -eq 100 ]; } || return 1
    last=$pos
  done
  [ ${#positions[@]} -gt 0 ]
}

dialog_gone() { ! wine_driver wait-window "$caption" 0 >/dev/null 2>&1; }

# install_and_check RUN: presses "インストール" in the dialog that is up, then checks everything the
# install leaves behind.
install_and_check() {
  local run=$1 setup_exit program_exit source name
  ok_eq 'C:\Program Files' "$(wine_driver get-text "$caption" $IDC_DEST_FOLDER)" "$run: default destination"
  watch_install
  ok 'wine_driver click "$caption" 1' "$run: expected the click on インストール to be posted"

  ok 'wait_until 300 dialog_gone' "$run: expected the dialog to close, still up after 300 s"
  ok '! wine_driver msgbox 0 >/dev/null 2>&1' "$run: expected no message box"
  wine_exit_code setup_exit "$setup_pid" 120
  ok '[ "$setup_exit" != timeout ]' "$run: expected setup's process to end after its dialog closed"

  # program.exe is a fresh 32-bit start: one to two minutes here.
  wait "$progress_pid"
  mapfile -t positions < <(tr -d '\r' <"$e2e_tmp/progress.watch" | sed -n 's/^progress: //p')
  ok progress_ok "$run: progress positions rising within 0..$walk_max, then 100; got: ${positions[*]} ($(tr -d '\r' <"$e2e_tmp/progress.watch" | tail -n1))"

  echo "# $run: waiting for program.exe (a 32-bit start takes 1-2 minutes under Wine here)"
  wait "$program_pid"
  program_exit=$(tr -d '\r' <"$e2e_tmp/program.watch" | sed -n 's/^exit: //p')
  ok_eq 0 "$program_exit" "$run: program.exe's exit code ($(tr -d '\r' <"$e2e_tmp/program.watch" | tr '\n' ' '))"

  # Exactly the 48 files, each byte for byte; the two programs are the ones just built.
  ok_eq "$(manifest_files | cut -f2 | tr '\\' / | LC_ALL=C sort)" \
    "$(cd "$root" && find ZEVANO -type f | LC_ALL=C sort)" "$run: files below C:\\Program Files"
  while IFS=$'\t' read -r source name; do
    ok 'cmp -s "$stage/$source" "$root/${name//\\//}"' "$run: expected $name to hold the bytes of $stage/$source"
  done < <(manifest_files)
  ok 'cmp -s "$program_exe" "$root/ZEVANO/program.exe"' "$run: expected ZEVANO\\program.exe to be the built program.exe"
  ok 'cmp -s "$zevano_exe" "$root/ZEVANO/ZEVANO.exe"' "$run: expected ZEVANO\\ZEVANO.exe to be the built ZEVANO.exe"

  # The desktop shortcut: target and description, written by the shortcut command.
  local link
  link=$(wine_driver read-link "$desktop_link_win" | tr -d '\r')
  ok_eq 'C:\Program Files\ZEVANO\ZEVANO.exe' "$(sed -n 's/^path: //p' <<<"$link")" "$run: desktop shortcut target"
  ok_eq "$product" "$(sed -n 's/^description: //p' <<<"$link")" "$run: desktop shortcut description"

  # The Program Manager group, made by program.exe over DDE.
  ok 'wine_driver groups | tr -d "\r" | grep -qxF "$product"' \
    "$run: expected $product among the groups: $(wine_driver groups | tr '\r\n' '  ')"
  ok '[ -d "$(wine_path "$programs_win\\$product")" ]' "$run: expected the group folder $programs_win\\$product"
  local item_win="$programs_win\\$product\\$product.lnk"
  ok '[ -f "$(wine_path "$item_win")" ]' "$run: expected the group item $item_win"
  ok_eq 'C:\Program Files\ZEVANO\ZEVANO.EXE' \
    "$(wine_driver read-link "$item_win" 2>/dev/null | tr -d '\r' | sed -n 's/^path: //p')" "$run: group item target"
}

wine_start
media=$(wine_path 'C:\media')
mkdir -p "$media"
cp "$media_src/SETUP.EXE" "$media_src/INSTALL.EXE" "$media/"
# The sources as they are now: a rebuild while the test runs must not change what it compares with.
mkdir -p "$e2e_tmp/built"
cp -a "$stage" "$e2e_tmp/stage"
cp "$program_exe" "$zevano_exe" "$e2e_tmp/built/"
stage=$e2e_tmp/stage
program_exe=$e2e_tmp/built/$(basename "$program_exe")
zevano_exe=$e2e_tmp/built/$(basename "$zevano_exe")
root=$(wine_path 'C:\Program Files')
length=$(stat -c %s "$media/INSTALL.EXE")
archive_start=$("$carrier" list "$media/INSTALL.EXE" | awk -F'\t' '$1 == "archive start" { print $2 }')
[ -n "$archive_start" ] || e2e_bail "carrier list cannot read $media/INSTALL.EXE"
walk_max=$(((length - archive_start) / (length / 100)))

# --- first install ---------------------------------------------------------------------------
run_setup
screenshot shipped-dialog.png
install_and_check 'first run'

# --- second install over the installed tree --------------------------------------------------
# Damage what the first run wrote, so that only a real overwrite passes the same checks.
printf 'stale\r\n' >"$root/ZEVANO/README.TXT"
printf 'stale' >"$root/ZEVANO/include/zvdebug.h"
head -c 100 /dev/zero >"$root/ZEVANO/ZEVANO.exe"
printf 'not a shortcut' >"$(wine_path "$desktop_link_win")"
run_setup
install_and_check 'second run'
