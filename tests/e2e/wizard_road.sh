# shellcheck shell=bash
# Sourced after x11_session.sh: the wizard walked with the keys a person
# presses, and what a run wrote judged, for the drivers of the programs that
# show it. Needs ORVALEN_GEN.

WIZARD="Orvalen the intelligent MDI application creation tool"
MAIN=""  # the wizard's window

open_wizard() {
  MAIN=$(find_window "$WIZARD")
  refocus "$MAIN"
}

# answer_box TITLE KEY [BACK_TO]: a box of the program's opens (a window
# titled TITLE other than BACK_TO), KEY answers it, and the keyboard goes back
# to BACK_TO (default: the wizard).
answer_box() {
  local back=${3:-$MAIN} box
  box=$(find_window "$1" 20 "$back")
  refocus "$box"
  press "$2"
  await_closed "$box"
  refocus "$back"
}

# On the AppInfo page Alt+N is both "&Next >" and the name's label, so it
# only moves the focus, to the name edit and Next in turn; a person reaches
# Next with the keyboard this way: from the name edit Shift+Tab wraps round
# to About, Cancel, then Next.
next_from_app_info() {
  press alt+p shift+Tab shift+Tab shift+Tab shift+Tab space
}

# On the AppInfo page: the path, then the name, each typed over the text the
# edit selects when it takes the focus by its label or by Tab.
enter_name_and_path() {
  press alt+p
  type_text "$2"
  press shift+Tab
  type_text "$1"
}

# On the Extensions page: Add, the description, Tab, the pattern, Enter (OK).
add_file_type() {
  press alt+a
  await_window "Extension Filter"
  local box=$FOCUSED
  type_text "$1"
  press Tab
  type_text "$2"
  press Return
  await_closed "$box"
  refocus "$MAIN"
}

# judge_disk RUN EXPECTED: judges the run's directory, $OUT: EXPECTED is
# "nothing" (it stays empty), "-" (not judged), or the arguments (shell words)
# that make orvalen-gen write the same files.
judge_disk() {
  local run=$1 expected=$2
  case "$expected" in
    -) ;;
    nothing)
      [ -z "$(ls -A "$OUT")" ] || fail "run $run wrote $(find "$OUT" -mindepth 1 -printf '%P ')"
      ;;
    *)
      local reference="$WORK/reference$run"
      mkdir -p "$reference"
      eval "set -- $expected"
      "$ORVALEN_GEN" "$@" "$reference" >"$WORK/orvalen-gen.log" 2>&1 ||
        fail "orvalen-gen $expected failed"
      [ -n "$(ls -A "$reference")" ] || fail "orvalen-gen wrote nothing"
      diff -r "$reference" "$OUT" >"$WORK/diff.log" 2>&1 ||
        fail "run $run wrote other files than orvalen-gen $expected (see diff.log)"
      ;;
  esac
}
