#!/usr/bin/env bash
# The wizard in the real Lazarus IDE, in a real X server: the private IDE that
# ide_build.sh built with the package is started with this build's module and
# a configuration and home of its own, and used with the keyboard as a person
# uses it:
#   - the File menu's command opens the wizard; while it is open the IDE's
#     windows take no keys; Cancel gives them back;
#   - the project the IDE starts with is changed, then File > New... >
#     Project > the wizard, walked to Finish; on the way a box the wizard
#     shows is painted (the IDE's GLib loop runs the wizard's modal loops);
#     the IDE asks about the changed project and is told to discard it;
#   - the IDE's active project is then the one the wizard wrote (its title
#     names it), whose files are orvalen-gen's for the same choices;
#   - Ctrl+F9 builds it: the program appears;
#   - File > Quit ends the IDE with status 0, after the module was unloaded.
# And a module path set on the package's options page that cannot be loaded
# (case unloadable) is kept, and at the next start is one line of the
# package's, in place of the module the environment names; the IDE goes on
# and ends as usual.
# Screenshots of each step are kept in shots/ (E2E_KEEP=1 keeps the scratch
# directory).
#
#   ide_x11.sh CASE     (IDE_DIR, ORVALEN_EXPERT_MODULE, ORVALEN_GEN, X11_SETTLE
#                        in the environment)
#   ide_x11.sh --list
CASES='wizard unloadable'
if [ "${1:-}" = --list ]; then
  tr ' ' '\n' <<<"$CASES"
  exit 0
fi

# shellcheck source=tests/e2e/x11_session.sh
source "$(dirname "$0")/../e2e/x11_session.sh"
# shellcheck source=tests/e2e/wizard_road.sh
source "$(dirname "$0")/../e2e/wizard_road.sh"

: "${IDE_DIR:?}" "${ORVALEN_EXPERT_MODULE:?}" "${ORVALEN_GEN:?}" "${X11_SETTLE:?}"
HERE=$(cd "$(dirname "$0")" && pwd)
IDE=""  # the IDE's main window
NAME=Ided

shot() {
  mkdir -p "$WORK/shots"
  xwd -root -silent >"$WORK/shots/$1.xwd" 2>/dev/null &&
    python3 "$HERE/../tools/xwd_png.py" "$WORK/shots/$1.xwd" "$WORK/shots/$1.png" &&
    rm -f "$WORK/shots/$1.xwd"
}

# painted ID SHOT: the window has been painted on the screen: where it lies,
# the screen holds more than the one colour (black) of a window mapped but
# never drawn. (The window's own dump, xwd -id, is no proof: it can hold the
# pixels the screen does not show.) The screen is kept as SHOT either way.
painted() {
  local deadline=$((SECONDS + 10)) colours X Y WIDTH HEIGHT
  while :; do
    colours=0
    eval "$(xdotool getwindowgeometry --shell "$1")"
    xwd -root -silent >"$WORK/screen.xwd" 2>/dev/null &&
      colours=$(python3 "$HERE/../tools/xwd_png.py" --colours "$WORK/screen.xwd" \
        "$X" "$Y" "$WIDTH" "$HEIGHT")
    ((colours > 1)) && break
    ((SECONDS < deadline)) || { shot "$2"; fail "window $1 ($(window_title "$1")) was not painted"; }
    sleep 0.2
  done
  shot "$2"
}

# new_window BEFORE: waits for a shown window that was not among BEFORE and
# prints its id (the IDE's New dialog has no title to find it by).
new_window() {
  local before=$1 deadline=$((SECONDS + 20)) id
  while :; do
    id=$(comm -13 <(echo "$before") <(xdotool search --onlyvisible --name '' 2>/dev/null | sort) | head -1)
    [ -n "$id" ] && { echo "$id"; return; }
    ((SECONDS < deadline)) || fail "no new window appeared"
    sleep 0.1
  done
}

shown() {
  xdotool search --onlyvisible --name '' 2>/dev/null | sort
}

# Debian's Free Pascal has no fppkg record of its RTL, and at each start the
# IDE asks in its set-up dialog; Start IDE (bottom right) goes on.
start_ide() {
  mkdir -p "$WORK/home"
  [ -d "$WORK/pcp" ] || cp -r "$IDE_DIR/pcp" "$WORK/pcp"
  start_program env HOME="$WORK/home" "$IDE_DIR/lazarus/lazarus" --pcp="$WORK/pcp" --nsc
  local deadline=$((SECONDS + 60)) id title
  while :; do
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
      title=$(window_title "$id" || true)
      if [[ $title == "Welcome to Lazarus IDE"* ]]; then
        shot 01-setup-dialog
        eval "$(xdotool getwindowgeometry --shell "$id")"
        xdotool mousemove --window "$id" $((WIDTH - 60)) $((HEIGHT - 24)) click 1
        await_closed "$id"
      elif [[ $title == "Lazarus IDE v"* ]]; then
        IDE=$id
        return
      fi
    done
    running "$PROGRAM_PID" || fail "the IDE ended at start"
    ((SECONDS < deadline)) || fail "the IDE's main window did not appear within 60 s"
    sleep 0.2
  done
}

# file_menu DOWNS: the File menu opened by its key, DOWNS items down from the
# first, taken.
file_menu() {
  local before i
  before=$(shown)
  for ((i = 0; i < 5; i++)); do
    refocus "$IDE"
    press alt+f
    [ "$(shown)" != "$before" ] && break  # the menu shows
  done
  for ((i = 0; i < $1; i++)); do press Down; done
  press Return
}

# quit: File > Quit; the IDE ends with status 0 and no failure of its own.
quit() {
  refocus "$IDE"
  press alt+f q
  await_exit 60
  [ "$EXIT_STATUS" = 0 ] || fail "the IDE ended with status $EXIT_STATUS"
  grep -q 'unhandled exception\|Access violation' "$WORK/program.log" && fail "the IDE failed as it ended"
  return 0
}

# The path set on the package's options page (Tools > Options, the page found
# by its name in the dialog's filter) is kept in the configuration, wins over
# the environment's at the next start, and cannot be loaded there.
case_unloadable() {
  step "the path of a module that cannot be loaded set on the options page"
  start_xserver
  start_ide
  local missing="$WORK/missing/orvalen.so" options
  refocus "$IDE"
  before=$(shown)
  press alt+t Return                              # Tools, Options ...
  options=$(new_window "$before")
  refocus "$options"
  type_text Orvalen                               # the dialog's filter
  press alt+e                                     # the page's "Expert module"
  type_text "$missing"
  shot 02-options-page
  press Return                                    # OK
  await_closed "$options"
  grep -q "Path=\"$missing\"" "$WORK/pcp/orvalen.xml" ||
    fail "the options page kept no path: $(cat "$WORK/pcp/orvalen.xml" 2>&1)"
  quit

  step "at the next start it is one line of the package's, and the IDE goes on"
  : >"$WORK/program.log"
  start_ide
  # The IDE's output comes in blocks: the line is judged whole once it ends.
  local deadline=$((SECONDS + 20))
  until grep -q '^Orvalen: ' "$WORK/program.log"; do
    ((SECONDS < deadline)) || fail "the package said nothing about the module"
    sleep 0.2
  done
  shot 03-unloadable
  quit
  [ "$(grep -c '^Orvalen: ' "$WORK/program.log")" = 1 ] ||
    fail "not one line: $(grep '^Orvalen: ' "$WORK/program.log")"
  grep -q "^Orvalen: .*$missing" "$WORK/program.log" ||
    fail "the line does not name the path: $(grep '^Orvalen: ' "$WORK/program.log")"
  grep -q 'the expert module was unloaded' "$WORK/program.log" && fail "a module was loaded after all"
  step "passed"
}

case_wizard() {
  step "the IDE starts with the package, which loads the module"
  start_xserver
  start_ide
  refocus "$IDE"
  shot 02-ide
  # A start that finds no module says so in the messages; this one must not.
  sleep 1
  grep -q '^Orvalen: ' "$WORK/program.log" && fail "the package reported: $(grep '^Orvalen: ' "$WORK/program.log")"

  step "the File menu's command opens the wizard; the IDE takes no keys under it"
  file_menu 3                                       # New Unit, New Form, New ..., the command
  open_wizard
  shot 03-wizard-from-menu
  before=$(shown)
  xdotool windowfocus --sync "$IDE"
  xdotool key alt+f
  sleep 1
  [ "$(shown)" = "$before" ] || fail "the IDE opened a menu while the wizard was open"
  refocus "$MAIN"
  press Escape
  await_closed "$MAIN"

  step "the IDE's project is changed"
  editor=$(find_window "Source Editor")
  refocus "$editor"
  press ctrl+End Return
  type_text "// changed"
  shot 04-changed

  step "File > New... > Project > the wizard"
  before=$(shown)
  file_menu 2                                       # New Unit, New Form, New ...
  dialog=$(new_window "$before")
  refocus "$dialog"
  press End Up Up                                   # Package, Package (folder), the wizard
  shot 05-new-dialog
  press Return
  await_closed "$dialog"
  open_wizard
  OUT="$WORK/out"
  mkdir -p "$OUT"                                   # the wizard writes into a folder that exists
  press alt+n alt+n                                 # Menus, AppInfo
  enter_name_and_path "$NAME" "$OUT"

  step "a box of the wizard's is painted, and answered"
  press alt+c                                       # the MDI child form, unchecked: the wizard asks
  box=$(find_window "Warning" 20 "$MAIN")
  painted "$box" 06-box
  refocus "$box"
  press alt+y                                       # Yes: the child form stays
  await_closed "$box"
  refocus "$MAIN"
  next_from_app_info
  press alt+n alt+f
  shot 07-finish

  step "the IDE asks about its changed project; Discard changes"
  question=$(find_window "Project changed" 20 "$MAIN")
  refocus "$question"
  shot 08-question
  press alt+d
  await_closed "$question"
  await_closed "$MAIN"

  step "the written project is the IDE's active project"
  deadline=$((SECONDS + 30))
  while [[ $(window_title "$IDE") != *" - $NAME"* ]]; do
    ((SECONDS < deadline)) || fail "the IDE is titled \"$(window_title "$IDE")\", not after $NAME"
    sleep 0.2
  done
  shot 09-opened
  [ -f "$OUT/$NAME.lpi" ] || fail "no $NAME.lpi was written"
  judge_disk 1 "-n $NAME --target lcl"

  step "Ctrl+F9 builds it"
  refocus "$IDE"
  press ctrl+F9
  deadline=$((SECONDS + 120))
  until [ -x "$OUT/$NAME" ]; do
    ((SECONDS < deadline)) || { shot 10-no-program; fail "the IDE built no program $OUT/$NAME within 120 s"; }
    sleep 0.5
  done
  shot 10-built

  step "File > Quit ends the IDE after the module is unloaded"
  sleep 1
  quit
  grep -qx 'Orvalen: the expert module was unloaded' "$WORK/program.log" ||
    fail "the IDE ended without unloading the module"
  step "passed"
}

[ $# -eq 1 ] || fail "usage: $0 CASE | --list"
"case_$1"
