#!/usr/bin/env bash
# The sample carrier as the installer will read it: `carrier list` shows setup.exe's image as the
# prefix (plus only the zero bytes pack says it added), the 48 files of the manifest in its order
# with the sizes of the staged files, then the two commands byte for byte, ending the carrier.
# Usage: carrier_layout_test.sh CARRIER-TOOL INSTALL.EXE SETUP.EXE PACK-REPORT MANIFEST STAGE-DIR
set -u
carrier=$1 install=$2 setup=$3 report=$4 manifest=$5 stage=$6
failures=0
checks=0

# check_eq EXPECTED GOT WHAT
check_eq() {
  checks=$((checks + 1))
  if [ "$1" != "$2" ]; then
    echo "FAIL: $3: expected '$1', got '$2'"
    failures=$((failures + 1))
  fi
}

listing=$("$carrier" list "$install") || { echo "FAIL: carrier list refused $install"; exit 1; }
field() { awk -F'\t' -v key="$1" '$1 == key { print $2 }' <<<"$listing"; }
rows=$(awk -F'\t' '$1 ~ /^[0-9]+$/' <<<"$listing")

# --- the prefix: setup.exe's image, then only the padding pack reported ------------------------
setup_size=$(stat -c %s "$setup")
padding=$(sed -n 's/.*: \([0-9][0-9]*\) zero bytes\{0,1\} appended to the stub$/\1/p' "$report")
padding=${padding:-0}
check_eq $((setup_size + padding)) "$(field 'prefix length')" "prefix length (setup.exe $setup_size bytes + $padding padding)"
check_eq $((setup_size + padding + 50)) "$(field 'archive start')" "archive start behind the 50-byte marker"
checks=$((checks + 1))
cmp -s -n "$setup_size" "$setup" "$install" || {
  echo "FAIL: the carrier's first $setup_size bytes are not setup.exe"
  failures=$((failures + 1))
}
checks=$((checks + 1))
if [ "$padding" -gt 0 ] && [ -n "$(tail -c +$((setup_size + 1)) "$install" | head -c "$padding" | tr -d '\0')" ]; then
  echo "FAIL: the $padding padding bytes after setup.exe are not zero"
  failures=$((failures + 1))
fi

# --- the entries: kinds, names and sizes in manifest order -------------------------------------
kinds=$(cut -f3 <<<"$rows" | uniq -c | awk '{ printf "%s %s;", $1, $2 }')
check_eq "48 file;2 command;" "$kinds" "entry kinds in stored order"

expected_files=$(grep -E '^file[[:space:]]' "$manifest" | awk '{ print $3 }')
check_eq "$expected_files" "$(awk -F'\t' '$3 == "file" { print $5 }' <<<"$rows")" "file names in manifest order"
expected_commands=$(sed -n 's/^command //p' "$manifest")
check_eq "$expected_commands" "$(awk -F'\t' '$3 == "command" { print $5 }' <<<"$rows")" "command texts"

while IFS=$'\t' read -r number offset kind size name; do
  [ "$kind" = file ] || continue
  source=$(grep -E '^file[[:space:]]' "$manifest" | awk -v name="$name" '$3 == name { print $2 }')
  check_eq "$(stat -c %s "$stage/$source" 2>/dev/null)" "$size" "size of entry $number ($name)"
done <<<"$rows"

# --- the two commands as stored: Shift-JIS "＋" and the name lengths 49 and 73 with the NUL -----
length=$(stat -c %s "$install")
hex_at() { tail -c +$(($1 + 1)) "$install" | head -c "$2" | od -An -tx1 | tr -d ' \n'; }
offset49=$(awk -F'\t' '$1 == 49 { print $2 }' <<<"$rows")
offset50=$(awk -F'\t' '$1 == 50 { print $2 }' <<<"$rows")
check_eq 49 $((offset50 - offset49 - 8)) "name length of the shortcut command (NUL included)"
check_eq 73 $((length - offset50 - 8)) "name length of the launch command, which ends the carrier"
shortcut=$(hex_at $((offset49 + 8)) 49)
check_eq "$(printf '>+S%%sZEVANO\\ZEVANO.exe&ZEVANO\x81\x7b\x81\x7b.LNK&ZEVANO\x81\x7b\x81\x7b\0' | od -An -tx1 | tr -d ' \n')" \
  "$shortcut" "shortcut command bytes"
launch=$(hex_at $((offset50 + 8)) 73)
check_eq "$(printf '>ZEVANO\\PROGRAM.EXE&ZEVANO\x81\x7b\x81\x7b,%%sZEVANO,ZEVANO\x81\x7b\x81\x7b,"%%sZEVANO\\ZEVANO.EXE"\0' | od -An -tx1 | tr -d ' \n')" \
  "$launch" "launch command bytes"
check_eq 0000000031000000 "$(hex_at "$offset49" 8)" "shortcut command header (data size 0, name length 49)"
check_eq 0000000049000000 "$(hex_at "$offset50" 8)" "launch command header (data size 0, name length 73)"

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
