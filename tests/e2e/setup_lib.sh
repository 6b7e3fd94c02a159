# Shared by the setup_*_test.sh scripts (source it after harness.sh): a small product, carriers made
# with the carrier tool, setup.exe started in a folder of the prefix, and the check of what it wrote.

SETUP_CAPTION='インストール先の入力'
VERSION_CAPTION='ﾊﾞｰｼﾞｮﾝ情報 SETUP'
IDC_DEST_FOLDER=1001
IDC_PROGRESS=1002
IDCANCEL=2
VK_RETURN=0x0D
VK_ESCAPE=0x1B
SC_CLOSE=0xF060

# The files the product's carrier installs, relative to the destination (Linux spelling of the names).
PRODUCT_FILES=(ZEVANO/bin/big.bin ZEVANO/last.txt ZEVANO/readme.txt 'ZEVANO/資料/説明.txt')

# make_product DIR: the product's files and manifest in DIR. The big file takes three reads of the
# installer's 10,000-byte buffer; the Japanese names are Shift-JIS in the carrier.
make_product() {
  local dir=$1
  mkdir -p "$dir"
  printf 'ZEVANO 1.0\r\n' >"$dir/readme.txt"
  head -c 25000 /dev/urandom >"$dir/big.bin"
  printf '\x90\xe0\x96\xbe\r\n' >"$dir/doc.txt"  # 説明 in code page 932
  printf '[ZEVANO]\r\nPath=C:\\ZEVANO\r\n' >"$dir/zevano.ini"
  printf 'last\r\n' >"$dir/last.txt"
  cat >"$dir/install.manifest" <<'EOF'
file readme.txt          ZEVANO\readme.txt
file big.bin             ZEVANO\bin\big.bin
file doc.txt             ZEVANO\資料\説明.txt
windows-file zevano.ini  W\zevano.ini
file last.txt            ZEVANO\last.txt
EOF
}

# start_with_carrier_in WINPATH: starts Wine, makes the product and packs its carrier as install.exe
# into the prefix folder WINPATH; sets work (that folder's Linux path) and started (the clock).
start_with_carrier_in() {
  wine_start
  product=$e2e_tmp/product
  make_product "$product"
  work=$(wine_path "$1")
  mkdir -p "$work"
  make_carrier "$work/install.exe"
  started=$SECONDS
}

# product_source NAME: the product file that NAME (from PRODUCT_FILES) was made from.
product_source() {
  case $1 in
    ZEVANO/bin/big.bin) echo "$product/big.bin" ;;
    ZEVANO/last.txt) echo "$product/last.txt" ;;
    ZEVANO/readme.txt) echo "$product/readme.txt" ;;
    'ZEVANO/資料/説明.txt') echo "$product/doc.txt" ;;
  esac
}

# make_carrier OUT: setup.exe with the product's archive behind it.
make_carrier() {
  "$carrier_tool" pack --stub "$setup_exe" --out "$1" "$product/install.manifest" >/dev/null ||
    e2e_bail "carrier pack failed for $1"
}

# run_setup VAR DIR: starts setup.exe with DIR (a Linux folder in the prefix) as its current
# directory and waits for its dialog; VAR gets the pid.
run_setup() {
  local started=$SECONDS
  wine_launch_in "$2" "$1" "$setup_exe"
  wine_driver wait-window "$SETUP_CAPTION" 400 >/dev/null ||
    e2e_bail "the dialog '$SETUP_CAPTION' did not appear within 400 s"
  echo "# setup dialog up after $((SECONDS - started)) s"
}

dialog_up() { wine_driver wait-window "$SETUP_CAPTION" 0 >/dev/null 2>&1; }
dialog_gone() { ! dialog_up; }
version_box_gone() { ! wine_driver wait-window "$VERSION_CAPTION" 0 >/dev/null 2>&1; }

# installed_files ROOT: every file below ROOT, one relative path a line, sorted.
installed_files() { (cd "$1" 2>/dev/null && find . -type f | sed 's|^\./||' | LC_ALL=C sort); }

# check_tree ROOT: exactly the product's files below ROOT, each byte for byte.
check_tree() {
  local root=$1 name expected got
  expected=$(printf '%s\n' "${PRODUCT_FILES[@]}" | LC_ALL=C sort)
  got=$(installed_files "$root")
  ok_eq "$expected" "$got" "files below $root"
  for name in "${PRODUCT_FILES[@]}"; do
    ok 'cmp -s "$(product_source "$name")" "$root/$name"' "expected $root/$name to hold the bytes of $(product_source "$name")"
  done
  ok 'cmp -s "$product/zevano.ini" "$(wine_path "C:\\windows\\zevano.ini")"' \
    "expected C:\\windows\\zevano.ini to hold the bytes of $product/zevano.ini"
}

# wait_setup_exit PID: the dialog closes and the process ends by itself.
wait_setup_exit() {
  ok 'wait_until 120 dialog_gone' "expected the dialog to close, it is still up after 120 s"
  local exit_status
  wine_exit_code exit_status "$1" 120
  ok '[ "$exit_status" != timeout ]' "expected setup.exe to end after its dialog closed, still running after 120 s"
}
