# Library for the end-to-end scripts run under Wine: a display and a fresh prefix per run, the
# test driver, checks in the style of Wine's own tests, and a closing "N passed, M failed" line.
# Source it, call wine_start, run checks; everything started is ended on exit.
#
# In this file:
#   wine_start, wine_stop        display, prefix copy, environment, ACP check; the EXIT trap
#   wine_driver VERB ARGS...     the x86-64 test driver (window texts, clicks, boxes, links, groups)
#   wine_launch, wine_exit_code  a Windows program in the background and its exit code
#   wine_launch_in DIR ...       the same, with DIR (a Linux path in the prefix) as current directory
#   wine_at_exit COMMAND         run COMMAND when the script ends, before the prefix is removed
#   read_msgbox                  caption, icon and text of the next message box, then OK
#   wine_path, screenshot        a C: path on the Linux side; the display into build/artifacts
#   ok, ok_eq, todo_wine, e2e_bail, wait_until   checks and polling
E2E_HARNESS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
E2E_BUILD_DIR=${E2E_BUILD_DIR:-$(cd "$E2E_HARNESS_DIR/../.." && pwd)/build}
WINE_TEMPLATE=${WINE_TEMPLATE:-$E2E_BUILD_DIR/wine-template}
WINE_DRIVER=${WINE_DRIVER:-$E2E_BUILD_DIR/bin/driver64.exe}
E2E_ARTIFACTS=${E2E_ARTIFACTS:-$E2E_BUILD_DIR/artifacts}
WINE64=${WINE64:-/usr/lib/wine/wine64}
# The 64-bit prefix runs 32-bit programs through this loader (WoW64; slow to start here).
WINE32=${WINE32:-wine}

# The Windows 95 desktop folder of a Japanese system, which the installers write into.
E2E_DESKTOP_NAME='ﾃﾞｽｸﾄｯﾌﾟ'

e2e_passed=0
e2e_failed=0
e2e_todo=0
e2e_tmp=
e2e_xvfb_pid=
e2e_pids=()
e2e_exit_commands=()

e2e_where() { echo "$(basename "${BASH_SOURCE[2]}"):${BASH_LINENO[1]}"; }

# ok COND MESSAGE: COND is evaluated; MESSAGE should say what was expected and what came back.
ok() {
  if eval "$1"; then
    e2e_passed=$((e2e_passed + 1))
  else
    e2e_failed=$((e2e_failed + 1))
    echo "$(e2e_where): Test failed: $2" >&2
  fi
}

# ok_eq EXPECTED GOT WHAT: the common case, with the message written for you.
ok_eq() {
  if [ "$1" = "$2" ]; then
    e2e_passed=$((e2e_passed + 1))
  else
    e2e_failed=$((e2e_failed + 1))
    echo "$(e2e_where): Test failed: $3: expected '$1', got '$2'" >&2
  fi
}

# todo_wine COND MESSAGE: a known Wine gap (name the Wine version in MESSAGE). It is counted, not
# hidden, and a gap that starts working is reported so the marker gets removed.
todo_wine() {
  if eval "$1"; then
    e2e_failed=$((e2e_failed + 1))
    echo "$(e2e_where): Test succeeded inside todo block: $2" >&2
  else
    e2e_todo=$((e2e_todo + 1))
    echo "$(e2e_where): Test marked todo: $2" >&2
  fi
}

# Stops the script at once (the summary still runs), for when nothing after could make sense.
e2e_bail() {
  e2e_failed=$((e2e_failed + 1))
  echo "$(e2e_where): Bail out: $*" >&2
  exit 1
}

# wait_until SECONDS COMMAND...: polls with a growing sleep; false once the time is up.
wait_until() {
  local deadline=$((SECONDS + $1)) pause=0.05
  shift
  until "$@"; do
    [ "$SECONDS" -ge "$deadline" ] && return 1
    sleep "$pause"
    case $pause in 0.05) pause=0.1 ;; 0.1) pause=0.2 ;; 0.2) pause=0.5 ;; 0.5) pause=1 ;; esac
  done
}

# Runs the test driver (64-bit, so it starts at once). Its texts are UTF-8.
wine_driver() { "$WINE64" "$WINE_DRIVER" "$@"; }

# Builds the prefix once per build tree; each run gets a copy, which takes seconds, not minutes.
e2e_make_template() {
  mkdir -p "$(dirname "$WINE_TEMPLATE")"
  (
    flock 9
    [ -f "$WINE_TEMPLATE/.complete" ] && exit 0
    local fresh="$WINE_TEMPLATE.new" started=$SECONDS
    rm -rf "$fresh" "$WINE_TEMPLATE"
    echo "# making the Wine prefix template $WINE_TEMPLATE" >&2
    WINEPREFIX=$fresh WINEARCH=win64 "$WINE64" wineboot -i || exit 1
    WINEPREFIX=$fresh timeout 120 wineserver -w || WINEPREFIX=$fresh wineserver -k
    mkdir -p "$fresh/drive_c/windows/$E2E_DESKTOP_NAME"
    touch "$fresh/.complete"
    mv "$fresh" "$WINE_TEMPLATE"
    echo "# prefix template made in $((SECONDS - started)) s" >&2
  ) 9>"$WINE_TEMPLATE.lock"
}

e2e_start_display() {
  local number_file="$e2e_tmp/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number_file" >"$e2e_tmp/xvfb.log" 2>&1 &
  e2e_xvfb_pid=$!
  wait_until 20 test -s "$number_file" || e2e_bail "Xvfb gave no display number (see $e2e_tmp/xvfb.log)"
  export DISPLAY=":$(head -n1 "$number_file")"
}

wine_start() {
  e2e_tmp=$(mktemp -d "${TMPDIR:-/tmp}/e2e-wine.XXXXXX")
  trap 'e2e_exit $?' EXIT
  trap 'exit 130' INT TERM
  [ -f "$WINE_DRIVER" ] || e2e_bail "no test driver at $WINE_DRIVER"
  mkdir -p "$E2E_ARTIFACTS"

  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  export LANG=ja_JP.UTF-8
  unset LC_ALL WINEARCH

  e2e_start_display
  e2e_make_template || e2e_bail "cannot make the Wine prefix template"
  cp -a "$WINE_TEMPLATE" "$e2e_tmp/prefix"
  export WINEPREFIX="$e2e_tmp/prefix"

  local acp
  acp=$(wine_driver acp)
  [ "$acp" = 932 ] || e2e_bail "expected ANSI code page 932 (LANG=$LANG), got '$acp'"
}

# wine_launch VAR PROGRAM [ARGS...]: starts a (32-bit) Windows program in the background and puts
# its pid in VAR; wine_exit_code gets its exit code later.
wine_launch() {
  local var=$1
  shift
  "$WINE32" "$@" >>"$e2e_tmp/programs.log" 2>&1 &
  e2e_pids+=($!)
  printf -v "$var" %s "$!"
}

# wine_launch_in DIR VAR PROGRAM [ARGS...]: as wine_launch, started in DIR; Wine gives the program
# the matching Windows path (C:\... for a folder under drive_c) as its current directory.
wine_launch_in() {
  local dir=$1 var=$2
  shift 2
  (cd "$dir" && exec "$WINE32" "$@") >>"$e2e_tmp/programs.log" 2>&1 &
  e2e_pids+=($!)
  printf -v "$var" %s "$!"
}

# wine_at_exit COMMAND: undoes something the prefix cannot shed by itself (chattr +i), also when a
# check bails out.
wine_at_exit() { e2e_exit_commands+=("$1"); }

# wine_exit_code VAR PID SECONDS: puts the program's exit code in VAR, or "timeout" if it is still
# running. (Not a command substitution: only this shell can wait for its own children.)
wine_exit_code() {
  # A name of its own, so that a caller's VAR called "code" is not this local.
  local e2e_code=timeout
  if wait_until "$3" e2e_gone "$2"; then
    e2e_code=0
    wait "$2" || e2e_code=$?
  fi
  printf -v "$1" %s "$e2e_code"
}

e2e_gone() { ! kill -0 "$1" 2>/dev/null; }

# read_msgbox SECONDS [BUTTON-ID]: waits for a message box, sets msgbox_caption, msgbox_icon
# (stop, exclamation, information or none) and msgbox_text, and presses its button (IDOK).
read_msgbox() {
  local out
  msgbox_caption='(no box)' msgbox_icon='(no box)' msgbox_text='(no box)'
  out=$(wine_driver msgbox "$@") || return 1
  msgbox_caption=$(sed -n '1s/^caption: //p' <<<"$out")
  msgbox_icon=$(sed -n '2s/^icon: //p' <<<"$out")
  msgbox_text=$(sed -n '3,$p' <<<"$out" | sed '1s/^text: //')
}

# Windows paths of the run's prefix as Linux paths: wine_path 'C:\windows' (drive C only).
wine_path() {
  local rest=${1#[Cc]:}
  echo "$WINEPREFIX/drive_c${rest//\\//}"
}

# screenshot NAME: the whole display, into the artifacts folder, for a human to look at.
screenshot() {
  import -window root -display "$DISPLAY" "$E2E_ARTIFACTS/$1" 2>>"$e2e_tmp/programs.log" ||
    echo "# screenshot $1 failed" >&2
}

wine_stop() {
  local command
  for command in "${e2e_exit_commands[@]}"; do eval "$command" || true; done
  e2e_exit_commands=()
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k 2>/dev/null || true
  fi
  local pid
  for pid in "${e2e_pids[@]}"; do
    wait_until 10 e2e_gone "$pid" || kill -9 "$pid" 2>/dev/null || true
  done
  if [ -n "$e2e_xvfb_pid" ]; then
    kill "$e2e_xvfb_pid" 2>/dev/null || true
    wait "$e2e_xvfb_pid" 2>/dev/null || true
  fi
  if [ -n "$e2e_tmp" ] && [ -z "${E2E_KEEP:-}" ]; then rm -rf "$e2e_tmp"; fi
  e2e_tmp=
  e2e_pids=()
  e2e_xvfb_pid=
}

e2e_exit() {
  local status=$1
  trap - EXIT
  wine_stop
  if [ "$e2e_passed" -eq 0 ] && [ "$e2e_failed" -eq 0 ]; then
    echo "no check ran" >&2
    e2e_failed=1
  fi
  [ "$e2e_todo" -gt 0 ] && echo "$e2e_todo todo (known Wine gaps)"
  echo "$e2e_passed passed, $e2e_failed failed"
  if [ "$e2e_failed" -gt 0 ] || [ "$status" -ne 0 ]; then exit 1; fi
  exit 0
}
