# shellcheck shell=bash
# Sourced by the end-to-end drivers: an X server of our own (Xvfb, on a
# display number it picks itself), the program under test started in it with
# a settings store and a working directory of its own, and the keys a person
# presses, each one taken in by the program before the next is sent.
#
# Needs in the environment: X11_SETTLE (the x11_settle helper). Optional:
# E2E_TIMEOUT (seconds for the whole test, default 120), E2E_KEEP=1 keeps the
# scratch directory.
#
# There is no window manager: where one would hand the keyboard back to the
# window below a closed box, the driver does (refocus).

set -euo pipefail

# The whole test ends after E2E_TIMEOUT seconds, whatever it waits for: it
# runs again under timeout, whose signal ends it through the traps below.
E2E_LIMIT=${E2E_TIMEOUT:-120}
if [ -z "${E2E_WATCHED:-}" ]; then
  export E2E_WATCHED=1
  exec timeout --kill-after=10 "$E2E_LIMIT" bash "$0" "$@"
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvalen-e2e.XXXXXX")
XVFB_PID=""
PROGRAM_PID=""
FOCUSED=""                 # the window the keys go to
export EXIT_STATUS=""      # the program's, once await_exit has seen it end

e2e_cleanup() {
  local status=$?
  trap - EXIT INT TERM
  set +e
  if [ -n "$PROGRAM_PID" ] && running "$PROGRAM_PID"; then
    kill -TERM "$PROGRAM_PID" 2>/dev/null
    sleep 0.5
    kill -KILL "$PROGRAM_PID" 2>/dev/null
  fi
  if [ -n "$XVFB_PID" ]; then
    kill -TERM "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  if [ "$status" -ne 0 ]; then
    for log in "$WORK"/*.log; do
      [ -s "$log" ] && { echo "--- ${log##*/}"; cat "$log"; }
    done
  fi
  if [ "${E2E_KEEP:-0}" = 1 ]; then echo "kept $WORK"; else rm -rf "$WORK"; fi
  exit "$status"
}
trap e2e_cleanup EXIT
trap 'echo "FAIL: the test took longer than $E2E_LIMIT s" >&2; exit 124' TERM
trap 'exit 130' INT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

step() {
  echo "-- $*"
}

# Without -noreset the server starts afresh whenever its last client leaves
# (xdotool does, between commands), and a program connecting just then fails.
start_xserver() {
  : >"$WORK/display"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$WORK/display" \
    >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local i
  for ((i = 0; i < 200; i++)); do
    if [ "$(wc -l <"$WORK/display")" -gt 0 ]; then  # the number and its newline
      DISPLAY=":$(cat "$WORK/display")"
      export DISPLAY
      return
    fi
    kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start"
    sleep 0.1
  done
  fail "Xvfb named no display within 20 s"
}

# start_program COMMAND...: runs it on the display, in $WORK/cwd, with the
# settings store under $WORK/config.
start_program() {
  mkdir -p "$WORK/cwd" "$WORK/config" "$WORK/runtime"
  chmod 700 "$WORK/runtime"
  (
    cd "$WORK/cwd"
    exec env QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" \
      "$@" >>"$WORK/program.log" 2>&1
  ) &
  PROGRAM_PID=$!
  EXIT_STATUS=""
}

# window_title ID: the title a window manager shows (_NET_WM_NAME; the older
# WM_NAME, which xdotool's search reads, can be empty where it is not).
window_title() {
  xdotool getwindowname "$1" 2>/dev/null
}

# exact_title ID TITLE: the window's title reads TITLE exactly, with nothing
# added by the toolkit, both as _NET_WM_NAME and, where set, as WM_NAME.
exact_title() {
  local id=$1 expected=$2 property value
  for property in _NET_WM_NAME WM_NAME; do
    value=$(xprop -id "$id" "$property" 2>/dev/null)
    [[ $value == *"not found"* && $property == WM_NAME ]] && continue
    value=$(sed -n 's/^[A-Z_]*([A-Z_0-9]*) = "\(.*\)"$/\1/p' <<<"$value")
    [ "$value" = "$expected" ] ||
      fail "window $id: $property is \"$value\", not \"$expected\""
  done
}

# find_window TITLE [SECONDS] [EXCEPT]: prints the id of a shown window, other
# than EXCEPT, whose title begins with TITLE.
find_window() {
  local title=$1 deadline=$((SECONDS + ${2:-20})) except=${3:-} id
  while :; do
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
      [ "$id" = "$except" ] && continue
      if [[ $(window_title "$id") == "$title"* ]]; then
        echo "$id"
        return
      fi
    done
    ((SECONDS < deadline)) || fail "no window titled \"$title\" appeared within ${2:-20} s"
    sleep 0.1
  done
}

settle() {
  "$X11_SETTLE" "$FOCUSED" 10000 2>>"$WORK/settle.log" || {
    local status=$?
    [ "$status" -eq 3 ] && return 0  # the window has closed; nothing is left to take keys
    fail "window $FOCUSED did not take in the keys"
  }
}

# refocus ID: the keyboard goes to this window from now on.
refocus() {
  FOCUSED=$1
  xdotool windowfocus --sync "$FOCUSED"
  settle
}

# await_window TITLE: waits for the window and gives it the keyboard; prints nothing.
await_window() {
  local id
  id=$(find_window "$1")
  refocus "$id"
}

# await_closed ID: waits until the window is no longer shown.
await_closed() {
  local id=$1 i
  for ((i = 0; i < 200; i++)); do
    xdotool search --onlyvisible --name '' 2>/dev/null | grep -qx "$id" || return 0
    sleep 0.1
  done
  fail "window $id stayed open"
}

# press KEY...: each key (xdotool's names: alt+n, Tab, shift+Tab, space,
# Return, Escape) in turn, each taken in before the next.
press() {
  local key
  for key in "$@"; do
    xdotool key "$key"
    settle
  done
}

# type_text TEXT: types into the focused control.
type_text() {
  xdotool type --delay 15 -- "$1"
  settle
}

# running PID: the process exists and has not ended (an ended child stays a
# zombie until it is waited for).
running() {
  local state
  state=$(ps -o stat= -p "$1" 2>/dev/null) || return 1
  [[ $state != Z* ]]
}

# await_exit [SECONDS]: waits for the program to end; its status in EXIT_STATUS.
await_exit() {
  local seconds=${1:-30} i
  for ((i = 0; i < seconds * 10; i++)); do
    if ! running "$PROGRAM_PID"; then
      EXIT_STATUS=0
      wait "$PROGRAM_PID" || EXIT_STATUS=$?
      PROGRAM_PID=""
      return
    fi
    sleep 0.1
  done
  fail "the program did not end within $seconds s"
}
