#!/usr/bin/env bash
# windows-text.sh IN OUT: a product text file as a Japanese Windows 95 user opens it, Shift-JIS
# (code page 932) with CR LF line ends. The tree keeps UTF-8 so that it reads and diffs plainly.
# Text that code page 932 cannot hold stops the build instead of shipping a damaged file.
set -euo pipefail
in=$1 out=$2
tmp="$out.part"
trap 'rm -f "$tmp"' ERR
iconv -f UTF-8 -t CP932 "$in" | sed 's/\r$//; s/$/\r/' >"$tmp"
mv "$tmp" "$out"
