#!/usr/bin/env bash
# expert-host end to end in a real X server: the IDE stand-in started as it
# ships (it finds orvalen.so itself), the wizard picked under "New Items" with
# Enter and walked with the keyboard, the host's question before it closes the
# open project answered, and the host left through its File menu. Judged by
# the host's title (it names the open project's file), the files on disk
# (orvalen-gen's bytes for the same choices) and the host's exit status.
#
#   expert_host_x11.sh CASE      (EXPERT_HOST, ORVALEN_GEN, X11_SETTLE in the environment)
#   expert_host_x11.sh --list
#
# One row per run of the wizard, all in one host, which keeps the wizard's
# remembered settings from run to run. Each run writes into $WORK/out<run>,
# walked by walk_<case>_<run>. Title afterwards: the project file the host
# shows, or "-" for none. Question: the key that answers "Close the current
# project?", or "-" when the host must not ask. On disk as in
# testorvalen_x11.sh: "nothing", "-" (not judged), or orvalen-gen's arguments.
#
# case            run  title       question  on disk
CASES='
open_project      1    Editor.DPR  -         -n Editor -m file,edit
open_project      2    Second.DPR  y         -n Second -m file,edit
keep_project      1    First.DPR   -         -n First -m help
keep_project      2    First.DPR   Escape    -n Other -m help
cancel            1    -           -         nothing
unwritable        1    -           -         -
unwritable        2    Again.DPR   -         -n Again
titles            1    -           -         nothing
'

if [ "${1:-}" = --list ]; then
  awk 'NF { print $1 }' <<<"$CASES" | uniq
  exit 0
fi

# shellcheck source=tests/e2e/x11_session.sh
source "$(dirname "$0")/x11_session.sh"
# shellcheck source=tests/e2e/wizard_road.sh
source "$(dirname "$0")/wizard_road.sh"

HOST_NAME="Expert Host"
HOST=""  # the host's main window

walk_open_project_1() {
  open_wizard
  press alt+n alt+f alt+e                        # Menus: File, Edit
  press alt+n alt+n alt+n                        # Extensions, Speedbtns, AppInfo
  enter_name_and_path Editor "$OUT"
  next_from_app_info
  press alt+n alt+f
}

# The menus and the path come back remembered; the name and the path are new.
walk_open_project_2() {
  open_wizard
  press alt+n alt+n alt+n alt+n                  # Menus, Extensions, Speedbtns, AppInfo
  enter_name_and_path Second "$OUT"
  next_from_app_info
  press alt+n alt+f
}

walk_keep_project_1() {
  open_wizard
  press alt+n alt+h alt+n alt+n                  # Menus: Help; Speedbtns, AppInfo
  enter_name_and_path First "$OUT"
  next_from_app_info
  press alt+n alt+f
}

walk_keep_project_2() {
  open_wizard
  press alt+n alt+n alt+n                        # Menus, Speedbtns, AppInfo
  enter_name_and_path Other "$OUT"
  next_from_app_info
  press alt+n alt+f
}

# Inside the host the wizard's caption is still exactly its own, and so is
# the host's while no project is open.
walk_titles_1() {
  open_wizard
  exact_title "$MAIN" "$WIZARD"
  exact_title "$HOST" "$HOST_NAME"
  press Escape
}

walk_cancel_1() {
  open_wizard
  press alt+n Escape
}

# A file that cannot be created: the host reports the error in a box of its
# own, and the wizard can be run again at once.
walk_unwritable_1() {
  open_wizard
  press alt+n alt+n
  enter_name_and_path Blocked "$OUT"
  next_from_app_info
  press alt+n alt+f
  answer_box "$HOST_NAME" Return "$HOST"
}

walk_unwritable_2() {
  open_wizard
  press alt+n alt+n
  enter_name_and_path Again "$OUT"
  next_from_app_info
  press alt+n alt+f
}

# The host's title once the run is over: the project file, or the host's
# name alone.
judge_title() {
  local run=$1 expected=$2 deadline=$((SECONDS + 20)) title
  while :; do
    title=$(window_title "$HOST")
    if [ "$expected" = - ]; then
      [ "$title" = "$HOST_NAME" ] && return
    else
      [[ $title == "$expected"* ]] && return
    fi
    ((SECONDS < deadline)) || fail "after run $run the host is titled \"$title\", not $expected"
    sleep 0.1
  done
}

run_case() {
  local name=$1 found=0 case run title question expected
  start_xserver
  start_program "$EXPERT_HOST"
  HOST=$(find_window "$HOST_NAME")
  while read -r case run title question expected; do
    [ "$case" = "$name" ] || continue
    found=1
    step "$name, run $run"
    OUT="$WORK/out$run"
    mkdir -p "$OUT"
    # A directory where the main unit goes: that file cannot be created.
    [ "$name" = unwritable ] && [ "$run" = 1 ] && mkdir "$OUT/MAIN.PAS"
    refocus "$HOST"
    press Return                                 # the wizard selected under New Items
    "walk_${name}_$run"
    if [ "$question" != - ]; then
      answer_box "$HOST_NAME" "$question" "$HOST"
    else
      refocus "$HOST"
    fi
    judge_title "$run" "$title"
    judge_disk "$run" "$expected"
  done <<<"$CASES"
  [ "$found" = 1 ] || fail "no case named $name"
  refocus "$HOST"
  press alt+f x                                  # File, Exit
  await_exit 30
  [ "$EXIT_STATUS" = 0 ] || fail "the host ended with status $EXIT_STATUS"
  step "$name passed"
}

[ $# -eq 1 ] || fail "usage: $0 CASE | --list"
: "${EXPERT_HOST:?}" "${ORVALEN_GEN:?}" "${X11_SETTLE:?}"
run_case "$1"
