#!/usr/bin/env bash
# The main job: builds everything, then generates a sample application with
# every option into the directory given (default sample/) and lists its files,
# and nothing else: the build's output is shown only when it fails.
# With --lcl first, the sample is a Lazarus project (default sample-lcl/),
# built with lazbuild (a private configuration: nothing is written into the
# system's Lazarus tree) and ready to start.
set -euo pipefail
cd "$(dirname "$0")/.."
# A private runtime directory, as the tests use, keeps Qt's tools quiet.
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-/tmp/orvalen-xdg-$(id -u)}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
log=$(mktemp "${TMPDIR:-/tmp}/orvalen-setup.XXXXXX")
pcp=$(mktemp -d "${TMPDIR:-/tmp}/orvalen-sample-pcp.XXXXXX")
trap 'rm -rf "$log" "$pcp"' EXIT
if ! scripts/setup.sh >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
target_args=()
default=sample
if [ "${1:-}" = --lcl ]; then
  shift
  target_args=(--target lcl)
  default=sample-lcl
fi
target=${1:-$default}
build/hosts/orvalen-gen --name SampleApp "${target_args[@]}" \
  --menus file,edit,window,help --recent-registry \
  --ext 'Text files (*.txt)|*.txt' --ext 'All files (*.*)|*.*' \
  --speedbar FileNew,FileOpen,FileSave,-,EditCut,EditCopy,EditPaste,-,WindowTile,WindowCascade,-,HelpContents,HelpAbout \
  --single-instance "$target"
if [ ${#target_args[@]} -gt 0 ]; then
  lazbuild --pcp="$pcp" --skip-dependencies "$target/SampleApp.lpi" >"$target/lazbuild.log" 2>&1 ||
    { tail -20 "$target/lazbuild.log"; exit 1; }
  echo "built $target/SampleApp; start it with: $target/SampleApp"
fi
