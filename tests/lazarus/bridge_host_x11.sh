#!/usr/bin/env bash
# The Lazarus IDE package's bridge unit from a Free Pascal host without the
# IDE: bridge_host.pas built with fpc against the unit, run in a real X
# server with orvalen.so, its three wizard runs walked with the keyboard.
# The program judges the contract from the Pascal side (metadata, strings,
# counts, the services' calls, loading twice, paths that cannot be loaded);
# this driver judges the first run's files against orvalen-gen's for the same
# choices on the Lazarus target, and the program's exit status.
#
#   bridge_host_x11.sh   (FPC, ORVALEN_MODULE, BRIDGE_BUILD, ORVALEN_GEN and
#                         X11_SETTLE in the environment)
#
# The program runs with neither QT_QPA_PLATFORM nor QT_QPA_PLATFORMTHEME set,
# on a GNOME desktop: the module chooses both itself, as inside an IDE.

# shellcheck source=tests/e2e/x11_session.sh
source "$(dirname "$0")/../e2e/x11_session.sh"
# shellcheck source=tests/e2e/wizard_road.sh
source "$(dirname "$0")/../e2e/wizard_road.sh"

: "${FPC:?}" "${ORVALEN_MODULE:?}" "${BRIDGE_BUILD:?}" "${ORVALEN_GEN:?}" "${X11_SETTLE:?}"
HERE=$(cd "$(dirname "$0")" && pwd)
SOURCE_DIR=$(cd "$HERE/../.." && pwd)

step "building bridge_host"
mkdir -p "$BRIDGE_BUILD"
"$FPC" -vw -Sew -FU"$BRIDGE_BUILD" -Fu"$SOURCE_DIR/hosts/lazarus" -k--export-dynamic \
  -o"$BRIDGE_BUILD/bridge_host" "$HERE/bridge_host.pas" >"$WORK/fpc.log" 2>&1 ||
  fail "fpc could not build bridge_host (see fpc.log)"

start_xserver
mkdir -p "$WORK/home"
start_program env -u QT_QPA_PLATFORM -u QT_QPA_PLATFORMTHEME XDG_CURRENT_DESKTOP=GNOME \
  HOME="$WORK/home" "$BRIDGE_BUILD/bridge_host" "$ORVALEN_MODULE" "$WORK"

# run name: each run of the wizard, with the remembered settings it leaves.
for run_name in 1:Bridge1 2:Blocked 3:Bridge3; do
  run=${run_name%%:*}
  name=${run_name#*:}
  step "run $run: $name"
  OUT="$WORK/out$run"
  open_wizard
  press alt+n alt+n                              # Menus, AppInfo
  enter_name_and_path "$name" "$OUT"
  next_from_app_info
  press alt+n alt+f
  await_closed "$MAIN"
  # The first run's files are orvalen-gen's for the same choices on the Lazarus target.
  if [ "$run" = 1 ]; then judge_disk 1 "-n Bridge1 --target lcl"; fi
done

await_exit 30
grep -v '^run ' "$WORK/program.log" || true
[ "$EXIT_STATUS" = 0 ] || fail "bridge_host ended with status $EXIT_STATUS"
grep -qx 'all checks passed' "$WORK/program.log" || fail "bridge_host did not finish its checks"
step "passed"
