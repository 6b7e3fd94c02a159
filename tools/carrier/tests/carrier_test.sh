#!/bin/bash
# Drives the carrier tool end to end: pack, list, verify and extract a carrier and compare the
# trees byte for byte; every refusal with its manifest line; stub padding; identical output.
# Usage: carrier_test.sh PATH-TO-CARRIER
set -u
CARRIER=$1
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
cd "$WORK" || exit 1
FAILURES=0

fail() {
  echo "FAIL: $*"
  FAILURES=$((FAILURES + 1))
}

# expect_status LABEL EXPECTED GOT
expect_status() {
  [ "$3" -eq "$2" ] || fail "$1: expected exit status $2, got $3"
}

# expect_contains LABEL FILE TEXT
expect_contains() {
  grep -qF -- "$3" "$2" || fail "$1: expected \"$3\" in output, got: $(cat "$2")"
}

# A stub of SIZE bytes of 0x90 followed by the byte LAST (hex), like an executable image.
make_stub() {
  head -c "$1" /dev/zero | tr '\0' '\220' > "$3"
  printf "\\x$2" >> "$3"
}

# --- sources and the tree an install must produce -----------------------------------------
mkdir -p src/docs expected/ZEVANO/include "expected/ZEVANO/ソフト" win expected_win
printf 'read me\r\n' > "src/docs/read me.txt"
yes 'int api(void); /* 0123456789 */' | head -c 30000 > src/big.h     # three chunks for setup
printf '\x00\x01\x02\x5c\xff\x83\x5c' > src/tool.bin
printf '[zevano]\r\n' > src/win.ini
printf 'lower\n' > src/lower.txt
cp "src/docs/read me.txt" "expected/ZEVANO/read me.txt"
cp src/big.h expected/ZEVANO/include/api.h
cp src/tool.bin "expected/ZEVANO/ソフト/tool.bin"
cp src/lower.txt expected/wlower.txt
cp src/win.ini expected_win/win.ini
make_stub 200 40 stub.exe

cat > src/manifest.txt <<'MANIFEST'
# ZEVANO sample
file "docs/read me.txt" "ZEVANO\read me.txt"
file big.h ZEVANO\include\api.h

file tool.bin ZEVANO\ソフト\tool.bin
file lower.txt wlower.txt
windows-file win.ini W\win.ini
command >+S%sZEVANO\ZEVANO.exe&ZEVANO＋＋.LNK&ZEVANO＋＋
command >ZEVANO\PROGRAM.EXE&ZEVANO＋＋,%sZEVANO,ZEVANO＋＋,"%sZEVANO\ZEVANO.EXE"
MANIFEST

# --- pack, list, verify, extract ---------------------------------------------------------
"$CARRIER" pack --stub stub.exe --out install.exe src/manifest.txt > pack.out 2>&1
expect_status "pack" 0 $?
cmp -s -n 201 stub.exe install.exe || fail "pack: the carrier does not begin with the stub"
expect_contains "pack" pack.out \
  "install.exe: $(stat -c %s install.exe) bytes, archive start 251, 7 entries (5 files, 2 commands)"

"$CARRIER" list install.exe > list.out 2>&1
expect_status "list" 0 $?
expect_contains "list" list.out "prefix length	201"
expect_contains "list" list.out "archive start	251"
expect_contains "list" list.out "3	30316	file	7	ZEVANO\\ソフト\\tool.bin"
expect_contains "list" list.out "5	30379	windows-file	10	W\\win.ini"
expect_contains "list" list.out "command	0	>ZEVANO\\PROGRAM.EXE&ZEVANO＋＋,%sZEVANO,ZEVANO＋＋,\"%sZEVANO\\ZEVANO.EXE\""
[ "$(grep -c $'^[0-9]\+\t[0-9]\+\t' list.out)" -eq 7 ] || fail "list: expected 7 entry rows, got: $(cat list.out)"

# The bytes themselves, read without the tool: the marker, then the first entry's header
# (data size 9, name length 19 with its NUL) and name; ソフト in Shift-JIS; the shortcut command
# with its full-width plus signs (0x81 0x7B) is 49 bytes with its NUL, as in the shipped carrier.
hex=$(od -An -v -tx1 install.exe | tr -d ' \n')
marker=$(printf '%02x' $(seq 1 50))
[ "${hex:402:100}" = "$marker" ] || fail "layout: no marker at offset 201"
[ "${hex:502:16}" = "0900000013000000" ] || fail "layout: first header is ${hex:502:16}"
[ "${hex:518:38}" = "$(printf 'ZEVANO\\read me.txt' | od -An -tx1 | tr -d ' \n')00" ] ||
  fail "layout: first name is ${hex:518:38}"
case $hex in *835c83748367*) ;; *) fail "layout: ソフト is not stored as 83 5C 83 74 83 67" ;; esac
case $hex in *0000000031000000*817b817b2e4c4e4b*) ;;
  *) fail "layout: the shortcut command is not stored with 0x81 0x7B and name length 49" ;; esac
[ "$(grep -c "	command	0	" list.out)" -eq 2 ] || fail "list: expected two command rows"

"$CARRIER" verify install.exe > verify.out 2>&1
expect_status "verify" 0 $?
expect_contains "verify" verify.out "ok, archive start 251, 7 entries (5 files, 2 commands)"

"$CARRIER" extract install.exe dest --windows-dir win > extract.out 2>&1
expect_status "extract" 0 $?
diff -r expected dest > /dev/null || fail "extract: tree differs: $(diff -r expected dest 2>&1 | head -5)"
diff -r expected_win win > /dev/null || fail "extract: Windows folder differs"
expect_contains "extract" extract.out "command not run: >+S%sZEVANO\\ZEVANO.exe&ZEVANO＋＋.LNK&ZEVANO＋＋"
expect_contains "extract" extract.out "5 files written, 2 commands not run"

"$CARRIER" extract install.exe dest2 > extract2.out 2>&1
expect_status "extract without --windows-dir" 1 $?
expect_contains "extract without --windows-dir" extract2.out "entry 5 at offset"
[ ! -e dest2 ] || fail "extract without --windows-dir: wrote something"

# --- determinism ---------------------------------------------------------------------------
"$CARRIER" pack --stub stub.exe --out again.exe src/manifest.txt > /dev/null 2>&1
cmp -s install.exe again.exe || fail "determinism: two packs of the same input differ"

# --- stub padding --------------------------------------------------------------------------
# rows: last stub byte (hex), expected prefix length for a 151-byte stub, expected note
while read -r last prefix note; do
  make_stub 150 "$last" padded_stub.exe
  "$CARRIER" pack --stub padded_stub.exe --out padded.exe src/manifest.txt > pad.out 2>&1
  expect_status "padding $last" 0 $?
  "$CARRIER" list padded.exe > pad_list.out 2>&1
  expect_contains "padding $last" pad_list.out "prefix length	$prefix"
  if [ "$note" = "-" ]; then
    grep -q "appended" pad.out && fail "padding $last: unexpected note: $(cat pad.out)"
  else
    expect_contains "padding $last" pad.out "$note"
    [ "$(od -An -tx1 -j 151 -N 2 padded.exe | tr -d ' ')" = "0001" ] ||
      fail "padding $last: no zero byte between stub and marker"
  fi
done <<'ROWS'
05 152 1 zero byte appended to the stub
31 152 1 zero byte appended to the stub
01 152 1 zero byte appended to the stub
32 151 -
00 151 -
ff 151 -
ROWS

# --- refusals ------------------------------------------------------------------------------
: > src/empty.txt
long_name=$(printf 'ア%.0s' $(seq 128))          # 384 bytes of UTF-8, 256 in Shift-JIS
long_path=ZEVANO\\$(printf 'x%.0s' $(seq 233))   # 240 bytes: 17 + 240 > 255
long_command=">$(printf 'x%.0s' $(seq 240))%s"   # 241 bytes, 258 expanded
# rows: the manifest's third line | extra pack options | message
while IFS='|' read -r line options message; do
  printf 'file lower.txt ZEVANO\\ok.txt\n# the next line is refused\n%s\n' "$line" > src/bad.txt
  rm -f refused.exe
  # shellcheck disable=SC2086
  "$CARRIER" pack --stub stub.exe --out refused.exe $options src/bad.txt > refuse.out 2>&1
  status=$?
  expect_status "refusal \"$line\"" 1 $status
  expect_contains "refusal \"$line\"" refuse.out "carrier: src/bad.txt:3: "
  expect_contains "refusal \"$line\"" refuse.out "$message"
  [ ! -e refused.exe ] && [ ! -e refused.exe.part ] || fail "refusal \"$line\": wrote a carrier"
done <<ROWS
file empty.txt ZEVANO\\e.txt||the source file empty.txt is empty
file missing.txt ZEVANO\\m.txt||cannot read the source file missing.txt
file docs ZEVANO\\d.txt||the source docs is not a file
file lower.txt $long_name||the name is 256 bytes in code page 932 (at most 255)
file lower.txt $long_path||the destination "C:\\Program Files\\" and the name make 257 bytes (at most 255)
file lower.txt Wlower.txt||the name begins with "W"
windows-file lower.txt Xlower.txt||a Windows-folder name must begin with "W\\"
windows-file lower.txt Wlower.txt||a Windows-folder name must begin with "W\\"
file lower.txt \\abs.txt||the name is absolute
file lower.txt C:\\abs.txt||the name has a drive letter
file lower.txt ZEVANO\\..\\..\\up.txt||the name contains ".."
file lower.txt ZEVANO\\.\\x.txt||the name contains "." as a folder level
file lower.txt ZEVANO/x.txt||the name contains "/"
file lower.txt ZEVANO\\😀.txt||the name holds text that code page 932 cannot express
file lower.txt||file needs a source path and an archive name
file "lower.txt ZEVANO\\x.txt||a double quote is not closed
copy lower.txt x||unknown keyword "copy"
command >x%d||the command contains "%d"
command >x%||the command ends in a lone "%"
command >%s%s%s%s||the command contains %s 4 times (at most 3)
command >+Sa&b&c&d&e&f||the special command has 5 "&" after its letter (at most 4)
command $long_command||"C:\\Program Files\\" the command expands to 258 bytes (at most 255)
command >%s$(printf 'y%.0s' $(seq 200))|--longest-destination D:\\$(printf 'z%.0s' $(seq 60))|the command expands to 265 bytes
command >||the command has nothing after its first byte
command >&x||the command names no program before its first "&"
command >+S%s&&&&|--longest-destination C:\\A&B\\|the special command has 5 "&" after its letter (at most 4)
ROWS

# A NUL cannot travel through the table above.
printf 'file lower.txt ok.txt\ncommand >a\000b\n' > src/nul.txt
"$CARRIER" pack --stub stub.exe --out nul.exe src/nul.txt > nul.out 2>&1
expect_status "NUL in a command" 1 $?
expect_contains "NUL in a command" nul.out "src/nul.txt:2: the command contains a NUL byte"

# Refusals that belong to no single line.
printf '# nothing here\n\n' > src/none.txt
"$CARRIER" pack --stub stub.exe --out none.exe src/none.txt > none.out 2>&1
expect_status "no entry" 1 $?
expect_contains "no entry" none.out "src/none.txt: the manifest lists no entry"
{ cat stub.exe; printf '%b' "$(printf '\\x%02x' $(seq 1 50))"; printf 'tail'; } > marked_stub.exe
"$CARRIER" pack --stub marked_stub.exe --out marked.exe src/manifest.txt > marked.out 2>&1
expect_status "stub with marker" 1 $?
expect_contains "stub with marker" marked.out "the stub contains the archive marker at offset 201"

# --- damaged carriers ----------------------------------------------------------------------
size=$(stat -c %s install.exe)
head -c $((size - 10)) install.exe > cut.exe
"$CARRIER" verify cut.exe > cut.out 2>&1
expect_status "verify cut" 1 $?
expect_contains "verify cut" cut.out "entry 7 at offset"
expect_contains "verify cut" cut.out "the carrier ends inside this entry"
"$CARRIER" extract cut.exe cut_dest --windows-dir win > cut_extract.out 2>&1
expect_status "extract cut" 1 $?
[ ! -e cut_dest ] || fail "extract cut: wrote files from a broken carrier"

cp install.exe zero_name.exe
printf '\x00\x00\x00\x00' | dd of=zero_name.exe bs=1 seek=$((251 + 4)) conv=notrunc 2>/dev/null
"$CARRIER" verify zero_name.exe > zero.out 2>&1
expect_status "verify name length 0" 1 $?
expect_contains "verify name length 0" zero.out "entry 1 at offset 251: the entry breaks the format's limits (data size 9, name length 0"

"$CARRIER" verify stub.exe > nomarker.out 2>&1
expect_status "verify no marker" 1 $?
expect_contains "verify no marker" nomarker.out "no archive marker"

# --- command line --------------------------------------------------------------------------
"$CARRIER" --help > help.out 2>&1
expect_status "--help" 0 $?
expect_contains "--help" help.out "carrier pack --stub FILE --out FILE"
while read -r label args; do
  # shellcheck disable=SC2086
  "$CARRIER" $args > usage.out 2>&1
  expect_status "usage: $label" 2 $?
done <<'ROWS'
nothing
pack-without-stub pack --out x.exe src/manifest.txt
unknown-command pack2 x
unknown-option list --all install.exe
extract-one-argument extract install.exe
ROWS

if [ "$FAILURES" -ne 0 ]; then
  echo "$FAILURES failure(s)"
  exit 1
fi
echo "all carrier tool checks passed"
