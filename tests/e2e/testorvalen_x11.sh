#!/usr/bin/env bash
# testorvalen end to end in a real X server: the program is started as it
# ships, walked with the keyboard as a person walks it (access keys, Tab,
# typing into the focused edit, Space on check boxes, the keys of the message
# boxes), and judged by its exit status and the files on disk, which must be
# the bytes orvalen-gen writes for the same choices.
#
#   testorvalen_x11.sh CASE      (TESTORVALEN, ORVALEN_GEN, X11_SETTLE in the environment)
#   testorvalen_x11.sh --list
#
# One row per run of the program; a case with two rows runs it twice with the
# same settings store. Each run writes into $WORK/out<run>, walked by
# walk_<case>_<run>. On disk afterwards: "nothing" (the directory stays empty),
# "-" (not judged), or the arguments (shell words) that make orvalen-gen
# write the same files.
#
# case              run exit  on disk
CASES='
every_menu          1   0     -n Editor -m file,edit,window,help --recent -e "Text files|*.txt" -s FileNew,FileOpen,FileSave,FileSaveAs,FilePrint,FilePrintSetup,FileExit,-,EditUndo,EditCut,EditCopy,EditPaste --single-instance
no_menu             1   0     -n Plain --no-mdi --no-status-line
missing_path        1   0     -n Fixed -m help -s HelpContents,HelpSearch,HelpHowToUse,HelpAbout
remembered          1   0     -n First -m file,window --recent --no-hints
remembered          2   0     -m file,window --recent --no-hints
cancel_first_page   1   0     nothing
cancel_app_info     1   0     nothing
unwritable          1   1     -
titles              1   0     nothing
'

if [ "${1:-}" = --list ]; then
  awk 'NF { print $1 }' <<<"$CASES" | uniq
  exit 0
fi

# shellcheck source=tests/e2e/x11_session.sh
source "$(dirname "$0")/x11_session.sh"
# shellcheck source=tests/e2e/wizard_road.sh
source "$(dirname "$0")/wizard_road.sh"

walk_every_menu_1() {
  open_wizard
  press alt+n                                    # Menus
  press alt+f alt+e alt+w alt+h Tab space        # the four menus, Tab to Recent
  press alt+n                                    # Extensions
  add_file_type "Text files" "*.txt"
  press alt+n                                    # Speedbtns
  press alt+m Return                             # every File command
  press alt+s                                    # a space
  press Down Return                              # every Edit command
  press alt+n                                    # AppInfo
  enter_name_and_path Editor "$OUT"
  press Tab Tab Tab Tab Tab Tab Tab space        # to Single instance application
  next_from_app_info                             # Extras
  press alt+n                                    # Hint
  press alt+f                                    # Finish
}

walk_no_menu_1() {
  open_wizard
  press alt+n alt+n                              # Menus, then straight to AppInfo
  enter_name_and_path Plain "$OUT"
  press alt+m alt+s                              # no MDI, no status line
  next_from_app_info
  press alt+n alt+f
}

# Finish with a directory that does not exist: the error box, then back to
# AppInfo to correct it; the rest of the choices survive.
walk_missing_path_1() {
  open_wizard
  press alt+n alt+h alt+n                        # Menus, Help, Speedbtns
  press alt+m Down Down Down Return              # every Help command
  press alt+n
  enter_name_and_path Fixed "$OUT/missing"
  next_from_app_info
  press alt+n alt+f
  answer_box "Error" Return
  press alt+b alt+b alt+p                        # back to AppInfo, the path
  type_text "$OUT"
  next_from_app_info
  press alt+n alt+f
}

# The first run leaves the MDI child form out (the question answered No) and
# hints off; the second run is asked again while the dialog opens (answered
# Yes), keeps the remembered menus and options, and is only given a new
# directory (the name is not remembered).
walk_remembered_1() {
  open_wizard
  press alt+n alt+f Tab Tab Tab Tab space alt+w  # File, Recent, Window
  press alt+n alt+n alt+n                        # Extensions, Speedbtns, AppInfo
  enter_name_and_path First "$OUT"
  press alt+h alt+c                              # hints off; the child form off asks
  answer_box "Warning" n
  next_from_app_info
  press alt+n alt+f
}

walk_remembered_2() {
  await_window "Warning"                         # asked before the dialog shows
  press y
  open_wizard
  press alt+n alt+n alt+n alt+n                  # Menus, Extensions, Speedbtns, AppInfo
  press alt+p
  type_text "$OUT"
  next_from_app_info
  press alt+n alt+f
}

walk_cancel_first_page_1() {
  open_wizard
  press Escape
}

walk_cancel_app_info_1() {
  open_wizard
  press alt+n alt+f alt+n alt+n alt+n
  enter_name_and_path Dropped "$OUT"
  press Escape
}

walk_unwritable_1() {
  open_wizard
  press alt+n alt+n
  enter_name_and_path Blocked "$OUT"
  next_from_app_info
  press alt+n alt+f
  await_window "Application Error"
  press Return
}

# The captions as the forms write them, nothing appended: the wizard, the
# file-type editor and the error box.
walk_titles_1() {
  open_wizard
  exact_title "$MAIN" "$WIZARD"
  press alt+n alt+f alt+n                        # Menus: File; Extensions
  press alt+a
  await_window "Extension Filter"
  local box=$FOCUSED
  exact_title "$box" "Extension Filter"
  press Escape
  await_closed "$box"
  refocus "$MAIN"
  press alt+n alt+n                              # Speedbtns, AppInfo
  enter_name_and_path Missing "$OUT/missing"
  next_from_app_info
  press alt+n alt+f
  box=$(find_window "Error" 20 "$MAIN")
  exact_title "$box" "Error"
  refocus "$box"
  press Return
  await_closed "$box"
  refocus "$MAIN"
  press Escape
}

run_case() {
  local name=$1 found=0 case run status expected
  start_xserver
  while read -r case run status expected; do
    [ "$case" = "$name" ] || continue
    found=1
    step "$name, run $run"
    OUT="$WORK/out$run"
    mkdir -p "$OUT"
    # A directory where the main unit goes: that file cannot be created.
    [ "$name" = unwritable ] && mkdir "$OUT/MAIN.PAS"
    start_program "$TESTORVALEN"
    "walk_${name}_$run"
    await_exit 60
    [ "$EXIT_STATUS" = "$status" ] || fail "run $run ended with status $EXIT_STATUS, not $status"
    judge_disk "$run" "$expected"
  done <<<"$CASES"
  [ "$found" = 1 ] || fail "no case named $name"
  step "$name passed"
}

[ $# -eq 1 ] || fail "usage: $0 CASE | --list"
: "${TESTORVALEN:?}" "${ORVALEN_GEN:?}" "${X11_SETTLE:?}"
run_case "$1"
