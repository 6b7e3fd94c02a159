#!/usr/bin/env bash
# program.exe under Wine, started the way the installer's launch command starts it: with the
# shipped tail it makes the Program Manager group and its item, never shows its window, shows no
# box and ends by itself with exit code 0; a group name too long for its buffer is not sent, is
# reported in the "Error" box, and the item conversation still runs.
set -u
. "$(dirname "$0")/../wine/harness.sh"

program=$1
program_run=$2
group='ZEVANO＋＋'
product='C:\Program Files\ZEVANO'
programs='C:\users\'"$(whoami)"'\AppData\Roaming\Microsoft\Windows\Start Menu\Programs'

# run_program TAIL: runs PROGRAM.EXE from the product folder with exactly `"PATH" TAIL` as its
# command line, as ShellExecute passes the installer's parameters; sets run_output (one line per
# window, per message box, then the exit code; see program_run.c). Boxes are answered with OK.
run_program() {
  run_output=$("$WINE64" "$program_run" 300 "\"$product\\PROGRAM.EXE\" $1" | tr -d '\r')
  echo "# program.exe $1:" >&2
  sed 's/^/#   /' <<<"$run_output" >&2
}

has_line() { grep -qxF -- "$1" <<<"$run_output"; }

# link_target GROUP\NAME.lnk: the target path of an item link that Program Manager wrote.
link_target() { wine_driver read-link "$programs\\$1" | tr -d '\r' | sed -n 's/^path: //p'; }

wine_start
[ -f "$program_run" ] || e2e_bail "no program watcher at $program_run"
# The item must name an existing file: Program Manager resolves it before it writes the link.
mkdir -p "$(wine_path "$product")"
cp "$program" "$(wine_path "$product")/PROGRAM.EXE"
cp "$program" "$(wine_path "$product")/ZEVANO.EXE"

# The shipped archive's launch command: group, product folder, item, quoted path of the product.
run_program "$group,$product,$group,\"$product\\ZEVANO.EXE\""
ok 'has_line "exit: 0"' "expected exit code 0 with the process ending by itself, got '$(grep '^exit' <<<"$run_output")'"
ok 'has_line "window: REGISTER|MyClient|never shown"' "expected the REGISTER window MyClient, never visible"
ok '! grep -q "|shown$" <<<"$run_output"' "expected no window ever visible: $(grep '|shown$' <<<"$run_output" | tr '\n' ' ')"
ok '! grep -q "^msgbox:" <<<"$run_output"' "expected no message box: $(grep '^msgbox:' <<<"$run_output" | tr '\n' ' ')"
ok '[ -d "$(wine_path "$programs")/$group" ]' "expected the group folder $programs\\$group"
ok 'wine_driver groups | tr -d "\r" | grep -qxF "$group"' "expected $group among the groups: $(wine_driver groups | tr '\r\n' '  ')"
target=$(link_target "$group\\$group.lnk")
ok_eq "$product\\ZEVANO.EXE" "$target" "target of the item link $group\\$group.lnk"

# 64 bytes of group name do not fit the 63 the group command takes: not sent, one "Error" box.
# The item command still goes out, and Program Manager puts it into the last group it was told of.
long_group=$(printf 'G%.0s' {1..64})
run_program "$long_group,$product,Second,\"$product\\ZEVANO.EXE\""
ok 'has_line "exit: 0"' "expected exit code 0 with an over-long group name, got '$(grep '^exit' <<<"$run_output")'"
ok_eq "msgbox: Error|DdeClientTransaction Failed" "$(grep '^msgbox:' <<<"$run_output")" "the message boxes for an over-long group name"
ok 'has_line "window: REGISTER|MyClient|never shown"' "expected the REGISTER window MyClient, never visible, also with a box up"
ok '[ ! -e "$(wine_path "$programs")/$long_group" ] && [ ! -e "$(wine_path "$programs")/${long_group:0:63}" ]' \
  "expected no group folder for the over-long name, whole or cut"
target=$(link_target "$group\\Second.lnk")
ok_eq "$product\\ZEVANO.EXE" "$target" "target of the item sent after the refused group"
