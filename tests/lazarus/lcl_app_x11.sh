#!/usr/bin/env bash
# A generated Lazarus application end to end in a real X server: orvalen-gen
# writes the project, lazbuild builds it (with a private configuration, for
# the widgetset its .lpi names), and the program is used with the keyboard as
# a person uses it, judged by its windows, its questions, its exit status and
# the files it keeps.
#
#   lcl_app_x11.sh CASE      (ORVALEN_GEN, X11_SETTLE in the environment)
#   lcl_app_x11.sh --list
#
# Facts of the qt5 widgetset met here: the documents of an MDI frame are no X
# windows of their own (only the question boxes are); the first Alt+key after
# a new document takes the focus can be dropped, so menu keys are retried
# until the menu shows.
CASES='mdi ordinary single_instance'
if [ "${1:-}" = --list ]; then
  tr ' ' '\n' <<<"$CASES"
  exit 0
fi
case_name=${1:?usage: lcl_app_x11.sh CASE}

# shellcheck source=../e2e/x11_session.sh
source "$(dirname "$0")/../e2e/x11_session.sh"

# build NAME ORVALEN-GEN-OPTIONS...: the project in $WORK/NAME, built (for
# $RUN_WIDGETSET when set, else for the widgetset its .lpi names).
#
# The gtk2 widgetset, an ordinary project's default, measures the window
# manager's frame when it creates the first form and, with no window manager
# to frame it, waits on that for 10 to 40 s here; the lazbuild matrix builds
# those projects for gtk2, and they are run here on qt5, where the same
# program starts at once.
build() {
  local name=$1
  shift
  "$ORVALEN_GEN" --target lcl -n "$name" "$@" "$WORK/$name" >"$WORK/gen.log" 2>&1 ||
    fail "orvalen-gen failed"
  mkdir -p "$WORK/pcp"
  lazbuild --pcp="$WORK/pcp" --skip-dependencies ${RUN_WIDGETSET:+--ws="$RUN_WIDGETSET"} \
    "$WORK/$name/$name.lpi" >"$WORK/lazbuild.log" 2>&1 ||
    fail "lazbuild failed"
  [ -x "$WORK/$name/$name" ] || fail "lazbuild wrote no program"
}

# The shown windows' ids, one a line.
shown_windows() {
  xdotool search --onlyvisible --name '' 2>/dev/null | sort
}

# menu KEY ITEM: opens a menu by its access key (retried: see above) and
# picks an item by its own.
menu() {
  local key=$1 item=$2 before i
  before=$(shown_windows)
  for ((i = 0; i < 5; i++)); do
    refocus "$MAIN"
    press "alt+$key"
    [ "$(shown_windows)" != "$before" ] && break  # the menu's popup shows
  done
  press "$item"
}

# answer_question KEY: a question box shows; KEY answers it.
answer_question() {
  local before=$1 key=$2 id
  local deadline=$((SECONDS + 15))
  while :; do
    id=$(comm -13 <(echo "$before") <(shown_windows) | head -1)
    [ -n "$id" ] && [[ $(window_title "$id") == Confirmation* ]] && break
    ((SECONDS < deadline)) || fail "no question was asked"
    sleep 0.1
  done
  refocus "$id"
  press "$key"
  await_closed "$id"
}

case_mdi() {
  build Editor -m file,edit,window,help --recent --recent-registry
  grep -q 'MacroName="LCLWidgetType" Value="qt5"' "$WORK/Editor/Editor.lpi" ||
    fail "an MDI project must name the qt5 widgetset"
  start_xserver
  start_program "$WORK/Editor/Editor"
  MAIN=$(find_window MainForm)
  local alone
  alone=$(shown_windows)

  step "File > New twice: two documents, inside the frame"
  menu f n
  menu f n
  sleep 0.5
  [ "$(shown_windows)" = "$alone" ] || fail "a document opened as a window of its own"

  step "Window > Tile"
  menu w t

  step "a change in the active document, then the first one picked in the Window menu and changed"
  menu e t
  # Tile, Cascade, Arrange All, (separator), Unsaved-1, Unsaved-2
  local i
  for ((i = 0; i < 5; i++)); do
    refocus "$MAIN"
    press alt+w
    [ "$(shown_windows)" != "$alone" ] && break
  done
  press Down Down Down Return
  menu e t

  step "File > Exit asks about each changed document; No ends the program"
  local before
  before=$(shown_windows)
  refocus "$MAIN"
  menu f x
  answer_question "$before" n
  answer_question "$before" n
  await_exit
  [ "$EXIT_STATUS" = 0 ] || fail "the program ended with status $EXIT_STATUS"

  step "the recent list is kept in the registry"
  local reg="$WORK/config/Editor/reg.xml"
  [ -f "$reg" ] || fail "no registry file $reg"
  grep -q '<Value Name="MRUCOUNT"' "$reg" || fail "the registry file holds no recent list"
}

case_ordinary() {
  RUN_WIDGETSET=qt5 build Plain -m file --no-mdi
  grep -q 'LCLWidgetType' "$WORK/Plain/Plain.lpi" && fail "an ordinary project takes the default widgetset"
  start_xserver
  start_program "$WORK/Plain/Plain"
  MAIN=$(find_window MainForm)
  step "File > New opens a document window"
  menu f n
  find_window Unsaved-1 >/dev/null
  step "File > Exit ends the program"
  menu f x
  await_exit
  [ "$EXIT_STATUS" = 0 ] || fail "the program ended with status $EXIT_STATUS"
}

case_single_instance() {
  RUN_WIDGETSET=qt5 build Single -m file --no-mdi --single-instance
  start_xserver
  start_program "$WORK/Single/Single"
  MAIN=$(find_window MainForm)
  local first=$PROGRAM_PID
  step "a second copy ends at once"
  local status=0
  (cd "$WORK/cwd" && XDG_CONFIG_HOME="$WORK/config" XDG_RUNTIME_DIR="$WORK/runtime" \
    timeout 20 "$WORK/Single/Single" >>"$WORK/second.log" 2>&1) || status=$?
  [ "$status" = 0 ] || fail "the second copy ended with status $status"
  running "$first" || fail "the first copy ended"
  step "the first copy goes on"
  menu f x
  await_exit
  [ "$EXIT_STATUS" = 0 ] || fail "the program ended with status $EXIT_STATUS"
}

"case_$case_name"
echo "PASS $case_name"
